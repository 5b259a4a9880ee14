// The amortization schedule: rows, extra payments, failures and texts.

#include "finance/Errors.h"
#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using clvn::FloatError;
using clvn::TMortgage;
using clvn::TPayment;
using clvn::test::cents;
using clvn::test::floatErrorOf;
using Kind = FloatError::Kind;
using namespace Qt::StringLiterals;

namespace {

bool sameRow(const TPayment &a, const TPayment &b)
{
    return a.Number == b.Number && a.Principal == b.Principal && a.Interest == b.Interest &&
           a.PrincipalToDate == b.PrincipalToDate && a.InterestToDate == b.InterestToDate &&
           a.ExtraPrincipal == b.ExtraPrincipal && a.Balance == b.Balance;
}

bool sameRows(const std::vector<TPayment> &a, const std::vector<TPayment> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (!sameRow(a[k], b[k]))
            return false;
    return true;
}

TMortgage loan7()
{
    TMortgage m;
    m.Create(360, 100000, 0.07, 12);
    return m;
}

const char *const kPayoffMessage = "row did not pay off the loan";

} // namespace

class TestMortgage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }

    void workedSchedule_data();
    void workedSchedule();
    void zeroRate();
    void emptyMortgage();
    void createRejectsBadTerm_data();
    void createRejectsBadTerm();
    void createZeroTermFails();
    void createOverflowKeepsSchedule();
    void createAcceptsMaxPayments();
    void createDropsExtraPayments();
    void setExtraPayment();
    void setExtraPaymentOutside_data();
    void setExtraPaymentOutside();
    void setExtraPaymentKeepsLaterExtrasAfterPayoff();
    void setExtraPaymentRange();
    void rangeLastBeforeFirst();
    void rangeRunningPastEnd();
    void rangeStartingOutside();
    void extraPaymentsFromPaysOff();
    void extraPaymentsFromOutside_data();
    void extraPaymentsFromOutside();
    void cleanUpDoesNotRecalculate();
    void clearExtraPayments();
    void nonFiniteExtraRefused();
    void getStrings_data();
    void getStrings();
    void randomLoansBalance();
};

// Reference figures: an independent 40-digit decimal evaluation of the
// schedule (payment and every interest rounded half up to cents).
void TestMortgage::workedSchedule_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<qint64>("payment");
    QTest::addColumn<qint64>("firstInterest");
    QTest::addColumn<qint64>("firstPrincipal");
    QTest::addColumn<qint64>("firstBalance");
    QTest::addColumn<qint64>("lastInterest");
    QTest::addColumn<qint64>("lastPrincipal");
    QTest::addColumn<qint64>("lastBalance");

    QTest::newRow("7% 30y 100k") << 0.07 << qint64(66530) << qint64(58333) << qint64(8197)
                                 << qint64(9991803) << qint64(388) << qint64(66142) << qint64(298);
    QTest::newRow("7.5% 30y 100k")
        << 0.075 << qint64(69921) << qint64(62500) << qint64(7421) << qint64(9992579) << qint64(438)
        << qint64(69483) << qint64(639);
}

void TestMortgage::workedSchedule()
{
    QFETCH(double, rate);
    QFETCH(qint64, payment);
    QFETCH(qint64, firstInterest);
    QFETCH(qint64, firstPrincipal);
    QFETCH(qint64, firstBalance);
    QFETCH(qint64, lastInterest);
    QFETCH(qint64, lastPrincipal);
    QFETCH(qint64, lastBalance);

    TMortgage m;
    m.Create(360, 100000, rate, 12);
    QCOMPARE(m.NumPayments(), 360);
    QCOMPARE(m.PeriodsPerYear(), 12);
    QCOMPARE(m.Principal(), 100000.0);
    QCOMPARE(m.Rate(), rate);
    QCOMPARE(cents(m.Payment()), payment);
    QCOMPARE(m.Payments().size(), std::size_t(360));
    const TPayment &first = m.Payments().front();
    const TPayment &last = m.Payments().back();
    QCOMPARE(cents(first.Interest), firstInterest);
    QCOMPARE(cents(first.Principal), firstPrincipal);
    QCOMPARE(cents(first.Balance), firstBalance);
    QCOMPARE(cents(last.Interest), lastInterest);
    QCOMPARE(cents(last.Principal), lastPrincipal);
    QCOMPARE(cents(last.Balance), lastBalance);
}

void TestMortgage::zeroRate()
{
    TMortgage m;
    m.Create(360, 100000, 0, 12);
    // 100000 / 360 = 277.777... rounds up, so the last row only repays the rest.
    QCOMPARE(cents(m.Payment()), qint64(27778));
    for (const TPayment &row : m.Payments())
        QCOMPARE(row.Interest, 0.0);
    // 359 payments of 277.78 leave 100000 - 99723.02 = 276.98.
    QCOMPARE(cents(m.Payments()[358].Balance), qint64(27698));
    QCOMPARE(cents(m.Payments().back().Principal), qint64(27698));
    QCOMPARE(m.Payments().back().Balance, 0.0);
}

void TestMortgage::emptyMortgage()
{
    TMortgage m;
    QCOMPARE(m.NumPayments(), 0);
    QCOMPARE(m.PeriodsPerYear(), 0);
    QCOMPARE(m.Payment(), 0.0);
    QVERIFY(m.Payments().empty());
    // Nothing was created yet: these must neither fail nor invent rows.
    m.Calculate();
    m.ClearExtraPayments();
    QVERIFY(!m.SetExtraPayment(1, 100));
    QVERIFY(!m.SetExtraPaymentRange(1, 3, 100));
    QVERIFY_THROWS_EXCEPTION(clvn::IndexError, m.SetExtraPaymentsFrom(1, 100));
    QVERIFY(m.Payments().empty());
    QCOMPARE(m.Payment(), 0.0);
}

void TestMortgage::createRejectsBadTerm_data()
{
    QTest::addColumn<int>("term");
    QTest::newRow("negative") << -1;
    QTest::newRow("most negative") << std::numeric_limits<std::int32_t>::min();
    QTest::newRow("one above the bound") << TMortgage::MaxPayments + 1;
    QTest::newRow("a billion") << 1000000000;
    QTest::newRow("largest") << std::numeric_limits<std::int32_t>::max();
}

void TestMortgage::createRejectsBadTerm()
{
    QFETCH(int, term);
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    const auto thrown = floatErrorOf([&] { m.Create(term, 100000, 0.07, 12); });
    QVERIFY(thrown.has_value());
    QCOMPARE(static_cast<int>(*thrown), static_cast<int>(Kind::InvalidOp));
    QCOMPARE(m.NumPayments(), 360);
    QCOMPARE(cents(m.Payment()), qint64(66530));
    QVERIFY(sameRows(m.Payments(), before));
}

void TestMortgage::createZeroTermFails()
{
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    volatile std::int32_t zero = 0;
    const auto thrown = floatErrorOf([&] { m.Create(zero, 100000, 0.07, 12); });
    QVERIFY(thrown.has_value());
    QCOMPARE(static_cast<int>(*thrown), static_cast<int>(Kind::ZeroDivide));
    QCOMPARE(m.NumPayments(), 360);
    QVERIFY(sameRows(m.Payments(), before));

    TMortgage fresh;
    QVERIFY_THROWS_EXCEPTION(FloatError, fresh.Create(zero, 100000, 0.07, 12));
    QVERIFY(fresh.Payments().empty());
}

void TestMortgage::createOverflowKeepsSchedule()
{
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    volatile double huge = 1e307;
    const auto thrown = floatErrorOf([&] { m.Create(360, huge, 10, 12); });
    QVERIFY(thrown.has_value());
    QCOMPARE(static_cast<int>(*thrown), static_cast<int>(Kind::Overflow));
    QCOMPARE(m.Principal(), 100000.0);
    QVERIFY(sameRows(m.Payments(), before));
}

void TestMortgage::createAcceptsMaxPayments()
{
    TMortgage m;
    m.Create(TMortgage::MaxPayments, 250000, 0.06, 12);
    QCOMPARE(m.Payments().size(), static_cast<std::size_t>(TMortgage::MaxPayments));
    QCOMPARE(m.Payments().back().Number, TMortgage::MaxPayments);
}

void TestMortgage::createDropsExtraPayments()
{
    TMortgage m = loan7();
    QVERIFY(m.SetExtraPayment(5, 1000));
    m.Create(360, 100000, 0.07, 12);
    QVERIFY(sameRows(m.Payments(), loan7().Payments()));
}

void TestMortgage::setExtraPayment()
{
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    QVERIFY(m.SetExtraPayment(12, 1000));
    const auto &rows = m.Payments();
    for (int k = 0; k < 11; ++k)
        QVERIFY(sameRow(rows[k], before[k]));
    QCOMPARE(rows[11].ExtraPrincipal, 1000.0);
    QCOMPARE(cents(rows[11].Principal), cents(m.Payment() - rows[11].Interest + 1000));
    QCOMPARE(cents(rows[11].Balance), cents(before[11].Balance) - 100000);
    // Later rows pay less interest on the smaller balance.
    QVERIFY(rows[12].Interest < before[12].Interest);

    // A second single extra payment leaves the first in force.
    QVERIFY(m.SetExtraPayment(24, 500));
    QCOMPARE(m.Payments()[11].ExtraPrincipal, 1000.0);
    QCOMPARE(m.Payments()[23].ExtraPrincipal, 500.0);
}

void TestMortgage::setExtraPaymentOutside_data()
{
    QTest::addColumn<int>("p");
    QTest::newRow("payment 0") << 0;
    QTest::newRow("negative") << -5;
    QTest::newRow("one past the end") << 361;
}

void TestMortgage::setExtraPaymentOutside()
{
    QFETCH(int, p);
    TMortgage m = loan7();
    QVERIFY(m.SetExtraPayment(3, 250));
    const std::vector<TPayment> before = m.Payments();
    QVERIFY(!m.SetExtraPayment(p, 100));
    QVERIFY(sameRows(m.Payments(), before));
}

void TestMortgage::setExtraPaymentKeepsLaterExtrasAfterPayoff()
{
    TMortgage m = loan7();
    QVERIFY(m.SetExtraPayment(200, 5000));
    QVERIFY(m.SetExtraPayment(100, 1000000)); // repays the loan at payment 100
    const auto &rows = m.Payments();
    QCOMPARE(cents(rows[99].Principal), cents(rows[98].Balance));
    QCOMPARE(rows[99].Balance, 0.0);
    for (std::size_t k = 100; k < rows.size(); ++k) {
        QCOMPARE(rows[k].Principal, 0.0);
        QCOMPARE(rows[k].Interest, 0.0);
        QCOMPARE(rows[k].Balance, 0.0);
    }
    // No clean-up after a single extra payment.
    QCOMPARE(rows[199].ExtraPrincipal, 5000.0);
    QCOMPARE(rows[99].ExtraPrincipal, 1000000.0);
}

void TestMortgage::setExtraPaymentRange()
{
    TMortgage m = loan7();
    QVERIFY(m.SetExtraPaymentRange(1, 12, 100));
    const auto &rows = m.Payments();
    for (int k = 0; k < 12; ++k)
        QCOMPARE(rows[k].ExtraPrincipal, 100.0);
    QCOMPARE(rows[12].ExtraPrincipal, 0.0);
    QCOMPARE(cents(rows[0].Principal), qint64(8197 + 10000));
    QCOMPARE(cents(rows[0].Balance), qint64(9991803 - 10000));
    // 1200 less after a year, and the interest saved shortens the loan: the
    // schedule is repaid before its last row.
    QVERIFY(rows.back().Balance == 0.0);
    QVERIFY(rows.back().Principal == 0.0);
}

void TestMortgage::rangeLastBeforeFirst()
{
    TMortgage m = loan7();
    QVERIFY(m.SetExtraPaymentRange(10, 5, 200));
    for (const TPayment &row : m.Payments())
        QCOMPARE(row.ExtraPrincipal, row.Number == 10 ? 200.0 : 0.0);
    QCOMPARE(cents(m.Payments()[9].Principal), cents(loan7().Payments()[9].Principal) + 20000);
}

void TestMortgage::rangeRunningPastEnd()
{
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    QVERIFY(!m.SetExtraPaymentRange(355, 365, 50));
    const auto &rows = m.Payments();
    // Rows reached before the bad number keep the amount, but nothing was recalculated.
    for (std::size_t k = 354; k < 360; ++k)
        QCOMPARE(rows[k].ExtraPrincipal, 50.0);
    QCOMPARE(rows[353].ExtraPrincipal, 0.0);
    for (std::size_t k = 0; k < 360; ++k) {
        QCOMPARE(rows[k].Principal, before[k].Principal);
        QCOMPARE(rows[k].Balance, before[k].Balance);
    }
    // The next calculation counts them.
    m.Calculate();
    QCOMPARE(cents(m.Payments()[354].Principal), cents(before[354].Principal) + 5000);
}

void TestMortgage::rangeStartingOutside()
{
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    QVERIFY(!m.SetExtraPaymentRange(0, 12, 100));
    QVERIFY(sameRows(m.Payments(), before));
    QVERIFY(!m.SetExtraPaymentRange(361, 400, 100));
    QVERIFY(sameRows(m.Payments(), before));
}

void TestMortgage::extraPaymentsFromPaysOff()
{
    TMortgage m = loan7();
    m.SetExtraPaymentsFrom(1, 500);
    const auto &rows = m.Payments();
    std::size_t payoff = 0;
    while (payoff < rows.size() && rows[payoff].Balance > 0)
        ++payoff;
    QVERIFY2(payoff > 0 && payoff < rows.size() - 1, kPayoffMessage);
    QCOMPARE(cents(rows[payoff].Principal), cents(rows[payoff - 1].Balance));
    QCOMPARE(cents(rows[payoff].PrincipalToDate), qint64(10000000));
    for (std::size_t k = payoff + 1; k < rows.size(); ++k) {
        QCOMPARE(rows[k].Principal, 0.0);
        QCOMPARE(rows[k].Interest, 0.0);
        QCOMPARE(rows[k].Balance, 0.0);
        QCOMPARE(rows[k].ExtraPrincipal, 0.0); // cleared by the clean-up pass
    }
    QCOMPARE(rows[payoff].ExtraPrincipal, 0.0);
    // Rows whose balance is still at least the amount keep it.
    QCOMPARE(rows[0].ExtraPrincipal, 500.0);
    for (std::size_t k = 0; k < payoff; ++k)
        QCOMPARE(rows[k].ExtraPrincipal, rows[k].Balance < 500 ? 0.0 : 500.0);
}

void TestMortgage::extraPaymentsFromOutside_data()
{
    QTest::addColumn<int>("first");
    QTest::newRow("payment 0") << 0;
    QTest::newRow("one past the end") << 361;
    QTest::newRow("negative") << -1;
}

void TestMortgage::extraPaymentsFromOutside()
{
    QFETCH(int, first);
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    try {
        m.SetExtraPaymentsFrom(first, 100);
        QFAIL("no IndexError");
    } catch (const clvn::IndexError &e) {
        QCOMPARE(e.index(), first);
    }
    QVERIFY(sameRows(m.Payments(), before));
}

void TestMortgage::cleanUpDoesNotRecalculate()
{
    TMortgage m = loan7();
    QVERIFY(m.SetExtraPaymentRange(300, 360, 2000));
    const std::vector<TPayment> afterRange = m.Payments();
    // Some row before the payoff had a balance below 2000: its amount was
    // cleared but the figures still carry it until the next Calculate.
    std::size_t cleared = 0;
    while (cleared < afterRange.size() &&
           !(afterRange[cleared].Number >= 300 && afterRange[cleared].ExtraPrincipal == 0))
        ++cleared;
    QVERIFY(cleared < afterRange.size());
    QVERIFY(afterRange[cleared].Balance < 2000);
    m.Calculate();
    QVERIFY(!sameRows(m.Payments(), afterRange));
}

void TestMortgage::clearExtraPayments()
{
    TMortgage m = loan7();
    QVERIFY(m.SetExtraPayment(7, 700));
    QVERIFY(m.SetExtraPaymentRange(20, 40, 70));
    m.ClearExtraPayments();
    QVERIFY(sameRows(m.Payments(), loan7().Payments()));
}

void TestMortgage::nonFiniteExtraRefused()
{
    TMortgage m = loan7();
    const std::vector<TPayment> before = m.Payments();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QVERIFY_THROWS_EXCEPTION(FloatError, m.SetExtraPayment(1, inf));
    QVERIFY_THROWS_EXCEPTION(FloatError, m.SetExtraPaymentRange(1, 5, nan));
    QVERIFY_THROWS_EXCEPTION(FloatError, m.SetExtraPaymentsFrom(1, -inf));
    QVERIFY(sameRows(m.Payments(), before));
}

void TestMortgage::getStrings_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("first row of 7% 30y")
        << 1
        << QStringList{u"    1"_s,        u"       81.97"_s, u"      583.33"_s, u"       81.97"_s,
                       u"      583.33"_s, u"        0.00"_s, u"    99918.03"_s};
    QTest::newRow("last row of 7% 30y")
        << 360
        << QStringList{u"  360"_s,        u"      661.42"_s, u"        3.88"_s, u"    99997.02"_s,
                       u"   139510.98"_s, u"        0.00"_s, u"        2.98"_s};
}

void TestMortgage::getStrings()
{
    QFETCH(int, row);
    QFETCH(QStringList, texts);
    const TMortgage m = loan7();
    const auto strings = m.Payments()[static_cast<std::size_t>(row - 1)].GetStrings();
    QStringList shown;
    for (const std::string &s : strings)
        shown << QString::fromStdString(s);
    QCOMPARE(shown, texts);

    // Hand-made rows: negative, negative zero and too wide for the field.
    TPayment p;
    p.Number = 123456;
    p.Principal = -12.5;
    p.Interest = -0.0;
    p.Balance = 1234567890.125;
    const auto odd = p.GetStrings();
    QCOMPARE(odd[0], std::string("123456"));
    QCOMPARE(odd[1], std::string("      -12.50"));
    QCOMPARE(odd[2], std::string("        0.00"));
    QCOMPARE(odd[6], std::string("1234567890.12")); // never cut short
}

void TestMortgage::randomLoansBalance()
{
    // Fixed seed: every loan's principal is repaid exactly to the cent by
    // its rows plus whatever balance the last row leaves; rows are numbered
    // 1..n and carry running totals.
    std::mt19937 rng(1999);
    std::uniform_int_distribution<int> term(1, 480);
    std::uniform_int_distribution<int> rateThousandths(0, 20000);
    std::uniform_int_distribution<int> loanCents(100000, 200000000);
    std::uniform_int_distribution<int> extraCents(0, 50000);
    TMortgage m;
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = term(rng);
        const double rate = rateThousandths(rng) / 100000.0;
        const qint64 loan = loanCents(rng);
        m.Create(n, static_cast<double>(loan) / 100, rate, 12);
        if (trial % 3 == 0)
            m.SetExtraPayment(std::uniform_int_distribution<int>(1, n)(rng),
                              extraCents(rng) / 100.0);
        qint64 repaid = 0;
        qint64 interest = 0;
        bool rowsConsistent = true;
        for (std::size_t k = 0; k < m.Payments().size(); ++k) {
            const TPayment &row = m.Payments()[k];
            repaid += cents(row.Principal);
            interest += cents(row.Interest);
            rowsConsistent = rowsConsistent && row.Number == static_cast<std::int32_t>(k + 1) &&
                             cents(row.PrincipalToDate) == repaid &&
                             cents(row.InterestToDate) == interest;
        }
        const TPayment &last = m.Payments().back();
        if (repaid + cents(last.Balance) != loan || !rowsConsistent)
            QFAIL(qPrintable(QStringLiteral("n=%1 rate=%2 loan=%3 repaid=%4 balance=%5")
                                 .arg(n)
                                 .arg(rate)
                                 .arg(loan)
                                 .arg(repaid)
                                 .arg(last.Balance)));
    }
}

QTEST_GUILESS_MAIN(TestMortgage)
#include "tst_mortgage.moc"
