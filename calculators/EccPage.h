#pragma once

// The "ECC" page: a home purchase from the buyer's side. Purchase price, down
// payment and loan amount are each either computed (locked) or typed
// (unlocked); with all three locked the page works out what the buyer can
// afford from income, debts and the qualifying ratios. The closing-cost and
// escrow line items live on two panels of the page, whose typed fees and
// counts the page stores as the buyer's defaults.

#include "calculators/CalculatorPage.h"

#include <cstdint>

class QFrame;
class QPushButton;

namespace clvn {

struct BuyerValues;
class TFnpNumericEdit;
class TNumEdit;

class EccPage : public CalculatorPage
{
    Q_OBJECT

public:
    explicit EccPage(CalculatorHost &host, QWidget *parent = nullptr);

    QString title() const override;
    int helpTopic() const override;
    void enter() override;
    void Reset() override;

    // Annual PMI premium as a fraction of the loan for a loan-to-value of
    // `ltv` PERCENT (100 - down payment percent) and a term in YEARS, from the
    // eight premiums of `values`. Bands are closed at the top (85 belongs to
    // "over 80, up to 85"); 80 or less and over 97 give 0.
    static double DeterminePMIPremium(double ltv, std::int32_t termYears,
                                      const BuyerValues &values);

    // Recomputes every figure of the page and both panels. Throws
    // ConvertError for a text that is not a number (or a count that is not
    // whole) and FloatError for figures that have no result; what it wrote
    // before stays.
    void CalcECC();

    void BtnCalcClosingClick();
    void BtnClosePnlClosingClick();
    void btnClosePnlClosingExit();
    void BtnCalcEscrowsClick();
    void BtnClosePnlEscrowClick();
    void btnClosePnlEscrowExit();

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

protected:
    // Keeps Tab and Backtab inside an open panel.
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildInputs();
    void buildResults();
    void buildClosingPanel();
    void buildEscrowPanel();
    void bindHandlers();
    void startFromDefaults();

    void showLocks();
    void setIncomeAndDebtEnabled(bool enabled);
    void afterLock();
    QFrame *openPanel() const;

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

    // Closing-cost panel
    QFrame *m_pnlClosing = nullptr;
    TNumEdit *m_edtOriginationFee = nullptr;
    TNumEdit *m_edtLOF = nullptr;
    TNumEdit *m_edtAF = nullptr;
    TNumEdit *m_edtCR = nullptr;
    TNumEdit *m_edtTSF = nullptr;
    TNumEdit *m_edtLPF = nullptr;
    TNumEdit *m_edtTIF = nullptr;
    TNumEdit *m_edtTS = nullptr;
    TNumEdit *m_edtSTT = nullptr;
    TNumEdit *m_edtRF = nullptr;
    TNumEdit *m_edtClosingPMI = nullptr;
    TNumEdit *m_edtOF = nullptr;
    TNumEdit *m_edtSellerPaid = nullptr;
    QPushButton *m_btnClosePnlClosing = nullptr;

    // Escrow panel
    QFrame *m_pnlEscrow = nullptr;
    TNumEdit *m_edtII = nullptr;
    TFnpNumericEdit *m_edtIIDays = nullptr;
    TNumEdit *m_edtPTI = nullptr;
    TFnpNumericEdit *m_edtPTIMonths = nullptr;
    TNumEdit *m_edtHOIP = nullptr;
    TFnpNumericEdit *m_edtHOIPMonths = nullptr;
    TNumEdit *m_edtHOII = nullptr;
    TFnpNumericEdit *m_edtHOIIMonths = nullptr;
    TNumEdit *m_edtPMII = nullptr;
    TFnpNumericEdit *m_edtPMIIMonths = nullptr;
    TFnpNumericEdit *m_edtPMIPercent = nullptr;
    QPushButton *m_btnClosePnlEscrow = nullptr;
};

} // namespace clvn
