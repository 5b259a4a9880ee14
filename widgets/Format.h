#pragma once

// Text forms of numbers, in the user's locale (QLocale()).
//
// Every function rounds once, on the decimal value people read, with
// RoundDigits (finance/Rounding.h): to the coarser of its significant digits
// and its decimals. Texts are built from those decimal digits, so binary
// noise never shows; money (currency, grouped numbers, masks) shows at most
// the 15 significant digits a double holds, followed by zeros.

#include "finance/Rounding.h"

#include <QString>

namespace clvn {

// Locale currency with `digits` significant digits and `decimals` decimals.
QString formatCurrency(double v, int digits, int decimals, RoundMode mode = RoundMode::HalfEven);
// Fixed notation, locale decimal separator, no grouping.
QString formatFixed(double v, int digits, int decimals, RoundMode mode = RoundMode::HalfEven);
// Fixed notation with thousands separators.
QString formatNumber(double v, int digits, int decimals, RoundMode mode = RoundMode::HalfEven);
// Shortest decimal form with at most `digits` significant digits, locale
// decimal separator, no grouping, a decimal point only when needed ("360",
// "8.75"). A value with more than `digits` integer digits, or nonzero and
// below 0.00001, is written in scientific form ("1.23E5", "1E-6").
QString formatGeneral(double v, int digits = 15, RoundMode mode = RoundMode::HalfAwayFromZero);
// Display masks, with at most `digits` significant digits: '#' an optional digit, '0' a required
// digit, ',' anywhere in the integer part turns on thousands grouping, '.' the decimal point, '$'
// puts the number into the locale's currency form ("$1,234.50", "1.234,50 €"), text in quotes and
// any other character is literal. "positive;negative;zero": the negative section shows the absolute
// value (its own '-' is literal); an empty or missing section falls back to the positive one (with
// a leading '-' for negatives). A value below 1 keeps its leading 0 even when the integer part is
// all '#'.
QString formatMask(double v, const QString &mask, int digits = kHeldDigits,
                   RoundMode mode = RoundMode::HalfEven);

// Parses a plain number as the entry fields hold it: an optional leading
// minus, digits and at most one locale decimal separator, nothing else.
// "", "-" and the separator alone mean 0. ok is false for anything else.
double parsePlain(const QString &text, bool *ok);

} // namespace clvn
