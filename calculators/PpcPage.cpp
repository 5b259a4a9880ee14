#include "calculators/PpcPage.h"

#include "calculators/PageControls.h"

#include "calculators/AmortPage.h"
#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "state/BuyerValues.h"
#include "widgets/BusyCursor.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>
#include <initializer_list>
#include <type_traits>
#include <vector>

namespace clvn {

namespace {

constexpr int PageWidth = 587;
constexpr int PageHeight = 380;

// Every money field of this page shows dollars and cents through the same masks.
TNumEdit *makeMoney(QWidget *parent, const QString &name, const QRect &geometry, double start)
{
    TNumEdit *edit = addMoney(parent, name, geometry, start);
    edit->setNumericType(TNumEdit::NumericType::General);
    edit->setDecimals(3);
    edit->setMasks(QStringLiteral("$#,###.#0"), QStringLiteral("-$#,###.#0"),
                   QStringLiteral("$0.00"));
    return edit;
}

TNumEdit *makeMoneyResult(QWidget *parent, const QString &name, const QRect &geometry)
{
    TNumEdit *edit = makeMoney(parent, name, geometry, 0);
    edit->setResultField(true);
    return edit;
}

// A payment number: an empty text counts as 0, and shows it.
std::int32_t readPaymentNumber(TFnpNumericEdit *edit)
{
    if (edit->text().trimmed().isEmpty())
        edit->setValue(0);
    return edit->asInteger();
}

} // namespace

PpcPage::PpcPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("PPC"), parent)
{
    setFixedSize(PageWidth, PageHeight);
    buildInputs();
    buildPrepayments();
    buildResults();

    calculateOnLeave({m_edtPPCAmountBorrowed, m_edtPPCPropertyTaxes, m_edtPPCInsurance, m_edtPPCPMI,
                      m_edtPPCInterest, m_edtPPCTerm},
                     [this] { fieldLeft(false); });
    calculateOnLeave({m_edtPPCExtraAmount}, [this] { fieldLeft(true); });

    const auto onChoice = [this](QRadioButton *button, int choice) {
        connectGuarded(button, &QRadioButton::toggled, this, [this, button, choice] {
            if (button->isChecked())
                PrepaymentChoice(choice);
        });
    };
    onChoice(m_rbtnOnePmt, 0);
    onChoice(m_rbtnRangePmts, 1);
    onChoice(m_rbtnAllPmts, 2);
    connectGuarded(m_btnPPCClear, &QPushButton::clicked, this, [this] { btnPPCClearClick(); });
}

void PpcPage::buildInputs()
{
    constexpr int labelX = 8;
    constexpr int labelW = 170;
    constexpr int fieldX = 180;
    constexpr int fieldW = 105;
    constexpr int top = 8;
    constexpr int step = 25;
    const auto label = [&](const char16_t *text, int row) {
        addLabel(this, QString::fromUtf16(text), QRect(labelX, top + row * step, labelW, 21));
    };
    const auto at = [&](int row) { return QRect(fieldX, top + row * step, fieldW, FieldHeight); };
    label(u"Amount Borrowed", 0);
    m_edtPPCAmountBorrowed =
        makeMoney(this, QStringLiteral("edtPPCAmountBorrowed"), at(0), FactoryValues.Loan);
    label(u"Interest Rate", 1);
    m_edtPPCInterest =
        addNumber(this, QStringLiteral("edtPPCInterest"), at(1), 3, FactoryValues.Interest);
    label(u"Term in Months", 2);
    m_edtPPCTerm = addNumber(this, QStringLiteral("edtPPCTerm"), at(2), 0, FactoryValues.Term);
    label(u"Annual Property Taxes", 3);
    m_edtPPCPropertyTaxes = makeMoney(this, QStringLiteral("edtPPCPropertyTaxes"), at(3), 1200);
    label(u"Annual Insurance", 4);
    m_edtPPCInsurance = makeMoney(this, QStringLiteral("edtPPCInsurance"), at(4), 580);
    label(u"Annual PMI Payments", 5);
    m_edtPPCPMI = makeMoney(this, QStringLiteral("edtPPCPMI"), at(5), 600);
}

void PpcPage::buildPrepayments()
{
    constexpr int left = 306;
    addHeading(this, QStringLiteral("Prepayments"), QRect(left, 8, 140, 18));
    m_rbtnOnePmt = new QRadioButton(QStringLiteral("&Single Payment"), this);
    m_rbtnOnePmt->setObjectName(QStringLiteral("rbtnOnePmt"));
    m_rbtnOnePmt->setGeometry(left, 30, 135, 20);
    m_rbtnRangePmts = new QRadioButton(QStringLiteral("&Range of Payments"), this);
    m_rbtnRangePmts->setObjectName(QStringLiteral("rbtnRangePmts"));
    m_rbtnRangePmts->setGeometry(left, 54, 135, 20);
    m_rbtnAllPmts = new QRadioButton(QStringLiteral("&All Payments"), this);
    m_rbtnAllPmts->setObjectName(QStringLiteral("rbtnAllPmts"));
    m_rbtnAllPmts->setGeometry(left, 78, 135, 20);
    m_rbtnAllPmts->setChecked(true);

    constexpr int labelX = 446;
    constexpr int fieldX = 531;
    constexpr int fieldW = 50;
    m_lblPPCFromPmt = addLabel(this, QStringLiteral("From Payment #"), QRect(labelX, 30, 85, 21));
    m_lblPPCFromPmt->setObjectName(QStringLiteral("lblPPCFromPmt"));
    m_lblPPCFromPmt->setWordWrap(false);
    m_edtPPCFromPmt = addNumber(this, QStringLiteral("edtPPCFromPmt"),
                                QRect(fieldX, 30, fieldW, FieldHeight), 0, 0);
    m_lblPPCToPmt = addLabel(this, QStringLiteral("To Payment #"), QRect(labelX, 55, 85, 21));
    m_lblPPCToPmt->setObjectName(QStringLiteral("lblPPCToPmt"));
    m_edtPPCToPmt = addNumber(this, QStringLiteral("edtPPCToPmt"),
                              QRect(fieldX, 55, fieldW, FieldHeight), 0, 0);
    // Narrower than the two captions above: the wider field starts further left.
    addLabel(this, QStringLiteral("Amount"), QRect(labelX, 80, 64, 21));
    m_edtPPCExtraAmount = addNumber(this, QStringLiteral("edtPPCExtraAmount"),
                                    QRect(fieldX - 20, 80, fieldW + 20, FieldHeight), 2, 100);
    m_btnPPCClear = addButton(this, QStringLiteral("btnPPCClear"), QStringLiteral("Clear"), {},
                              QRect(left, 106, 80, 25));
    // Disabled at start: all payments is the choice.
    m_lblPPCFromPmt->setEnabled(false);
    m_edtPPCFromPmt->setEnabled(false);
    m_lblPPCToPmt->setEnabled(false);
    m_edtPPCToPmt->setEnabled(false);
}

void PpcPage::buildResults()
{
    struct Row
    {
        const char16_t *caption;
        const char16_t *name;
    };
    const auto column = [this](int labelX, int labelW, int fieldX, int top,
                               std::initializer_list<Row> rows) {
        std::vector<TNumEdit *> fields;
        int y = top;
        for (const Row &row : rows) {
            const QString caption = QString::fromUtf16(row.caption);
            // The two long captions take two lines.
            const int height = caption.contains(u" w/ ") ? 32 : FieldHeight;
            addLabel(this, caption, QRect(labelX, y, labelW, height));
            const QString name = QString::fromUtf16(row.name);
            if (name == u"edtPPCNewTerm") {
                m_edtPPCNewTerm = addNumber(this, name, QRect(fieldX, y, 105, FieldHeight), 0, 0);
                m_edtPPCNewTerm->setResultField(true);
            } else {
                fields.push_back(makeMoneyResult(this, name, QRect(fieldX, y, 105, FieldHeight)));
            }
            y += height + 5;
        }
        return fields;
    };
    // A label without a buddy shows "&" as it stands.
    const auto regular =
        column(8, 170, 180, 172,
               {{u"Monthly Payment ( P&I )", u"edtPPCPayment"},
                {u"Regular Payment Amount w/ Taxes and Insurance", u"edtPPCTotalPayment"},
                {u"Total Interest Over Term", u"edtPPCTotalInterest"},
                {u"Total Interest and Principal", u"edtPPCTotalPrincipalAndInterest"}});
    addHeading(this, QStringLiteral("Prepayment Results"), QRect(306, 148, 170, 18));
    const auto prepaid = column(
        306, 170, 476, 172,
        {{u"New Monthly Payment ( P&I )", u"edtPPCNewPayment"},
         {u"New Payment Amount w/ Taxes and Insurance", u"edtPPCNewTotalPayment"},
         {u"New Interest Over Term", u"edtPPCTotalInterestWithPrepayments"},
         {u"Total Interest and Principal", u"edtPPCTotalInterestAndPrincipalWithPrepayments"},
         {u"New Term in Months", u"edtPPCNewTerm"},
         {u"Amount Saved by Prepaying", u"edtPPCSavings"}});
    m_edtPPCPayment = regular[0];
    m_edtPPCTotalPayment = regular[1];
    m_edtPPCTotalInterest = regular[2];
    m_edtPPCTotalPrincipalAndInterest = regular[3];
    m_edtPPCNewPayment = prepaid[0];
    m_edtPPCNewTotalPayment = prepaid[1];
    m_edtPPCTotalInterestWithPrepayments = prepaid[2];
    m_edtPPCTotalInterestAndPrincipalWithPrepayments = prepaid[3];
    m_edtPPCSavings = prepaid[4];
}

void PpcPage::enter()
{
    guard([this] {
        host().AllowPrinting();
        host().setResetEnabled(true);
        moveFocusQuietly(m_edtPPCAmountBorrowed);
    });
}

void PpcPage::Reset()
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_edtPPCAmountBorrowed->setValue(FactoryValues.Loan);
    m_edtPPCInterest->setValue(FactoryValues.Interest);
    m_edtPPCTerm->setValue(360);
    m_edtPPCPropertyTaxes->setValue(1200);
    m_edtPPCInsurance->setValue(580);
    m_edtPPCPMI->setValue(600);
    for (TNumEdit *result : {m_edtPPCPayment, m_edtPPCTotalPayment, m_edtPPCTotalInterest,
                             m_edtPPCTotalPrincipalAndInterest, m_edtPPCNewPayment,
                             m_edtPPCNewTotalPayment, m_edtPPCTotalInterestWithPrepayments,
                             m_edtPPCTotalInterestAndPrincipalWithPrepayments, m_edtPPCSavings})
        result->setValue(0);
    m_edtPPCNewTerm->setValue(0);
    // No results, so no prepayment to describe.
    m_applied = {};
    m_edtPPCAmountBorrowed->setFocus();
    host().setResetEnabled(true);
}

void PpcPage::fieldLeft(bool leavingExtra)
{
    // The page's own focus moves and message boxes are no leaving.
    if (m_quiet)
        return;
    const QScopedValueRollback quiet(m_quiet, true);
    CalcPPC(leavingExtra);
}

void PpcPage::moveFocusQuietly(QWidget *to)
{
    const QScopedValueRollback quiet(m_quiet, true);
    to->setFocus();
}

PrepaymentInputs PpcPage::readInputs(PrepaymentMode mode)
{
    PrepaymentInputs in;
    in.term = m_edtPPCTerm->asInteger();
    in.amountBorrowed = m_edtPPCAmountBorrowed->value();
    in.ratePercent = m_edtPPCInterest->value();
    in.annualTaxes = m_edtPPCPropertyTaxes->value();
    in.annualInsurance = m_edtPPCInsurance->value();
    in.annualPmi = m_edtPPCPMI->value();
    if (m_edtPPCExtraAmount->text().trimmed().isEmpty())
        m_edtPPCExtraAmount->setValue(0);
    in.mode = mode;
    if (mode != PrepaymentMode::All)
        in.fromPayment = readPaymentNumber(m_edtPPCFromPmt);
    if (mode == PrepaymentMode::Range)
        in.toPayment = readPaymentNumber(m_edtPPCToPmt);
    in.extraAmount = m_edtPPCExtraAmount->value();
    return in;
}

void PpcPage::CalcPPC(bool leavingExtra)
{
    host().AllowPrinting();
    if (leavingExtra) {
        // Queued: Qt is still moving the focus out of the extra amount.
        QMetaObject::invokeMethod(
            this, [this] { guard([this] { moveFocusQuietly(m_edtPPCAmountBorrowed); }); },
            Qt::QueuedConnection);
    }
    // A last payment beyond the term means the term, whatever the choice.
    bool toIsNumber = false;
    const std::int32_t term = m_edtPPCTerm->asInteger();
    const int to = m_edtPPCToPmt->text().toInt(&toIsNumber);
    if (toIsNumber && term < to)
        m_edtPPCToPmt->setValue(term);

    const PrepaymentMode mode = m_rbtnOnePmt->isChecked()      ? PrepaymentMode::Single
                                : m_rbtnRangePmts->isChecked() ? PrepaymentMode::Range
                                                               : PrepaymentMode::All;
    const PrepaymentInputs in = readInputs(mode);
    PrepaymentResults r = CalcPrepayment(in);
    if (!r.extraApplied)
        showInfo(host().dialogParent(), AmortPage::ExtraPaymentMessage);

    // Everything succeeded: only now is anything shown or shared.
    showRegular(r);
    InitPPC(r);
    ExtraPaymentState &extra = host().extraPayment();
    extra.ExtraPaymentMode = mode;
    if (mode != PrepaymentMode::All)
        extra.ExtraFromPayment = in.fromPayment;
    if (mode == PrepaymentMode::Range)
        extra.ExtraToPayment = in.toPayment;
    extra.ExtraAmount = in.extraAmount;
    m_applied =
        Applied{mode,
                in.fromPayment,
                std::min(in.toPayment, in.term),
                r.appliedAmount,
                r.extraApplied ? PrepaymentOutcome::Applied : PrepaymentOutcome::OutsideSchedule,
                in.term};
    host().mortgage() = std::move(r.schedule);
}

void PpcPage::showRegular(const PrepaymentResults &r)
{
    m_edtPPCPayment->setValue(r.payment);
    m_edtPPCTotalPayment->setValue(r.totalPayment);
    m_edtPPCTotalInterest->setValue(r.totalInterest);
    m_edtPPCTotalPrincipalAndInterest->setValue(r.totalPrincipalAndInterest);
}

void PpcPage::InitPPC(const PrepaymentResults &r)
{
    BusyCursor busy;
    m_edtPPCNewPayment->setValue(r.newPayment);
    m_edtPPCNewTotalPayment->setValue(r.newTotalPayment);
    m_edtPPCNewTerm->setValue(r.newTerm);
    m_edtPPCTotalInterestWithPrepayments->setValue(r.interestWithPrepayments);
    m_edtPPCTotalInterestAndPrincipalWithPrepayments->setValue(r.totalWithPrepayments);
    m_edtPPCSavings->setValue(r.savings);
}

void PpcPage::btnPPCClearClick()
{
    // The page's own loan again without extras, never some other schedule.
    PrepaymentInputs in = readInputs(PrepaymentMode::All);
    in.extraAmount = 0;
    PrepaymentResults r = CalcPrepayment(in);
    // The new payment is the regular one, escrow and all.
    r.newPayment = r.payment;
    r.newTotalPayment = r.totalPayment;
    showRegular(r);
    InitPPC(r);
    m_edtPPCExtraAmount->setValue(0);
    moveFocusQuietly(m_edtPPCAmountBorrowed);
    m_applied = {};
    m_applied.outcome = PrepaymentOutcome::Cleared;
    host().mortgage() = std::move(r.schedule);
}

void PpcPage::PrepaymentChoice(int choice)
{
    if (choice == 0)
        m_lblPPCFromPmt->setText(QStringLiteral("          Payment #"));
    else if (choice == 1)
        m_lblPPCFromPmt->setText(QStringLiteral("From Payment #"));
    m_lblPPCFromPmt->setEnabled(choice != 2);
    m_lblPPCToPmt->setEnabled(choice == 1);
    m_edtPPCFromPmt->setEnabled(m_lblPPCFromPmt->isEnabled());
    m_edtPPCToPmt->setEnabled(m_lblPPCToPmt->isEnabled());
    moveFocusQuietly(choice == 2 ? static_cast<QWidget *>(m_edtPPCExtraAmount)
                                 : static_cast<QWidget *>(m_edtPPCFromPmt));
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<PpcPage>> PpcPage::fields()
{
    using P = PpcPage;
    static constexpr PageField<P> table[] = {
        {"Loan", at<&P::m_edtPPCAmountBorrowed>, FieldKind::Number},
        {"Interest", at<&P::m_edtPPCInterest>, FieldKind::Number},
        {"Term", at<&P::m_edtPPCTerm>, FieldKind::Number},
        {"PropertyTaxes", at<&P::m_edtPPCPropertyTaxes>, FieldKind::Number},
        {"Insurance", at<&P::m_edtPPCInsurance>, FieldKind::Number},
        {"Pmi", at<&P::m_edtPPCPMI>, FieldKind::Number},
        {"PrepaySingle", at<&P::m_rbtnOnePmt>, FieldKind::Check},
        {"PrepayRange", at<&P::m_rbtnRangePmts>, FieldKind::Check},
        {"PrepayAll", at<&P::m_rbtnAllPmts>, FieldKind::Check},
        {"PrepayFrom", at<&P::m_edtPPCFromPmt>, FieldKind::Number},
        {"PrepayTo", at<&P::m_edtPPCToPmt>, FieldKind::Number},
        {"PrepayAmount", at<&P::m_edtPPCExtraAmount>, FieldKind::Number},
    };
    return table;
}

void PpcPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void PpcPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn
