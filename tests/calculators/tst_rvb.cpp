// The Rent vs Buy page driven as a user drives it: typing into its fields,
// leaving them with Tab, reading what the results show.

#include "calculators/RvbPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString kDefaults =
    u"edtRVBMonthlyRent=$950.00 edtRVBRentIncrease=3.500 edtRVBTerm=5 "
    u"edtRVBDownPayment=$5,000.00 edtRVBEstimatedReturn=4.500 edtRVBInterestRate=7.000 "
    u"edtRVBLoanTerm=30 edtRVBIncomeTax=33.000 edtRVBPropertyTax=1.200 "
    u"edtRVBPropertyAppreciation=7.000 edtRVBAnnualMaintenance=$500.00 "
    u"edtRVBSellingCostPercent=7.000"_s;
const QString kResults = u"edtRVBRentSpent edtRVBInvestmentValue edtRVBHousePrice "
                         u"edtRVBTaxDeductions edtRVBAppreciation edtRVBValueOfPurchase "
                         u"edtRVBValueOfRenting edtRVBGain"_s;
// The eight results, in the order of kResults, as "field=text ...".
QString results(const QString &texts)
{
    const QStringList names = kResults.split(u' '), shown = texts.split(u' ');
    QStringList items;
    for (int i = 0; i < names.size(); ++i)
        items << names[i] + u'=' + shown.value(i);
    return items.join(u' ');
}
// The defaults' results. Figures: the same steps in 40-digit decimal
// arithmetic (mpmath), to cents.
const QString kDefaultResults = results(u"$61,132.11 $6,258.98 $147,793.00 $20,304.28 $57,481.24 "
                                        u"$8,870.38 ($59,873.13) $68,743.51"_s);
} // namespace

class TestRvb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        test::recordErrors(m_errors);
    }
    void init()
    {
        m_errors.clear();
        m_host = std::make_unique<test::FakeHost>();
        m_page = std::make_unique<RvbPage>(*m_host);
        m_page->setFont(QFont(u"Arial"_s, 8));
        m_page->resize(587, 380);
        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_page->enter();
    }
    void cleanup() { m_page.reset(); } // before the host it uses

    void entryComputesNothing();
    void figures_data();
    void figures();
    void resetPutsBackDefaults();

private:
    QLineEdit *field(const QString &name) const { return m_page->findChild<QLineEdit *>(name); }
    QString shown(const QString &name) const
    {
        if (name == u"focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QString();
        if (name == u"errors")
            return m_errors.join(u',');
        if (name == u"printing/reset")
            return u"%1/%2"_s.arg(m_host->printingAllowed ? u"on" : u"off",
                                  m_host->resetEnabled ? u"on" : u"off");
        auto *money = qobject_cast<TNumEdit *>(field(name));
        return money ? money->displayText() : field(name)->text();
    }
    void expect(const QString &expected) const
    {
        QStringList items;
        for (const QString &item : expected.split(u' ', Qt::SkipEmptyParts))
            items << item.section(u'=', 0, 0) + u'=' + shown(item.section(u'=', 0, 0));
        QCOMPARE(items, expected.split(u' ', Qt::SkipEmptyParts));
    }
    // "field=text ...": types each text anew and leaves the field with Tab.
    void run(const QString &steps)
    {
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            QLineEdit *edit = field(step.section(u'=', 0, 0));
            QVERIFY2(edit, qPrintable(step));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, step.section(u'=', 1));
            QTest::keyClick(edit, Qt::Key_Tab);
        }
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<RvbPage> m_page;
    QStringList m_errors;
};

void TestRvb::entryComputesNothing()
{
    expect(kDefaults + u' ' + results(u"$0.00 $0.00 $0.00 $0.00 $0.00 $0.00 $0.00 $0.00"_s) +
           u" focus=edtRVBMonthlyRent printing/reset=on/on errors="_s);
    QCOMPARE(m_host->allowPrintingCalls, 1);
}

void TestRvb::figures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << u"edtRVBMonthlyRent=950"_s << kDefaultResults + u" errors=";
    // The price is H + 0.5 rounded with a tie to the even whole: 12003 goes
    // to 12004, 12006 stays (away from zero it would be 12007).
    const QString tie = u"edtRVBInterestRate=0 edtRVBLoanTerm=1 edtRVBDownPayment=0 "
                        u"edtRVBMonthlyRent="_s;
    QTest::newRow("price of an odd whole loan")
        << tie + u"1000.25" << u"edtRVBHousePrice=$12,004.00 errors="_s;
    QTest::newRow("price of an even whole loan")
        << tie + u"1000.5" << u"edtRVBHousePrice=$12,006.00 errors="_s;
    // Faults: nothing is written, the defaults' results stay.
    const QString first = u"edtRVBMonthlyRent=950 "_s;
    QTest::newRow("horizon of 0 years")
        << first + u"edtRVBTerm=0" << kDefaultResults + u" errors=unusable-figures";
    QTest::newRow("negative horizon")
        << first + u"edtRVBTerm=-2" << kDefaultResults + u" errors=unusable-figures";
    QTest::newRow("horizon of 20 digits") << first + u"edtRVBTerm=99999999999999999999"
                                          << kDefaultResults + u" errors=unusable-figures";
    QTest::newRow("negative loan term")
        << first + u"edtRVBLoanTerm=-1" << kDefaultResults + u" errors=unusable-figures";
    QTest::newRow("fractional horizon")
        << first + u"edtRVBTerm=2.5" << kDefaultResults + u" errors=unidentified";
    QTest::newRow("empty rate") << first + u"edtRVBInterestRate="
                                << kDefaultResults + u" errors=unidentified";
}

void TestRvb::figures()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    run(steps);
    expect(expected);
}

// Reset puts every input back, zeroes the results, focuses the rent and
// computes nothing.
void TestRvb::resetPutsBackDefaults()
{
    run(u"edtRVBRentIncrease=5 edtRVBTerm=8 edtRVBLoanTerm=15 edtRVBSellingCostPercent=6 "
        u"edtRVBAnnualMaintenance=900 edtRVBMonthlyRent=1200"_s);
    const int calcs = m_host->allowPrintingCalls;
    m_page->Reset();
    expect(kDefaults + u' ' + results(u"$0.00 $0.00 $0.00 $0.00 $0.00 $0.00 $0.00 $0.00"_s) +
           u" focus=edtRVBMonthlyRent errors="_s);
    QCOMPARE(m_host->allowPrintingCalls, calcs);
}

QTEST_MAIN(TestRvb)
#include "tst_rvb.moc"
