#include "finance/MortgageInsurance.h"

#include "finance/Errors.h"
#include "finance/Savings.h"

#include <algorithm>
#include <cmath>

namespace clvn {

namespace {

constexpr double kAskPercent = 80;
constexpr double kEndPercent = 78;

// A balance at or below `percent` % of the home value, both in whole cents
// (exact integers in doubles up to 2^53 / 100 cents).
bool atOrBelow(double balance, double homeCents, double percent)
{
    return std::round(balance * 100) * 100 <= homeCents * percent;
}

// The first of the listed rows at or below the threshold, or the last
// listed row when none is (the insurance cannot outlast the loan).
std::int32_t firstAtOrBelow(const std::vector<TPayment> &rows, double homeCents, double percent)
{
    const std::int32_t listed = PaymentsMade(rows);
    for (std::int32_t k = 0; k < listed; ++k)
        if (atOrBelow(rows[std::size_t(k)].Balance, homeCents, percent))
            return k + 1;
    return listed;
}

double balanceAfter(const std::vector<TPayment> &rows, std::int32_t p)
{
    return p >= 1 && std::size_t(p) <= rows.size() ? rows[std::size_t(p - 1)].Balance : 0.0;
}

// The payment that ends the insurance by itself, and whether the midpoint
// came first. `insured` must hold.
std::int32_t endOf(const std::vector<TPayment> &original, double homeCents, bool *midpoint)
{
    const std::int32_t at78 = firstAtOrBelow(original, homeCents, kEndPercent);
    const std::int32_t middle =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(original.size() / 2));
    const bool first = middle < at78;
    if (midpoint)
        *midpoint = first;
    return first ? middle : at78;
}

double homeCentsOf(double homeValue)
{
    return std::round(homeValue * 100);
}

} // namespace

double ProposedMonthlyPremium(double loan, double homeValue, std::int32_t termPayments,
                              const PmiPremiums &premiums)
{
    static constexpr const char *kWhere = "ProposedMonthlyPremium";
    FpeScope scope;
    if (!(homeValue > 0))
        return 0;
    const double ltv = scope.check(loan * 100 / homeValue, kWhere);
    const double annual = DeterminePMIPremiumForPayments(ltv, termPayments, premiums);
    return RoundCents(scope.check(annual * loan / 12, kWhere));
}

std::int32_t InsuredPayments(const std::vector<TPayment> &original, double loan, double homeValue)
{
    const double homeCents = homeCentsOf(homeValue);
    if (!(homeValue > 0) || atOrBelow(loan, homeCents, kAskPercent))
        return 0;
    return endOf(original, homeCents, nullptr);
}

std::int32_t InsuredPayments(double loan, double ratePercent, std::int32_t term, double homeValue)
{
    TMortgage m;
    m.Create(term, loan, ratePercent / 100, 12);
    return InsuredPayments(m.Payments(), loan, homeValue);
}

MortgageInsuranceResults AssessMortgageInsurance(const TMortgage &schedule, double homeValue,
                                                 double monthlyPremium)
{
    static constexpr const char *kWhere = "AssessMortgageInsurance";
    FpeScope scope;
    scope.check(homeValue, kWhere);
    scope.check(monthlyPremium, kWhere);
    MortgageInsuranceResults r;
    if (homeValue <= 0) {
        r.refusal = MortgageInsuranceRefusal::HomeValue;
        return r;
    }
    if (monthlyPremium < 0) {
        r.refusal = MortgageInsuranceRefusal::Premium;
        return r;
    }
    const double loan = schedule.Principal();
    const double ltv = scope.check(loan / homeValue, kWhere);
    if (ltv * 100 > 97 && monthlyPremium == 0) {
        r.refusal = MortgageInsuranceRefusal::PremiumNeeded;
        return r;
    }
    r.startLtv = ltv;
    const double homeCents = homeCentsOf(homeValue);
    r.insured = !atOrBelow(loan, homeCents, kAskPercent);
    if (!r.insured)
        return r;
    r.monthlyPremium = monthlyPremium;

    // The same loan without extras: a copy, the caller's schedule stays as listed.
    TMortgage plain = schedule;
    plain.ClearExtraPayments();
    const std::vector<TPayment> &original = plain.Payments();
    const std::vector<TPayment> &actual = schedule.Payments();
    r.withExtras =
        std::ranges::any_of(actual, [](const TPayment &p) { return p.ExtraPrincipal != 0; }) ||
        !std::ranges::equal(actual, original, {}, &TPayment::Balance, &TPayment::Balance);

    r.endsAt = endOf(original, homeCents, &r.endsAtMidpoint);
    r.endsBalance = balanceAfter(original, r.endsAt);
    // Once the insurance has ended there is nothing left to cancel: on a
    // long loan the midpoint can come before the balance reaches 80 %.
    r.askAt = std::min(firstAtOrBelow(original, homeCents, kAskPercent), r.endsAt);
    r.askBalance = balanceAfter(original, r.askAt);
    if (r.withExtras) {
        r.askActualAt = std::min(firstAtOrBelow(actual, homeCents, kAskPercent), r.endsAt);
        r.askActualBalance = balanceAfter(actual, r.askActualAt);
    }

    r.premiumsAsk = RoundCents(monthlyPremium * r.askAt);
    r.premiumsAskActual = RoundCents(monthlyPremium * r.askActualAt);
    r.premiumsEnd = RoundCents(monthlyPremium * r.endsAt);
    r.saved = r.withExtras ? scope.check(r.premiumsAsk - r.premiumsAskActual, kWhere) : 0.0;
    return r;
}

MortgageInsuranceResults AssessMortgageInsurance(const MortgageInsuranceInputs &in)
{
    TMortgage m;
    m.Create(in.term, in.loan, in.ratePercent / 100, 12);
    if (in.extraAmount != 0) {
        bool applied = true;
        switch (in.extraMode) {
        case PrepaymentMode::Single:
            applied = m.SetExtraPayment(in.extraFrom, in.extraAmount);
            break;
        case PrepaymentMode::Range:
            applied = m.SetExtraPaymentRange(in.extraFrom, std::min(in.extraTo, m.NumPayments()),
                                             in.extraAmount);
            break;
        case PrepaymentMode::All:
            m.SetExtraPaymentsFrom(1, in.extraAmount);
            break;
        }
        if (!applied)
            throw IndexError(in.extraFrom, m.NumPayments());
    }
    return AssessMortgageInsurance(m, in.homeValue, in.monthlyPremium);
}

} // namespace clvn
