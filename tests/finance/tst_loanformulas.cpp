// The loan, growth and payoff formulas, the rounding helpers and the whole-number rule.
// Reference figures: 40-digit decimal evaluation (mpmath) of the closed forms.

#include "finance/Growth.h"
#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"

#include <cmath>
#include <random>

using namespace clvn;
using namespace clvn::test;

namespace {
// The shortest text that reads back as x: exact, and "-0" would show a negative zero.
Text shortest(double (*f)(double, int), double x, int decimals)
{
    return [=] { return QString::number(f(x, decimals), 'g', QLocale::FloatingPointShortest); };
}
constexpr double kRateTolerance = 1e-9; // absolute, annual rate in percent
constexpr int kNewtonSteps = 8;         // Newton from the simple-interest estimate needs fewer
constexpr auto cents2 = +[](double x, int) { return RoundCents(x); };
} // namespace

class TestLoanFormulas : public QObject
{
    Q_OBJECT

private slots:
    void formulas_data();
    void formulas() { checkRow(); }
    void randomAndOrdinaryLoans();
};

void TestLoanFormulas::formulas_data()
{
    addColumns();
    addRow("payment 7.5% 30y 100k", "699.2145", [] { return CalcPayment(360, 7.5 / 1200, 1e5); });
    addRow("payment zero rate", "250.0000", [] { return CalcPayment(360, 0, 90000); });
    addRow("payment zero term", "0.0000", [] { return CalcPayment(0, 0.01, 100000); });
    // exp underflows to 0 here: underflow stays quiet and the payment is L * i.
    addRow("payment underflow is quiet", "100.0000", [] { return CalcPayment(100000, 0.1, 1000); });
    addRow("loan 7% 30y 810", "121749.13", [] { return CalcLoanAmount(360, 810, 7, 0); });
    addRow("loan 6% 5y balloon", "11035.34", [] { return CalcLoanAmount(60, 500, 6, 20000); });
    addRow("loan zero rate", "90000.00", [] { return CalcLoanAmount(360, 250, 0, 0); });
    addRow("loan zero rate, balance", "90000.00", [] { return CalcLoanAmount(360, 250, 0, 5000); });
    addRow("count 7.5% at 699.21", "360.009", [] { return CalcNumPayments(1e5, 699.21, 7.5); });
    addRow("count interest only", "0.000", [] { return CalcNumPayments(120000, 600, 6); });
    addRow("count zero rate", "2.500", [] { return CalcNumPayments(1000, 400, 0); });
    // The rate is solved to full precision: 699.21 is a hair under 7.5 %'s 699.2145.
    addRow("rate 7.5% 30y", "7.499934", [] { return CalcInterestRate(360, 699.21, 0, 1e5); });
    addRow("rate 2.875% 15y", "2.875023", [] { return CalcInterestRate(180, 1971.61, 0, 288e3); });
    addRow("rate 1.252% 30y", "1.251738", [] { return CalcInterestRate(360, 1000, 0, 300e3); });
    addRow("rate one-year loan", "5.523000",
           [] { return CalcInterestRate(12, CalcPayment(12, 5.523 / 1200, 52765.2), 0, 52765.2); });
    addRow("rate 100% a month", "1200.000000", [] { return CalcInterestRate(360, 1e3, 0, 1e3); });
    // Payments that only just repay the loan have no positive rate; less never repay it.
    addRow("rate payments equal the loan", "0.000",
           [] { return CalcInterestRate(360, 250, 0, 9e4); });
    addRow("rate payments below the loan", "InvalidOp",
           [] { return CalcInterestRate(360, 500, 0, 288e3); });
    addRow("rate zero term", "0.0000", [] { return CalcInterestRate(0, 699.21, 0, 1e5); });
    addRow("whole negative zero", "0", [] { return WholeNumber(-0.0); });
    addRow("whole -2", "-2", [] { return WholeNumber(-2); });
    addRow("whole largest int32", "2147483647", [] { return WholeNumber(2147483647.0); });
    addRow("repaid k = 0", "0.00", [] { return PrincipalRepaid(0, 699.21, 7.5, 1e5); });
    addRow("repaid first payment", "74.21", [] { return PrincipalRepaid(1, 699.21, 7.5, 1e5); });
    addRow("repaid first year", "921.78", [] { return PrincipalRepaid(12, 699.21, 7.5, 1e5); });
    addRow("repaid zero rate", "6000.00", [] { return PrincipalRepaid(12, 500, 0, 1e5); });
    // The whole term of a level payment repays the loan, at the cap of 1200 payments too.
    addRow("repaid at the cap", "250000.00",
           [] { return PrincipalRepaid(1200, CalcPayment(1200, 7.5 / 1200, 25e4), 7.5, 25e4); });
    // TotalRent: 12000 + 12600 + 13230 for three years at 5 %.
    addRow("rent zero years is one", "12000.00", [] { return TotalRent(0, 5, 1000); });
    addRow("rent three years flat", "30600.00", [] { return TotalRent(3, 0, 850); });
    addRow("rent three years at 5%", "37830.00", [] { return TotalRent(3, 5, 1000); });
    addRow("rent at the cap", "1200000.00", [] { return TotalRent(100, 0, 1000); });
    addRow("compounded zero years", "0.00", [] { return CompoundedTotal(0, 4, 1e5); });
    addRow("compounded ten years at 3%", "68783.28", [] { return CompoundedTotal(10, 3, 2e5); });
    addRow("future monthly", "1061.68", [] { return FutureValueAt("Monthly", 0, 12, 6, 1000); });
    addRow("future annually", "1102.50", [] { return FutureValueAt("Annually", 0, 24, 5, 1000); });
    addRow("future quarterly", "1082.43", [] { return FutureValueAt("Quarterly", 0, 12, 8, 1e3); });
    addRow("future daily", "1051.27", [] { return FutureValueAt("Daily", 0, 12, 5, 1000); });
    addRow("future deposits", "1233.56", [] { return FutureValueAt("Monthly", 100, 12, 6, 0); });
    addRow("present 7.5% 699.21", "99999.36", [] { return PaymentPresentValue(30, 7.5, 699.21); });
    addRow("count in range", "42", [] { return WholeCount(42, 0, 100, "count"); });
    addRow("count negative zero", "0", [] { return WholeCount(-0.0, 0, 100, "count"); });
    // RoundCents is Int(x * 100 + 0.5) / 100 on the binary value (1.005 * 100 is just below
    // 100.5), negatives toward zero; RoundHalfEven judges ties on x's shortest text.
    addText("cents half cent up", "0.01", shortest(cents2, 0.005, 2));
    addText("cents 1.005 goes down", "1", shortest(cents2, 1.005, 2));
    addText("cents negative toward zero", "-1.22", shortest(cents2, -1.234, 2));
    addText("cents large", "123456789.99", shortest(cents2, 123456789.994, 2));
    addText("2.675 tie goes to 8", "2.68", shortest(RoundHalfEven, 2.675, 2));
    addText("2.665 tie goes to 6", "2.66", shortest(RoundHalfEven, 2.665, 2));
    addText("-2.5 to -2", "-2", shortest(RoundHalfEven, -2.5, 0));
    addText("-2.675 to -2.68", "-2.68", shortest(RoundHalfEven, -2.675, 2));
    addText("above tie goes up", "2.67", shortest(RoundHalfEven, 2.6651, 2));
    addText("carry 9.995", "10", shortest(RoundHalfEven, 9.995, 2));
    addText("already fewer decimals", "123.456", shortest(RoundHalfEven, 123.456, 5));
    addText("1250 to hundreds", "1200", shortest(RoundHalfEven, 1250, -2));
    // The first digit kept is the one that rounds up.
    addText("0.006 to cents", "0.01", shortest(RoundHalfEven, 0.006, 2));
    addText("0.6 to whole", "1", shortest(RoundHalfEven, 0.6, 0));
    addText("600 to thousands", "1000", shortest(RoundHalfEven, 600, -3));
    addText("tiny above tie", "0.13", shortest(RoundHalfEven, 0.12500000000000003, 2));
    // Failures.
    addRow("count A = 0", "ZeroDivide", [] { return CalcNumPayments(1000, 0, 7); });
    addRow("count A = 0, zero rate", "ZeroDivide", [] { return CalcNumPayments(1000, 0, 0); });
    addRow("count 0 / 0, zero rate", "InvalidOp", [] { return CalcNumPayments(0, 0, 0); });
    addRow("count log of 1 + r < 0", "InvalidOp", [] { return CalcNumPayments(1000, 100, -2400); });
    addRow("schedule n = 0", "ZeroDivide", [] { return SchedulePayment(0, 0.00625, 1e5); });
    addRow("schedule n = 0, zero rate", "ZeroDivide", [] { return SchedulePayment(0, 0, 1e5); });
    addRow("payment 1 - F = 0", "ZeroDivide", [] { return CalcPayment(360, 1e-17, 1e5); });
    addRow("payment log of 0", "InvalidOp", [] { return CalcPayment(360, -1, 1e5); });
    addRow("loan log of 0", "InvalidOp", [] { return CalcLoanAmount(360, 500, -1200, 0); });
    addRow("loan overflow", "Overflow", [] { return CalcLoanAmount(1200, 500, 1e6, 0); });
    addRow("rate negative payment", "InvalidOp", [] { return CalcInterestRate(12, -1e6, 0, 1e3); });
    addRow("cents overflow", "Overflow", [] { return RoundCents(1e307); });
    addRow("cents NaN", "InvalidOp", [] { return RoundCents(qQNaN()); });
    addRow("half even infinity", "Overflow", [] { return RoundHalfEven(qInf(), 2); });
    addRow("whole 2.5", "ConvertError", [] { return WholeNumber(2.5); });
    addRow("whole (0.1 + 0.2) * 10", "ConvertError", [] { return WholeNumber((0.1 + 0.2) * 10); });
    addRow("whole beyond int32", "ConvertError", [] { return WholeNumber(3e9); });
    addRow("rent 2.5 years", "ConvertError", [] { return TotalRent(2.5, 3, 1000); });
    addRow("compounded half year", "ConvertError", [] { return CompoundedTotal(0.5, 3, 1000); });
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
    // Beyond the caps the loops would run for seconds or hours; they are refused at once.
    addRow("repaid above the cap", "Overflow", [] { return PrincipalRepaid(1201, 700, 7.5, 1e5); });
    addRow("rent above the cap", "Overflow", [] { return TotalRent(101, 0, 1000); });
    addRow("compounded above the cap", "Overflow", [] { return CompoundedTotal(101, 0, 1); });
    addRow("count below", "InvalidOp", [] { return WholeCount(-1, 0, 100, "count"); });
    addRow("count above", "Overflow", [] { return WholeCount(101, 0, 100, "count"); });
    addRow("count fractional", "ConvertError", [] { return WholeCount(12.5, 0, 100, "n"); });
    // The refusal says what was refused and why, for whoever reads the error.
    addText("count refusal names the value",
            "invalid floating point operation in years before the move 0 outside 1..100",
            [] { return message([] { WholeCount(0, 1, 100, "years before the move"); }); });
}

// Everyday figures raise nothing, the formulas and schedules agree; the rate solver recovers
// random rates to far better than the third decimal it is shown with, in a few steps.
void TestLoanFormulas::randomAndOrdinaryLoans()
{
    for (int n : {1, 12, 60, 180, 360, 480, 1200})
        for (double R : {0.0, 0.125, 3.0, 7.5, 12.0, 29.99})
            for (double L : {0.0, 0.01, 1000.0, 100000.0, 9999999.99}) {
                const QString where = QStringLiteral("n=%1 R=%2 L=%3").arg(n).arg(R).arg(L);
                try {
                    const double A = CalcPayment(n, R / 1200, L);
                    QCOMPARE(SchedulePayment(n, R / 1200, L), A);
                    QVERIFY2(cents(CalcLoanAmount(n, A, R, 0)) == cents(L), qPrintable(where));
                    CalcLoanAmount(n, A, R, L / 10);
                    CalcNumPayments(L, A > 0 ? A : 1, R);
                    CalcInterestRate(n, A, 0, L);
                    RoundHalfEven(RoundCents(A), 2);
                    // The schedule's rows and its last balance repay the loan to the cent.
                    TMortgage m;
                    m.Create(n, L, R / 100, 12);
                    qint64 repaid = 0, interest = 0;
                    for (const TPayment &row : m.Payments()) {
                        repaid += cents(row.Principal);
                        interest += cents(row.Interest);
                        QVERIFY2(cents(row.PrincipalToDate) == repaid &&
                                     cents(row.InterestToDate) == interest,
                                 qPrintable(where));
                    }
                    QVERIFY2(repaid + cents(m.Payments().back().Balance) == cents(L),
                             qPrintable(where));
                } catch (const FloatError &e) {
                    QFAIL(qPrintable(where + u' ' + QString::fromUtf8(e.what())));
                }
            }
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> term(60, 360), thousandths(3000, 15000),
        loanCents(1000000, 100000000);
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = term(rng);
        const double R = thousandths(rng) / 1000.0, L = loanCents(rng) / 100.0;
        const RateSolution got = SolveInterestRate(n, CalcPayment(n, R / 1200, L), 0, L);
        QVERIFY2(std::fabs(got.rate - R) <= kRateTolerance && got.updates <= kNewtonSteps,
                 qPrintable(QString::asprintf("n=%d R=%g L=%.2f: %g", n, R, L, got.rate)));
    }
}

QTEST_GUILESS_MAIN(TestLoanFormulas)
#include "tst_loanformulas.moc"
