// The main window as the user meets it: start-up state, navigation and the
// menus' enabled states, reset and help dispatch, links, the application-wide
// error handler, the closing window and the exit save.

#include "app/Main.h"
#include "app/Splash.h"
#include "app/help/HelpWindow.h"
#include "calculators/CalculatorPage.h"
#include "finance/Errors.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"
#include "widgets/RotatedLabel.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

// A stand-in page: records what the shell asks of it and can fail on demand.
class ProbePage : public CalculatorPage
{
public:
    enum class Fail
    {
        None,
        Float,
        Convert
    };

    ProbePage(CalculatorHost &host, const QString &name, int topic, bool printable)
        : CalculatorPage(host, name), m_topic(topic), m_printable(printable)
    {
        m_button = new QPushButton(QStringLiteral("Calculate"), this);
        m_button->setObjectName(QStringLiteral("btnProbeCalc"));
        connectGuarded(m_button, &QPushButton::clicked, this, [this] { calculate(); });
    }

    QString title() const override { return QStringLiteral("Probe ") + pageName(); }
    int helpTopic() const override { return m_topic; }
    void enter() override
    {
        ++entered;
        if (m_printable)
            host().AllowPrinting();
        else
            host().DisallowPrinting();
        host().setResetEnabled(m_printable);
    }
    void Reset() override { ++resets; }
    void recoverFromFloatError(bool active) override { recoveries << active; }

    void calculate()
    {
        ++calculations;
        if (fail == Fail::Float) {
            volatile double zero = 0.0;
            fpe::checked(1.0 / zero, "probe");
        }
        if (fail == Fail::Convert)
            throw ConvertError("'abc' is not a valid floating point value");
    }

    int entered = 0;
    int resets = 0;
    int calculations = 0;
    QList<bool> recoveries;
    Fail fail = Fail::None;
    QPushButton *m_button;

private:
    int m_topic;
    bool m_printable;
};

const QStringList kAllPages = {u"QC"_s, u"MQ"_s,  u"LS"_s, u"Amort"_s, u"ECC"_s,
                               u"RC"_s, u"RVB"_s, u"BW"_s, u"PPC"_s,   u"HSP"_s};

// The three menu items of each calculator, in the order of kAllPages.
QStringList itemsOf(const QString &page)
{
    static const QMap<QString, QStringList> items = {
        {u"QC"_s, {u"MnuCalculatorsQC"_s, u"mnuPopQC"_s, u"mnuPopCalcsQC"_s}},
        {u"MQ"_s, {u"MnuCalculatorsMQ"_s, u"mnuPopMQ"_s, u"mnuPopCalcsMQ"_s}},
        {u"LS"_s, {u"mnuCalculatorsLSC"_s, u"mnuPopLSC"_s, u"mnuPopCalcsLSC"_s}},
        {u"Amort"_s, {u"MnuCalculatorsAmort"_s, u"mnuPopAmort"_s, u"mnuPopCalcsAmort"_s}},
        {u"ECC"_s, {u"MnuCalculatorsECC"_s, u"mnuPopECC"_s, u"mnuPopCalcsECC"_s}},
        {u"RC"_s, {u"MnuCalculatorsRC"_s, u"mnuPopRC"_s, u"mnuPopCalcsRC"_s}},
        {u"RVB"_s, {u"mnuCalculatorsRVB"_s, u"mnuPopRVB"_s, u"mnuPopCalcsRVB"_s}},
        {u"BW"_s, {u"MnuCalculatorsBW"_s, u"mnuPopBW"_s, u"mnuPopCalcsBW"_s}},
        {u"PPC"_s, {u"mnuCalculatorsPPC"_s, u"mnuPopPPC"_s, u"mnuPopCalcsPPC"_s}},
        {u"HSP"_s, {u"mnuCalculatorsHSP"_s, u"mnuPopHSP"_s, u"mnuPopCalcsHSP"_s}},
    };
    return items.value(page);
}

QString buttonOf(const QString &page)
{
    return page == u"LS"_s ? u"btnLSC"_s : u"btn"_s + page;
}

const QString kFloatMessage =
    u"Valid results cannot be calculated using\n\rthe variables you have entered."
    u"\n\r\n\rPlease try again with reasonable values."_s;

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void openUrl(const QUrl &url) { m_opened << url; }

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init();
    void cleanup();

    void startState();
    void navigationEnablesMenus_data();
    void navigationEnablesMenus();
    void eachControlNavigates_data();
    void eachControlNavigates();
    void menuButtonReturns();
    void resetDispatchesToActivePage();
    void helpTopicPerPage();
    void linksOpenThroughDesktop_data();
    void linksOpenThroughDesktop();
    void errorHandlerMessages_data();
    void errorHandlerMessages();
    void closingWindowDraw_data();
    void closingWindowDraw();
    void exitSaveFailureStillCloses();
    void unreadableSettingsAreReported();
    void aboutShowsVersionEachTime();
    void statusBarShowsHints();
    void splashClosesAfterFiveSeconds();

private:
    TfrmMain *makeWindow(std::function<int()> draw = [] { return 1; });
    template <class T> T *find(const QString &name) const
    {
        T *w = m_window->findChild<T *>(name);
        if (!w)
            qWarning("missing %s", qPrintable(name));
        return w;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    TfrmMain *m_window = nullptr;
    QMap<QString, ProbePage *> m_pages;
    QList<QUrl> m_opened;
};

TfrmMain *TestMainWindow::makeWindow(std::function<int()> draw)
{
    MainOptions options;
    options.programFolder = m_dir->path() + u'/';
    options.closeDraw = std::move(draw);
    // Seven of the ten pages exist, as in a build where three are missing.
    options.makePages = [this](CalculatorHost &host) {
        std::vector<CalculatorPage *> pages;
        for (const QString &name : kAllPages) {
            if (name == u"RC"_s || name == u"RVB"_s || name == u"HSP"_s)
                continue;
            auto *p = new ProbePage(host, name, 10 + int(pages.size()), name != u"QC"_s);
            m_pages[name] = p;
            pages.push_back(p);
        }
        return pages;
    };
    // The help collection built beside the program, so help requests find it.
    for (const QString &file : {u"CLVN.qhc"_s, u"CLVN.qch"_s})
        QFile::copy(QStringLiteral(CLVN_HELP_DIR "/") + file, m_dir->filePath(file));
    m_window = new TfrmMain(options);
    m_window->helpViewer().setCacheDirectory(m_dir->filePath(u"cache"_s));
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window))
        qWarning("window not exposed");
    return m_window;
}

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_pages.clear();
    m_opened.clear();
    makeWindow();
}

void TestMainWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestMainWindow::startState()
{
    QCOMPARE(m_window->windowTitle(), u"Calvenor, 1.0.04"_s);
    QCOMPARE(m_window->activePageName(), u"Menu"_s);
    QCOMPARE(find<TRotatedLabel>(u"lblCalculatorName"_s)->text(), u"Main Menu"_s);
    QVERIFY(!find<QToolButton>(u"btnMenu"_s)->isEnabled());
    QVERIFY(!find<QToolButton>(u"btnReset"_s)->isEnabled());
    QVERIFY(!find<QToolButton>(u"btnPrint"_s)->isEnabled());
    QVERIFY(!find<QAction>(u"MnuFilePrint"_s)->isEnabled());
    QVERIFY(find<QToolButton>(u"btnHelp"_s)->isEnabled());
    QCOMPARE(find<QLabel>(u"StatusText"_s)->text(), u" Welcome to Tolvane Software's Calvenor!"_s);
    QCOMPARE(m_window->centralWidget()->size(), QSize(612, 413));
    QCOMPARE(m_window->centralWidget()->height() + m_window->statusBar()->height(), 432);
    QCOMPARE(find<QStackedWidget>(u"nbkMain"_s)->size(), QSize(587, 380));
    // A calculator this build lacks is disabled everywhere, the others enabled.
    for (const QString &page : kAllPages) {
        const bool present = m_pages.contains(page);
        QCOMPARE(find<QPushButton>(buttonOf(page))->isEnabled(), present);
        for (const QString &item : itemsOf(page))
            QCOMPARE(find<QAction>(item)->isEnabled(), present);
    }
}

void TestMainWindow::navigationEnablesMenus_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("printing");
    QTest::newRow("QC disables printing") << u"QC"_s << false;
    QTest::newRow("Amort") << u"Amort"_s << true;
    QTest::newRow("ECC") << u"ECC"_s << true;
    QTest::newRow("LS") << u"LS"_s << true;
}

void TestMainWindow::navigationEnablesMenus()
{
    QFETCH(QString, page);
    QFETCH(bool, printing);
    find<QPushButton>(buttonOf(page))->click();
    QCOMPARE(m_window->activePageName(), page);
    QCOMPARE(m_pages[page]->entered, 1);
    QCOMPARE(find<TRotatedLabel>(u"lblCalculatorName"_s)->text(), u"Probe "_s + page);
    QVERIFY(find<QToolButton>(u"btnMenu"_s)->isEnabled());
    QCOMPARE(find<QToolButton>(u"btnPrint"_s)->isEnabled(), printing);
    QCOMPARE(find<QAction>(u"MnuFilePrint"_s)->isEnabled(), printing);
    int enabled = 0;
    for (const QString &other : kAllPages)
        for (const QString &item : itemsOf(other))
            enabled += find<QAction>(item)->isEnabled() ? 1 : 0;
    // Seven pages, three items each, minus the current page's three.
    QCOMPARE(enabled, 18);
    for (const QString &item : itemsOf(page))
        QVERIFY2(!find<QAction>(item)->isEnabled(), qPrintable(item));
}

void TestMainWindow::eachControlNavigates_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page");
    for (const QString &page : {u"MQ"_s, u"BW"_s, u"PPC"_s})
        for (const QString &item : itemsOf(page))
            QTest::newRow(qPrintable(item)) << item << page;
}

void TestMainWindow::eachControlNavigates()
{
    QFETCH(QString, control);
    QFETCH(QString, page);
    find<QPushButton>(u"btnQC"_s)->click();
    QCOMPARE(m_window->activePageName(), u"QC"_s);
    find<QAction>(control)->trigger();
    QCOMPARE(m_window->activePageName(), page);
    // The current calculator cannot be chosen again: triggering does nothing new.
    find<QAction>(control)->trigger();
    QCOMPARE(m_pages[page]->entered, 1);
}

void TestMainWindow::menuButtonReturns()
{
    find<QPushButton>(u"btnAmort"_s)->click();
    QVERIFY(find<QToolButton>(u"btnReset"_s)->isEnabled());
    QTest::mouseClick(find<QToolButton>(u"btnMenu"_s), Qt::LeftButton);
    QCOMPARE(m_window->activePageName(), u"Menu"_s);
    QCOMPARE(find<TRotatedLabel>(u"lblCalculatorName"_s)->text(), u"Main Menu"_s);
    QVERIFY(!find<QToolButton>(u"btnMenu"_s)->isEnabled());
    QVERIFY(!find<QToolButton>(u"btnReset"_s)->isEnabled());
    QVERIFY(!find<QToolButton>(u"btnPrint"_s)->isEnabled());
    for (const QString &item : itemsOf(u"Amort"_s))
        QVERIFY(find<QAction>(item)->isEnabled());
}

void TestMainWindow::resetDispatchesToActivePage()
{
    find<QPushButton>(u"btnECC"_s)->click();
    QTest::mouseClick(find<QToolButton>(u"btnReset"_s), Qt::LeftButton);
    QCOMPARE(m_pages[u"ECC"_s]->resets, 1);
    QCOMPARE(m_pages[u"Amort"_s]->resets, 0);
}

void TestMainWindow::helpTopicPerPage()
{
    test::MessageBoxCatcher catcher;
    auto *help = find<QToolButton>(u"btnHelp"_s);
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(m_window->helpViewer().lastTopic(), 5);
    find<QPushButton>(u"btnAmort"_s)->click();
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(m_window->helpViewer().lastTopic(), m_pages[u"Amort"_s]->helpTopic());
    find<QAction>(u"MnuPopGlossary"_s)->trigger();
    QCOMPARE(m_window->helpViewer().lastTopic(), 5000);
    QVERIFY(m_window->helpViewer().lastUrl().isValid());
    QVERIFY(m_window->helpViewer().window()->isVisible());
    m_window->helpViewer().quit();
    QVERIFY(!m_window->helpViewer().window()->isVisible());
    QCOMPARE(catcher.count(), 0);
}

void TestMainWindow::linksOpenThroughDesktop_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("home page") << u"mnuInternetWebURL"_s << u"https"_s;
    QTest::newRow("freeware") << u"TolvaneFreewarePage1"_s << u"https"_s;
    QTest::newRow("suggestion box") << u"SuggestionBox1"_s << u"https"_s;
    QTest::newRow("mail suggestions") << u"mnuInternetEmailURL"_s << u"mailto"_s;
    QTest::newRow("mail support") << u"ContactTechSupport1"_s << u"mailto"_s;
}

void TestMainWindow::linksOpenThroughDesktop()
{
    QFETCH(QString, item);
    QFETCH(QString, scheme);
    QDesktopServices::setUrlHandler(u"https"_s, this, "openUrl");
    QDesktopServices::setUrlHandler(u"mailto"_s, this, "openUrl");
    find<QAction>(item)->trigger();
    QDesktopServices::unsetUrlHandler(u"https"_s);
    QDesktopServices::unsetUrlHandler(u"mailto"_s);
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(m_opened.first().scheme(), scheme);
    QVERIFY(m_opened.first().toString().contains(u"tolvane"_s));
}

void TestMainWindow::errorHandlerMessages_data()
{
    QTest::addColumn<int>("fail");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("recovers");
    QTest::newRow("division by zero") << int(ProbePage::Fail::Float) << kFloatMessage << true;
    QTest::newRow("text that is not a number")
        << int(ProbePage::Fail::Convert) << u"An unidentified error has occurred."_s << false;
}

void TestMainWindow::errorHandlerMessages()
{
    QFETCH(int, fail);
    QFETCH(QString, message);
    QFETCH(bool, recovers);
    find<QPushButton>(u"btnAmort"_s)->click();
    ProbePage *amort = m_pages[u"Amort"_s];
    amort->fail = ProbePage::Fail(fail);
    test::MessageBoxCatcher catcher;
    QTest::mouseClick(amort->m_button, Qt::LeftButton);
    QTRY_COMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last(), message);
    QCOMPARE(amort->calculations, 1);
    if (recovers) {
        // Every page puts back sane figures; only the showing page knows it is active.
        QCOMPARE(amort->recoveries, QList<bool>{true});
        QCOMPARE(m_pages[u"LS"_s]->recoveries, QList<bool>{false});
    } else {
        QVERIFY(amort->recoveries.isEmpty());
        QVERIFY(m_pages[u"LS"_s]->recoveries.isEmpty());
    }
    QVERIFY(m_window->isVisible());
}

void TestMainWindow::closingWindowDraw_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("shown");
    QTest::newRow("draw 1: no window") << 1 << QString() << true << false;
    QTest::newRow("draw 4: no window") << 4 << QString() << true << false;
    QTest::newRow("draw 0, Return") << 0 << u"BtnReturn"_s << false << true;
    QTest::newRow("draw 0, Quit") << 0 << u"BtnExit"_s << true << true;
}

void TestMainWindow::closingWindowDraw()
{
    QFETCH(int, draw);
    QFETCH(QString, button);
    QFETCH(bool, closes);
    QFETCH(bool, shown);
    delete m_window;
    makeWindow([draw] { return draw; });
    test::WindowAnswerer answerer(u"frmClose"_s, [&](QWidget *w) {
        QCOMPARE(w->windowTitle(), u"Thanks from Tolvane Software!"_s);
        w->findChild<QPushButton *>(button)->click();
    });
    const bool closed = m_window->close();
    QCOMPARE(closed, closes);
    QCOMPARE(answerer.count(), shown ? 1 : 0);
    QCOMPARE(m_window->isVisible(), !closes);
    // Only a close that went through saves the defaults.
    QCOMPARE(QFile::exists(m_dir->filePath(u"CLVN.INI"_s)), closes);
}

void TestMainWindow::exitSaveFailureStillCloses()
{
    // A folder where the settings file should be: the save cannot replace it.
    QVERIFY(QDir(m_dir->path()).mkdir(u"CLVN.INI"_s));
    test::MessageBoxCatcher catcher;
    QVERIFY(m_window->close());
    QCOMPARE(catcher.count(), 1);
    QVERIFY(catcher.last().startsWith(u"Your defaults could not be saved."_s));
    QVERIFY(!m_window->isVisible());
}

void TestMainWindow::unreadableSettingsAreReported()
{
    delete m_window;
    QFile ini(m_dir->filePath(u"CLVN.INI"_s));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[LastValues]\nLoan=abc\nInterest=7.5\n[Ratios]\nDRatio=forty\n");
    ini.close();
    makeWindow();
    QCOMPARE(m_window->buyerValues().Loan, 100000.0);
    QCOMPARE(m_window->buyerValues().Interest, 7.5);
    test::MessageBoxCatcher catcher;
    m_window->reportSettingsProblems();
    QCOMPARE(catcher.count(), 1);
    QVERIFY(catcher.last().contains(u"CLVN.INI"_s));
    QVERIFY(catcher.last().contains(u"Loan"_s));
    QVERIFY(catcher.last().contains(u"DRatio"_s));
    // Once only.
    m_window->reportSettingsProblems();
    QCOMPARE(catcher.count(), 1);
}

void TestMainWindow::aboutShowsVersionEachTime()
{
    for (int i = 0; i < 2; ++i) {
        QStringList seen;
        test::WindowAnswerer answerer(u"AboutBox"_s, [&](QWidget *w) {
            seen << w->windowTitle() << w->findChild<QLabel *>(u"lblVersion"_s)->text()
                 << w->findChild<QLabel *>(u"lblDate"_s)->text();
            w->findChild<QPushButton *>(u"btnClose"_s)->click();
        });
        find<QAction>(u"MnuHelpAbout"_s)->trigger();
        QCOMPARE(seen, (QStringList{u"About ..."_s, u"1.0.04"_s, u"November 7, 1999"_s}));
    }
}

void TestMainWindow::statusBarShowsHints()
{
    auto *button = find<QPushButton>(u"btnHSP"_s);
    QStatusTipEvent tip(button->statusTip());
    QApplication::sendEvent(button, &tip);
    QCOMPARE(find<QLabel>(u"StatusText"_s)->text(), u"Go to Home Seller's Proceeds Calculator"_s);
    QCOMPARE(find<QPushButton>(u"btnAmort"_s)->statusTip(), u"Go to Amortizations"_s);
    // The tool tip adds the button's key (tst_accessibility).
    QCOMPARE(find<QToolButton>(u"btnReset"_s)->statusTip(),
             u"Reset this calculator to default values"_s);
}

void TestMainWindow::splashClosesAfterFiveSeconds()
{
    TSplashScreen splash;
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    splash.showAndPaint();
    QVERIFY(splash.isVisible());
    QCOMPARE(splash.timer().interval(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 8000);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
