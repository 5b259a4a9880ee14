#pragma once

// Charts are drawn black on white for paper; on screen they follow the
// window's palette instead.

#include "engine/Report.h"

#include <QPalette>

#include <vector>

class QPainter;
class QWidget;

namespace clvn {

// `items` recoloured for `palette`: white becomes its Base, black its Text,
// greys a blend of the two, and every other colour a shade that reads on the
// Base (text at the least contrast, lines at the least for graphics).
std::vector<report::PageItem> onScreen(std::vector<report::PageItem> items,
                                       const QPalette &palette);

// A line a view draws over its chart (a marker), `colour` on paper: shaded
// for `palette` as the chart's lines are, and kept readable on its Base.
QColor lineOnScreen(const QColor &colour, const QPalette &palette);

// Paints a chart's display list, laid out in points, over all of `view` in
// its palette; `painter` is left in points for what the view adds.
void paintChart(QPainter &painter, const QWidget &view, const std::vector<report::PageItem> &items);

} // namespace clvn
