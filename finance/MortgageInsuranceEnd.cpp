#include "finance/MortgageInsuranceEnd.h"

#include "finance/Errors.h"

#include <cmath>

namespace clvn {

std::int64_t InsuredPaymentCount(std::span<const double> balanceAfter, double homeValue)
{
    if (!std::isfinite(homeValue) || homeValue < 0)
        throw FloatError(FloatError::Kind::InvalidOp, "InsuredPaymentCount: home value");
    const auto n = static_cast<std::int64_t>(balanceAfter.size());
    const std::int64_t midpoint = n / 2;
    // balance <= 78 % of the value, both in cents: 100 * balance <= 78 * value.
    const double limit = 78 * std::round(homeValue * 100);
    for (std::int64_t k = 0; k < midpoint; ++k) {
        if (100 * std::round(balanceAfter[static_cast<std::size_t>(k)] * 100) <= limit)
            return k + 1;
    }
    return midpoint;
}

} // namespace clvn
