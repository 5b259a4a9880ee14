// The Rent vs Buy page: entering and Reset compute nothing, leaving a field
// calculates, and a failure writes nothing.

#include "calculators/RvbPage.h"
#include "tests/support/PageFixture.h"

#include <QApplication>
#include <QtTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QStringList kInputs =
    u"edtRVBMonthlyRent edtRVBRentIncrease edtRVBTerm edtRVBDownPayment edtRVBEstimatedReturn "
    u"edtRVBInterestRate edtRVBLoanTerm edtRVBIncomeTax edtRVBPropertyTax "
    u"edtRVBPropertyAppreciation edtRVBAnnualMaintenance edtRVBSellingCostPercent"_s.split(u' ');
const QStringList kDefaults = u"$950.00 3.500 5 $5,000.00 4.500 7.000 30 33.000 1.200 7.000 "
                              u"$500.00 7.000"_s.split(u' ');
const QStringList kResults =
    u"edtRVBRentSpent edtRVBInvestmentValue edtRVBHousePrice edtRVBTaxDeductions "
    u"edtRVBAppreciation edtRVBValueOfPurchase edtRVBValueOfRenting edtRVBGain"_s.split(u' ');
const QStringList kNone = QStringList(8, u"$0.00"_s);
// The defaults' results.
const QStringList kDefaultResults = u"$61,132.11 $6,258.98 $147,793.00 $20,304.28 $57,481.24 "
                                    u"$8,870.38 ($59,873.13) $68,743.51"_s.split(u' ');
} // namespace

class TestRvb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void typed_data();
    void typed();
    void enterAndResetComputeNothing();
};

void TestRvb::typed_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("failures");
    QTest::addColumn<QStringList>("results");
    QTest::newRow("defaults") << u"edtRVBMonthlyRent"_s << u"950"_s << QStringList()
                              << kDefaultResults;
    // After the defaults were calculated: nothing is written.
    QTest::newRow("horizon of 0 years")
        << u"edtRVBTerm"_s << u"0"_s << QStringList{test::kUnusableFigures} << kDefaultResults;
    QTest::newRow("empty rate") << u"edtRVBInterestRate"_s << QString()
                                << QStringList{test::kUnidentified} << kDefaultResults;
}

void TestRvb::typed()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, failures);
    QFETCH(QStringList, results);
    test::PageFixture<RvbPage> f;
    f.type(u"edtRVBMonthlyRent"_s, u"950"_s);
    f.type(field, text);
    QCOMPARE(f.failures, failures);
    QCOMPARE(test::shown(f, kResults), results);
}

// Entering calculates nothing; Reset puts every input back, zeroes the
// results, focuses the rent and calculates nothing either.
void TestRvb::enterAndResetComputeNothing()
{
    test::PageFixture<RvbPage> f;
    QStringList start = kDefaults + kNone;
    start[0] = u"950.00"_s; // the rent has the focus: its edit text
    QCOMPARE(test::shown(f, kInputs + kResults), start);
    QVERIFY(f.host.printingAllowed && f.host.resetEnabled);
    QCOMPARE(f.host.allowPrintingCalls, 1);
    QCOMPARE(QApplication::focusWidget(), f.get(u"edtRVBMonthlyRent"_s));
    test::typeAll(f, kInputs, u"1200 5 8 5000 4.5 7 15 33 1.2 7 900 6"_s.split(u' '));
    const int calls = f.host.allowPrintingCalls;
    f.page->Reset();
    QCOMPARE(f.host.allowPrintingCalls, calls);
    QCOMPARE(QApplication::focusWidget(), f.get(u"edtRVBMonthlyRent"_s));
    QCOMPARE(test::shown(f, kInputs + kResults), start);
    QCOMPARE(f.failures, QStringList());
}

QTEST_MAIN(TestRvb)
#include "tst_rvb.moc"
