#include "reports/ValueFormats.h"

#include "widgets/Format.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace clvn::fmt {

namespace {

// Significant digits of the money formats.
constexpr int kMoneyDigits = 10;

// |v| as decimal digits d1d2d3... with value 0.d1d2d3... x 10^exponent,
// rounded half away from zero to `keep` significant digits, trailing zeros
// dropped. Empty digits mean zero.
struct Digits
{
    std::string digits;
    int exponent = 0;
};

Digits roundedDigits(double v, int keep)
{
    char buf[40];
    // 15 significant digits: what a double holds reliably.
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const std::string s(buf);
    const auto e = s.find('e');
    std::string mantissa = s.substr(0, 1) + s.substr(2, e - 2);
    Digits d{mantissa, std::stoi(s.substr(e + 1)) + 1};
    if (keep < int(d.digits.size())) {
        const bool up = d.digits[std::size_t(keep)] >= '5';
        d.digits.resize(std::size_t(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && d.digits[std::size_t(i)] == '9')
                d.digits[std::size_t(i--)] = '0';
            if (i >= 0) {
                ++d.digits[std::size_t(i)];
            } else {
                d.digits.insert(d.digits.begin(), '1');
                ++d.exponent;
            }
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

} // namespace

QString currency(double v)
{
    return formatCurrency(v, kMoneyDigits, 2);
}

QString number(double v, int decimals)
{
    return QLocale().toString(roundShown(v, kMoneyDigits, decimals), 'f', decimals);
}

QString general(double v, int digits)
{
    const QLocale locale;
    if (!std::isfinite(v))
        return locale.toString(v);
    digits = std::clamp(digits, 1, 15);
    const Digits d = roundedDigits(v, digits);
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
