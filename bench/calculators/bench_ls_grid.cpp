// How long the Loan Spread page takes to build its whole grid in each mode:
// the 77 figures (the rate mode solving 77 rates), their texts, the cells and
// the page's calculated fields; and the table's arithmetic alone. Runs
// offscreen.

#include "calculators/CalculatorHost.h"
#include "calculators/LsPage.h"
#include "finance/LoanSpread.h"
#include "finance/MortLib.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"

#include <QApplication>
#include <QRadioButton>
#include <QTableWidget>
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

// ChooseLoanSpreadCalculator in mode state.range(0), nothing painted.
void BM_BuildSpreadGrid(benchmark::State &state)
{
    BenchHost host;
    clvn::LsPage page(host);
    page.show();
    page.enter();
    page.findChild<QRadioButton *>(QStringLiteral("rgCalculateItem%1").arg(state.range(0)))
        ->click();
    QApplication::processEvents();
    for (auto _ : state) {
        page.ChooseLoanSpreadCalculator();
        benchmark::DoNotOptimize(page.grid()->item(6, 4)->text().size());
    }
}
BENCHMARK(BM_BuildSpreadGrid)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The build with the grid painted at once, as after leaving a field.
void BM_BuildSpreadGridPainted(benchmark::State &state)
{
    BenchHost host;
    clvn::LsPage page(host);
    page.show();
    page.enter();
    page.findChild<QRadioButton *>(QStringLiteral("rgCalculateItem%1").arg(state.range(0)))
        ->click();
    QApplication::processEvents();
    for (auto _ : state) {
        page.ChooseLoanSpreadCalculator();
        page.grid()->viewport()->repaint();
    }
}
BENCHMARK(BM_BuildSpreadGridPainted)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The table's arithmetic alone, at the start loan.
void BM_BuildSpreadTable(benchmark::State &state)
{
    clvn::SpreadInputs in;
    in.mode = clvn::SpreadMode(state.range(0));
    in.loan = 100000;
    in.ratePercent = 8.75;
    in.term = 360;
    in.payment = 786.7;
    in.loanStep = 1000;
    in.rateStep = 0.5;
    in.paymentStep = 75;
    for (auto _ : state)
        benchmark::DoNotOptimize(clvn::BuildSpreadTable(in).calculated);
}
BENCHMARK(BM_BuildSpreadTable)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

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
