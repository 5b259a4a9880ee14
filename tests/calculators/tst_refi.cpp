// The Refinancing Calculator page driven as a user drives it: typing into its
// fields, leaving them with Tab, using the itemized closing-cost panel,
// reading what the fields and the sentence show.

#include "calculators/RefiPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
// What the page shows at start and after Reset (the start inputs' results).
const QString kStart =
    u"edtOldLoan=$100,000.00 edtOldTerm=360 edtOldInterestRate=8.750 edtOldPaymentsMade=0 "
    u"edtOldPaymentsRemaining=360 edtOldPayment=$786.70 edtNewLoan=$100,000.00 edtNewTerm=240 "
    u"edtNewInterestRate=7.250 edtRefiClosingCosts=0.00 edtMonthsUntilSell=240 "
    u"edtNewPayment=$790.38 edtPaymentSaved=($3.68) edtTotalPaymentSaved=($882.14) "
    u"edtOldEquity=$37,228.05 edtNewEquity=$100,000.00 edtEquitySavings=$62,771.95 "
    u"edtTotalSaved=$61,889.81 lblSell=If_you_sell_in_240_months,"_s;
} // namespace

class TestRefi : public QObject
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
        m_page = std::make_unique<RefiPage>(*m_host);
        m_page->setFont(QFont(u"Arial"_s, 8));
        m_page->resize(587, 380);
        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_page->enter();
        m_mark = m_host->allowPrintingCalls;
    }
    void cleanup() { m_page.reset(); } // before the host it uses

    void startAndEntry();
    void figures_data();
    void figures();
    void panel_data();
    void panel();
    void resetRestoresEverythingButThePanel();
    void badFigureShowsOneMessage();

private:
    QLineEdit *field(const QString &name) const { return m_page->findChild<QLineEdit *>(name); }
    // What the user reads; "lblSell" with spaces as '_', "focus", "errors",
    // "calcs": calculations since the last "mark", "pnlClosingCosts" open or
    // closed, "btnCalcFees" on or off.
    QString shown(const QString &name) const
    {
        if (name == u"lblSell")
            return m_page->findChild<QLabel *>(name)->text().replace(u' ', u'_');
        if (name == u"focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QString();
        if (name == u"errors")
            return m_errors.join(u',');
        if (name == u"calcs")
            return QString::number(m_host->allowPrintingCalls - m_mark);
        if (name == u"pnlClosingCosts")
            return m_page->findChild<QFrame *>(name)->isVisible() ? u"open"_s : u"closed"_s;
        if (name == u"btnCalcFees")
            return m_page->findChild<QPushButton *>(name)->isEnabled() ? u"on"_s : u"off"_s;
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
    // Space-separated steps: "field=text" types the text anew and leaves the
    // field with Tab ("field=text!" presses Enter instead of Tab, "field="
    // empties it); a button name clicks the button; "mark" starts counting
    // calculations.
    void run(const QString &steps)
    {
        for (QString step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"mark") {
                m_mark = m_host->allowPrintingCalls;
                continue;
            }
            if (!step.contains(u'=')) {
                auto *button = m_page->findChild<QPushButton *>(step);
                QVERIFY2(button && button->isVisible() && button->isEnabled(), qPrintable(step));
                QTest::mouseClick(button, Qt::LeftButton);
                continue;
            }
            const bool enter = step.endsWith(u'!');
            if (enter)
                step.chop(1);
            QLineEdit *edit = field(step.section(u'=', 0, 0));
            QVERIFY2(edit, qPrintable(step));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, step.section(u'=', 1));
            QTest::keyClick(edit, enter ? Qt::Key_Return : Qt::Key_Tab);
        }
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<RefiPage> m_page;
    QStringList m_errors;
    int m_mark = 0;
};

// Entering enables printing and Reset and focuses the balance; it computes
// nothing, and the start results are those of the start inputs.
void TestRefi::startAndEntry()
{
    QVERIFY(m_host->printingAllowed && m_host->resetEnabled);
    expect(kStart + u" focus=edtOldLoan calcs=0 pnlClosingCosts=closed btnCalcFees=on"_s);
    run(u"edtOldLoan=100000"_s);
    expect(kStart.section(u' ', 1) + u" calcs=1 errors="_s);
}

void TestRefi::figures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sale after the new term counts the term")
        << u"edtMonthsUntilSell=300"_s
        << u"lblSell=If_you_sell_in_240_months, edtTotalSaved=$61,889.81 errors="_s;
    // Two equal loans save nothing; a fraction of a cent of costs is no debt.
    QTest::newRow("a saving that rounds to zero shows no minus")
        << u"edtNewTerm=360 edtNewInterestRate=8.75 edtRefiClosingCosts=0.004"_s
        << u"edtPaymentSaved=$0.00 edtEquitySavings=$0.00 edtTotalSaved=$0.00 errors="_s;
    // Text that is no whole number is the conversion error; nothing changes.
    const QString unchanged = u"edtOldPaymentsRemaining=360 edtTotalSaved=$61,889.81 "
                              u"lblSell=If_you_sell_in_240_months, errors="_s;
    QTest::newRow("fractional month count")
        << u"edtMonthsUntilSell=12.5"_s << unchanged + u"unidentified";
    QTest::newRow("empty term") << u"edtOldTerm="_s << unchanged + u"unidentified";
    // Counts that make nonsense are refused before anything is written: the
    // figures of the last good calculation (120 months) stay.
    const QString kept = u"edtOldPaymentsRemaining=360 edtTotalSaved=$21,258.58 "
                         u"lblSell=If_you_sell_in_120_months, errors=unusable-figures"_s;
    const QString first = u"edtMonthsUntilSell=120 "_s;
    QTest::newRow("payments made above the term") << first + u"edtOldPaymentsMade=361" << kept;
    QTest::newRow("negative payments made") << first + u"edtOldPaymentsMade=-1" << kept;
    QTest::newRow("negative new term") << first + u"edtNewTerm=-240" << kept;
    QTest::newRow("negative months until sale") << first + u"edtMonthsUntilSell=-5" << kept;
    QTest::newRow("old term above the cap") << first + u"edtOldTerm=1201" << kept;
    QTest::newRow("new term of 20 digits") << first + u"edtNewTerm=99999999999999999999" << kept;
    QTest::newRow("months until sale of 20 digits")
        << first + u"edtMonthsUntilSell=99999999999999999999" << kept;
}

void TestRefi::figures()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    run(steps);
    expect(expected);
}

void TestRefi::panel_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("opening focuses the first item")
        << u"btnCalcFees"_s
        << u"pnlClosingCosts=open btnCalcFees=off focus=edtDiscountPoints errors="_s;
    // Leaving an item adds them up; the page's results wait for OK.
    QTest::newRow("items add up on leaving")
        << u"btnCalcFees mark edtDiscountPoints=1000 edtPrepaymentPenalty=250.25"_s
        << u"edtClosingFees=$1,250.25 edtRefiClosingCosts=1250.25 edtTotalSaved=$61,889.81 "
           u"calcs=0"_s;
    QTest::newRow("OK clicked recalculates once")
        << u"btnCalcFees edtDiscountPoints=1000 edtAppraisalFee=500 mark btnCloseClosingCosts"_s
        << u"pnlClosingCosts=closed btnCalcFees=on focus=edtMonthsUntilSell "
           u"edtRefiClosingCosts=1500.00 edtTotalSaved=$60,389.81 calcs=1 errors="_s;
    // From the keyboard: Enter in an item is OK, and the item's figure counts
    // although the item was never left.
    QTest::newRow("OK from the keyboard takes the total")
        << u"btnCalcFees edtCreditCheck=40 mark edtOtherFees=60.5!"_s
        << u"pnlClosingCosts=closed btnCalcFees=on focus=edtMonthsUntilSell "
           u"edtClosingFees=$100.50 edtRefiClosingCosts=100.50 edtTotalSaved=$61,789.31 calcs=1 "
           u"errors="_s;
    QTest::newRow("clear zeroes items and the closing costs")
        << u"btnCalcFees mark edtTitleSearchFee=300 edtLocalFees=75 btnClearClosingCosts"_s
        << u"edtTitleSearchFee=$0.00 edtLocalFees=$0.00 edtClosingFees=$0.00 "
           u"edtRefiClosingCosts=0.00 focus=edtDiscountPoints pnlClosingCosts=open calcs=0 "
           u"errors="_s;
    // A figure typed straight into the closing costs stands until an item is left.
    QTest::newRow("typed closing costs give way to the items")
        << u"edtRefiClosingCosts=999 btnCalcFees edtInspections=120"_s
        << u"edtRefiClosingCosts=120.00 edtTotalSaved=$60,890.81 errors="_s;
    // Opening the panel and closing it without changing an item keeps the figure.
    QTest::newRow("OK with untouched items keeps typed closing costs")
        << u"edtRefiClosingCosts=777 btnCalcFees mark btnCloseClosingCosts"_s
        << u"pnlClosingCosts=closed btnCalcFees=on focus=edtMonthsUntilSell "
           u"edtRefiClosingCosts=777 edtClosingFees=$0.00 edtTotalSaved=$61,112.81 calcs=1 "
           u"errors="_s;
    // The page's fields stay usable while the panel is open.
    QTest::newRow("page usable with the panel open")
        << u"btnCalcFees mark edtMonthsUntilSell=120"_s
        << u"pnlClosingCosts=open lblSell=If_you_sell_in_120_months, calcs=1"_s;
}

void TestRefi::panel()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    run(steps);
    expect(expected);
}

// Reset puts back the start values and the sentence; the panel and its
// items are left alone, and nothing is calculated.
void TestRefi::resetRestoresEverythingButThePanel()
{
    run(u"btnCalcFees edtAttyFeeY=800 edtOldLoan=150000 edtOldPaymentsMade=24 "
        u"edtNewInterestRate=6.5 edtMonthsUntilSell=60 edtRefiClosingCosts=2000"_s);
    expect(u"lblSell=If_you_sell_in_60_months, errors="_s);
    run(u"mark"_s);
    m_page->Reset();
    // The balance has the focus and shows its plain edit text.
    expect(kStart.section(u' ', 1) +
           u" edtAttyFeeY=$800.00 edtClosingFees=$800.00 pnlClosingCosts=open "
           u"focus=edtOldLoan calcs=0 errors="_s);
    QCOMPARE(field(u"edtOldLoan"_s)->text(), u"100000.00"_s);
}

// The real handler shows a box: one leave, one box, one calculation, and
// the box taking the focus is no second leave.
void TestRefi::badFigureShowsOneMessage()
{
    const auto previous =
        setExceptionHandler([this](std::exception_ptr) { showInfo(m_page.get(), u"unusable"_s); });
    test::MessageBoxCatcher boxes;
    field(u"edtNewTerm"_s)->setFocus(); // leaves the balance: one good calculation
    run(u"mark edtNewTerm=-1"_s);
    setExceptionHandler(previous);
    QCOMPARE(boxes.texts(), QStringList{u"unusable"_s});
    expect(u"edtNewTerm=-1 edtNewPayment=$790.38 calcs=1"_s);
}

QTEST_MAIN(TestRefi)
#include "tst_refi.moc"
