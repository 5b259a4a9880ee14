#pragma once

// The "RVB" page: renting against buying over the years until a move. It
// shows the rent spent, the invested down payment, the price of the home a
// payment equal to today's rent buys, the tax deductions, the appreciation,
// the net results of owning and of renting, and their difference.

#include "calculators/CalculatorPage.h"

#include <span>

namespace clvn {

class TFnpNumericEdit;
class TNumEdit;

class RvbPage : public CalculatorPage
{
    Q_OBJECT

public:
    explicit RvbPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // Recomputes the eight results. Throws ConvertError for a text that is
    // not a number (or a year count that is not whole) and FloatError for
    // counts out of range or figures without a result; nothing is written
    // then.
    void CalcRVB();

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<RvbPage>> fields();
    void buildInputs();
    void buildResults();
    void putDefaults();

    // Reset moves the focus but must not recalculate on the field it leaves.
    bool m_quiet = false;

    TNumEdit *m_edtRVBMonthlyRent = nullptr;
    TFnpNumericEdit *m_edtRVBRentIncrease = nullptr;
    TFnpNumericEdit *m_edtRVBTerm = nullptr;
    TNumEdit *m_edtRVBDownPayment = nullptr;
    TFnpNumericEdit *m_edtRVBEstimatedReturn = nullptr;
    TFnpNumericEdit *m_edtRVBInterestRate = nullptr;
    TFnpNumericEdit *m_edtRVBLoanTerm = nullptr;
    TFnpNumericEdit *m_edtRVBIncomeTax = nullptr;
    TFnpNumericEdit *m_edtRVBPropertyTax = nullptr;
    TFnpNumericEdit *m_edtRVBPropertyAppreciation = nullptr;
    TNumEdit *m_edtRVBAnnualMaintenance = nullptr;
    TFnpNumericEdit *m_edtRVBSellingCostPercent = nullptr;

    TNumEdit *m_edtRVBRentSpent = nullptr;
    TNumEdit *m_edtRVBInvestmentValue = nullptr;
    TNumEdit *m_edtRVBHousePrice = nullptr;
    TNumEdit *m_edtRVBTaxDeductions = nullptr;
    TNumEdit *m_edtRVBAppreciation = nullptr;
    TNumEdit *m_edtRVBValueOfPurchase = nullptr;
    TNumEdit *m_edtRVBValueOfRenting = nullptr;
    TNumEdit *m_edtRVBGain = nullptr;
};

} // namespace clvn
