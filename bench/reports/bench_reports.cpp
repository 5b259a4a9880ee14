// Preparing the amortization report and writing it as PDF, offscreen, for
// 360 and 1200 payments.

#include "bench/reports/AmortPageStub.h"
#include "engine/PageRender.h"
#include "reports/Qrgrid.h"

#include <QApplication>
#include <QBuffer>

#include <benchmark/benchmark.h>

using namespace clvn;

namespace {

void BM_PrepareAmortization(benchmark::State &state)
{
    auto page = test::makeAmortPage(int(state.range(0)));
    TQRAmortization report;
    report.setPage(page.get());
    for (auto _ : state) {
        const report::PreparedReport pages = report.Rep().prepare();
        benchmark::DoNotOptimize(pages.pageCount());
    }
}

void BM_AmortizationToPdf(benchmark::State &state)
{
    auto page = test::makeAmortPage(int(state.range(0)));
    TQRAmortization report;
    report.setPage(page.get());
    for (auto _ : state) {
        const report::PreparedReport pages = report.Rep().prepare();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        report::writePdf(pages, buffer);
        benchmark::DoNotOptimize(buffer.size());
    }
}

} // namespace

BENCHMARK(BM_PrepareAmortization)->Arg(360)->Arg(1200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AmortizationToPdf)->Arg(360)->Arg(1200)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
