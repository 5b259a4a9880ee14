#pragma once

// Growth and payoff formulas: stateless, unrounded (nothing is cut to cents).
// Rates are ANNUAL PERCENT (7.5 means 7.5 % a year); each function converts
// them itself. Division by zero, invalid operations and overflow throw
// clvn::FloatError; a fractional year count throws clvn::ConvertError.

#include <cstdint>
#include <string>

namespace clvn {

// Caps on the counts the formulas loop over. A count above them is no
// figure anyone means (a 100-year loan, a move a century away), and looping
// over it would hang the program; it is refused as having no usable result.
inline constexpr std::int64_t kMaxLoanMonths = 1200;  // payments of one loan
inline constexpr std::int64_t kMaxHorizonYears = 100; // years a comparison runs

// The whole number a year count stands for: x written as its shortest decimal
// text and that text read as an integer. A fractional, non-finite or
// out-of-range value (the text is then not an integer) throws ConvertError.
std::int32_t WholeNumber(double x);

// The count x stands for, in 64 bits, checked against [lowest, highest]:
// a fractional or non-finite x throws ConvertError (as WholeNumber); a whole
// x below `lowest` throws FloatError InvalidOp, above `highest` FloatError
// Overflow, both naming `what` and the value. The bounds must be far below
// 2^53, as the caps are.
std::int64_t WholeCount(double x, std::int64_t lowest, std::int64_t highest, const char *what);

// Loan principal repaid by k monthly payments of A on a starting balance B at
// annual rate R (percent). k below 1 gives 0; k above kMaxLoanMonths throws
// FloatError Overflow.
double PrincipalRepaid(std::int64_t k, double A, double R, double B);

// Rent paid over Y whole years for monthly rent M rising by g percent a year.
// Any Y below 2 gives one year of rent, 12 * M; Y above kMaxHorizonYears
// throws FloatError Overflow.
double TotalRent(double Y, double g, double M);

// Sum of Y whole years' amounts at c percent on a base V that grows by each
// amount: V * ((1 + c/100)^Y - 1). Y = 0 (or below) gives 0; Y above
// kMaxHorizonYears throws FloatError Overflow.
double CompoundedTotal(double Y, double c, double V);

// Value after `months` of `principal` compounded at annual `rate` (percent)
// with the frequency `name` ("Annually", "Quarterly", "Monthly", "Daily",
// matched exactly), plus the monthly deposits, which always grow at the annual
// rate on a yearly deposit of 12 * deposit. Another name is a division by zero
// (or 0/0 at a rate of 0); a rate of 0 is 0/0 even with a known name.
double FutureValueAt(const std::string &name, double deposit, double months, double rate,
                     double principal);

// Loan amount that 12 * y monthly payments of M repay at annual rate r
// (percent). r = 0 is 0/0: an invalid operation.
double PaymentPresentValue(double y, double r, double M);

} // namespace clvn
