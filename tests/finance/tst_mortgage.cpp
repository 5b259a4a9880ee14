// The amortization schedule: rows, extra payments, failures and texts.

#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <limits>
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

// Every row as shown, to compare schedules to the cent.
QStringList shown(std::span<const TPayment> rows)
{
    QStringList texts;
    for (const TPayment &p : rows)
        texts << shown(p);
    return texts;
}

// A call on a schedule: what it returns (false as 0), or 1 when it returns nothing.
using Op = std::function<double(TMortgage &)>;

Op create(std::int32_t term, double principal = 100000) // 1000 %: a huge loan overflows
{
    return [=](TMortgage &m) { return m.Create(term, principal, 10, 12), 1.0; };
}

Op single(std::int32_t p, double a = 100)
{
    return [=](TMortgage &m) { return m.SetExtraPayment(p, a); };
}

Op range(std::int32_t first, std::int32_t last, double a = 100)
{
    return [=](TMortgage &m) { return m.SetExtraPaymentRange(first, last, a); };
}

Op from(std::int32_t first, double a = 100)
{
    return [=](TMortgage &m) { return m.SetExtraPaymentsFrom(first, a), 1.0; };
}

} // namespace

Q_DECLARE_METATYPE(Op)

class TestMortgage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pinLocale(); }

    void rows_data();
    void rows();
    void oddRowTexts();
    void emptyMortgage();
    void calls_data();
    void calls();
    void randomLoansBalance();
};

// Reference figures: an independent 40-digit decimal evaluation of the
// schedule (payment and every interest rounded half up to cents).
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

void TestMortgage::oddRowTexts()
{
    // Negative, negative zero, one short of the width, and too wide (the text grows).
    const TPayment p{123456, -12.5, -0.0, 12345678.9, 0, 0, 1234567890.125};
    QCOMPARE(shown(p), u"123456 -12.50 0.00 12345678.90 0.00 0.00 1234567890.12"_s);
}

void TestMortgage::emptyMortgage()
{
    TMortgage m; // never created: nothing fails and no rows appear
    m.Calculate();
    m.ClearExtraPayments();
    QVERIFY(!m.SetExtraPayment(1, 100));
    QVERIFY(!m.SetExtraPaymentRange(1, 3, 100));
    QVERIFY_THROWS_EXCEPTION(IndexError, m.SetExtraPaymentsFrom(1, 100));
    QVERIFY_THROWS_EXCEPTION(FloatError, m.Create(0, 100000, 0.07, 12));
    QVERIFY(m.Payments().empty());
    QCOMPARE(m.NumPayments(), 0);
    QCOMPARE(m.Payment(), 0.0);
    m.Create(TMortgage::MaxPayments, 250000, 0.06, 12); // the longest term is accepted
    QCOMPARE(m.Payments().back().Number, TMortgage::MaxPayments);
}

// Reference figures (the amounts left and the paying-off row): an independent
// 40-digit decimal evaluation of the schedule and the clean-up pass.
void TestMortgage::calls_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<QString>("expected"); // what the call gives (see outcome)
    QTest::addColumn<QString>("extras");   // afterwards, as "first-last:amount" runs
    QTest::addColumn<int>("payoff");       // the row that repays the loan early, or 0
    QTest::addColumn<bool>("settled");     // a further Calculate changes nothing
    const auto add = [](const char *name, const char *expected, const char *extras, int payoff,
                        bool settled, Op op) {
        QTest::newRow(name) << std::move(op) << QString::fromLatin1(expected)
                            << QString::fromLatin1(extras) << payoff << settled;
    };
    add("single", "1", "12:1000.00", 349, true, single(12, 1000));
    // Later single payments keep earlier ones, even past the payoff: no clean-up.
    add("singles", "1", "12:1000.00 100:1000000.00 200:5000.00", 100, true, [](TMortgage &m) {
        return m.SetExtraPayment(12, 1000) && m.SetExtraPayment(200, 5000) &&
               m.SetExtraPayment(100, 1000000);
    });
    add("range", "1", "1-12:100.00", 347, true, range(1, 12, 100));
    add("range with last < first", "1", "10:200.00", 358, true, range(10, 5, 200));
    // Rows reached before the bad number keep the amount; nothing is recalculated.
    add("range past the end", "0", "355-360:50.00", 0, false, range(355, 365, 50));
    // The clean-up pass drops amounts where the balance fell below them, but the
    // figures still count them until the next Calculate.
    add("range cleaned up", "1", "300-311:2000.00", 313, false, range(300, 360, 2000));
    add("from the first", "1", "1-118:500.00", 120, false, from(1, 500));
    add("cleared", "1", "", 0, true, [](TMortgage &m) {
        m.SetExtraPaymentRange(20, 40, 70);
        m.ClearExtraPayments();
        return 1.0;
    });
    add("a new schedule drops them", "1", "", 0, true, [](TMortgage &m) {
        m.SetExtraPayment(5, 1000);
        m.Create(360, 100000, 0.07, 12);
        return 1.0;
    });
    // Refused calls leave the schedule as it was.
    add("single at 0", "0", "", 0, true, single(0));
    add("single negative", "0", "", 0, true, single(-5));
    add("single past the end", "0", "", 0, true, single(361));
    add("range from 0", "0", "", 0, true, range(0, 12));
    add("range from past the end", "0", "", 0, true, range(361, 400));
    add("from 0", "IndexError 0", "", 0, true, from(0));
    add("from past the end", "IndexError 361", "", 0, true, from(361));
    add("from negative", "IndexError -1", "", 0, true, from(-1));
    // A non-finite amount would silently repay the loan.
    add("single infinite", "InvalidOp", "", 0, true, single(1, qInf()));
    add("range NaN", "InvalidOp", "", 0, true, range(1, 5, qQNaN()));
    add("from minus infinity", "InvalidOp", "", 0, true, from(1, -qInf()));
    const std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    add("create with negative term", "InvalidOp", "", 0, true, create(-1));
    add("create with most negative term", "InvalidOp", "", 0, true, create(-kMax - 1));
    add("create one above the bound", "InvalidOp", "", 0, true, create(TMortgage::MaxPayments + 1));
    add("create with a billion", "InvalidOp", "", 0, true, create(1000000000));
    add("create with largest term", "InvalidOp", "", 0, true, create(kMax));
    add("create with zero term", "ZeroDivide", "", 0, true, create(0));
    // The first overflowing row is reported as such, not as a later inf - inf.
    add("create overflowing", "Overflow", "", 0, true, create(360, 1e307));
}

void TestMortgage::calls()
{
    QFETCH(Op, op);
    QFETCH(QString, expected);
    QFETCH(QString, extras);
    QFETCH(int, payoff);
    QFETCH(bool, settled);
    TMortgage m;
    m.Create(360, 100000, 0.07, 12);
    const Rows &rows = m.Payments();
    const Rows plain = rows;
    QCOMPARE(outcome([&] { return op(m); }, expected), expected);
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
    QCOMPARE(shown(rows) == shown(before), settled);
    // Rows before the first extra amount are as without it; that row repays it on top.
    const auto k = std::size_t(
        std::ranges::find_if(rows, [](auto &p) { return p.ExtraPrincipal != 0; }) - rows.begin());
    QCOMPARE(shown(std::span(rows).first(k)), shown(std::span(plain).first(k)));
    if (k < rows.size()) {
        QCOMPARE(cents(rows[k].Principal), cents(plain[k].Principal + rows[k].ExtraPrincipal));
        QCOMPARE(cents(rows[k].Balance), cents(plain[k].Balance - rows[k].ExtraPrincipal));
    }
}

void TestMortgage::randomLoansBalance()
{
    // Fixed seed: every loan's principal is repaid exactly to the cent by its
    // rows plus whatever balance the last row leaves; rows are numbered 1..n
    // and carry running totals.
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
