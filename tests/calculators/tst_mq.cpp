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
    void typed_data()
    {
        test::addStepColumns();
        const QString loans = u"edtMQLoan1 edtMQLoan2 edtMQLoan3"_s;
        QTest::newRow("start figures")
            << u"edtIncome1"_s << u"4000"_s << QString()
            << loans + u" edtMQPayment3 edtMQPurchasePrice2 edtCalculatedHousingRatio "
                       u"edtCalculatedDebtRatio"
            << u"$142,792.19 $122,533.38 $105,693.16 $950.00 $142,533.38 19 36"_s;
        // Rates 2 and 3 follow rate 1 at -0.25 and -0.5; at a rate of 0 (0 / 0)
        // the scenarios before show new figures, that one and those after not.
        QTest::newRow("rate 1 zero")
            << u"edtIncome1 edtMQir1"_s << u"4000 0"_s << test::kUnusableFigures << loans
            << u"$142,792.19 $122,533.38 $105,693.16"_s;
        QTest::newRow("rate 3 zero")
            << u"edtIncome1 edtMQir1"_s << u"4000 0.5"_s << test::kUnusableFigures << loans
            << u"$317,524.50 $222,371.24 $105,693.16"_s;
    }
    void typed()
    {
        test::PageFixture<MqPage> f;
        test::checkSteps(f);
    }
    // Entering takes the stored ratios, calculating nothing. Mended: a cleared
    // rate 1 raises no error per keystroke; followers move once a number stands.
    void enterThenHalfTypedRate()
    {
        test::PageFixture<MqPage> f([](test::FakeHost &host) {
            host.buyerValues().HRatio = 31;
            host.buyerValues().DRatio = 42;
        });
        QVERIFY(f.host.printingAllowed && f.host.resetEnabled);
        QCOMPARE(f.page->focusWidget(), f.get(u"edtIncome1"_s));
        QCOMPARE(test::shownText(f, u"edtHousingRatio edtDebtRatio edtMQLoan1 "
                                    u"edtCalculatedHousingRatio edtCalculatedDebtRatio"_s),
                 u"31 42 $0.00 28 36"_s);
        const QString rates = u"edtMQir1 edtMQir2 edtMQir3"_s;
        test::typeOnly(f.get(u"edtMQir1"_s), QString());
        QCOMPARE(test::shownText(f, rates), u" 7.000 7.000"_s);
        QTest::keyClicks(f.get(u"edtMQir1"_s), u"8"_s);
        QCOMPARE(test::shownText(f, rates), u"8 7.750 7.500"_s);
        QCOMPARE(f.failures, QStringList());
        // Leaving the field empty is still an error, reported once.
        f.type(u"edtMQir1"_s, QString());
        QCOMPARE(f.failures, QStringList{u"1. Interest Rate: a number is needed."_s});
    }
    void resetOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rates"); // rates 2 and 3 after Reset
        // Rate 1 changes on Reset: rate 3 follows it (6.5), rate 2 is set after.
        QTest::newRow("rate 1 was 8") << u"edtMQir1"_s << u"8"_s << u"7.000 6.500"_s;
        // Rate 1 text unchanged: rate 3 is not touched.
        QTest::newRow("rate 3 was 5") << u"edtMQir3"_s << u"5"_s << u"7.000 5"_s;
    }
    // Reset: inputs back, scenarios 1 and 2 cleared, 3 and the ratios kept.
    void resetOrder()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, rates);
        test::PageFixture<MqPage> f;
        test::typeEach(f, u"edtMQTerm3 edtIncome2 edtMQTerm2 "_s + field, u"10 2500 25 "_s + typed);
        const QString kept = u"edtMQLoan3 edtCalculatedHousingRatio"_s;
        const QString before = test::shownText(f, kept);
        const int calls = f.host.allowPrintingCalls;
        f.page->Reset();
        QCOMPARE(test::shownText(f,
                                 u"edtIncome1 edtIncome2 edtCards1 edtDebtRatio edtMQir1 "
                                 u"edtMQTerm2 edtMQTerm3 edtMQLoan1 edtMQPurchasePrice2 edtMQir2 "
                                 u"edtMQir3"_s),
                 u"4000.00 $0.00 $350.00 40 7.000 15 10 $0.00 $0.00 "_s + rates);
        QCOMPARE(test::shownText(f, kept), before);
        QCOMPARE(f.host.allowPrintingCalls, calls);
        QCOMPARE(f.host.disallowPrintingCalls, 0);
        QCOMPARE(f.failures, QStringList());
    }
};

QTEST_MAIN(TestMq)
#include "tst_mq.moc"
