// The Rent vs Buy page: entering and Reset compute nothing, leaving a field
// calculates, and a failure writes nothing.

#include "calculators/RvbPage.h"
#include "tests/support/PageFixture.h"

#include <QtTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString kFields =
    u"edtRVBMonthlyRent edtRVBRentIncrease edtRVBTerm edtRVBDownPayment edtRVBEstimatedReturn "
    u"edtRVBInterestRate edtRVBLoanTerm edtRVBIncomeTax edtRVBPropertyTax "
    u"edtRVBPropertyAppreciation edtRVBAnnualMaintenance edtRVBSellingCostPercent"_s;
const QString kResults =
    u"edtRVBRentSpent edtRVBInvestmentValue edtRVBHousePrice edtRVBTaxDeductions "
    u"edtRVBAppreciation edtRVBValueOfPurchase edtRVBValueOfRenting edtRVBGain"_s;
// The defaults' results.
const QString kDefaultResults = u"$61,132.11 $6,258.98 $147,793.00 $20,304.28 $57,481.24 "
                                u"$8,870.38 ($59,873.13) $68,743.51"_s;
} // namespace

class TestRvb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    // After the defaults were calculated a failure writes nothing.
    void typed_data()
    {
        test::addStepColumns();
        const QString rent = u"edtRVBMonthlyRent "_s; // the defaults calculated first
        QTest::newRow("horizon of 0 years")
            << rent + u"edtRVBTerm" << u"950 0"_s << test::kUnusableFigures << kResults
            << kDefaultResults;
        QTest::newRow("empty rate") << rent + u"edtRVBInterestRate" << u"950 "_s
                                    << u"Interest Rate of Home Loan (%): a number is needed."_s
                                    << kResults << kDefaultResults;
        QTest::newRow("fractional horizon")
            << rent + u"edtRVBTerm" << u"950 2.5"_s
            << u"Years Before You Will Move: \"2.5\" is not a whole number."_s << kResults
            << kDefaultResults;
    }
    void typed()
    {
        test::PageFixture<RvbPage> f;
        test::checkSteps(f);
    }
    // Entering and Reset (inputs back, results zero) calculate nothing.
    void enterAndResetComputeNothing()
    {
        test::PageFixture<RvbPage> f;
        const QString start = u"950.00 3.500 5 $5,000.00 4.500 7.000 30 33.000 1.200 7.000 $500.00 "
                              u"7.000 $0.00 $0.00 $0.00 $0.00 $0.00 $0.00 $0.00 $0.00"_s;
        QCOMPARE(test::shownText(f, kFields + u' ' + kResults), start);
        QVERIFY(f.host.printingAllowed && f.host.resetEnabled);
        QCOMPARE(f.host.allowPrintingCalls, 1);
        QCOMPARE(QApplication::focusWidget(), f.get(u"edtRVBMonthlyRent"_s));
        test::typeEach(f, kFields, u"1200 5 8 5000 4.5 7 15 33 1.2 7 900 6"_s);
        const int calls = f.host.allowPrintingCalls;
        f.page->Reset();
        QCOMPARE(f.host.allowPrintingCalls, calls);
        QCOMPARE(QApplication::focusWidget(), f.get(u"edtRVBMonthlyRent"_s));
        QCOMPARE(test::shownText(f, kFields + u' ' + kResults), start);
        QCOMPARE(f.failures, QStringList());
    }
};

QTEST_MAIN(TestRvb)
#include "tst_rvb.moc"
