#pragma once

// Money in exact whole cents, as a lender's system keeps it: balances,
// payments and interest are 64-bit integers, a rate is an exact decimal, and
// a month's interest is the exact product rounded once, half up. Every
// schedule of the library steps its balance with these.
//
// Magnitudes are limited to 2^53 cents (about 90 trillion), so each amount
// also converts to a double and back without loss; beyond that, and for
// non-finite figures, the functions throw FloatError (Overflow, or InvalidOp
// for NaN) naming `where`.

#include <cstdint>

namespace clvn {

// The largest magnitude of cents (exclusive) the schedules accept.
inline constexpr std::int64_t kMaxCents = std::int64_t{1} << 53;

// An amount in currency units to the nearest whole cent.
std::int64_t ToCents(double amount, const char *where);

// Cents back in currency units: the double nearest the exact decimal.
inline double FromCents(std::int64_t cents)
{
    return static_cast<double>(cents) / 100;
}

// An annual rate held as an exact decimal (billionths of a percent), so
// every rate a person types (6.125, 7.0625) is held without binary error.
struct ExactRate
{
    std::int64_t units = 0; // 1e-9 percent
};

// `rate` is an annual FRACTION (0.0625 for 6.25 %).
ExactRate ToExactRate(double rate, const char *where);

// The interest on `balance` cents for one period at `rate` with
// periodsPerYear periods a year, rounded half up to the cent.
std::int64_t PeriodInterestCents(std::int64_t balance, ExactRate rate, std::int32_t periodsPerYear,
                                 const char *where);

// a + b, or a - b, refused beyond the limit.
std::int64_t AddCents(std::int64_t a, std::int64_t b, const char *where);
std::int64_t SubtractCents(std::int64_t a, std::int64_t b, const char *where);

} // namespace clvn
