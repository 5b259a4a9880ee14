#include "finance/LoanOffers.h"

#include "finance/Errors.h"
#include "finance/MortLib.h"
#include "finance/MortgageInsurance.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace clvn {

namespace {

constexpr const char *kWhere = "CompareLoanOffers";

[[noreturn]] void refuse(std::size_t offer, const char *why)
{
    throw FloatError(FloatError::Kind::InvalidOp,
                     std::string(kWhere) + ": offer " + std::to_string(offer + 1) + " " + why);
}

void requireFigures(const LoanOffer &o, std::size_t index)
{
    for (const double x :
         {o.loan, o.rate, o.points, o.lenderFees, o.otherCosts, o.monthlyInsurance})
        if (!std::isfinite(x))
            refuse(index, "has a figure that is not a number");
    if (o.loan <= 0)
        refuse(index, "has no loan");
    if (o.term <= 0 || o.term > TMortgage::MaxPayments)
        refuse(index, "has a term outside 1..1200 months");
    if (o.rate < 0 || o.points < 0 || o.lenderFees < 0 || o.otherCosts < 0 ||
        o.monthlyInsurance < 0)
        refuse(index, "has a negative rate, points, fee, cost or insurance");
}

// Half up to cents as the schedule rounds; the caller's FpeScope reports an
// overflow once, at the end, instead of a flag check per amount.
double cents(double x)
{
    return std::trunc(x * 100 + 0.5) / 100;
}

// Cents held exactly enough that sums compare as a person would compare them.
double addCents(double total, double amount)
{
    return cents(total + amount);
}

LoanOfferResults compareOne(const LoanOffer &o, std::size_t index, double homeValue,
                            std::int64_t months)
{
    LoanOfferResults r;
    const double pointsCost = cents(o.loan * o.points / 100);
    r.amountFinanced = cents(o.loan - pointsCost - o.lenderFees);
    if (r.amountFinanced <= 0)
        refuse(index, "leaves no amount financed");
    r.cashAtClosing = cents(pointsCost + o.lenderFees + o.otherCosts);

    TMortgage schedule;
    schedule.Create(static_cast<std::int32_t>(o.term), o.loan, o.rate / 100, 12);
    const std::vector<TPayment> &rows = schedule.Payments();
    const std::size_t n = rows.size();
    r.payment = schedule.Payment();

    std::vector<double> principal(n);
    std::vector<double> stream(n);
    double interest = 0;
    for (std::size_t k = 0; k < n; ++k) {
        principal[k] = rows[k].Principal;
        stream[k] = cents(rows[k].Principal + rows[k].Interest);
        interest = addCents(interest, rows[k].Interest);
    }
    // Lenders disclose a last payment that clears what the rounded payment leaves.
    principal[n - 1] = cents(principal[n - 1] + rows[n - 1].Balance);
    stream[n - 1] = cents(stream[n - 1] + rows[n - 1].Balance);
    // A payment rounded up may repay the loan early; its last payment is the final one.
    const auto last = std::find_if(stream.rbegin(), stream.rend(), [](double x) { return x != 0; });
    r.finalPayment = last == stream.rend() ? 0 : *last;

    r.insuredPayments = o.monthlyInsurance > 0 ? InsuredPayments(rows, o.loan, homeValue) : 0;
    double paid = r.cashAtClosing;
    double cost = r.cashAtClosing;
    r.cost.assign(static_cast<std::size_t>(months) + 1, r.cashAtClosing);
    for (std::size_t k = 0; k < n; ++k) {
        const double insurance = std::int64_t(k) < r.insuredPayments ? o.monthlyInsurance : 0.0;
        stream[k] = cents(stream[k] + insurance);
        paid = addCents(paid, stream[k]);
        cost = addCents(cost, rows[k].Interest + insurance);
        r.cost[k + 1] = cost;
        if (k < 60) {
            r.fiveYearTotal = paid;
            r.fiveYearPrincipal = addCents(r.fiveYearPrincipal, principal[k]);
        }
    }
    // A loan that has ended costs nothing more while a longer one runs on.
    std::fill(r.cost.begin() + std::ptrdiff_t(n) + 1, r.cost.end(), cost);

    r.totalOfPayments = cents(paid - r.cashAtClosing);
    r.financeCharge = cents(r.totalOfPayments - r.amountFinanced);
    r.totalInterestPercent = fpe::checked(interest / o.loan * 100, kWhere);
    for (const double x : {r.totalOfPayments, r.financeCharge, r.fiveYearTotal, r.fiveYearPrincipal,
                           r.cashAtClosing, r.finalPayment})
        fpe::checked(x, kWhere);
    r.apr = ActuarialApr(r.amountFinanced, stream);
    return r;
}

} // namespace

double ActuarialApr(double amountFinanced, std::span<const double> payments, double oddFraction)
{
    static constexpr const char *kApr = "ActuarialApr";
    FpeScope scope;
    if (!(amountFinanced > 0) || !std::isfinite(amountFinanced))
        throw FloatError(FloatError::Kind::InvalidOp, std::string(kApr) + ": amount financed");
    if (!(oddFraction >= 0) || !std::isfinite(oddFraction))
        throw FloatError(FloatError::Kind::InvalidOp, std::string(kApr) + ": odd days");
    for (const double p : payments)
        if (!(p >= 0) || !std::isfinite(p))
            throw FloatError(FloatError::Kind::InvalidOp, std::string(kApr) + ": payment");

    // Present value of the stream at monthly rate i, less the amount: it falls as i rises.
    const auto excess = [&](double i) {
        const double v = 1 / (1 + i);
        double factor = 1;
        double value = 0;
        for (const double p : payments) {
            factor *= v;
            value += p * factor;
        }
        return value / (1 + oddFraction * i) - amountFinanced;
    };

    if (excess(0) <= 0)
        return 0;
    double low = 0;
    double high = 0.01; // 12 % a year
    for (int doublings = 0; excess(high) > 0; ++doublings) {
        if (doublings == 64)
            throw FloatError(FloatError::Kind::Overflow, std::string(kApr) + ": no rate found");
        low = high;
        high *= 2;
    }
    // Each halving gains a bit; the loop ends when the APR in percent is
    // pinned within 1e-9, some 40 rounds, not after a set number of them.
    while (1200 * (high - low) > 1e-9) {
        const double mid = low + (high - low) / 2;
        if (mid <= low || mid >= high)
            break; // the bracket is as narrow as doubles allow
        (excess(mid) > 0 ? low : high) = mid;
    }
    return scope.check(1200 * (low + (high - low) / 2), kApr);
}

int OfferNeedingHomeValue(const LoanOffersInputs &in)
{
    if (in.homeValue > 0)
        return -1;
    const auto insured =
        std::ranges::find_if(in.offers, [](const LoanOffer &o) { return o.monthlyInsurance > 0; });
    return insured == in.offers.end() ? -1 : int(insured - in.offers.begin());
}

LoanOffersResults CompareLoanOffers(const LoanOffersInputs &in)
{
    FpeScope scope;
    if (!std::isfinite(in.homeValue) || in.homeValue < 0)
        throw FloatError(FloatError::Kind::InvalidOp, std::string(kWhere) + ": home value");
    for (std::size_t k = 0; k < in.offers.size(); ++k)
        requireFigures(in.offers[k], k);
    // Without a home value nothing ends the insurance: dropping it would
    // understate the APR and the finance charge.
    if (const int k = OfferNeedingHomeValue(in); k >= 0)
        refuse(std::size_t(k), "has mortgage insurance but there is no home value");

    LoanOffersResults out;
    for (const LoanOffer &o : in.offers)
        out.months = std::max(out.months, o.term);
    for (std::size_t k = 0; k < in.offers.size(); ++k)
        out.offers.push_back(compareOne(in.offers[k], k, in.homeValue, out.months));

    const int count = static_cast<int>(out.offers.size());
    for (int a = 0; a < count; ++a) {
        for (int b = a + 1; b < count; ++b) {
            const LoanOfferResults &x = out.offers[static_cast<std::size_t>(a)];
            const LoanOfferResults &y = out.offers[static_cast<std::size_t>(b)];
            if (x.cashAtClosing == y.cashAtClosing)
                continue;
            OfferBreakEven e;
            e.costlier = x.cashAtClosing > y.cashAtClosing ? a : b;
            e.cheaper = e.costlier == a ? b : a;
            const auto &more = out.offers[std::size_t(e.costlier)].cost;
            const auto &less = out.offers[std::size_t(e.cheaper)].cost;
            e.extraAtClosing = cents(more[0] - less[0]);
            e.within = std::min(in.offers[std::size_t(a)].term, in.offers[std::size_t(b)].term);
            // Back from the shorter term to the last payment after which the
            // costlier offer still cost more: a lead it loses again (once the
            // other offer's insurance ends) is no break-even.
            std::int64_t k = e.within;
            while (k > 0 && more[std::size_t(k)] <= less[std::size_t(k)])
                --k;
            e.payment = k < e.within ? k + 1 : 0;
            out.breakEvens.push_back(e);
        }
    }
    return out;
}

} // namespace clvn
