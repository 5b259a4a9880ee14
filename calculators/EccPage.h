#pragma once

// The "ECC" page: a home purchase from the buyer's side. Purchase price, down
// payment and loan amount are each either computed (locked) or typed
// (unlocked); with all three locked the page works out what the buyer can
// afford from income, debts and the qualifying ratios. The closing-cost and
// escrow line items live on two panels of the page, whose typed fees and
// counts the page stores as the buyer's defaults.

#include "calculators/CalculatorPage.h"
#include "calculators/EccPanelHost.h"

class QPushButton;

#include <span>

namespace clvn {

class EccClosingPanel;
class EccEscrowPanel;
class TFnpNumericEdit;
class TNumEdit;

class EccPage : public CalculatorPage, private EccPanelHost
{
    Q_OBJECT

public:
    explicit EccPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    void Reset() override;
    // Which of the three keys were unlocked: Reset locks them all.
    QVariant layoutForUndo() const override;
    void restoreLayoutForUndo(const QVariant &kept) override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // Recomputes every figure of the page and both panels. Throws
    // ConvertError for a text that is not a number (or a count that is not
    // whole) and FloatError for figures that have no result; a failure
    // writes nothing.
    void CalcECC();

    void BtnCalcClosingClick();
    void BtnCalcEscrowsClick();

    void btnUnlockPurchasePriceClick();
    void btnLockPurchasePriceClick();
    void btnUnlockDownPaymentClick();
    void btnLockDownPaymentClick();
    void btnUnlockLoanAmountClick();
    void btnLockLoanAmountClick();

    // true = computed by the page, false = typed by the user.
    bool PurchasePriceLocked() const { return m_PurchasePriceLocked; }
    bool DownPaymentLocked() const { return m_DownPaymentLocked; }
    bool LoanAmountLocked() const { return m_LoanAmountLocked; }
    bool allResultsLocked() const
    {
        return m_PurchasePriceLocked && m_DownPaymentLocked && m_LoanAmountLocked;
    }

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<EccPage>> fields();
    // EccPanelHost
    CalculatorHost &calculatorHost() override { return host(); }
    void setPanelKeysEnabled(bool enabled) override;
    void showClosingCostTotal(double total) override;
    void showEscrowTotal(double total) override;

    void buildInputs();
    void buildResults();
    void bindHandlers();

    void showLocks();
    void setIncomeAndDebtEnabled(bool enabled);
    void afterLock();

    // Reset moves the focus but must not recalculate on the field it leaves.
    bool m_resetting = false;

    bool m_PurchasePriceLocked = true;
    bool m_DownPaymentLocked = true;
    bool m_LoanAmountLocked = true;

    // Inputs
    TNumEdit *m_edtEccIncome = nullptr;
    TNumEdit *m_edtEccDebt = nullptr;
    TFnpNumericEdit *m_edtEccInterest = nullptr;
    TFnpNumericEdit *m_edtEccOriginationPoints = nullptr;
    TFnpNumericEdit *m_edtEccDiscountPoints = nullptr;
    TFnpNumericEdit *m_edtEccTerm = nullptr;
    TFnpNumericEdit *m_edtEccDownPaymentPercent = nullptr;
    TNumEdit *m_edtEccTax = nullptr;
    TNumEdit *m_edtEccInsurance = nullptr;
    TNumEdit *m_edtEccAssociationFee = nullptr;
    TFnpNumericEdit *m_edtEccHousingRatio = nullptr;
    TFnpNumericEdit *m_edtEccDebtRatio = nullptr;

    // Results
    TNumEdit *m_edtEccCPurchasePrice = nullptr;
    TNumEdit *m_edtEccCDownPayment = nullptr;
    TNumEdit *m_edtEccCLoanAmount = nullptr;
    TNumEdit *m_edtEccCPandI = nullptr;
    TNumEdit *m_edtEccCMonthlyTax = nullptr;
    TNumEdit *m_edtEccCMonthlyInsurance = nullptr;
    TNumEdit *m_edtEccCpmi = nullptr;
    TNumEdit *m_edtEccCMonthlyPayment = nullptr;
    TNumEdit *m_edtEccCClosingCosts = nullptr;
    TNumEdit *m_edtEccCEscrows = nullptr;
    TFnpNumericEdit *m_edtEccCHousingRatio = nullptr;
    TFnpNumericEdit *m_edtEccCDebtRatio = nullptr;
    TNumEdit *m_edtEccCCashRequiredToClose = nullptr;

    QPushButton *m_btnCalcClosing = nullptr;
    QPushButton *m_btnCalcEscrows = nullptr;
    QPushButton *m_btnUnlockPurchasePrice = nullptr;
    QPushButton *m_btnLockPurchasePrice = nullptr;
    QPushButton *m_btnUnlockDownPayment = nullptr;
    QPushButton *m_btnLockDownPayment = nullptr;
    QPushButton *m_btnUnlockLoanAmount = nullptr;
    QPushButton *m_btnLockLoanAmount = nullptr;

    EccClosingPanel *m_pnlClosing = nullptr;
    EccEscrowPanel *m_pnlEscrow = nullptr;
};

} // namespace clvn
