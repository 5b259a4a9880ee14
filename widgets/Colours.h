#pragma once

#include <QColor>

namespace clvn {

// The least contrast a colour pair the program sets must keep, in light and
// dark palettes alike (the ratio of relative luminances, 1 to 21).
constexpr double kLeastContrast = 4.5;
// The least for lines and shapes, which read at a lower contrast than text.
constexpr double kLeastLineContrast = 3.0;

double contrastRatio(const QColor &a, const QColor &b);

// `colour` where it reads on `background` (at `least`); otherwise the nearest
// shade of it that does, toward black on a light background and toward white
// on a dark one.
QColor readableOn(const QColor &colour, const QColor &background, double least = kLeastContrast);

} // namespace clvn
