#include "widgets/Format.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace clvn {

namespace {

// A finite double as decimal digits: value = 0.d1d2d3... x 10^exponent.
struct Decimal
{
    bool negative = false;
    std::string digits; // no leading zeros; empty means zero
    int exponent = 0;
};

// The shortest decimal form that reads back as the same double: this is the
// number a person sees when the value is printed in full, so rounding works
// on it rather than on the binary value a hair above or below.
Decimal toDecimal(double v)
{
    Decimal d;
    d.negative = std::signbit(v);
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific);
    const std::string s(buf, res.ptr);
    const auto e = s.find('e');
    std::string mantissa = s.substr(0, e);
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    d.exponent = std::stoi(s.substr(e + 1)) + 1;
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    d.digits = mantissa; // "0" was trimmed to "" above
    return d;
}

// Keeps the first `keep` digits (keep may be 0 or negative: nothing kept).
void roundTo(Decimal &d, int keep, RoundMode mode)
{
    if (d.digits.empty() || keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const char next = d.digits[std::size_t(keep)];
    const bool restNonZero =
        d.digits.find_first_not_of('0', std::size_t(keep) + 1) != std::string::npos;
    const bool lastOdd = keep > 0 && (d.digits[std::size_t(keep) - 1] - '0') % 2 == 1;
    d.digits.resize(std::size_t(keep));
    bool up = false;
    if (mode == RoundMode::HalfEven)
        up = next > '5' || (next == '5' && (restNonZero || lastOdd));
    else if (mode == RoundMode::HalfAwayFromZero)
        up = next >= '5';
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[std::size_t(i)] == '9') {
            d.digits[std::size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[std::size_t(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

double toDouble(const Decimal &d)
{
    if (d.digits.empty())
        return 0.0; // never a negative zero: "-$0.00" reads as a debt
    const std::string s = "0." + d.digits + "e" + std::to_string(d.exponent);
    double v = 0.0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return d.negative ? -v : v;
}

QLocale plainLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// A mask section reduced to what formatting needs.
struct MaskSection
{
    QString prefix;
    QString suffix;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
};

MaskSection parseSection(const QString &mask, const QLocale &locale)
{
    MaskSection m;
    bool seenDigit = false;
    bool afterPoint = false;
    bool seenZero = false;
    int decimalPlaces = 0;
    QString *literal = &m.prefix;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == u'"' || c == u'\'') {
            const qsizetype end = mask.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? mask.size() : end;
            literal->append(mask.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'#' || c == u'0') {
            // Literal text between digit placeholders ends up after the number.
            seenDigit = true;
            literal = &m.suffix;
            if (afterPoint) {
                ++decimalPlaces;
                if (c == u'0')
                    m.minDecimals = decimalPlaces;
            } else if (c == u'0' || seenZero) {
                seenZero = true;
                ++m.minInteger;
            }
        } else if (c == u',' && !afterPoint &&
                   (seenDigit || mask.indexOf(u'#', i) >= 0 || mask.indexOf(u'0', i) >= 0)) {
            m.grouping = true;
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            literal = &m.suffix;
        } else if (c == u'$') {
            literal->append(locale.currencySymbol());
        } else {
            literal->append(c);
        }
    }
    m.maxDecimals = decimalPlaces;
    return m;
}

QString groupDigits(const QString &digits, const QLocale &locale)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += locale.groupSeparator();
        out += digits.at(i);
    }
    return out;
}

QString applySection(double magnitude, const MaskSection &m, const QLocale &locale)
{
    // magnitude is already rounded to maxDecimals; print it exactly that way.
    QString fixed = QString::number(magnitude, 'f', m.maxDecimals);
    QString integer = fixed.section(u'.', 0, 0);
    QString fraction = m.maxDecimals > 0 ? fixed.section(u'.', 1, 1) : QString();
    while (fraction.size() > m.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    // The integer part keeps its "0" even for an all-'#' mask: a bare ".5"
    // reads as a typo.
    while (integer.size() < m.minInteger)
        integer.prepend(u'0');
    if (m.grouping)
        integer = groupDigits(integer, locale);
    QString number = integer;
    if (!fraction.isEmpty())
        number += locale.decimalPoint() + fraction;
    return m.prefix + number + m.suffix;
}

QStringList splitSections(const QString &mask)
{
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
    }
    return sections;
}

} // namespace

double roundShown(double v, int digits, int decimals, RoundMode mode)
{
    if (!std::isfinite(v))
        return v;
    Decimal d = toDecimal(v);
    roundTo(d, std::max(digits, 1), mode);
    roundTo(d, d.exponent + decimals, mode);
    return toDouble(d);
}

QString formatCurrency(double v, int digits, int decimals, RoundMode mode)
{
    return QLocale().toCurrencyString(roundShown(v, digits, decimals, mode), QString(), decimals);
}

QString formatFixed(double v, int digits, int decimals, RoundMode mode)
{
    return plainLocale().toString(roundShown(v, digits, decimals, mode), 'f', decimals);
}

QString formatNumber(double v, int decimals, RoundMode mode)
{
    return QLocale().toString(roundShown(v, 17, decimals, mode), 'f', decimals);
}

QString formatGeneral(double v, int digits, RoundMode mode)
{
    if (!std::isfinite(v))
        return QLocale().toString(v);
    Decimal d = toDecimal(v);
    roundTo(d, std::max(digits, 1), mode);
    if (d.digits.empty())
        return QStringLiteral("0");
    const QLocale locale;
    const QString sign = d.negative ? locale.negativeSign() : QString();
    const QString point = locale.decimalPoint();
    const QString all = QString::fromStdString(d.digits);
    const double magnitude = std::fabs(toDouble(d));
    if (d.exponent > std::max(digits, 1) || magnitude < 0.00001) {
        QString mantissa = all.left(1);
        if (all.size() > 1)
            mantissa += point + all.mid(1);
        return sign + mantissa + u'E' + QString::number(d.exponent - 1);
    }
    if (d.exponent <= 0)
        return sign + u'0' + point + QString(-d.exponent, u'0') + all;
    if (d.exponent >= all.size())
        return sign + all + QString(d.exponent - all.size(), u'0');
    return sign + all.left(d.exponent) + point + all.mid(d.exponent);
}

QString formatMask(double v, const QString &mask, RoundMode mode)
{
    const QLocale locale;
    const QStringList sections = splitSections(mask);
    const MaskSection positive = parseSection(sections.value(0), locale);
    // The section is chosen by the value as shown, so -0.001 uses the zero mask.
    const double shown = roundShown(v, 17, positive.maxDecimals, mode);
    if (shown == 0.0 && !sections.value(2).isEmpty()) {
        const MaskSection zero = parseSection(sections.value(2), locale);
        return applySection(0.0, zero, locale);
    }
    if (shown < 0.0) {
        if (!sections.value(1).isEmpty()) {
            const MaskSection negative = parseSection(sections.value(1), locale);
            return applySection(roundShown(-v, 17, negative.maxDecimals, mode), negative, locale);
        }
        return locale.negativeSign() + applySection(-shown, positive, locale);
    }
    return applySection(shown, positive, locale);
}

double parsePlain(const QString &text, bool *ok)
{
    const QLocale locale;
    std::string ascii;
    bool point = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString c = text.mid(i, 1);
        if (text.at(i).isDigit() && text.at(i).digitValue() >= 0 && text.at(i).unicode() < 128) {
            ascii += char('0' + text.at(i).digitValue());
        } else if (i == 0 && (c == u"-" || c == locale.negativeSign())) {
            ascii += '-';
        } else if (!point && c == locale.decimalPoint()) {
            point = true;
            ascii += '.';
        } else {
            *ok = false;
            return 0.0;
        }
    }
    *ok = true;
    if (ascii.find_first_of("0123456789") == std::string::npos)
        return 0.0; // "", "-", "." and "-." stand for an emptied field
    double v = 0.0;
    const char *first = ascii.data();
    if (*first == '-')
        ++first;
    const auto res = std::from_chars(first, ascii.data() + ascii.size(), v);
    if (res.ec != std::errc() || !std::isfinite(v)) {
        *ok = false;
        return 0.0;
    }
    return ascii[0] == '-' ? -v : v;
}

} // namespace clvn
