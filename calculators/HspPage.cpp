#include "calculators/HspPage.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "finance/SellerProceeds.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace clvn {

const QString HspPage::NoteText =
    QStringLiteral("When selling a home, the primary question for a seller is, ") +
    QStringLiteral("\"How much is left over?\"") +
    QStringLiteral("  Use this Home Seller's Proceeds Calculator to estimate your net after the "
                   "cost of selling your home.");

namespace {

constexpr int PageWidth = 587;
constexpr int PageHeight = 380;

const QString kMonths[] = {
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
};

// Left block: caption, field, side note; right block: caption over field.
constexpr int LabelX = 8;
constexpr int LabelW = 136;
constexpr int FieldX = 146;
constexpr int FieldW = 100;
constexpr int NoteX = 252;
constexpr int NoteW = 172;
constexpr int Top = 60;
constexpr int Step = 26;
constexpr int RightX = 428;
constexpr int RightW = 155;

QRect leftField(int row)
{
    return QRect(FieldX, Top + row * Step, FieldW, FieldHeight);
}

} // namespace

HspPage::HspPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("HSP"), parent)
{
    setFixedSize(PageWidth, PageHeight);
    QLabel *note = addLabel(this, NoteText, QRect(8, 6, 571, 44), Qt::AlignLeft | Qt::AlignTop);
    note->setObjectName(QStringLiteral("lblHSPNote"));

    const QString captions[] = {
        QStringLiteral("House Sales Price"),       QStringLiteral("First Loan Balance"),
        QStringLiteral("Second Loan Balance"),     QStringLiteral("Other Loans"),
        QStringLiteral("Estimated Closing Month"), QStringLiteral("Annual Property Taxes"),
        QStringLiteral("Property Taxes Paid"),     QStringLiteral("Transfer Taxes (%)"),
        QStringLiteral("Transfer Taxes Paid"),
    };
    for (int row = 0; row < 9; ++row)
        addLabel(this, captions[row], QRect(LabelX, Top + row * Step, LabelW, FieldHeight));

    m_edtHSPHouseSalesPrice =
        addAmount(QStringLiteral("edtHSPHouseSalesPrice"), leftField(0), 100000);
    m_edtHSPFirstLoanBalance = addAmount(QStringLiteral("edtHSPFirstLoanBalance"), leftField(1), 0);
    m_edtHSPSecondLoanBalance =
        addAmount(QStringLiteral("edtHSPSecondLoanBalance"), leftField(2), 0);
    m_edtHSPOtherLoans = addAmount(QStringLiteral("edtHSPOtherLoans"), leftField(3), 0);

    m_cbHSPClosingMonth = new QComboBox(this);
    m_cbHSPClosingMonth->setObjectName(QStringLiteral("cbHSPClosingMonth"));
    m_cbHSPClosingMonth->setEditable(true);
    // Typed text is taken as it stands: no completion ("D" stays "D") and
    // no new list entries.
    m_cbHSPClosingMonth->setCompleter(nullptr);
    m_cbHSPClosingMonth->setInsertPolicy(QComboBox::NoInsert);
    for (const QString &month : kMonths)
        m_cbHSPClosingMonth->addItem(month);
    m_cbHSPClosingMonth->setMaxVisibleItems(12);
    // The drop-down list is a widget of its own for a screen reader.
    m_cbHSPClosingMonth->view()->setAccessibleName(QStringLiteral("Estimated Closing Month"));
    m_cbHSPClosingMonth->setCurrentIndex(6);
    m_cbHSPClosingMonth->setGeometry(leftField(4));

    m_edtHSPPropertyTaxes = addAmount(QStringLiteral("edtHSPPropertyTaxes"), leftField(5), 580);
    m_edtHSPPropertyTaxesPaid =
        addAmount(QStringLiteral("edtHSPPropertyTaxesPaid"), leftField(6), 338.33, true);
    m_edtHSPTransferTaxPercent =
        addNumber(this, QStringLiteral("edtHSPTransferTaxPercent"), leftField(7), 3, 2);
    m_edtHSPTransferTaxesPaid =
        addAmount(QStringLiteral("edtHSPTransferTaxesPaid"), leftField(8), 2000, true);

    addLabel(this, QStringLiteral("Taxes Prorated on a Calendar\nYear Basis"),
             QRect(NoteX, Top + 6 * Step - 4, NoteW, 28));
    addLabel(this, QStringLiteral("Generally 1 or 2% of Sales Price"),
             QRect(NoteX, Top + 7 * Step, NoteW, FieldHeight));
    addLabel(this, QStringLiteral("Transfer Tax Amount"),
             QRect(NoteX, Top + 8 * Step, NoteW, FieldHeight));

    struct Right
    {
        const char16_t *caption;
        const char16_t *name;
        double start;
    };
    const Right right[] = {
        {u"Mortgage Prepayment Penalty", u"edtHSPPrepaymentPenalty", 1000},
        {u"Sales Commission", u"edtHSPSalesCommission", 5000},
        {u"Other Sales Commission", u"edtHSPOtherSalesCommission", 0},
        {u"Other Fees", u"edtHSPOtherFees", 750},
    };
    TNumEdit **rightFields[] = {&m_edtHSPPrepaymentPenalty, &m_edtHSPSalesCommission,
                                &m_edtHSPOtherSalesCommission, &m_edtHSPOtherFees};
    int y = Top - 2;
    for (std::size_t k = 0; k < std::size(right); ++k) {
        addLabel(this, QString::fromUtf16(right[k].caption), QRect(RightX, y, RightW, 15));
        *rightFields[k] = addAmount(QString::fromUtf16(right[k].name),
                                    QRect(RightX, y + 15, FieldW, FieldHeight), right[k].start);
        y += 40;
    }
    addHeading(this, QStringLiteral("RESULTS"), QRect(RightX, y + 4, RightW, 16));
    addHeading(this, QStringLiteral("COSTS"), QRect(RightX, y + 22, RightW, 15));
    m_edtHSPCosts = addAmount(QStringLiteral("edtHSPCosts"),
                              QRect(RightX, y + 37, FieldW, FieldHeight), 9088.33, true);
    addHeading(this, QStringLiteral("NET GAIN"), QRect(RightX, y + 62, RightW, 15));
    m_edtHSPNetGain = addAmount(QStringLiteral("edtHSPNetGain"),
                                QRect(RightX, y + 77, FieldW, FieldHeight), 90911.67, true);

    // Tab order follows the page: the left block, then the right one.
    setTabOrder(m_edtHSPOtherLoans, m_cbHSPClosingMonth);
    setTabOrder(m_cbHSPClosingMonth, m_edtHSPPropertyTaxes);
    setTabOrder(m_edtHSPPropertyTaxes, m_edtHSPTransferTaxPercent);
    setTabOrder(m_edtHSPTransferTaxPercent, m_edtHSPPrepaymentPenalty);

    calculateOnLeave({m_edtHSPHouseSalesPrice, m_edtHSPFirstLoanBalance, m_edtHSPSecondLoanBalance,
                      m_edtHSPOtherLoans, m_edtHSPPropertyTaxes, m_edtHSPPrepaymentPenalty,
                      m_edtHSPSalesCommission, m_edtHSPOtherSalesCommission, m_edtHSPOtherFees,
                      m_edtHSPTransferTaxPercent},
                     [this] {
                         if (!m_busy)
                             CalcHSP();
                     });
    connectGuarded(m_cbHSPClosingMonth, &QComboBox::currentTextChanged, this, [this] {
        if (!m_busy)
            CalcHSP(true);
    });
    m_cbHSPClosingMonth->installEventFilter(this);
    if (QLineEdit *edit = m_cbHSPClosingMonth->lineEdit())
        edit->installEventFilter(this);
}

TNumEdit *HspPage::addAmount(const QString &name, const QRect &geometry, double start, bool result)
{
    TNumEdit *edit = addMoney(this, name, geometry, start);
    edit->setNumericType(TNumEdit::NumericType::General);
    edit->setMasks(QStringLiteral("$#,###.#0"), QStringLiteral("-$#,###.#0"),
                   QStringLiteral("$0.00"));
    edit->setResultField(result);
    return edit;
}

bool HspPage::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the month box (not for its own list or another window).
    if (event->type() == QEvent::FocusOut &&
        (watched == m_cbHSPClosingMonth || watched == m_cbHSPClosingMonth->lineEdit())) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        const bool own = reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
        QWidget *now = QApplication::focusWidget();
        const bool inside =
            now && (now == m_cbHSPClosingMonth || m_cbHSPClosingMonth->isAncestorOf(now));
        if (!own && !inside && !m_busy)
            guard([this] { CalcHSP(true); });
    }
    return CalculatorPage::eventFilter(watched, event);
}

int HspPage::monthNumber(const QString &text)
{
    for (int k = 0; k < 12; ++k)
        if (text == kMonths[k])
            return k + 1;
    return 0;
}

void HspPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    const QScopedValueRollback busy(m_busy, true);
    m_edtHSPHouseSalesPrice->setFocus();
}

void HspPage::CalcHSP(bool fromMonthBox)
{
    if (m_busy)
        return;
    const QScopedValueRollback busy(m_busy, true);
    host().setResetEnabled(true);
    host().AllowPrinting();

    if (fromMonthBox && monthNumber(m_cbHSPClosingMonth->currentText()) == 0) {
        m_cbHSPClosingMonth->setCurrentIndex(0);
        m_cbHSPClosingMonth->setEditText(kMonths[0]);
    }

    // Every input is read before any result is written.
    SellerInputs in;
    in.salePrice = m_edtHSPHouseSalesPrice->value();
    in.firstLoanBalance = m_edtHSPFirstLoanBalance->value();
    in.secondLoanBalance = m_edtHSPSecondLoanBalance->value();
    in.otherLoans = m_edtHSPOtherLoans->value();
    in.closingMonth = monthNumber(m_cbHSPClosingMonth->currentText());
    in.annualPropertyTaxes = m_edtHSPPropertyTaxes->value();
    in.transferTaxPercent = m_edtHSPTransferTaxPercent->value();
    in.prepaymentPenalty = m_edtHSPPrepaymentPenalty->value();
    in.salesCommission = m_edtHSPSalesCommission->value();
    in.otherSalesCommission = m_edtHSPOtherSalesCommission->value();
    in.otherFees = m_edtHSPOtherFees->value();
    const SellerProceeds out = CalcSellerProceeds(in);

    m_edtHSPPropertyTaxesPaid->setValue(out.propertyTaxesPaid);
    m_edtHSPTransferTaxesPaid->setValue(out.transferTax);
    m_edtHSPCosts->setValue(out.costs);
    m_edtHSPNetGain->setValue(out.netGain);
}

void HspPage::Reset()
{
    const QScopedValueRollback busy(m_busy, true);
    m_edtHSPHouseSalesPrice->setValue(100000);
    m_edtHSPFirstLoanBalance->setValue(0);
    m_edtHSPSecondLoanBalance->setValue(0);
    m_edtHSPOtherLoans->setValue(0);
    m_cbHSPClosingMonth->setCurrentIndex(6);
    m_cbHSPClosingMonth->setEditText(kMonths[6]);
    m_edtHSPPropertyTaxes->setValue(580);
    m_edtHSPPropertyTaxesPaid->setValue(338.33);
    m_edtHSPTransferTaxPercent->setValue(2);
    m_edtHSPTransferTaxesPaid->setValue(2000);
    m_edtHSPPrepaymentPenalty->setValue(0);
    m_edtHSPSalesCommission->setValue(5000);
    m_edtHSPOtherSalesCommission->setValue(0);
    m_edtHSPOtherFees->setValue(750);
    m_edtHSPCosts->setValue(8088.33);
    m_edtHSPNetGain->setValue(91911.67);
    m_edtHSPHouseSalesPrice->setFocus();
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<HspPage>> HspPage::fields()
{
    using P = HspPage;
    static constexpr PageField<P> table[] = {
        {"SalesPrice", at<&P::m_edtHSPHouseSalesPrice>, FieldKind::Number},
        {"FirstLoan", at<&P::m_edtHSPFirstLoanBalance>, FieldKind::Number},
        {"SecondLoan", at<&P::m_edtHSPSecondLoanBalance>, FieldKind::Number},
        {"OtherLoans", at<&P::m_edtHSPOtherLoans>, FieldKind::Number},
        {"ClosingMonth", at<&P::m_cbHSPClosingMonth>, FieldKind::Text},
        {"PropertyTaxes", at<&P::m_edtHSPPropertyTaxes>, FieldKind::Number},
        {"TransferTaxPercent", at<&P::m_edtHSPTransferTaxPercent>, FieldKind::Number},
        {"PrepaymentPenalty", at<&P::m_edtHSPPrepaymentPenalty>, FieldKind::Number},
        {"SalesCommission", at<&P::m_edtHSPSalesCommission>, FieldKind::Number},
        {"OtherSalesCommission", at<&P::m_edtHSPOtherSalesCommission>, FieldKind::Number},
        {"OtherFees", at<&P::m_edtHSPOtherFees>, FieldKind::Number},
    };
    return table;
}

void HspPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void HspPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn
