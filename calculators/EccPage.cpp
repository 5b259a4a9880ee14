#include "calculators/EccPage.h"

#include "calculators/PageControls.h"

#include "app/settings/BuyerValues.h"
#include "app/settings/SettingsFile.h"
#include "calculators/CalculatorHost.h"
#include "finance/Errors.h"
#include "finance/MortLib.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScopedValueRollback>

#include <limits>
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

// Storing the percent recomputes it from the amounts: a price of 0 has no
// percent, and that must reach the handler rather than show as "nan".
double downPaymentPercent(double downPayment, double price)
{
    return fpe::checked(downPayment / price * 100, "down payment percent of the price");
}

} // namespace

EccPage::EccPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("ECC"), parent)
{
    buildInputs();
    buildResults();
    buildClosingPanel();
    buildEscrowPanel();
    startFromDefaults();
    showLocks();
    bindHandlers();
}

QString EccPage::title() const
{
    return QStringLiteral("Estimated Closing Costs");
}

int EccPage::helpTopic() const
{
    return 70;
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
    m_edtEccDownPaymentPercent = addNumber(this, QStringLiteral("edtEccDownPaymentPercent"),
                                           row(QStringLiteral("Down Payment Percent"), 150), 3, 20);
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

void EccPage::buildClosingPanel()
{
    m_pnlClosing = new QFrame(this);
    m_pnlClosing->setObjectName(QStringLiteral("pnlClosing"));
    m_pnlClosing->setGeometry(144, 2, 300, 376);
    m_pnlClosing->setFrameShape(QFrame::Panel);
    m_pnlClosing->setFrameShadow(QFrame::Raised);
    m_pnlClosing->setLineWidth(2);
    m_pnlClosing->setAutoFillBackground(true);
    addHeading(m_pnlClosing, QStringLiteral("Estimated Closing Costs"), QRect(8, 6, 284, 20),
               Qt::AlignCenter);

    int y = 32;
    const auto row = [&](const QString &name, const QString &caption, bool computed) {
        addLabel(m_pnlClosing, caption, QRect(12, y, 160, FieldHeight));
        TNumEdit *edit = computed
                             ? addMoneyResult(m_pnlClosing, name, QRect(176, y, 110, FieldHeight))
                             : addMoney(m_pnlClosing, name, QRect(176, y, 110, FieldHeight), 0);
        y += 23;
        return edit;
    };
    m_edtOriginationFee =
        row(QStringLiteral("edtOriginationFee"), QStringLiteral("Loan Origination Fee"), true);
    m_edtLOF = row(QStringLiteral("edtLOF"), QStringLiteral("Discount Points"), true);
    m_edtAF = row(QStringLiteral("edtAF"), QStringLiteral("Appraisal Fee"), false);
    m_edtCR = row(QStringLiteral("edtCR"), QStringLiteral("Credit Report"), false);
    m_edtTSF = row(QStringLiteral("edtTSF"), QStringLiteral("Tax-related Service Fee"), false);
    m_edtLPF = row(QStringLiteral("edtLPF"), QStringLiteral("Lender's Inspection Fee"), false);
    m_edtTIF = row(QStringLiteral("edtTIF"), QStringLiteral("Title Insurance"), false);
    m_edtTS = row(QStringLiteral("edtTS"), QStringLiteral("Title Search"), false);
    m_edtSTT = row(QStringLiteral("edtSTT"), QStringLiteral("Escrow Closing Fee"), false);
    m_edtRF = row(QStringLiteral("edtRF"), QStringLiteral("Recording Fee"), false);
    m_edtClosingPMI = row(QStringLiteral("edtClosingPMI"), QStringLiteral("PMI"), true);
    m_edtOF = row(QStringLiteral("edtOF"), QStringLiteral("Other Fees"), false);
    m_edtSellerPaid =
        row(QStringLiteral("edtSellerPaid"), QStringLiteral("Seller Paid Costs"), false);

    m_btnClosePnlClosing = addButton(
        m_pnlClosing, QStringLiteral("btnClosePnlClosing"), QStringLiteral("OK"),
        QStringLiteral("Click to close Estimated Closing Costs"), QRect(110, y + 10, 80, 26));
    m_pnlClosing->hide();
}

void EccPage::buildEscrowPanel()
{
    m_pnlEscrow = new QFrame(this);
    m_pnlEscrow->setObjectName(QStringLiteral("pnlEscrow"));
    m_pnlEscrow->setGeometry(96, 70, 400, 236);
    m_pnlEscrow->setFrameShape(QFrame::Panel);
    m_pnlEscrow->setFrameShadow(QFrame::Raised);
    m_pnlEscrow->setLineWidth(2);
    m_pnlEscrow->setAutoFillBackground(true);
    addHeading(m_pnlEscrow, QStringLiteral("Estimated Prepaids & Reserves"), QRect(8, 6, 384, 20),
               Qt::AlignCenter);

    int y = 34;
    const auto row = [&](const QString &amount, const QString &count, const QString &caption,
                         TNumEdit *&amountEdit, TFnpNumericEdit *&countEdit) {
        addLabel(m_pnlEscrow, caption, QRect(12, y, 226, FieldHeight));
        amountEdit = addMoneyResult(m_pnlEscrow, amount, QRect(240, y, 100, FieldHeight));
        countEdit = addNumber(m_pnlEscrow, count, QRect(346, y, 42, FieldHeight), 0, 0);
        countEdit->setAlignment(Qt::AlignCenter);
        y += 24;
    };
    row(QStringLiteral("edtII"), QStringLiteral("edtIIDays"),
        QStringLiteral("Prepaid Interest / Days"), m_edtII, m_edtIIDays);
    row(QStringLiteral("edtPTI"), QStringLiteral("edtPTIMonths"),
        QStringLiteral("Real Estate Taxes / Months"), m_edtPTI, m_edtPTIMonths);
    row(QStringLiteral("edtHOIP"), QStringLiteral("edtHOIPMonths"),
        QStringLiteral("Homeowner's Insurance (First Year) / Months"), m_edtHOIP, m_edtHOIPMonths);
    row(QStringLiteral("edtHOII"), QStringLiteral("edtHOIIMonths"),
        QStringLiteral("Homeowner's Insurance (Renewal) / Months"), m_edtHOII, m_edtHOIIMonths);
    row(QStringLiteral("edtPMII"), QStringLiteral("edtPMIIMonths"), QStringLiteral("PMI"),
        m_edtPMII, m_edtPMIIMonths);
    m_edtPMIIMonths->setValue(1);
    m_edtPMIIMonths->hide();

    addLabel(m_pnlEscrow, QStringLiteral("PMI Premium Rate"), QRect(12, y + 6, 226, FieldHeight));
    m_edtPMIPercent = addNumber(m_pnlEscrow, QStringLiteral("edtPMIPercent"),
                                QRect(240, y + 6, 100, FieldHeight), 4, 0);
    m_edtPMIPercent->setResultField(true);

    m_btnClosePnlEscrow = addButton(
        m_pnlEscrow, QStringLiteral("btnClosePnlEscrow"), QStringLiteral("OK"),
        QStringLiteral("Click to close Estimated Prepaids & Reserves"), QRect(160, y + 40, 80, 26));
    m_pnlEscrow->hide();
}

// The panels' fees and counts start from the stored defaults, which are the
// factory figures until the user stores his own.
void EccPage::startFromDefaults()
{
    const BuyerValues &values = host().buyerValues();
    m_edtAF->setValue(values.AppraisalFee);
    m_edtCR->setValue(values.CreditReport);
    m_edtTSF->setValue(values.TaxServiceFee);
    m_edtLPF->setValue(values.LendersInspectionFee);
    m_edtTIF->setValue(values.TitleInsurance);
    m_edtTS->setValue(values.TitleSearch);
    m_edtSTT->setValue(values.EscrowClosingFee);
    m_edtRF->setValue(values.RecordingFee);
    m_edtOF->setValue(values.OtherFees);
    m_edtSellerPaid->setValue(values.SellerPaid);
    m_edtIIDays->setValue(values.InterimInterestDays);
    m_edtPTIMonths->setValue(values.PropertyTaxMonths);
    m_edtHOIPMonths->setValue(values.HomeownersFirstYear);
    m_edtHOIIMonths->setValue(values.HomeownersRenewalMonths);
}

void EccPage::bindHandlers()
{
    const auto calcOnLeave = [this](auto *field) {
        connectGuarded(field, &std::remove_pointer_t<decltype(field)>::left, this, [this] {
            if (!m_resetting)
                CalcECC();
        });
    };
    for (TNumEdit *field : findChildren<TNumEdit *>())
        calcOnLeave(field);
    for (TFnpNumericEdit *field : findChildren<TFnpNumericEdit *>())
        calcOnLeave(field);

    const auto onClick = [this](QPushButton *button, void (EccPage::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this,
                       [this, handler] { (this->*handler)(); });
    };
    onClick(m_btnCalcClosing, &EccPage::BtnCalcClosingClick);
    onClick(m_btnClosePnlClosing, &EccPage::BtnClosePnlClosingClick);
    onClick(m_btnCalcEscrows, &EccPage::BtnCalcEscrowsClick);
    onClick(m_btnClosePnlEscrow, &EccPage::BtnClosePnlEscrowClick);
    onClick(m_btnUnlockPurchasePrice, &EccPage::btnUnlockPurchasePriceClick);
    onClick(m_btnLockPurchasePrice, &EccPage::btnLockPurchasePriceClick);
    onClick(m_btnUnlockDownPayment, &EccPage::btnUnlockDownPaymentClick);
    onClick(m_btnLockDownPayment, &EccPage::btnLockDownPaymentClick);
    onClick(m_btnUnlockLoanAmount, &EccPage::btnUnlockLoanAmountClick);
    onClick(m_btnLockLoanAmount, &EccPage::btnLockLoanAmountClick);

    m_btnClosePnlClosing->installEventFilter(this);
    m_btnClosePnlEscrow->installEventFilter(this);
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

double EccPage::DeterminePMIPremium(double ltv, std::int32_t termYears, const BuyerValues &values)
{
    const bool longTerm = termYears > 15;
    if (ltv <= 80 || ltv > 97)
        return 0;
    if (ltv <= 85)
        return longTerm ? values.Pmip308085 : values.Pmip158085;
    if (ltv <= 90)
        return longTerm ? values.Pmip308590 : values.Pmip158590;
    if (ltv <= 95)
        return longTerm ? values.Pmip309095 : values.Pmip159095;
    return longTerm ? values.Pmip309597 : values.Pmip159597;
}

void EccPage::CalcECC()
{
    host().setResetEnabled(true);
    host().AllowPrinting();
    const BuyerValues &values = host().buyerValues();

    const double monthlyTax = m_edtEccTax->value() / 12;
    m_edtEccCMonthlyTax->setValue(monthlyTax);
    const double monthlyInsurance = m_edtEccInsurance->value() / 12;
    m_edtEccCMonthlyInsurance->setValue(monthlyInsurance);
    const double associationFee = m_edtEccAssociationFee->value();
    const double fixedCosts = monthlyTax + monthlyInsurance + associationFee;

    const double income = m_edtEccIncome->value();
    const double monthlyDebt = m_edtEccDebt->value();
    const double housingLimit = income * m_edtEccHousingRatio->value() * 0.01;
    const double debtLimit = income * m_edtEccDebtRatio->value() * 0.01 - monthlyDebt;
    const double largestPayment = debtLimit < housingLimit ? debtLimit : housingLimit;

    const double rate = m_edtEccInterest->value();
    const std::int32_t years = m_edtEccTerm->asInteger();
    // A term in years that has no month count at all cannot be a loan.
    if (years > std::numeric_limits<std::int32_t>::max() / 12 ||
        years < std::numeric_limits<std::int32_t>::min() / 12)
        throw FloatError(FloatError::Kind::Overflow, "CalcECC: term in months out of range");
    const std::int32_t months = years * 12;

    double premium = DeterminePMIPremium(100 - m_edtEccDownPaymentPercent->value(), years, values);

    const double d = m_edtEccDownPaymentPercent->value() / 100;
    double price = 0;
    double downPayment = 0;
    double loan = 0;
    bool storePercent = false;
    const bool priceLocked = m_PurchasePriceLocked;
    const bool downLocked = m_DownPaymentLocked;
    const bool loanLocked = m_LoanAmountLocked;
    if (priceLocked && downLocked && loanLocked) {
        // Affordability: the loan the payment budget carries, a second pass
        // with the PMI of the first loan taken off the budget.
        loan = CalcLoanAmount(months, largestPayment - fixedCosts, rate, 0);
        const double firstPmi = premium * loan / 12;
        loan = CalcLoanAmount(months, largestPayment - (fixedCosts + firstPmi), rate, 0);
        if (loan <= 0)
            loan = 0;
        price = d == 0 ? loan : loan * (1 + d);
        price = RoundHalfEven(price, -3);
        downPayment = price * d;
        loan = price - downPayment;
        m_edtEccCPurchasePrice->setValue(price);
        m_edtEccCDownPayment->setValue(downPayment);
        m_edtEccCLoanAmount->setValue(loan);
    } else if (!priceLocked && downLocked && loanLocked) {
        price = m_edtEccCPurchasePrice->value();
        downPayment = price * d;
        loan = price - downPayment;
        m_edtEccCDownPayment->setValue(downPayment);
        m_edtEccCLoanAmount->setValue(loan);
    } else if (!priceLocked && !downLocked && loanLocked) {
        price = m_edtEccCPurchasePrice->value();
        downPayment = m_edtEccCDownPayment->value();
        loan = price - downPayment;
        m_edtEccCLoanAmount->setValue(loan);
        storePercent = true;
    } else if (priceLocked && !downLocked && loanLocked) {
        price = m_edtEccCPurchasePrice->value();
        downPayment = m_edtEccCDownPayment->value();
        loan = price - downPayment;
        m_edtEccCLoanAmount->setValue(loan);
        storePercent = true;
    } else if (priceLocked && !downLocked && !loanLocked) {
        downPayment = m_edtEccCDownPayment->value();
        loan = m_edtEccCLoanAmount->value();
        price = loan + downPayment;
        m_edtEccCPurchasePrice->setValue(price);
        storePercent = true;
    } else {
        // Loan typed: the price it is the loan part of. The unlock keys never
        // leave the price and the loan typed together, so this is L, L, U.
        loan = m_edtEccCLoanAmount->value();
        price = d == 0 ? loan : fpe::checked(loan / (1 - d), "price from the loan amount");
        downPayment = price * d;
        m_edtEccCPurchasePrice->setValue(price);
        m_edtEccCDownPayment->setValue(downPayment);
    }
    if (storePercent) {
        m_edtEccDownPaymentPercent->setValue(downPaymentPercent(downPayment, price));
        premium = DeterminePMIPremium(100 - m_edtEccDownPaymentPercent->value(), years, values);
    }

    const double principalAndInterest = CalcPayment(months, rate / 1200, loan);
    const double monthlyPmi = premium * loan / 12;
    const double total = fixedCosts + monthlyPmi + principalAndInterest;
    m_edtEccCPandI->setValue(principalAndInterest);
    m_edtEccCpmi->setValue(monthlyPmi);
    m_edtClosingPMI->setValue(monthlyPmi);
    m_edtEccCMonthlyPayment->setValue(total);

    double housingRatio = 0;
    double debtRatio = 0;
    if (income != 0) {
        housingRatio = fpe::checked(total / income * 100, "CalcECC housing ratio");
        debtRatio = fpe::checked((total + monthlyDebt) / income * 100, "CalcECC debt ratio");
    }
    m_edtEccCHousingRatio->setValue(housingRatio);
    m_edtEccCDebtRatio->setValue(debtRatio);

    const double originationFee = m_edtEccOriginationPoints->value() * loan * 0.01;
    m_edtOriginationFee->setValue(originationFee);
    const double discountFee = m_edtEccDiscountPoints->value() * loan * 0.01;
    m_edtLOF->setValue(discountFee);
    const double closingCosts = discountFee + originationFee + m_edtCR->value() + m_edtAF->value() +
                                m_edtTSF->value() + m_edtLPF->value() + m_edtSTT->value() +
                                m_edtTS->value() + m_edtTIF->value() + m_edtRF->value() +
                                m_edtOF->value() + monthlyPmi;
    m_edtEccCClosingCosts->setValue(closingCosts);

    m_edtPMII->setValue(m_edtPMIIMonths->asInteger() * monthlyPmi);
    m_edtHOIP->setValue(monthlyInsurance > 0 ? m_edtHOIPMonths->asInteger() * monthlyInsurance : 0);
    m_edtII->setValue(rate / 100 * loan / 365 * m_edtIIDays->asInteger());
    m_edtHOII->setValue(monthlyInsurance > 0 ? m_edtHOIIMonths->asInteger() * monthlyInsurance : 0);
    m_edtPTI->setValue(monthlyTax > 0 ? m_edtPTIMonths->asInteger() * monthlyTax : 0);
    const double escrows = m_edtII->value() + m_edtPMII->value() + m_edtHOIP->value() +
                           m_edtHOII->value() + m_edtPTI->value();
    m_edtEccCEscrows->setValue(escrows);

    m_edtEccCCashRequiredToClose->setValue(m_edtEccCDownPayment->value() + closingCosts + escrows -
                                           m_edtSellerPaid->value());

    m_edtPMIPercent->setValue(premium);
}

void EccPage::BtnCalcClosingClick()
{
    m_btnCalcClosing->setEnabled(false);
    m_btnCalcEscrows->setEnabled(false);
    m_pnlClosing->show();
    m_pnlClosing->raise();

    SettingsFile &file = host().settingsFile();
    BuyerValues &values = host().buyerValues();
    const LoadReport report = file.loadClosingFees(values);
    m_edtAF->setValue(values.AppraisalFee);
    m_edtCR->setValue(values.CreditReport);
    m_edtTSF->setValue(values.TaxServiceFee);
    m_edtLPF->setValue(values.LendersInspectionFee);
    m_edtTIF->setValue(values.TitleInsurance);
    m_edtTS->setValue(values.TitleSearch);
    m_edtSTT->setValue(values.EscrowClosingFee);
    m_edtRF->setValue(values.RecordingFee);
    m_edtOF->setValue(values.OtherFees);
    m_edtSellerPaid->setValue(values.SellerPaid);
    m_edtAF->setFocus();
    if (!report.ok())
        showInfo(host().dialogParent(), ignoredKeysMessage(file.path(), report.ignoredKeys));
}

void EccPage::BtnClosePnlClosingClick()
{
    const double total = m_edtLOF->value() + m_edtOriginationFee->value() + m_edtCR->value() +
                         m_edtAF->value() + m_edtTSF->value() + m_edtLPF->value() +
                         m_edtSTT->value() + m_edtTS->value() + m_edtTIF->value() +
                         m_edtRF->value() + m_edtOF->value() + m_edtClosingPMI->value();
    BuyerValues &values = host().buyerValues();
    values.AppraisalFee = m_edtAF->value();
    values.CreditReport = m_edtCR->value();
    values.TaxServiceFee = m_edtTSF->value();
    values.LendersInspectionFee = m_edtLPF->value();
    values.TitleInsurance = m_edtTIF->value();
    values.TitleSearch = m_edtTS->value();
    values.EscrowClosingFee = m_edtSTT->value();
    values.RecordingFee = m_edtRF->value();
    values.OtherFees = m_edtOF->value();
    values.SellerPaid = m_edtSellerPaid->value();
    m_btnCalcClosing->setEnabled(true);
    m_btnCalcEscrows->setEnabled(true);
    host().setResetEnabled(true);
    m_pnlClosing->hide();
    m_edtEccCClosingCosts->setValue(total);
    // The file is written last: a refused write is reported, yet the panel
    // closes and the fees stay in force (the exit save tries again).
    host().settingsFile().saveClosingFees(values);
}

void EccPage::btnClosePnlClosingExit()
{
    if (m_pnlClosing->isVisible() && !m_pnlClosing->isAncestorOf(QApplication::focusWidget()))
        m_edtAF->setFocus(Qt::TabFocusReason);
}

void EccPage::BtnCalcEscrowsClick()
{
    m_btnCalcClosing->setEnabled(false);
    m_btnCalcEscrows->setEnabled(false);
    m_pnlEscrow->show();
    m_pnlEscrow->raise();
    m_edtIIDays->setFocus();
}

void EccPage::BtnClosePnlEscrowClick()
{
    const double total = m_edtII->value() + m_edtPTI->value() + m_edtHOIP->value() +
                         m_edtHOII->value() + m_edtPMII->value();
    BuyerValues &values = host().buyerValues();
    values.InterimInterestDays = m_edtIIDays->value();
    values.PropertyTaxMonths = m_edtPTIMonths->value();
    values.HomeownersFirstYear = m_edtHOIPMonths->value();
    values.HomeownersRenewalMonths = m_edtHOIIMonths->value();
    m_btnCalcClosing->setEnabled(true);
    m_btnCalcEscrows->setEnabled(true);
    host().setResetEnabled(true);
    m_pnlEscrow->hide();
    m_edtEccCEscrows->setValue(total);
    host().settingsFile().saveEscrows(values);
}

void EccPage::btnClosePnlEscrowExit()
{
    if (m_pnlEscrow->isVisible() && !m_pnlEscrow->isAncestorOf(QApplication::focusWidget()))
        m_edtIIDays->setFocus(Qt::TabFocusReason);
}

QFrame *EccPage::openPanel() const
{
    if (m_pnlClosing->isVisible())
        return m_pnlClosing;
    if (m_pnlEscrow->isVisible())
        return m_pnlEscrow;
    return nullptr;
}

bool EccPage::focusNextPrevChild(bool next)
{
    QFrame *panel = openPanel();
    QWidget *current = focusWidget();
    if (!panel || !current || !panel->isAncestorOf(current))
        return CalculatorPage::focusNextPrevChild(next);
    // Walk the tab chain, wrapping inside the panel.
    QWidget *candidate = current;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (panel->isAncestorOf(candidate) && candidate->isVisible() && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != current);
    return true;
}

bool EccPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Leaving for a popup or another window is no leaving.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            // Queued: the focus must not be moved while Qt is moving it. Only
            // a focus that left the open panel is brought back; a click into
            // one of its own fields stays where the user put it.
            if (watched == m_btnClosePnlClosing)
                QMetaObject::invokeMethod(
                    this, [this] { guard([this] { btnClosePnlClosingExit(); }); },
                    Qt::QueuedConnection);
            else if (watched == m_btnClosePnlEscrow)
                QMetaObject::invokeMethod(
                    this, [this] { guard([this] { btnClosePnlEscrowExit(); }); },
                    Qt::QueuedConnection);
        }
    }
    return CalculatorPage::eventFilter(watched, event);
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

    m_edtAF->setValue(275);
    m_edtCR->setValue(47);
    m_edtTSF->setValue(275);
    m_edtLPF->setValue(525);
    m_edtTIF->setValue(0);
    m_edtTS->setValue(55);
    m_edtSTT->setValue(0);
    m_edtRF->setValue(125);
    m_edtOF->setValue(25);

    m_edtIIDays->setValue(30);
    m_edtPTIMonths->setValue(3);
    m_edtHOIPMonths->setValue(12);
    m_edtHOIIMonths->setValue(2);
    m_edtPMIIMonths->setValue(2);

    for (TNumEdit *result :
         {m_edtEccCPurchasePrice, m_edtEccCDownPayment, m_edtEccCLoanAmount, m_edtEccCPandI,
          m_edtEccCMonthlyTax, m_edtEccCMonthlyInsurance, m_edtEccCpmi, m_edtEccCMonthlyPayment,
          m_edtEccCClosingCosts, m_edtEccCEscrows, m_edtEccCCashRequiredToClose, m_edtLOF, m_edtII,
          m_edtPTI, m_edtHOIP, m_edtHOII, m_edtPMII})
        result->setValue(0);
    m_edtEccCHousingRatio->setValue(0);
    m_edtEccCDebtRatio->setValue(0);
    m_edtPMIPercent->setValue(0);

    m_edtEccIncome->setFocus();
    host().setResetEnabled(false);
    host().DisallowPrinting();
}

} // namespace clvn
