#pragma once

// Shared by the finance tests: one table of calls, each with the text it gives or its failure.

#include "finance/Errors.h"

#include <QStringList>
#include <QTest>

#include <cstring>
#include <functional>

// Inputs are written as aggregates: the members left out keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

Q_DECLARE_METATYPE(std::function<QString()>)

namespace clvn::test {

using Text = std::function<QString()>;
using Formula = std::function<double()>;

inline constexpr auto cents = [](double x) { return qRound64(x * 100); };

// Cents as a person reads them: "-882.14", "0.00" (never "-0.00").
inline QString money(double x)
{
    const qint64 c = cents(x), a = c < 0 ? -c : c;
    return QString::asprintf("%s%lld.%02lld", c < 0 ? "-" : "", a / 100, a % 100);
}

inline constexpr auto fixed = [](double x, int decimals) {
    return QString::number(x, 'f', decimals);
};
inline constexpr auto words = [](const QStringList &parts) { return parts.join(u' '); };

inline QString moneys(std::initializer_list<double> xs)
{
    QStringList parts;
    for (double x : xs)
        parts << money(x);
    return words(parts);
}

// The message of the FloatError f throws, for whoever reads the error.
inline QString message(const std::function<void()> &f)
{
    try {
        f();
    } catch (const FloatError &e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("no error");
}

// What f gives, or the name of what it throws ("ZeroDivide", "IndexError <n>"...).
inline QString outcome(const Text &f)
{
    try {
        return f();
    } catch (const FloatError &e) {
        static const char *const kinds[] = {"ZeroDivide", "InvalidOp", "Overflow"};
        return QString::fromLatin1(kinds[static_cast<int>(e.kind())]);
    } catch (const ConvertError &) {
        return QStringLiteral("ConvertError");
    } catch (const IndexError &e) {
        return QStringLiteral("IndexError %1").arg(e.index());
    }
}

inline void addColumns()
{
    QTest::addColumn<Text>("f");
    QTest::addColumn<QString>("expected");
}
inline void addText(const char *name, const char *expected, Text f)
{
    QTest::newRow(name) << std::move(f) << QString::fromLatin1(expected);
}
// A number, shown with as many decimals as `expected` has.
inline void addRow(const char *name, const char *expected, Formula f)
{
    const char *point = std::strchr(expected, '.');
    const int decimals = point ? int(std::strlen(point + 1)) : 0;
    addText(name, expected, [f = std::move(f), decimals] { return fixed(f(), decimals); });
}
inline void checkRow()
{
    QFETCH(Text, f);
    QFETCH(QString, expected);
    QCOMPARE(outcome(f), expected);
}

} // namespace clvn::test
