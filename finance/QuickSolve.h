#pragma once

// The quick calculator's four solves: a level-payment loan relates the loan
// amount, the annual rate, the monthly payment and the number of payments,
// and any one follows from the other three.
//
// Money is in currency units, the rate is ANNUAL PERCENT (7.5), the number of
// payments counts months. Division by zero, invalid operations and overflow
// throw clvn::FloatError; a payment count that is not whole where one is
// needed throws clvn::ConvertError.

namespace clvn {

enum class QuickUnknown
{
    LoanAmount,
    InterestRate,
    Payment,
    NumPayments
};

// The figures of the four fields; the one being solved for is not read.
struct QuickFigures
{
    double loanAmount = 0;
    double rate = 0; // annual percent
    double payment = 0;
    double numPayments = 0;
};

// The unknown worked out from the other three, with its rounding:
//  - LoanAmount: the count must be whole (ConvertError otherwise); at a rate
//    of 0 the loan is count * payment. The loan is then raised to the next
//    whole currency unit unless already whole, as RoundHalfEven(L + 0.5, 0)
//    does (so a whole odd loan gains one: 10001 + 0.5 ties to 10002).
//  - InterestRate: the count must be whole; CalcInterestRate, unrounded.
//  - Payment: the count is first rounded to whole, halves to even (360.5
//    gives 360); at a rate of 0 the payment is loan / count. Unrounded.
//  - NumPayments: at a rate of 0 loan / payment, else CalcNumPayments;
//    rounded to whole, halves to even. 0 when the payment does not exceed a
//    month's interest.
double SolveQuick(QuickUnknown unknown, const QuickFigures &known);

} // namespace clvn
