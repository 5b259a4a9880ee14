#pragma once

// The "QC" page: relates loan amount, annual rate, monthly payment and number
// of payments, and solves for the one the user picks from the other three.
// The page has no printout and catches its own failures.

#include "calculators/CalculatorPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

#include <span>

namespace clvn {

class NumberField;
class TFnpNumericEdit;
class TNumEdit;

class QuickCalcPage : public CalculatorPage
{
    Q_OBJECT

public:
    // The unknown the user has chosen; None until the first choice.
    enum class Unknown
    {
        None,
        LoanAmount,
        InterestRate,
        Payment,
        NumPayments
    };

    // The three looks of a field.
    enum class Look
    {
        Input,   // enabled, window colours
        Unknown, // disabled, grey text on the window colour
        Result   // black on yellow
    };

    explicit QuickCalcPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    void BtnCalcLAClick();
    void BtnCalcIRClick();
    void BtnCalcPMTClick();
    void BtnCalcNClick();
    // Solves for the chosen unknown; shows the page's own message on failure.
    void BtnCalcQuickCalcClick();

    Unknown unknown() const { return m_unknown; }
    Look look(const QLineEdit *field) const;

    static const QString FailureMessage;

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<QuickCalcPage>> fields();
    void choose(Unknown unknown);
    void calculate();
    void clearAfterFailure();
    void setLook(NumberField *field, Look look);
    NumberField *fieldFor(Unknown unknown) const;

    TNumEdit *m_edtLA = nullptr;
    TFnpNumericEdit *m_edtIR = nullptr;
    TNumEdit *m_edtPMT = nullptr;
    TFnpNumericEdit *m_edtN = nullptr;
    QPushButton *m_btnCalcLA = nullptr;
    QPushButton *m_btnCalcIR = nullptr;
    QPushButton *m_btnCalcPMT = nullptr;
    QPushButton *m_btnCalcN = nullptr;
    QPushButton *m_btnCalcQuickCalc = nullptr;

    // The four choice flags of the page, as one value: at most one is set.
    Unknown m_unknown = Unknown::None;
};

} // namespace clvn
