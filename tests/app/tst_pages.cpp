// The Loan Spread, Home Seller's Proceeds, Refinancing and Rent vs Buy pages
// in the real main window: every way in, and the handler on their refusals.

#include "tests/support/MainFixture.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }
    void eachWayIn_data();
    void eachWayIn();
    void refusalKeepsTheFigures_data();
    void refusalKeepsTheFigures();
    void floatErrorElsewhereLeavesPrintingAlone();
    void toolBarResetRestoresTheSentence();

private:
    bool printing() const
    {
        return f->get<QToolButton>(u"btnPrint"_s)->isEnabled() &&
               f->get<QAction>(u"MnuFilePrint"_s)->isEnabled();
    }
    QString centre() const { return f->get<QTableWidget>(u"grdLS"_s)->item(6, 4)->text(); }

    std::optional<test::MainFixture> f;
};

void TestPages::eachWayIn_data()
{
    QTest::addColumn<QString>("via"); // a menu-page button or a menu item
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("own"); // its items, off while it shows
    const auto add = [](const QString &key, const QString &page, const QString &menu,
                        const QString &title, bool reset, const QString &focus) {
        const QStringList own = {menu, u"mnuPop"_s + key, u"mnuPopCalcs"_s + key};
        for (const QString &via : QStringList{u"btn"_s + key} + own)
            QTest::addRow("%s by %s", qPrintable(page), qPrintable(via))
                << via << page << title << reset << focus << own;
    };
    add(u"LSC"_s, u"LS"_s, u"mnuCalculatorsLSC"_s, u"Loan Spread Calculator"_s, false,
        u"edtLoan"_s);
    add(u"HSP"_s, u"HSP"_s, u"mnuCalculatorsHSP"_s, u"Home Seller's Proceeds"_s, true,
        u"edtHSPHouseSalesPrice"_s);
    add(u"RC"_s, u"RC"_s, u"MnuCalculatorsRC"_s, u"Refinancing Calculator"_s, true,
        u"edtOldLoan"_s);
    add(u"RVB"_s, u"RVB"_s, u"mnuCalculatorsRVB"_s, u"Rent vs. Buy Calculator"_s, true,
        u"edtRVBMonthlyRent"_s);
}

// From another calculator, so that every menu item has to change.
void TestPages::eachWayIn()
{
    QFETCH(QString, via);
    QFETCH(QString, page);
    QFETCH(QString, title);
    QFETCH(bool, reset);
    QFETCH(QString, focus);
    QFETCH(QStringList, own);
    f->click(u"btnMQ"_s);
    if (via.startsWith(u"btn"_s)) {
        f->click(u"btnMenu"_s);
        f->click(via);
    } else {
        f->get<QAction>(via)->trigger();
    }
    QCOMPARE(f->window->activePageName(), page);
    QCOMPARE(f->get<QWidget>(u"lblCalculatorName"_s)->property("text").toString(), title);
    QVERIFY(printing());
    QCOMPARE(f->get<QToolButton>(u"btnReset"_s)->isEnabled(), reset);
    for (const QString &item : own)
        QVERIFY2(!f->get<QAction>(item)->isEnabled(), qPrintable(item));
    QVERIFY(f->get<QAction>(u"MnuCalculatorsMQ"_s)->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), f->get<QWidget>(focus));
}

void TestPages::refusalKeepsTheFigures_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("choices"); // radio buttons clicked first
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("shown"); // in `result` afterwards
    QTest::addColumn<QString>("focus");
    QTest::newRow("LS payment too small for any term")
        << u"btnLSC"_s << QStringList{u"rgCalculateItem3"_s, u"rgPaymentsItem2"_s}
        << u"edtPayment"_s << u"150"_s << u"edtPayment"_s << u"$786.70"_s << u"edtLoan"_s;
    QTest::newRow("RC new term above the cap")
        << u"btnRC"_s << QStringList{} << u"edtNewTerm"_s << u"5000"_s << u"edtNewPayment"_s
        << u"$790.38"_s << u"edtNewInterestRate"_s;
    QTest::newRow("RVB horizon of 0 years")
        << u"btnRVB"_s << QStringList{} << u"edtRVBTerm"_s << u"0"_s << u"edtRVBGain"_s
        << u"$68,743.51"_s << u"edtRVBDownPayment"_s;
}

// One message, sane figures shown, printing still on.
void TestPages::refusalKeepsTheFigures()
{
    QFETCH(QString, button);
    QFETCH(QStringList, choices);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QString, shown);
    QFETCH(QString, focus);
    f->click(button);
    for (const QString &choice : choices)
        f->click(choice);
    // Going to the field leaves the first one: a good calculation first.
    f->get(field)->setFocus();
    QTRY_VERIFY(f->get(field)->hasFocus());
    test::MessageBoxCatcher boxes;
    f->type(field, typed);
    QTRY_COMPARE(boxes.count(), 1);
    QTest::qWait(50);
    QCOMPARE(boxes.texts(), QStringList{test::kUnusableFigures});
    QCOMPARE(f->get<TNumEdit>(result)->displayText(), shown);
    QVERIFY(printing());
    QCOMPARE(f->window->focusWidget()->objectName(), focus);
    if (button == u"btnLSC")
        QCOMPARE(centre(), u" 360.00"_s);
}

// Mended: a floating-point error on the amortization page resets that page
// (printing off) and rebuilds the loan spread grid behind it without turning
// printing back on.
void TestPages::floatErrorElsewhereLeavesPrintingAlone()
{
    f->click(u"btnLSC"_s);
    f->click(u"rgCalculateItem2"_s);
    f->type(u"edtLoan"_s, u"200000"_s);
    // As the rate iteration leaves it (the closed form's rate is 2.466).
    QCOMPARE(centre(), u" 2.468%"_s);
    f->get<QAction>(u"MnuCalculatorsAmort"_s)->trigger();
    f->get(u"EdtNumPmts"_s)->setText(u"0"_s);
    test::MessageBoxCatcher boxes;
    f->click(u"btnCalculate"_s);
    QTRY_COMPARE(boxes.count(), 1);
    QTest::qWait(50);
    QCOMPARE(boxes.texts(), QStringList{test::kUnusableFigures});
    QCOMPARE(f->window->activePageName(), u"Amort"_s);
    QVERIFY(!printing());
    // The spread page behind got its sane loan back.
    QCOMPARE(f->get<TNumEdit>(u"edtLoan"_s)->displayText(), u"$100,000.00"_s);
    QCOMPARE(centre(), u" 8.750%"_s);
}

// Reset also puts back the sentence that the last calculation rewrote.
void TestPages::toolBarResetRestoresTheSentence()
{
    f->click(u"btnRC"_s);
    f->type(u"edtMonthsUntilSell"_s, u"120"_s);
    QCOMPARE(f->get<QLabel>(u"lblSell"_s)->text(), u"If you sell in 120 months,"_s);
    f->click(u"btnReset"_s);
    QCOMPARE(f->get<QLabel>(u"lblSell"_s)->text(), u"If you sell in 240 months,"_s);
    QCOMPARE(f->text(u"edtMonthsUntilSell"_s), u"240"_s);
}

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
