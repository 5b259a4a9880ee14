#pragma once

// When monthly mortgage insurance stops by itself: it is paid with every
// payment up to and including the first one after which the ORIGINAL
// schedule's balance is at or below 78 % of the home value, or the middle
// of the term (n / 2, rounded down, never before payment 1) if that comes
// first. A loan that starts at or below 80 % of the home value carries none.

#include "finance/MortLib.h"

#include <cstdint>
#include <vector>

namespace clvn {

// Number of payments that carry mortgage insurance on `original`, the
// schedule of `loan` without extra payments. Balances and the thresholds are
// compared in whole cents, so a balance that lands on 78 % of the value
// exactly counts as reached. 0 for a home value not above 0.
std::int32_t InsuredPaymentCount(const std::vector<TPayment> &original, double loan,
                                 double homeValue);

} // namespace clvn
