// The Mortgage Qualifier page: which typing calculates, the rates that follow
// rate 1, what a failing scenario leaves, entering and Reset.

#include "calculators/MqPage.h"
#include "tests/support/PageFixture.h"

#include <QtTest>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestMq : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void typed_data();
    void typed();
    void enterCarriesRatiosWithoutCalculating();
    void halfTypedRateWaitsForANumber();
    void resetOrder_data();
    void resetOrder();
};

void TestMq::typed_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("shown");
    const QStringList loans = u"edtMQLoan1 edtMQLoan2 edtMQLoan3"_s.split(u' ');
    QTest::newRow("start figures")
        << QStringList{u"edtIncome1"_s} << QStringList{u"4000"_s} << QString()
        << loans + u"edtMQPayment3 edtMQPurchasePrice2 edtCalculatedHousingRatio "
                   u"edtCalculatedDebtRatio"_s.split(u' ')
        << u"$142,792.19 $122,533.38 $105,693.16 $950.00 $142,533.38 19 36"_s.split(u' ');
    // Rates 2 and 3 follow rate 1 at -0.25 and -0.5, and their loans use them.
    QTest::newRow("rate 1 typed 7")
        << QStringList{u"edtMQir1"_s} << QStringList{u"7"_s} << QString()
        << u"edtMQir2 edtMQir3 edtMQLoan2 edtMQLoan3"_s.split(u' ')
        << u"6.750 6.500 $124,940.16 $109,056.59"_s.split(u' ');
    // 36 % of 5000 is 1800, less 2500 of debts: no payment, the cash alone.
    QTest::newRow("debts over the limit")
        << u"edtDebtRatio edtCards1"_s.split(u' ') << u"36 2000"_s.split(u' ') << QString()
        << u"edtMQPayment1 edtMQLoan1 edtMQPurchasePrice1 edtCalculatedHousingRatio "
           u"edtCalculatedDebtRatio"_s.split(u' ')
        << u"$0.00 $0.00 $20,000.00 0 50"_s.split(u' ');
    // A rate of 0 has no present value (0 / 0): the scenarios before it show
    // new figures, the failing one and those after keep theirs.
    const QStringList zero{u"edtIncome1"_s, u"edtMQir1"_s};
    QTest::newRow("rate 1 zero") << zero << u"4000 0"_s.split(u' ') << test::kUnusableFigures
                                 << loans << u"$142,792.19 $122,533.38 $105,693.16"_s.split(u' ');
    QTest::newRow("rate 2 zero") << zero << u"4000 0.25"_s.split(u' ') << test::kUnusableFigures
                                 << loans << u"$329,456.66 $122,533.38 $105,693.16"_s.split(u' ');
    QTest::newRow("rate 3 zero") << zero << u"4000 0.5"_s.split(u' ') << test::kUnusableFigures
                                 << loans << u"$317,524.50 $222,371.24 $105,693.16"_s.split(u' ');
}

void TestMq::typed()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QString, failure);
    QFETCH(QStringList, names);
    QFETCH(QStringList, shown);
    test::PageFixture<MqPage> f;
    test::typeAll(f, fields, typed);
    QCOMPARE(f.failures, failure.isEmpty() ? QStringList() : QStringList{failure});
    QCOMPARE(test::shown(f, names), shown);
}

// Entering takes the stored ratios but does not calculate.
void TestMq::enterCarriesRatiosWithoutCalculating()
{
    test::PageFixture<MqPage> f([](test::FakeHost &host) {
        host.buyerValues().HRatio = 31;
        host.buyerValues().DRatio = 42;
    });
    QVERIFY(f.host.printingAllowed && f.host.resetEnabled);
    QCOMPARE(f.page->focusWidget(), f.get(u"edtIncome1"_s));
    QCOMPARE(test::shown(f, {u"edtHousingRatio"_s, u"edtDebtRatio"_s, u"edtMQLoan1"_s,
                             u"edtCalculatedHousingRatio"_s, u"edtCalculatedDebtRatio"_s}),
             (QStringList{u"31"_s, u"42"_s, u"$0.00"_s, u"28"_s, u"36"_s}));
    QCOMPARE(f.failures, QStringList());
}

// Mended: clearing rate 1 to type a new one must not raise an error box per
// keystroke; the followers move once a number stands there again.
void TestMq::halfTypedRateWaitsForANumber()
{
    test::PageFixture<MqPage> f;
    const QStringList rates{u"edtMQir1"_s, u"edtMQir2"_s, u"edtMQir3"_s};
    test::typeOnly(f.get(rates[0]), QString());
    QCOMPARE(test::shown(f, rates), (QStringList{QString(), u"7.000"_s, u"7.000"_s}));
    QTest::keyClicks(f.get(rates[0]), u"8"_s);
    QCOMPARE(test::shown(f, rates), (QStringList{u"8"_s, u"7.750"_s, u"7.500"_s}));
    QCOMPARE(f.failures, QStringList());
    // Leaving the field empty is still an error, reported once.
    f.type(rates[0], QString());
    QCOMPARE(f.failures, QStringList{test::kUnidentified});
}

void TestMq::resetOrder_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("rates"); // rates 2 and 3 after Reset
    // Rate 1 changes on Reset: rate 3 follows it (6.5), rate 2 is set after.
    QTest::newRow("rate 1 was 8") << u"edtMQir1"_s << u"8"_s << QStringList{u"7.000"_s, u"6.500"_s};
    // Rate 1 text unchanged: rate 3 is not touched.
    QTest::newRow("rate 3 was 5") << u"edtMQir3"_s << u"5"_s << QStringList{u"7.000"_s, u"5"_s};
}

// Reset puts back the inputs and clears scenarios 1 and 2 without calculating;
// scenario 3 and the actual ratios stay.
void TestMq::resetOrder()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, rates);
    test::PageFixture<MqPage> f;
    test::typeAll(f, {u"edtMQTerm3"_s, u"edtIncome2"_s, u"edtMQTerm2"_s, field},
                  {u"10"_s, u"2500"_s, u"25"_s, typed});
    const QStringList kept{u"edtMQLoan3"_s, u"edtCalculatedHousingRatio"_s};
    const QStringList before = test::shown(f, kept);
    QVERIFY(before[0] != u"$0.00");
    const int calls = f.host.allowPrintingCalls;
    f.page->Reset();
    // The focus is in income 1, which shows its plain edit text.
    QCOMPARE(f.page->focusWidget(), f.get(u"edtIncome1"_s));
    const QStringList names =
        u"edtIncome1 edtIncome2 edtCards1 edtDebtRatio edtMQir1 edtMQTerm2 "
        u"edtMQTerm3 edtMQLoan1 edtMQPurchasePrice2 edtMQir2 edtMQir3"_s.split(u' ');
    const QStringList start = u"4000.00 $0.00 $350.00 40 7.000 15 10 $0.00 $0.00"_s.split(u' ');
    QCOMPARE(test::shown(f, names), start + rates);
    QCOMPARE(test::shown(f, kept), before);
    QCOMPARE(f.host.allowPrintingCalls, calls);
    QCOMPARE(f.host.disallowPrintingCalls, 0);
    QCOMPARE(f.failures, QStringList());
}

QTEST_MAIN(TestMq)
#include "tst_mq.moc"
