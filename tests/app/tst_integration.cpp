// The real main window: what crosses from one page to another (the buyer
// defaults, the one schedule), what survives a restart, the handler on the
// amortization page, and what each page hands to the print preview.

#include "tests/reports/FakePages.h"
#include "tests/support/MainFixture.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QTableView>
#include <QToolButton>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestIntegration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }
    void refusedTerm_data();
    void refusedTerm();
    void prepaymentStaysOnItsPage();
    void buyerDefaultsCrossPagesAndRestarts();
    void preferencesTakeEffectAtOnce();
    void printPreviewsThePage_data();
    void printPreviewsThePage();

private:
    QAbstractItemModel *grid() const { return f->get<QTableView>(u"grdAmortization"_s)->model(); }
    QString last(int column) const
    {
        return grid()->index(grid()->rowCount() - 1, column).data().toString();
    }

    std::optional<test::MainFixture> f;
};

void TestIntegration::refusedTerm_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("termAfter");
    QTest::addColumn<QString>("balanceAfter"); // of the last row listed
    // The page resets to sane figures.
    QTest::newRow("zero months") << u"0"_s << test::kUnusableFigures << u"360"_s << u""_s;
    // Not a number: the schedule stays as it was.
    QTest::newRow("empty") << u""_s << test::kUnidentified << u""_s << u"$0.97"_s;
}

void TestIntegration::refusedTerm()
{
    QFETCH(QString, term);
    QFETCH(QString, message);
    QFETCH(QString, termAfter);
    QFETCH(QString, balanceAfter);
    f->click(u"btnAmort"_s);
    f->get(u"EdtNumPmts"_s)->setText(term);
    test::MessageBoxCatcher boxes;
    f->click(u"btnCalculate"_s);
    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last(), message);
    QCOMPARE(f->text(u"EdtNumPmts"_s), termAfter);
    QCOMPARE(grid()->rowCount(), 360);
    QCOMPARE(last(6), balanceAfter);
}

// The two pages share one schedule. The prepayment page's loan and extras
// never reach the amortization page, which builds its own loan on entry and
// adds its own extras to it; the prepayment page keeps its figures.
void TestIntegration::prepaymentStaysOnItsPage()
{
    f->click(u"btnPPC"_s);
    f->type(u"edtPPCAmountBorrowed"_s, u"200000"_s);
    f->type(u"edtPPCExtraAmount"_s, u"100"_s);
    QCOMPARE(f->text(u"edtPPCNewTerm"_s), u"283"_s);
    f->get<QAction>(u"MnuCalculatorsAmort"_s)->trigger();
    QCOMPARE(f->text(u"edtAmortPayment"_s), u"$786.70"_s);
    QCOMPARE(grid()->rowCount(), 360);
    QCOMPARE(last(5), u"$0.00"_s);
    f->click(u"btnAddExtraPayments"_s);
    f->click(u"rbAllPmts"_s);
    f->type(u"edtExtraAmount"_s, u"100"_s);
    f->click(u"btnAddExtra"_s);
    QCOMPARE(grid()->rowCount(), 238);
    QCOMPARE(last(4), u"$110,882.68"_s);
    f->get<QAction>(u"mnuCalculatorsPPC"_s)->trigger();
    QCOMPARE(f->text(u"edtPPCNewTerm"_s), u"283"_s);
}

// Ratios typed on the qualifier reach the closing costs; they and a closing
// fee survive a restart.
void TestIntegration::buyerDefaultsCrossPagesAndRestarts()
{
    f->click(u"btnMQ"_s);
    f->type(u"edtHousingRatio"_s, u"30"_s);
    f->type(u"edtDebtRatio"_s, u"40"_s);
    f->get<QAction>(u"MnuCalculatorsECC"_s)->trigger();
    QCOMPARE(f->text(u"edtEccHousingRatio"_s), u"30"_s);
    QCOMPARE(f->text(u"edtEccDebtRatio"_s), u"40"_s);
    f->click(u"btnCalcClosing"_s);
    f->type(u"edtAF"_s, u"425"_s);
    f->click(u"btnClosePnlClosing"_s);
    f->restart();
    f->click(u"btnMQ"_s);
    QCOMPARE(f->text(u"edtHousingRatio"_s), u"30"_s);
    QCOMPARE(f->text(u"edtDebtRatio"_s), u"40"_s);
    f->get<QAction>(u"MnuCalculatorsECC"_s)->trigger();
    f->click(u"btnCalcClosing"_s);
    QCOMPARE(f->get<TNumEdit>(u"edtAF"_s)->value(), 425.0);
}

void TestIntegration::preferencesTakeEffectAtOnce()
{
    test::WindowAnswerer answerer(u"frmPrefs"_s, [](QWidget *prefs) {
        test::find<TNumEdit>(prefs, u"edtP_LoanAmount"_s)->setValue(150000);
        test::find<TNumEdit>(prefs, u"edtP_InterestRate"_s)->setValue(7);
        test::find<QAbstractButton>(prefs, u"btnSave"_s)->click();
    });
    f->click(u"btnPrefs"_s);
    QCOMPARE(answerer.count(), 1);
    f->click(u"btnAmort"_s);
    QCOMPARE(f->get<TNumEdit>(u"edtMortAmt"_s)->value(), 150000.0);
    QCOMPARE(f->text(u"EdtIRate"_s), u"7.000"_s);
    QCOMPARE(f->text(u"edtAmortPayment"_s), u"$997.95"_s);
}

void TestIntegration::printPreviewsThePage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("pages");
    QTest::newRow("amortization") << u"btnAmort"_s << u"Preview of Amortization Schedule"_s
                                  << u"Loan Amortization Schedule"_s << 7;
    QTest::newRow("loan spread") << u"btnLSC"_s << u"Preview of Loan Spread Calculations"_s
                                 << u"Chart of Monthly Payments"_s << 1;
    QTest::newRow("home seller") << u"btnHSP"_s << u"Preview of Home Seller Proceeds"_s
                                 << u"Home Seller's Proceeds"_s << 1;
    QTest::newRow("refinancing") << u"btnRC"_s << u"Preview of Refinancing"_s << u"Refinancing"_s
                                 << 1;
    QTest::newRow("rent vs buy") << u"btnRVB"_s << u"Preview of Rent vs. Buy Worksheet"_s
                                 << u"Rent vs. Buy Comparison"_s << 1;
}

void TestIntegration::printPreviewsThePage()
{
    QFETCH(QString, button);
    QFETCH(QString, title);
    QFETCH(QString, heading);
    QFETCH(int, pages);
    f->click(button);
    test::PreviewCatcher catcher;
    f->click(u"btnPrint"_s);
    QCOMPARE(int(catcher.shown.size()), 1);
    QCOMPARE(catcher.shown[0].title, title);
    QCOMPARE(catcher.shown[0].pages.at(0).textOf(u"lblTitle"_s), heading);
    QCOMPARE(int(catcher.shown[0].pages.size()), pages);
}

QTEST_MAIN(TestIntegration)
#include "tst_integration.moc"
