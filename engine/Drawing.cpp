#include "engine/Drawing.h"

#include <cmath>

namespace clvn::report::draw {

double niceStep(double range, int parts)
{
    const double raw = range / parts;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (raw <= m * magnitude)
            return m * magnitude;
    return 10 * magnitude;
}

PageItem text(const QString &name, const QString &s, const QRectF &rect, const QFont &font,
              int flags, const QColor &color)
{
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.name = name;
    item.text = s;
    item.rect = rect;
    item.font = font;
    item.flags = flags | Qt::TextDontClip | Qt::TextSingleLine;
    item.color = color;
    return item;
}

PageItem line(const QString &name, const QPointF &a, const QPointF &b, const QColor &color,
              qreal width, Qt::PenStyle style)
{
    PageItem item;
    item.kind = PageItem::Kind::Polyline;
    item.name = name;
    item.points = QPolygonF{a, b};
    item.color = color;
    item.penWidth = width;
    item.penStyle = style;
    return item;
}

} // namespace clvn::report::draw
