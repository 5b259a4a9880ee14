#include "reports/QrArm.h"

#include "engine/Drawing.h"
#include "reports/CommonParts.h"
#include "reports/PageFields.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <iterator>
#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

constexpr qreal kRowH = 14;
constexpr qreal kGap = 10;

// The figures printed in two columns of caption and value: the page's field
// of each, inputs first. A field the page hides (the fixed loan's, without
// one) prints nothing.
struct Line
{
    const char16_t *caption;
    const char16_t *field;
};
constexpr Line kLines[] = {
    {u"Loan amount", u"edtArmLoan"},
    {u"Term in months", u"edtArmTerm"},
    {u"Initial rate (%)", u"edtArmRate"},
    {u"Months at the initial rate", u"edtArmFixedMonths"},
    {u"Months between changes", u"edtArmAdjustMonths"},
    {u"Index at closing (%)", u"edtArmIndex"},
    {u"Margin (%)", u"edtArmMargin"},
    {u"Rounding of index + margin", u"cbArmRounding"},
    {u"Caps: first change", u"edtArmFirstCap"},
    {u"Caps: later changes", u"edtArmPeriodicCap"},
    {u"Lifetime cap", u"edtArmLifetimeCap"},
    {u"Floor (%)", u"edtArmFloor"},
    {u"Interest-only months", u"edtArmInterestOnly"},
    {u"Prepaid finance charges", u"edtArmPrepaid"},
    {u"Own index path", u"edtArmPath"},
    {u"Fixed loan rate (%)", u"edtArmFixedRate"},
    {u"Fixed loan prepaid charges", u"edtArmFixedPrepaid"},
    {u"Fully indexed rate (%)", u"edtArmFullyIndexed"},
    {u"First payment", u"edtArmFirstPayment"},
    {u"Payment after the first change", u"edtArmPaymentAfterChange"},
    {u"Balance at the first change", u"edtArmBalanceAtChange"},
    {u"Highest payment (worst case)", u"edtArmHighestPayment"},
    {u"Highest from payment", u"edtArmHighestAt"},
    {u"Highest rate (%)", u"edtArmHighestRate"},
    {u"APR (%)", u"edtArmAPR"},
    {u"Finance charge", u"edtArmFinanceCharge"},
    {u"Total interest percentage", u"edtArmTIP"},
    {u"Paid in 5 years", u"edtArmFiveYearTotal"},
    {u"Principal paid in 5 years", u"edtArmFiveYearPrincipal"},
    {u"Fixed loan payment", u"edtArmFixedPayment"},
    {u"Fixed less first payment", u"edtArmMonthlyDifference"},
    {u"Costlier than fixed after (index)", u"edtArmFixedBreakEvenIndex"},
    {u"Costlier than fixed after (worst)", u"edtArmFixedBreakEvenWorst"},
};
constexpr int kLineCount = int(std::size(kLines));
constexpr int kLinesPerColumn = (kLineCount + 1) / 2;

QString captionName(int k)
{
    return QStringLiteral("lblArmCaption%1").arg(k);
}
QString valueName(int k)
{
    return QStringLiteral("lblArmValue%1").arg(k);
}
QString rateName(int row, int column)
{
    return QStringLiteral("lblArmRate%1_%2").arg(row).arg(column);
}
QString projectedName(int row, int column)
{
    return QStringLiteral("lblArmProjected%1_%2").arg(row).arg(column);
}

} // namespace

TQRArm::TQRArm() : m_rep(QStringLiteral("QRArm"))
{
    const qreal w = m_rep.contentWidth();
    addTitleBand(m_rep, QStringLiteral("Adjustable Rate"));

    const qreal termsTop = kLinesPerColumn * kRowH + kGap;
    const qreal rateTop = termsTop + 3 * kRowH + kGap;
    const qreal projectedTop = rateTop + RateRows * kRowH + kGap;
    const qreal chartTop = projectedTop + 2 * kRowH + kGap;
    ReportBand *detail =
        m_rep.addBand(BandKind::Detail, QStringLiteral("Detail"), chartTop + ChartHeight + kGap);
    const QFont plain = reportFont(px(12));
    const QFont bold = reportFont(px(12), true);
    const qreal half = w / 2;
    for (int k = 0; k < kLineCount; ++k) {
        const qreal x = k < kLinesPerColumn ? 0 : half + 6;
        const qreal y = (k % kLinesPerColumn) * kRowH;
        detail->addLabel(captionName(k), QString(), QRectF(x, y, half * 0.6, kRowH), plain);
        detail->addLabel(valueName(k), QString(), QRectF(x + half * 0.6, y, half * 0.4 - 8, kRowH),
                         plain, Qt::AlignRight | Qt::AlignVCenter);
    }
    ReportElement *terms =
        detail->addLabel(QStringLiteral("lblArmLoanTerms"), QString(),
                         QRectF(0, termsTop, w, 3 * kRowH), plain, Qt::AlignLeft | Qt::AlignTop);
    terms->wordWrap = true;
    for (int r = 0; r < RateRows; ++r) {
        detail->addLabel(rateName(r, 0), QString(), QRectF(0, rateTop + r * kRowH, 220, kRowH),
                         plain);
        detail->addLabel(rateName(r, 1), QString(),
                         QRectF(220, rateTop + r * kRowH, w - 220, kRowH), plain);
    }
    const qreal columnW = (w - 140) / ProjectedColumns;
    detail->addLabel(QStringLiteral("lblArmProjectedCaption"),
                     QStringLiteral("Principal & Interest"),
                     QRectF(0, projectedTop + kRowH, 140, kRowH), plain);
    for (int c = 0; c < ProjectedColumns; ++c)
        for (int r = 0; r < 2; ++r)
            detail->addLabel(projectedName(r, c), QString(),
                             QRectF(140 + c * columnW, projectedTop + r * kRowH, columnW, kRowH),
                             r == 0 ? bold : plain, Qt::AlignCenter);
    detail->addDrawing(QStringLiteral("chtArm"), QRectF(0, chartTop, w, ChartHeight));
    detail->beforePrint = [this] { DetailBeforePrint(); };

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { fillFooter(m_rep); };
}

void TQRArm::DetailBeforePrint()
{
    const auto *rates =
        qobject_cast<const QTableWidget *>(pageWidget(m_page, QStringLiteral("grdArmRateTable")));
    const auto *projected =
        qobject_cast<const QTableWidget *>(pageWidget(m_page, QStringLiteral("grdArmProjected")));
    const auto *terms =
        qobject_cast<const QLabel *>(pageWidget(m_page, QStringLiteral("lblArmLoanTerms")));
    const auto *chart =
        dynamic_cast<const DrawingSource *>(pageWidget(m_page, QStringLiteral("chtArm")));
    if (!rates || !projected || !terms || !chart)
        throw std::runtime_error("the adjustable-rate page lacks its tables or chart");

    for (int k = 0; k < kLineCount; ++k) {
        const QString field = QString::fromUtf16(kLines[k].field);
        const QWidget *w = pageWidget(m_page, field);
        if (!w)
            throw std::runtime_error("the adjustable-rate page lacks a field");
        const bool shown = !w->isHidden();
        QString value;
        if (const auto *combo = qobject_cast<const QComboBox *>(w))
            value = combo->currentText();
        else if (shown)
            value = fieldText(m_page, field);
        m_rep.setText(captionName(k), shown ? QString::fromUtf16(kLines[k].caption) : QString());
        m_rep.setText(valueName(k), value);
    }
    m_rep.setText(QStringLiteral("lblArmLoanTerms"), terms->text());
    for (int r = 0; r < RateRows; ++r)
        for (int c = 0; c < 2; ++c) {
            const QTableWidgetItem *item = r < rates->rowCount() ? rates->item(r, c) : nullptr;
            ReportElement *e = m_rep.element(rateName(r, c));
            e->text = item ? item->text() : QString();
            e->font.setBold(item && item->font().bold());
        }
    for (int c = 0; c < ProjectedColumns; ++c) {
        const bool shown = c < projected->columnCount();
        const QTableWidgetItem *head = shown ? projected->horizontalHeaderItem(c) : nullptr;
        const QTableWidgetItem *cell = shown ? projected->item(0, c) : nullptr;
        m_rep.setText(projectedName(0, c), head ? head->text() : QString());
        m_rep.setText(projectedName(1, c), cell ? cell->text() : QString());
    }
    ReportElement *drawing = m_rep.element(QStringLiteral("chtArm"));
    drawing->geometry.setWidth(m_rep.contentWidth());
    drawing->drawing = chart->drawing(drawing->geometry.size());
}

} // namespace clvn
