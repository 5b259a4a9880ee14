#include "calculators/EccPage.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/EccClosingPanel.h"
#include "calculators/EccEscrowPanel.h"
#include "calculators/StateFields.h"
#include "finance/ClosingCosts.h"
#include "state/BuyerValues.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScopedValueRollback>

#include <type_traits>

namespace clvn {

namespace {

// A padlock, shut or open: the key buttons show the state a click leaves.
QIcon padlockIcon(bool shut)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(80, 80, 80), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    if (shut) {
        shackle.moveTo(9, 15);
        shackle.lineTo(9, 10);
        shackle.arcTo(QRectF(9, 3, 14, 14), 180, -180);
        shackle.lineTo(23, 15);
    } else {
        shackle.moveTo(20, 15);
        shackle.lineTo(20, 8);
        shackle.arcTo(QRectF(20, 1, 10, 14), 180, -180);
        shackle.lineTo(30, 11);
    }
    painter.drawPath(shackle);
    painter.setPen(QPen(QColor(120, 90, 10), 1.5));
    painter.setBrush(QColor(222, 176, 40));
    painter.drawRoundedRect(QRectF(5, 14, 22, 16), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 45, 5));
    painter.drawEllipse(QPointF(16, 20.5), 2.5, 2.5);
    painter.drawRect(QRectF(15, 21, 2, 5));
    painter.end();
    return QIcon(pixmap);
}

// The premium table of the stored defaults.
PmiPremiums premiumsOf(const BuyerValues &v)
{
    PmiPremiums p;
    p.longTerm = {v.Pmip308085, v.Pmip308590, v.Pmip309095, v.Pmip309597};
    p.shortTerm = {v.Pmip158085, v.Pmip158590, v.Pmip159095, v.Pmip159597};
    return p;
}

} // namespace

EccPage::EccPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("ECC"), parent)
{
    buildInputs();
    buildResults();
    // The panels' fees and counts start from the stored defaults, which are
    // the factory figures until the user stores his own.
    m_pnlClosing = new EccClosingPanel(*this, this);
    m_pnlClosing->startFrom(host.buyerValues());
    m_pnlEscrow = new EccEscrowPanel(*this, this);
    m_pnlEscrow->startFrom(host.buyerValues());
    showLocks();
    bindHandlers();
}

void EccPage::buildInputs()
{
    static constexpr int LabelX = 6, LabelW = 150, FieldX = 158, FieldW = 100;
    const auto row = [&](const QString &caption, int y, int height = FieldHeight) {
        addLabel(this, caption, QRect(LabelX, y, LabelW, height));
        return QRect(FieldX, y + (height - FieldHeight) / 2, FieldW, FieldHeight);
    };
    m_edtEccIncome = addMoney(this, QStringLiteral("edtEccIncome"),
                              row(QStringLiteral("Monthly Income"), 6), 4000);
    m_edtEccDebt =
        addMoney(this, QStringLiteral("edtEccDebt"), row(QStringLiteral("Monthly Debt"), 30), 450);
    m_edtEccInterest = addNumber(this, QStringLiteral("edtEccInterest"),
                                 row(QStringLiteral("Interest Rate"), 54), 3, 7);
    m_edtEccOriginationPoints = addNumber(this, QStringLiteral("edtEccOriginationPoints"),
                                          row(QStringLiteral("Origination Points"), 78), 3, 0);
    m_edtEccDiscountPoints = addNumber(this, QStringLiteral("edtEccDiscountPoints"),
                                       row(QStringLiteral("Discount Points"), 102), 3, 0);
    m_edtEccTerm = addNumber(this, QStringLiteral("edtEccTerm"),
                             row(QStringLiteral("Term (Years)"), 126), 0, 30);
    m_edtEccDownPaymentPercent =
        addNumber(this, QStringLiteral("edtEccDownPaymentPercent"),
                  row(QStringLiteral("Down Payment Percent"), 150), DownPaymentPercentDecimals, 20);
    m_edtEccTax =
        addMoney(this, QStringLiteral("edtEccTax"),
                 row(QStringLiteral("Real Estate Taxes\n(Annual Estimate)"), 176, 28), 1800);
    m_edtEccInsurance =
        addMoney(this, QStringLiteral("edtEccInsurance"),
                 row(QStringLiteral("Homeowner's Insurance\n(Annual Estimate)"), 208, 28), 360);
    m_edtEccAssociationFee =
        addMoney(this, QStringLiteral("edtEccAssociationFee"),
                 row(QStringLiteral("Association Fee\n(MonthlyEstimate)"), 240, 28), 0);

    addHeading(this, QStringLiteral("Qualifying Ratios"), QRect(LabelX, 288, 96, 30));
    addLabel(this, QStringLiteral("Housing"), QRect(FieldX - 56, 276, 52, 16), Qt::AlignCenter);
    addLabel(this, QStringLiteral("Debt"), QRect(FieldX + 4, 276, 52, 16), Qt::AlignCenter);
    m_edtEccHousingRatio = addNumber(this, QStringLiteral("edtEccHousingRatio"),
                                     QRect(FieldX - 56, 294, 52, FieldHeight), 0, 28);
    m_edtEccDebtRatio = addNumber(this, QStringLiteral("edtEccDebtRatio"),
                                  QRect(FieldX + 4, 294, 52, FieldHeight), 0, 36);

    addLabel(this, QStringLiteral("Clicking on a key allows you to modify default values."),
             QRect(LabelX, 332, 260, 34));
}

void EccPage::buildResults()
{
    static constexpr int LabelX = 290, LabelW = 152, KeyX = 446, KeyW = 22, FieldX = 472,
                         FieldW = 108;
    const auto label = [&](const QString &caption, int y) {
        addLabel(this, caption, QRect(LabelX, y, LabelW, FieldHeight));
        return QRect(FieldX, y, FieldW, FieldHeight);
    };
    const auto keyPair = [&](const QString &field, const QString &what, int y, QPushButton *&unlock,
                             QPushButton *&lock) {
        const QRect at(KeyX, y, KeyW, FieldHeight);
        unlock = addButton(this, u"btnUnlock" + field, QString(), u"Click to unlock " + what, at);
        lock = addButton(this, u"btnLock" + field, QString(), u"Click to lock " + what, at);
        unlock->setIcon(padlockIcon(true));
        lock->setIcon(padlockIcon(false));
        lock->hide();
    };

    m_edtEccCPurchasePrice = addMoneyResult(this, QStringLiteral("edtEccCPurchasePrice"),
                                            label(QStringLiteral("Purchase Price"), 6));
    keyPair(QStringLiteral("PurchasePrice"), QStringLiteral("purchase price"), 6,
            m_btnUnlockPurchasePrice, m_btnLockPurchasePrice);
    m_edtEccCDownPayment = addMoneyResult(this, QStringLiteral("edtEccCDownPayment"),
                                          label(QStringLiteral("Down Payment Amount"), 30));
    keyPair(QStringLiteral("DownPayment"), QStringLiteral("down payment amount"), 30,
            m_btnUnlockDownPayment, m_btnLockDownPayment);
    m_edtEccCLoanAmount = addMoneyResult(this, QStringLiteral("edtEccCLoanAmount"),
                                         label(QStringLiteral("Loan Amount"), 54));
    keyPair(QStringLiteral("LoanAmount"), QStringLiteral("loan amount"), 54, m_btnUnlockLoanAmount,
            m_btnLockLoanAmount);

    m_edtEccCPandI = addMoneyResult(this, QStringLiteral("edtEccCPandI"),
                                    label(QStringLiteral("Principal & Interest"), 84));
    m_edtEccCMonthlyTax = addMoneyResult(this, QStringLiteral("edtEccCMonthlyTax"),
                                         label(QStringLiteral("Real Estate Taxes"), 108));
    m_edtEccCMonthlyInsurance = addMoneyResult(this, QStringLiteral("edtEccCMonthlyInsurance"),
                                               label(QStringLiteral("Homeowner's Insurance"), 132));
    m_edtEccCpmi = addMoneyResult(this, QStringLiteral("edtEccCpmi"),
                                  label(QStringLiteral("Private Mortgage Insurance"), 156));
    m_edtEccCMonthlyPayment = addMoneyResult(this, QStringLiteral("edtEccCMonthlyPayment"),
                                             label(QStringLiteral("Total Monthly Payment"), 180));

    const QString lineItems = QStringLiteral("View line items");
    m_btnCalcClosing =
        addButton(this, QStringLiteral("btnCalcClosing"), QStringLiteral("Estimated Closing Costs"),
                  lineItems, QRect(LabelX, 209, KeyX + KeyW - LabelX, 24));
    m_edtEccCClosingCosts = addMoneyResult(this, QStringLiteral("edtEccCClosingCosts"),
                                           QRect(FieldX, 210, FieldW, FieldHeight));
    m_btnCalcEscrows =
        addButton(this, QStringLiteral("btnCalcEscrows"), QStringLiteral("Estimated Escrows"),
                  lineItems, QRect(LabelX, 237, KeyX + KeyW - LabelX, 24));
    m_edtEccCEscrows = addMoneyResult(this, QStringLiteral("edtEccCEscrows"),
                                      QRect(FieldX, 238, FieldW, FieldHeight));

    addLabel(this, QStringLiteral("Your Actual Housing Ratio"),
             QRect(LabelX, 268, LabelW, FieldHeight));
    m_edtEccCHousingRatio = addNumber(this, QStringLiteral("edtEccCHousingRatio"),
                                      QRect(FieldX, 268, 52, FieldHeight), 0, 0);
    m_edtEccCHousingRatio->setResultField(true);
    addLabel(this, QStringLiteral("Your Actual Debt Ratio"),
             QRect(LabelX, 292, LabelW, FieldHeight));
    m_edtEccCDebtRatio = addNumber(this, QStringLiteral("edtEccCDebtRatio"),
                                   QRect(FieldX, 292, 52, FieldHeight), 0, 0);
    m_edtEccCDebtRatio->setResultField(true);

    addHeading(this, QStringLiteral("Cash Required at Closing"),
               QRect(LabelX, 324, LabelW + 30, FieldHeight));
    m_edtEccCCashRequiredToClose =
        addMoneyResult(this, QStringLiteral("edtEccCCashRequiredToClose"),
                       QRect(FieldX, 324, FieldW, FieldHeight));
}

void EccPage::bindHandlers()
{
    calculateOnLeave(numberFields(), [this] {
        if (!m_resetting)
            CalcECC();
    });

    const auto onClick = [this](QPushButton *button, void (EccPage::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this,
                       [this, handler] { (this->*handler)(); });
    };
    onClick(m_btnCalcClosing, &EccPage::BtnCalcClosingClick);
    onClick(m_btnCalcEscrows, &EccPage::BtnCalcEscrowsClick);
    onClick(m_btnUnlockPurchasePrice, &EccPage::btnUnlockPurchasePriceClick);
    onClick(m_btnLockPurchasePrice, &EccPage::btnLockPurchasePriceClick);
    onClick(m_btnUnlockDownPayment, &EccPage::btnUnlockDownPaymentClick);
    onClick(m_btnLockDownPayment, &EccPage::btnLockDownPaymentClick);
    onClick(m_btnUnlockLoanAmount, &EccPage::btnUnlockLoanAmountClick);
    onClick(m_btnLockLoanAmount, &EccPage::btnLockLoanAmountClick);
}

void EccPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    const BuyerValues &values = host().buyerValues();
    m_edtEccHousingRatio->setValue(values.HRatio);
    m_edtEccDebtRatio->setValue(values.DRatio);
    guard([this] { CalcECC(); });
    if (allResultsLocked())
        m_edtEccIncome->setFocus();
    else
        m_edtEccInterest->setFocus();
}

void EccPage::CalcECC()
{
    host().setResetEnabled(true);
    host().AllowPrinting();

    PurchaseInputs in;
    in.annualTax = m_edtEccTax->value();
    in.annualInsurance = m_edtEccInsurance->value();
    in.associationFee = m_edtEccAssociationFee->value();
    in.income = m_edtEccIncome->value();
    in.monthlyDebt = m_edtEccDebt->value();
    in.housingRatio = m_edtEccHousingRatio->value();
    in.debtRatio = m_edtEccDebtRatio->value();
    in.rate = m_edtEccInterest->value();
    in.termYears = m_edtEccTerm->asInteger();
    in.downPaymentPercent = m_edtEccDownPaymentPercent->value();
    in.locks = {m_PurchasePriceLocked, m_DownPaymentLocked, m_LoanAmountLocked};
    in.price = m_edtEccCPurchasePrice->value();
    in.downPayment = m_edtEccCDownPayment->value();
    in.loan = m_edtEccCLoanAmount->value();
    in.premiums = premiumsOf(host().buyerValues());
    const PurchaseEstimate purchase = EstimatePurchase(in);

    CostInputs costs;
    costs.rate = in.rate;
    costs.originationPoints = m_edtEccOriginationPoints->value();
    costs.discountPoints = m_edtEccDiscountPoints->value();
    costs.fees = m_pnlClosing->fees();
    costs.sellerPaid = m_pnlClosing->sellerPaid();
    costs.counts = m_pnlEscrow->counts(purchase);
    const CostEstimate cost = EstimateCosts(purchase, costs);

    // Everything worked out: only now is anything shown.
    m_edtEccCMonthlyTax->setValue(purchase.monthlyTax);
    m_edtEccCMonthlyInsurance->setValue(purchase.monthlyInsurance);
    if (purchase.priceSolved)
        m_edtEccCPurchasePrice->setValue(purchase.price);
    if (purchase.downPaymentSolved)
        m_edtEccCDownPayment->setValue(purchase.downPayment);
    if (purchase.loanSolved)
        m_edtEccCLoanAmount->setValue(purchase.loan);
    if (purchase.percentSolved)
        m_edtEccDownPaymentPercent->setValue(purchase.downPaymentPercent);
    m_edtEccCPandI->setValue(purchase.principalAndInterest);
    m_edtEccCpmi->setValue(purchase.monthlyPmi);
    m_edtEccCMonthlyPayment->setValue(purchase.monthlyPayment);
    m_edtEccCHousingRatio->setValue(purchase.housingRatio);
    m_edtEccCDebtRatio->setValue(purchase.debtRatio);
    m_pnlClosing->showFigures(cost.originationFee, cost.discountFee, purchase.monthlyPmi);
    m_edtEccCClosingCosts->setValue(cost.closingCosts);
    m_pnlEscrow->showFigures(cost.escrow, purchase.premium);
    m_edtEccCEscrows->setValue(cost.escrows);
    m_edtEccCCashRequiredToClose->setValue(cost.cashToClose);
}

void EccPage::BtnCalcClosingClick()
{
    m_pnlClosing->open();
}

void EccPage::BtnCalcEscrowsClick()
{
    m_pnlEscrow->open();
}

void EccPage::setPanelKeysEnabled(bool enabled)
{
    m_btnCalcClosing->setEnabled(enabled);
    m_btnCalcEscrows->setEnabled(enabled);
}

void EccPage::showClosingCostTotal(double total)
{
    m_edtEccCClosingCosts->setValue(total);
}

void EccPage::showEscrowTotal(double total)
{
    m_edtEccCEscrows->setValue(total);
}

void EccPage::showLocks()
{
    m_edtEccCPurchasePrice->setResultField(m_PurchasePriceLocked);
    m_btnUnlockPurchasePrice->setVisible(m_PurchasePriceLocked);
    m_btnLockPurchasePrice->setVisible(!m_PurchasePriceLocked);
    m_edtEccCDownPayment->setResultField(m_DownPaymentLocked);
    m_btnUnlockDownPayment->setVisible(m_DownPaymentLocked);
    m_btnLockDownPayment->setVisible(!m_DownPaymentLocked);
    m_edtEccCLoanAmount->setResultField(m_LoanAmountLocked);
    m_btnUnlockLoanAmount->setVisible(m_LoanAmountLocked);
    m_btnLockLoanAmount->setVisible(!m_LoanAmountLocked);
}

void EccPage::setIncomeAndDebtEnabled(bool enabled)
{
    for (TNumEdit *field : {m_edtEccIncome, m_edtEccDebt}) {
        field->setEnabled(enabled);
        field->setFocusPolicy(enabled ? Qt::StrongFocus : Qt::NoFocus);
    }
}

void EccPage::afterLock()
{
    showLocks();
    setIncomeAndDebtEnabled(allResultsLocked());
    if (allResultsLocked())
        m_edtEccIncome->setFocus();
}

void EccPage::btnUnlockPurchasePriceClick()
{
    m_PurchasePriceLocked = false;
    m_LoanAmountLocked = true;
    showLocks();
    setIncomeAndDebtEnabled(false);
    m_edtEccCPurchasePrice->setFocus();
}

void EccPage::btnUnlockDownPaymentClick()
{
    m_DownPaymentLocked = false;
    showLocks();
    // The percent now follows from the typed amount: shown, not typed.
    m_edtEccDownPaymentPercent->setEnabled(false);
    m_edtEccDownPaymentPercent->setResultField(true);
    setIncomeAndDebtEnabled(false);
    m_edtEccCDownPayment->setFocus();
}

void EccPage::btnUnlockLoanAmountClick()
{
    m_LoanAmountLocked = false;
    m_PurchasePriceLocked = true;
    showLocks();
    setIncomeAndDebtEnabled(false);
    m_edtEccCLoanAmount->setFocus();
}

void EccPage::btnLockPurchasePriceClick()
{
    m_PurchasePriceLocked = true;
    afterLock();
}

void EccPage::btnLockDownPaymentClick()
{
    m_DownPaymentLocked = true;
    m_edtEccDownPaymentPercent->setResultField(false);
    m_edtEccDownPaymentPercent->setEnabled(true);
    afterLock();
}

void EccPage::btnLockLoanAmountClick()
{
    m_LoanAmountLocked = true;
    afterLock();
}

QVariant EccPage::layoutForUndo() const
{
    return QVariantList{m_PurchasePriceLocked, m_DownPaymentLocked, m_LoanAmountLocked};
}

void EccPage::restoreLayoutForUndo(const QVariant &kept)
{
    const QVariantList locks = kept.toList();
    if (locks.size() != 3)
        return;
    const QScopedValueRollback resetting(m_resetting, true);
    if (!locks.at(1).toBool())
        btnUnlockDownPaymentClick();
    // The purchase price and the loan amount are never both unlocked.
    if (!locks.at(0).toBool())
        btnUnlockPurchasePriceClick();
    else if (!locks.at(2).toBool())
        btnUnlockLoanAmountClick();
}

void EccPage::Reset()
{
    const QScopedValueRollback resetting(m_resetting, true);
    btnLockDownPaymentClick();
    btnLockLoanAmountClick();
    btnLockPurchasePriceClick();

    m_edtEccIncome->setValue(4000);
    m_edtEccDebt->setValue(450);
    m_edtEccInterest->setValue(7);
    m_edtEccOriginationPoints->setValue(0);
    m_edtEccDiscountPoints->setValue(0);
    m_edtEccTerm->setValue(30);
    m_edtEccDownPaymentPercent->setValue(20);
    m_edtEccTax->setValue(1800);
    m_edtEccInsurance->setValue(360);
    m_edtEccAssociationFee->setValue(0);
    m_edtEccHousingRatio->setValue(28);
    m_edtEccDebtRatio->setValue(40);

    m_pnlClosing->reset();
    m_pnlEscrow->reset();

    for (TNumEdit *result :
         {m_edtEccCPurchasePrice, m_edtEccCDownPayment, m_edtEccCLoanAmount, m_edtEccCPandI,
          m_edtEccCMonthlyTax, m_edtEccCMonthlyInsurance, m_edtEccCpmi, m_edtEccCMonthlyPayment,
          m_edtEccCClosingCosts, m_edtEccCEscrows, m_edtEccCCashRequiredToClose})
        result->setValue(0);
    m_edtEccCHousingRatio->setValue(0);
    m_edtEccCDebtRatio->setValue(0);

    m_edtEccIncome->setFocus();
    host().setResetEnabled(false);
    host().DisallowPrinting();
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<EccPage>> EccPage::fields()
{
    using P = EccPage;
    static constexpr PageField<P> table[] = {
        {"Income", at<&P::m_edtEccIncome>, FieldKind::Number},
        {"Debt", at<&P::m_edtEccDebt>, FieldKind::Number},
        {"Interest", at<&P::m_edtEccInterest>, FieldKind::Number},
        {"OriginationPoints", at<&P::m_edtEccOriginationPoints>, FieldKind::Number},
        {"DiscountPoints", at<&P::m_edtEccDiscountPoints>, FieldKind::Number},
        {"Term", at<&P::m_edtEccTerm>, FieldKind::Number},
        {"DownPaymentPercent", at<&P::m_edtEccDownPaymentPercent>, FieldKind::Number},
        {"Tax", at<&P::m_edtEccTax>, FieldKind::Number},
        {"Insurance", at<&P::m_edtEccInsurance>, FieldKind::Number},
        {"AssociationFee", at<&P::m_edtEccAssociationFee>, FieldKind::Number},
        {"HousingRatio", at<&P::m_edtEccHousingRatio>, FieldKind::Number},
        {"DebtRatio", at<&P::m_edtEccDebtRatio>, FieldKind::Number},
    };
    return table;
}

void EccPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
    m_pnlClosing->saveState(state);
    m_pnlEscrow->saveState(state);
}

void EccPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
    m_pnlClosing->restoreState(state);
    m_pnlEscrow->restoreState(state);
}

} // namespace clvn
