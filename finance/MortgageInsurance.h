#pragma once

// When borrower-paid mortgage insurance ends on a fixed-rate loan, and what
// it costs: the rules of the Homeowners Protection Act of 1998.
//  - The borrower may ask to cancel it after the first payment that brings
//    the balance to 80 % of the home value or below. The act counts the
//    original schedule; extra payments bring that payment sooner, and the
//    balance with them is the one the borrower can act on.
//  - It ends by itself after the first payment that brings the balance of
//    the original schedule (extra payments ignored) to 78 % or below, or at
//    the middle of the term (payment n / 2, rounded down) when that comes
//    first.
// The borrower can ask no later than the payment at which it ends by itself.
// A balance equal to the threshold counts. Balances are compared in whole
// cents as the schedule shows them, so 80 % of $200,000 is reached by a
// balance of exactly $160,000.00.
//
// Money is in currency units; the home value is the lower of the price and
// the appraisal. Payment numbers are 1-based; 0 means "none".

#include "finance/ClosingCosts.h"
#include "finance/MortLib.h"
#include "finance/PayPlans.h"

#include <cstdint>
#include <vector>

namespace clvn {

// The monthly premium the premium table proposes for a loan: the annual
// fraction of the loan-to-value band (loan / home value, percent) and the
// term, as Estimated Closing Costs picks it, times the loan / 12, rounded to
// cents. 0 at 80 % or less and over 97 %, and for a home value not above 0.
double ProposedMonthlyPremium(double loan, double homeValue, std::int32_t termPayments,
                              const PmiPremiums &premiums);

// The number of payments that carry insurance when nobody asks to cancel
// it: up to and including the first payment of `original` (a schedule
// without extra payments) whose balance is at or below 78 % of the home
// value, or the middle of the term when that comes first (never before
// payment 1). 0 when the loan starts at 80 % of the home value or below.
std::int32_t InsuredPayments(const std::vector<TPayment> &original, double loan, double homeValue);
// The same for a loan (annual rate in percent) over `term` monthly payments.
// Throws what TMortgage::Create throws for figures it cannot schedule.
std::int32_t InsuredPayments(double loan, double ratePercent, std::int32_t term, double homeValue);

// Why figures were refused; the results are then all 0.
enum class MortgageInsuranceRefusal : std::uint8_t
{
    None,
    HomeValue,    // a home value of 0 or less
    Premium,      // a premium below 0
    PremiumNeeded // over 97 % the table has no premium, and none was given
};

struct MortgageInsuranceInputs
{
    double loan = 0;
    double ratePercent = 0; // annual percent
    std::int32_t term = 0;  // monthly payments
    // The extra principal, by the extra-payment model of the schedule; an
    // amount of 0 means none.
    PrepaymentMode extraMode = PrepaymentMode::All;
    std::int32_t extraFrom = 1;
    std::int32_t extraTo = 0;
    double extraAmount = 0;
    double homeValue = 0;
    double monthlyPremium = 0;
};

struct MortgageInsuranceResults
{
    MortgageInsuranceRefusal refusal = MortgageInsuranceRefusal::None;
    double startLtv = 0; // loan / home value, a fraction (0.9 is 90 %)
    // The loan starts above 80 % of the home value; otherwise every payment
    // number and premium below is 0.
    bool insured = false;
    // The actual schedule differs from the original (extra payments).
    bool withExtras = false;

    // Each ask is the earlier of its 80 % payment and endsAt.
    std::int32_t askAt = 0;       // original schedule at or below 80 %
    std::int32_t askActualAt = 0; // actual schedule at or below 80 %; 0 without extras
    std::int32_t endsAt = 0;      // 78 % of the original schedule, or the midpoint
    bool endsAtMidpoint = false;  // the midpoint came first
    // The balances after those payments (0 where the payment is 0).
    double askBalance = 0;
    double askActualBalance = 0;
    double endsBalance = 0;

    // The premium times the payments up to and including each payment, in cents.
    double premiumsAsk = 0;
    double premiumsAskActual = 0;
    double premiumsEnd = 0;
    // What asking on the actual schedule saves against asking on the original.
    double saved = 0;

    double monthlyPremium = 0;
    // The payment the borrower can ask at: with extras the actual one.
    std::int32_t askPayment() const { return withExtras ? askActualAt : askAt; }
    // The premium paid with payment p when the borrower asks at askPayment().
    double premiumWith(std::int32_t p) const
    {
        return p >= 1 && p <= askPayment() ? monthlyPremium : 0.0;
    }
};

// The figures of an actual schedule (`schedule`, its extra payments
// included, as listed) against the same loan without extras. Throws
// FloatError for figures that are not finite.
MortgageInsuranceResults AssessMortgageInsurance(const TMortgage &schedule, double homeValue,
                                                 double monthlyPremium);
// The same from the loan figures and the extra-payment model. Throws what
// TMortgage::Create throws for figures it cannot schedule, and IndexError
// for a single payment or range that starts outside the schedule.
MortgageInsuranceResults AssessMortgageInsurance(const MortgageInsuranceInputs &in);

} // namespace clvn
