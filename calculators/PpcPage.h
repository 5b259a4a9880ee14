#pragma once

// The "PPC" page: one fixed-rate loan with monthly escrow, and what an extra
// principal amount on one payment, a range of payments or every payment
// does to its interest and term. The arithmetic is CalcPrepayment
// (finance/PayPlans), always on a schedule of the page's own figures.

#include "calculators/CalculatorPage.h"
#include "finance/PayPlans.h"

class QLabel;
class QPushButton;
class QRadioButton;

#include <span>

namespace clvn {

class TFnpNumericEdit;
class TNumEdit;

class PpcPage : public CalculatorPage
{
    Q_OBJECT
    // The prepayment the shown results were calculated with, which the
    // report describes: the user's choice (mode 0 single, 1 range, 2 all
    // payments) and payment numbers; the amount applied (0 when none was);
    // appliedOutcome, why none was when so (PrepaymentOutcome); and the term
    // the numbers were checked against.
    Q_PROPERTY(int appliedMode READ appliedMode)
    Q_PROPERTY(int appliedFrom READ appliedFrom)
    Q_PROPERTY(int appliedTo READ appliedTo)
    Q_PROPERTY(double appliedAmount READ appliedAmount)
    Q_PROPERTY(int appliedOutcome READ appliedOutcome)
    Q_PROPERTY(int appliedTerm READ appliedTerm)

public:
    explicit PpcPage(CalculatorHost &host, QWidget *parent = nullptr);

    // Printing and Reset on, focus to the amount; calculates nothing.
    void enter() override;
    // The start figures back and every result 0; the prepayment choice,
    // payment numbers and extra amount stay.
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // The whole calculation from the page's fields. `leavingExtra`: run as
    // the extra amount is left, which sends the focus back to the amount
    // borrowed. Throws ConvertError for a text that is not a number and
    // FloatError for figures with no result (a term of 0, a negative extra);
    // the results are written only when everything succeeded. A payment
    // number outside the schedule is reported and nothing extra applied.
    void CalcPPC(bool leavingExtra = false);
    // Shows the prepayment side of `r`.
    void InitPPC(const PrepaymentResults &r);
    // Removes every prepayment: the page's loan recalculated without extras.
    void btnPPCClearClick();
    // The shared routine of the three radio buttons: 0 single, 1 range, 2 all.
    void PrepaymentChoice(int choice);
    void rbtnOnePmtClick() { PrepaymentChoice(0); }
    void rbtnRangePmtsClick() { PrepaymentChoice(1); }
    void rbtnAllPmtsClick() { PrepaymentChoice(2); }

    int appliedMode() const { return int(m_applied.mode); }
    int appliedFrom() const { return m_applied.from; }
    int appliedTo() const { return m_applied.to; }
    double appliedAmount() const { return m_applied.amount; }
    int appliedOutcome() const { return int(m_applied.outcome); }
    int appliedTerm() const { return m_applied.term; }

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<PpcPage>> fields();
    struct Applied
    {
        PrepaymentMode mode = PrepaymentMode::All;
        std::int32_t from = 0;
        std::int32_t to = 0;
        double amount = 0;
        PrepaymentOutcome outcome = PrepaymentOutcome::NotCalculated;
        std::int32_t term = 0;
    };

    void buildInputs();
    void buildPrepayments();
    void buildResults();
    void fieldLeft(bool leavingExtra);
    // Moves the focus without the field it leaves counting as left.
    void moveFocusQuietly(QWidget *to);
    PrepaymentInputs readInputs(PrepaymentMode mode);
    void showRegular(const PrepaymentResults &r);

    // Set while a calculation or a focus move of the page runs: a field
    // that loses the focus then is not being left by the user.
    bool m_quiet = false;
    Applied m_applied;

    TNumEdit *m_edtPPCAmountBorrowed = nullptr;
    TFnpNumericEdit *m_edtPPCInterest = nullptr;
    TFnpNumericEdit *m_edtPPCTerm = nullptr;
    TNumEdit *m_edtPPCPropertyTaxes = nullptr;
    TNumEdit *m_edtPPCInsurance = nullptr;
    TNumEdit *m_edtPPCPMI = nullptr;

    QRadioButton *m_rbtnOnePmt = nullptr;
    QRadioButton *m_rbtnRangePmts = nullptr;
    QRadioButton *m_rbtnAllPmts = nullptr;
    QLabel *m_lblPPCFromPmt = nullptr;
    TFnpNumericEdit *m_edtPPCFromPmt = nullptr;
    QLabel *m_lblPPCToPmt = nullptr;
    TFnpNumericEdit *m_edtPPCToPmt = nullptr;
    TFnpNumericEdit *m_edtPPCExtraAmount = nullptr;
    QPushButton *m_btnPPCClear = nullptr;

    TNumEdit *m_edtPPCPayment = nullptr;
    TNumEdit *m_edtPPCTotalPayment = nullptr;
    TNumEdit *m_edtPPCTotalInterest = nullptr;
    TNumEdit *m_edtPPCTotalPrincipalAndInterest = nullptr;
    TNumEdit *m_edtPPCNewPayment = nullptr;
    TNumEdit *m_edtPPCNewTotalPayment = nullptr;
    TNumEdit *m_edtPPCTotalInterestWithPrepayments = nullptr;
    TNumEdit *m_edtPPCTotalInterestAndPrincipalWithPrepayments = nullptr;
    TFnpNumericEdit *m_edtPPCNewTerm = nullptr;
    TNumEdit *m_edtPPCSavings = nullptr;
};

} // namespace clvn
