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

#include <optional>

class QLocale;

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

// Whether c separates thousands in the locale: its group separator, or any of
// the plain, no-break and narrow no-break spaces where it groups with a space.
bool isGroupChar(QChar c, const QLocale &locale);

// A typed or pasted number in plain form: ASCII digits, '.' as the decimal
// point and an optional leading '-' ("-1234.5"); nothing when the text is not
// a number. The locale's grouping is read first: under de_DE "300.000" is
// 300000 and "1.234,5" is 1234.5. Groups are three digits after a first group
// of one to three without a leading zero. A '.' is the decimal point wherever
// it cannot group: where the locale does not group with it, or as the only
// separator when it is not followed by a group ("6.5", "0.125", "1234.567").
// Surrounding blanks are ignored; a text without digits ("", "-", ",") comes
// back as it is, for the caller to judge.
std::optional<QString> plainNumber(const QString &text);
// The value of such a text; nothing without digits or beyond the doubles.
std::optional<double> typedNumber(const QString &text);
// typedNumber() for the money field: "", "-" and a separator alone mean 0
// (an emptied field). ok is false for anything else that is not a number.
double parsePlain(const QString &text, bool *ok);

} // namespace clvn
