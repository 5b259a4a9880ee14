// How long the Loan Amortizations page takes from Calculate to a painted grid,
// for a 30-year and a 100-year monthly schedule. Runs offscreen.

#include "calculators/AmortModel.h"
#include "calculators/AmortPage.h"
#include "calculators/CalculatorHost.h"
#include "finance/MortLib.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"
#include "widgets/FnpNumericEdit.h"

#include <QApplication>
#include <QTableView>
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

struct Fixture
{
    explicit Fixture(int term) : page(host)
    {
        host.buyerValues().Term = term;
        page.show();
        page.enter();
        QApplication::processEvents();
        grid = page.findChild<QTableView *>(QStringLiteral("grdAmortization"));
    }
    BenchHost host;
    clvn::AmortPage page;
    QTableView *grid = nullptr;
};

// CalcAmortization with the grid's model refilled, nothing painted.
void BM_CalcAmortization(benchmark::State &state)
{
    Fixture f(int(state.range(0)));
    for (auto _ : state) {
        f.page.CalcAmortization();
        benchmark::DoNotOptimize(f.page.model()->rowCount());
    }
    state.counters["rows"] = f.page.model()->rowCount();
}
BENCHMARK(BM_CalcAmortization)->Arg(360)->Arg(1200)->Unit(benchmark::kMicrosecond);

// CalcAmortization and the grid laid out and painted at once, as after a click.
void BM_CalcAmortizationPainted(benchmark::State &state)
{
    Fixture f(int(state.range(0)));
    for (auto _ : state) {
        f.page.CalcAmortization();
        f.grid->viewport()->repaint();
    }
}
BENCHMARK(BM_CalcAmortizationPainted)->Arg(360)->Arg(1200)->Unit(benchmark::kMicrosecond);

// Scrolling to the end of the schedule and painting it: texts are made on demand.
void BM_ScrollToEnd(benchmark::State &state)
{
    Fixture f(int(state.range(0)));
    for (auto _ : state) {
        f.grid->scrollToTop();
        f.grid->viewport()->repaint();
        f.grid->scrollToBottom();
        f.grid->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollToEnd)->Arg(360)->Arg(1200)->Unit(benchmark::kMicrosecond);

// Every shown text of the grid, as the amortization report reads them.
void BM_ReadAllTexts(benchmark::State &state)
{
    Fixture f(int(state.range(0)));
    const QAbstractItemModel *model = f.grid->model();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                chars += model->index(r, c).data().toString().size();
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_ReadAllTexts)->Arg(360)->Arg(1200)->Unit(benchmark::kMicrosecond);

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
