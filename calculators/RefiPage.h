#pragma once

// The "RC" page: keeping the current mortgage against refinancing it, over
// the months until the owner expects to sell. The new loan's closing costs
// are typed as one figure or added up on the itemized panel, whose items
// live only as long as the program runs.

#include "calculators/CalculatorPage.h"

#include <array>
#include <span>

class QFrame;
class QLabel;
class QPushButton;

namespace clvn {

class TFnpNumericEdit;
class TNumEdit;

class RefiPage : public CalculatorPage
{
    Q_OBJECT

public:
    explicit RefiPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // Recomputes every result and the sentence above them. Throws
    // ConvertError for a text that is not a number (or a count that is not
    // whole) and FloatError for counts that make no sense or figures without
    // a result; nothing is written then.
    void CalcRefi();
    // The itemized total into the panel's total and the page's closing costs.
    void CalcClosingCosts();

    void BtnCalcFeesClick();
    void BtnCloseClosingCostsClick();
    void BtnClearClosingCostsClick();

    // "If you sell in 240 months,": the sentence's first part.
    static QString sellText(qint64 months);

    static constexpr int ItemCount = 12;

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<RefiPage>> fields();
    void buildOldLoan();
    void buildNewLoan();
    void buildSavings();
    void buildClosingPanel();
    void bindHandlers();
    void putStartValues();

    // Set while a handler moves the focus or Reset puts values back: the
    // fields it leaves must not calculate.
    bool m_quiet = false;
    // An item changed since its total last went to the page: only then does
    // leaving an item or OK replace a closing-cost figure typed on the page.
    bool m_itemsChanged = false;

    QLabel *m_lblSell = nullptr;

    TNumEdit *m_edtOldLoan = nullptr;
    TFnpNumericEdit *m_edtOldTerm = nullptr;
    TFnpNumericEdit *m_edtOldInterestRate = nullptr;
    TFnpNumericEdit *m_edtOldPaymentsMade = nullptr;
    TFnpNumericEdit *m_edtOldPaymentsRemaining = nullptr;
    TNumEdit *m_edtOldPayment = nullptr;

    TNumEdit *m_edtNewLoan = nullptr;
    TFnpNumericEdit *m_edtNewTerm = nullptr;
    TFnpNumericEdit *m_edtNewInterestRate = nullptr;
    TFnpNumericEdit *m_edtRefiClosingCosts = nullptr;
    QPushButton *m_btnCalcFees = nullptr;
    TFnpNumericEdit *m_edtMonthsUntilSell = nullptr;
    TNumEdit *m_edtNewPayment = nullptr;

    TNumEdit *m_edtPaymentSaved = nullptr;
    TNumEdit *m_edtTotalPaymentSaved = nullptr;
    TNumEdit *m_edtOldEquity = nullptr;
    TNumEdit *m_edtNewEquity = nullptr;
    TNumEdit *m_edtEquitySavings = nullptr;
    TNumEdit *m_edtTotalSaved = nullptr;

    QFrame *m_pnlClosingCosts = nullptr;
    std::array<TNumEdit *, ItemCount> m_items{};
    TNumEdit *m_edtClosingFees = nullptr;
    QPushButton *m_btnCloseClosingCosts = nullptr;
    QPushButton *m_btnClearClosingCosts = nullptr;
};

} // namespace clvn
