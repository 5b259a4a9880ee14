// The growth and payoff formulas and the whole-number rule for year counts.

#include "finance/Errors.h"
#include "finance/Growth.h"
#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <cmath>
#include <limits>

using clvn::FloatError;
using clvn::test::cents;
using clvn::test::floatErrorOf;
using Kind = FloatError::Kind;
using namespace Qt::StringLiterals;

class TestGrowth : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }

    void wholeNumber_data();
    void wholeNumber();
    void wholeNumberRefuses_data();
    void wholeNumberRefuses();
    void principalRepaid_data();
    void principalRepaid();
    void principalRepaidWholeTerm();
    void principalRepaidNearSchedule();
    void totalRent_data();
    void totalRent();
    void compoundedTotal_data();
    void compoundedTotal();
    void fractionalYearsRefused();
    void futureValueAt_data();
    void futureValueAt();
    void paymentPresentValue_data();
    void paymentPresentValue();
    void failures_data();
    void failures();
};

void TestGrowth::wholeNumber_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("whole");
    QTest::newRow("3") << 3.0 << 3;
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("negative zero") << -0.0 << 0;
    QTest::newRow("-2") << -2.0 << -2;
    QTest::newRow("a million reads as digits") << 1e6 << 1000000;
    QTest::newRow("largest int32") << 2147483647.0 << 2147483647;
}

void TestGrowth::wholeNumber()
{
    QFETCH(double, x);
    QFETCH(int, whole);
    QCOMPARE(clvn::WholeNumber(x), whole);
}

void TestGrowth::wholeNumberRefuses_data()
{
    QTest::addColumn<double>("x");
    QTest::newRow("2.5") << 2.5;
    QTest::newRow("0.1 + 0.2 times 10") << (0.1 + 0.2) * 10;
    QTest::newRow("beyond int32") << 3e9;
    QTest::newRow("1e20") << 1e20;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
}

void TestGrowth::wholeNumberRefuses()
{
    QFETCH(double, x);
    QVERIFY_THROWS_EXCEPTION(clvn::ConvertError, clvn::WholeNumber(x));
}

// Reference figures: the same steps in 40-digit decimal arithmetic.
void TestGrowth::principalRepaid_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("A");
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("B");
    QTest::addColumn<qint64>("expectedCents");
    QTest::newRow("k = 0") << 0 << 699.21 << 7.5 << 100000.0 << qint64(0);
    QTest::newRow("negative k") << -3 << 699.21 << 7.5 << 100000.0 << qint64(0);
    QTest::newRow("first payment") << 1 << 699.21 << 7.5 << 100000.0 << qint64(7421);
    QTest::newRow("first year") << 12 << 699.21 << 7.5 << 100000.0 << qint64(92178);
    QTest::newRow("zero rate") << 12 << 500.0 << 0.0 << 100000.0 << qint64(600000);
}

void TestGrowth::principalRepaid()
{
    QFETCH(int, k);
    QFETCH(double, A);
    QFETCH(double, R);
    QFETCH(double, B);
    QFETCH(qint64, expectedCents);
    QCOMPARE(cents(clvn::PrincipalRepaid(k, A, R, B)), expectedCents);
}

void TestGrowth::principalRepaidWholeTerm()
{
    // With the exact level payment the whole term repays the whole loan, up
    // to floating-point noise (absolute bound in currency units).
    constexpr double kNoise = 1e-6;
    for (double R : {3.0, 7.5, 12.0}) {
        const double A = clvn::CalcPayment(360, R / 1200, 250000);
        QVERIFY(std::fabs(clvn::PrincipalRepaid(360, A, R, 250000) - 250000) < kNoise);
    }
}

void TestGrowth::principalRepaidNearSchedule()
{
    // Unrounded interest drifts from the schedule's cents by less than a cent a year.
    constexpr double kDrift = 0.01; // absolute, currency units
    clvn::TMortgage m;
    m.Create(360, 100000, 0.075, 12);
    const double fromSchedule = m.Payments()[11].PrincipalToDate;
    const double repaid = clvn::PrincipalRepaid(12, m.Payment(), 7.5, 100000);
    QVERIFY(fromSchedule != repaid);
    QVERIFY(std::fabs(fromSchedule - repaid) < kDrift);
}

void TestGrowth::totalRent_data()
{
    QTest::addColumn<double>("Y");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("M");
    QTest::addColumn<qint64>("expectedCents");
    QTest::newRow("one year") << 1.0 << 5.0 << 1000.0 << qint64(1200000);
    QTest::newRow("zero years is one year") << 0.0 << 5.0 << 1000.0 << qint64(1200000);
    QTest::newRow("negative years is one year") << -4.0 << 5.0 << 1000.0 << qint64(1200000);
    QTest::newRow("three years flat") << 3.0 << 0.0 << 850.0 << qint64(3060000);
    // 12000 + 12600 + 13230.
    QTest::newRow("three years at 5%") << 3.0 << 5.0 << 1000.0 << qint64(3783000);
}

void TestGrowth::totalRent()
{
    QFETCH(double, Y);
    QFETCH(double, g);
    QFETCH(double, M);
    QFETCH(qint64, expectedCents);
    QCOMPARE(cents(clvn::TotalRent(Y, g, M)), expectedCents);
}

// Reference figures: V ((1 + c/100)^Y - 1) in 40-digit decimal arithmetic.
void TestGrowth::compoundedTotal_data()
{
    QTest::addColumn<double>("Y");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("V");
    QTest::addColumn<qint64>("expectedCents");
    QTest::newRow("one year is V c / 100") << 1.0 << 4.0 << 100000.0 << qint64(400000);
    QTest::newRow("zero years") << 0.0 << 4.0 << 100000.0 << qint64(0);
    QTest::newRow("ten years at 3%") << 10.0 << 3.0 << 200000.0 << qint64(6878328);
}

void TestGrowth::compoundedTotal()
{
    QFETCH(double, Y);
    QFETCH(double, c);
    QFETCH(double, V);
    QFETCH(qint64, expectedCents);
    QCOMPARE(cents(clvn::CompoundedTotal(Y, c, V)), expectedCents);
}

void TestGrowth::fractionalYearsRefused()
{
    QVERIFY_THROWS_EXCEPTION(clvn::ConvertError, clvn::TotalRent(2.5, 3, 1000));
    QVERIFY_THROWS_EXCEPTION(clvn::ConvertError, clvn::CompoundedTotal(0.5, 3, 1000));
}

// Reference figures: principal q^N + (q^N - 1) / i * 12 deposit with q = 1 + i/p,
// 40-digit decimal arithmetic.
void TestGrowth::futureValueAt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("deposit");
    QTest::addColumn<double>("months");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("principal");
    QTest::addColumn<qint64>("expectedCents");
    QTest::newRow("monthly 1.005^12")
        << u"Monthly"_s << 0.0 << 12.0 << 6.0 << 1000.0 << qint64(106168);
    QTest::newRow("annually two years")
        << u"Annually"_s << 0.0 << 24.0 << 5.0 << 1000.0 << qint64(110250);
    QTest::newRow("quarterly one year")
        << u"Quarterly"_s << 0.0 << 12.0 << 8.0 << 1000.0 << qint64(108243);
    QTest::newRow("daily one year") << u"Daily"_s << 0.0 << 12.0 << 5.0 << 1000.0 << qint64(105127);
    QTest::newRow("deposits grow at the annual rate")
        << u"Monthly"_s << 100.0 << 12.0 << 6.0 << 0.0 << qint64(123356);
}

void TestGrowth::futureValueAt()
{
    QFETCH(QString, name);
    QFETCH(double, deposit);
    QFETCH(double, months);
    QFETCH(double, rate);
    QFETCH(double, principal);
    QFETCH(qint64, expectedCents);
    QCOMPARE(cents(clvn::FutureValueAt(name.toStdString(), deposit, months, rate, principal)),
             expectedCents);
}

// Reference figures: (1 - (1 + r/1200)^-12y) / (r/1200) * M, 40-digit decimal.
void TestGrowth::paymentPresentValue_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("M");
    QTest::addColumn<qint64>("expectedCents");
    QTest::newRow("30y 7% 810") << 30.0 << 7.0 << 810.0 << qint64(12174913);
    QTest::newRow("30y 7.5% 699.21") << 30.0 << 7.5 << 699.21 << qint64(9999936);
}

void TestGrowth::paymentPresentValue()
{
    QFETCH(double, y);
    QFETCH(double, r);
    QFETCH(double, M);
    QFETCH(qint64, expectedCents);
    const double pv = clvn::PaymentPresentValue(y, r, M);
    QCOMPARE(cents(pv), expectedCents);
    QCOMPARE(cents(pv), cents(clvn::CalcLoanAmount(static_cast<int>(12 * y), M, r, 0)));
}

void TestGrowth::failures_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("rate");
    QTest::addColumn<Kind>("kind");
    QTest::newRow("unknown frequency")
        << u"FutureValueAt"_s << u"Weekly"_s << 6.0 << Kind::ZeroDivide;
    QTest::newRow("names match exactly")
        << u"FutureValueAt"_s << u"monthly"_s << 6.0 << Kind::ZeroDivide;
    QTest::newRow("unknown frequency at zero rate")
        << u"FutureValueAt"_s << u"Weekly"_s << 0.0 << Kind::InvalidOp;
    QTest::newRow("zero rate is 0 / 0")
        << u"FutureValueAt"_s << u"Monthly"_s << 0.0 << Kind::InvalidOp;
    QTest::newRow("rate of -100% per period")
        << u"FutureValueAt"_s << u"Annually"_s << -100.0 << Kind::InvalidOp;
    QTest::newRow("present value at zero rate")
        << u"PaymentPresentValue"_s << QString() << 0.0 << Kind::InvalidOp;
    QTest::newRow("rent overflows") << u"TotalRent"_s << QString() << 1000.0 << Kind::Overflow;
    QTest::newRow("compounding overflows")
        << u"CompoundedTotal"_s << QString() << 1000.0 << Kind::Overflow;
    QTest::newRow("repaid overflows")
        << u"PrincipalRepaid"_s << QString() << -1e6 << Kind::Overflow;
}

void TestGrowth::failures()
{
    QFETCH(QString, call);
    QFETCH(QString, name);
    QFETCH(double, rate);
    QFETCH(Kind, kind);
    const auto thrown = floatErrorOf([&] {
        if (call == u"FutureValueAt")
            clvn::FutureValueAt(name.toStdString(), 100, 12, rate, 1000);
        else if (call == u"PaymentPresentValue")
            clvn::PaymentPresentValue(30, rate, 810);
        else if (call == u"TotalRent")
            clvn::TotalRent(1000000, rate, 1000);
        else if (call == u"CompoundedTotal")
            clvn::CompoundedTotal(1000000, rate, 1000);
        else if (call == u"PrincipalRepaid")
            clvn::PrincipalRepaid(1000000, 700, rate, 100000);
    });
    QVERIFY2(thrown.has_value(), "no FloatError");
    QCOMPARE(static_cast<int>(*thrown), static_cast<int>(kind));
}

QTEST_GUILESS_MAIN(TestGrowth)
#include "tst_growth.moc"
