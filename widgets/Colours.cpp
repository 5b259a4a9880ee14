#include "widgets/Colours.h"

#include <algorithm>
#include <cmath>

namespace clvn {

namespace {

double channel(double c)
{
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &colour, const QColor &background, double least)
{
    const QColor toward = luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    QColor shade = colour.toRgb();
    // Ten steps of a tenth each end on black or white, which always reads.
    for (int step = 1; step <= 10 && contrastRatio(shade, background) < least; ++step) {
        const double t = step / 10.0;
        shade = QColor::fromRgbF(float(colour.redF() + (toward.redF() - colour.redF()) * t),
                                 float(colour.greenF() + (toward.greenF() - colour.greenF()) * t),
                                 float(colour.blueF() + (toward.blueF() - colour.blueF()) * t));
    }
    return shade;
}

} // namespace clvn
