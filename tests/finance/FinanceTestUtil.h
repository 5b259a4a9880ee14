#pragma once

// Shared by the finance tests: exact cents and error-kind checks.

#include "finance/Errors.h"

#include <QMetaType>
#include <QtGlobal>

#include <cmath>
#include <optional>

Q_DECLARE_METATYPE(clvn::FloatError::Kind)

namespace clvn::test {

// An amount in whole cents, for exact comparisons.
inline qint64 cents(double x)
{
    return qRound64(x * 100);
}

// Runs f and returns the kind of FloatError it threw, or nothing.
template <typename F> std::optional<FloatError::Kind> floatErrorOf(F &&f)
{
    try {
        f();
    } catch (const FloatError &e) {
        return e.kind();
    }
    return std::nullopt;
}

} // namespace clvn::test
