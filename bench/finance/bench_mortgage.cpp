// Schedule building, extra-payment operations, the rate solver, when
// mortgage insurance ends, and the comparison of loan offers with their APR.

#include "finance/LoanOffers.h"
#include "finance/MortLib.h"
#include "finance/MortgageInsurance.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void BM_Create(benchmark::State &state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    clvn::TMortgage m;
    for (auto _ : state) {
        m.Create(n, 250000, 0.0675, 12);
        benchmark::DoNotOptimize(m.Payments().data());
    }
}
BENCHMARK(BM_Create)->Arg(360)->Arg(1200);

void BM_SetExtraPayment(benchmark::State &state)
{
    clvn::TMortgage m;
    m.Create(360, 250000, 0.0675, 12);
    std::int32_t p = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(m.SetExtraPayment(p, 100));
        p = p % 360 + 1;
    }
}
BENCHMARK(BM_SetExtraPayment);

void BM_SetExtraPaymentRange(benchmark::State &state)
{
    clvn::TMortgage m;
    m.Create(360, 250000, 0.0675, 12);
    for (auto _ : state) {
        m.ClearExtraPayments();
        benchmark::DoNotOptimize(m.SetExtraPaymentRange(13, 72, 150));
    }
}
BENCHMARK(BM_SetExtraPaymentRange);

void BM_SetExtraPaymentsFrom(benchmark::State &state)
{
    clvn::TMortgage m;
    m.Create(360, 250000, 0.0675, 12);
    for (auto _ : state) {
        m.ClearExtraPayments();
        m.SetExtraPaymentsFrom(1, 200);
        benchmark::DoNotOptimize(m.Payments().data());
    }
}
BENCHMARK(BM_SetExtraPaymentsFrom);

void BM_ClearExtraPayments(benchmark::State &state)
{
    clvn::TMortgage m;
    m.Create(360, 250000, 0.0675, 12);
    for (auto _ : state) {
        m.ClearExtraPayments();
        benchmark::DoNotOptimize(m.Payments().data());
    }
}
BENCHMARK(BM_ClearExtraPayments);

void BM_CalcInterestRate(benchmark::State &state)
{
    const double payment = clvn::RoundCents(clvn::CalcPayment(360, 7.5 / 1200, 100000));
    for (auto _ : state)
        benchmark::DoNotOptimize(clvn::CalcInterestRate(360, payment, 0, 100000));
}
BENCHMARK(BM_CalcInterestRate);

// Four offers of 360 payments, one with insurance: the page recomputes this
// every time a field is left, so it must stay well under 2 ms.
void BM_CompareLoanOffers(benchmark::State &state)
{
    clvn::LoanOffersInputs in;
    in.homeValue = 320000;
    in.offers = {{300000, 6.875, 360, 0, 1500, 2000, 0},
                 {300000, 6.5, 360, 1.5, 1200, 2000, 0},
                 {285000, 6.75, 360, 0, 1000, 2000, 95},
                 {300000, 6.25, 360, 2.5, 0, 2000, 0}};
    for (auto _ : state)
        benchmark::DoNotOptimize(clvn::CompareLoanOffers(in).offers.data());
}
BENCHMARK(BM_CompareLoanOffers)->Unit(benchmark::kMicrosecond);

// The longest schedule with an extra on every payment, from the loan figures:
// both schedules are built and searched. Kept under 1 ms.
void BM_AssessMortgageInsurance(benchmark::State &state)
{
    clvn::MortgageInsuranceInputs in;
    in.loan = 570000;
    in.ratePercent = 6.5;
    in.term = clvn::TMortgage::MaxPayments;
    in.extraAmount = 1;
    in.homeValue = 600000;
    in.monthlyPremium = 390;
    for (auto _ : state)
        benchmark::DoNotOptimize(clvn::AssessMortgageInsurance(in).endsAt);
}
BENCHMARK(BM_AssessMortgageInsurance)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
