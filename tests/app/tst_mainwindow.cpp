// The main window's frame on stand-in pages: start-up, navigation, menus, reset, help,
// hints, links, errors, closing and the exit save, settings problems, About, splash.

#include "app/Main.h"
#include "app/Splash.h"
#include "app/help/HelpWindow.h"
#include "calculators/CalculatorPage.h"
#include "finance/Errors.h"
#include "tests/support/MainFixture.h"
#include "tests/support/PageFixture.h"
#include "widgets/Guard.h"
#include "widgets/RotatedLabel.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

// A stand-in page: records what the frame asks of it and fails on demand.
class ProbePage : public CalculatorPage
{
public:
    // Every page but QC prints.
    ProbePage(CalculatorHost &host, const QString &name, int helpTopic)
        : CalculatorPage(host, name), topic(helpTopic), printable(name != u"QC"_s)
    {
        button = new QPushButton(u"Calculate"_s, this);
        connectGuarded(button, &QPushButton::clicked, this, [this] {
            ++calculations;
            volatile double zero = 0.0;
            if (fail == 1)
                fpe::checked(1.0 / zero, "probe");
            if (fail == 2)
                throw ConvertError("'abc' is not a valid floating point value");
        });
    }
    QString title() const override { return u"Probe "_s + pageName(); }
    int helpTopic() const override { return topic; }
    void enter() override
    {
        ++entered;
        printable ? host().AllowPrinting() : host().DisallowPrinting();
        host().setResetEnabled(printable);
    }
    void Reset() override { ++resets; }
    void recoverFromFloatError(bool active) override { recoveries << active; }

    int topic, entered = 0, resets = 0, calculations = 0;
    bool printable;
    int fail = 0; // 1: a float error, 2: a text that is not a number
    QList<bool> recoveries;
    QPushButton *button;
};

// Each page: its menu-page button and its three menu items.
struct Destination
{
    QString page, button, item, pop, popCalcs;
};
const QList<Destination> kDestinations = {
    {u"QC"_s, u"btnQC"_s, u"MnuCalculatorsQC"_s, u"mnuPopQC"_s, u"mnuPopCalcsQC"_s},
    {u"MQ"_s, u"btnMQ"_s, u"MnuCalculatorsMQ"_s, u"mnuPopMQ"_s, u"mnuPopCalcsMQ"_s},
    {u"LS"_s, u"btnLSC"_s, u"mnuCalculatorsLSC"_s, u"mnuPopLSC"_s, u"mnuPopCalcsLSC"_s},
    {u"Amort"_s, u"btnAmort"_s, u"MnuCalculatorsAmort"_s, u"mnuPopAmort"_s, u"mnuPopCalcsAmort"_s},
    {u"ECC"_s, u"btnECC"_s, u"MnuCalculatorsECC"_s, u"mnuPopECC"_s, u"mnuPopCalcsECC"_s},
    {u"RC"_s, u"btnRC"_s, u"MnuCalculatorsRC"_s, u"mnuPopRC"_s, u"mnuPopCalcsRC"_s},
    {u"RVB"_s, u"btnRVB"_s, u"mnuCalculatorsRVB"_s, u"mnuPopRVB"_s, u"mnuPopCalcsRVB"_s},
    {u"BW"_s, u"btnBW"_s, u"MnuCalculatorsBW"_s, u"mnuPopBW"_s, u"mnuPopCalcsBW"_s},
    {u"PPC"_s, u"btnPPC"_s, u"mnuCalculatorsPPC"_s, u"mnuPopPPC"_s, u"mnuPopCalcsPPC"_s},
    {u"HSP"_s, u"btnHSP"_s, u"mnuCalculatorsHSP"_s, u"mnuPopHSP"_s, u"mnuPopCalcsHSP"_s},
};
// Seven of the ten pages exist, as in a build where three are missing.
const QStringList kMissing = {u"RC"_s, u"RVB"_s, u"HSP"_s};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void openUrl(const QUrl &url)
    {
        m_opened << url.scheme() +
                        (url.toString().contains(u"tolvane"_s) ? u""_s : u" elsewhere"_s);
    }

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { open(); }
    void cleanup() { m_main.reset(); }

    void startState()
    {
        QCOMPARE(window().windowTitle(), u"Calvenor, 1.0.04"_s);
        onTheMenuPage();
        QVERIFY(find<QToolButton>(u"btnHelp"_s)->isEnabled());
        QCOMPARE(find<QLabel>(u"StatusText"_s)->text(),
                 u" Welcome to Tolvane Software's Calvenor!"_s);
        auto *button = find<QPushButton>(u"btnHSP"_s); // its hint shows in the status bar
        QStatusTipEvent tip(button->statusTip());
        QApplication::sendEvent(button, &tip);
        QCOMPARE(find<QLabel>(u"StatusText"_s)->text(),
                 u"Go to Home Seller's Proceeds Calculator"_s);
        QCOMPARE(window().centralWidget()->size(), QSize(612, 413));
        QCOMPARE(window().centralWidget()->height() + window().statusBar()->height(), 432);
        QCOMPARE(find<QStackedWidget>(u"nbkMain"_s)->size(), QSize(587, 380));
        // Centred on the available area of its screen, halves toward zero.
        const QRect area = window().screen()->availableGeometry(), frame = window().frameGeometry();
        QCOMPARE(frame.left(), area.left() + (area.width() - frame.width()) / 2);
        QCOMPARE(frame.top(), area.top() + (area.height() - frame.height()) / 2);
        // A calculator this build lacks is disabled everywhere, the others enabled.
        for (const Destination &d : kDestinations)
            for (const QString &control : {d.button, d.item, d.pop, d.popCalcs})
                QCOMPARE(find<QObject>(control)->property("enabled").toBool(),
                         !kMissing.contains(d.page));
    }
    // A menu-page button from the menu page, or a menu item from the QC page.
    void navigationEnablesMenus_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("control");
        const auto row = [](int index, const QString &control) {
            QTest::newRow(qPrintable(control)) << index << control;
        };
        for (int i : {0, 2, 3, 4})
            row(i, kDestinations[i].button);
        for (int i : {1, 7, 8})
            for (const QString &item :
                 {kDestinations[i].item, kDestinations[i].pop, kDestinations[i].popCalcs})
                row(i, item);
    }
    void navigationEnablesMenus()
    {
        QFETCH(int, index);
        QFETCH(QString, control);
        const Destination &d = kDestinations.at(index);
        auto *item = window().findChild<QAction *>(control);
        if (item) {
            m_main->click(u"btnQC"_s);
            item->trigger();
            item->trigger(); // the current calculator cannot be chosen again
        } else {
            m_main->click(control);
        }
        QCOMPARE(window().activePageName(), d.page);
        QCOMPARE(m_pages[d.page]->entered, 1);
        QCOMPARE(find<TRotatedLabel>(u"lblCalculatorName"_s)->text(), u"Probe "_s + d.page);
        QVERIFY(find<QToolButton>(u"btnMenu"_s)->isEnabled());
        QCOMPARE(find<QToolButton>(u"btnPrint"_s)->isEnabled(), d.page != u"QC"_s);
        QCOMPARE(find<QAction>(u"MnuFilePrint"_s)->isEnabled(), d.page != u"QC"_s);
        // Seven pages, three items each, minus the current page's three.
        QCOMPARE(enabledItems(), 18);
        for (const QString &own : {d.item, d.pop, d.popCalcs})
            QVERIFY2(!find<QAction>(own)->isEnabled(), qPrintable(own));
        // Reset goes to the showing page alone; the menu button returns.
        QTest::mouseClick(find<QToolButton>(u"btnReset"_s), Qt::LeftButton);
        for (const auto &[name, page] : m_pages.asKeyValueRange())
            QCOMPARE(page->resets, name == d.page && page->printable ? 1 : 0);
        QTest::mouseClick(find<QToolButton>(u"btnMenu"_s), Qt::LeftButton);
        onTheMenuPage();
        QCOMPARE(enabledItems(), 21);
    }
    void helpTopicPerPage()
    {
        test::MessageBoxCatcher catcher;
        HelpViewer &help = window().helpViewer();
        QTest::mouseClick(find<QToolButton>(u"btnHelp"_s), Qt::LeftButton);
        QCOMPARE(help.lastTopic(), 5);
        m_main->click(u"btnAmort"_s);
        QTest::mouseClick(find<QToolButton>(u"btnHelp"_s), Qt::LeftButton);
        QCOMPARE(help.lastTopic(), m_pages[u"Amort"_s]->topic);
        find<QAction>(u"MnuPopGlossary"_s)->trigger();
        QCOMPARE(help.lastTopic(), 5000);
        QVERIFY(help.window()->isVisible());
        help.quit();
        QVERIFY(!help.window()->isVisible());
        QCOMPARE(catcher.count(), 0);
    }
    void linksOpenThroughDesktop()
    {
        for (const QString &s : {u"https"_s, u"mailto"_s})
            QDesktopServices::setUrlHandler(s, this, "openUrl");
        for (const char *item : {"mnuInternetWebURL", "TolvaneFreewarePage1", "SuggestionBox1",
                                 "mnuInternetEmailURL", "ContactTechSupport1"})
            find<QAction>(QString::fromLatin1(item))->trigger();
        for (const QString &s : {u"https"_s, u"mailto"_s})
            QDesktopServices::unsetUrlHandler(s);
        QCOMPARE(m_opened,
                 (QStringList{u"https"_s, u"https"_s, u"https"_s, u"mailto"_s, u"mailto"_s}));
    }
    void errorHandlerMessages_data()
    {
        QTest::addColumn<int>("fail");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("recovers");
        QTest::newRow("division by zero") << 1 << test::kUnusableFigures << true;
        QTest::newRow("text that is not a number") << 2 << test::kUnidentified << false;
    }
    void errorHandlerMessages()
    {
        QFETCH(int, fail);
        QFETCH(QString, message);
        QFETCH(bool, recovers);
        m_main->click(u"btnAmort"_s);
        ProbePage *amort = m_pages[u"Amort"_s];
        amort->fail = fail;
        test::MessageBoxCatcher catcher;
        QTest::mouseClick(amort->button, Qt::LeftButton);
        QTRY_COMPARE(catcher.texts(), QStringList{message});
        QCOMPARE(amort->calculations, 1);
        // Every page puts back sane figures; only the showing page knows it is active.
        QCOMPARE(amort->recoveries, recovers ? QList<bool>{true} : QList<bool>{});
        QCOMPARE(m_pages[u"LS"_s]->recoveries, recovers ? QList<bool>{false} : QList<bool>{});
        QVERIFY(window().isVisible());
    }
    // Wherever the main window is, each window it opens shows centred over
    // it (frames, halves toward zero).
    void dialogsOpenCentredOverTheWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("About") << u"MnuHelpAbout"_s;
        QTest::newRow("Print Setup") << u"MnuFilePrintSetup"_s;
    }
    void dialogsOpenCentredOverTheWindow()
    {
        QFETCH(QString, command);
        window().move(window().pos() + QPoint(-70, 45));
        QRect seen;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            seen = QApplication::activeModalWidget()->frameGeometry();
            QApplication::activeModalWidget()->close();
        });
        find<QAction>(command)->trigger();
        const QRect main = window().frameGeometry();
        QVERIFY(seen.isValid());
        QCOMPARE(seen.topLeft(), main.topLeft() + QPoint((main.width() - seen.width()) / 2,
                                                         (main.height() - seen.height()) / 2));
    }
    void closingWindow_data()
    {
        QTest::addColumn<int>("draw");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("message"); // how the one message shown begins
        QTest::newRow("draw 1: no window") << 1 << QString() << true << QString();
        QTest::newRow("draw 4: no window") << 4 << QString() << true << QString();
        QTest::newRow("draw 0, Return") << 0 << u"BtnReturn"_s << false << QString();
        QTest::newRow("draw 0, Quit") << 0 << u"BtnExit"_s << true << QString();
        QTest::newRow("exit save fails, still closes")
            << 1 << QString() << true << u"Your defaults could not be saved."_s;
    }
    void closingWindow()
    {
        QFETCH(int, draw);
        QFETCH(QString, button);
        QFETCH(bool, closes);
        QFETCH(QString, message);
        open(draw);
        // A folder where the settings file should be: the save cannot replace it.
        if (!message.isEmpty())
            QVERIFY(QDir(m_main->folder()).mkdir(u"CLVN.INI"_s));
        test::MessageBoxCatcher catcher;
        test::WindowAnswerer answerer(u"frmClose"_s, [&](QWidget *w) {
            QCOMPARE(w->windowTitle(), u"Thanks from Tolvane Software!"_s);
            test::find<QPushButton>(w, button)->click();
        });
        QCOMPARE(window().close(), closes);
        QCOMPARE(answerer.count(), draw == 0 ? 1 : 0);
        QCOMPARE(window().isVisible(), !closes);
        QCOMPARE(catcher.count(), message.isEmpty() ? 0 : 1);
        QVERIFY2(catcher.last().startsWith(message), qPrintable(catcher.last()));
        // Only a close that went through saves the defaults.
        QCOMPARE(QFile::exists(m_main->folder() + u"/CLVN.INI"_s), closes);
    }
    void unreadableSettingsAreReported()
    {
        open(1, "[LastValues]\nLoan=abc\nInterest=7.5\n[Ratios]\nDRatio=forty\n");
        QCOMPARE(window().buyerValues().Loan, 100000.0);
        QCOMPARE(window().buyerValues().Interest, 7.5);
        test::MessageBoxCatcher catcher;
        window().reportSettingsProblems();
        window().reportSettingsProblems(); // once only
        QCOMPARE(catcher.count(), 1);
        for (const QString &part : {u"CLVN.INI"_s, u"Loan"_s, u"DRatio"_s})
            QVERIFY2(catcher.last().contains(part), qPrintable(part));
    }
    void aboutShowsVersionEachTime()
    {
        for (int i = 0; i < 2; ++i) {
            QStringList seen;
            test::WindowAnswerer answerer(u"AboutBox"_s, [&](QWidget *w) {
                seen << w->windowTitle() << test::find<QLabel>(w, u"lblVersion"_s)->text()
                     << test::find<QLabel>(w, u"lblDate"_s)->text();
                test::find<QPushButton>(w, u"btnClose"_s)->click();
            });
            find<QAction>(u"MnuHelpAbout"_s)->trigger();
            QCOMPARE(seen, (QStringList{u"About ..."_s, u"1.0.04"_s, u"November 7, 1999"_s}));
        }
    }
    void splashClosesAfterItsInterval()
    {
        QCOMPARE(TSplashScreen().timer().interval(), 5000);
        // The timer closes the window it was shown with (a short one here).
        TSplashScreen splash(nullptr, 20);
        QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        splash.showAndPaint();
        QVERIFY(splash.isVisible());
        QTRY_VERIFY(!splash.isVisible());
    }

private:
    void open(int draw = 1, const QByteArray &ini = {})
    {
        m_main.reset();
        m_pages.clear();
        m_opened.clear();
        m_main.emplace([=, this](MainOptions &options) {
            test::withHelp(options);
            QFile file(options.programFolder + u"CLVN.INI"_s);
            if (!ini.isEmpty())
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
            options.closeDraw = [draw] { return draw; };
            options.makePages = [this](CalculatorHost &host) {
                std::vector<CalculatorPage *> pages;
                for (const Destination &d : kDestinations)
                    if (!kMissing.contains(d.page))
                        pages.push_back(m_pages[d.page] =
                                            new ProbePage(host, d.page, 10 + int(pages.size())));
                return pages;
            };
        });
    }
    template <class T> T *find(const QString &name) const { return m_main->get<T>(name); }
    TfrmMain &window() const { return *m_main->window; }
    int enabledItems() const
    {
        int enabled = 0;
        for (const Destination &d : kDestinations)
            for (const QString &item : {d.item, d.pop, d.popCalcs})
                enabled += find<QAction>(item)->isEnabled() ? 1 : 0;
        return enabled;
    }
    // On the menu page: its title, and no menu, reset or print command.
    void onTheMenuPage() const
    {
        QCOMPARE(window().activePageName(), u"Menu"_s);
        QCOMPARE(find<TRotatedLabel>(u"lblCalculatorName"_s)->text(), u"Main Menu"_s);
        for (const char *off : {"btnMenu", "btnReset", "btnPrint"})
            QVERIFY2(!find<QToolButton>(QString::fromLatin1(off))->isEnabled(), off);
        QVERIFY(!find<QAction>(u"MnuFilePrint"_s)->isEnabled());
    }

    std::optional<test::MainFixture> m_main;
    QMap<QString, ProbePage *> m_pages;
    QStringList m_opened; // the scheme of each link opened, and where it goes
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
