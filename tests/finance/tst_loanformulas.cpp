// The loan formulas and the rounding helpers.

#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <cmath>
#include <random>

using namespace clvn;
using namespace clvn::test;

class TestLoanFormulas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pinLocale(); }

    void formulas_data();
    void formulas() { checkRow(); }
    void interestRateUpdates();
    void interestRateRecoversRandomRates();
    void ordinaryInputs();
    void rounding_data();
    void rounding();
};

void TestLoanFormulas::formulas_data()
{
    addColumns();
    // CalcPayment: 40-digit decimal evaluation of L i / (1 - (1 + i)^-n).
    addRow("payment 7.5% 30y 100k", "699.2145", [] { return CalcPayment(360, 7.5 / 1200, 1e5); });
    addRow("payment 7% 810", "810.0000", [] { return CalcPayment(360, 7.0 / 1200, 121749.13); });
    addRow("payment zero rate", "250.0000", [] { return CalcPayment(360, 0, 90000); });
    addRow("payment zero rate uneven", "14.2857", [] { return CalcPayment(7, 0, 100); });
    addRow("payment zero term", "0.0000", [] { return CalcPayment(0, 0.01, 100000); });
    addRow("payment zero term and rate", "0.0000", [] { return CalcPayment(0, 0, 5); });
    // exp underflows to 0 here: underflow stays quiet and the payment is L * i.
    addRow("payment underflow is quiet", "100.0000", [] { return CalcPayment(100000, 0.1, 1000); });
    // CalcLoanAmount: 40-digit decimal evaluation of A (1 - q^-n) / r - B q^-n.
    addRow("loan 7% 30y 810", "121749.13", [] { return CalcLoanAmount(360, 810, 7, 0); });
    addRow("loan 7.5% 30y 699.21", "99999.36", [] { return CalcLoanAmount(360, 699.21, 7.5, 0); });
    addRow("loan 6% 5y balloon", "11035.34", [] { return CalcLoanAmount(60, 500, 6, 20000); });
    addRow("loan zero rate", "90000.00", [] { return CalcLoanAmount(360, 250, 0, 0); });
    addRow("loan zero rate, balance", "90000.00", [] { return CalcLoanAmount(360, 250, 0, 5000); });
    // CalcNumPayments: -ln(1 - r L / A) / ln(1 + r), 40-digit decimal.
    addRow("count 7.5% at 699.21", "360.009", [] { return CalcNumPayments(1e5, 699.21, 7.5); });
    addRow("count 7% at 1000", "150.518", [] { return CalcNumPayments(1e5, 1000, 7); });
    addRow("count interest only", "0.000", [] { return CalcNumPayments(120000, 600, 6); });
    addRow("count below interest", "0.000", [] { return CalcNumPayments(120000, 500, 6); });
    addRow("count zero rate", "2.500", [] { return CalcNumPayments(1000, 400, 0); });
    // 699.21 is 100000 at 7.5 % over 30 years in cents.
    addRow("rate 7.5% 30y", "7.5002", [] { return CalcInterestRate(360, 699.21, 0, 1e5); });
    addRow("rate zero term", "0.0000", [] { return CalcInterestRate(0, 699.21, 0, 1e5); });
    addRow("rate zero loan", "0.0000", [] { return CalcInterestRate(360, 699.21, 0, 0); });

    addRow("count A = 0", "ZeroDivide", [] { return CalcNumPayments(1000, 0, 7); });
    addRow("count A = 0, zero rate", "ZeroDivide", [] { return CalcNumPayments(1000, 0, 0); });
    addRow("count 0 / 0, zero rate", "InvalidOp", [] { return CalcNumPayments(0, 0, 0); });
    addRow("count log of 1 + r < 0", "InvalidOp", [] { return CalcNumPayments(1000, 100, -2400); });
    addRow("schedule n = 0", "ZeroDivide", [] { return SchedulePayment(0, 0.00625, 1e5); });
    addRow("schedule n = 0, zero rate", "ZeroDivide", [] { return SchedulePayment(0, 0, 1e5); });
    addRow("payment 1 - F = 0", "ZeroDivide", [] { return CalcPayment(360, 1e-17, 1e5); });
    addRow("payment log of 0", "InvalidOp", [] { return CalcPayment(360, -1, 1e5); });
    addRow("payment log of < 0", "InvalidOp", [] { return CalcPayment(360, -3, 1e5); });
    addRow("loan log of 0", "InvalidOp", [] { return CalcLoanAmount(360, 500, -1200, 0); });
    addRow("loan overflow", "Overflow", [] { return CalcLoanAmount(1200, 500, 1e6, 0); });
    addRow("rate iterate < -100%", "InvalidOp", [] { return CalcInterestRate(12, -1e6, 0, 1e3); });
    addRow("cents overflow", "Overflow", [] { return RoundCents(1e307); });
    addRow("cents NaN", "InvalidOp", [] { return RoundCents(qQNaN()); });
    addRow("half even infinity", "Overflow", [] { return RoundHalfEven(qInf(), 2); });
}

void TestLoanFormulas::interestRateUpdates()
{
    QCOMPARE(SolveInterestRate(360, 699.21, 0, 100000).updates, 7);
    QCOMPARE(SolveInterestRate(0, 699.21, 0, 100000).updates, 0);
    QCOMPARE(SolveInterestRate(360, 699.21, 0, 0).updates, 0);
    // A one-year loan converges too slowly for the 0.000001 stopping rule:
    // the solver gives up after 99 updates and returns the last iterate.
    const double payment = CalcPayment(12, 5.523 / 1200, 52765.2);
    const RateSolution capped = SolveInterestRate(12, payment, 0, 52765.2);
    QCOMPARE(capped.updates, 99);
    QVERIFY(std::isfinite(capped.rate) && capped.rate > 5.523);
    QCOMPARE(CalcInterestRate(12, payment, 0, 52765.2), capped.rate);
}

void TestLoanFormulas::interestRateRecoversRandomRates()
{
    // The stopping rule bounds the last step, not the error: for mortgage-like
    // terms the error stays below this absolute bound (percentage points).
    constexpr double kRateTolerance = 0.02;
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> term(60, 360), rateThousandths(3000, 15000),
        loanCents(1000000, 100000000);
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = term(rng);
        const double R = rateThousandths(rng) / 1000.0;
        const double L = loanCents(rng) / 100.0;
        const RateSolution got = SolveInterestRate(n, CalcPayment(n, R / 1200, L), 0, L);
        QVERIFY2(std::fabs(got.rate - R) <= kRateTolerance && got.updates < 99,
                 qPrintable(QString::asprintf("n=%d R=%g L=%.2f: %g after %d updates", n, R, L,
                                              got.rate, got.updates)));
    }
}

void TestLoanFormulas::ordinaryInputs()
{
    // Everyday figures, zero rates included: underflow and inexact results
    // never raise, SchedulePayment agrees with CalcPayment, and CalcLoanAmount
    // gives back the loan for the payment CalcPayment gives.
    for (int n : {1, 12, 60, 180, 360, 480, 1200})
        for (double R : {0.0, 0.125, 3.0, 7.5, 12.0, 29.99})
            for (double L : {0.0, 0.01, 1000.0, 100000.0, 9999999.99}) {
                const QString where = QStringLiteral("n=%1 R=%2 L=%3").arg(n).arg(R).arg(L);
                try {
                    const double A = CalcPayment(n, R / 1200, L);
                    QCOMPARE(SchedulePayment(n, R / 1200, L), A);
                    QVERIFY2(cents(CalcLoanAmount(n, A, R, 0)) == cents(L), qPrintable(where));
                    CalcLoanAmount(n, A, R, L / 10);
                    if (A > 0)
                        CalcNumPayments(L, A, R);
                    CalcInterestRate(n, A, 0, L);
                    RoundCents(A);
                    RoundHalfEven(A, 2);
                } catch (const FloatError &e) {
                    QFAIL(qPrintable(where + u' ' + QString::fromUtf8(e.what())));
                }
            }
}

// RoundCents is Int(x * 100 + 0.5) / 100 on the binary value (1.005 * 100 is
// just below 100.5), truncating negatives toward zero. RoundHalfEven judges
// ties on the shortest decimal text of x, then goes to the even digit.
void TestLoanFormulas::rounding_data()
{
    addColumns();
    addRow("cents third of 1750", "583.33", [] { return RoundCents(583.3333333); });
    addRow("cents half cent up", "0.01", [] { return RoundCents(0.005); });
    addRow("cents 1.125 up", "1.13", [] { return RoundCents(1.125); });
    addRow("cents 1.005 goes down", "1", [] { return RoundCents(1.005); });
    addRow("cents zero", "0", [] { return RoundCents(0); });
    addRow("cents negative toward zero", "-1.22", [] { return RoundCents(-1.234); });
    addRow("cents large", "123456789.99", [] { return RoundCents(123456789.994); });
    addRow("2.675 tie goes to 8", "2.68", [] { return RoundHalfEven(2.675, 2); });
    addRow("2.665 tie goes to 6", "2.66", [] { return RoundHalfEven(2.665, 2); });
    addRow("0.125 tie goes to 2", "0.12", [] { return RoundHalfEven(0.125, 2); });
    addRow("0.135 tie goes to 4", "0.14", [] { return RoundHalfEven(0.135, 2); });
    addRow("2.5 to 2", "2", [] { return RoundHalfEven(2.5, 0); });
    addRow("-2.5 to -2", "-2", [] { return RoundHalfEven(-2.5, 0); });
    addRow("-2.675 to -2.68", "-2.68", [] { return RoundHalfEven(-2.675, 2); });
    addRow("above tie goes up", "2.67", [] { return RoundHalfEven(2.6651, 2); });
    addRow("carry 9.995", "10", [] { return RoundHalfEven(9.995, 2); });
    addRow("carry 99.5", "100", [] { return RoundHalfEven(99.5, 0); });
    addRow("0.5 to 0", "0", [] { return RoundHalfEven(0.5, 0); });
    addRow("0.004 to 0", "0", [] { return RoundHalfEven(0.004, 2); });
    addRow("already fewer decimals", "123.456", [] { return RoundHalfEven(123.456, 5); });
    addRow("1250 to hundreds", "1200", [] { return RoundHalfEven(1250, -2); });
    addRow("1350 to hundreds", "1400", [] { return RoundHalfEven(1350, -2); });
    addRow("tiny above tie", "0.13", [] { return RoundHalfEven(0.12500000000000003, 2); });
}

void TestLoanFormulas::rounding()
{
    QFETCH(Formula, f);
    QFETCH(QString, expected);
    // The shortest text that reads back as the result: exact, and "-0" would
    // show a negative zero.
    QCOMPARE(QString::number(f(), 'g', QLocale::FloatingPointShortest), expected);
}

QTEST_GUILESS_MAIN(TestLoanFormulas)
#include "tst_loanformulas.moc"
