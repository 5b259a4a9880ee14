#include "reports/QrCompare.h"

#include "engine/Drawing.h"
#include "engine/TableMarks.h"
#include "reports/CommonParts.h"
#include "reports/PageFields.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

constexpr qreal kTop = 30;  // below the home value line
constexpr qreal kRowH = 15; // one result row
constexpr qreal kCaptionW = 170;
constexpr qreal kSentencesH = 90;
constexpr qreal kGap = 12;

QString cellName(int row, int column)
{
    return QStringLiteral("lblCmpCell%1_%2").arg(row).arg(column);
}

QString headName(int column)
{
    return QStringLiteral("lblCmpHead%1").arg(column);
}

} // namespace

TQRCompare::TQRCompare() : m_rep(QStringLiteral("QRCompare"))
{
    const qreal w = m_rep.contentWidth();
    addTitleBand(m_rep, QStringLiteral("Compare Loan Offers"));

    const qreal tableH = (Rows + 1) * kRowH;
    const qreal sentencesTop = kTop + tableH + kGap;
    const qreal chartTop = sentencesTop + kSentencesH + kGap;
    ReportBand *detail =
        m_rep.addBand(BandKind::Detail, QStringLiteral("Detail"), chartTop + ChartHeight + kGap);
    const QFont plain = reportFont(px(13));
    const QFont bold = reportFont(px(13), true);
    detail->addLabel(QStringLiteral("lblCmpHomeValue"), QString(), QRectF(0, 4, w, 16), plain);
    const qreal columnW = (w - kCaptionW) / Columns;
    for (int c = 0; c < Columns; ++c)
        detail->addLabel(headName(c), QString(),
                         QRectF(kCaptionW + c * columnW, kTop, columnW, kRowH), bold,
                         Qt::AlignRight | Qt::AlignVCenter);
    detail->addHLine(QStringLiteral("TableRule"), kTop + kRowH, 0, w);
    for (int r = 0; r < Rows; ++r) {
        const qreal y = kTop + (r + 1) * kRowH;
        detail->addLabel(QStringLiteral("lblCmpCaption%1").arg(r), QString(),
                         QRectF(0, y, kCaptionW, kRowH), plain);
        for (int c = 0; c < Columns; ++c)
            detail->addLabel(cellName(r, c), QString(),
                             QRectF(kCaptionW + c * columnW, y, columnW, kRowH), plain,
                             Qt::AlignRight | Qt::AlignVCenter);
    }
    ReportElement *sentences = detail->addLabel(QStringLiteral("lblCmpBreakEven"), QString(),
                                                QRectF(0, sentencesTop, w, kSentencesH), plain,
                                                Qt::AlignLeft | Qt::AlignTop);
    sentences->wordWrap = true;
    detail->addDrawing(QStringLiteral("chtCompare"), QRectF(0, chartTop, w, ChartHeight));
    detail->beforePrint = [this] { DetailBeforePrint(); };

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { fillFooter(m_rep); };
}

void TQRCompare::DetailBeforePrint()
{
    const auto *grid =
        qobject_cast<const QTableWidget *>(pageWidget(m_page, QStringLiteral("grdCompare")));
    const auto *chart =
        dynamic_cast<const DrawingSource *>(pageWidget(m_page, QStringLiteral("chtCompare")));
    const auto *sentences =
        qobject_cast<const QLabel *>(pageWidget(m_page, QStringLiteral("lblCmpBreakEven")));
    const auto *home =
        qobject_cast<const QLineEdit *>(pageWidget(m_page, QStringLiteral("edtCmpHomeValue")));
    const auto *marks = dynamic_cast<const TableMarks *>(m_page.data());
    if (!grid || !chart || !sentences || !home || !marks)
        throw std::runtime_error("the loan offers page lacks its grid, sentences or chart");

    m_rep.setText(QStringLiteral("lblCmpHomeValue"),
                  QStringLiteral("Home value, for when mortgage insurance ends: ") + home->text());
    for (int c = 0; c < Columns; ++c) {
        const bool shown = c < grid->columnCount() && !grid->isColumnHidden(c);
        ReportElement *head = m_rep.element(headName(c));
        head->enabled = shown;
        const QTableWidgetItem *header = shown ? grid->horizontalHeaderItem(c) : nullptr;
        head->text = header ? header->text() : QString();
        for (int r = 0; r < Rows; ++r) {
            ReportElement *cell = m_rep.element(cellName(r, c));
            const QTableWidgetItem *item = shown ? grid->item(r, c) : nullptr;
            cell->enabled = shown;
            cell->text = item ? item->text() : QString();
            // The figure the page marks as the best of its row prints bold.
            cell->font.setBold(shown && marks->isMarked(r, c));
        }
    }
    for (int r = 0; r < Rows; ++r) {
        const QTableWidgetItem *caption = grid->verticalHeaderItem(r);
        m_rep.setText(QStringLiteral("lblCmpCaption%1").arg(r),
                      caption ? caption->text() : QString());
    }
    m_rep.setText(QStringLiteral("lblCmpBreakEven"), sentences->text());
    ReportElement *drawing = m_rep.element(QStringLiteral("chtCompare"));
    drawing->geometry.setWidth(m_rep.contentWidth());
    drawing->drawing = chart->drawing(drawing->geometry.size());
}

} // namespace clvn
