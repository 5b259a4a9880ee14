#include "finance/PayPlans.h"

#include "finance/Errors.h"
#include "finance/FpeDetail.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace clvn {

using detail::lnPositive;

double shownCents(double scheduleAmount)
{
    // The same text GetStrings writes, so the figures match the rows' texts
    // to the cent; to_chars/from_chars ignore the C locale.
    char buf[400];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, scheduleAmount, std::chars_format::fixed, 2);
    double v = 0;
    std::from_chars(buf, written.ptr, v, std::chars_format::fixed);
    return v + 0.0;
}

BiweeklyResults CalcBiweekly(const BiweeklyInputs &in)
{
    static constexpr const char *kWhere = "CalcBiweekly";
    BiweeklyResults r;
    const double rate = in.ratePercent / 100;
    r.schedule.Create(in.term, in.loan, rate, 12);

    FpeScope scope;
    const double n = in.term;
    const double L = in.loan;
    r.payment = r.schedule.Payment();
    r.totalPaid = scope.check(n * r.payment, kWhere);
    r.costOfLoan = scope.check(r.totalPaid - L, kWhere);

    const double b = rate / 26;
    const double h = r.payment / 2;
    const double owed = 1 - L / h * b; // at a rate of 0 this is 1 and the count 0 / 0
    r.payoffCount = scope.check(-lnPositive(owed, kWhere) / lnPositive(1 + b, kWhere), kWhere);
    r.halfPayment = h;
    r.halfTotalPaid = scope.check(h * r.payoffCount, kWhere);
    r.halfCostOfLoan = scope.check(r.halfTotalPaid - L, kWhere);

    r.monthsSaved = scope.check(n - r.payoffCount / 26 * 12, kWhere);
    // From the months as the page shows them, not from the unrounded figure.
    r.yearsSaved = scope.check(RoundHalfEven(r.monthsSaved, 2) / 12, kWhere);
    r.interestSaved = scope.check(r.costOfLoan - r.halfCostOfLoan, kWhere);
    return r;
}

void CreateMonthlySchedule(TMortgage &m, std::int32_t term, double loan, double ratePercent)
{
    m.Create(term, loan, ratePercent / 100, 12);
}

bool ApplyExtraPayments(TMortgage &m, PrepaymentMode mode, std::int32_t from, std::int32_t to,
                        double amount)
{
    switch (mode) {
    case PrepaymentMode::Single:
        return m.SetExtraPayment(from, amount);
    case PrepaymentMode::Range:
        return m.SetExtraPaymentRange(from, to, amount);
    case PrepaymentMode::All:
        break;
    }
    m.SetExtraPaymentsFrom(1, amount);
    return true;
}

PrepaymentResults CalcPrepayment(const PrepaymentInputs &in)
{
    static constexpr const char *kWhere = "CalcPrepayment";
    if (!std::isfinite(in.extraAmount) || in.extraAmount < 0)
        throw FloatError(FloatError::Kind::InvalidOp,
                         std::string(kWhere) + " (an extra amount of " +
                             std::to_string(in.extraAmount) + " cannot be paid)");
    PrepaymentResults r;
    const double L = in.amountBorrowed;
    // Built at every rate, 0 included, and only from these figures.
    TMortgage &m = r.schedule;
    CreateMonthlySchedule(m, in.term, L, in.ratePercent);

    FpeScope scope;
    const double escrow =
        scope.check((in.annualInsurance + in.annualPmi + in.annualTaxes) / 12, kWhere);
    r.payment = CalcPayment(in.term, in.ratePercent / 1200, L);
    r.totalPayment = scope.check(r.payment + escrow, kWhere);
    // Create refuses a term of 0, so the schedule has a last row.
    r.totalInterest = shownCents(m.Payments().back().InterestToDate);
    r.totalPrincipalAndInterest = scope.check(r.totalInterest + L, kWhere);

    r.extraApplied = ApplyExtraPayments(m, in.mode, in.fromPayment,
                                        std::min(in.toPayment, m.NumPayments()), in.extraAmount);
    r.appliedAmount = r.extraApplied ? in.extraAmount : 0.0;

    r.newPayment = scope.check(m.Payment() + r.appliedAmount, kWhere);
    r.newTotalPayment = scope.check(r.newPayment + escrow, kWhere);
    // The new term is the first payment after which nothing is owed.
    r.newTerm = in.term;
    for (const TPayment &row : m.Payments()) {
        if (row.Balance <= 0) {
            r.newTerm = row.Number;
            break;
        }
    }
    r.interestWithPrepayments = shownCents(m.Payments().back().InterestToDate);
    r.totalWithPrepayments = scope.check(r.interestWithPrepayments + L, kWhere);
    r.savings = scope.check(r.totalPrincipalAndInterest - r.totalWithPrepayments, kWhere);
    return r;
}

} // namespace clvn
