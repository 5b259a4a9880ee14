#include "calculators/RefiPage.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "finance/Errors.h"
#include "finance/Refinance.h"
#include "state/BuyerValues.h"
#include "widgets/Accessibility.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopedValueRollback>

#include <limits>
#include <type_traits>

namespace clvn {

namespace {

struct Item
{
    const char16_t *name;
    const char16_t *label;
};

constexpr Item kItems[RefiPage::ItemCount] = {
    {u"edtDiscountPoints", u"Discount Fee"},
    {u"edtOriginationPoints", u"Origination Fee"},
    {u"edtCreditCheck", u"Credit Check"},
    {u"edtAttyFeeY", u"Attorney Fee (yours)"},
    {u"edtAttyFeeL", u"Attorney Fee (lender's)"},
    {u"edtTitleSearchFee", u"Title Search Fee"},
    {u"edtTitleInsuranceFee", u"Title Insurance Fee"},
    {u"edtAppraisalFee", u"Appraisal Fee"},
    {u"edtInspections", u"Inspections (Insects, etc.)"},
    {u"edtLocalFees", u"Local Fees (Taxes, etc.)"},
    {u"edtOtherFees", u"Other Fees"},
    {u"edtPrepaymentPenalty", u"Prepayment Penalty"},
};

// Column geometry: three columns of a caption and a field.
constexpr int LabelW = 98, FieldW = 86, RowStep = 30, TopY = 58;

QRect labelAt(int x, int row)
{
    return QRect(x, TopY + row * RowStep - 3, LabelW, 28);
}

QRect fieldAt(int x, int row)
{
    return QRect(x + LabelW + 2, TopY + row * RowStep, FieldW, FieldHeight);
}

} // namespace

RefiPage::RefiPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("RC"), parent)
{
    // The sentence's first part ends where the fixed part begins, whatever
    // the number of months.
    m_lblSell =
        addLabel(this, sellText(240), QRect(6, 6, 176, 18), Qt::AlignRight | Qt::AlignVCenter);
    m_lblSell->setObjectName(QStringLiteral("lblSell"));
    m_lblSell->setWordWrap(false);
    addLabel(this, QStringLiteral("your new loan will have saved you money as indicated below."),
             QRect(185, 6, 395, 18))
        ->setObjectName(QStringLiteral("lblSell2"));
    buildOldLoan();
    buildNewLoan();
    buildSavings();
    buildClosingPanel();
    putStartValues();
    bindHandlers();
}

QString RefiPage::sellText(qint64 months)
{
    return QStringLiteral("If you sell in %1 months,").arg(months);
}

void RefiPage::buildOldLoan()
{
    constexpr int x = 6;
    addHeading(this, QStringLiteral("Current Loan"), QRect(x, 32, LabelW + FieldW, 18),
               Qt::AlignCenter);
    addLabel(this, QStringLiteral("Current Balance"), labelAt(x, 0));
    m_edtOldLoan = addMoney(this, QStringLiteral("edtOldLoan"), fieldAt(x, 0), 0);
    addLabel(this, QStringLiteral("Term in Months"), labelAt(x, 1));
    m_edtOldTerm = addNumber(this, QStringLiteral("edtOldTerm"), fieldAt(x, 1), 0, 0);
    addLabel(this, QStringLiteral("Interest Rate"), labelAt(x, 2));
    m_edtOldInterestRate =
        addNumber(this, QStringLiteral("edtOldInterestRate"), fieldAt(x, 2), 3, 0);
    addLabel(this, QStringLiteral("Payments Made"), labelAt(x, 3));
    m_edtOldPaymentsMade =
        addNumber(this, QStringLiteral("edtOldPaymentsMade"), fieldAt(x, 3), 0, 0);
    addLabel(this, QStringLiteral("Payments Remaining"), labelAt(x, 4));
    m_edtOldPaymentsRemaining =
        addNumber(this, QStringLiteral("edtOldPaymentsRemaining"), fieldAt(x, 4), 0, 0);
    m_edtOldPaymentsRemaining->setResultField(true);
    addLabel(this, QStringLiteral("Payment"), labelAt(x, 5));
    m_edtOldPayment = addMoneyResult(this, QStringLiteral("edtOldPayment"), fieldAt(x, 5));
}

void RefiPage::buildNewLoan()
{
    constexpr int x = 200;
    addHeading(this, QStringLiteral("New Loan"), QRect(x, 32, LabelW + FieldW, 18),
               Qt::AlignCenter);
    addLabel(this, QStringLiteral("New Balance"), labelAt(x, 0));
    m_edtNewLoan = addMoney(this, QStringLiteral("edtNewLoan"), fieldAt(x, 0), 0);
    addLabel(this, QStringLiteral("Term in Months"), labelAt(x, 1));
    m_edtNewTerm = addNumber(this, QStringLiteral("edtNewTerm"), fieldAt(x, 1), 0, 0);
    addLabel(this, QStringLiteral("Interest Rate"), labelAt(x, 2));
    m_edtNewInterestRate =
        addNumber(this, QStringLiteral("edtNewInterestRate"), fieldAt(x, 2), 3, 0);
    addLabel(this, QStringLiteral("Closing Costs"), labelAt(x, 3));
    // The small button opening the itemized panel sits between caption and field.
    QRect costs = fieldAt(x, 3);
    m_btnCalcFees = addButton(this, QStringLiteral("btnCalcFees"), QStringLiteral("..."),
                              QStringLiteral("Itemize the closing costs"),
                              QRect(costs.left() - 24, costs.top(), 22, FieldHeight));
    m_edtRefiClosingCosts = addNumber(this, QStringLiteral("edtRefiClosingCosts"), costs, 2, 0);
    addLabel(this, QStringLiteral("Months Until You Will Sell"), labelAt(x, 4));
    m_edtMonthsUntilSell =
        addNumber(this, QStringLiteral("edtMonthsUntilSell"), fieldAt(x, 4), 0, 0);
    addLabel(this, QStringLiteral("Payment"), labelAt(x, 5));
    m_edtNewPayment = addMoneyResult(this, QStringLiteral("edtNewPayment"), fieldAt(x, 5));
}

void RefiPage::buildSavings()
{
    constexpr int x = 394;
    addHeading(this, QStringLiteral("Savings"), QRect(x, 32, LabelW + FieldW, 18), Qt::AlignCenter);
    const std::pair<const char16_t *, TNumEdit **> rows[] = {
        {u"Monthly Payment Savings", &m_edtPaymentSaved},
        {u"Total Monthly Payment Savings", &m_edtTotalPaymentSaved},
        {u"Equity in Old Loan", &m_edtOldEquity},
        {u"Equity in New Loan", &m_edtNewEquity},
        {u"Total Equity Savings", &m_edtEquitySavings},
        {u"Total Saved", &m_edtTotalSaved},
    };
    const char16_t *names[] = {u"edtPaymentSaved", u"edtTotalPaymentSaved", u"edtOldEquity",
                               u"edtNewEquity",    u"edtEquitySavings",     u"edtTotalSaved"};
    int row = 0;
    for (const auto &[caption, field] : rows) {
        addLabel(this, QString::fromUtf16(caption), labelAt(x, row));
        *field = addMoneyResult(this, QString::fromUtf16(names[row]), fieldAt(x, row));
        ++row;
    }
    addLabel(this,
             QStringLiteral("Leave any field to recalculate. The closing costs can be typed as one "
                            "figure or added up item by item with the button beside them."),
             QRect(6, TopY + 6 * RowStep + 16, 574, 34));
}

void RefiPage::buildClosingPanel()
{
    m_pnlClosingCosts = new QFrame(this);
    m_pnlClosingCosts->setObjectName(QStringLiteral("pnlClosingCosts"));
    markAsPanel(m_pnlClosingCosts);
    m_pnlClosingCosts->setGeometry(44, 40, 500, 262);
    m_pnlClosingCosts->setFrameShape(QFrame::Panel);
    m_pnlClosingCosts->setFrameShadow(QFrame::Raised);
    m_pnlClosingCosts->setLineWidth(2);
    m_pnlClosingCosts->setAutoFillBackground(true);
    addHeading(m_pnlClosingCosts, QStringLiteral("Itemized Closing Costs"), QRect(8, 6, 484, 20),
               Qt::AlignCenter);
    // Two columns of six items, read down the left column first.
    for (int k = 0; k < ItemCount; ++k) {
        const int x = k < 6 ? 12 : 254;
        const int y = 34 + (k % 6) * 26;
        addLabel(m_pnlClosingCosts, QString::fromUtf16(kItems[k].label),
                 QRect(x, y, 138, FieldHeight));
        m_items[k] = addMoney(m_pnlClosingCosts, QString::fromUtf16(kItems[k].name),
                              QRect(x + 140, y, 90, FieldHeight), 0);
    }
    addHeading(m_pnlClosingCosts, QStringLiteral("Closing Costs"),
               QRect(254, 198, 138, FieldHeight));
    m_edtClosingFees = addMoneyResult(m_pnlClosingCosts, QStringLiteral("edtClosingFees"),
                                      QRect(394, 198, 90, 21));
    m_btnClearClosingCosts = addButton(
        m_pnlClosingCosts, QStringLiteral("btnClearClosingCosts"), QStringLiteral("Clear"),
        QStringLiteral("Zero all Closing Costs"), QRect(12, 228, 80, 26));
    m_btnCloseClosingCosts =
        addButton(m_pnlClosingCosts, QStringLiteral("btnCloseClosingCosts"), QStringLiteral("OK"),
                  QStringLiteral("Take the total as the closing costs"), QRect(210, 228, 80, 26));
    m_pnlClosingCosts->hide();
}

void RefiPage::putStartValues()
{
    m_edtOldLoan->setValue(FactoryValues.Loan);
    m_edtOldTerm->setValue(FactoryValues.Term);
    m_edtOldInterestRate->setValue(FactoryValues.Interest);
    m_edtOldPaymentsMade->setValue(0);
    m_edtOldPaymentsRemaining->setValue(360);
    m_edtOldPayment->setValue(FactoryValues.Payment);
    m_edtNewLoan->setValue(FactoryValues.Loan);
    m_edtNewTerm->setValue(240);
    m_edtNewInterestRate->setValue(7.25);
    m_edtRefiClosingCosts->setValue(0);
    m_edtMonthsUntilSell->setValue(240);
    m_edtNewPayment->setValue(790.38);
    m_edtPaymentSaved->setValue(-3.68);
    m_edtTotalPaymentSaved->setValue(-882.14);
    m_edtOldEquity->setValue(37228.05);
    m_edtNewEquity->setValue(100000);
    m_edtEquitySavings->setValue(62771.95);
    m_edtTotalSaved->setValue(61889.81);
    m_lblSell->setText(sellText(240));
}

void RefiPage::bindHandlers()
{
    QList<NumberField *> pageFields = numberFields();
    pageFields.removeIf([this](NumberField *f) { return m_pnlClosingCosts->isAncestorOf(f); });
    calculateOnLeave(pageFields, [this] {
        if (!m_quiet)
            CalcRefi();
    });
    calculateOnLeave({std::begin(m_items), std::end(m_items)}, [this] {
        if (!m_quiet && m_itemsChanged)
            CalcClosingCosts();
    });
    for (TNumEdit *item : m_items) {
        connect(item, &TNumEdit::valueChanged, this, [this] { m_itemsChanged = true; });
        // Enter in an item is the panel's OK, as in a dialog.
        connectGuarded(item, &QLineEdit::returnPressed, this,
                       [this] { BtnCloseClosingCostsClick(); });
    }

    const auto onClick = [this](QPushButton *button, void (RefiPage::*handler)()) {
        connectGuarded(button, &QPushButton::clicked, this,
                       [this, handler] { (this->*handler)(); });
    };
    onClick(m_btnCalcFees, &RefiPage::BtnCalcFeesClick);
    onClick(m_btnCloseClosingCosts, &RefiPage::BtnCloseClosingCostsClick);
    onClick(m_btnClearClosingCosts, &RefiPage::BtnClearClosingCostsClick);
}

void RefiPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    const QScopedValueRollback quiet(m_quiet, true);
    m_edtOldLoan->setFocus();
}

void RefiPage::CalcRefi()
{
    host().AllowPrinting();

    RefinanceInputs in;
    in.oldLoan = m_edtOldLoan->value();
    in.oldTerm = readCount(m_edtOldTerm);
    in.oldRate = m_edtOldInterestRate->value();
    in.oldPaymentsMade = readCount(m_edtOldPaymentsMade);
    in.newLoan = m_edtNewLoan->value();
    in.newTerm = readCount(m_edtNewTerm);
    in.newRate = m_edtNewInterestRate->value();
    in.monthsUntilSell = readCount(m_edtMonthsUntilSell);
    in.closingCosts = m_edtRefiClosingCosts->value();
    const RefinanceResults out = CalcRefinance(in);

    // Everything is computed: only now is anything shown.
    m_edtOldPaymentsRemaining->setValue(double(out.oldPaymentsRemaining));
    m_edtOldPayment->setValue(out.oldPayment);
    m_edtOldEquity->setValue(out.oldEquity);
    m_edtNewPayment->setValue(out.newPayment);
    m_edtNewEquity->setValue(out.newEquity);
    m_edtPaymentSaved->setValue(out.paymentSaved);
    m_edtTotalPaymentSaved->setValue(out.totalPaymentSaved);
    m_edtEquitySavings->setValue(out.equitySavings);
    m_edtTotalSaved->setValue(out.totalSaved);
    m_lblSell->setText(sellText(out.monthsCounted));
    m_lblSell->repaint();
}

void RefiPage::CalcClosingCosts()
{
    double total = 0;
    for (const TNumEdit *item : m_items)
        total += item->value();
    total = fpe::checked(total, "CalcClosingCosts");
    m_edtClosingFees->setValue(total);
    m_edtRefiClosingCosts->setValue(total);
    m_itemsChanged = false;
}

void RefiPage::BtnCalcFeesClick()
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_pnlClosingCosts->show();
    m_pnlClosingCosts->raise();
    m_items[0]->setFocus();
    m_btnCalcFees->setEnabled(false);
}

void RefiPage::BtnCloseClosingCostsClick()
{
    // An item changed and then OK pressed from the keyboard was never left:
    // its total is taken here. Untouched items leave the page's figure alone.
    if (m_itemsChanged)
        CalcClosingCosts();
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_edtMonthsUntilSell->setFocus();
        m_pnlClosingCosts->hide();
        m_btnCalcFees->setEnabled(true);
    }
    CalcRefi();
}

void RefiPage::BtnClearClosingCostsClick()
{
    for (TNumEdit *item : m_items)
        item->setValue(0);
    m_edtClosingFees->setValue(0);
    m_edtRefiClosingCosts->setValue(0);
    m_itemsChanged = false;
    const QScopedValueRollback quiet(m_quiet, true);
    m_items[0]->setFocus();
}

void RefiPage::Reset()
{
    const QScopedValueRollback quiet(m_quiet, true);
    putStartValues();
    m_edtOldLoan->setFocus();
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<RefiPage>> RefiPage::fields()
{
    using P = RefiPage;
    static constexpr PageField<P> table[] = {
        {"OldLoan", at<&P::m_edtOldLoan>, FieldKind::Number},
        {"OldTerm", at<&P::m_edtOldTerm>, FieldKind::Number},
        {"OldInterest", at<&P::m_edtOldInterestRate>, FieldKind::Number},
        {"OldPaymentsMade", at<&P::m_edtOldPaymentsMade>, FieldKind::Number},
        {"NewLoan", at<&P::m_edtNewLoan>, FieldKind::Number},
        {"NewTerm", at<&P::m_edtNewTerm>, FieldKind::Number},
        {"NewInterest", at<&P::m_edtNewInterestRate>, FieldKind::Number},
        {"DiscountFee", item<&P::m_items, 0>, FieldKind::Number},
        {"OriginationFee", item<&P::m_items, 1>, FieldKind::Number},
        {"CreditCheck", item<&P::m_items, 2>, FieldKind::Number},
        {"AttorneyFeeYours", item<&P::m_items, 3>, FieldKind::Number},
        {"AttorneyFeeLenders", item<&P::m_items, 4>, FieldKind::Number},
        {"TitleSearchFee", item<&P::m_items, 5>, FieldKind::Number},
        {"TitleInsuranceFee", item<&P::m_items, 6>, FieldKind::Number},
        {"AppraisalFee", item<&P::m_items, 7>, FieldKind::Number},
        {"Inspections", item<&P::m_items, 8>, FieldKind::Number},
        {"LocalFees", item<&P::m_items, 9>, FieldKind::Number},
        {"OtherFees", item<&P::m_items, 10>, FieldKind::Number},
        {"PrepaymentPenalty", item<&P::m_items, 11>, FieldKind::Number},
        {"ClosingCosts", at<&P::m_edtRefiClosingCosts>, FieldKind::Number},
        {"MonthsUntilSell", at<&P::m_edtMonthsUntilSell>, FieldKind::Number},
    };
    return table;
}

void RefiPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void RefiPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn
