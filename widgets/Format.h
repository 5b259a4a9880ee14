#pragma once

// Text forms of numbers, in the user's locale (QLocale()).
//
// Every function first rounds to the shown decimals half to even on the
// decimal value people read: the double is taken at its shortest round-trip
// decimal form (17 significant digits at most, then trimmed), so 0.125,
// whose binary value lies a hair below the half, still counts as a half and
// becomes 0.12, and 0.135 becomes 0.14.

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
