#include "reports/ValueFormats.h"

#include "widgets/Format.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace clvn::fmt {

namespace {

// Significant digits of the money formats.
constexpr int kMoneyDigits = 10;

} // namespace

QString currency(double v)
{
    return formatCurrency(v, kMoneyDigits, 2);
}

QString number(double v, int decimals)
{
    return formatNumber(v, kMoneyDigits, decimals);
}

QString general(double v, int digits)
{
    const QLocale locale;
    if (!std::isfinite(v))
        return locale.toString(v);
    digits = std::clamp(digits, 1, kHeldDigits);
    // Rounded once to the digits asked: at most 15, so binary noise (0.1 + 0.2)
    // never shows.
    DecimalDigits d = ShortestDecimal(v);
    RoundDigits(d, digits, std::numeric_limits<int>::max(), RoundMode::HalfAwayFromZero);
    if (d.digits.empty())
        return QStringLiteral("0");
    const QString sign = std::signbit(v) ? locale.negativeSign() : QString();
    const QString point = locale.decimalPoint();
    const QString all = QString::fromStdString(d.digits);
    const qsizetype n = all.size();
    // 0.00001 is 0.1 x 10^-4; anything smaller has a lower exponent.
    const bool tiny = d.exponent < -4;
    if (d.exponent > digits || tiny) {
        QString mantissa = all.left(1);
        if (n > 1)
            mantissa += point + all.mid(1);
        const int exp = d.exponent - 1;
        const QString expText = QString::number(std::abs(exp)).rightJustified(2, u'0');
        return sign + mantissa + (exp < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + expText;
    }
    if (d.exponent <= 0)
        return sign + u'0' + point + QString(-d.exponent, u'0') + all;
    if (d.exponent >= n)
        return sign + all + QString(d.exponent - n, u'0');
    return sign + all.left(d.exponent) + point + all.mid(d.exponent);
}

} // namespace clvn::fmt
