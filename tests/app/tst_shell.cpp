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

#include <QAbstractItemView>
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
        // 6000 + 1000 a month, debts 850, ratios 28 and 36: the debt limit 7000 x 0.36 - 850.
        row("MQ income, tool bar Print", "btnMQ", "edtIncome1", "6000", "btnPrint",
            "report lblMQPayment1", "$1,670.00");
        row("MQ income, File menu Print", "btnMQ", "edtIncome1", "6000", "MnuFilePrint",
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
        row("MQ Print, en_US Letter", "btnMQ", "edtIncome1", "6000", "btnPrint", "paper en_US",
            "Letter");
        row("MQ Print, en_GB A4", "btnMQ", "edtIncome1", "6000", "btnPrint", "paper en_GB", "A4");
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
        QCOMPARE(catcher.texts(),
                 QStringList{u"Qualifying Ratios Housing: \"-\" is not a number."_s});
        QCOMPARE(window().activePageName(), u"MQ"_s);
        QCOMPARE(window().focusWidget(), m_main->get(u"edtHousingRatio"_s));
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

    // The program answers --help, --version (with no display) and a mistyped option on the
    // terminal and ends; Qt's own options still pass. `shown`: in what it prints.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown");
        QTest::newRow("--help") << test::texts({"--help"}) << 0 << u"Usage: "_s;
        QTest::newRow("-h, Qt's -style")
            << test::texts({"-style", "fusion", "-h"}) << 0 << u"Usage: "_s;
        QTest::newRow("--help-all") << test::texts({"--help-all"}) << 0 << u"Usage: "_s;
        QTest::newRow("--help, the file operand")
            << test::texts({"--help"}) << 0
            << u"file           A scenario file (*.clvn) to open."_s;
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
        if (exitCode == 0) {
            // The answers need no display: none is given.
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
            env.remove(u"DISPLAY"_s);
            env.remove(u"WAYLAND_DISPLAY"_s);
            program.setProcessEnvironment(env);
        }
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

    // Entering a field (as the page opens or by a click) selects it: typing replaces
    // the figure, and a decimal beyond those the field keeps is refused. Enter (Return or the
    // keypad's, in the field or on a button) presses the page's Calculate; where the page has
    // none it leaves the field as Tab does. 250000 at the starting 8.75 % over 360 months.
    void typingAndEnter_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("entry"); // "page" (as it opens) or "click"
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("enter"); // none, "Return", or "Enter <focused button>"
        QTest::addColumn<QString>("seen");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *page, const char *field,
                            const char *entry, const char *typed, const char *enter,
                            const char *seen, const char *expected) {
            QTest::newRow(name) << QString::fromLatin1(page) << QString::fromLatin1(field)
                                << QString::fromLatin1(entry) << QString::fromLatin1(typed)
                                << QString::fromLatin1(enter) << QString::fromLatin1(seen)
                                << QString::fromLatin1(expected);
        };
        row("Amort loan as the page opens", "btnAmort", "edtMortAmt", "page", "300000", "",
            "edtMortAmt", "300000");
        row("Amort loan clicked", "btnAmort", "edtMortAmt", "click", "250000", "", "edtMortAmt",
            "250000");
        row("MQ ratio clicked", "btnMQ", "edtHousingRatio", "click", "30", "", "edtHousingRatio",
            "30");
        row("Amort loan, a third decimal", "btnAmort", "edtMortAmt", "page", "1.255", "",
            "edtMortAmt", "1.25");
        row("Amort Return in the loan", "btnAmort", "edtMortAmt", "page", "250000", "Return",
            "edtAmortPayment", "$1,966.75");
        row("Amort keypad Enter on Calculate", "btnAmort", "edtMortAmt", "page", "250000",
            "Enter btnCalculate", "edtAmortPayment", "$1,966.75");
        row("MQ Return leaves the ratio", "btnMQ", "edtHousingRatio", "click", "12.5", "Return",
            "edtCalculatedHousingRatio", "13");
    }
    void typingAndEnter()
    {
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, entry);
        QFETCH(QString, typed);
        QFETCH(QString, enter);
        QFETCH(QString, seen);
        QFETCH(QString, expected);
        start(page);
        auto *edit = m_main->get(field);
        if (entry == u"click"_s && edit->hasFocus())
            QTest::keyClick(edit, Qt::Key_Tab); // from elsewhere
        if (entry == u"click"_s)
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 8, 4));
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, typed);
        test::MessageBoxCatcher catcher;
        QWidget *on = enter.size() > 6 ? m_main->get<QWidget>(enter.mid(6)) : edit;
        on->setFocus(Qt::TabFocusReason);
        if (!enter.isEmpty())
            QTest::keyClick(on, enter == u"Return"_s ? Qt::Key_Return : Qt::Key_Enter,
                            enter == u"Return"_s ? Qt::NoModifier : Qt::KeypadModifier);
        QCOMPARE(m_main->text(seen), expected);
        QCOMPARE(catcher.count(), 0);
        QCOMPARE(edit->hasFocus(), on == edit && (enter.isEmpty() || page == u"btnAmort"_s));
    }
    // Add Offer starts the new offer as a copy of the one before it, lender left empty.
    void addOfferCopiesTheOfferBefore()
    {
        start(u"btnCMP"_s);
        test::type(m_main->get(u"edtCmpLender2"_s), u"Bank"_s);
        test::type(m_main->get(u"edtCmpRate2"_s), u"5.25"_s);
        test::type(m_main->get(u"edtCmpMI2"_s), u"42.5"_s);
        test::MessageBoxCatcher catcher;
        m_main->click(u"btnCmpAddOffer"_s);
        QCOMPARE(catcher.count(), 0);
        QCOMPARE(m_main->text(u"edtCmpLender3"_s), QString());
        for (const char *field : {"Loan", "Rate", "Term", "Points", "Fees", "Other", "MI"})
            QCOMPARE(value(u"edtCmp"_s + QLatin1String(field) + u'3'),
                     value(u"edtCmp"_s + QLatin1String(field) + u'2'));
    }

    // Reset, then Ctrl+Z or Edit > Undo Reset: every input, and the schedule with its extra
    // payments, are back and calculated from; the undo is taken once.
    void undoResetPutsEverythingBack_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("MQ ratio, Ctrl+Z") << u"btnMQ"_s << u"edtHousingRatio"_s << u"31"_s << true;
        QTest::newRow("Amort with extra payments, menu")
            << u"btnAmort"_s << u"edtMortAmt"_s << u"250000"_s << false;
        QTest::newRow("CMP, a third offer") << u"btnCMP"_s << u"edtCmpRate2"_s << u"5.25"_s << true;
        QTest::newRow("ECC, down payment unlocked")
            << u"btnECC"_s << u"edtEccCDownPayment"_s << u"50000"_s << true;
    }
    void undoResetPutsEverythingBack()
    {
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, byKey);
        start(page);
        test::MessageBoxCatcher catcher;
        if (page == u"btnECC"_s)
            m_main->click(u"btnUnlockDownPayment"_s);
        test::type(m_main->get(field), typed);
        CalculatorPage *shownPage = window().page(window().activePageName());
        auto *grid = shownPage->findChild<QAbstractItemView *>();
        if (page == u"btnAmort"_s) {
            m_main->click(u"btnCalculate"_s);
            m_main->click(u"btnAddExtraPayments"_s);
            m_main->click(u"rbAllPmts"_s);
            test::type(m_main->get(u"edtExtraAmount"_s), u"100"_s);
            m_main->click(u"btnAddExtra"_s);
        } else if (page == u"btnCMP"_s) {
            m_main->click(u"btnCmpAddOffer"_s);
        }
        const auto shown = [&] {
            QStringList texts;
            for (const QLineEdit *edit : shownPage->findChildren<QLineEdit *>())
                texts << edit->objectName() + u'=' + value(edit->objectName()) +
                             (edit->isVisible() ? u""_s : u" hidden"_s) +
                             (edit->isReadOnly() ? u" read-only"_s : u""_s);
            const QAbstractItemModel *rows = grid ? grid->model() : nullptr;
            for (int c = 0; rows && c < rows->columnCount(); ++c)
                texts << rows->index(rows->rowCount() - 1, c).data().toString();
            return texts;
        };
        const QStringList before = shown();
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(u"Ctrl+R"_s));
        QVERIFY(shown() != before);
        auto *undo = m_main->get<QAction>(u"mnuEditUndoReset"_s);
        QVERIFY(undo->isEnabled());
        if (byKey)
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Undo);
        else
            undo->trigger();
        QCOMPARE(shown(), before);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(catcher.count(), 0);
    }
    // Once an input changes the results are greyed with a note until a calculation succeeds,
    // and Print and CSV ask for that calculation; a refused offer says which figure and why.
    void staleResultsAreMarked_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("messages"); // on leaving the field, of Print, of CSV
        QTest::addColumn<QString>("fix");          // a button to press or a figure to type
        const QString calculate = u"Changed since the last calculation: press Calculate"_s;
        QTest::newRow("Amort loan changed")
            << u"btnAmort"_s << u"edtMortAmt"_s << u"250000"_s << u"edtAmortPayment"_s
            << QStringList{calculate, calculate} << u"btnCalculate"_s;
        QTest::newRow("CMP rate refused")
            << u"btnCMP"_s << u"edtCmpRate2"_s << u"-"_s << u"grdCompare"_s
            << QStringList{u"Offer B, Note Rate (%): \"-\" is not a number."_s,
                           u"Changed since the last calculation: press Enter"_s,
                           u"Changed since the last calculation: press Enter"_s}
            << u"5"_s;
    }
    void staleResultsAreMarked()
    {
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(QStringList, messages);
        QFETCH(QString, fix);
        start(page);
        test::MessageBoxCatcher catcher;
        test::WindowAnswerer preview(u"frmPreview"_s, [](QWidget *w) { w->close(); });
        test::type(m_main->get(field), typed);
        auto *results = m_main->get<QWidget>(result);
        auto *note = m_main->get<QLabel>(u"lblStale"_s);
        QVERIFY(note->isVisible());
        QVERIFY(!results->isEnabled());
        command(u"btnPrint"_s);
        command(u"MnuFileExportCSV"_s);
        QCOMPARE(preview.count(), 0);
        QCOMPARE(catcher.texts(), messages);
        window().activateWindow(); // offscreen, the closed message left none active
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        if (fix.startsWith(u"btn"_s)) {
            m_main->click(fix);
        } else { // mended where it is, then the field that has the focus left
            m_main->get(field)->setText(fix);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY(!note->isVisible());
        QVERIFY(results->isEnabled());
        QCOMPARE(catcher.count(), messages.size());
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
    // A number field's value (its text changes while it is being edited), another's text.
    QString value(const QString &field) const
    {
        const QVariant v = m_main->get(field)->property("value");
        return v.isValid() ? QString::number(v.toDouble(), 'g', 17) : m_main->text(field);
    }

    std::optional<test::MainFixture> m_main;
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
