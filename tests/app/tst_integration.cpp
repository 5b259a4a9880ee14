// The real program's pages inside the real main window: what crosses from one
// page to another (the buyer defaults), what survives an exit and a new
// start-up, the application-wide handler on a real page, and printing
// through the preview.

#include "app/Main.h"
#include "calculators/CalculatorPage.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/NumEdit.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString kFloatMessage =
    u"Valid results cannot be calculated using\n\rthe variables you have entered."
    u"\n\r\n\rPlease try again with reasonable values."_s;
}

class TestIntegration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init();
    void cleanup();

    void amortizationOnEntryUsesStoredDefaults();
    void unusableTermResetsTheAmortizationPage();
    void emptyTermLeavesScheduleAsItWas();
    void qualifierRatiosReachClosingCosts();
    void qualifierRatiosSurviveRestart();
    void closingCostDefaultsSurviveRestart();
    void printOpensPreviewOfTheSchedule();
    void preferencesTakeEffectAtOnce();

private:
    void start();
    void restart();
    void go(const QString &button);
    template <class T> T *field(const QString &name) const
    {
        return test::find<T>(m_window.get(), name);
    }
    void type(QLineEdit *edit, const QString &text) { test::type(edit, text); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_window;
};

void TestIntegration::start()
{
    MainOptions options;
    options.programFolder = m_dir->path() + u'/';
    options.closeDraw = [] { return 1; };
    m_window = std::make_unique<TfrmMain>(options);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestIntegration::restart()
{
    QVERIFY(m_window->close());
    m_window.reset();
    start();
}

void TestIntegration::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    start();
}

void TestIntegration::cleanup()
{
    m_window.reset();
}

void TestIntegration::go(const QString &button)
{
    auto *b = field<QPushButton>(button);
    QVERIFY(b && b->isEnabled());
    b->click();
}

void TestIntegration::amortizationOnEntryUsesStoredDefaults()
{
    go(u"btnAmort"_s);
    QCOMPARE(m_window->activePageName(), u"Amort"_s);
    QCOMPARE(field<TNumEdit>(u"edtAmortPayment"_s)->text(), u"$786.70"_s);
    auto *grid = field<QTableView>(u"grdAmortization"_s);
    QCOMPARE(grid->model()->rowCount(), 360);
    QVERIFY(field<QToolButton>(u"btnPrint"_s)->isEnabled());
    QVERIFY(field<QToolButton>(u"btnReset"_s)->isEnabled());
}

void TestIntegration::unusableTermResetsTheAmortizationPage()
{
    go(u"btnAmort"_s);
    auto *term = field<TFnpNumericEdit>(u"EdtNumPmts"_s);
    term->setText(u"0"_s);
    test::MessageBoxCatcher catcher;
    QTest::mouseClick(field<QPushButton>(u"btnCalculate"_s), Qt::LeftButton);
    QTRY_COMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last(), kFloatMessage);
    // The page reset put back sane figures and the window is still usable.
    QVERIFY(term->text() != u"0"_s);
    QVERIFY(m_window->isVisible());
}

void TestIntegration::emptyTermLeavesScheduleAsItWas()
{
    go(u"btnAmort"_s);
    auto *grid = field<QTableView>(u"grdAmortization"_s);
    const QString lastBalance = grid->model()->index(359, 6).data().toString();
    field<TFnpNumericEdit>(u"EdtNumPmts"_s)->setText(QString());
    test::MessageBoxCatcher catcher;
    QTest::mouseClick(field<QPushButton>(u"btnCalculate"_s), Qt::LeftButton);
    QTRY_COMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last(), u"An unidentified error has occurred."_s);
    QCOMPARE(grid->model()->rowCount(), 360);
    QCOMPARE(grid->model()->index(359, 6).data().toString(), lastBalance);
}

void TestIntegration::qualifierRatiosReachClosingCosts()
{
    go(u"btnMQ"_s);
    type(field<QLineEdit>(u"edtHousingRatio"_s), u"30"_s);
    type(field<QLineEdit>(u"edtDebtRatio"_s), u"40"_s);
    field<QAction>(u"MnuCalculatorsECC"_s)->trigger();
    QCOMPARE(m_window->activePageName(), u"ECC"_s);
    QCOMPARE(field<QLineEdit>(u"edtEccHousingRatio"_s)->text(), u"30"_s);
    QCOMPARE(field<QLineEdit>(u"edtEccDebtRatio"_s)->text(), u"40"_s);
}

void TestIntegration::qualifierRatiosSurviveRestart()
{
    go(u"btnMQ"_s);
    type(field<QLineEdit>(u"edtHousingRatio"_s), u"30"_s);
    type(field<QLineEdit>(u"edtDebtRatio"_s), u"40"_s);
    restart();
    go(u"btnMQ"_s);
    QCOMPARE(field<QLineEdit>(u"edtHousingRatio"_s)->text(), u"30"_s);
    QCOMPARE(field<QLineEdit>(u"edtDebtRatio"_s)->text(), u"40"_s);
}

void TestIntegration::closingCostDefaultsSurviveRestart()
{
    go(u"btnECC"_s);
    QTest::mouseClick(field<QPushButton>(u"btnCalcClosing"_s), Qt::LeftButton);
    type(field<TNumEdit>(u"edtAF"_s), u"425"_s);
    QTest::mouseClick(field<QPushButton>(u"btnClosePnlClosing"_s), Qt::LeftButton);
    QCOMPARE(m_window->buyerValues().AppraisalFee, 425.0);
    restart();
    QCOMPARE(m_window->buyerValues().AppraisalFee, 425.0);
    go(u"btnECC"_s);
    QTest::mouseClick(field<QPushButton>(u"btnCalcClosing"_s), Qt::LeftButton);
    QCOMPARE(field<TNumEdit>(u"edtAF"_s)->value(), 425.0);
}

void TestIntegration::printOpensPreviewOfTheSchedule()
{
    go(u"btnAmort"_s);
    QString pageLabel;
    test::WindowAnswerer answerer(u"frmPreview"_s, [&](QWidget *w) {
        pageLabel = w->findChild<QLabel *>(u"Label1"_s)->text();
        w->findChild<QAbstractButton *>(u"bbClose"_s)->click();
    });
    QTest::mouseClick(field<QToolButton>(u"btnPrint"_s), Qt::LeftButton);
    QCOMPARE(answerer.count(), 1);
    QVERIFY2(pageLabel.startsWith(u"Page 1 of "_s), qPrintable(pageLabel));
    QVERIFY(pageLabel.mid(10).toInt() > 1);
}

void TestIntegration::preferencesTakeEffectAtOnce()
{
    test::WindowAnswerer answerer(u"frmPrefs"_s, [](QWidget *prefs) {
        prefs->findChild<TNumEdit *>(u"edtP_LoanAmount"_s)->setValue(150000);
        prefs->findChild<TNumEdit *>(u"edtP_InterestRate"_s)->setValue(7);
        prefs->findChild<QPushButton *>(u"btnSave"_s)->click();
    });
    QTest::mouseClick(field<QToolButton>(u"btnPrefs"_s), Qt::LeftButton);
    QCOMPARE(answerer.count(), 1);
    go(u"btnAmort"_s);
    QCOMPARE(field<TNumEdit>(u"edtMortAmt"_s)->value(), 150000.0);
    QCOMPARE(field<QLineEdit>(u"EdtIRate"_s)->text(), u"7.000"_s);
    // 150000 at 7 % over 360 months.
    QCOMPARE(field<TNumEdit>(u"edtAmortPayment"_s)->text(), u"$997.95"_s);
}

QTEST_MAIN(TestIntegration)
#include "tst_integration.moc"
