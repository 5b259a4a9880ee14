// The amortization schedule: rows, extra payments, failures and texts; and the savings of extras.
// Reference figures: 40-digit decimal schedule, payment and interests rounded half up to cents.

#include "finance/MortLib.h"
#include "finance/Savings.h"
#include "tests/finance/FinanceTestUtil.h"

#include <algorithm>
#include <span>

using namespace clvn;
using namespace clvn::test;
using Rows = std::vector<TPayment>;
using Calls = std::function<double(TMortgage &)>;
Q_DECLARE_METATYPE(Calls)

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
            runs << QStringLiteral("%1%2:%3").arg(k + 1).arg(
                j > k + 1 ? QStringLiteral("-%1").arg(j) : QString(), money(a));
    }
    return words(runs);
}

// A row's texts, trimmed, once each is right-aligned in its field (5, then 12 wide), never cut.
QString shown(const TPayment &p)
{
    QStringList texts;
    for (const std::string &s : p.GetStrings()) {
        const QString text = QString::fromStdString(s);
        if (text != text.trimmed().rightJustified(texts.isEmpty() ? 5 : 12))
            return u"misaligned \"" + text + u'"';
        texts << text.trimmed();
    }
    return words(texts);
}

} // namespace

class TestMortgage : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures() { checkRow(); }
    void edges();
    void calls_data();
    void calls();
};

void TestMortgage::figures_data()
{
    addColumns();
    // The payment, then the row's texts.
    const auto row = [](double rate, int k, int n = 360, double loan = 100000) -> Text {
        return [=]() -> QString {
            TMortgage m;
            m.Create(n, loan, rate, 12);
            return money(m.Payment()) + u": " + shown(m.Payments().at(std::size_t(k - 1)));
        };
    };
    addText("7% first", "665.30: 1 81.97 583.33 81.97 583.33 0.00 99918.03", row(0.07, 1));
    addText("7% last", "665.30: 360 661.42 3.88 99997.02 139510.98 0.00 2.98", row(0.07, 360));
    // 100000 / 360 rounds up to 277.78, so the last row only repays the rest.
    addText("zero rate last", "277.78: 360 276.98 0.00 100000.00 0.00 0.00 0.00", row(0, 360));
    // Interest on a balance is rounded once on the exact product: on binary balances these
    // drifted by up to $0.36 over the term.
    addText("12.5% 25y last", "3012.65: 300 2978.44 31.03 276300.00 627491.82 0.00 0.00",
            row(0.125, 300, 300, 276300));
    addText("6.25% 15y last", "3201.62: 180 3184.18 16.58 373400.00 202890.74 0.00 0.00",
            row(0.0625, 180, 180, 373400));
    // Negative, negative zero, one short of the width, and too wide (the text grows).
    addText("row texts", "123456 -12.50 0.00 12345678.90 0.00 0.00 1234567890.12", [] {
        return shown({123456, -12.5, -0.0, 12345678.9, 0, 0, 1234567890.125});
    });
    // Payments made, interest in cents, savings against "three" (2999 cents) both ways.
    const auto savings = [](QList<double> triples) -> Text {
        return [=] {
            Rows r(std::size_t(triples.size() / 3));
            const Rows three{{0, 100, 0, 0, 10, 0, 200},
                             {0, 100, 0, 0, 19.5, 0, 100},
                             {0, 100, 0, 0, 29.99, 0, 0}};
            for (std::size_t k = 0; k < r.size(); ++k)
                r[k] = {0, triples[qsizetype(3 * k)],    0, 0, triples[qsizetype(3 * k + 2)],
                        0, triples[qsizetype(3 * k + 1)]};
            const ExtraPaymentSavings a = CompareSchedules(r, three),
                                      b = CompareSchedules(three, r);
            return QString::asprintf("%d %g | %g %d | %g %d", PaymentsMade(r),
                                     TotalInterestCents(r), a.interestSavedCents, a.paymentsSooner,
                                     b.interestSavedCents, b.paymentsSooner);
        };
    };
    addText("no rows", "0 0 | 2999 3 | -2999 -3", savings({}));
    addText("a row after the last is no payment", "2 1500 | 1499 1 | -1499 -1",
            savings({100, 100, 10, 100, 0, 15, 0, 0, 15}));
    addText("half a cent shows as a cent", "2 1025 | 1974 1 | -1974 -1",
            savings({100, 0.005, 10, 0.005, 0, 10.25}));
    addText("under half a cent shows 0.00", "1 1000 | 1999 2 | -1999 -2",
            savings({100, 0.004, 10, 0.004, 0, 11}));
    addText("interest to the nearest cent", "1 1001 | 1998 2 | -1998 -2",
            savings({100, 0, 10.006}));
}

void TestMortgage::edges()
{
    TMortgage m; // never created: nothing fails and no rows appear
    m.Calculate();
    m.ClearExtraPayments();
    QVERIFY(!m.SetExtraPayment(1, 100) && !m.SetExtraPaymentRange(1, 3, 100));
    QVERIFY_THROWS_EXCEPTION(IndexError, m.SetExtraPaymentsFrom(1, 100));
    QVERIFY(m.Payments().empty() && m.NumPayments() == 0 && m.Payment() == 0);
    m.Create(TMortgage::MaxPayments, 250000, 0.06, 12); // the longest term is accepted
    QCOMPARE(m.Payments().back().Number, TMortgage::MaxPayments);
}

// On 100,000 at 7 % over 360: result, extras left, early payoff row, unchanged by Calculate.
void TestMortgage::calls_data()
{
    QTest::addColumn<Calls>("calls");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("extras");
    QTest::addColumn<int>("payoff");
    QTest::addColumn<bool>("settled");
    // Calls on the schedule; each gives 1 when done, 0 when refused.
    const auto single = [](int p, double a) -> Calls {
        return [=](TMortgage &m) { return double(m.SetExtraPayment(p, a)); };
    };
    const auto range = [](int first, int last, double a) -> Calls {
        return [=](TMortgage &m) { return double(m.SetExtraPaymentRange(first, last, a)); };
    };
    const auto from = [](int first, double a) -> Calls {
        return [=](TMortgage &m) { return m.SetExtraPaymentsFrom(first, a), 1.0; };
    };
    const auto create = [](int n, double loan, double rate) -> Calls {
        return [=](TMortgage &m) { return m.Create(n, loan, rate, 12), 1.0; };
    };
    const auto both = [](Calls a, Calls b) -> Calls {
        return [=](TMortgage &m) { return a(m) * b(m); };
    };
    const Calls clear = [](TMortgage &m) { return m.ClearExtraPayments(), 1.0; };
    const auto add = [](const char *name, Calls calls, const char *expected, const char *extras,
                        int payoff = 0, bool settled = true) {
        QTest::newRow(name) << calls << QString::fromLatin1(expected) << QString::fromLatin1(extras)
                            << payoff << settled;
    };
    add("single", single(12, 1000), "1", "12:1000.00", 349);
    // Later single payments keep earlier ones, even past the payoff: no clean-up.
    add("singles", both(both(single(12, 1000), single(200, 5000)), single(100, 1e6)), "1",
        "12:1000.00 100:1000000.00 200:5000.00", 100);
    add("range", range(1, 12, 100), "1", "1-12:100.00", 347);
    add("range with last < first", range(10, 5, 200), "1", "10:200.00", 358);
    // A range past the end is refused whole: no row keeps an amount its balance never counted.
    add("range past the end", range(355, 365, 50), "0", "");
    // The clean-up drops amounts the balance fell below; figures count them until Calculate.
    add("range cleaned up", range(300, 360, 2000), "1", "300-311:2000.00", 313, false);
    add("from the first", from(1, 500), "1", "1-118:500.00", 120, false);
    add("cleared", both(range(20, 40, 70), clear), "1", "");
    add("a new schedule drops them", both(single(5, 1000), create(360, 1e5, 0.07)), "1", "");
    // Refused calls leave the schedule as it was; a non-finite amount would repay the loan.
    add("single at 0", single(0, 100), "0", "");
    add("single past the end", single(361, 100), "0", "");
    add("range from 0", range(0, 12, 100), "0", "");
    add("from 0", from(0, 100), "IndexError 0", "");
    add("from past the end", from(361, 100), "IndexError 361", "");
    add("single infinite", single(1, qInf()), "InvalidOp", "");
    add("range NaN", range(1, 5, qQNaN()), "InvalidOp", "");
    add("from minus infinity", from(1, -qInf()), "InvalidOp", "");
    // Terms out of range are refused; the first overflowing row is reported as such.
    add("create with negative term", create(-1, 1e5, 10), "InvalidOp", "");
    add("create one above the bound", create(TMortgage::MaxPayments + 1, 1e5, 10), "InvalidOp", "");
    add("create with zero term", create(0, 1e5, 10), "ZeroDivide", "");
    add("create overflowing", create(360, 1e307, 10), "Overflow", "");
}

void TestMortgage::calls()
{
    QFETCH(Calls, calls);
    QFETCH(QString, expected);
    QFETCH(QString, extras);
    QFETCH(int, payoff);
    QFETCH(bool, settled);
    TMortgage m;
    m.Create(360, 100000, 0.07, 12);
    const Rows &rows = m.Payments();
    const Rows plain = rows;
    QCOMPARE(outcome([&] { return QString::number(calls(m)); }), expected);
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

QTEST_GUILESS_MAIN(TestMortgage)
#include "tst_mortgage.moc"
