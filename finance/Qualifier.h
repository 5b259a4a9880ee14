#pragma once

// The mortgage qualifier: the largest monthly principal-and-interest payment
// that a borrower's and a co-borrower's incomes, debts and qualifying ratios
// allow, and what that payment carries at one rate and term.
//
// Money is in currency units a month unless said otherwise; ratios and rates
// are PERCENT (28 means 28 %). Nothing is rounded. Division by zero, invalid
// operations and overflow throw clvn::FloatError.

#include <array>
#include <cstdint>

namespace clvn {

// One borrower's monthly figures.
struct BorrowerMonthly
{
    double income = 0;
    double otherIncome = 0;
    double cards = 0;     // minimum due on credit cards
    double autoLoans = 0; // auto loan payments
    double notes = 0;     // student loans and other notes payable
};

struct QualifierInputs
{
    std::array<BorrowerMonthly, 2> borrowers{}; // the borrower, then the co-borrower
    double housingRatio = 0;                    // percent of income housing may take
    double debtRatio = 0;                       // percent of income housing and debts may take
};

struct QualifyingPayment
{
    double income = 0;       // both borrowers, other income included
    double debts = 0;        // cards, auto loans and notes of both
    double housingLimit = 0; // income * housing ratio
    double debtLimit = 0;    // income * debt ratio - debts
    // The smaller limit (the housing limit on a tie): the largest payment the
    // ratios allow. Not clamped: it is negative when debts use up the limit.
    double payment = 0;
};

// The limits and the largest payment. Throws FloatError when a sum or a
// limit overflows.
QualifyingPayment QualifyPayment(const QualifierInputs &in);

// One rate-and-term scenario of the qualifying payment.
struct QualifierScenario
{
    double payment = 0;       // the payment the scenario shows: 0 when not above 0
    double loan = 0;          // present value of the payment, 0 when not above 0
    double purchasePrice = 0; // loan + cash for the down payment
};

// The loan that `payment` repays monthly over `years` * 12 months at annual
// `rate` (percent), and the price it buys with `downPayment`. The present
// value is taken of `payment` as given, before it is clamped: the scenarios
// run in order and each after the first is handed the payment the one before
// showed. A rate of 0 is 0 / 0: FloatError (InvalidOp).
QualifierScenario QualifyScenario(double payment, double rate, std::int32_t years,
                                  double downPayment);

// The ratios a payment gives, in percent: housing = payment / income * 100,
// debt = (payment + debts) / income * 100; both 0 for an income of 0.
struct QualifierRatios
{
    double housing = 0;
    double debt = 0;
};
QualifierRatios ActualRatios(double payment, double debts, double income);

} // namespace clvn
