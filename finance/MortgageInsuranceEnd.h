#pragma once

// When monthly mortgage insurance stops: it is paid with every payment up to
// and including the first one after which the ORIGINAL schedule's balance is
// at or below 78 % of the home value, or the middle of the term (n / 2,
// rounded down) if that comes first.

#include <cstdint>
#include <span>

namespace clvn {

// Number of payments that carry mortgage insurance. balanceAfter[k] is the
// balance the original schedule leaves after payment k + 1; its size is the
// term. The comparison is made in whole cents, so a balance that lands on
// 78 % of the value exactly counts as reached. Throws FloatError (InvalidOp)
// for a negative or non-finite home value.
std::int64_t InsuredPaymentCount(std::span<const double> balanceAfter, double homeValue);

} // namespace clvn
