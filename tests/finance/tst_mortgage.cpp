// The amortization schedule: rows, extra payments, failures and texts.

#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>

using namespace clvn;
using namespace clvn::test;
using Rows = std::vector<TPayment>;
using namespace Qt::StringLiterals;

namespace {

// The rows' extra amounts as "first-last:amount" runs, e.g. "1-12:100.00 200:5.00".
QString extrasOf(const Rows &rows)
{
    QStringList runs;
    for (std::size_t k = 0, j = 0; k < rows.size(); k = j) {
        const double a = rows[k].ExtraPrincipal;
        for (j = k + 1; j < rows.size() && rows[j].ExtraPrincipal == a;)
            ++j;
        if (a != 0)
            runs << (j > k + 1 ? u"%1-%2:"_s.arg(k + 1).arg(j) : u"%1:"_s.arg(k + 1)) +
                        QString::number(a, 'f', 2);
    }
    return runs.join(u' ');
}

// GetStrings of a row, trimmed and joined by spaces, after checking that each
// text is right-aligned in its field (5, then 12 wide) and never cut short.
QString shown(const TPayment &p)
{
    QStringList texts;
    for (const std::string &s : p.GetStrings()) {
        const QString text = QString::fromStdString(s);
        if (text != text.trimmed().rightJustified(texts.isEmpty() ? 5 : 12))
            return u"misaligned \"" + text + u'"';
        texts << text.trimmed();
    }
    return texts.join(u' ');
}

// Runs calls such as "single 12 1000; range 1 12 100; from 1 500; clear; create 360 1e5 0.07"
// on m and gives what they return: 0 when one returns false, 1 when they return nothing.
double run(TMortgage &m, const QString &calls)
{
    double result = 1;
    for (const QString &call : calls.split(u"; "_s)) {
        const QStringList w = call.split(u' ');
        const auto arg = [&w](int i) { return w.value(i).toDouble(); };
        const auto at = [&arg](int i) { return std::int32_t(arg(i)); };
        if (w[0] == u"single")
            result *= m.SetExtraPayment(at(1), arg(2));
        else if (w[0] == u"range")
            result *= m.SetExtraPaymentRange(at(1), at(2), arg(3));
        else if (w[0] == u"from")
            m.SetExtraPaymentsFrom(at(1), arg(2));
        else if (w[0] == u"clear")
            m.ClearExtraPayments();
        else
            m.Create(at(1), arg(2), arg(3), 12);
    }
    return result;
}

} // namespace

class TestMortgage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pinLocale(); }
    void rows_data();
    void rows();
    void edges();
    void calls_data();
    void calls();
    void randomLoansBalance();
};

// Reference figures: 40-digit decimal schedule, payment and interests rounded half up to cents.
void TestMortgage::rows_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("texts"); // the payment, then the row
    const auto add = [](const char *name, double rate, int row, const char *texts) {
        QTest::newRow(name) << rate << row << QString::fromLatin1(texts);
    };
    add("7% first", 0.07, 1, "665.30: 1 81.97 583.33 81.97 583.33 0.00 99918.03");
    add("7% last", 0.07, 360, "665.30: 360 661.42 3.88 99997.02 139510.98 0.00 2.98");
    add("7.5% first", 0.075, 1, "699.21: 1 74.21 625.00 74.21 625.00 0.00 99925.79");
    add("7.5% last", 0.075, 360, "699.21: 360 694.83 4.38 99993.61 151721.99 0.00 6.39");
    // 100000 / 360 rounds up to 277.78, so the last row only repays the rest.
    add("zero rate 359", 0, 359, "277.78: 359 277.78 0.00 99723.02 0.00 0.00 276.98");
    add("zero rate last", 0, 360, "277.78: 360 276.98 0.00 100000.00 0.00 0.00 0.00");
}

void TestMortgage::rows()
{
    QFETCH(double, rate);
    QFETCH(int, row);
    QFETCH(QString, texts);
    TMortgage m;
    m.Create(360, 100000, rate, 12);
    QCOMPARE(m.Payments().size(), std::size_t(360));
    const TPayment &p = m.Payments()[std::size_t(row - 1)];
    QCOMPARE(QString::number(m.Payment(), 'f', 2) + u": " + shown(p), texts);
}

void TestMortgage::edges()
{
    // Negative, negative zero, one short of the width, and too wide (the text grows).
    const TPayment p{123456, -12.5, -0.0, 12345678.9, 0, 0, 1234567890.125};
    QCOMPARE(shown(p), u"123456 -12.50 0.00 12345678.90 0.00 0.00 1234567890.12"_s);
    TMortgage m; // never created: nothing fails and no rows appear
    m.Calculate();
    m.ClearExtraPayments();
    QVERIFY(!m.SetExtraPayment(1, 100) && !m.SetExtraPaymentRange(1, 3, 100));
    QVERIFY_THROWS_EXCEPTION(IndexError, m.SetExtraPaymentsFrom(1, 100));
    QVERIFY_THROWS_EXCEPTION(FloatError, m.Create(0, 100000, 0.07, 12));
    QVERIFY(m.Payments().empty() && m.NumPayments() == 0 && m.Payment() == 0);
    m.Create(TMortgage::MaxPayments, 250000, 0.06, 12); // the longest term is accepted
    QCOMPARE(m.Payments().back().Number, TMortgage::MaxPayments);
}

// Reference figures (amounts left, paying-off row): 40-digit decimal schedule and clean-up.
void TestMortgage::calls_data()
{
    QTest::addColumn<QString>("calls");    // see run
    QTest::addColumn<QString>("expected"); // what they give (see outcome)
    QTest::addColumn<QString>("extras");   // afterwards, as "first-last:amount" runs
    QTest::addColumn<int>("payoff");       // the row that repays the loan early, or 0
    QTest::addColumn<bool>("settled");     // a further Calculate changes nothing
    const auto add = [](const char *name, const char *calls, const char *expected,
                        const char *extras, int payoff = 0, bool settled = true) {
        QTest::newRow(name) << QString::fromLatin1(calls) << QString::fromLatin1(expected)
                            << QString::fromLatin1(extras) << payoff << settled;
    };
    add("single", "single 12 1000", "1", "12:1000.00", 349);
    // Later single payments keep earlier ones, even past the payoff: no clean-up.
    add("singles", "single 12 1000; single 200 5000; single 100 1000000", "1",
        "12:1000.00 100:1000000.00 200:5000.00", 100);
    add("range", "range 1 12 100", "1", "1-12:100.00", 347);
    add("range with last < first", "range 10 5 200", "1", "10:200.00", 358);
    // A range that runs past the end is refused whole: no row keeps an amount
    // its balance never counted.
    add("range past the end", "range 355 365 50", "0", "");
    // The clean-up drops amounts the balance fell below; figures count them until Calculate.
    add("range cleaned up", "range 300 360 2000", "1", "300-311:2000.00", 313, false);
    add("from the first", "from 1 500", "1", "1-118:500.00", 120, false);
    add("cleared", "range 20 40 70; clear", "1", "");
    add("a new schedule drops them", "single 5 1000; create 360 100000 0.07", "1", "");
    // Refused calls leave the schedule as it was.
    add("single at 0", "single 0 100", "0", "");
    add("single past the end", "single 361 100", "0", "");
    add("range from 0", "range 0 12 100", "0", "");
    add("range from past the end", "range 361 400 100", "0", "");
    add("from 0", "from 0 100", "IndexError 0", "");
    add("from past the end", "from 361 100", "IndexError 361", "");
    // A non-finite amount would silently repay the loan.
    add("single infinite", "single 1 inf", "InvalidOp", "");
    add("range NaN", "range 1 5 nan", "InvalidOp", "");
    add("from minus infinity", "from 1 -inf", "InvalidOp", "");
    // Terms out of range are refused; at 1000 % a huge loan overflows.
    const QByteArray above = "create " + QByteArray::number(TMortgage::MaxPayments + 1) + " 1e5 10";
    add("create with negative term", "create -1 1e5 10", "InvalidOp", "");
    add("create with most negative term", "create -2147483648 1e5 10", "InvalidOp", "");
    add("create one above the bound", above.constData(), "InvalidOp", "");
    add("create with largest term", "create 2147483647 1e5 10", "InvalidOp", "");
    add("create with zero term", "create 0 1e5 10", "ZeroDivide", "");
    // The first overflowing row is reported as such, not as a later inf - inf.
    add("create overflowing", "create 360 1e307 10", "Overflow", "");
}

void TestMortgage::calls()
{
    QFETCH(QString, calls);
    QFETCH(QString, expected);
    QFETCH(QString, extras);
    QFETCH(int, payoff);
    QFETCH(bool, settled);
    TMortgage m;
    m.Create(360, 100000, 0.07, 12);
    const Rows &rows = m.Payments();
    const Rows plain = rows;
    QCOMPARE(outcome([&] { return run(m, calls); }, expected), expected);
    QCOMPARE(extrasOf(rows), extras);
    const auto paid = std::ranges::find_if(rows, [](auto &p) { return p.Balance <= 0; });
    QCOMPARE(paid == rows.end() ? 0 : paid->Number, payoff);
    if (paid != rows.end()) { // it repays only what is left, and nothing follows
        QCOMPARE(cents(paid->Principal), cents((paid - 1)->Balance));
        QCOMPARE(cents(paid->PrincipalToDate), qint64(10000000));
        QVERIFY(std::all_of(paid + 1, rows.end(), [](auto &p) {
            return p.Principal == 0 && p.Interest == 0 && p.Balance == 0;
        }));
    }
    const Rows before = rows;
    m.Calculate();
    QCOMPARE(std::ranges::equal(rows, before, {}, shown, shown), settled);
    // Rows before the first extra amount are as without it; that row repays it on top.
    const auto k = std::size_t(
        std::ranges::find_if(rows, [](auto &p) { return p.ExtraPrincipal != 0; }) - rows.begin());
    QVERIFY(
        std::ranges::equal(std::span(rows).first(k), std::span(plain).first(k), {}, shown, shown));
    if (k < rows.size()) {
        QCOMPARE(cents(rows[k].Principal), cents(plain[k].Principal + rows[k].ExtraPrincipal));
        QCOMPARE(cents(rows[k].Balance), cents(plain[k].Balance - rows[k].ExtraPrincipal));
    }
}

void TestMortgage::randomLoansBalance()
{
    // Fixed seed: rows plus the last balance repay each loan to the cent; rows are
    // numbered 1..n and carry running totals.
    std::mt19937 rng(1999);
    std::uniform_int_distribution<int> term(1, 480), rateThousandths(0, 20000),
        loanCents(100000, 200000000), extraCents(0, 50000);
    TMortgage m;
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = term(rng);
        const double rate = rateThousandths(rng) / 100000.0;
        const qint64 loan = loanCents(rng);
        m.Create(n, double(loan) / 100, rate, 12);
        if (trial % 3 == 0)
            m.SetExtraPayment(std::uniform_int_distribution<int>(1, n)(rng),
                              extraCents(rng) / 100.0);
        qint64 repaid = 0, interest = 0, number = 0;
        bool consistent = true;
        for (const TPayment &row : m.Payments()) {
            repaid += cents(row.Principal);
            interest += cents(row.Interest);
            consistent = consistent && row.Number == ++number &&
                         cents(row.PrincipalToDate) == repaid &&
                         cents(row.InterestToDate) == interest;
        }
        QVERIFY2(consistent && repaid + cents(m.Payments().back().Balance) == loan,
                 qPrintable(QString::asprintf("n=%d rate=%g loan=%lld", n, rate, loan)));
    }
}

QTEST_GUILESS_MAIN(TestMortgage)
#include "tst_mortgage.moc"
