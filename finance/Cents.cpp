#include "finance/Cents.h"

#include "finance/Errors.h"

#include <cmath>

namespace clvn {

namespace {

// Products of cents and rate units need more than 64 bits.
__extension__ using Wide = __int128;

constexpr double kRateUnitsPerFraction = 1e11; // 1e9 per percent

std::int64_t checked(Wide c, const char *where)
{
    if (c >= kMaxCents || c <= -kMaxCents)
        throw FloatError(FloatError::Kind::Overflow, where);
    return static_cast<std::int64_t>(c);
}

std::int64_t wholeUnits(double scaled, const char *where)
{
    if (!std::isfinite(scaled) || std::fabs(scaled) >= static_cast<double>(kMaxCents))
        throw FloatError(
            std::isnan(scaled) ? FloatError::Kind::InvalidOp : FloatError::Kind::Overflow, where);
    return std::llround(scaled);
}

// num / den rounded half up (toward +infinity on a tie); den > 0.
Wide divideHalfUp(Wide num, Wide den)
{
    const Wide twice = 2 * num + den;
    const Wide q = twice / (2 * den);
    return twice % (2 * den) < 0 ? q - 1 : q; // floor, not truncation, for negatives
}

} // namespace

std::int64_t ToCents(double amount, const char *where)
{
    return wholeUnits(amount * 100, where);
}

ExactRate ToExactRate(double rate, const char *where)
{
    return {wholeUnits(rate * kRateUnitsPerFraction, where)};
}

std::int64_t PeriodInterestCents(std::int64_t balance, ExactRate rate, std::int32_t periodsPerYear,
                                 const char *where)
{
    if (periodsPerYear <= 0)
        throw FloatError(FloatError::Kind::ZeroDivide, where);
    const Wide den = Wide{periodsPerYear} * static_cast<std::int64_t>(kRateUnitsPerFraction);
    return checked(divideHalfUp(Wide{balance} * rate.units, den), where);
}

std::int64_t AddCents(std::int64_t a, std::int64_t b, const char *where)
{
    return checked(Wide{a} + b, where);
}

std::int64_t SubtractCents(std::int64_t a, std::int64_t b, const char *where)
{
    return checked(Wide{a} - b, where);
}

} // namespace clvn
