#pragma once

// Decimal rounding of doubles, done on the number a person reads rather than
// on the binary value a hair above or below it: the double is first written
// in its shortest round-trip decimal form (what printing it in full shows)
// and the digits of that text are rounded. So 1.015, stored as
// 1.01499999999999990..., still counts as a half and becomes 1.02 at 2
// decimals, while 0.125 becomes 0.12 (half to even).
//
// Rounding happens once, at whichever limit keeps fewer digits: a limit of
// significant digits and a number of decimals never round one after the
// other (9.4525026 to 5 digits and then 3 decimals would meet an artificial
// half at 9.4525 and give 9.452).

#include <string>

namespace clvn {

enum class RoundMode
{
    HalfEven,         // 0.125 -> 0.12, 0.135 -> 0.14
    HalfAwayFromZero, // 7.125 -> 7.13, -7.125 -> -7.13
    Truncate          // toward zero: 0.129 -> 0.12
};

// A finite double as decimal digits: value = +-0.d1d2d3... x 10^exponent.
struct DecimalDigits
{
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty means zero
    int exponent = 0;
};

// A double holds about 15 significant decimal digits; more are binary noise.
inline constexpr int kHeldDigits = 15;

// The shortest decimal form of a finite x that reads back as x.
DecimalDigits ShortestDecimal(double x);

// d rounded once to at most `digits` significant digits and at most
// `decimals` decimals (negative: to tens, hundreds...).
void RoundDigits(DecimalDigits &d, int digits, int decimals, RoundMode mode);

// The digits as a double; zero is always +0 (no "-0" to show). A magnitude
// past the largest double gives an infinity.
double ToDouble(const DecimalDigits &d);

// The digits in fixed notation with exactly `decimals` decimals, '.' as the
// point, no grouping, '-' for a nonzero negative: "-1234.50".
std::string FixedText(const DecimalDigits &d, int decimals);

// x rounded once as RoundDigits does. Non-finite x is returned unchanged.
double RoundDecimal(double x, int digits, int decimals, RoundMode mode);

} // namespace clvn
