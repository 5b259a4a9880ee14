#include "finance/RentVsBuy.h"

#include "finance/Errors.h"
#include "finance/Growth.h"
#include "finance/MortLib.h"

#include <algorithm>
#include <cstdint>

namespace clvn {

RentVsBuyResults CalcRentVsBuy(const RentVsBuyInputs &in)
{
    static constexpr const char *kWhere = "CalcRentVsBuy";
    const double M = in.monthlyRent;
    const double D = in.downPayment;
    const double R = in.interestRate;
    const double Y = in.years;

    // Counts first, so that no formula loops over a nonsense horizon.
    const std::int64_t years = WholeCount(Y, 1, kMaxHorizonYears, "years before the move");
    const std::int64_t moveMonths = 12 * years;
    const std::int64_t loanMonths =
        WholeCount(12 * in.loanTermYears, 0, kMaxLoanMonths, "months of the home loan");

    RentVsBuyResults out;
    out.rentSpent = TotalRent(Y, in.rentIncrease, M);
    out.investmentValue = in.estimatedReturn == 0 ? D
                                                  : FutureValueAt("Monthly", 0, double(moveMonths),
                                                                  in.estimatedReturn, D);
    const double H = (R == 0 ? fpe::checked(double(loanMonths) * M, kWhere)
                             : CalcLoanAmount(static_cast<std::int32_t>(loanMonths), M, R, 0)) +
                     0.0; // a term of 0 gives -0 from the formula: no loan, not a negative one
    out.affordableLoan = H;
    out.housePrice = fpe::checked(RoundHalfEven(H + 0.5, 0) + D, kWhere);

    // Equity stops growing once the loan is repaid.
    out.equityBuilt = PrincipalRepaid(std::min(moveMonths, loanMonths), M, R, H);
    const double S = out.rentSpent;
    const double Q = out.equityBuilt;
    out.propertyTaxPaid = CompoundedTotal(Y, in.propertyTax, H);
    const double t = in.incomeTax / 100;
    out.taxDeductions = fpe::checked(t * (S - Q) + t * out.propertyTaxPaid, kWhere);
    out.appreciation = in.appreciation == 0 ? 0 : CompoundedTotal(Y, in.appreciation, H);

    // Payments are made only while the loan runs: none after its payoff, none
    // at all for a term of 0 (no loan).
    const double W = double(std::min(moveMonths, loanMonths)) * M;
    const double U = in.annualMaintenance * Y;
    out.sellingCosts = fpe::checked(in.sellingCostPercent / 100 * (H + out.appreciation), kWhere);
    out.valueOfPurchase = fpe::checked((out.taxDeductions + out.appreciation + Q + D) -
                                           (W + U + out.propertyTaxPaid + out.sellingCosts),
                                       kWhere);
    out.valueOfRenting = fpe::checked((out.investmentValue - D) - S, kWhere);
    out.gain = fpe::checked(out.valueOfPurchase - out.valueOfRenting, kWhere);
    return out;
}

} // namespace clvn
