// What the main window guarantees every real page: a figure typed and not yet left
// is taken before any command; F1 opens the focused control's topic; the captions.

#include "app/Main.h"
#include "app/help/HelpWindow.h"
#include "calculators/CalculatorPage.h"
#include "engine/PageView.h"
#include "reports/PaperSize.h"
#include "reports/Preview.h"
#include "tests/support/MainFixture.h"
#include "tests/support/PageFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProcess>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { test::pinLocale(); }
    void cleanup() { m_main.reset(); }

    // A figure typed and not left, then a command (Tab: just leaving it). `seen`: a label
    // of the previewed report or its paper in a locale, the housing ratio held while
    // Preferences was open or after the command, the file the exit save wrote, a field.
    void typedFigureIsTakenFirst_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("seen");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *page, const char *edit, const char *typed,
                            const char *command, const char *seen, const char *expected) {
            QTest::newRow(name) << QString::fromLatin1(page) << QString::fromLatin1(edit)
                                << QString::fromLatin1(typed) << QString::fromLatin1(command)
                                << QString::fromLatin1(seen) << QString::fromLatin1(expected);
        };
        row("Amort loan, tool bar Print", "btnAmort", "edtMortAmt", "200000", "btnPrint",
            "report lblMortgageAmt", "$200,000.00");
        row("Amort loan, File menu Print", "btnAmort", "edtMortAmt", "150000", "MnuFilePrint",
            "report lblMortgageAmt", "$150,000.00");
        // 6000 + 1000 a month, debts 850, ratios 28 and 36: the debt limit 7000 x 0.36 - 850.
        row("MQ income, tool bar Print", "btnMQ", "edtIncome1", "6000", "btnPrint",
            "report lblMQPayment1", "$1,670.00");
        row("MQ ratio, Preferences", "btnMQ", "edtHousingRatio", "30", "btnPrefs", "prefs", "30");
        row("MQ ratio, Reset", "btnMQ", "edtHousingRatio", "31", "btnReset", "HRatio", "31");
        row("MQ ratio, exit save", "btnMQ", "edtHousingRatio", "32", "close", "file", "HRatio=32");
        // The offers' section goes with the exit save; a lender's name is taken as a figure.
        row("CMP rate, exit save", "btnCMP", "edtCmpRate2", "5.25", "close", "file", "Rate2=5.25");
        row("CMP lender, tool bar Print", "btnCMP", "edtCmpLender2", "Bank", "btnPrint",
            "report lblCmpHead1", "Bank");
        row("MQ ratio, Help menu", "btnMQ", "edtHousingRatio", "34", "MnuHelpContents", "HRatio",
            "34");
        row("MQ ratio, context menu Disclaimer", "btnMQ", "edtHousingRatio", "35",
            "MnuPopDisclaimer", "HRatio", "35");
        // With no printer installed, the locale's paper (Qt alone gives A4 everywhere).
        row("Amort Print, en_US Letter", "btnAmort", "edtMortAmt", "100000", "btnPrint",
            "paper en_US", "Letter");
        row("Amort Print, en_GB A4", "btnAmort", "edtMortAmt", "100000", "btnPrint", "paper en_GB",
            "A4");
        // Ratios of 4000 + 1000 a month with 850 of debts, shown halves away from zero:
        // 5000 x 12.5 % = 625, 12.5 %; 5000 x 9.5 % = 475, (475 + 850) / 5000 = 26.5 %.
        row("MQ housing ratio 12.5", "btnMQ", "edtHousingRatio", "12.5", "Tab",
            "edtCalculatedHousingRatio", "13");
        row("MQ debt ratio 26.5", "btnMQ", "edtHousingRatio", "9.5", "Tab",
            "edtCalculatedDebtRatio", "27");
    }
    void typedFigureIsTakenFirst()
    {
        QFETCH(QString, page);
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, command);
        QFETCH(QString, seen);
        QFETCH(QString, expected);
        if (seen.startsWith(u"paper "_s)) {
            if (printerInstalled())
                QSKIP("a printer is installed here: its own paper is used");
            QLocale::setDefault(QLocale(seen.mid(6)));
        }
        start(page);
        auto *typedInto = m_main->get(edit);
        test::typeOnly(typedInto, typed);

        QString shown;
        test::WindowAnswerer preview(u"frmPreview"_s, [&](QWidget *w) {
            const auto *view = static_cast<TfrmPreview *>(w)->pageView();
            if (view->report() && seen.startsWith(u"report "_s))
                shown = view->report()->pages.at(0).textOf(seen.mid(7));
            else if (view->report() && seen.startsWith(u"paper "_s))
                shown = view->report()->layout.pageSize().key();
            test::find<QAbstractButton>(w, u"bbClose"_s)->click();
        });
        test::WindowAnswerer prefs(u"frmPrefs"_s, [&](QWidget *w) {
            shown = QString::number(window().buyerValues().HRatio);
            test::find<QAbstractButton>(w, u"btnCancel"_s)->click();
        });
        test::WindowAnswerer disclaimer(u"frmDisclaim"_s, [](QWidget *w) {
            test::find<QAbstractButton>(w, u"btnClose"_s)->click();
        });
        test::MessageBoxCatcher catcher;
        this->command(command);
        QCOMPARE(catcher.count(), 0);

        if (seen == u"file"_s) {
            const QByteArray bytes = test::readBytes(m_main->folder() + u"/CLVN.INI"_s);
            QVERIFY2(bytes.contains(expected.toLatin1()), bytes.constData());
            return;
        }
        const bool windowed = seen.contains(u' ') || seen == u"prefs"_s;
        if (!windowed)
            shown = seen == u"HRatio"_s ? QString::number(window().buyerValues().HRatio)
                                        : m_main->text(seen);
        QCOMPARE(preview.count() + prefs.count(), windowed ? 1 : 0);
        QCOMPARE(shown, expected);
        if (preview.count()) {
            // The report closed, the user goes on typing where they were.
            QCOMPARE(window().focusWidget(), typedInto);
            window().activateWindow();
            QTRY_VERIFY(typedInto->hasFocus());
        }
    }
    // A figure the page cannot use is reported once and stops the command; asked again, it goes.
    void refusedFigureStopsTheCommand()
    {
        start(u"btnMQ"_s);
        test::typeOnly(m_main->get(u"edtHousingRatio"_s), u"-"_s);
        test::MessageBoxCatcher catcher;
        command(u"MnuCalculatorsECC"_s);
        QCOMPARE(catcher.texts(), QStringList{test::kUnidentified});
        QCOMPARE(window().activePageName(), u"MQ"_s);
        command(u"MnuCalculatorsECC"_s);
        QCOMPARE(window().activePageName(), u"ECC"_s);
        QCOMPARE(catcher.count(), 1);
    }
    // On a page, or in the window a button opens first, F1 opens the focused control's
    // topic; the page shows one of its captions as written.
    void f1OpensContextTopic_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("window"); // none: the main window
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char *name, const char *page, const char *control, int topic,
                            const char16_t *caption = u"", const char *before = "",
                            const char *window = "") {
            QTest::newRow(name) << QString::fromLatin1(page) << QString::fromLatin1(before)
                                << QString::fromLatin1(window) << QString::fromLatin1(control)
                                << topic << QString::fromUtf16(caption);
        };
        row("menu page button", "", "btnQC", 5);
        row("QC rate", "btnQC", "EdtIR", 20,
            u"STEP 2   Enter the 3 required values, use the Tab key to move between fields.");
        row("MQ income", "btnMQ", "edtIncome1", 30,
            u"This calculator provides a 'starting point' to help you determine the maximum "
            u"monthly payment and loan amounts for which you may qualify under the common "
            u"underwriting guidelines.");
        row("Amort loan", "btnAmort", "edtMortAmt", 50, u"Term in Months");
        row("Amort extra-payment panel", "btnAmort", "edtExtraAmount", 45, u"",
            "btnAddExtraPayments");
        row("BW amount", "btnBW", "edtMortgageAmount", 100,
            u"Bi-weekly mortgage payments let you build equity more quickly than with monthly "
            u"payments.  Making 26 bi-weekly payments each year, each of which is 1/2 of the "
            u"'monthly' payment retires your debt sooner and reduces the total interest you pay.");
        row("PPC amount", "btnPPC", "edtPPCAmountBorrowed", 120,
            u"New Payment Amount w/ Taxes and Insurance");
        row("ECC rate", "btnECC", "edtEccInterest", 70, u"Association Fee\n(MonthlyEstimate)");
        row("LS loan", "btnLSC", "edtLoan", 40, u"Interest Rate Increment:");
        row("RC new loan", "btnRC", "edtNewLoan", 80,
            u"Leave any field to recalculate. The closing costs can be typed as one figure or "
            u"added up item by item with the button beside them.");
        row("RVB down payment", "btnRVB", "edtRVBDownPayment", 90,
            u"Personal Income Tax Rate (%) (Include Federal + State)");
        row("HSP price", "btnHSP", "edtHSPHouseSalesPrice", 130,
            u"When selling a home, the primary question for a seller is, \"How much is left "
            u"over?\"  Use this Home Seller's Proceeds Calculator to estimate your net after "
            u"the cost of selling your home.");
        row("CMP loan", "btnCMP", "edtCmpLoan1", 150, u"Mortgage Insurance / Month");
        row("print preview", "btnAmort", "QRPreview1", 35, u"", "btnPrint", "frmPreview");
        row("Preferences field", "", "edtP_Housing", 140, u"", "btnPrefs", "frmPrefs");
    }
    void f1OpensContextTopic()
    {
        QFETCH(QString, page);
        QFETCH(QString, before);
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, topic);
        QFETCH(QString, caption);
        start(page);
        if (!caption.isEmpty()) {
            QStringList shown;
            for (QLabel *label :
                 this->window().page(this->window().activePageName())->findChildren<QLabel *>())
                if (label->isVisible())
                    shown << label->text();
            QVERIFY2(shown.contains(caption), qPrintable(shown.join(u" | "_s)));
        }
        const auto pressF1 = [&](QWidget *top) {
            auto *w = test::find<QWidget>(top, control);
            w->setFocus();
            QTest::keyClick(w, Qt::Key_F1);
        };
        test::WindowAnswerer answerer(window.isEmpty() ? u"-"_s : window, [&](QWidget *w) {
            pressF1(w);
            const char *close = window == u"frmPrefs" ? "btnCancel" : "bbClose";
            test::find<QAbstractButton>(w, QString::fromLatin1(close))->click();
        });
        test::MessageBoxCatcher catcher;
        if (!before.isEmpty())
            command(before);
        if (window.isEmpty())
            pressF1(&this->window());
        QCOMPARE(answerer.count(), window.isEmpty() ? 0 : 1);
        HelpViewer &help = this->window().helpViewer();
        QCOMPARE(help.lastTopic(), topic);
        QVERIFY(help.window()->isVisible());
        QCOMPARE(catcher.count(), 0);
    }

    // The program answers --help, --version and a mistyped option on the terminal and
    // ends; Qt's own options still pass. `shown`: in what it prints.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown");
        QTest::newRow("--help") << test::texts({"--help"}) << 0 << u"Usage: "_s;
        QTest::newRow("-h, Qt's -style")
            << test::texts({"-style", "fusion", "-h"}) << 0 << u"Usage: "_s;
        QTest::newRow("--help-all") << test::texts({"--help-all"}) << 0 << u"Usage: "_s;
        QTest::newRow("--version") << test::texts({"--version"}) << 0 << u"Calvenor 1.0.04\n"_s;
        QTest::newRow("unknown") << test::texts({"--frobnicate"}) << 1
                                 << u"Unknown option 'frobnicate'."_s;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        QProcess program;
        program.start(QStringLiteral(CLVN_PROGRAM), arguments);
        const bool ended = program.waitForFinished(10000);
        if (!ended)
            program.kill(); // it opened its window instead
        QVERIFY(ended);
        QCOMPARE(program.exitCode(), exitCode);
        const QByteArray out =
            exitCode ? program.readAllStandardError() : program.readAllStandardOutput();
        QVERIFY2(QString::fromLocal8Bit(out).contains(shown), out.constData());
    }

private:
    // The window, on the page of the menu-page button `button` if one is named.
    void start(const QString &button = {})
    {
        m_main.emplace(test::withHelp);
        if (!button.isEmpty())
            QTest::mouseClick(m_main->get<QAbstractButton>(button), Qt::LeftButton);
    }
    // A tool button is clicked, a menu item chosen, the field left or the window closed.
    void command(const QString &name)
    {
        if (name == u"close")
            QVERIFY(window().close());
        else if (name == u"Tab")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else if (auto *button = window().findChild<QAbstractButton *>(name))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            m_main->get<QAction>(name)->trigger();
    }
    TfrmMain &window() const { return *m_main->window; }

    std::optional<test::MainFixture> m_main;
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
