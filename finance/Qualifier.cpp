#include "finance/Qualifier.h"

#include "finance/Errors.h"
#include "finance/Growth.h"

namespace clvn {

QualifyingPayment QualifyPayment(const QualifierInputs &in)
{
    static constexpr const char *kWhere = "QualifyPayment";
    FpeScope scope;
    const double h = in.housingRatio / 100;
    const double g = in.debtRatio / 100;
    QualifyingPayment out;
    for (const BorrowerMonthly &b : in.borrowers) {
        out.debts += b.notes + b.autoLoans + b.cards;
        out.income += b.income + b.otherIncome;
    }
    out.housingLimit = out.income * h;
    out.debtLimit = out.income * g - out.debts;
    out.payment = out.debtLimit < out.housingLimit ? out.debtLimit : out.housingLimit;
    scope.check(out.income, kWhere);
    scope.check(out.debts, kWhere);
    scope.check(out.housingLimit, kWhere);
    scope.check(out.debtLimit, kWhere);
    return out;
}

QualifierScenario QualifyScenario(double payment, double rate, std::int32_t years,
                                  double downPayment)
{
    static constexpr const char *kWhere = "QualifyScenario";
    FpeScope scope;
    QualifierScenario out;
    out.loan = PaymentPresentValue(years, rate, payment);
    out.payment = payment <= 0 ? 0 : payment;
    if (out.loan <= 0)
        out.loan = 0;
    out.purchasePrice = scope.check(out.loan + downPayment, kWhere);
    return out;
}

QualifierRatios ActualRatios(double payment, double debts, double income)
{
    static constexpr const char *kWhere = "ActualRatios";
    FpeScope scope;
    if (income == 0)
        return {};
    QualifierRatios out;
    out.housing = scope.check(payment / income * 100, kWhere);
    out.debt = scope.check((payment + debts) / income * 100, kWhere);
    return out;
}

} // namespace clvn
