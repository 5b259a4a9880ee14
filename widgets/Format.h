#pragma once

// Text forms of numbers, in the user's locale (QLocale()).
//
// Every function rounds on the decimal value people read, not on the binary
// one: the double is first written in its shortest round-trip decimal form
// (what printing it in full shows) and the digits of that text are rounded.
// So 1.015, stored as 1.01499999999999990..., still counts as a half and
// becomes 1.02 at 2 decimals, while 0.125 becomes 0.12 (half to even).

#include <QString>

namespace clvn {

enum class RoundMode
{
    HalfEven,         // 0.125 -> 0.12, 0.135 -> 0.14
    HalfAwayFromZero, // 7.125 -> 7.13, -7.125 -> -7.13
    Truncate          // toward zero: 0.129 -> 0.12
};

// v rounded to `digits` significant digits, then to `decimals` decimals.
// Non-finite v is returned unchanged.
double roundShown(double v, int digits, int decimals, RoundMode mode = RoundMode::HalfEven);

// Locale currency with `digits` significant digits and `decimals` decimals.
QString formatCurrency(double v, int digits, int decimals, RoundMode mode = RoundMode::HalfEven);
// Fixed notation, locale decimal separator, no grouping.
QString formatFixed(double v, int digits, int decimals, RoundMode mode = RoundMode::HalfEven);
// Fixed notation with thousands separators.
QString formatNumber(double v, int decimals, RoundMode mode = RoundMode::HalfEven);
// Shortest decimal form with at most `digits` significant digits, locale
// decimal separator, no grouping, a decimal point only when needed ("360",
// "8.75"). A value with more than `digits` integer digits, or nonzero and
// below 0.00001, is written in scientific form ("1.23E5", "1E-6").
QString formatGeneral(double v, int digits = 15, RoundMode mode = RoundMode::HalfAwayFromZero);
// Display masks: '#' an optional digit, '0' a required digit, ',' anywhere in
// the integer part turns on thousands grouping, '.' the decimal point, '$' the
// locale currency symbol, text in quotes and any other character literal.
// "positive;negative;zero": the negative section shows the absolute value
// (its own '-' is literal); an empty or missing section falls back to the
// positive one (with a leading '-' for negatives). A value below 1 keeps its
// leading 0 even when the integer part is all '#'.
QString formatMask(double v, const QString &mask, RoundMode mode = RoundMode::HalfEven);

// Parses a plain number as the entry fields hold it: an optional leading
// minus, digits and at most one locale decimal separator, nothing else.
// "", "-" and the separator alone mean 0. ok is false for anything else.
double parsePlain(const QString &text, bool *ok);

} // namespace clvn
