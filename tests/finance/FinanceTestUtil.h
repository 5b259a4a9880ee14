#pragma once

// Shared by the finance tests: exact cents, and tables of calls with their texts or failures.

#include "finance/Errors.h"

#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<double()>)

namespace clvn::test {

using Formula = std::function<double()>;

inline constexpr auto cents = [](double x) { return qRound64(x * 100); };

// What f gives, with as many decimals as `expected` has, or the name of what it
// throws: "ZeroDivide", "InvalidOp", "Overflow", "ConvertError", "IndexError <n>".
inline QString outcome(const Formula &f, const QString &expected)
{
    const auto point = expected.indexOf(u'.');
    try {
        return QString::number(f(), 'f', point < 0 ? 0 : int(expected.size() - point - 1));
    } catch (const FloatError &e) {
        static const char *const kinds[] = {"ZeroDivide", "InvalidOp", "Overflow"};
        return QString::fromLatin1(kinds[static_cast<int>(e.kind())]);
    } catch (const ConvertError &) {
        return QStringLiteral("ConvertError");
    } catch (const IndexError &e) {
        return QStringLiteral("IndexError %1").arg(e.index());
    }
}

// A table of calls: its columns, a row, and the check of the current row.
inline void addColumns()
{
    QTest::addColumn<Formula>("f");
    QTest::addColumn<QString>("expected");
}
inline void addRow(const char *name, const char *expected, Formula f)
{
    QTest::newRow(name) << std::move(f) << QString::fromLatin1(expected);
}
inline void checkRow()
{
    QFETCH(Formula, f);
    QFETCH(QString, expected);
    QCOMPARE(outcome(f, expected), expected);
}

} // namespace clvn::test
