#pragma once

// A widget whose picture a report can print: it draws itself as display-list
// items, the same ones it paints on screen with paintItems(), so the page,
// the preview, the paper and the PDF show one drawing.

#include "engine/Report.h"

#include <QSizeF>

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

} // namespace clvn::report
