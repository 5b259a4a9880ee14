// The Biweekly Payments page: which fields calculate when left, what typing
// shows (also with a decimal comma), what a failure leaves, entering and Reset.

#include "calculators/BwPage.h"
#include "tests/support/PageFixture.h"

#include <QtTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString kResults =
    u"edtMortgagePayments edtMortgageTotalPaid edtMortgageCostOfLoan edtMortgageHalfPayments "
    u"edtMortgageHalfTotalPaid edtMortgageHalfCostOfLoan EdtTimeSavedMonths EdtTimeSavedYears "
    u"edtInterestSaved"_s;
// The default loan's: 100,000 at 8.75 % over 360 months.
const QString kDefaults = u"$786.70 $283,212.00 $183,212.00 $393.35 $226,540.72 $126,540.72 "
                          u"94.19 7.85 $56,671.28"_s;

// The shared schedule's term and payment.
QString schedule(test::FakeHost &host)
{
    return u"%1x%2"_s.arg(host.mortgage().NumPayments()).arg(host.mortgage().Payment(), 0, 'f', 2);
}
} // namespace

class TestBw : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void cleanup() { test::pinLocale(); }
    // Typed after a term of 360. Mended: a failure part-way leaves every
    // result and the shared schedule as the last good calculation left them.
    void typed_data()
    {
        test::addStepColumns();
        QTest::addColumn<QString>("locale");
        const QString steps = u"EdtMortgagePeriods EdtMortgageInterest"_s;
        QTest::newRow("de_DE: decimal comma")
            << steps << u"360 8,75"_s << QString() << kResults
            << u"786,70_€ 283.212,00_€ 183.212,00_€ 393,35_€ 226.540,72_€ 126.540,72_€ 94,19 "
               u"7,85 56.671,28_€"_s.replace(u'_', QChar(0xa0))
            << u"de_DE"_s;
        QTest::newRow("rate 0") << steps << u"360 0"_s << test::kUnusableFigures << kResults
                                << kDefaults << u"en_US"_s;
        QTest::newRow("empty rate") << steps << u"360 "_s << u"Interest Rate: a number is needed."_s
                                    << kResults << kDefaults << u"en_US"_s;
    }
    void typed()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        test::PageFixture<BwPage> f;
        test::checkSteps(f);
        QCOMPARE(schedule(f.host), u"360x786.70"_s);
    }
    // Leaving a field with a tab stop calculates once. Mended: the time-saved
    // results have none, and typing cannot change them.
    void eachFieldCalculatesWhenLeft()
    {
        test::PageFixture<BwPage> f;
        const QString fields = u"edtMortgageAmount EdtMortgageInterest EdtMortgagePeriods "
                               u"edtInterestSaved "_s +
                               kResults.section(u' ', 0, 5);
        QCOMPARE(test::notCalculatingWhenLeft(f, fields), QStringList());
        for (const QString &name : {u"EdtTimeSavedMonths"_s, u"EdtTimeSavedYears"_s}) {
            QLineEdit *edit = f.get(name);
            QVERIFY2(edit->isReadOnly() && edit->focusPolicy() == Qt::NoFocus, qPrintable(name));
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClicks(edit, u"123"_s);
        }
        QCOMPARE(test::shownText(f, kResults), kDefaults);
    }
    // Entering shows the stored loan uncalculated; Reset calculates it once.
    void enterAndReset()
    {
        test::PageFixture<BwPage> f([](test::FakeHost &host) {
            host.buyerValues().Interest = 7.5;
            host.buyerValues().Term = 240;
        });
        const QString shown = u"EdtMortgageInterest EdtMortgagePeriods edtMortgagePayments"_s;
        QVERIFY(f.host.printingAllowed && f.host.resetEnabled);
        QCOMPARE(f.page->focusWidget(), f.get(u"edtMortgageAmount"_s));
        QCOMPARE(test::shownText(f, shown), u"7.500 240 $0.00"_s);
        QCOMPARE(schedule(f.host), u"0x0.00"_s);
        test::typeEach(f, u"EdtMortgageInterest EdtMortgagePeriods"_s, u"6 180"_s);
        f.host.allowPrintingCalls = 0;
        f.page->Reset();
        QCOMPARE(f.host.allowPrintingCalls, 1);
        QCOMPARE(test::shownText(f, shown), u"7.500 240 $805.59"_s);
        QCOMPARE(f.failures, QStringList());
    }
};

QTEST_MAIN(TestBw)
#include "tst_bw.moc"
