#include "finance/QuickSolve.h"

#include "finance/Errors.h"
#include "finance/Growth.h"
#include "finance/MortLib.h"

#include <cstdint>

namespace clvn {

double SolveQuick(QuickUnknown unknown, const QuickFigures &known)
{
    // The zero-rate branches divide here: checked as the formulas check theirs.
    FpeScope scope;
    const double L = known.loanAmount;
    const double r = known.rate;
    const double A = known.payment;
    switch (unknown) {
    case QuickUnknown::LoanAmount: {
        const std::int32_t n = WholeNumber(known.numPayments);
        const double loan = r == 0 ? scope.check(n * A, "loan amount") : CalcLoanAmount(n, A, r, 0);
        return RoundHalfEven(scope.check(loan + 0.5, "loan amount"), 0);
    }
    case QuickUnknown::InterestRate:
        return CalcInterestRate(WholeNumber(known.numPayments), A, 0, L);
    case QuickUnknown::Payment: {
        const std::int32_t n = WholeNumber(RoundHalfEven(known.numPayments, 0));
        return r == 0 ? scope.check(L / n, "payment") : CalcPayment(n, r / 1200, L);
    }
    case QuickUnknown::NumPayments: {
        const double N =
            r == 0 ? scope.check(L / A, "number of payments") : CalcNumPayments(L, A, r);
        return RoundHalfEven(N, 0);
    }
    }
    throw FloatError(FloatError::Kind::InvalidOp, "SolveQuick: no such unknown");
}

} // namespace clvn
