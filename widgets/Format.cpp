#include "widgets/Format.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace clvn {

namespace {

// No limit of decimals: only significant digits count.
constexpr int kAnyDecimals = std::numeric_limits<int>::max();

// v rounded once for showing: at most `digits` significant digits and
// `decimals` decimals.
DecimalDigits shownDigits(double v, int digits, int decimals, RoundMode mode)
{
    DecimalDigits d = ShortestDecimal(v);
    RoundDigits(d, digits, decimals, mode);
    return d;
}

// Money never shows more than the 15 significant digits a double holds.
int moneyDigits(int digits)
{
    return std::min(digits, kHeldDigits);
}

// ASCII digits in the locale's own digits.
QString localDigits(const std::string &ascii, const QLocale &locale)
{
    QString out = QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
    if (locale.zeroDigit() == u"0")
        return out;
    QString mapped;
    for (const QChar c : std::as_const(out))
        mapped += c.isDigit() ? locale.toString(c.digitValue()) : QString(c);
    return mapped;
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

// |d| with exactly `decimals` decimals in the locale's digits and point,
// grouped or not. Built from the decimal digits themselves, never from the
// double, so a figure beyond 15 digits shows zeros, not binary noise.
QString magnitudeText(const DecimalDigits &d, int decimals, bool grouping, const QLocale &locale)
{
    DecimalDigits m = d;
    m.negative = false;
    const std::string fixed = FixedText(m, decimals);
    const auto point = fixed.find('.');
    QString integer = localDigits(fixed.substr(0, point), locale);
    if (grouping)
        integer = groupDigits(integer, locale);
    if (point == std::string::npos)
        return integer;
    return integer + locale.decimalPoint() + localDigits(fixed.substr(point + 1), locale);
}

bool isNegative(const DecimalDigits &d)
{
    return d.negative && !d.digits.empty(); // never "-0.00": it reads as a debt
}

// A grouped magnitude put into the locale's currency form for that sign:
// "$1,234.50", "($1,234.50)", "1.234,50 €".
QString currencyForm(const QString &magnitude, bool negative, int decimals, const QLocale &locale)
{
    QString form = locale.toCurrencyString(negative ? -1.0 : 1.0, QString(), decimals);
    const QString one = locale.toString(1.0, 'f', decimals);
    const qsizetype at = form.indexOf(one);
    if (at < 0)
        return (negative ? locale.negativeSign() : QString()) + magnitude + u' ' +
               locale.currencySymbol();
    return form.replace(at, one.size(), magnitude);
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
    // '$': the number and its currency symbol take the locale's currency
    // form ("$1,234.50", "1.234,50 €"); the section's other text stays.
    bool currency = false;
};

MaskSection parseSection(const QString &mask)
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
            m.currency = true;
        } else {
            literal->append(c);
        }
    }
    m.maxDecimals = decimalPlaces;
    return m;
}

// The magnitude of d (already rounded to the section's decimals) through the section.
QString applySection(const DecimalDigits &d, const MaskSection &m, const QLocale &locale)
{
    QString number = magnitudeText(d, m.maxDecimals, false, locale);
    const QString point = locale.decimalPoint();
    QString integer = number.section(point, 0, 0);
    QString fraction = m.maxDecimals > 0 ? number.section(point, 1, 1) : QString();
    while (fraction.size() > m.minDecimals && fraction.endsWith(locale.zeroDigit()))
        fraction.chop(1);
    // The integer part keeps its "0" even for an all-'#' mask: a bare ".5"
    // reads as a typo.
    while (integer.size() < m.minInteger)
        integer.prepend(locale.zeroDigit());
    if (m.grouping)
        integer = groupDigits(integer, locale);
    number = integer;
    if (!fraction.isEmpty())
        number += point + fraction;
    if (m.currency)
        number = currencyForm(number, false, int(fraction.size()), locale);
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

bool hasDigit(const QString &plain)
{
    return std::any_of(plain.cbegin(), plain.cend(), [](QChar c) { return c.isDigit(); });
}

} // namespace

QString formatCurrency(double v, int digits, int decimals, RoundMode mode)
{
    const QLocale locale;
    if (!std::isfinite(v))
        return locale.toString(v);
    const DecimalDigits d = shownDigits(v, moneyDigits(digits), decimals, mode);
    return currencyForm(magnitudeText(d, decimals, true, locale), isNegative(d), decimals, locale);
}

QString formatFixed(double v, int digits, int decimals, RoundMode mode)
{
    const QLocale locale;
    if (!std::isfinite(v))
        return locale.toString(v);
    const DecimalDigits d = shownDigits(v, digits, decimals, mode);
    return (isNegative(d) ? locale.negativeSign() : QString()) +
           magnitudeText(d, decimals, false, locale);
}

QString formatNumber(double v, int digits, int decimals, RoundMode mode)
{
    const QLocale locale;
    if (!std::isfinite(v))
        return locale.toString(v);
    const DecimalDigits d = shownDigits(v, moneyDigits(digits), decimals, mode);
    return (isNegative(d) ? locale.negativeSign() : QString()) +
           magnitudeText(d, decimals, true, locale);
}

QString formatGeneral(double v, int digits, RoundMode mode)
{
    if (!std::isfinite(v))
        return QLocale().toString(v);
    const DecimalDigits d = shownDigits(v, digits, kAnyDecimals, mode);
    if (d.digits.empty())
        return QStringLiteral("0");
    const QLocale locale;
    const QString sign = d.negative ? locale.negativeSign() : QString();
    const QString point = locale.decimalPoint();
    const QString all = QString::fromStdString(d.digits);
    // Below 0.00001 = 0.1 x 10^-4 the exponent is -5 or less.
    if (d.exponent > std::max(digits, 1) || d.exponent < -4) {
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

QString formatMask(double v, const QString &mask, int digits, RoundMode mode)
{
    const QLocale locale;
    if (!std::isfinite(v))
        return locale.toString(v);
    digits = moneyDigits(digits);
    const QStringList sections = splitSections(mask);
    const MaskSection positive = parseSection(sections.value(0));
    // The section is chosen by the value as shown, so -0.001 uses the zero mask.
    const DecimalDigits shown = shownDigits(v, digits, positive.maxDecimals, mode);
    if (shown.digits.empty() && !sections.value(2).isEmpty())
        return applySection(DecimalDigits{}, parseSection(sections.value(2)), locale);
    if (isNegative(shown)) {
        if (!sections.value(1).isEmpty()) {
            const MaskSection negative = parseSection(sections.value(1));
            return applySection(shownDigits(v, digits, negative.maxDecimals, mode), negative,
                                locale);
        }
        return locale.negativeSign() + applySection(shown, positive, locale);
    }
    return applySection(shown, positive, locale);
}

bool isGroupChar(QChar c, const QLocale &locale)
{
    const auto isSpace = [](QChar ch) {
        return ch == u' ' || ch == QChar(0x00A0) || ch == QChar(0x202F);
    };
    const QString group = locale.groupSeparator();
    // People type a plain space where the locale writes a narrow no-break one.
    return QString(c) == group || (group.size() == 1 && isSpace(group.at(0)) && isSpace(c));
}

std::optional<QString> plainNumber(const QString &text)
{
    const QLocale locale;
    const QString decimal = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    QStringView body = QStringView(text).trimmed();
    QString plain;
    if (body.startsWith(u'-') || body.startsWith(minus)) {
        body = body.mid(body.startsWith(u'-') ? 1 : minus.size());
        plain = QStringLiteral("-");
    }
    // Runs of digits and the separators between them.
    enum class Sep
    {
        Decimal, // the locale's decimal separator
        Group,   // the locale's group separator
        Point    // a '.' that is neither of them
    };
    QStringList runs{QString()};
    QList<Sep> seps;
    for (const QChar c : body) {
        if (c >= u'0' && c <= u'9') {
            runs.last() += c;
            continue;
        }
        if (QString(c) == decimal)
            seps << Sep::Decimal;
        else if (isGroupChar(c, locale))
            seps << Sep::Group;
        else if (c == u'.')
            seps << Sep::Point;
        else
            return std::nullopt;
        runs << QString();
    }
    const auto thousands = [](const QStringList &groups) {
        return groups.size() > 1 && !groups.first().isEmpty() && groups.first().size() <= 3 &&
               groups.first().at(0) != u'0' &&
               std::all_of(groups.cbegin() + 1, groups.cend(),
                           [](const QString &g) { return g.size() == 3; });
    };
    const qsizetype points = seps.count(Sep::Decimal) + seps.count(Sep::Point);
    if (points > 1)
        return std::nullopt;
    qsizetype at = -1; // the separator taken as the decimal point
    if (points == 1)
        at = seps.indexOf(seps.contains(Sep::Decimal) ? Sep::Decimal : Sep::Point);
    else if (seps.size() == 1 && locale.groupSeparator() == u"." && !thousands(runs))
        at = 0; // a '.' that cannot group is the keypad's decimal point
    // Grouping only before the point, and only in thousands.
    if (at >= 0 && at != seps.size() - 1)
        return std::nullopt;
    const QStringList whole = at < 0 ? runs : runs.mid(0, at + 1);
    if (whole.size() > 1 && !thousands(whole))
        return std::nullopt;
    plain += whole.join(QString());
    if (at >= 0)
        plain += u'.' + runs.last();
    return plain;
}

std::optional<double> typedNumber(const QString &text)
{
    const std::optional<QString> plain = plainNumber(text);
    if (!plain || !hasDigit(*plain))
        return std::nullopt;
    const std::string ascii = plain->toStdString();
    const bool negative = ascii.front() == '-';
    const char *first = ascii.data() + (negative ? 1 : 0);
    const char *last = ascii.data() + ascii.size();
    double v = 0.0;
    const auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

double parsePlain(const QString &text, bool *ok)
{
    const std::optional<QString> plain = plainNumber(text);
    if (plain && !hasDigit(*plain)) {
        *ok = true;
        return 0.0; // "", "-", "." and "-." stand for an emptied field
    }
    const std::optional<double> v = typedNumber(text);
    *ok = v.has_value();
    return v.value_or(0.0);
}

} // namespace clvn
