#pragma once

// The value formats of the printed reports, in the user's locale (QLocale()):
//
//   currency   locale currency, exactly 2 decimals, at most 10 significant
//              digits ($100,000.00)
//   general    shortest decimal form, at most 15 significant digits, no
//              grouping, a decimal point only when needed (360, 8.75)
//   general-N  as general with at most N significant digits; more than N
//              digits before the point, or a magnitude below 0.00001, gives
//              the scientific form (general-3 of 7.125 is 7.13)
//   number-N   grouping and exactly N decimals, at most 10 significant digits
//   percent    any of them with "%" appended
//
// Currency and number round like the entry fields (half to even on the
// decimal a person reads), so a report prints the cents the page shows.
// General rounds halves away from zero, as the printed examples require
// (7.125 to 3 digits is 7.13); it keeps at most 15 significant digits, so
// binary noise (0.1 + 0.2) never shows.

#include <QString>

namespace clvn::fmt {

QString currency(double v);
QString general(double v, int digits = 15);
QString number(double v, int decimals);
inline QString percent(const QString &text)
{
    return text + QLatin1Char('%');
}

} // namespace clvn::fmt
