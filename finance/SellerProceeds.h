#pragma once

// What a home seller keeps after the sale: the price less the loans paid off,
// the prepayment penalty, commissions, other fees, the transfer tax and the
// seller's share of the calendar year's property tax. Unrounded.

namespace clvn {

struct SellerInputs
{
    double salePrice = 0;            // currency units
    double firstLoanBalance = 0;     // payoff of the first mortgage
    double secondLoanBalance = 0;    // payoff of the second mortgage
    double otherLoans = 0;           // other liens paid at closing
    int closingMonth = 0;            // 1 January ... 12 December; 0 no month
    double annualPropertyTaxes = 0;  // property tax for the calendar year
    double transferTaxPercent = 0;   // PERCENT of the sale price (2 means 2 %)
    double prepaymentPenalty = 0;    // currency units
    double salesCommission = 0;      // currency units
    double otherSalesCommission = 0; // currency units
    double otherFees = 0;            // currency units
};

struct SellerProceeds
{
    double propertyTaxesPaid = 0; // closingMonth / 12 of the annual tax: the month counts whole
    double transferTax = 0;       // transferTaxPercent / 100 of the sale price
    double costs = 0;             // everything paid out of the sale, loans included
    double netGain = 0;           // sale price less costs; may be negative
};

// Throws FloatError when a figure overflows (nothing usable to show).
SellerProceeds CalcSellerProceeds(const SellerInputs &in);

} // namespace clvn
