#pragma once

// A widget whose picture a report can print: it draws itself as display-list
// items, the same ones it paints on screen with paintItems(), so the page,
// the preview, the paper and the PDF show one drawing.

#include "engine/Report.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace clvn::report {

class DrawingSource
{
public:
    virtual ~DrawingSource() = default;
    // The picture laid out in a box of `size` points, origin at its top-left.
    virtual std::vector<PageItem> drawing(const QSizeF &size) const = 0;

protected:
    DrawingSource() = default;
    DrawingSource(const DrawingSource &) = default;
    DrawingSource &operator=(const DrawingSource &) = default;
};

// The small parts the charts are drawn from.
namespace draw {

// A step of 1, 2, 2.5 or 5 times a power of ten that cuts `range` into at
// most `parts` parts.
double niceStep(double range, int parts);

// One line of text in `rect`, never clipped or wrapped; `flags` align it.
PageItem text(const QString &name, const QString &s, const QRectF &rect, const QFont &font,
              int flags, const QColor &color = Qt::black);

// A straight line from `a` to `b`.
PageItem line(const QString &name, const QPointF &a, const QPointF &b, const QColor &color,
              qreal width = 0.5, Qt::PenStyle style = Qt::SolidLine);

} // namespace draw

} // namespace clvn::report
