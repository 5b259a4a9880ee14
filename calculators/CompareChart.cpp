#include "calculators/CompareChart.h"

#include "calculators/ChartColours.h"
#include "engine/PageRender.h"
#include "widgets/Format.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace clvn {

using report::PageItem;
using report::draw::line;
using report::draw::niceStep;
using report::draw::text;

namespace {

const std::array<QColor, 4> kColors = {QColor(0, 84, 166), QColor(204, 85, 0), QColor(46, 139, 87),
                                       QColor(128, 0, 128)};
const QColor kAxisColor(64, 64, 64);
const QColor kGridColor(216, 216, 216);
constexpr qreal kLabelPoints = 7;
constexpr qreal kGap = 4;

} // namespace

std::vector<PageItem> drawCompareChart(const CompareChartData &data, const QSizeF &size)
{
    std::vector<PageItem> items;
    const QFont font = report::reportFont(kLabelPoints);
    const qreal lh = report::lineHeight(font);
    std::size_t months = 0;
    double yMax = 0;
    for (const auto &s : data.series) {
        months = std::max(months, s.cost.size());
        for (double v : s.cost)
            yMax = std::max(yMax, v);
    }
    if (months < 2 || !(yMax > 0) || !std::isfinite(yMax)) {
        items.push_back(text(chart::CompareEmpty, QStringLiteral("No offers to chart."),
                             QRectF(QPointF(0, 0), size), font, Qt::AlignCenter, kAxisColor));
        return items;
    }
    const double last = double(months - 1);
    const double yStep = niceStep(yMax, 5);
    const double yTop = std::ceil(yMax / yStep - 1e-9) * yStep;
    const int ySteps = std::clamp(int(std::lround(yTop / yStep)), 1, 12);

    qreal left = 0;
    for (int k = 0; k <= ySteps; ++k)
        left = std::max(left, report::textWidth(font, formatCurrency(k * yStep, 15, 0)));
    left += 2 * kGap;
    const qreal top = lh + 2 * kGap;
    const qreal bottom = 2 * lh + kGap;
    const qreal right = 2 * kGap + report::textWidth(font, QStringLiteral("0000")) / 2;
    const QRectF plot(left, top, std::max<qreal>(size.width() - left - right, 10),
                      std::max<qreal>(size.height() - top - bottom, 10));
    auto px = [&](double payment) { return plot.left() + payment / last * plot.width(); };
    auto py = [&](double v) { return plot.bottom() - v / yTop * plot.height(); };

    for (int k = 0; k <= ySteps; ++k) {
        const qreal y = py(k * yStep);
        if (k > 0)
            items.push_back(line(QStringLiteral("chtGrid"), QPointF(plot.left(), y),
                                 QPointF(plot.right(), y), kGridColor));
        items.push_back(text(QStringLiteral("chtMoneyLabel"), formatCurrency(k * yStep, 15, 0),
                             QRectF(0, y - lh / 2, left - kGap, lh), font,
                             Qt::AlignRight | Qt::AlignVCenter, kAxisColor));
    }
    // Payment labels every few years so that they never touch.
    const int years = int(last) / 12;
    const qreal labelWidth = report::textWidth(font, QStringLiteral("8888")) + 2 * kGap;
    int every = 1;
    for (int step : {1, 2, 5, 10, 20, 25, 50, 100}) {
        every = step;
        if (step * plot.width() * 12 / last >= labelWidth)
            break;
    }
    for (int year = every; year <= years; year += every) {
        const qreal x = px(12.0 * year);
        items.push_back(line(QStringLiteral("chtTick"), QPointF(x, plot.bottom()),
                             QPointF(x, plot.bottom() + 3), kAxisColor));
        items.push_back(text(QStringLiteral("chtPaymentLabel"), QString::number(12 * year),
                             QRectF(x - labelWidth / 2, plot.bottom() + 3, labelWidth, lh), font,
                             Qt::AlignHCenter | Qt::AlignTop, kAxisColor));
    }
    items.push_back(text(QStringLiteral("chtAxisTitle"), QStringLiteral("Payment"),
                         QRectF(plot.left(), plot.bottom() + lh + 3, plot.width(), lh), font,
                         Qt::AlignHCenter | Qt::AlignTop, kAxisColor));
    items.push_back(
        line(QStringLiteral("chtAxis"), plot.topLeft(), plot.bottomLeft(), kAxisColor, 0.75));
    items.push_back(
        line(QStringLiteral("chtAxis"), plot.bottomLeft(), plot.bottomRight(), kAxisColor, 0.75));

    for (std::size_t s = 0; s < data.series.size(); ++s) {
        PageItem item;
        item.kind = PageItem::Kind::Polyline;
        item.name = chart::CompareLine;
        item.color = kColors[s % kColors.size()];
        item.penWidth = 1.25;
        const auto &totals = data.series[s].cost;
        item.points.reserve(qsizetype(totals.size()));
        for (std::size_t k = 0; k < totals.size(); ++k)
            item.points.append(QPointF(px(double(k)), py(totals[k])));
        items.push_back(std::move(item));
    }
    // A ring of the paying offer's colour at each break-even, its payment beside it.
    for (const auto &m : data.marks) {
        const auto &totals = data.series[std::size_t(m.series)].cost;
        if (m.payment <= 0 || std::size_t(m.payment) >= totals.size())
            continue;
        const QPointF at(px(m.payment), py(totals[std::size_t(m.payment)]));
        PageItem ring;
        ring.kind = PageItem::Kind::Rect;
        ring.name = chart::CompareMark;
        ring.rect = QRectF(at.x() - 2.5, at.y() - 2.5, 5, 5);
        ring.color = kColors[std::size_t(m.series) % kColors.size()];
        ring.fill = Qt::white;
        ring.penWidth = 1;
        items.push_back(ring);
        items.push_back(text(chart::CompareMark, QString::number(m.payment),
                             QRectF(at.x() - 20, at.y() - lh - 3, 40, lh), font,
                             Qt::AlignHCenter | Qt::AlignBottom, ring.color));
    }
    qreal x = plot.left();
    for (std::size_t s = 0; s < data.series.size(); ++s) {
        const qreal y = kGap + lh / 2;
        const QColor color = kColors[s % kColors.size()];
        items.push_back(line(chart::CompareLegend, QPointF(x, y), QPointF(x + 16, y), color, 1.25));
        const qreal w = report::textWidth(font, data.series[s].name);
        items.push_back(text(chart::CompareLegend, data.series[s].name, QRectF(x + 20, kGap, w, lh),
                             font, Qt::AlignLeft | Qt::AlignVCenter));
        x += 20 + w + 12;
    }
    return items;
}

CompareChartView::CompareChartView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CompareChartView::setData(CompareChartData data)
{
    m_data = std::move(data);
    update();
}

std::vector<PageItem> CompareChartView::drawing(const QSizeF &size) const
{
    return drawCompareChart(m_data, size);
}

void CompareChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QSizeF points(width() * 72.0 / logicalDpiX(), height() * 72.0 / logicalDpiY());
    paintChart(painter, *this, drawCompareChart(m_data, points));
}

} // namespace clvn
