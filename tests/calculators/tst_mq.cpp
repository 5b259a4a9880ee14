// The Mortgage Qualifier page driven as a user drives it: typing into its
// fields, leaving them with Tab, reading what the fields show.

#include "calculators/MqPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestMq : public QObject
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
        m_page = std::make_unique<MqPage>(*m_host);
        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_page->enter();
    }
    void cleanup() { m_page.reset(); } // before the host it uses
    void figures_data();
    void figures();
    void enterCarriesRatiosWithoutCalculating();
    void halfTypedRateWaitsForANumber();
    void resetOrder_data();
    void resetOrder();

private:
    QLineEdit *field(QString name) const { return m_page->findChild<QLineEdit *>(name); }
    // Space-separated "field=text" steps: types each text anew, leaves with Tab.
    void run(const QString &steps)
    {
        for (const QString &step : steps.split(u' ')) {
            QLineEdit *edit = field(step.section(u'=', 0, 0));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, step.section(u'=', 1));
            QTest::keyClick(edit, Qt::Key_Tab);
        }
    }
    // Compares "field=text ..." with what the fields show; "errors": what
    // reached the handler.
    void expect(const QString &expected) const
    {
        QStringList items;
        for (const QString &item : expected.split(u' ')) {
            const QString name = item.section(u'=', 0, 0);
            items << name + u'=' + (name == u"errors" ? m_errors.join(u',') : field(name)->text());
        }
        QCOMPARE(items, expected.split(u' '));
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<MqPage> m_page;
    QStringList m_errors;
};

void TestMq::figures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    // Worked start example (payment 950) and the loans below: independent Python
    // closed-form annuity, 950 * (1 - 1.00583333^-(12y)) / 0.00583333.
    QTest::newRow("start figures")
        << u"edtIncome1=4000"_s
        << u"edtMQPayment1=$950.00 edtMQPayment2=$950.00 edtMQPayment3=$950.00 "
           u"edtMQLoan1=$142,792.19 edtMQLoan2=$122,533.38 edtMQLoan3=$105,693.16 "
           u"edtMQPurchasePrice1=$162,792.19 edtMQPurchasePrice2=$142,533.38 "
           u"edtMQPurchasePrice3=$125,693.16 edtCalculatedHousingRatio=19 "
           u"edtCalculatedDebtRatio=36 errors="_s;
    // Rates 2 and 3 follow rate 1 at -0.25 and -0.5.
    QTest::newRow("rate 1 typed 7")
        << u"edtMQir1=7"_s
        << u"edtMQir2=6.750 edtMQir3=6.500 edtMQLoan2=$124,940.16 edtMQLoan3=$109,056.59 errors="_s;
    // Debts using up the limit: 36 % of 5000 is 1800 with 500 of other debts.
    const QString nothing = u"edtMQPayment1=$0.00 edtMQLoan1=$0.00 edtMQPurchasePrice1=$20,000.00 "
                            u"edtMQPayment2=$0.00 edtMQLoan2=$0.00 edtMQPurchasePrice2=$20,000.00 "
                            u"edtMQPayment3=$0.00 edtMQLoan3=$0.00 edtMQPurchasePrice3=$20,000.00 "
                            u"edtCalculatedHousingRatio=0 errors= edtCalculatedDebtRatio="_s;
    QTest::newRow("debts use up the limit")
        << u"edtDebtRatio=36 edtCards1=1300"_s << nothing + u"36";
    QTest::newRow("debts over the limit") << u"edtDebtRatio=36 edtCards1=2000"_s << nothing + u"50";
    // A rate of 0 has no present value (0 / 0): the scenarios before it show
    // new figures, the failing one and those after keep theirs.
    const QString zero = u"edtIncome1=4000 edtMQir1="_s;
    const QString loans = u"errors=unusable-figures edtMQLoan1=%1 edtMQLoan2=%2 "
                          u"edtMQLoan3=$105,693.16"_s;
    QTest::newRow("rate 1 zero") << zero + u"0" << loans.arg(u"$142,792.19", u"$122,533.38");
    QTest::newRow("rate 2 zero") << zero + u"0.25" << loans.arg(u"$329,456.66", u"$122,533.38");
    QTest::newRow("rate 3 zero") << zero + u"0.5" << loans.arg(u"$317,524.50", u"$222,371.24");
}

void TestMq::figures()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    run(steps);
    expect(expected);
}

// Entering takes the stored ratios but does not calculate.
void TestMq::enterCarriesRatiosWithoutCalculating()
{
    m_host->buyerValues().HRatio = 31;
    m_host->buyerValues().DRatio = 42;
    m_host->printingAllowed = m_host->resetEnabled = false;
    m_page->enter();
    QVERIFY(m_host->printingAllowed && m_host->resetEnabled);
    QCOMPARE(m_page->focusWidget(), field(u"edtIncome1"_s));
    expect(u"edtHousingRatio=31 edtDebtRatio=42 edtMQLoan1=$0.00 edtCalculatedHousingRatio=28 "
           u"edtCalculatedDebtRatio=36 errors="_s);
}

// Mended: clearing rate 1 to type a new one must not raise an error box per
// keystroke; the followers move once a number stands there again.
void TestMq::halfTypedRateWaitsForANumber()
{
    QLineEdit *rate1 = field(u"edtMQir1"_s);
    rate1->setFocus();
    QTest::keyClick(rate1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(rate1, Qt::Key_Delete);
    expect(u"edtMQir1= edtMQir2=7.000 errors="_s);
    QTest::keyClicks(rate1, u"8"_s);
    expect(u"edtMQir2=7.750 edtMQir3=7.500 errors="_s);
    // Leaving the field empty is still an error, reported once.
    QTest::keyClick(rate1, Qt::Key_Backspace);
    QTest::keyClick(rate1, Qt::Key_Tab);
    expect(u"errors=unidentified"_s);
}

void TestMq::resetOrder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rates"); // rates 2 and 3 after Reset
    // Rate 1 changes on Reset: rate 3 follows it (6.5), rate 2 is set after.
    QTest::newRow("rate 1 was 8") << u"edtMQir1=8"_s << u"edtMQir2=7.000 edtMQir3=6.500"_s;
    // Rate 1 text unchanged: rate 3 is not touched.
    QTest::newRow("rate 3 was 5") << u"edtMQir3=5"_s << u"edtMQir2=7.000 edtMQir3=5"_s;
}

void TestMq::resetOrder()
{
    QFETCH(QString, typed);
    QFETCH(QString, rates);
    run(u"edtMQTerm3=10 edtIncome2=2500 edtMQTerm2=25 "_s + typed);
    const QString kept = u"edtMQLoan3=" + field(u"edtMQLoan3"_s)->text() +
                         u" edtCalculatedHousingRatio=" +
                         field(u"edtCalculatedHousingRatio"_s)->text();
    const int allowCalls = m_host->allowPrintingCalls;
    QVERIFY(!kept.startsWith(u"edtMQLoan3=$0.00"));

    m_page->Reset();
    // Reset leaves the focus in income 1, which shows its plain edit text.
    QCOMPARE(m_page->focusWidget(), field(u"edtIncome1"_s));
    expect(u"edtIncome1=4000.00 edtIncome2=$0.00 edtOIncome1=$1,000.00 edtCards1=$350.00 "
           u"edtAuto1=$450.00 edtNotes1=$50.00 edtMQDownPayment=$20,000.00 edtHousingRatio=28 "
           u"edtDebtRatio=40 edtMQir1=7.000 edtMQTerm1=30 edtMQTerm2=15 edtMQTerm3=10 "
           u"edtMQPayment1=$0.00 edtMQLoan1=$0.00 edtMQPurchasePrice1=$0.00 edtMQPayment2=$0.00 "
           u"edtMQLoan2=$0.00 edtMQPurchasePrice2=$0.00 errors= "_s +
           rates);
    // Scenario 3 and the actual ratios stay; nothing recalculated or printed.
    expect(kept);
    QCOMPARE(m_host->allowPrintingCalls, allowCalls);
    QCOMPARE(m_host->disallowPrintingCalls, 0);
}

QTEST_MAIN(TestMq)
#include "tst_mq.moc"
