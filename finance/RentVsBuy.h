#pragma once

// Renting against buying over the years until a move: the renter pays a rent
// that rises each year and invests the cash a down payment would take; the
// buyer takes the loan that a payment equal to today's rent carries. Amounts
// are currency, unrounded except the house price; rates are PERCENT.

namespace clvn {

struct RentVsBuyInputs
{
    double monthlyRent = 950;       // M, currency a month
    double rentIncrease = 3.5;      // g, percent a year
    double years = 5;               // Y, whole years until the move, 1..kMaxHorizonYears
    double downPayment = 5000;      // D, cash available
    double estimatedReturn = 4.5;   // e, percent a year on the invested cash
    double interestRate = 7;        // R, percent a year on the loan
    double loanTermYears = 30;      // T, years; 12 T must be whole, 0..kMaxLoanMonths
    double incomeTax = 33;          // t, percent
    double propertyTax = 1.2;       // p, percent of the loan a year
    double appreciation = 7;        // a, percent a year
    double annualMaintenance = 500; // K, currency a year
    double sellingCostPercent = 7;  // s, percent
};

struct RentVsBuyResults
{
    double rentSpent = 0;       // S, rent paid until the move
    double investmentValue = 0; // I, the down payment invested until the move
    double affordableLoan = 0;  // H, the loan today's rent repays over T years
    double housePrice = 0;      // H + 0.5 rounded half to even, plus D
    double equityBuilt = 0;     // Q, principal repaid until the move or the loan's end
    double propertyTaxPaid = 0; // X, on H, growing each year
    double taxDeductions = 0;   // Z, income tax saved
    double appreciation = 0;    // P, growth of H until the move
    double sellingCosts = 0;    // C, s percent of H + P
    double valueOfPurchase = 0; // net result of buying
    double valueOfRenting = 0;  // net result of renting (negative when renting costs)
    double gain = 0;            // owning less renting
};

// The comparison. Property tax, appreciation and selling costs are figured on
// the loan H, not on the house price; the interest deducted is the rent spent
// less the equity built. A rate of 0 is valid for the loan, the return and
// the appreciation. Throws ConvertError for a fractional year count (or a
// fractional month count of the loan) and FloatError when a count is out of
// range (the move before 1 year or after kMaxHorizonYears, a negative loan
// term or one above kMaxLoanMonths) or a figure has no finite result.
RentVsBuyResults CalcRentVsBuy(const RentVsBuyInputs &in);

} // namespace clvn
