// The growth and payoff formulas and the whole-number rule for year counts.

#include "finance/Growth.h"
#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <cmath>

using namespace clvn;
using namespace clvn::test;

class TestGrowth : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pinLocale(); }

    void formulas_data();
    void formulas() { checkRow(); }
    void principalRepaidAgainstLoans();
};

void TestGrowth::formulas_data()
{
    addColumns();
    addRow("whole 3", "3", [] { return WholeNumber(3); });
    addRow("whole 0", "0", [] { return WholeNumber(0); });
    addRow("whole negative zero", "0", [] { return WholeNumber(-0.0); });
    addRow("whole -2", "-2", [] { return WholeNumber(-2); });
    addRow("whole a million reads as digits", "1000000", [] { return WholeNumber(1e6); });
    addRow("whole largest int32", "2147483647", [] { return WholeNumber(2147483647.0); });
    addRow("whole 2.5", "ConvertError", [] { return WholeNumber(2.5); });
    addRow("whole (0.1 + 0.2) * 10", "ConvertError", [] { return WholeNumber((0.1 + 0.2) * 10); });
    addRow("whole beyond int32", "ConvertError", [] { return WholeNumber(3e9); });
    addRow("whole 1e20", "ConvertError", [] { return WholeNumber(1e20); });
    addRow("whole NaN", "ConvertError", [] { return WholeNumber(qQNaN()); });
    addRow("whole infinity", "ConvertError", [] { return WholeNumber(qInf()); });
    // PrincipalRepaid: the same steps in 40-digit decimal arithmetic.
    addRow("repaid k = 0", "0.00", [] { return PrincipalRepaid(0, 699.21, 7.5, 1e5); });
    addRow("repaid negative k", "0.00", [] { return PrincipalRepaid(-3, 699.21, 7.5, 1e5); });
    addRow("repaid first payment", "74.21", [] { return PrincipalRepaid(1, 699.21, 7.5, 1e5); });
    addRow("repaid first year", "921.78", [] { return PrincipalRepaid(12, 699.21, 7.5, 1e5); });
    addRow("repaid zero rate", "6000.00", [] { return PrincipalRepaid(12, 500, 0, 1e5); });
    // TotalRent: 12000 + 12600 + 13230 for three years at 5 %.
    addRow("rent one year", "12000.00", [] { return TotalRent(1, 5, 1000); });
    addRow("rent zero years is one", "12000.00", [] { return TotalRent(0, 5, 1000); });
    addRow("rent negative years is one", "12000.00", [] { return TotalRent(-4, 5, 1000); });
    addRow("rent three years flat", "30600.00", [] { return TotalRent(3, 0, 850); });
    addRow("rent three years at 5%", "37830.00", [] { return TotalRent(3, 5, 1000); });
    addRow("rent 2.5 years", "ConvertError", [] { return TotalRent(2.5, 3, 1000); });
    // CompoundedTotal: V ((1 + c/100)^Y - 1) in 40-digit decimal arithmetic.
    addRow("compounded one year", "4000.00", [] { return CompoundedTotal(1, 4, 1e5); });
    addRow("compounded zero years", "0.00", [] { return CompoundedTotal(0, 4, 1e5); });
    addRow("compounded ten years at 3%", "68783.28", [] { return CompoundedTotal(10, 3, 2e5); });
    addRow("compounded half year", "ConvertError", [] { return CompoundedTotal(0.5, 3, 1000); });
    // FutureValueAt: principal q^N + (q^N - 1) / i * 12 deposit, 40-digit decimal.
    addRow("future monthly", "1061.68", [] { return FutureValueAt("Monthly", 0, 12, 6, 1000); });
    addRow("future annually", "1102.50", [] { return FutureValueAt("Annually", 0, 24, 5, 1000); });
    addRow("future quarterly", "1082.43", [] { return FutureValueAt("Quarterly", 0, 12, 8, 1e3); });
    addRow("future daily", "1051.27", [] { return FutureValueAt("Daily", 0, 12, 5, 1000); });
    addRow("future deposits", "1233.56", [] { return FutureValueAt("Monthly", 100, 12, 6, 0); });
    // PaymentPresentValue: (1 - (1 + r/1200)^-12y) / (r/1200) * M, 40-digit decimal.
    addRow("present 7% 810", "121749.13", [] { return PaymentPresentValue(30, 7, 810); });
    addRow("present 7.5% 699.21", "99999.36", [] { return PaymentPresentValue(30, 7.5, 699.21); });
    // FutureValueAt with a deposit of 100 and a principal of 1000 over a year.
    static constexpr auto fv = [](const char *name, double rate) {
        return FutureValueAt(name, 100, 12, rate, 1000);
    };
    addRow("unknown frequency", "ZeroDivide", [] { return fv("Weekly", 6); });
    addRow("names match exactly", "ZeroDivide", [] { return fv("monthly", 6); });
    addRow("unknown frequency at 0%", "InvalidOp", [] { return fv("Weekly", 0); });
    addRow("monthly 0 / 0 at 0%", "InvalidOp", [] { return fv("Monthly", 0); });
    addRow("rate of -100% a period", "InvalidOp", [] { return fv("Annually", -100); });
    addRow("present value at 0%", "InvalidOp", [] { return PaymentPresentValue(30, 0, 810); });
    addRow("rent overflows", "Overflow", [] { return TotalRent(1e6, 1e3, 1e3); });
    addRow("compounding overflows", "Overflow", [] { return CompoundedTotal(1e6, 1e3, 1e3); });
    addRow("repaid overflows", "Overflow", [] { return PrincipalRepaid(1000000, 700, -1e6, 1e5); });
}

void TestGrowth::principalRepaidAgainstLoans()
{
    constexpr double kNoise = 1e-6, kCent = 0.01; // absolute, currency units
    // The whole term of the exact level payment repays the whole loan.
    for (double R : {3.0, 7.5, 12.0}) {
        const double A = CalcPayment(360, R / 1200, 250000);
        QVERIFY(std::fabs(PrincipalRepaid(360, A, R, 250000) - 250000) < kNoise);
    }
    // Unrounded interest drifts from the schedule's cents, by less than a cent in a year.
    TMortgage m;
    m.Create(360, 100000, 0.075, 12);
    const double drift =
        m.Payments()[11].PrincipalToDate - PrincipalRepaid(12, m.Payment(), 7.5, 1e5);
    QVERIFY(drift != 0 && std::fabs(drift) < kCent);
}

QTEST_GUILESS_MAIN(TestGrowth)
#include "tst_growth.moc"
