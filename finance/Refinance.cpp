#include "finance/Refinance.h"

#include "finance/Errors.h"
#include "finance/Growth.h"
#include "finance/MortLib.h"

#include <algorithm>
#include <string>

namespace clvn {

namespace {

constexpr const char *kWhere = "CalcRefinance";

// A count outside [0, highest] makes every saving nonsense: no usable figures.
void checkCount(std::int64_t count, std::int64_t highest, const char *what)
{
    if (count < 0 || count > highest)
        throw FloatError(count < 0 ? FloatError::Kind::InvalidOp : FloatError::Kind::Overflow,
                         std::string(kWhere) + ": " + what + " " + std::to_string(count) +
                             " outside 0.." + std::to_string(highest));
}

} // namespace

RefinanceResults CalcRefinance(const RefinanceInputs &in)
{
    checkCount(in.oldTerm, kMaxLoanMonths, "old term");
    checkCount(in.oldPaymentsMade, in.oldTerm, "payments made");
    checkCount(in.newTerm, kMaxLoanMonths, "new term");
    // A horizon past the new term is cut to it below; one past any comparison
    // the program makes is refused like the other counts.
    checkCount(in.monthsUntilSell, 12 * kMaxHorizonYears, "months until the sale");

    RefinanceResults out;
    const std::int64_t remaining = in.oldTerm - in.oldPaymentsMade;
    const std::int64_t months = std::min(in.monthsUntilSell, in.newTerm);
    out.oldPaymentsRemaining = remaining;
    out.monthsCounted = months;

    // Both counts are within the caps checked above, so they fit 32 bits.
    out.oldPayment =
        CalcPayment(static_cast<std::int32_t>(remaining), in.oldRate / 1200, in.oldLoan);
    out.oldEquity =
        PrincipalRepaid(std::min(months, remaining), out.oldPayment, in.oldRate, in.oldLoan);
    out.newPayment =
        CalcPayment(static_cast<std::int32_t>(in.newTerm), in.newRate / 1200, in.newLoan);
    out.newEquity = PrincipalRepaid(months, out.newPayment, in.newRate, in.newLoan);

    out.paymentSaved = fpe::checked(out.oldPayment - out.newPayment, kWhere);
    // The unrounded monthly difference: 240 x -3.6756..., not 240 x -3.68.
    out.totalPaymentSaved =
        fpe::checked(double(std::min(months, remaining)) * out.paymentSaved, kWhere);
    out.equitySavings = fpe::checked(out.newEquity - out.oldEquity, kWhere);
    out.totalSaved =
        fpe::checked(out.totalPaymentSaved + out.equitySavings - in.closingCosts, kWhere);
    return out;
}

} // namespace clvn
