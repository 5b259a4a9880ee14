#include "finance/MortgageInsuranceEnd.h"

#include <algorithm>
#include <cmath>

namespace clvn {

namespace {

// balance <= percent % of the value, both in whole cents: exact in doubles
// up to 2^53 / 100 cents.
bool atOrBelow(double balance, double homeCents, double percent)
{
    return std::round(balance * 100) * 100 <= homeCents * percent;
}

} // namespace

std::int32_t InsuredPaymentCount(const std::vector<TPayment> &original, double loan,
                                 double homeValue)
{
    const double homeCents = std::round(homeValue * 100);
    if (!(homeValue > 0) || atOrBelow(loan, homeCents, 80))
        return 0;
    const auto n = static_cast<std::int32_t>(original.size());
    const std::int32_t middle = std::max<std::int32_t>(1, n / 2);
    for (std::int32_t k = 0; k < middle; ++k)
        if (atOrBelow(original[std::size_t(k)].Balance, homeCents, 78))
            return k + 1;
    return middle;
}

} // namespace clvn
