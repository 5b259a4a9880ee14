#include "finance/ClosingCosts.h"

#include "finance/Errors.h"
#include "finance/MortLib.h"

#include <limits>

namespace clvn {

namespace {

double premiumOfBand(double ltv, bool longTerm, const PmiPremiums &premiums)
{
    if (ltv <= 80 || ltv > 97)
        return 0;
    const std::array<double, 4> &column = longTerm ? premiums.longTerm : premiums.shortTerm;
    if (ltv <= 85)
        return column[0];
    if (ltv <= 90)
        return column[1];
    if (ltv <= 95)
        return column[2];
    return column[3];
}

} // namespace

double DeterminePMIPremium(double ltv, std::int32_t termYears, const PmiPremiums &premiums)
{
    return premiumOfBand(ltv, termYears > 15, premiums);
}

double DeterminePMIPremiumForPayments(double ltv, std::int32_t termPayments,
                                      const PmiPremiums &premiums)
{
    return premiumOfBand(ltv, termPayments > 180, premiums);
}

std::int32_t TermMonths(std::int32_t years)
{
    if (years > std::numeric_limits<std::int32_t>::max() / 12 ||
        years < std::numeric_limits<std::int32_t>::min() / 12)
        throw FloatError(FloatError::Kind::Overflow, "TermMonths: term in months out of range");
    return years * 12;
}

PurchaseEstimate EstimatePurchase(const PurchaseInputs &in)
{
    static constexpr const char *kWhere = "EstimatePurchase";
    FpeScope scope;
    PurchaseEstimate out;
    out.monthlyTax = in.annualTax / 12;
    out.monthlyInsurance = in.annualInsurance / 12;
    const double fixedCosts = out.monthlyTax + out.monthlyInsurance + in.associationFee;

    const double housingLimit = in.income * in.housingRatio * 0.01;
    const double debtLimit = in.income * in.debtRatio * 0.01 - in.monthlyDebt;
    const double largestPayment = debtLimit < housingLimit ? debtLimit : housingLimit;

    const std::int32_t months = TermMonths(in.termYears);
    out.premium = DeterminePMIPremium(100 - in.downPaymentPercent, in.termYears, in.premiums);

    const double d = in.downPaymentPercent / 100;
    const PurchaseLocks &locked = in.locks;
    double price = 0;
    double downPayment = 0;
    double loan = 0;
    if (locked.price && locked.downPayment && locked.loan) {
        loan = CalcLoanAmount(months, largestPayment - fixedCosts, in.rate, 0);
        const double firstPmi = out.premium * loan / 12;
        loan = CalcLoanAmount(months, largestPayment - (fixedCosts + firstPmi), in.rate, 0);
        if (loan <= 0)
            loan = 0;
        price = d == 0 ? loan : loan * (1 + d);
        price = RoundHalfEven(price, -3);
        downPayment = price * d;
        loan = price - downPayment;
        out.priceSolved = out.downPaymentSolved = out.loanSolved = true;
    } else if (!locked.price && locked.downPayment && locked.loan) {
        price = in.price;
        downPayment = price * d;
        loan = price - downPayment;
        out.downPaymentSolved = out.loanSolved = true;
    } else if (!locked.downPayment && locked.loan) {
        price = in.price;
        downPayment = in.downPayment;
        loan = price - downPayment;
        out.loanSolved = out.percentSolved = true;
    } else if (locked.price && !locked.downPayment && !locked.loan) {
        downPayment = in.downPayment;
        loan = in.loan;
        price = loan + downPayment;
        out.priceSolved = out.percentSolved = true;
    } else {
        // Loan typed: the price it is the loan part of.
        loan = in.loan;
        price = d == 0 ? loan : scope.check(loan / (1 - d), "price from the loan amount");
        downPayment = price * d;
        out.priceSolved = out.downPaymentSolved = true;
    }
    if (out.percentSolved) {
        // A price of 0 has no percent: that must fail rather than show "nan".
        out.downPaymentPercent =
            scope.check(downPayment / price * 100, "down payment percent of the price");
        const double kept = RoundHalfEven(out.downPaymentPercent, DownPaymentPercentDecimals);
        out.premium = DeterminePMIPremium(100 - kept, in.termYears, in.premiums);
    }
    out.price = price;
    out.downPayment = downPayment;
    out.loan = loan;

    out.principalAndInterest = CalcPayment(months, in.rate / 1200, loan);
    out.monthlyPmi = out.premium * loan / 12;
    out.monthlyPayment = fixedCosts + out.monthlyPmi + out.principalAndInterest;
    if (in.income != 0) {
        out.housingRatio = scope.check(out.monthlyPayment / in.income * 100, "housing ratio");
        out.debtRatio =
            scope.check((out.monthlyPayment + in.monthlyDebt) / in.income * 100, "debt ratio");
    }
    for (double v : {out.monthlyTax, out.monthlyInsurance, out.price, out.downPayment, out.loan,
                     out.premium, out.monthlyPmi, out.monthlyPayment})
        scope.check(v, kWhere);
    return out;
}

double ClosingCostTotal(double discountFee, double originationFee, const ClosingFees &fees,
                        double monthlyPmi)
{
    return discountFee + originationFee + fees.creditReport + fees.appraisal + fees.taxService +
           fees.lendersInspection + fees.escrowClosing + fees.titleSearch + fees.titleInsurance +
           fees.recording + fees.other + monthlyPmi;
}

double EscrowTotal(const EscrowAmounts &a)
{
    return a.interimInterest + a.pmi + a.insuranceFirstYear + a.insuranceRenewal + a.taxes;
}

double EscrowPanelTotal(const EscrowAmounts &a)
{
    return a.interimInterest + a.taxes + a.insuranceFirstYear + a.insuranceRenewal + a.pmi;
}

CostEstimate EstimateCosts(const PurchaseEstimate &purchase, const CostInputs &in)
{
    static constexpr const char *kWhere = "EstimateCosts";
    FpeScope scope;
    const double loan = purchase.loan;
    CostEstimate out;
    out.originationFee = in.originationPoints * loan * 0.01;
    out.discountFee = in.discountPoints * loan * 0.01;
    out.closingCosts =
        ClosingCostTotal(out.discountFee, out.originationFee, in.fees, purchase.monthlyPmi);

    const EscrowCounts &n = in.counts;
    const double insurance = purchase.monthlyInsurance;
    const double tax = purchase.monthlyTax;
    EscrowAmounts &e = out.escrow;
    e.pmi = n.pmiMonths * purchase.monthlyPmi;
    e.insuranceFirstYear = insurance > 0 ? n.insuranceFirstYearMonths * insurance : 0;
    e.interimInterest = in.rate / 100 * loan / 365 * n.interestDays;
    e.insuranceRenewal = insurance > 0 ? n.insuranceRenewalMonths * insurance : 0;
    e.taxes = tax > 0 ? n.taxMonths * tax : 0;
    out.escrows = EscrowTotal(e);
    out.cashToClose = purchase.downPayment + out.closingCosts + out.escrows - in.sellerPaid;

    for (double v :
         {out.originationFee, out.discountFee, out.closingCosts, e.pmi, e.insuranceFirstYear,
          e.interimInterest, e.insuranceRenewal, e.taxes, out.escrows, out.cashToClose})
        scope.check(v, kWhere);
    return out;
}

} // namespace clvn
