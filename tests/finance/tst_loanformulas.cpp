// The loan formulas and the rounding helpers.

#include "finance/Errors.h"
#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

using clvn::FloatError;
using clvn::test::cents;
using clvn::test::floatErrorOf;
using Kind = FloatError::Kind;

namespace {

// Which formula a failure row calls; the inputs come from the table so that
// the compiler cannot fold the faulting arithmetic away.
enum class Call
{
    Payment,
    SchedulePayment,
    LoanAmount,
    NumPayments,
    InterestRate,
    RoundCents,
    RoundHalfEven
};

double invoke(Call call, double a, double b, double c, double d)
{
    const auto n = static_cast<std::int32_t>(a);
    switch (call) {
    case Call::Payment:
        return clvn::CalcPayment(n, b, c);
    case Call::SchedulePayment:
        return clvn::SchedulePayment(n, b, c);
    case Call::LoanAmount:
        return clvn::CalcLoanAmount(n, b, c, d);
    case Call::NumPayments:
        return clvn::CalcNumPayments(a, b, c);
    case Call::InterestRate:
        return clvn::CalcInterestRate(n, b, c, d);
    case Call::RoundCents:
        return clvn::RoundCents(a);
    case Call::RoundHalfEven:
        return clvn::RoundHalfEven(a, static_cast<int>(b));
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Call)

class TestLoanFormulas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }

    void calcPayment_data();
    void calcPayment();
    void schedulePaymentMatchesCalcPayment();
    void loanAmount_data();
    void loanAmount();
    void loanAmountInvertsPayment_data();
    void loanAmountInvertsPayment();
    void numPayments_data();
    void numPayments();
    void interestRate_data();
    void interestRate();
    void interestRateUpdateCap();
    void interestRateRecoversRate();
    void failures_data();
    void failures();
    void ordinaryInputsNeverRaise();
    void roundCents_data();
    void roundCents();
    void roundHalfEven_data();
    void roundHalfEven();
};

// Reference figures: evaluated independently with 40-digit decimal arithmetic
// (Python's decimal module) from the annuity formula L * i / (1 - (1 + i)^-n).
void TestLoanFormulas::calcPayment_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("i");
    QTest::addColumn<double>("L");
    QTest::addColumn<qint64>("tenThousandths"); // result truncated to 1/10000

    QTest::newRow("7.5% 30y 100k") << 360 << 7.5 / 1200 << 100000.0 << qint64(6992145);
    QTest::newRow("7% 30y 121749.13") << 360 << 7.0 / 1200 << 121749.13 << qint64(8099999);
    QTest::newRow("zero rate divides evenly") << 360 << 0.0 << 90000.0 << qint64(2500000);
    QTest::newRow("zero rate uneven") << 7 << 0.0 << 100.0 << qint64(142857);
    QTest::newRow("zero term gives 0") << 0 << 0.01 << 100000.0 << qint64(0);
    QTest::newRow("zero term zero rate gives 0") << 0 << 0.0 << 5.0 << qint64(0);
    // exp underflows to 0 here: underflow must stay quiet, the payment is L * i.
    QTest::newRow("underflow is quiet") << 100000 << 0.1 << 1000.0 << qint64(1000000);
}

void TestLoanFormulas::calcPayment()
{
    QFETCH(int, n);
    QFETCH(double, i);
    QFETCH(double, L);
    QFETCH(qint64, tenThousandths);
    const double payment = clvn::CalcPayment(n, i, L);
    QCOMPARE(static_cast<qint64>(std::floor(payment * 10000 + 1e-9)), tenThousandths);
}

void TestLoanFormulas::schedulePaymentMatchesCalcPayment()
{
    for (int n : {1, 12, 180, 360, 480})
        for (double rate : {0.0, 3.25, 7.5, 18.0})
            QCOMPARE(clvn::SchedulePayment(n, rate / 1200, 250000.0),
                     clvn::CalcPayment(n, rate / 1200, 250000.0));
}

// Reference figures: 40-digit decimal evaluation of A (1 - q^-n) / r - B q^-n.
void TestLoanFormulas::loanAmount_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("A");
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("B");
    QTest::addColumn<qint64>("expectedCents");

    QTest::newRow("7% 30y 810") << 360 << 810.0 << 7.0 << 0.0 << qint64(12174913);
    QTest::newRow("7.5% 30y 699.21") << 360 << 699.21 << 7.5 << 0.0 << qint64(9999936);
    QTest::newRow("6% 5y balloon 20000") << 60 << 500.0 << 6.0 << 20000.0 << qint64(1103534);
    QTest::newRow("zero rate is n * A") << 360 << 250.0 << 0.0 << 0.0 << qint64(9000000);
    QTest::newRow("zero rate ignores balance") << 360 << 250.0 << 0.0 << 5000.0 << qint64(9000000);
}

void TestLoanFormulas::loanAmount()
{
    QFETCH(int, n);
    QFETCH(double, A);
    QFETCH(double, R);
    QFETCH(double, B);
    QFETCH(qint64, expectedCents);
    QCOMPARE(cents(clvn::CalcLoanAmount(n, A, R, B)), expectedCents);
}

void TestLoanFormulas::loanAmountInvertsPayment_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("L");

    QTest::newRow("7.5% 30y 100k") << 360 << 7.5 << 100000.0;
    QTest::newRow("3.125% 15y 425k") << 180 << 3.125 << 425000.0;
    QTest::newRow("12% 1y 5k") << 12 << 12.0 << 5000.0;
    QTest::newRow("0% 10y 60k") << 120 << 0.0 << 60000.0;
    QTest::newRow("18% 40y 1.5m") << 480 << 18.0 << 1500000.0;
}

void TestLoanFormulas::loanAmountInvertsPayment()
{
    QFETCH(int, n);
    QFETCH(double, R);
    QFETCH(double, L);
    const double payment = clvn::CalcPayment(n, R / 1200, L);
    QCOMPARE(cents(clvn::CalcLoanAmount(n, payment, R, 0)), cents(L));
}

// Reference figures: -ln(1 - r L / A) / ln(1 + r), 40-digit decimal.
void TestLoanFormulas::numPayments_data()
{
    QTest::addColumn<double>("L");
    QTest::addColumn<double>("A");
    QTest::addColumn<double>("R");
    QTest::addColumn<qint64>("thousandths"); // months, rounded to 1/1000

    QTest::newRow("7.5% 100k at 699.21") << 100000.0 << 699.21 << 7.5 << qint64(360009);
    QTest::newRow("7% 100k at 1000") << 100000.0 << 1000.0 << 7.0 << qint64(150518);
    QTest::newRow("interest only gives 0") << 120000.0 << 600.0 << 6.0 << qint64(0);
    QTest::newRow("below interest gives 0") << 120000.0 << 500.0 << 6.0 << qint64(0);
    QTest::newRow("zero rate need not be whole") << 1000.0 << 400.0 << 0.0 << qint64(2500);
}

void TestLoanFormulas::numPayments()
{
    QFETCH(double, L);
    QFETCH(double, A);
    QFETCH(double, R);
    QFETCH(qint64, thousandths);
    QCOMPARE(qRound64(clvn::CalcNumPayments(L, A, R) * 1000), thousandths);
}

// Reference figures: 699.21 is 100000 at 7.5 % over 30 years rounded to
// cents; the iteration from 10.0 settles after 7 updates at 7.5002 %.
void TestLoanFormulas::interestRate_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("A");
    QTest::addColumn<double>("V");
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<int>("updates");

    QTest::newRow("7.5% 30y 100k") << 360 << 699.21 << 100000.0 << qint64(75002) << 7;
    QTest::newRow("zero term gives 0") << 0 << 699.21 << 100000.0 << qint64(0) << 0;
    QTest::newRow("zero loan gives 0") << 360 << 699.21 << 0.0 << qint64(0) << 0;
}

void TestLoanFormulas::interestRate()
{
    QFETCH(int, n);
    QFETCH(double, A);
    QFETCH(double, V);
    QFETCH(qint64, tenThousandths);
    QFETCH(int, updates);
    const clvn::RateSolution solution = clvn::SolveInterestRate(n, A, 0, V);
    QCOMPARE(qRound64(solution.rate * 10000), tenThousandths);
    QCOMPARE(solution.updates, updates);
    QCOMPARE(clvn::CalcInterestRate(n, A, 0, V), solution.rate);
}

void TestLoanFormulas::interestRateUpdateCap()
{
    // A one-year loan converges too slowly for the 0.000001 stopping rule:
    // the solver gives up after 99 updates and returns the last iterate.
    const double payment = clvn::CalcPayment(12, 5.523 / 1200, 52765.2);
    const clvn::RateSolution solution = clvn::SolveInterestRate(12, payment, 0, 52765.2);
    QCOMPARE(solution.updates, 99);
    QVERIFY(std::isfinite(solution.rate));
    QVERIFY(solution.rate > 5.523);
}

void TestLoanFormulas::interestRateRecoversRate()
{
    // The stopping rule bounds the last step, not the error: for mortgage-like
    // terms the error stays below this absolute bound (percentage points).
    constexpr double kRateTolerance = 0.02;
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> term(60, 360);
    std::uniform_int_distribution<int> rateThousandths(3000, 15000);
    std::uniform_int_distribution<int> loanCents(1000000, 100000000);
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = term(rng);
        const double R = rateThousandths(rng) / 1000.0;
        const double L = loanCents(rng) / 100.0;
        const double A = clvn::CalcPayment(n, R / 1200, L);
        const clvn::RateSolution solution = clvn::SolveInterestRate(n, A, 0, L);
        if (std::fabs(solution.rate - R) > kRateTolerance || solution.updates >= 99)
            QFAIL(qPrintable(QStringLiteral("n=%1 R=%2 L=%3: got %4 after %5 updates")
                                 .arg(n)
                                 .arg(R)
                                 .arg(L)
                                 .arg(solution.rate)
                                 .arg(solution.updates)));
    }
}

void TestLoanFormulas::failures_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("d");
    QTest::addColumn<Kind>("kind");

    QTest::newRow("NumPayments A = 0")
        << Call::NumPayments << 1000.0 << 0.0 << 7.0 << 0.0 << Kind::ZeroDivide;
    QTest::newRow("NumPayments A = 0 at zero rate")
        << Call::NumPayments << 1000.0 << 0.0 << 0.0 << 0.0 << Kind::ZeroDivide;
    QTest::newRow("NumPayments 0 / 0 at zero rate")
        << Call::NumPayments << 0.0 << 0.0 << 0.0 << 0.0 << Kind::InvalidOp;
    QTest::newRow("NumPayments log of negative 1 + r")
        << Call::NumPayments << 1000.0 << 100.0 << -2400.0 << 0.0 << Kind::InvalidOp;
    QTest::newRow("SchedulePayment n = 0")
        << Call::SchedulePayment << 0.0 << 0.00625 << 100000.0 << 0.0 << Kind::ZeroDivide;
    QTest::newRow("SchedulePayment n = 0 zero rate")
        << Call::SchedulePayment << 0.0 << 0.0 << 100000.0 << 0.0 << Kind::ZeroDivide;
    QTest::newRow("Payment 1 - F = 0")
        << Call::Payment << 360.0 << 1e-17 << 100000.0 << 0.0 << Kind::ZeroDivide;
    QTest::newRow("Payment log of 0")
        << Call::Payment << 360.0 << -1.0 << 100000.0 << 0.0 << Kind::InvalidOp;
    QTest::newRow("Payment log of negative")
        << Call::Payment << 360.0 << -3.0 << 100000.0 << 0.0 << Kind::InvalidOp;
    QTest::newRow("LoanAmount log of 0")
        << Call::LoanAmount << 360.0 << 500.0 << -1200.0 << 0.0 << Kind::InvalidOp;
    QTest::newRow("LoanAmount overflow")
        << Call::LoanAmount << 1200.0 << 500.0 << 1e6 << 0.0 << Kind::Overflow;
    QTest::newRow("InterestRate iterate below -100%")
        << Call::InterestRate << 12.0 << -1e6 << 0.0 << 1000.0 << Kind::InvalidOp;
    QTest::newRow("RoundCents overflow")
        << Call::RoundCents << 1e307 << 0.0 << 0.0 << 0.0 << Kind::Overflow;
    QTest::newRow("RoundCents NaN") << Call::RoundCents << std::numeric_limits<double>::quiet_NaN()
                                    << 0.0 << 0.0 << 0.0 << Kind::InvalidOp;
    QTest::newRow("RoundHalfEven infinity")
        << Call::RoundHalfEven << std::numeric_limits<double>::infinity() << 2.0 << 0.0 << 0.0
        << Kind::Overflow;
}

void TestLoanFormulas::failures()
{
    QFETCH(Call, call);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(double, d);
    QFETCH(Kind, kind);
    const auto thrown = floatErrorOf([&] { invoke(call, a, b, c, d); });
    QVERIFY2(thrown.has_value(), "no FloatError");
    QCOMPARE(static_cast<int>(*thrown), static_cast<int>(kind));
}

void TestLoanFormulas::ordinaryInputsNeverRaise()
{
    // Every formula over a grid of everyday figures, zero rates included:
    // underflow and inexact results must never surface as errors.
    for (int n : {1, 12, 60, 180, 360, 480, 1200})
        for (double R : {0.0, 0.125, 3.0, 7.5, 12.0, 29.99})
            for (double L : {0.0, 0.01, 1000.0, 100000.0, 9999999.99}) {
                const auto thrown = floatErrorOf([&] {
                    const double A = clvn::CalcPayment(n, R / 1200, L);
                    clvn::SchedulePayment(n, R / 1200, L);
                    clvn::CalcLoanAmount(n, A, R, 0);
                    clvn::CalcLoanAmount(n, A, R, L / 10);
                    if (A > 0)
                        clvn::CalcNumPayments(L, A, R);
                    clvn::CalcInterestRate(n, A, 0, L);
                    clvn::RoundCents(A);
                    clvn::RoundHalfEven(A, 2);
                });
                if (thrown)
                    QFAIL(qPrintable(QStringLiteral("n=%1 R=%2 L=%3 raised %4")
                                         .arg(n)
                                         .arg(R)
                                         .arg(L)
                                         .arg(int(*thrown))));
            }
}

// Int(x * 100 + 0.5) / 100 on the binary value: 1.005 * 100 is just below
// 100.5 and goes down; negative values are truncated toward zero.
void TestLoanFormulas::roundCents_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<qint64>("expectedCents");

    QTest::newRow("third of 1750") << 583.3333333 << qint64(58333);
    QTest::newRow("half cent up") << 0.005 << qint64(1);
    QTest::newRow("1.125 up") << 1.125 << qint64(113);
    QTest::newRow("1.005 goes down") << 1.005 << qint64(100);
    QTest::newRow("zero") << 0.0 << qint64(0);
    QTest::newRow("negative toward zero") << -1.234 << qint64(-122);
    QTest::newRow("large") << 123456789.994 << qint64(12345678999);
}

void TestLoanFormulas::roundCents()
{
    QFETCH(double, x);
    QFETCH(qint64, expectedCents);
    const double rounded = clvn::RoundCents(x);
    QCOMPARE(cents(rounded), expectedCents);
    QCOMPARE(rounded, static_cast<double>(expectedCents) / 100);
}

// Ties are judged on the shortest decimal text of x, then go to the even digit.
void TestLoanFormulas::roundHalfEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.675 tie goes to 8") << 2.675 << 2 << 2.68;
    QTest::newRow("2.665 tie goes to 6") << 2.665 << 2 << 2.66;
    QTest::newRow("0.125 tie goes to 2") << 0.125 << 2 << 0.12;
    QTest::newRow("0.135 tie goes to 4") << 0.135 << 2 << 0.14;
    QTest::newRow("2.5 to 2") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 to 4") << 3.5 << 0 << 4.0;
    QTest::newRow("-2.5 to -2") << -2.5 << 0 << -2.0;
    QTest::newRow("-2.675 to -2.68") << -2.675 << 2 << -2.68;
    QTest::newRow("above tie goes up") << 2.6651 << 2 << 2.67;
    QTest::newRow("carry 9.995") << 9.995 << 2 << 10.0;
    QTest::newRow("carry 99.5") << 99.5 << 0 << 100.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0 << 0.0;
    QTest::newRow("0.004 to 0") << 0.004 << 2 << 0.0;
    QTest::newRow("0.0004 to 0") << 0.0004 << 2 << 0.0;
    QTest::newRow("already fewer decimals") << 123.456 << 5 << 123.456;
    QTest::newRow("1234.5678 to cents") << 1234.5678 << 2 << 1234.57;
    QTest::newRow("1250 to hundreds") << 1250.0 << -2 << 1200.0;
    QTest::newRow("1350 to hundreds") << 1350.0 << -2 << 1400.0;
    QTest::newRow("tiny above tie") << 0.12500000000000003 << 2 << 0.13;
}

void TestLoanFormulas::roundHalfEven()
{
    QFETCH(double, x);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    const double rounded = clvn::RoundHalfEven(x, decimals);
    QCOMPARE(rounded, expected);
    QVERIFY(!std::signbit(rounded) || expected < 0);
}

QTEST_GUILESS_MAIN(TestLoanFormulas)
#include "tst_loanformulas.moc"
