#include "finance/SellerProceeds.h"

#include "finance/Errors.h"

namespace clvn {

SellerProceeds CalcSellerProceeds(const SellerInputs &in)
{
    static constexpr const char *kWhere = "CalcSellerProceeds";
    FpeScope scope;
    SellerProceeds out;
    const double loans = in.firstLoanBalance + in.secondLoanBalance + in.otherLoans;
    out.propertyTaxesPaid = scope.check(in.closingMonth * in.annualPropertyTaxes / 12, kWhere);
    out.transferTax = scope.check(in.transferTaxPercent / 100 * in.salePrice, kWhere);
    out.costs = scope.check(in.prepaymentPenalty +
                                (in.salesCommission + in.otherSalesCommission + in.otherFees) +
                                (out.transferTax + out.propertyTaxesPaid) + loans,
                            kWhere);
    out.netGain = scope.check(in.salePrice - out.costs, kWhere);
    return out;
}

} // namespace clvn
