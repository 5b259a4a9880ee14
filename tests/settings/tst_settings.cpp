// CLVN.INI (number text, bad values, saves, unread lines, the seed, its place); Preferences.

#include "app/settings/Prefs.h"
#include "state/IniFile.h"
#include "state/SettingsFile.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
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
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
using test::readBytes;
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
QByteArray scratchWith(const QByteArray &from, const QByteArray &to)
{
    return QByteArray(kScratch).replace(from, to);
}
// Four lines start-up cannot read: a percent sign, a fraction, letters, two commas.
const QByteArray kUnread = scratchWith("Term=360", "Term=360.5")
                               .replace("Interest=8.75", "Interest=6.5%")
                               .replace("HRatio=28", "HRatio=abc")
                               .replace("AppraisalFee=300", "AppraisalFee=3,0,0");
using Change = std::function<void(BuyerValues &, const SettingsFile &)>;
using Save = void (SettingsFile::*)(const BuyerValues &) const;
} // namespace
Q_DECLARE_METATYPE(Save)

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(u"CalvenorSettingsTest"_s);
    }
    void init()
    {
        test::pinLocale();
        QFile::remove(m_path);
        m_values = {};
        m_errors.clear();
        m_dlg.reset();
        setExceptionHandler([this](std::exception_ptr e) { m_errors << failureMessage(e); });
    }
    void noFileThenScratchSave()
    {
        BuyerValues values = changedValues();
        QVERIFY(m_file.load(values).ok() && values == BuyerValues{});
        QVERIFY(!QFile::exists(m_path)); // loading creates nothing
        m_file.saveAll(values);
        QCOMPARE(readBytes(m_path), kScratch);
    }
    // Shortest form, up to 15 digits, no grouping, '.' in every locale; what earlier versions
    // wrote in the user's own form ("8,75" under de_DE) reads too, in any locale.
    void numberText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("earlier");
        QTest::newRow("0.0090 loses its zero") << "en_US" << 0.0090 << "0.009" << u"0,009"_s;
        QTest::newRow("negative zero is 0") << "en_US" << -0.0 << "0" << u"0"_s;
        QTest::newRow("15 digits")
            << "en_US" << 1.0 / 3.0 << "0.333333333333333" << u"0,333333333333333"_s;
        QTest::newRow("de_DE point") << "de_DE" << 8.75 << "8.75" << u"8,75"_s;
        QTest::newRow("de_DE whole, no grouping") << "de_DE" << 100000.0 << "100000" << u"100000"_s;
        QTest::newRow("ar_EG ASCII digits")
            << "ar_EG" << 8.75 << "8.75" << u"\u0668\u066b\u0667\u0665"_s;
        // 15 digits would round past the largest double and not read back.
        QTest::newRow("largest figure keeps every digit")
            << "en_US" << -1.7976931348623157e308 << "-1.7976931348623157e+308"
            << u"-1.7976931348623157E+308"_s;
    }
    void numberText()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(QString, earlier);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(formatSettingNumber(value), text);
        QCOMPARE(parseSettingNumber(text).value_or(-1), value);
        QCOMPARE(parseSettingNumber(earlier).value_or(-1), value);
    }
    // A partial foreign file (BOM, Latin-1, CRLF, case, comments): a save adds only missing keys.
    void partialFileKeepsForeignLines()
    {
        QVERIFY(test::writeBytes(
            m_path,
            "\xEF\xBB\xBF; caf\xE9\r\n[lastvalues]\r\nLOAN = 150000\r\n;Interest=1\r\n\r\n"
            "[Escrows]\r\nInterimInterestDays =\t20\t\r\n[Mine]\nx=1\n[LastValues]\nLoan=5"));
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
        QCOMPARE(
            readBytes(m_path),
            "\xEF\xBB\xBF; caf\xE9\r\n[lastvalues]\r\nLOAN = 7\r\nInterest=8.75\r\nTerm=360\r\n"
            "Payment=786.7\r\n;Interest=1\r\n\r\n[Escrows]\r\nInterimInterestDays =\t20\t\r\n"
            "PropertyTaxMonths=3\r\nHomeownersFirstYear=12\r\nHomeownersRenewalMonths=2\r\n"
            "[Mine]\nx=1\n[LastValues]\nLoan=5\r\n\r\n" +
                scratchCrlf.mid(from, scratchCrlf.indexOf("\r\n[Escrows]") - from));
    }
    // Bad keys named in table order, the good one read, the others default.
    void badValuesKeepDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("ignored");
        QTest::newRow("letters, two commas, grouping and inf")
            << QByteArray("[LastValues]\nLoan=abc\nInterest=7.5\n[Escrows]\nPropertyTaxMonths=inf\n"
                          "[PmiValues]\nPmip309597=0,0,9\n[Ratios]\nDRatio=1,000.5\n")
            << QStringList{u"Loan"_s, u"Pmip309597"_s, u"DRatio"_s, u"PropertyTaxMonths"_s};
        QTest::newRow("fractional term")
            << QByteArray("[LastValues]\nTerm=360.5\nInterest=7.5\n") << QStringList{u"Term"_s};
        QTest::newRow("term beyond 32 bits")
            << QByteArray("[LastValues]\nTerm=3000000000\nInterest=7.5\n")
            << QStringList{u"Term"_s};
        QTest::newRow("empty value is missing, not bad")
            << QByteArray("[LastValues]\nLoan=\nInterest= 7.5 \n") << QStringList{};
    }
    void badValuesKeepDefaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, ignored);
        QVERIFY(test::writeBytes(m_path, content));
        BuyerValues values = changedValues();
        QCOMPARE(m_file.load(values).ignoredKeys, ignored);
        BuyerValues expected;
        expected.Interest = 7.5;
        QVERIFY(values == expected);
    }
    // Mended: a file cut short by a full disk (a size limit here) was reported saved.
    void fullDiskKeepsOldFile()
    {
        const QByteArray old("[LastValues]\nLoan=1\n");
        QVERIFY(test::writeBytes(m_path, old));
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
    void locate_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("portable");
        const QString here = m_dir.path();
        QTest::newRow("writable, trailing separator") << here + u'/' << true;
        QTest::newRow("missing folder") << here + u"/gone/"_s << false;
        QTest::newRow("a file, not a folder") << here + u"/plain-file/"_s << false;
        // Never a system folder, even one that can be written (as root can).
        QTest::newRow("installed prefix") << here + u"/usr/bin/"_s << false;
        QTest::newRow("another user's folder") << here + u"/theirs"_s << false;
    }
    // Falls back to the configuration folder, created only when needed.
    void locate()
    {
        QFETCH(QString, folder);
        QFETCH(bool, portable);
        const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QVERIFY(config.contains(u"CalvenorSettingsTest"_s));
        QVERIFY(test::writeBytes(m_dir.filePath(u"plain-file"_s), "x"));
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
    // The exit save keeps an unread line unless the run or a Preferences/fees save changed it.
    void exitSaveKeepsUnreadLines_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("untouched, byte for byte")
            << Change([](BuyerValues &, const SettingsFile &) {}) << kUnread;
        QTest::newRow("the changed one is written, the others kept")
            << Change([](BuyerValues &v, const SettingsFile &) { v.HRatio = 30; })
            << QByteArray(kUnread).replace("HRatio=abc", "HRatio=30");
        // The panel reads its fees again; a fee still unreadable stays unread.
        QTest::newRow("fees read again, still unread")
            << Change([](BuyerValues &v, const SettingsFile &f) { f.loadClosingFees(v); })
            << kUnread;
        const auto storeThenDefaults = [](void (SettingsFile::*store)(const BuyerValues &) const) {
            return Change([store](BuyerValues &v, const SettingsFile &f) {
                v.Interest = 7;
                v.AppraisalFee = 350;
                (f.*store)(v);
                v = BuyerValues();
            });
        };
        QTest::newRow("Preferences save of 7, then the defaults back")
            << storeThenDefaults(&SettingsFile::savePreferences) << kScratch;
        QTest::newRow("closing-fee save, then the defaults back")
            << storeThenDefaults(&SettingsFile::saveClosingFees)
            << QByteArray(kUnread).replace("AppraisalFee=3,0,0", "AppraisalFee=300");
    }
    void exitSaveKeepsUnreadLines()
    {
        QFETCH(Change, change);
        QFETCH(QByteArray, saved);
        QVERIFY(test::writeBytes(m_path, kUnread));
        BuyerValues values;
        QVERIFY(!m_file.load(values).ok());
        change(values, m_file);
        m_file.saveAll(values);
        QCOMPARE(readBytes(m_path), saved);
    }
    // Each save stores every key of its sections, in any locale: written under de_DE, read under
    // en_US.
    void savesStoreEveryKey_data()
    {
        QTest::addColumn<Save>("save");
        QTest::addColumn<int>("first"); // the keys stored, in file order
        QTest::addColumn<int>("count");
        QTest::newRow("exit save") << &SettingsFile::saveAll << 0 << 34;
        QTest::newRow("Preferences") << &SettingsFile::savePreferences << 0 << 34;
        QTest::newRow("closing fees") << &SettingsFile::saveClosingFees << 14 << 10;
        QTest::newRow("escrows") << &SettingsFile::saveEscrows << 30 << 4;
    }
    void savesStoreEveryKey()
    {
        QFETCH(Save, save);
        QFETCH(int, first);
        QFETCH(int, count);
        const BuyerValues values[] = {BuyerValues(), changedValues()};
        BuyerValues read;
        QLocale::setDefault(QLocale(u"de_DE"_s));
        (m_file.*save)(values[1]);
        test::pinLocale();
        QVERIFY(m_file.load(read).ok());
        for (int i = 0; i < 34; ++i) {
            const SettingsKey &k = settingsKeys()[size_t(i)];
            const BuyerValues &v = values[i >= first && i < first + count];
            QVERIFY2(k.whole ? read.*k.whole == v.*k.whole : read.*k.real == v.*k.real, k.key);
        }
    }
    // A read-only program folder's CLVN.INI seeds the user's copy (foreign lines too) and stays
    // as it was; once there, the user's copy is read, not the seed.
    void readOnlyProgramFolderSeedsTheUserCopy()
    {
        QTemporaryDir home;
        const QString program = home.filePath(u"program"_s), shipped = program + u"/CLVN.INI"_s;
        const QByteArray text = scratchWith("HRatio=28", "HRatio=33") + "[Mine]\nKeep=me\n";
        QVERIFY(QDir().mkpath(program) && test::writeBytes(shipped, text));
        const auto readable =
            QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        const auto open = readable | QFile::WriteOwner | QFile::WriteOther;
        QVERIFY(QFile::setPermissions(home.path(), open) &&
                QFile::setPermissions(program, readable));
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        QString path, seed, error;
        BuyerValues values, again;
        // As user nobody under root, whom permission bits do not bind, in a folder of nobody's
        // own: the write probe refuses it, not the owner check.
        const bool root = geteuid() == 0;
        const bool ran =
            !root || (::chown(QFile::encodeName(program).constData(), 65534, 65534) == 0 &&
                      setegid(65534) == 0 && seteuid(65534) == 0);
        if (ran) {
            SettingsFile settings = SettingsFile::forProgramFolder(program);
            path = settings.path();
            seed = settings.seed();
            settings.load(values);
            values.DRatio = 41;
            try { // nothing may escape before the user id is back
                settings.saveAll(values);
            } catch (const SettingsWriteError &e) {
                error = QString::fromUtf8(e.what());
            }
            SettingsFile::forProgramFolder(program).load(again);
        }
        if (root && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("could not become root again");
        qputenv("HOME", oldHome);
        QVERIFY(QFile::setPermissions(program, open));
        if (!ran)
            QSKIP("running as root and the effective user id could not be changed");
        QCOMPARE(error, QString());
        QCOMPARE(path, home.filePath(u".qttest/config/CalvenorSettingsTest/CLVN.INI"_s));
        QCOMPARE(seed, shipped);
        QCOMPARE(values.HRatio, 33.0);
        QCOMPARE(again.DRatio, 41.0);
        QCOMPARE(readBytes(path), QByteArray(text).replace("DRatio=36", "DRatio=41"));
        QCOMPARE(readBytes(shipped), text);
    }
    // The fields show the file, not memory; bad values are told once, by name.
    void prefsShowTheFile()
    {
        QVERIFY(test::writeBytes(
            m_path, "[LastValues]\nLoan=abc\nInterest=7.5\nTerm=240\n[Ratios]\nHRatio=30\n"
                    "[Escrows]\nPropertyTaxMonths=?\nHomeownersFirstYear=6\n"));
        m_values.Loan = 99;
        test::MessageBoxCatcher boxes;
        m_dlg = std::make_unique<TfrmPrefs>(m_file, m_values);
        m_dlg->show(); // the message takes the activation, so no wait for it here
        QTRY_COMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last(),
                 u"These settings in %1 are not numbers and were replaced by their "
                 u"defaults: Loan, PropertyTaxMonths."_s.arg(QDir::toNativeSeparators(m_path)));
        QStringList shown;
        for (const QString &name : u"LoanAmount InterestRate TermInMonths Housing Debt 309597 "
                                   u"PTIMonths HOIPMonths"_s.split(u' '))
            shown << field(u"edtP_"_s + name)->text();
        QCOMPARE(shown, u"100,000.00 7.500 240 30 36 0.0090 3 6"_s.split(u' '));
        QCOMPARE(m_dlg->focusWidget(), field(u"edtP_Housing"_s));
        QCOMPARE(m_values.Loan, 99.0);
        QTest::qWait(50);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(m_errors.isEmpty());
    }
    // Restore, Cancel store nothing; Save stores all tabs, in any locale; a failed save keeps the
    // window open.
    void prefsButtons()
    {
        BuyerValues stored;
        stored.Loan = 250000;
        m_file.saveAll(stored);
        const QByteArray before = readBytes(m_path);
        m_values = stored;
        open();
        type(u"edtP_Debt"_s, u"41"_s);
        click(u"btnRestore"_s);
        QVERIFY(m_dlg->fieldValues() == BuyerValues{});
        click(u"btnCancel"_s);
        QVERIFY(!m_dlg->isVisible() && m_dlg->result() == QDialog::Rejected);
        QCOMPARE(readBytes(m_path), before);
        QVERIFY(m_values == stored);
        QVERIFY(test::writeBytes(m_path, "; mine\n[LastValues]\nLoan=100000\n"));
        QLocale::setDefault(QLocale(u"de_DE"_s)); // stored so that en_US reads it too
        open();
        type(u"edtP_LoanAmount"_s, u"123456,5"_s);
        type(u"edtP_TermInMonths"_s, u"180"_s);
        type(u"edtP_AF"_s, u"425"_s, 1);
        type(u"edtP_IIDays"_s, u"21"_s, 2);
        click(u"btnSave"_s);
        test::pinLocale();
        QVERIFY(!m_dlg->isVisible() && m_dlg->result() == QDialog::Accepted);
        BuyerValues expected, onDisk;
        expected.Loan = 123456.5;
        expected.Term = 180;
        expected.AppraisalFee = 425;
        expected.InterimInterestDays = 21;
        QVERIFY(m_values == expected);
        QVERIFY(m_file.load(onDisk).ok() && onDisk == expected);
        QVERIFY(readBytes(m_path).startsWith("; mine\n[LastValues]\nLoan=123456.5\n"));
        QVERIFY(QFile::remove(m_path) && QDir().mkpath(m_path)); // a folder where the file goes
        auto removeDir = qScopeGuard([this] { QDir(m_path).removeRecursively(); });
        open();
        type(u"edtP_Housing"_s, u"33"_s);
        click(u"btnSave"_s);
        QCOMPARE(m_errors, QStringList{u"An unidentified error has occurred."_s});
        QVERIFY(m_dlg->isVisible());
        QCOMPARE(m_values.HRatio, 33.0);
        type(u"edtP_TermInMonths"_s, u"3000000000"_s); // named, where a file cannot be
        click(u"btnSave"_s);
        QCOMPARE(m_errors.last(), u"Term in Months: \"3,000,000,000\" is too large."_s);
    }

private:
    void open() // shows the window and waits until it can take keys
    {
        m_dlg = std::make_unique<TfrmPrefs>(m_file, m_values);
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }
    TNumEdit *field(const QString &name) const { return test::find<TNumEdit>(m_dlg.get(), name); }
    void type(const QString &name, const QString &text, int tab = 0)
    {
        QTabBar *bar = test::find<QTabWidget>(m_dlg.get(), u"nbkPrefs"_s)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
        test::type(field(name), text);
    }
    void click(const QString &name) { test::find<QPushButton>(m_dlg.get(), name)->click(); }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"CLVN.INI"_s);
    SettingsFile m_file{m_path};
    BuyerValues m_values;
    std::unique_ptr<TfrmPrefs> m_dlg;
    QStringList m_errors; // what the main window would show
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
