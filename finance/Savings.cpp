#include "finance/Savings.h"

#include <cmath>

namespace clvn {

namespace {

// Rounds to 0.00 as the schedule shows it (no integer conversion: a huge
// amount must not raise the invalid-operation flag).
bool showsZero(double v)
{
    return std::fabs(v * 100.0) < 0.5;
}

} // namespace

std::int32_t PaymentsMade(const std::vector<TPayment> &rows)
{
    std::int32_t n = 0;
    for (const TPayment &p : rows) {
        if (showsZero(p.Principal) && showsZero(p.Balance))
            break;
        ++n;
    }
    return n;
}

double TotalInterestCents(const std::vector<TPayment> &rows)
{
    const std::int32_t n = PaymentsMade(rows);
    if (n == 0)
        return 0;
    return std::round(rows[static_cast<std::size_t>(n - 1)].InterestToDate * 100.0);
}

ExtraPaymentSavings CompareSchedules(const std::vector<TPayment> &withExtras,
                                     const std::vector<TPayment> &withoutExtras)
{
    ExtraPaymentSavings s;
    s.interestSavedCents = TotalInterestCents(withoutExtras) - TotalInterestCents(withExtras);
    s.paymentsSooner = PaymentsMade(withoutExtras) - PaymentsMade(withExtras);
    return s;
}

} // namespace clvn
