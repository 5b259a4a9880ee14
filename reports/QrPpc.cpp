#include "reports/QrPpc.h"

#include "finance/PayPlans.h"
#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/ValueFormats.h"

#include <QVariant>
#include <QWidget>

#include <stdexcept>

namespace clvn {

using namespace report;
using namespace Qt::StringLiterals;

namespace {

struct Row
{
    const char16_t *caption;     // the first line
    const char16_t *captionMore; // a second line, or empty
    const char16_t *label;
};

constexpr Row kLoanRows[] = {
    {u"Amount Borrowed", u"", u"qrlblAmountBorrowed"},
    {u"Interest Rate", u"", u"qrlblInterestRate"},
    {u"Term in Months", u"", u"qrlblTermInMonths"},
    {u"Annual Property Taxes", u"", u"qrlblAnnualPropertyTaxes"},
    {u"Annual Insurance", u"", u"qrlblAnnualInsurance"},
    {u"Annual PMI Premiums", u"", u"qrlblAnnualPMIPremiums"},
    {u"Monthly Payment (P&I)", u"", u"qrlblMonthlyPayment"},
    {u"Regular Payment Amount", u"with Taxes and Insurance", u"qrlblFullMonthlyPayment"},
    {u"Total Interest Paid Over Term", u"", u"qrlblTotalInterest"},
    {u"Total Interest and Principal", u"", u"qrlblInterestAndPrincipal"},
};

constexpr Row kResultRows[] = {
    {u"New Monthly Payment", u"", u"qrlblNewPayment"},
    {u"New Payment Amount", u"with Taxes and Insurance", u"qrlblNewFullPayment"},
    {u"New Interest Over Term", u"", u"qrlblNewInterest"},
    {u"Total Interest and Principal", u"", u"qrlblNewInterestAndPrincipal"},
    {u"New Term in Months", u"", u"qrlblNewTerm"},
    {u"Amount Saved by Prepaying", u"", u"qrlblSavings"},
};

const QString kBasedUpon = QStringLiteral("Based upon your prepayment amount of ");

QVariant pageProperty(const QWidget *page, const char *name)
{
    const QVariant v = page ? page->property(name) : QVariant();
    if (!v.isValid())
        throw std::runtime_error(std::string("the prepayment page has no ") + name);
    return v;
}

} // namespace

TQrPrepaymentResults::TQrPrepaymentResults() : m_rep(QStringLiteral("QrPrepaymentResults"))
{
    addTitleBand(m_rep, QStringLiteral("Mortgage Prepayment Results"));
    const qreal w = m_rep.contentWidth();
    ReportBand *band = m_rep.addBand(BandKind::PageHeader, QStringLiteral("BandBody"), 300);
    const QFont plain = reportFont(px(12));
    const QFont bold = reportFont(px(12), true);
    const QFont heading = reportFont(px(16), true);
    const qreal line = lineHeight(plain);

    qreal y = 8;
    band->addLabel(QStringLiteral("QRLabelBasedUpon"), kBasedUpon, QRectF(0, y, 0, line), plain,
                   Qt::AlignLeft, true);
    // Straight after the words before it, on the same line.
    band->addLabel(QStringLiteral("qrlblPrepayDetails"), QString(),
                   QRectF(textWidth(plain, kBasedUpon), y, 0, line), plain, Qt::AlignLeft, true);
    y += line + 2;
    band->addLabel(QStringLiteral("QRLabelChanged"),
                   QStringLiteral("your mortgage details will be changed as indicated below."),
                   QRectF(0, y, w, line), plain);
    y += line + 8;
    band->addHLine(QStringLiteral("QRShapeSentence"), y, 0, w);
    y += 14;

    // Two columns: bold captions right-aligned against plain values.
    const qreal half = w / 2;
    const qreal captionWidth = 165;
    const qreal valueWidth = half - captionWidth - 14;
    const auto column = [&](qreal x, const QString &name, const QString &title, const Row *rows,
                            int count) {
        band->addLabel(name, title, QRectF(x, y, half - 6, 20), heading, Qt::AlignHCenter);
        qreal ry = y + 28;
        for (int i = 0; i < count; ++i) {
            const Row &row = rows[i];
            const bool twoLines = row.captionMore[0] != u'\0';
            const QString label = QString::fromUtf16(row.label);
            band->addLabel(label + u"Caption", QString::fromUtf16(row.caption),
                           QRectF(x, ry, captionWidth, line), bold, Qt::AlignRight);
            if (twoLines)
                band->addLabel(label + u"Caption2", QString::fromUtf16(row.captionMore),
                               QRectF(x, ry + line, captionWidth, line), bold, Qt::AlignRight);
            const qreal height = twoLines ? 2 * line : line;
            band->addLabel(label, QString(), QRectF(x + captionWidth + 6, ry, valueWidth, height),
                           plain, Qt::AlignRight | Qt::AlignVCenter);
            ry += height + 6;
        }
        return ry;
    };
    const qreal left =
        column(0, QStringLiteral("QRLabelLoanInformation"), QStringLiteral("Loan Information"),
               kLoanRows, int(std::size(kLoanRows)));
    const qreal right =
        column(half + 6, QStringLiteral("QRLabelPrepaymentResults"),
               QStringLiteral("Prepayment Results"), kResultRows, int(std::size(kResultRows)));
    band->setHeight(std::max(left, right) + 10);

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { repBeforePrint(); };
}

void TQrPrepaymentResults::repBeforePrint()
{
    fillFooter(m_rep);
}

QString TQrPrepaymentResults::prepayDetails(int mode, int from, int to, double amount, int outcome,
                                            int term)
{
    const QString money = fmt::currency(amount);
    switch (PrepaymentOutcome(outcome)) {
    case PrepaymentOutcome::Applied:
        break;
    case PrepaymentOutcome::NotCalculated:
        return money + u", since no prepayment has been calculated,";
    case PrepaymentOutcome::Cleared:
        return money + u", since the prepayments were cleared,";
    case PrepaymentOutcome::OutsideSchedule: {
        const QString number = fmt::general(from);
        const QString past = u"past the last payment ("_s + fmt::general(term) + u"),";
        if (mode == 1)
            return money + u", since the range starts at payment " + number + u", " +
                   (from < 1 ? u"which does not exist,"_s : past);
        return money + u", since " +
               (from < 1 ? QString(u"there is no payment "_s + number + u',')
                         : QString(u"payment "_s + number + u" is " + past));
    }
    }
    // A range that ends where it starts, or before, is its first payment alone.
    if (mode == 0 || (mode == 1 && to <= from))
        return money + u", applied to payment " + fmt::general(from) + u',';
    if (mode == 1)
        return money + u", applied to payments " + fmt::general(from) + u" through " +
               fmt::general(to) + u',';
    return money + u", applied to all payments,";
}

void TQrPrepaymentResults::fill(const QWidget *page)
{
    const auto value = [page](const char16_t *field) {
        return fieldValue(page, QString::fromUtf16(field));
    };
    const auto set = [this](const char16_t *label, const QString &text) {
        m_rep.setText(QString::fromUtf16(label), text);
    };
    // Everything is read first, so a bad field leaves the report as it was.
    const QString details = prepayDetails(
        pageProperty(page, "appliedMode").toInt(), pageProperty(page, "appliedFrom").toInt(),
        pageProperty(page, "appliedTo").toInt(), pageProperty(page, "appliedAmount").toDouble(),
        pageProperty(page, "appliedOutcome").toInt(), pageProperty(page, "appliedTerm").toInt());
    struct Fill
    {
        const char16_t *label;
        const char16_t *field;
        char format; // 'c' currency, 'g' general, 'r' percent number-3
    };
    static constexpr Fill fills[] = {
        {u"qrlblAmountBorrowed", u"edtPPCAmountBorrowed", 'c'},
        {u"qrlblInterestRate", u"edtPPCInterest", 'r'},
        {u"qrlblTermInMonths", u"edtPPCTerm", 'g'},
        {u"qrlblAnnualPropertyTaxes", u"edtPPCPropertyTaxes", 'c'},
        {u"qrlblAnnualInsurance", u"edtPPCInsurance", 'c'},
        {u"qrlblAnnualPMIPremiums", u"edtPPCPMI", 'c'},
        {u"qrlblMonthlyPayment", u"edtPPCPayment", 'c'},
        {u"qrlblFullMonthlyPayment", u"edtPPCTotalPayment", 'c'},
        {u"qrlblTotalInterest", u"edtPPCTotalInterest", 'c'},
        {u"qrlblInterestAndPrincipal", u"edtPPCTotalPrincipalAndInterest", 'c'},
        {u"qrlblNewPayment", u"edtPPCNewPayment", 'c'},
        {u"qrlblNewFullPayment", u"edtPPCNewTotalPayment", 'c'},
        {u"qrlblNewInterest", u"edtPPCTotalInterestWithPrepayments", 'c'},
        {u"qrlblNewInterestAndPrincipal", u"edtPPCTotalInterestAndPrincipalWithPrepayments", 'c'},
        {u"qrlblNewTerm", u"edtPPCNewTerm", 'g'},
        {u"qrlblSavings", u"edtPPCSavings", 'c'},
    };
    QStringList texts;
    for (const Fill &f : fills) {
        const double v = value(f.field);
        texts << (f.format == 'c'   ? fmt::currency(v)
                  : f.format == 'g' ? fmt::general(v)
                                    : fmt::percent(fmt::number(v, 3)));
    }
    set(u"qrlblPrepayDetails", details);
    for (std::size_t i = 0; i < std::size(fills); ++i)
        set(fills[i].label, texts[qsizetype(i)]);
}

} // namespace clvn
