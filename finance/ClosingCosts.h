#pragma once

// The closing-cost estimate of a home purchase from the buyer's side: what
// the buyer can afford or has typed (price, down payment, loan), the monthly
// housing payment and the ratios it gives, the closing costs, the prepaid
// items and reserves (escrows) and the cash to bring to closing.
//
// Money is in currency units; "monthly" figures are a month's, "annual" a
// year's. Rates, ratios and the down payment percent are PERCENT (7 means
// 7 %); PMI premiums are annual FRACTIONS of the loan (0.0032). Nothing is
// rounded to cents. Division by zero, invalid operations and overflow throw
// clvn::FloatError, and no result is ever infinite or NaN.

#include <array>
#include <cstdint>

namespace clvn {

// Annual PMI premiums by loan-to-value band: over 80 up to 85, over 85 up to
// 90, over 90 up to 95, over 95 up to 97 (percent).
struct PmiPremiums
{
    std::array<double, 4> longTerm{};  // terms over 15 years
    std::array<double, 4> shortTerm{}; // terms of 15 years or less
};

// The annual premium for a loan-to-value of `ltv` percent (100 - down payment
// percent) and a term in years. Bands are closed at the top (85 belongs to
// "over 80, up to 85"); 80 or less and over 97 give 0.
double DeterminePMIPremium(double ltv, std::int32_t termYears, const PmiPremiums &premiums);
// The same table for a term counted in monthly payments: over 15 years is
// more than 180 payments.
double DeterminePMIPremiumForPayments(double ltv, std::int32_t termPayments,
                                      const PmiPremiums &premiums);

// The months of a term in whole years. Throws FloatError (Overflow) for a
// term whose month count does not fit in 32 bits: such a term is no loan.
std::int32_t TermMonths(std::int32_t years);

// Each of price, down payment and loan is either worked out (locked) or
// typed by the user (unlocked). Price and loan are never typed together.
struct PurchaseLocks
{
    bool price = true;
    bool downPayment = true;
    bool loan = true;
};

// Decimals to which the down payment percent is kept where it is worked out:
// the premium band follows the percent as kept.
inline constexpr int DownPaymentPercentDecimals = 3;

struct PurchaseInputs
{
    PurchaseLocks locks;
    // The three amounts as they stand; only the typed ones are used, and the
    // price also where the down payment alone is typed.
    double price = 0;
    double downPayment = 0;
    double loan = 0;

    double annualTax = 0;
    double annualInsurance = 0;
    double associationFee = 0; // monthly
    double income = 0;         // monthly
    double monthlyDebt = 0;
    double housingRatio = 0; // percent of income the housing payment may take
    double debtRatio = 0;    // percent of income housing and debt may take
    double rate = 0;         // annual percent
    std::int32_t termYears = 0;
    double downPaymentPercent = 0; // percent of the price
    PmiPremiums premiums;
};

struct PurchaseEstimate
{
    double monthlyTax = 0;       // annual tax / 12
    double monthlyInsurance = 0; // annual insurance / 12

    double price = 0;
    double downPayment = 0;
    double loan = 0;
    // Which of the three were worked out (the others are the typed figures).
    // With the down payment typed and the price locked the price shown is
    // used unchanged, so it counts as typed there.
    bool priceSolved = false;
    bool downPaymentSolved = false;
    bool loanSolved = false;

    // With the down payment typed, the percent it is of the price
    // (unrounded); the premium is then looked up again on this percent kept
    // to DownPaymentPercentDecimals places, halves to even.
    bool percentSolved = false;
    double downPaymentPercent = 0;

    double premium = 0; // annual fraction
    double principalAndInterest = 0;
    double monthlyPmi = 0;     // premium * loan / 12
    double monthlyPayment = 0; // tax, insurance, association fee, PMI, P&I
    double housingRatio = 0;   // percent: monthly payment / income
    double debtRatio = 0;      // percent: (monthly payment + debt) / income; both 0 at no income
};

// Price, down payment and loan by the locks (d = down payment percent / 100):
//  - all locked: affordability. The payment budget is the smaller of
//    income * housing ratio and income * debt ratio - debt; the loan is what
//    the budget less tax, insurance and fee repays, worked out twice, the
//    second time with the first loan's PMI also off the budget; not above 0
//    it is 0. Price = loan * (1 + d) (the loan itself at d = 0) rounded to a
//    multiple of 1000, halves to even; down payment = price * d; loan =
//    price - down payment.
//  - price typed: down payment = price * d, loan = price - down payment.
//  - down payment typed (price typed or not): loan = price - down payment.
//  - down payment and loan typed: price = loan + down payment.
//  - loan typed: price = loan / (1 - d) (the loan itself at d = 0), down
//    payment = price * d.
// Where the down payment is typed its percent is worked out (a price of 0
// has none: FloatError). Throws FloatError for a term with no month count, a
// loan with no payment, a price from a loan at 100 % down.
PurchaseEstimate EstimatePurchase(const PurchaseInputs &in);

// The typed closing costs, seller-paid costs apart.
struct ClosingFees
{
    double creditReport = 0;
    double appraisal = 0;
    double taxService = 0;
    double lendersInspection = 0;
    double escrowClosing = 0;
    double titleSearch = 0;
    double titleInsurance = 0;
    double recording = 0;
    double other = 0;
};

// The closing-cost total: the two point fees, the typed fees and one month
// of PMI (seller-paid costs are no part of it).
double ClosingCostTotal(double discountFee, double originationFee, const ClosingFees &fees,
                        double monthlyPmi);

// Whole-number counts of the escrow lines.
struct EscrowCounts
{
    std::int32_t interestDays = 0;
    std::int32_t taxMonths = 0;
    std::int32_t insuranceFirstYearMonths = 0;
    std::int32_t insuranceRenewalMonths = 0;
    std::int32_t pmiMonths = 0;
};

struct EscrowAmounts
{
    double interimInterest = 0;    // rate / 100 * loan / 365 * days
    double taxes = 0;              // months * monthly tax; 0 when the monthly tax is not above 0
    double insuranceFirstYear = 0; // months * monthly insurance; 0 when that is not above 0
    double insuranceRenewal = 0;   // the same
    double pmi = 0;                // months * monthly PMI
};

// The escrow total as the estimate adds it: interest, PMI, insurance (first
// year, renewal), taxes.
double EscrowTotal(const EscrowAmounts &a);
// The same lines in the order the escrow panel adds them when it closes:
// interest, taxes, insurance (first year, renewal), PMI. Floating-point sums
// depend on their order, so each total keeps its own.
double EscrowPanelTotal(const EscrowAmounts &a);

struct CostInputs
{
    double rate = 0;              // annual percent, for the interim interest
    double originationPoints = 0; // percent of the loan
    double discountPoints = 0;    // percent of the loan
    ClosingFees fees;
    double sellerPaid = 0;
    // The tax and insurance counts are not used when their monthly amount is
    // not above 0: a caller need not have them then.
    EscrowCounts counts;
};

struct CostEstimate
{
    double originationFee = 0; // points * loan * 0.01
    double discountFee = 0;
    double closingCosts = 0; // ClosingCostTotal
    EscrowAmounts escrow;
    double escrows = 0;     // EscrowTotal
    double cashToClose = 0; // down payment + closing costs + escrows - seller-paid costs
};

CostEstimate EstimateCosts(const PurchaseEstimate &purchase, const CostInputs &in);

} // namespace clvn
