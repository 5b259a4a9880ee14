// The Biweekly Payments page driven as a user drives it: typing into its
// fields, leaving them with Tab, reading what the fields show.

#include "calculators/BwPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestBw : public QObject
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
        m_page = std::make_unique<BwPage>(*m_host);
        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_page->enter();
    }
    void cleanup() { m_page.reset(); } // before the host it uses
    void figures_data();
    void figures();
    void enterCarriesDefaultsWithoutCalculating();
    void resetCalculatesTheStoredLoan();
    void timeSavedFieldsAreResults();

private:
    QLineEdit *field(const QString &name) const { return m_page->findChild<QLineEdit *>(name); }
    // Space-separated "field=text" steps: types each text anew, leaves with Tab.
    void run(const QString &steps)
    {
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            QLineEdit *edit = field(step.section(u'=', 0, 0));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, step.section(u'=', 1));
            QTest::keyClick(edit, Qt::Key_Tab);
        }
    }
    // "field=text ..." as the fields show them; "errors": what reached the
    // handler; "schedule": the shared schedule's term and payment.
    QString shown(const QString &names) const
    {
        QStringList items;
        for (const QString &name : names.split(u' ')) {
            QString text;
            if (name == u"errors")
                text = m_errors.join(u',');
            else if (name == u"schedule")
                text = u"%1x%2"_s.arg(m_host->mortgage().NumPayments())
                           .arg(m_host->mortgage().Payment(), 0, 'f', 2);
            else
                text = field(name)->text();
            items << name + u'=' + text;
        }
        return items.join(u' ');
    }
    static QString namesOf(const QString &expected)
    {
        QStringList names;
        for (const QString &item : expected.split(u' '))
            names << item.section(u'=', 0, 0);
        return names.join(u' ');
    }
    void expect(const QString &expected) const { QCOMPARE(shown(namesOf(expected)), expected); }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<BwPage> m_page;
    QStringList m_errors;
};

// The figures of the default loan (100,000 at 8.75 % over 360 months).
static const QString kDefaults =
    u"edtMortgagePayments=$786.70 edtMortgageTotalPaid=$283,212.00 "
    u"edtMortgageCostOfLoan=$183,212.00 edtMortgageHalfPayments=$393.35 "
    u"edtMortgageHalfTotalPaid=$226,540.72 edtMortgageHalfCostOfLoan=$126,540.72 "
    u"EdtTimeSavedMonths=94.19 EdtTimeSavedYears=7.85 edtInterestSaved=$56,671.28"_s;

void TestBw::figures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    // Reference figures: an independent Python computation in doubles (schedule
    // payment rounded as Int(x * 100 + 0.5) / 100, k = -ln(1 - L/h * r/26) / ln(1 + r/26)); the
    // first row is the page's worked example.
    QTest::newRow("default loan") << u"EdtMortgagePeriods=360"_s
                                  << kDefaults + u" errors= schedule=360x786.70";
    // Mended: a failure part-way leaves every result (and the shared schedule)
    // as the last good calculation left them.
    const QString kept = kDefaults + u" schedule=360x786.70 errors=";
    QTest::newRow("rate 0") << u"EdtMortgagePeriods=360 EdtMortgageInterest=0"_s
                            << kept + u"unusable-figures";
    QTest::newRow("term 0") << u"EdtMortgagePeriods=360 EdtMortgagePeriods=0"_s
                            << kept + u"unusable-figures";
    QTest::newRow("empty rate") << u"EdtMortgagePeriods=360 EdtMortgageInterest="_s
                                << kept + u"unidentified";
}

void TestBw::figures()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    run(steps);
    expect(expected);
}

// Entering carries the stored loan in but computes nothing.
void TestBw::enterCarriesDefaultsWithoutCalculating()
{
    m_host->buyerValues().Loan = 150000;
    m_host->buyerValues().Interest = 7.5;
    m_host->buyerValues().Term = 240;
    m_host->printingAllowed = m_host->resetEnabled = false;
    m_page->enter();
    QVERIFY(m_host->printingAllowed && m_host->resetEnabled);
    QCOMPARE(m_page->focusWidget(), field(u"edtMortgageAmount"_s));
    expect(u"EdtMortgageInterest=7.500 EdtMortgagePeriods=240 edtMortgagePayments=$0.00 "
           u"EdtTimeSavedMonths=0.00 schedule=0x0.00 errors="_s);
}

void TestBw::resetCalculatesTheStoredLoan()
{
    run(u"edtMortgageAmount=250000 EdtMortgageInterest=6 EdtMortgagePeriods=180"_s);
    m_host->allowPrintingCalls = 0;
    m_page->Reset();
    expect(u"EdtMortgageInterest=8.750 EdtMortgagePeriods=360 "_s + kDefaults +
           u" schedule=360x786.70 errors=");
    QCOMPARE(m_host->allowPrintingCalls, 1);
}

// Mended: the time-saved figures are results like every other, so a
// printout cannot show figures typed over them.
void TestBw::timeSavedFieldsAreResults()
{
    m_page->Reset();
    for (const QString &name : {u"EdtTimeSavedMonths"_s, u"EdtTimeSavedYears"_s}) {
        QLineEdit *edit = field(name);
        QVERIFY2(edit->isReadOnly() && edit->focusPolicy() == Qt::NoFocus, qPrintable(name));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, u"123"_s);
    }
    expect(u"EdtTimeSavedMonths=94.19 EdtTimeSavedYears=7.85 errors="_s);
}

QTEST_MAIN(TestBw)
#include "tst_bw.moc"
