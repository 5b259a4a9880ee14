// The chart and the CSV of a 100-year monthly schedule (1,200 payments): the
// chart laid out and drawn, as on screen (targets: under 16 ms, one frame),
// and the CSV made and written through QSaveFile (target: under 20 ms).
// Each with and without extra payments (the dashed line doubles the work of
// one curve). Runs offscreen.

#include "calculators/AmortChart.h"
#include "calculators/AmortChartView.h"
#include "calculators/AmortPage.h"
#include "calculators/CalculatorHost.h"
#include "calculators/TableSource.h"
#include "engine/PageRender.h"
#include "finance/MortLib.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class BenchHost : public clvn::CalculatorHost
{
public:
    BenchHost() : m_settings(m_dir.filePath(QStringLiteral("CLVN.INI"))) {}
    clvn::BuyerValues &buyerValues() override { return m_values; }
    clvn::TMortgage &mortgage() override { return m_mortgage; }
    clvn::ExtraPaymentState &extraPayment() override { return m_extra; }
    clvn::SettingsFile &settingsFile() override { return m_settings; }
    void AllowPrinting() override {}
    void DisallowPrinting() override {}
    void setResetEnabled(bool) override {}
    QWidget *dialogParent() override { return nullptr; }

private:
    QTemporaryDir m_dir;
    clvn::BuyerValues m_values;
    clvn::TMortgage m_mortgage;
    clvn::ExtraPaymentState m_extra;
    clvn::SettingsFile m_settings;
};

// The page with a 1,200-payment schedule in chart view; with `extras`, 50 on
// every payment (the loan then ends well before payment 1,200).
struct Fixture
{
    explicit Fixture(bool extras) : page(host)
    {
        host.buyerValues().Term = 1200;
        host.buyerValues().Interest = 6;
        page.show();
        page.enter();
        if (extras) {
            host.mortgage().SetExtraPaymentsFrom(1, 50);
            page.FillAmortizationGrid();
        }
        page.BtnAmortChartClick();
        QApplication::processEvents();
        chart = page.chartView();
    }
    BenchHost host;
    clvn::AmortPage page;
    clvn::AmortChartView *chart = nullptr;
};

// The display list built and painted into an image of the view's size, as a
// paint event after a recalculation does.
void BM_ChartDrawn(benchmark::State &state)
{
    Fixture f(state.range(0) != 0);
    QImage image(f.chart->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        clvn::report::beginPage(painter);
        const auto items = clvn::drawAmortChart(f.chart->data(), f.chart->sizeInPoints());
        clvn::report::paintItems(painter, items);
    }
    state.counters["payments"] = double(f.chart->data().rows.size());
}
BENCHMARK(BM_ChartDrawn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The view itself repainted after new data, from the schedule to pixels.
void BM_ChartViewRepaint(benchmark::State &state)
{
    Fixture f(state.range(0) != 0);
    const clvn::AmortChartData data = f.chart->data();
    for (auto _ : state) {
        f.chart->setData(data);
        f.chart->repaint();
    }
}
BENCHMARK(BM_ChartViewRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The table taken from the page, made CSV and written all or nothing.
void BM_CsvWritten(benchmark::State &state)
{
    Fixture f(state.range(0) != 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("schedule.csv"));
    for (auto _ : state) {
        const QString error = clvn::saveCsv(f.page.tableData(), path);
        if (!error.isEmpty())
            state.SkipWithError(qPrintable(error));
    }
    state.counters["rows"] = double(f.page.tableData().rows.size());
}
BENCHMARK(BM_CsvWritten)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
