#include "reports/QrAmortChart.h"

#include "engine/Drawing.h"
#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/Qrgrid.h"

#include <QLabel>

#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

constexpr qreal kChartTop = 32;
constexpr qreal kCaptionGap = 10;
constexpr qreal kCaptionHeight = 30;

} // namespace

TQRAmortChart::TQRAmortChart() : m_rep(QStringLiteral("QRAmortChart"))
{
    const qreal w = m_rep.contentWidth();
    addTitleBand(m_rep, QStringLiteral("Loan Amortization Chart"));
    addMortgageInsuranceBlock(m_rep);

    ReportBand *detail = m_rep.addBand(BandKind::Detail, QStringLiteral("Detail"),
                                       kChartTop + ChartHeight + kCaptionGap + kCaptionHeight);
    detail->addHLine(QStringLiteral("HeaderRule1"), 1, 0, w);
    addLoanFigures(detail, 5);
    detail->addHLine(QStringLiteral("HeaderRule2"), 25, 0, w);
    detail->addDrawing(QStringLiteral("chtAmortization"), QRectF(0, kChartTop, w, ChartHeight));
    ReportElement *caption =
        detail->addLabel(QStringLiteral("lblAmortSavings"), QString(),
                         QRectF(0, kChartTop + ChartHeight + kCaptionGap, w, kCaptionHeight),
                         reportFont(px(13), true), Qt::AlignLeft | Qt::AlignTop);
    caption->wordWrap = true;
    detail->beforePrint = [this] { DetailBeforePrint(); };

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { RepBeforePrint(); };
}

void TQRAmortChart::RepBeforePrint()
{
    fillFooter(m_rep);
    fillMortgageInsuranceBlock(m_rep, m_page);
}

void TQRAmortChart::DetailBeforePrint()
{
    fillLoanFigures(m_rep, m_page);
    const auto *source =
        dynamic_cast<const DrawingSource *>(pageWidget(m_page, QStringLiteral("chtAmortization")));
    if (!source)
        throw std::runtime_error("the amortization page has no chart chtAmortization");
    // Laid out for the paper's width between the margins.
    ReportElement *chart = m_rep.element(QStringLiteral("chtAmortization"));
    chart->geometry.setWidth(m_rep.contentWidth());
    chart->drawing = source->drawing(chart->geometry.size());
    const auto *label =
        qobject_cast<const QLabel *>(pageWidget(m_page, QStringLiteral("lblAmortSavings")));
    m_rep.setText(QStringLiteral("lblAmortSavings"), label ? label->text() : QString());
}

} // namespace clvn
