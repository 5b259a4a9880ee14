#pragma once

// The "BW" page: one fixed-rate loan paid monthly against the same loan paid
// with half the monthly payment every two weeks, and the time and interest
// the biweekly plan saves. The arithmetic is CalcBiweekly (finance/PayPlans).

#include "calculators/CalculatorPage.h"

#include <span>

namespace clvn {

class TFnpNumericEdit;
class TNumEdit;

class BwPage : public CalculatorPage
{
    Q_OBJECT

public:
    explicit BwPage(CalculatorHost &host, QWidget *parent = nullptr);

    // Carries the stored loan, rate and term in; does not calculate.
    void enter() override;
    // The stored loan, rate and term again, then CalcBW.
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // Compares the two plans for the page's loan and replaces the shared
    // schedule with this loan's. Throws ConvertError for a rate or term text
    // that is not a number (a whole number for the term) and FloatError for
    // figures with no result (a rate or term of 0); the results are written
    // only when everything succeeded.
    void CalcBW();

    static const QString PageText;

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<BwPage>> fields();
    void buildInputs();
    void buildResults();

    TNumEdit *m_edtMortgageAmount = nullptr;
    TFnpNumericEdit *m_edtMortgageInterest = nullptr;
    TFnpNumericEdit *m_edtMortgagePeriods = nullptr;

    TNumEdit *m_edtMortgagePayments = nullptr;
    TNumEdit *m_edtMortgageTotalPaid = nullptr;
    TNumEdit *m_edtMortgageCostOfLoan = nullptr;
    TNumEdit *m_edtMortgageHalfPayments = nullptr;
    TNumEdit *m_edtMortgageHalfTotalPaid = nullptr;
    TNumEdit *m_edtMortgageHalfCostOfLoan = nullptr;
    TFnpNumericEdit *m_edtTimeSavedMonths = nullptr;
    TFnpNumericEdit *m_edtTimeSavedYears = nullptr;
    TNumEdit *m_edtInterestSaved = nullptr;
};

} // namespace clvn
