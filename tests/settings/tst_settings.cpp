// CLVN.INI (its keys, number text, bad values, in-place and atomic saves, where
// it lives) and the Preferences window, driven as a user would.

#include "app/settings/IniFile.h"
#include "app/settings/Prefs.h"
#include "app/settings/SettingsFile.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

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
// Every value changed, each to its own figure.
BuyerValues changedValues()
{
    BuyerValues v;
    double x = 1.25;
    for (const SettingsKey &k : settingsKeys()) {
        if (k.whole)
            v.*k.whole = 240;
        else
            v.*k.real = (x += 1.5);
    }
    return v;
}
// A file written from scratch: the 34 keys and factory defaults in five sections.
const QByteArray kScratch =
    "[LastValues]\nLoan=100000\nInterest=8.75\nTerm=360\nPayment=786.7\n\n"
    "[PmiValues]\nPmip308085=0.0032\nPmip308590=0.0052\nPmip309095=0.0078\nPmip309597=0.009\n"
    "Pmip158085=0.0019\nPmip158590=0.0023\nPmip159095=0.0056\nPmip159597=0.0079\n\n"
    "[Ratios]\nHRatio=28\nDRatio=36\n\n"
    "[ClosingCosts]\nAppraisalFee=300\nCreditReport=42\nTaxServiceFee=85\n"
    "LendersInspectionFee=0\nTitleInsurance=200\nTitleSearch=100\nEscrowClosingFee=75\n"
    "RecordingFee=50\nOtherFees=300\nSellerPaid=0\nOriginationPoints=1\nDiscountPoints=0\n"
    "DownPaymentPercent=20\nRealEstateTax=800\nInsurance=580\nAssociationFee=0\n\n"
    "[Escrows]\nInterimInterestDays=15\nPropertyTaxMonths=3\nHomeownersFirstYear=12\n"
    "HomeownersRenewalMonths=2\n";
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void noFileThenScratchSave();
    void numberText_data();
    void numberText();
    void partialFileKeepsForeignLines();
    void badValuesKeepDefaults_data();
    void badValuesKeepDefaults();
    void fullDiskKeepsOldFile();
    void locate_data();
    void locate();
    void prefsShowTheFile();
    void restoreThenCancelStoresNothing();
    void saveStoresAllThreeTabs();
    void saveFailureKeepsWindowOpen();
    void generalTabOrder();
    void captions();

private:
    void open() // shows the window and waits until it can take keys
    {
        m_dlg = std::make_unique<TfrmPrefs>(m_file, m_values);
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }
    void typeInto(const char *name, const QString &text, int tab = 0);
    TNumEdit *field(const char *name) const
    {
        return m_dlg->findChild<TNumEdit *>(QString::fromLatin1(name));
    }
    void click(const char *name)
    {
        QTest::mouseClick(m_dlg->findChild<QPushButton *>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"CLVN.INI"_s);
    SettingsFile m_file{m_path};
    BuyerValues m_values;
    std::unique_ptr<TfrmPrefs> m_dlg;
    QStringList m_errors; // what reached the application-wide handler
    ExceptionHandler m_previousHandler;
};

void TestSettings::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"CalvenorSettingsTest"_s);
}

void TestSettings::init()
{
    clvn::test::pinLocale();
    QFile::remove(m_path);
    m_values = {};
    m_errors.clear();
    m_previousHandler = setExceptionHandler([this](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception &e) {
            m_errors << QString::fromStdString(e.what());
        }
    });
}

void TestSettings::cleanup()
{
    m_dlg.reset();
    setExceptionHandler(m_previousHandler);
}

void TestSettings::noFileThenScratchSave()
{
    BuyerValues values = changedValues();
    QVERIFY(m_file.load(values).ok());
    QVERIFY(values == BuyerValues{});
    QVERIFY(!QFile::exists(m_path)); // loading creates nothing
    m_file.saveAll(values);
    QCOMPARE(readBytes(m_path), kScratch);
}

// Shortest general form, up to 15 significant digits, no grouping, the
// user's decimal separator; the text must read back as the same double.
void TestSettings::numberText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole, no grouping") << "en_US" << 100000.0 << "100000";
    QTest::newRow("0.0090 loses its zero") << "en_US" << 0.0090 << "0.009";
    QTest::newRow("negative zero is 0") << "en_US" << -0.0 << "0";
    QTest::newRow("cents") << "en_US" << 1234567.89 << "1234567.89";
    QTest::newRow("de_DE comma") << "de_DE" << 8.75 << "8,75";
    QTest::newRow("de_DE whole, no grouping") << "de_DE" << 100000.0 << "100000";
    // 15 digits would round past the largest double and not read back.
    QTest::newRow("largest figure keeps every digit")
        << "en_US" << -1.7976931348623157e308 << "-1.7976931348623157E+308";
}

void TestSettings::numberText()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(formatSettingNumber(value), text);
    QCOMPARE(parseSettingNumber(text).value_or(-1), value);
    // The whole set survives a save and a load in this locale.
    BuyerValues saved = changedValues();
    saved.Interest = value;
    saved.Pmip309597 = 1.0 / 3.0; // written with 15 digits, so it reads back as below
    m_file.saveAll(saved);
    BuyerValues loaded;
    saved.Pmip309597 = 0.333333333333333;
    QVERIFY(m_file.load(loaded).ok() && loaded == saved);
}

// A partial file from elsewhere (BOM, non-UTF-8, mixed line ends, other case, a
// commented-out key, a second [LastValues], no final line end): missing keys
// load as defaults; a save adds them and changes no other byte.
void TestSettings::partialFileKeepsForeignLines()
{
    writeBytes(m_path,
               "\xEF\xBB\xBF; caf\xE9\r\n[lastvalues]\r\nLOAN = 150000\r\n;Interest=1\r\n\r\n"
               "[Escrows]\r\nInterimInterestDays =\t20\t\r\n[Mine]\nx=1\n[LastValues]\nLoan=5");
    BuyerValues expected;
    expected.Loan = 150000;
    expected.InterimInterestDays = 20;
    BuyerValues values;
    QVERIFY(m_file.load(values).ok() && values == expected);
    expected.Loan = 7;
    m_file.saveAll(expected);
    QByteArray scratchCrlf = kScratch;
    scratchCrlf.replace("\n", "\r\n");
    const qsizetype from = scratchCrlf.indexOf("[PmiValues]");
    QCOMPARE(readBytes(m_path),
             "\xEF\xBB\xBF; caf\xE9\r\n[lastvalues]\r\nLOAN = 7\r\nInterest=8.75\r\nTerm=360\r\n"
             "Payment=786.7\r\n;Interest=1\r\n\r\n[Escrows]\r\nInterimInterestDays =\t20\t\r\n"
             "PropertyTaxMonths=3\r\nHomeownersFirstYear=12\r\nHomeownersRenewalMonths=2\r\n"
             "[Mine]\nx=1\n[LastValues]\nLoan=5\r\n\r\n" +
                 scratchCrlf.mid(from, scratchCrlf.indexOf("\r\n[Escrows]") - from));
}

void TestSettings::badValuesKeepDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("ignored");
    QTest::newRow("letters, comma decimal, grouping and inf in en_US, in table order")
        << QByteArray("[LastValues]\nLoan=abc\nInterest=7.5\n[Escrows]\nPropertyTaxMonths=inf\n"
                      "[PmiValues]\nPmip309597=0,009\n[Ratios]\nDRatio=1,000\n")
        << QStringList{u"Loan"_s, u"Pmip309597"_s, u"DRatio"_s, u"PropertyTaxMonths"_s};
    QTest::newRow("fractional term")
        << QByteArray("[LastValues]\nTerm=360.5\nInterest=7.5\n") << QStringList{u"Term"_s};
    QTest::newRow("term beyond 32 bits")
        << QByteArray("[LastValues]\nTerm=3000000000\nInterest=7.5\n") << QStringList{u"Term"_s};
    QTest::newRow("empty value is missing, not bad")
        << QByteArray("[LastValues]\nLoan=\nInterest= 7.5 \n") << QStringList{};
}

void TestSettings::badValuesKeepDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, ignored);
    writeBytes(m_path, content);
    BuyerValues values = changedValues();
    QCOMPARE(m_file.load(values).ignoredKeys, ignored);
    BuyerValues expected; // the good key read, every other at its default
    expected.Interest = 7.5;
    QVERIFY(values == expected);
}

// Mended: through the buffer, a file cut short by a full disk was reported as
// saved. A file-size limit stands in for the full disk (it binds root too).
void TestSettings::fullDiskKeepsOldFile()
{
    const QByteArray old("[LastValues]\nLoan=1\n");
    writeBytes(m_path, old);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit tight{64, saved.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    QString error;
    try {
        m_file.saveAll(changedValues());
    } catch (const SettingsWriteError &e) {
        error = QString::fromStdString(e.what());
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(error, u"Unable to write to "_s + m_path);
    QCOMPARE(readBytes(m_path), old);
    QCOMPARE(QDir(m_dir.path()).entryList({u"*CLVN*"_s}, QDir::Files | QDir::Hidden),
             QStringList{u"CLVN.INI"_s}); // no temporary file left
}

void TestSettings::locate_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("portable");
    const QString here = m_dir.path();
    QTest::newRow("writable, trailing separator") << here + u'/' << true;
    QTest::newRow("writable, no separator") << here << true;
    QTest::newRow("missing folder") << here + u"/gone/"_s << false;
    QTest::newRow("a file, not a folder") << here + u"/plain-file/"_s << false;
    // Never a system folder, even one that can be written (as root can).
    QTest::newRow("installed prefix") << here + u"/usr/bin/"_s << false;
    QTest::newRow("another user's folder") << here + u"/theirs"_s << false;
}

// Falls back to the configuration folder, created only when needed.
void TestSettings::locate()
{
    QFETCH(QString, folder);
    QFETCH(bool, portable);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QVERIFY(config.contains(u"CalvenorSettingsTest"_s));
    writeBytes(m_dir.filePath(u"plain-file"_s), "x");
    QVERIFY(QDir().mkpath(m_dir.filePath(u"usr/bin"_s)) &&
            QDir().mkpath(m_dir.filePath(u"usr/share/calvenor"_s)));
    const QString theirs = m_dir.filePath(u"theirs"_s);
    QVERIFY(QDir().mkpath(theirs));
    if (folder == theirs && ::chown(QFile::encodeName(theirs).constData(), 65534, 65534) != 0)
        QSKIP("only root can give a folder to another user");
    QDir(config).removeRecursively();
    QCOMPARE(SettingsFile::locate(folder), portable ? m_path : config + u"/CLVN.INI"_s);
    QCOMPARE(QFileInfo(config).isDir(), !portable);
    QCOMPARE(QDir(m_dir.path()).entryList({u"clvn-probe*"_s}, QDir::Files), QStringList{});
}

void TestSettings::typeInto(const char *name, const QString &text, int tab)
{
    QTabBar *bar = m_dlg->findChild<QTabWidget *>(u"nbkPrefs"_s)->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    TNumEdit *edit = field(name);
    QVERIFY(edit && edit->isVisible());
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab); // leaving takes the typed figure
}

// The fields show the file, not the values in memory; bad stored values are
// told once, by name, and show their defaults; the keys after them are read.
void TestSettings::prefsShowTheFile()
{
    writeBytes(m_path, "[LastValues]\nLoan=abc\nInterest=7.5\nTerm=240\n[Ratios]\nHRatio=30\n"
                       "[Escrows]\nPropertyTaxMonths=?\nHomeownersFirstYear=6\n");
    m_values.Loan = 99;
    test::MessageBoxCatcher catcher;
    m_dlg = std::make_unique<TfrmPrefs>(m_file, m_values);
    m_dlg->show(); // the message takes the activation, so no wait for it here
    QTRY_COMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last(),
             u"These settings in %1 are not numbers and were replaced by their "
             u"defaults: Loan, PropertyTaxMonths."_s.arg(QDir::toNativeSeparators(m_path)));
    QStringList shown;
    for (const char *name :
         {"edtP_LoanAmount", "edtP_InterestRate", "edtP_TermInMonths", "edtP_Housing", "edtP_Debt",
          "edtP_309597", "edtP_PTIMonths", "edtP_HOIPMonths"})
        shown << field(name)->text();
    QCOMPARE(shown, (QStringList{u"100,000.00"_s, u"7.500"_s, u"240"_s, u"30"_s, u"36"_s,
                                 u"0.0090"_s, u"3"_s, u"6"_s}));
    QCOMPARE(m_dlg->focusWidget(), field("edtP_Housing"));
    QCOMPARE(m_values.Loan, 99.0);
    QTest::qWait(50);
    QCOMPARE(catcher.count(), 1);
    QVERIFY(m_errors.isEmpty());
}

void TestSettings::restoreThenCancelStoresNothing()
{
    BuyerValues stored;
    stored.Loan = 250000;
    stored.InterimInterestDays = 9;
    m_file.saveAll(stored);
    const QByteArray bytesBefore = readBytes(m_path);
    m_values = stored;
    open();
    typeInto("edtP_Debt", u"41"_s);
    QCOMPARE(field("edtP_Debt")->text(), u"41"_s);
    click("btnRestore");
    QVERIFY(m_dlg->fieldValues() == BuyerValues{});
    QCOMPARE(field("edtP_Debt")->text(), u"36"_s);
    click("btnCancel");
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(m_dlg->result(), int(QDialog::Rejected));
    QCOMPARE(readBytes(m_path), bytesBefore);
    QVERIFY(m_values == stored);
    QVERIFY(m_errors.isEmpty());
}

void TestSettings::saveStoresAllThreeTabs()
{
    writeBytes(m_path, "; mine\n[LastValues]\nLoan=100000\n");
    open();
    typeInto("edtP_LoanAmount", u"123456.5"_s);
    typeInto("edtP_TermInMonths", u"180"_s);
    typeInto("edtP_AF", u"425"_s, 1);
    typeInto("edtP_IIDays", u"21"_s, 2);
    click("btnSave");
    QVERIFY(m_errors.isEmpty());
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(m_dlg->result(), int(QDialog::Accepted));
    BuyerValues expected;
    expected.Loan = 123456.5;
    expected.Term = 180;
    expected.AppraisalFee = 425;
    expected.InterimInterestDays = 21;
    QVERIFY(m_values == expected);
    BuyerValues onDisk;
    QVERIFY(m_file.load(onDisk).ok() && onDisk == expected);
    QVERIFY(readBytes(m_path).startsWith("; mine\n[LastValues]\nLoan=123456.5\n"));
}

void TestSettings::saveFailureKeepsWindowOpen()
{
    QVERIFY(QDir().mkpath(m_path)); // a folder where the file should be
    auto removeDir = qScopeGuard([this] { QDir(m_path).removeRecursively(); });
    open();
    typeInto("edtP_Housing", u"33"_s);
    click("btnSave");
    QCOMPARE(m_errors, QStringList{u"Unable to write to "_s + m_path});
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(m_values.HRatio, 33.0); // in effect although not stored
}

void TestSettings::generalTabOrder()
{
    open();
    QCOMPARE(m_dlg->focusWidget(), field("edtP_Housing"));
    const QStringList expected =
        u"edtP_Debt edtP_LoanAmount edtP_TermInMonths edtP_InterestRate edtP_MonthlyPayment "
        u"edtP_308085 edtP_308590 edtP_309095 edtP_309597 edtP_158085 edtP_158590 edtP_159095 "
        u"edtP_159597 btnRestore btnCancel btnSave"_s.split(u' ');
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(m_dlg->focusWidget(), Qt::Key_Tab);
        visited << m_dlg->focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestSettings::captions()
{
    TfrmPrefs dlg(m_file, m_values);
    QCOMPARE(dlg.windowTitle(), u"Preferences"_s);
    auto *tabs = dlg.findChild<QTabWidget *>(u"nbkPrefs"_s);
    QStringList texts{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)};
    for (const QPushButton *b : dlg.findChildren<QPushButton *>())
        texts << b->objectName() + u'|' + b->text() + u'|' + b->toolTip();
    QCOMPARE(texts, (QStringList{u"General Values"_s, u"Closing Costs"_s, u"Escrows"_s,
                                 u"btnRestore| Restore &Defaults| Click to restore defaults"_s,
                                 u"btnCancel| &Cancel| Click to cancel"_s,
                                 u"btnSave| Save and &Close| Click to save new values and "
                                 u"close Preferences"_s}));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
