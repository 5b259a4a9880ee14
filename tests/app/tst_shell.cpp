// What the main window guarantees every page, driven on the real pages: a
// figure typed and not yet left is taken before any command; F1 opens the
// topic of the focused control; the window opens centred; reports take the
// locale's paper when no printer is installed; number fields round halves
// away from zero.

#include "app/Main.h"
#include "app/help/HelpWindow.h"
#include "engine/PageView.h"
#include "reports/PaperSize.h"
#include "reports/Preview.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/NumEdit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

const QString kOtherMessage = u"An unidentified error has occurred."_s;

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init();
    void cleanup();

    void typedFigureIsTakenFirst_data();
    void typedFigureIsTakenFirst();
    void refusedFigureStopsTheCommand();
    void f1OpensContextTopic_data();
    void f1OpensContextTopic();
    void windowOpensCentred();
    void reportWithoutPrinterTakesLocalePaper_data();
    void reportWithoutPrinterTakesLocalePaper();
    void numberFieldsRoundHalvesAway_data();
    void numberFieldsRoundHalvesAway();

private:
    void start();
    void go(const QString &button);
    void click(const QString &button);
    void typeOnly(QLineEdit *edit, const QString &text) { test::typeOnly(edit, text); }
    void type(QLineEdit *edit, const QString &text) { test::type(edit, text); }
    // A tool button is clicked, a menu item chosen, or the window closed.
    void command(const QString &name);
    QString settingsPath() const { return m_dir->filePath(u"CLVN.INI"_s); }
    template <class T> T *field(const QString &name) const
    {
        return test::find<T>(m_window.get(), name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_window;
};

void TestShell::init()
{
    test::pinLocale();
    m_dir = std::make_unique<QTemporaryDir>();
    // The help collection built beside the program, so help requests find it.
    for (const QString &file : {u"CLVN.qhc"_s, u"CLVN.qch"_s})
        QVERIFY(QFile::copy(QStringLiteral(CLVN_HELP_DIR "/") + file, m_dir->filePath(file)));
}

void TestShell::start()
{
    MainOptions options;
    options.programFolder = m_dir->path() + u'/';
    options.closeDraw = [] { return 1; };
    m_window = std::make_unique<TfrmMain>(options);
    m_window->helpViewer().setCacheDirectory(m_dir->filePath(u"cache"_s));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestShell::cleanup()
{
    m_window.reset();
    m_dir.reset();
}

void TestShell::go(const QString &button)
{
    auto *b = field<QPushButton>(button);
    QVERIFY(b && b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestShell::click(const QString &button)
{
    auto *b = field<QAbstractButton>(button);
    QVERIFY(b && b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestShell::command(const QString &name)
{
    if (name == u"close")
        QVERIFY(m_window->close());
    else if (auto *button = m_window->findChild<QAbstractButton *>(name))
        QTest::mouseClick(button, Qt::LeftButton);
    else if (auto *item = m_window->findChild<QAction *>(name))
        item->trigger();
    else
        QFAIL(qPrintable(u"no command "_s + name));
}

// A figure typed and not left, then a command. Each row names what shows
// that the figure was taken before the command read the page: a label of
// the previewed report, the housing ratio the shell held while Preferences
// was open, or after the command, or in the file the exit save wrote.
// (Navigation is the next test's: there a figure left as its page is hidden
// is taken too, only after the new page was shown.)
void TestShell::typedFigureIsTakenFirst_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Amort loan, tool bar Print")
        << u"btnAmort"_s << u"edtMortAmt"_s << u"200000"_s << u"btnPrint"_s
        << u"report lblMortgageAmt"_s << u"$200,000.00"_s;
    QTest::newRow("Amort loan, File menu Print")
        << u"btnAmort"_s << u"edtMortAmt"_s << u"150000"_s << u"MnuFilePrint"_s
        << u"report lblMortgageAmt"_s << u"$150,000.00"_s;
    // 6000 + 1000 a month, debts 850, ratios 28 and 36: the debt limit,
    // 7000 x 0.36 - 850, is the payment.
    QTest::newRow("MQ income, tool bar Print")
        << u"btnMQ"_s << u"edtIncome1"_s << u"6000"_s << u"btnPrint"_s << u"report lblMQPayment1"_s
        << u"$1,670.00"_s;
    QTest::newRow("BW amount, tool bar Print")
        << u"btnBW"_s << u"edtMortgageAmount"_s << u"120000"_s << u"btnPrint"_s << u"report lblLA"_s
        << u"$120,000.00"_s;
    QTest::newRow("MQ ratio, Preferences")
        << u"btnMQ"_s << u"edtHousingRatio"_s << u"30"_s << u"btnPrefs"_s
        << u"HRatio during Preferences"_s << u"30"_s;
    QTest::newRow("MQ ratio, Reset")
        << u"btnMQ"_s << u"edtHousingRatio"_s << u"31"_s << u"btnReset"_s << u"HRatio"_s << u"31"_s;
    QTest::newRow("MQ ratio, exit save") << u"btnMQ"_s << u"edtHousingRatio"_s << u"32"_s
                                         << u"close"_s << u"file"_s << u"HRatio=32"_s;
    // The offers' own section is written with the exit save; a lender's
    // name is text, taken the same way as a figure.
    QTest::newRow("CMP rate, exit save") << u"btnCMP"_s << u"edtCmpRate2"_s << u"5.25"_s
                                         << u"close"_s << u"file"_s << u"Rate2=5.25"_s;
    QTest::newRow("CMP lender, tool bar Print")
        << u"btnCMP"_s << u"edtCmpLender2"_s << u"Bank"_s << u"btnPrint"_s
        << u"report lblCmpHead1"_s << u"Bank"_s;
    QTest::newRow("MQ ratio, Help menu") << u"btnMQ"_s << u"edtHousingRatio"_s << u"34"_s
                                         << u"MnuHelpContents"_s << u"HRatio"_s << u"34"_s;
    QTest::newRow("MQ ratio, context menu Disclaimer")
        << u"btnMQ"_s << u"edtHousingRatio"_s << u"35"_s << u"MnuPopDisclaimer"_s << u"HRatio"_s
        << u"35"_s;
}

void TestShell::typedFigureIsTakenFirst()
{
    QFETCH(QString, page);
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(QString, command);
    QFETCH(QString, seen);
    QFETCH(QString, expected);
    start();
    go(page);
    auto *typedInto = field<QLineEdit>(edit);
    QVERIFY(typedInto);
    typeOnly(typedInto, typed);

    QString reported;
    QString duringPrefs;
    test::WindowAnswerer preview(u"frmPreview"_s, [&](QWidget *w) {
        const auto *view = static_cast<TfrmPreview *>(w)->pageView();
        if (view->report() && seen.startsWith(u"report "_s))
            reported = view->report()->pages.at(0).textOf(seen.mid(7));
        w->findChild<QAbstractButton *>(u"bbClose"_s)->click();
    });
    test::WindowAnswerer prefs(u"frmPrefs"_s, [&](QWidget *w) {
        duringPrefs = QString::number(m_window->buyerValues().HRatio);
        w->findChild<QAbstractButton *>(u"btnCancel"_s)->click();
    });
    test::WindowAnswerer disclaimer(u"frmDisclaim"_s, [](QWidget *w) {
        w->findChild<QAbstractButton *>(u"btnClose"_s)->click();
    });
    test::MessageBoxCatcher catcher;
    this->command(command);
    QCOMPARE(catcher.count(), 0);

    if (seen.startsWith(u"report "_s)) {
        QCOMPARE(preview.count(), 1);
        QCOMPARE(reported, expected);
        // The report closed, the user goes on typing where they were.
        QCOMPARE(m_window->focusWidget(), typedInto);
        m_window->activateWindow();
        QTRY_VERIFY(typedInto->hasFocus());
    } else if (seen == u"HRatio during Preferences") {
        QCOMPARE(prefs.count(), 1);
        QCOMPARE(duringPrefs, expected);
    } else if (seen == u"HRatio") {
        QCOMPARE(QString::number(m_window->buyerValues().HRatio), expected);
    } else {
        QCOMPARE(seen, u"file"_s);
        QVERIFY2(readBytes(settingsPath()).contains(expected.toLatin1()),
                 readBytes(settingsPath()).constData());
    }
}

// A figure its page cannot use is reported once, and the command does not
// act on the page; asked again, it goes ahead.
void TestShell::refusedFigureStopsTheCommand()
{
    start();
    go(u"btnMQ"_s);
    typeOnly(field<QLineEdit>(u"edtHousingRatio"_s), u"-"_s);
    test::MessageBoxCatcher catcher;
    command(u"MnuCalculatorsECC"_s);
    QCOMPARE(catcher.texts(), QStringList{kOtherMessage});
    QCOMPARE(m_window->activePageName(), u"MQ"_s);
    command(u"MnuCalculatorsECC"_s);
    QCOMPARE(m_window->activePageName(), u"ECC"_s);
    QCOMPARE(catcher.count(), 1);
}

// Rows: the page opened, a button pressed first, the control that has the
// focus when F1 is pressed (in the main window, or in a window that opens),
// and the topic and page of help that must show.
void TestShell::f1OpensContextTopic_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("window"); // the main window when empty
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("file");
    QTest::newRow("menu page button")
        << QString() << QString() << QString() << u"btnQC"_s << 5 << u"overview.html"_s;
    QTest::newRow("QC rate") << u"btnQC"_s << QString() << QString() << u"EdtIR"_s << 20
                             << u"qc.html"_s;
    QTest::newRow("MQ income") << u"btnMQ"_s << QString() << QString() << u"edtIncome1"_s << 30
                               << u"mq.html"_s;
    QTest::newRow("Amort loan") << u"btnAmort"_s << QString() << QString() << u"edtMortAmt"_s << 50
                                << u"amort.html"_s;
    QTest::newRow("Amort grid") << u"btnAmort"_s << QString() << QString() << u"grdAmortization"_s
                                << 50 << u"amort.html"_s;
    QTest::newRow("Amort extra-payment panel")
        << u"btnAmort"_s << u"btnAddExtraPayments"_s << QString() << u"edtExtraAmount"_s << 45
        << u"amortextra.html"_s;
    // Pages built later join by their own helpTopic().
    QTest::newRow("BW amount") << u"btnBW"_s << QString() << QString() << u"edtMortgageAmount"_s
                               << 100 << u"bw.html"_s;
    QTest::newRow("PPC amount") << u"btnPPC"_s << QString() << QString()
                                << u"edtPPCAmountBorrowed"_s << 120 << u"ppc.html"_s;
    QTest::newRow("ECC rate") << u"btnECC"_s << QString() << QString() << u"edtEccInterest"_s << 70
                              << u"ecc.html"_s;
    QTest::newRow("LS loan") << u"btnLSC"_s << QString() << QString() << u"edtLoan"_s << 40
                             << u"ls.html"_s;
    QTest::newRow("RC new loan") << u"btnRC"_s << QString() << QString() << u"edtNewLoan"_s << 80
                                 << u"rc.html"_s;
    QTest::newRow("RVB down payment")
        << u"btnRVB"_s << QString() << QString() << u"edtRVBDownPayment"_s << 90 << u"rvb.html"_s;
    QTest::newRow("HSP price") << u"btnHSP"_s << QString() << QString()
                               << u"edtHSPHouseSalesPrice"_s << 130 << u"hsp.html"_s;
    QTest::newRow("print preview page view") << u"btnAmort"_s << u"btnPrint"_s << u"frmPreview"_s
                                             << u"QRPreview1"_s << 35 << u"preview.html"_s;
    QTest::newRow("print preview button") << u"btnAmort"_s << u"btnPrint"_s << u"frmPreview"_s
                                          << u"bbZoomIn"_s << 35 << u"preview.html"_s;
    QTest::newRow("Preferences field") << QString() << u"btnPrefs"_s << u"frmPrefs"_s
                                       << u"edtP_Housing"_s << 140 << u"preferences.html"_s;
}

void TestShell::f1OpensContextTopic()
{
    QFETCH(QString, page);
    QFETCH(QString, before);
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, topic);
    QFETCH(QString, file);
    start();
    if (!page.isEmpty())
        go(page);
    const auto pressF1 = [&](QWidget *top) {
        auto *w = top->findChild<QWidget *>(control);
        QVERIFY2(w, qPrintable(control));
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F1);
    };
    int answered = 0;
    test::WindowAnswerer answerer(window.isEmpty() ? u"-"_s : window, [&](QWidget *w) {
        ++answered;
        pressF1(w);
        const char *close = window == u"frmPrefs" ? "btnCancel" : "bbClose";
        w->findChild<QAbstractButton *>(QString::fromLatin1(close))->click();
    });
    test::MessageBoxCatcher catcher;
    if (!before.isEmpty())
        command(before);
    if (window.isEmpty())
        pressF1(m_window.get());
    else
        QCOMPARE(answered, 1);
    QCOMPARE(m_window->helpViewer().lastTopic(), topic);
    QCOMPARE(m_window->helpViewer().lastUrl().fileName(), file);
    QVERIFY(m_window->helpViewer().window()->isVisible());
    QCOMPARE(catcher.count(), 0);
}

// Centred on the available area of its screen, halves toward zero.
void TestShell::windowOpensCentred()
{
    start();
    const QRect area = m_window->screen()->availableGeometry();
    const QRect frame = m_window->frameGeometry();
    QVERIFY(area.width() > frame.width() && area.height() > frame.height());
    QCOMPARE(frame.left(), area.left() + (area.width() - frame.width()) / 2);
    QCOMPARE(frame.top(), area.top() + (area.height() - frame.height()) / 2);
}

// With no printer installed the report, and the PDF saved from it, take the
// locale's paper (Qt alone gives A4 everywhere).
void TestShell::reportWithoutPrinterTakesLocalePaper_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("paper");
    QTest::newRow("en_US Letter") << u"en_US"_s << int(QPageSize::Letter);
    QTest::newRow("es_US Letter") << u"es_US"_s << int(QPageSize::Letter);
    QTest::newRow("en_GB A4, imperial UK") << u"en_GB"_s << int(QPageSize::A4);
    QTest::newRow("de_DE A4") << u"de_DE"_s << int(QPageSize::A4);
}

void TestShell::reportWithoutPrinterTakesLocalePaper()
{
    QFETCH(QString, locale);
    QFETCH(int, paper);
    if (printerInstalled())
        QSKIP("a printer is installed here: its own paper is used");
    QLocale::setDefault(QLocale(locale));
    start();
    go(u"btnAmort"_s);
    int shown = -1;
    test::WindowAnswerer preview(u"frmPreview"_s, [&](QWidget *w) {
        const auto *report = static_cast<TfrmPreview *>(w)->pageView()->report();
        shown = report ? int(report->layout.pageSize().id()) : -2;
        w->findChild<QAbstractButton *>(u"bbClose"_s)->click();
    });
    click(u"btnPrint"_s);
    QCOMPARE(preview.count(), 1);
    QCOMPARE(shown, paper);
}

// Ties of the number fields a page writes and may read back, worked by hand:
// the qualifier on 4000 + 1000 a month with 850 of debts; the closing-cost
// page with a typed price and down payment, 10001 / 200000 = 5.0005 %.
void TestShell::numberFieldsRoundHalvesAway_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("steps"); // "button" or "field=text", in order
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("shown");
    // 5000 x 12.5 % = 625; 625 / 5000 = 12.5 %.
    QTest::newRow("MQ housing ratio 12.5") << u"btnMQ"_s << QStringList{u"edtHousingRatio=12.5"_s}
                                           << u"edtCalculatedHousingRatio"_s << u"13"_s;
    // 5000 x 9.5 % = 475; (475 + 850) / 5000 = 26.5 %.
    QTest::newRow("MQ debt ratio 26.5") << u"btnMQ"_s << QStringList{u"edtHousingRatio=9.5"_s}
                                        << u"edtCalculatedDebtRatio"_s << u"27"_s;
    // Debt limit 5000 x 22.5 % - 850 = 275 is the payment: housing 5.5 %.
    QTest::newRow("MQ debt ratio 22.5")
        << u"btnMQ"_s << QStringList{u"edtHousingRatio=50"_s, u"edtDebtRatio=22.5"_s}
        << u"edtCalculatedDebtRatio"_s << u"23"_s;
    QTest::newRow("ECC down payment percent 5.0005")
        << u"btnECC"_s
        << QStringList{u"btnUnlockPurchasePrice"_s, u"edtEccCPurchasePrice=200000"_s,
                       u"btnUnlockDownPayment"_s, u"edtEccCDownPayment=10001"_s}
        << u"edtEccDownPaymentPercent"_s << u"5.001"_s;
}

void TestShell::numberFieldsRoundHalvesAway()
{
    QFETCH(QString, page);
    QFETCH(QStringList, steps);
    QFETCH(QString, result);
    QFETCH(QString, shown);
    start();
    go(page);
    test::MessageBoxCatcher catcher;
    for (const QString &step : steps) {
        const qsizetype eq = step.indexOf(u'=');
        if (eq < 0) {
            click(step);
            continue;
        }
        auto *edit = field<QLineEdit>(step.left(eq));
        QVERIFY(edit && edit->isEnabled() && !edit->isReadOnly());
        type(edit, step.mid(eq + 1));
    }
    QCOMPARE(field<QLineEdit>(result)->text(), shown);
    QCOMPARE(catcher.count(), 0);
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
