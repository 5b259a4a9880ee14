#pragma once

// Loan offers side by side, with the figures a lender must disclose: the
// APR by the actuarial method of Regulation Z (12 CFR 1026, Appendix J),
// the finance charge, the amount financed, the total of payments, the total
// interest percentage and the cost over five years; and, for each pair of
// offers, the payment after which the one that costs more at closing has
// paid for itself.
//
// Amounts are currency; rates are ANNUAL PERCENT; terms are MONTHS.

#include <cstdint>
#include <span>
#include <vector>

namespace clvn {

struct LoanOffer
{
    double loan = 0;
    double rate = 0;       // note rate, annual percent
    std::int64_t term = 0; // months
    double points = 0;     // percent of the loan, paid at closing
    double lenderFees = 0; // finance charges paid at closing
    double otherCosts = 0; // loan costs that are not finance charges
    double monthlyInsurance = 0;
};

struct LoanOffersInputs
{
    std::vector<LoanOffer> offers;
    double homeValue = 0; // shared; decides only when mortgage insurance ends
};

// The first offer (0-based) that has mortgage insurance when there is no
// home value to end it by, or -1 when none has.
int OfferNeedingHomeValue(const LoanOffersInputs &in);

struct LoanOfferResults
{
    double payment = 0;      // principal and interest, in cents
    double finalPayment = 0; // clears the balance: balance + that month's interest
    double apr = 0;          // annual percent
    double financeCharge = 0;
    double amountFinanced = 0;
    double totalOfPayments = 0;      // every payment, mortgage insurance included
    double totalInterestPercent = 0; // interest over the term, percent of the loan
    double fiveYearTotal = 0;        // payments, insurance and closing costs in 60 months
    double fiveYearPrincipal = 0;    // principal repaid in 60 months
    double cashAtClosing = 0;        // points + lender fees + other costs
    std::int64_t insuredPayments = 0;
    // cost[k]: cash at closing plus the interest and insurance of payments
    // 1 to k, for k = 0 .. the longest term of the comparison; flat once the
    // offer's own term has ended.
    std::vector<double> cost;
};

// An offer that costs more at closing against one that costs less.
struct OfferBreakEven
{
    int costlier = 0; // index into the offers
    int cheaper = 0;
    double extraAtClosing = 0;
    // The first payment after which the costlier offer has cost no more than
    // the cheaper one and stays so through payment `within`, the shorter of
    // the two terms; 0 when there is none.
    std::int64_t payment = 0;
    std::int64_t within = 0;
};

struct LoanOffersResults
{
    std::vector<LoanOfferResults> offers;
    std::vector<OfferBreakEven> breakEvens; // pairs with different cash at closing
    std::int64_t months = 0;                // the longest term
};

// The comparison. Throws FloatError, returning nothing, when an offer has a
// loan or term of 0 or less, a term over TMortgage::MaxPayments, a negative
// rate, points, fees, costs or insurance, costs that leave no amount
// financed, a negative home value, insurance without a home value
// (OfferNeedingHomeValue), or a figure with no finite result.
LoanOffersResults CompareLoanOffers(const LoanOffersInputs &in);

// The monthly rate i at which payments[k] due at the end of month k + 1,
// discounted at (1 + i) a month, are worth `amountFinanced`; returned as the
// annual percent 1200 i. Solved by bracketing and bisection until the APR in
// percent is known within 1e-9. A stream worth no more than the amount at 0 %
// gives 0. A first period longer than a month by `oddFraction` of one (15
// odd days are 0.5) discounts every payment by a further 1 + oddFraction i,
// the simple interest of those days.
double ActuarialApr(double amountFinanced, std::span<const double> payments,
                    double oddFraction = 0);

} // namespace clvn
