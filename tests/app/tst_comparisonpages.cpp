// The Refinancing and Rent vs Buy pages in the real main window: reached from
// the menu page, the menus and the drop-down; the application-wide handler
// on their refusals; Reset from the tool bar; printing through the preview.

#include "app/Main.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString kFloatMessage =
    u"Valid results cannot be calculated using\n\rthe variables you have entered."
    u"\n\r\n\rPlease try again with reasonable values."_s;
} // namespace

class TestComparisonPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        MainOptions options;
        options.programFolder = m_dir->path() + u'/';
        options.closeDraw = [] { return 1; };
        m_window = std::make_unique<TfrmMain>(options);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void eachWayIn_data();
    void eachWayIn();
    void refusalShowsTheUnusableFiguresMessage_data();
    void refusalShowsTheUnusableFiguresMessage();
    void toolBarResetRestoresTheSentence();
    void printShowsThePreview_data();
    void printShowsThePreview();

private:
    template <class T> T *find(const QString &name) const
    {
        return test::find<T>(m_window.get(), name);
    }
    void type(const QString &name, const QString &text) { test::type(find<QLineEdit>(name), text); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_window;
};

void TestComparisonPages::eachWayIn_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control"); // a menu page button or a menu item
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus");
    const QString rc = u"Refinancing Calculator"_s, rvb = u"Rent vs. Buy Calculator"_s;
    QTest::newRow("RC button") << u"RC"_s << u"btnRC"_s << rc << u"edtOldLoan"_s;
    QTest::newRow("RC menu") << u"RC"_s << u"MnuCalculatorsRC"_s << rc << u"edtOldLoan"_s;
    QTest::newRow("RC drop-down") << u"RC"_s << u"mnuPopCalcsRC"_s << rc << u"edtOldLoan"_s;
    QTest::newRow("RC pop-up") << u"RC"_s << u"mnuPopRC"_s << rc << u"edtOldLoan"_s;
    QTest::newRow("RVB button") << u"RVB"_s << u"btnRVB"_s << rvb << u"edtRVBMonthlyRent"_s;
    QTest::newRow("RVB menu") << u"RVB"_s << u"mnuCalculatorsRVB"_s << rvb
                              << u"edtRVBMonthlyRent"_s;
    QTest::newRow("RVB drop-down")
        << u"RVB"_s << u"mnuPopCalcsRVB"_s << rvb << u"edtRVBMonthlyRent"_s;
    QTest::newRow("RVB pop-up") << u"RVB"_s << u"mnuPopRVB"_s << rvb << u"edtRVBMonthlyRent"_s;
}

// Every way in shows the page with its title, printing and Reset on, its own
// three menu items off, the focus in its first field.
void TestComparisonPages::eachWayIn()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    if (auto *button = m_window->findChild<QPushButton *>(control)) {
        QVERIFY(button->isEnabled());
        button->click();
    } else {
        auto *item = find<QAction>(control);
        QVERIFY(item && item->isEnabled());
        item->trigger();
    }
    QCOMPARE(m_window->activePageName(), page);
    QCOMPARE(find<QWidget>(u"lblCalculatorName"_s)->property("text").toString(), title);
    QVERIFY(find<QToolButton>(u"btnPrint"_s)->isEnabled());
    QVERIFY(find<QAction>(u"MnuFilePrint"_s)->isEnabled());
    QVERIFY(find<QToolButton>(u"btnReset"_s)->isEnabled());
    QTRY_COMPARE(
        QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focus);
    const QString suffix = page == u"RC"_s ? u"RC"_s : u"RVB"_s;
    for (const QString &item : {u"Calculators"_s, u"Pop"_s, u"PopCalcs"_s}) {
        auto *action = m_window->findChild<QAction *>(u"Mnu"_s + item + suffix);
        if (!action)
            action = find<QAction>(u"mnu"_s + item + suffix);
        QVERIFY2(action && !action->isEnabled(), qPrintable(item));
    }
}

void TestComparisonPages::refusalShowsTheUnusableFiguresMessage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result"); // a result field that must keep its text
    QTest::newRow("new term above the cap")
        << u"btnRC"_s << u"edtNewTerm"_s << u"5000"_s << u"edtNewPayment"_s;
    QTest::newRow("horizon of 0 years")
        << u"btnRVB"_s << u"edtRVBTerm"_s << u"0"_s << u"edtRVBGain"_s;
}

void TestComparisonPages::refusalShowsTheUnusableFiguresMessage()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, result);
    find<QPushButton>(button)->click();
    // Going to the field leaves the first one: a good calculation first.
    find<QLineEdit>(field)->setFocus();
    QTRY_VERIFY(find<QLineEdit>(field)->hasFocus());
    const QString before = find<TNumEdit>(result)->displayText();
    QVERIFY(before != u"$0.00"_s);
    test::MessageBoxCatcher boxes;
    type(field, text);
    QCOMPARE(boxes.texts(), QStringList{kFloatMessage});
    QCOMPARE(find<TNumEdit>(result)->displayText(), before);
}

// Reset also puts back the sentence that the last calculation rewrote.
void TestComparisonPages::toolBarResetRestoresTheSentence()
{
    find<QPushButton>(u"btnRC"_s)->click();
    type(u"edtMonthsUntilSell"_s, u"120"_s);
    QCOMPARE(find<QLabel>(u"lblSell"_s)->text(), u"If you sell in 120 months,"_s);
    QTest::mouseClick(find<QToolButton>(u"btnReset"_s), Qt::LeftButton);
    QCOMPARE(find<QLabel>(u"lblSell"_s)->text(), u"If you sell in 240 months,"_s);
    QCOMPARE(find<QLineEdit>(u"edtMonthsUntilSell"_s)->text(), u"240"_s);
}

void TestComparisonPages::printShowsThePreview_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("RC") << u"btnRC"_s;
    QTest::newRow("RVB") << u"btnRVB"_s;
}

void TestComparisonPages::printShowsThePreview()
{
    QFETCH(QString, button);
    find<QPushButton>(button)->click();
    QString pageLabel;
    test::WindowAnswerer answerer(u"frmPreview"_s, [&](QWidget *w) {
        pageLabel = w->findChild<QLabel *>(u"Label1"_s)->text();
        w->findChild<QAbstractButton *>(u"bbClose"_s)->click();
    });
    QTest::mouseClick(find<QToolButton>(u"btnPrint"_s), Qt::LeftButton);
    QCOMPARE(answerer.count(), 1);
    // Each is a one-page report.
    QCOMPARE(pageLabel, u"Page 1 of 1"_s);
}

QTEST_MAIN(TestComparisonPages)
#include "tst_comparisonpages.moc"
