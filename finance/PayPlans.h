#pragma once

// Two comparisons of one fixed-rate loan's payment plans, each a pure
// function of its inputs: monthly against biweekly payments, and the regular
// schedule against one with extra principal payments.
//
// Units: money in the loan's currency; rates are ANNUAL PERCENT (8.75);
// terms and payment numbers count monthly payments (1-based numbers).
// Failures throw before anything is returned, so a caller that writes the
// results only after the call never shows half of a calculation:
// FloatError for figures the formulas or the schedule cannot use.

#include "finance/MortLib.h"

#include <cstdint>

namespace clvn {

struct BiweeklyInputs
{
    double loan = 0;        // L
    double ratePercent = 0; // R, annual percent
    std::int32_t term = 0;  // n, months
};

struct BiweeklyResults
{
    // Monthly plan: the schedule's regular payment P (rounded to cents).
    double payment = 0;
    double totalPaid = 0;  // n * P
    double costOfLoan = 0; // n * P - L
    // Biweekly plan: half of P every two weeks, 26 a year.
    double halfPayment = 0;    // h = P / 2
    double payoffCount = 0;    // k, the (fractional) number of half payments that repay L
    double halfTotalPaid = 0;  // h * k
    double halfCostOfLoan = 0; // h * k - L
    // Savings: months saved are n - k / 26 * 12, unrounded; years saved are
    // the months as shown to 2 decimals (halves to even), divided by 12.
    double monthsSaved = 0;
    double yearsSaved = 0;
    double interestSaved = 0; // costOfLoan - halfCostOfLoan
    // The loan's monthly schedule, without extra payments.
    TMortgage schedule;
};

// Compares the monthly and biweekly plans of one loan. A rate of 0 (the
// payoff count is 0 / 0), a loan of 0, or a term the schedule refuses
// (0, negative, above TMortgage::MaxPayments) throws FloatError.
BiweeklyResults CalcBiweekly(const BiweeklyInputs &in);

enum class PrepaymentMode : std::uint8_t
{
    Single = 0, // the extra amount on payment `fromPayment`
    Range = 1,  // on payments fromPayment..toPayment (fromPayment alone when to < from)
    All = 2     // on every payment
};

// What became of the prepayment a page's results describe (its report says so).
enum class PrepaymentOutcome
{
    Applied,        // the amount went to the chosen payments
    NotCalculated,  // no results yet, or Reset put them back to 0
    Cleared,        // the prepayments were removed
    OutsideSchedule // the payment number is not one of the loan's payments
};

struct PrepaymentInputs
{
    double amountBorrowed = 0; // L
    double ratePercent = 0;    // R, annual percent; 0 is a loan without interest
    std::int32_t term = 0;     // n, months
    double annualTaxes = 0;    // yearly property taxes
    double annualInsurance = 0;
    double annualPmi = 0;
    PrepaymentMode mode = PrepaymentMode::All;
    std::int32_t fromPayment = 0; // Single and Range
    std::int32_t toPayment = 0;   // Range; above the term it counts as the term
    double extraAmount = 0;       // extra principal per affected payment, not negative
};

struct PrepaymentResults
{
    // Regular plan. payment is the level payment unrounded; the interest
    // figures are read from the schedule in whole cents.
    double payment = 0;                   // P
    double totalPayment = 0;              // P + (taxes + insurance + PMI) / 12
    double totalInterest = 0;             // I, the schedule's interest without extras
    double totalPrincipalAndInterest = 0; // I + L
    // With the extra payments.
    double newPayment = 0;              // the schedule's rounded payment + the extra applied
    double newTotalPayment = 0;         // newPayment + the monthly escrow
    double interestWithPrepayments = 0; // J
    double totalWithPrepayments = 0;    // J + L
    std::int32_t newTerm = 0;           // the first payment that leaves no balance, else n
    double savings = 0;                 // (I + L) - (J + L)
    // False when the single payment, or the first of the range, is not a
    // payment of the schedule: nothing was applied and the figures with
    // prepayments are those without. appliedAmount is then 0.
    bool extraApplied = false;
    double appliedAmount = 0;
    // The schedule with the extras applied (the clean-up pass of the range
    // and all-payments operations included).
    TMortgage schedule;
};

// Builds into `m` the monthly schedule of `loan` over `term` months at
// `ratePercent` a year (0 is a loan without interest). Throws as
// TMortgage::Create does.
void CreateMonthlySchedule(TMortgage &m, std::int32_t term, double loan, double ratePercent);

// Puts `amount` of extra principal on the schedule's payments as `mode`
// says: on payment `from` (Single), on payments from..to (Range, `from`
// alone when to < from), or on every payment (All). False when the single
// payment, or the range, does not lie in the schedule: nothing changes then.
bool ApplyExtraPayments(TMortgage &m, PrepaymentMode mode, std::int32_t from, std::int32_t to,
                        double amount);

// The regular and prepayment figures of one loan, always from a schedule
// built for these inputs (also at a rate of 0). A negative or non-finite
// extra amount, and a term the schedule refuses, throw FloatError.
PrepaymentResults CalcPrepayment(const PrepaymentInputs &in);

// A schedule amount as its row's text shows it (TPayment::GetStrings: fixed
// notation, 2 decimals), read back as a number. Independent of any locale.
double shownCents(double scheduleAmount);

} // namespace clvn
