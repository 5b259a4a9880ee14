// The Biweekly Payments page: what typing calculates and shows (also with a
// decimal comma), what a failure leaves, entering and Reset.

#include "calculators/BwPage.h"
#include "tests/support/PageFixture.h"

#include <QtTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
// The results, and the default loan's (100,000 at 8.75 % over 360 months).
const QStringList kResults =
    u"edtMortgagePayments edtMortgageTotalPaid edtMortgageCostOfLoan edtMortgageHalfPayments "
    u"edtMortgageHalfTotalPaid edtMortgageHalfCostOfLoan EdtTimeSavedMonths EdtTimeSavedYears "
    u"edtInterestSaved"_s.split(u' ');
const QStringList kDefaults = u"$786.70 $283,212.00 $183,212.00 $393.35 $226,540.72 $126,540.72 "
                              u"94.19 7.85 $56,671.28"_s.split(u' ');

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
    void typed_data();
    void typed();
    void enterCarriesTheStoredLoanWithoutCalculating();
    void resetCalculatesTheStoredLoan();
};

void TestBw::typed_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QStringList>("shown"); // the results
    const QString term = u"EdtMortgagePeriods"_s, rate = u"EdtMortgageInterest"_s;
    QTest::newRow("default loan") << u"en_US"_s << QStringList{term} << QStringList{u"360"_s}
                                  << QString() << kDefaults;
    // Mended: a failure part-way leaves every result and the shared schedule
    // as the last good calculation left them.
    QTest::newRow("rate 0") << u"en_US"_s << QStringList{term, rate}
                            << QStringList{u"360"_s, u"0"_s} << test::kUnusableFigures << kDefaults;
    QTest::newRow("term 0") << u"en_US"_s << QStringList{term, term}
                            << QStringList{u"360"_s, u"0"_s} << test::kUnusableFigures << kDefaults;
    QTest::newRow("empty rate") << u"en_US"_s << QStringList{term, rate}
                                << QStringList{u"360"_s, QString()} << test::kUnidentified
                                << kDefaults;
    QTest::newRow("de_DE: decimal comma")
        << u"de_DE"_s << QStringList{rate} << QStringList{u"8,75"_s} << QString()
        << u"786,70_€ 283.212,00_€ 183.212,00_€ 393,35_€ 226.540,72_€ 126.540,72_€ 94,19 7,85 "
           u"56.671,28_€"_s.replace(u'_', QChar(0xa0))
               .split(u' ');
}

void TestBw::typed()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QString, failure);
    QFETCH(QStringList, shown);
    QLocale::setDefault(QLocale(locale));
    test::PageFixture<BwPage> f;
    test::typeAll(f, fields, typed);
    QCOMPARE(f.failures, failure.isEmpty() ? QStringList() : QStringList{failure});
    QCOMPARE(test::shown(f, kResults), shown);
    QCOMPARE(schedule(f.host), u"360x786.70"_s);
}

void TestBw::enterCarriesTheStoredLoanWithoutCalculating()
{
    test::PageFixture<BwPage> f([](test::FakeHost &host) {
        host.buyerValues().Loan = 150000;
        host.buyerValues().Interest = 7.5;
        host.buyerValues().Term = 240;
    });
    QVERIFY(f.host.printingAllowed && f.host.resetEnabled);
    QCOMPARE(f.page->focusWidget(), f.get(u"edtMortgageAmount"_s));
    QCOMPARE(test::shown(f, {u"EdtMortgageInterest"_s, u"EdtMortgagePeriods"_s,
                             u"edtMortgagePayments"_s, u"EdtTimeSavedMonths"_s}),
             (QStringList{u"7.500"_s, u"240"_s, u"$0.00"_s, u"0.00"_s}));
    QCOMPARE(schedule(f.host), u"0x0.00"_s);
}

// Reset calculates once; the time-saved figures are results, which typing
// cannot change (mended: a printout showed what was typed over them).
void TestBw::resetCalculatesTheStoredLoan()
{
    test::PageFixture<BwPage> f;
    test::typeAll(f, {u"edtMortgageAmount"_s, u"EdtMortgageInterest"_s, u"EdtMortgagePeriods"_s},
                  {u"250000"_s, u"6"_s, u"180"_s});
    f.host.allowPrintingCalls = 0;
    f.page->Reset();
    QCOMPARE(f.host.allowPrintingCalls, 1);
    QCOMPARE(test::shown(f, {u"EdtMortgageInterest"_s, u"EdtMortgagePeriods"_s}),
             (QStringList{u"8.750"_s, u"360"_s}));
    for (const QString &name : {u"EdtTimeSavedMonths"_s, u"EdtTimeSavedYears"_s}) {
        QLineEdit *edit = f.get(name);
        QVERIFY2(edit->isReadOnly() && edit->focusPolicy() == Qt::NoFocus, qPrintable(name));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, u"123"_s);
    }
    QCOMPARE(test::shown(f, kResults), kDefaults);
    QCOMPARE(schedule(f.host), u"360x786.70"_s);
    QCOMPARE(f.failures, QStringList());
}

QTEST_MAIN(TestBw)
#include "tst_bw.moc"
