// Every path and table of an adjustable-rate loan of 480 months: what the
// page computes on each change of a field.

#include "finance/Arm.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CalcArm480(benchmark::State &state)
{
    const clvn::ArmInputs in{.loan = 550001,
                             .term = 480,
                             .initialRate = 3.375,
                             .fixedMonths = 60,
                             .adjustMonths = 12,
                             .index = 3,
                             .margin = 2.25,
                             .rounding = clvn::ArmRounding::NearestEighth,
                             .firstCap = 2,
                             .periodicCap = 2,
                             .lifetimeCap = 5,
                             .floor = {},
                             .interestOnlyMonths = 0,
                             .prepaid = 860,
                             .ownPath = {4, 7, 1, 2.5},
                             .fixedRate = 4.125,
                             .fixedPrepaid = 860};
    for (auto _ : state) {
        const clvn::ArmResults r = clvn::CalcArm(in);
        benchmark::DoNotOptimize(r.apr);
    }
}
BENCHMARK(BM_CalcArm480)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
