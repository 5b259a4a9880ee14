#pragma once

// Keeping a mortgage against replacing it, over the months until the owner
// sells: the change in the monthly payment and its total, the principal
// (equity) each loan repays by then, and the net saving after the new loan's
// closing costs. Amounts are currency, unrounded; rates are ANNUAL PERCENT;
// every count is a number of MONTHLY payments.

#include <cstdint>

namespace clvn {

struct RefinanceInputs
{
    double oldLoan = 0;       // balance owed today
    std::int64_t oldTerm = 0; // full term of the current loan, months
    std::int64_t oldPaymentsMade = 0;
    double oldRate = 0;       // annual percent
    double newLoan = 0;       // amount of the new loan
    std::int64_t newTerm = 0; // months
    double newRate = 0;       // annual percent
    std::int64_t monthsUntilSell = 0;
    double closingCosts = 0; // of the new loan
};

struct RefinanceResults
{
    std::int64_t oldPaymentsRemaining = 0; // old term - payments made
    std::int64_t monthsCounted = 0;        // months until the sale, at most the new term
    double oldPayment = 0;                 // repays today's balance over the remaining payments
    double newPayment = 0;
    double paymentSaved = 0;      // old payment - new payment, a month
    double totalPaymentSaved = 0; // over the months both loans are paid
    double oldEquity = 0;         // old principal repaid until the sale or the loan's end
    double newEquity = 0;         // new principal repaid until the sale
    double equitySavings = 0;     // new equity - old equity
    double totalSaved = 0;        // payment and equity savings less closing costs
};

// The comparison. A horizon past the new term counts the new term; payments
// past the old loan's end count only the remaining ones (so a sale after the
// old loan ends still counts the new loan's equity over the whole horizon).
// Throws FloatError when a count is negative, payments made exceed the old
// term, a term is above kMaxLoanMonths, the months until the sale are above
// 12 kMaxHorizonYears, or a figure has no finite result;
// nothing is returned then.
RefinanceResults CalcRefinance(const RefinanceInputs &in);

} // namespace clvn
