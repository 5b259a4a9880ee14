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
    HalfEven,
    Truncate
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
