#pragma once

// Level-payment loan formulas and the amortization schedule.
//
// Conventions every caller must keep in mind:
//  - Terms are counts of payments (months for every caller in this program).
//  - CalcPayment and SchedulePayment take a PERIODIC rate as a fraction
//    (7.5 % a year paid monthly is 7.5 / 1200 = 0.00625); the other formulas
//    take an ANNUAL rate in PERCENT (7.5) and divide by 1200 themselves.
//  - Nothing here rounds to cents except the schedule (TMortgage) and the
//    explicit rounding helpers.
//  - Division by zero, invalid operations (0/0, the logarithm of a number not
//    above zero) and overflow throw clvn::FloatError of the matching kind;
//    underflow and inexact results never throw.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace clvn {

// Level payment per period of a loan L over n periods at periodic rate i.
// n = 0 gives 0; i = 0 gives L / n.
double CalcPayment(std::int32_t n, double i, double L);

// The payment formula the schedule uses: like CalcPayment but with no guard
// for n = 0, which is therefore a division by zero.
double SchedulePayment(std::int32_t n, double i, double L);

// Loan amount that n monthly payments of A repay at annual rate R (percent),
// leaving a balance B after the last payment. R = 0 gives n * A (B ignored).
double CalcLoanAmount(std::int32_t n, double A, double R, double B);

// Number of monthly payments of A that repay L at annual rate R (percent).
// Unrounded; callers round. Returns 0 when A does not exceed a month's
// interest; R = 0 gives L / A.
double CalcNumPayments(double L, double A, double R);

// Annual rate in percent at which n monthly payments of A repay (1 - D) * V,
// solved to full double precision (Newton's method inside a bracket, stopping
// on the residual). Returns 0 when n or the loan is 0, and when the payments
// add up to exactly the loan. Throws FloatError (InvalidOp) when they add up
// to less, or n is negative: no positive rate repays the loan then.
double CalcInterestRate(std::int32_t n, double A, double D, double V);

// CalcInterestRate together with the number of solver steps it took.
struct RateSolution
{
    double rate = 0; // annual percent, as CalcInterestRate returns it
    int updates = 0; // solver steps; a handful for any loan
};
RateSolution SolveInterestRate(std::int32_t n, double A, double D, double V);

// x rounded to cents as Int(x * 100 + 0.5) / 100, Int truncating toward zero.
// For the non-negative amounts of a schedule that is rounding half up.
double RoundCents(double x);

// x rounded to `decimals` places (negative: tens, hundreds...) with halves to
// even, decided on the decimal value a person reads: the shortest decimal text
// that converts back to x. So 2.675 (stored as 2.67499999...) is treated as
// the text "2.675", a tie, and gives 2.68; 2.665 gives 2.66.
double RoundHalfEven(double x, int decimals);

// One row of a schedule.
struct TPayment
{
    std::int32_t Number = 0;
    double Principal = 0, Interest = 0, PrincipalToDate = 0, InterestToDate = 0, ExtraPrincipal = 0,
           Balance = 0;

    // The row as fixed-width texts: Number right-aligned in 5 characters,
    // then Principal, Interest, PrincipalToDate, InterestToDate,
    // ExtraPrincipal, Balance each with 2 decimals right-aligned in 12
    // characters ("." as point, no separators, no currency sign). An amount
    // too wide for its field is never cut: the text grows instead.
    std::array<std::string, 7> GetStrings() const;
};

// The month-by-month schedule of one fixed-rate loan with extra principal
// payments. Balances, payments and interest are kept in exact whole cents
// (the rate as an exact decimal), so each month's interest is the balance
// times the rate rounded once, half up, as a lender's system computes it.
// Amounts beyond 2^53 cents throw FloatError (Overflow).
class TMortgage
{
public:
    // The longest schedule Create accepts: 100 years of monthly payments.
    // A larger (or negative) term is refused before any memory is taken.
    static constexpr std::int32_t MaxPayments = 1200;

    TMortgage() = default; // empty: all figures 0, no rows

    // Replaces the whole schedule (extra payments included) with numPayments
    // fresh rows for `principal` at annual `rate` as a FRACTION (0.075), with
    // periodsPerYear payments a year, and calculates it. Throws FloatError
    // (InvalidOp) for a term outside 0..MaxPayments, and whatever Calculate
    // throws (a term of 0 is a ZeroDivide). When it throws, the schedule is
    // left exactly as it was.
    void Create(std::int32_t numPayments, double principal, double rate,
                std::int32_t periodsPerYear);

    // Recomputes Payment and every row from the figures and the rows'
    // ExtraPrincipal. On failure the rows are left as they were.
    void Calculate();

    // Row p (1-based) gets extra principal a, then Calculate. Returns false,
    // changing nothing, when p is outside 1..NumPayments.
    bool SetExtraPayment(std::int32_t p, double a);

    // Rows first..last get extra principal a (row `first` always, even when
    // last < first), then Calculate and the clean-up pass. Returns false,
    // changing nothing, when first or last is outside 1..NumPayments.
    bool SetExtraPaymentRange(std::int32_t first, std::int32_t last, double a);

    // Rows first..NumPayments get extra principal a, then Calculate and the
    // clean-up pass. Throws IndexError when first is outside 1..NumPayments.
    void SetExtraPaymentsFrom(std::int32_t first, double a);

    // Every row's extra principal back to 0, then Calculate.
    void ClearExtraPayments();

    std::int32_t NumPayments() const { return m_numPayments; }
    std::int32_t PeriodsPerYear() const { return m_periodsPerYear; }
    double Principal() const { return m_principal; }
    double Rate() const { return m_rate; }       // annual, as a fraction
    double Payment() const { return m_payment; } // regular payment, in cents
    const std::vector<TPayment> &Payments() const { return m_payments; }

private:
    void cleanUp(double a);

    std::int32_t m_numPayments = 0;
    std::int32_t m_periodsPerYear = 0;
    double m_principal = 0;
    double m_rate = 0;
    double m_payment = 0;
    std::vector<TPayment> m_payments;
};

} // namespace clvn
