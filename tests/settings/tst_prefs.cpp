// The Preferences window, driven as a user would: it shows the file, restores
// and cancels without storing, saves all three tabs, and lays out its text
// without clipping.

#include "app/settings/Prefs.h"
#include "app/settings/SettingsFile.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

const QString kNote = QStringLiteral(
    "By saving the values which are unique to your situation as defaults, you will  save time "
    "using the different calculators which are included in this suite.");

} // namespace

class TestPrefs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fieldsShowTheFile();
    void badStoredValueIsReportedOnce();
    void restoreThenCancelStoresNothing();
    void saveStoresAllThreeTabs();
    void saveFailureKeepsWindowOpen();
    void generalTabOrder();
    void captions();
    void tabLabels_data();
    void tabLabels();
    void nothingIsClipped();

private:
    // Shows the window and waits until it can take keys.
    void open(TfrmPrefs &dlg);
    void showTab(TfrmPrefs &dlg, int index);
    void typeInto(TfrmPrefs &dlg, const char *field, const QString &text);
    TNumEdit *field(TfrmPrefs &dlg, const char *name);

    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_errors; // what reached the application-wide handler
    ExceptionHandler m_previousHandler;
};

void TestPrefs::initTestCase()
{
    clvn::test::pinLocale();
}

void TestPrefs::init()
{
    m_path = m_dir.filePath(u"CLVN.INI"_s);
    QFile::remove(m_path);
    m_errors.clear();
    m_previousHandler = setExceptionHandler([this](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception &e) {
            m_errors << QString::fromStdString(e.what());
        }
    });
}

void TestPrefs::cleanup()
{
    setExceptionHandler(m_previousHandler);
}

void TestPrefs::open(TfrmPrefs &dlg)
{
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
}

void TestPrefs::showTab(TfrmPrefs &dlg, int index)
{
    auto *tabs = dlg.findChild<QTabWidget *>(u"nbkPrefs"_s);
    QVERIFY(tabs);
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    QCOMPARE(tabs->currentIndex(), index);
}

TNumEdit *TestPrefs::field(TfrmPrefs &dlg, const char *name)
{
    return dlg.findChild<TNumEdit *>(QString::fromLatin1(name));
}

void TestPrefs::typeInto(TfrmPrefs &dlg, const char *name, const QString &text)
{
    TNumEdit *edit = field(dlg, name);
    QVERIFY(edit);
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab); // leaving takes the typed figure
    QVERIFY(!edit->hasFocus());
}

void TestPrefs::fieldsShowTheFile()
{
    writeBytes(m_path, "[LastValues]\nLoan=150000\nTerm=240\n[Ratios]\nHRatio=30\n"
                       "[Escrows]\nInterimInterestDays=20\n");
    SettingsFile file(m_path);
    BuyerValues inMemory;
    inMemory.Loan = 99;
    inMemory.Term = 12;
    const BuyerValues before = inMemory;

    TfrmPrefs dlg(file, inMemory, nullptr);
    open(dlg);
    QCOMPARE(field(dlg, "edtP_LoanAmount")->value(), 150000.0);
    QCOMPARE(field(dlg, "edtP_TermInMonths")->text(), u"240"_s);
    QCOMPARE(field(dlg, "edtP_Housing")->text(), u"30"_s);
    QCOMPARE(field(dlg, "edtP_Debt")->text(), u"36"_s);
    QCOMPARE(field(dlg, "edtP_IIDays")->value(), 20.0);
    QCOMPARE(field(dlg, "edtP_309597")->value(), 0.009);
    QCOMPARE(field(dlg, "edtP_OriginationPoints")->value(), 1.0);
    QCOMPARE(dlg.focusWidget(), field(dlg, "edtP_Housing"));
    auto *tabs = dlg.findChild<QTabWidget *>(u"nbkPrefs"_s);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(inMemory == before); // showing reads the file, not the values in memory
}

void TestPrefs::badStoredValueIsReportedOnce()
{
    writeBytes(m_path, "[LastValues]\nLoan=abc\nInterest=7.5\n[Escrows]\nPropertyTaxMonths=?\n"
                       "HomeownersFirstYear=6\n");
    SettingsFile file(m_path);
    BuyerValues values;
    clvn::test::MessageBoxCatcher catcher;
    TfrmPrefs dlg(file, values, nullptr);
    dlg.show(); // the message takes the activation, so no wait for it here
    QTRY_COMPARE(catcher.count(), 1);
    QVERIFY(catcher.last().contains(u"Loan, PropertyTaxMonths"_s));
    QVERIFY(catcher.last().contains(u"CLVN.INI"_s));
    // Bad keys show their defaults; the keys after them are still read.
    QCOMPARE(field(dlg, "edtP_LoanAmount")->value(), 100000.0);
    QCOMPARE(field(dlg, "edtP_InterestRate")->value(), 7.5);
    QCOMPARE(field(dlg, "edtP_PTIMonths")->value(), 3.0);
    QCOMPARE(field(dlg, "edtP_HOIPMonths")->value(), 6.0);
    QTest::qWait(50);
    QCOMPARE(catcher.count(), 1);
    QVERIFY(m_errors.isEmpty());
}

void TestPrefs::restoreThenCancelStoresNothing()
{
    SettingsFile file(m_path);
    BuyerValues stored;
    stored.Loan = 250000;
    stored.InterimInterestDays = 9;
    file.saveAll(stored);
    const QByteArray bytesBefore = readBytes(m_path);
    BuyerValues inMemory = stored;

    TfrmPrefs dlg(file, inMemory, nullptr);
    open(dlg);
    typeInto(dlg, "edtP_Debt", u"41"_s);
    QCOMPARE(field(dlg, "edtP_Debt")->value(), 41.0);
    QTest::mouseClick(dlg.findChild<QPushButton *>(u"btnRestore"_s), Qt::LeftButton);
    QCOMPARE(field(dlg, "edtP_Debt")->value(), 36.0);
    QCOMPARE(field(dlg, "edtP_LoanAmount")->value(), 100000.0);
    QCOMPARE(field(dlg, "edtP_IIDays")->value(), 15.0);
    QVERIFY(dlg.fieldValues() == BuyerValues{});
    QCOMPARE(readBytes(m_path), bytesBefore);

    QTest::mouseClick(dlg.findChild<QPushButton *>(u"btnCancel"_s), Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(readBytes(m_path), bytesBefore);
    QVERIFY(inMemory == stored);
    QVERIFY(m_errors.isEmpty());
}

void TestPrefs::saveStoresAllThreeTabs()
{
    writeBytes(m_path, "; mine\n[LastValues]\nLoan=100000\n");
    SettingsFile file(m_path);
    BuyerValues inMemory;
    TfrmPrefs dlg(file, inMemory, nullptr);
    open(dlg);
    typeInto(dlg, "edtP_LoanAmount", u"123456.5"_s);
    typeInto(dlg, "edtP_TermInMonths", u"180"_s);
    showTab(dlg, 1);
    typeInto(dlg, "edtP_AF", u"425"_s);
    showTab(dlg, 2);
    typeInto(dlg, "edtP_IIDays", u"21"_s);
    QTest::mouseClick(dlg.findChild<QPushButton *>(u"btnSave"_s), Qt::LeftButton);

    QVERIFY(m_errors.isEmpty());
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    BuyerValues expected;
    expected.Loan = 123456.5;
    expected.Term = 180;
    expected.AppraisalFee = 425;
    expected.InterimInterestDays = 21;
    QVERIFY(inMemory == expected);

    BuyerValues onDisk;
    QVERIFY(file.load(onDisk).ok());
    QVERIFY(onDisk == expected);
    QVERIFY(readBytes(m_path).startsWith("; mine\n[LastValues]\nLoan=123456.5\n"));
}

void TestPrefs::saveFailureKeepsWindowOpen()
{
    QVERIFY(QDir().mkpath(m_path)); // a folder where the file should be
    auto removeDir = qScopeGuard([this] { QDir(m_path).removeRecursively(); });
    SettingsFile file(m_path);
    BuyerValues inMemory;
    TfrmPrefs dlg(file, inMemory, nullptr);
    open(dlg);
    typeInto(dlg, "edtP_Housing", u"33"_s);
    QTest::mouseClick(dlg.findChild<QPushButton *>(u"btnSave"_s), Qt::LeftButton);

    QCOMPARE(m_errors, QStringList{u"Unable to write to "_s + m_path});
    QVERIFY(dlg.isVisible());
    QCOMPARE(inMemory.HRatio, 33.0); // in effect although not stored
}

void TestPrefs::generalTabOrder()
{
    SettingsFile file(m_path);
    BuyerValues values;
    TfrmPrefs dlg(file, values, nullptr);
    open(dlg);
    QCOMPARE(QApplication::focusWidget(), field(dlg, "edtP_Housing"));
    const QStringList expected{u"edtP_Debt"_s,           u"edtP_LoanAmount"_s,
                               u"edtP_TermInMonths"_s,   u"edtP_InterestRate"_s,
                               u"edtP_MonthlyPayment"_s, u"edtP_308085"_s,
                               u"edtP_308590"_s,         u"edtP_309095"_s,
                               u"edtP_309597"_s,         u"edtP_158085"_s,
                               u"edtP_158590"_s,         u"edtP_159095"_s,
                               u"edtP_159597"_s,         u"btnRestore"_s,
                               u"btnCancel"_s,           u"btnSave"_s};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestPrefs::captions()
{
    SettingsFile file(m_path);
    BuyerValues values;
    TfrmPrefs dlg(file, values, nullptr);
    QCOMPARE(dlg.windowTitle(), u"Preferences"_s);
    QCOMPARE(dlg.size(), QSize(464, 305));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QCOMPARE(dlg.font().pixelSize(), 11);
    QCOMPARE(dlg.font().family(), u"Arial"_s);
    QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
    QStringList buttons;
    for (const QPushButton *b : dlg.findChildren<QPushButton *>())
        buttons << b->objectName() + u'|' + b->text() + u'|' + b->toolTip();
    QCOMPARE(buttons, (QStringList{u"btnRestore| Restore &Defaults| Click to restore defaults"_s,
                                   u"btnCancel| &Cancel| Click to cancel"_s,
                                   u"btnSave| Save and &Close| Click to save new values and "
                                   u"close Preferences"_s}));
}

void TestPrefs::tabLabels_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("general") << 0 << "General Values"
                             << QStringList{u"Qualification Ratios"_s,
                                            u"Housing"_s,
                                            u"Debt"_s,
                                            u"Primary Variables"_s,
                                            u"Loan Amount"_s,
                                            u"Term in Months"_s,
                                            u"Interest Rate"_s,
                                            u"Monthly Payment"_s,
                                            u"PMI Premiums"_s,
                                            u"30 Year Term"_s,
                                            u"LTV"_s,
                                            u"15 Year Term"_s,
                                            u"80 to 85"_s,
                                            u"85 to 90"_s,
                                            u"90 to 95"_s,
                                            u"95 to 97"_s,
                                            kNote};
    QTest::newRow("closing costs") << 1 << "Closing Costs"
                                   << QStringList{u"Appraisal Fee"_s,
                                                  u"Credit Report"_s,
                                                  u"Tax-related Service Fee"_s,
                                                  u"Lender's Inspection Fee"_s,
                                                  u"Title Insurance"_s,
                                                  u"Title Search"_s,
                                                  u"Escrow Closing Fee"_s,
                                                  u"Recording Fee"_s,
                                                  u"Other Fees"_s,
                                                  u"Seller Paid Costs"_s,
                                                  u"Origination Points"_s,
                                                  u"Discount Points"_s,
                                                  u"Down Payment Percent"_s,
                                                  u"Annual Real Estate Taxes"_s,
                                                  u"Homeowner's Insurance"_s,
                                                  u"(Annual Estimate)"_s,
                                                  u"Monthly Association Fee"_s,
                                                  kNote};
    QTest::newRow("escrows")
        << 2 << "Escrows"
        << QStringList{u"Days of Prepaid Interest (Between Closing Date and First of Next Month)"_s,
                       u"Months of Prepaid Real Estate Taxes"_s,
                       u"Months of Homeowner's Insurance Premiums (First Year)"_s,
                       u"Months of Prepaid Homeowner's Insurance Premiums (Renewal)"_s, kNote};
}

void TestPrefs::tabLabels()
{
    QFETCH(int, tab);
    QFETCH(QString, title);
    QFETCH(QStringList, labels);
    SettingsFile file(m_path);
    BuyerValues values;
    TfrmPrefs dlg(file, values, nullptr);
    auto *tabs = dlg.findChild<QTabWidget *>(u"nbkPrefs"_s);
    QCOMPARE(tabs->tabText(tab), title);
    QStringList shown;
    for (const QLabel *label : tabs->widget(tab)->findChildren<QLabel *>())
        shown << label->text();
    QCOMPARE(shown, labels);
}

// Every text fits its box at 11-pixel Arial; the tabs are also saved as PNG
// under /tmp for a look.
void TestPrefs::nothingIsClipped()
{
    SettingsFile file(m_path);
    BuyerValues values;
    TfrmPrefs dlg(file, values, nullptr);
    open(dlg);
    auto *tabs = dlg.findChild<QTabWidget *>(u"nbkPrefs"_s);
    const char *names[] = {"general", "closing", "escrows"};
    for (int tab = 0; tab < 3; ++tab) {
        showTab(dlg, tab);
        QWidget *page = tabs->widget(tab);
        for (const QLabel *label : page->findChildren<QLabel *>()) {
            const QString what = label->text() + u" on tab "_s + QString::number(tab);
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                         qPrintable(what));
            else
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(what));
            QVERIFY2(page->rect().contains(label->geometry()), qPrintable(what));
        }
        for (const TNumEdit *edit : page->findChildren<TNumEdit *>()) {
            QVERIFY2(page->rect().contains(edit->geometry()), qPrintable(edit->objectName()));
            QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->width() - 8,
                     qPrintable(edit->objectName()));
        }
        QVERIFY(dlg.grab().save(u"/tmp/clvn-prefs-%1.png"_s.arg(QLatin1String(names[tab]))));
    }
    for (const QPushButton *button : dlg.findChildren<QPushButton *>())
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
}

QTEST_MAIN(TestPrefs)
#include "tst_prefs.moc"
