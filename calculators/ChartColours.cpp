#include "calculators/ChartColours.h"

#include "engine/PageRender.h"
#include "widgets/Colours.h"

#include <QPainter>
#include <QWidget>

namespace clvn {

namespace {

// A grey keeps its place between paper and ink: black is all ink, white none.
QColor blend(const QColor &grey, const QColor &base, const QColor &ink)
{
    const double t = 1.0 - grey.toRgb().redF();
    const auto mix = [t](double b, double i) { return float(b + (i - b) * t); };
    return QColor::fromRgbF(mix(base.redF(), ink.redF()), mix(base.greenF(), ink.greenF()),
                            mix(base.blueF(), ink.blueF()), grey.alphaF());
}

QColor recolour(const QColor &colour, const QPalette &palette, double least)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor rgb = colour.toRgb();
    if (rgb.alpha() == 0)
        return colour;
    if (rgb.red() == rgb.green() && rgb.green() == rgb.blue()) {
        const QColor grey = blend(rgb, base, palette.color(QPalette::Text));
        // Text must read; faint grid lines stay faint, as on paper.
        return least >= kLeastContrast ? readableOn(grey, base, least) : grey;
    }
    return readableOn(rgb, base, least);
}

} // namespace

std::vector<report::PageItem> onScreen(std::vector<report::PageItem> items, const QPalette &palette)
{
    for (report::PageItem &item : items) {
        const bool isText = item.kind == report::PageItem::Kind::Text;
        item.color = recolour(item.color, palette, isText ? kLeastContrast : kLeastLineContrast);
        item.fill = recolour(item.fill, palette, 1.0);
    }
    return items;
}

QColor lineOnScreen(const QColor &colour, const QPalette &palette)
{
    // Greys among the chart's lines may stay faint; a marker may not.
    return readableOn(recolour(colour, palette, kLeastLineContrast), palette.color(QPalette::Base),
                      kLeastLineContrast);
}

void paintChart(QPainter &painter, const QWidget &view, const std::vector<report::PageItem> &items)
{
    painter.fillRect(view.rect(), view.palette().color(QPalette::Base));
    report::beginPage(painter);
    report::paintItems(painter, onScreen(items, view.palette()));
}

} // namespace clvn
