// SettingsFile: the 34 keys of CLVN.INI, their defaults, number text, bad
// values and where the file lives.

#include "app/settings/IniFile.h"
#include "app/settings/SettingsFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
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
// The file written from scratch: the sections and keys of the table, in order.
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

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void noFileThenScratchSave();
    void numberText_data();
    void numberText();
    void partialFileGetsMissingKeys();
    void badValuesKeepDefaults_data();
    void badValuesKeepDefaults();
    void partialSavesTouchOnlyTheirKeys();
    void locate_data();
    void locate();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSettingsFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"CalvenorSettingsTest"_s);
}

void TestSettingsFile::init()
{
    clvn::test::pinLocale();
    m_path = m_dir.filePath(u"CLVN.INI"_s);
    QFile::remove(m_path);
}

void TestSettingsFile::noFileThenScratchSave()
{
    SettingsFile file(m_path);
    BuyerValues values = changedValues();
    QVERIFY(file.load(values).ok());
    QVERIFY(values == BuyerValues{});
    QVERIFY(!QFile::exists(m_path)); // loading creates nothing
    file.saveAll(values);
    QCOMPARE(readBytes(m_path), kScratch);
}

// Shortest general form, up to 15 significant digits, no grouping, the
// user's decimal separator; the text must read back as the same double.
void TestSettingsFile::numberText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole, no grouping") << "en_US" << 100000.0 << "100000";
    QTest::newRow("0.0090 loses its zero") << "en_US" << 0.0090 << "0.009";
    QTest::newRow("1.0 is 1") << "en_US" << 1.0 << "1";
    QTest::newRow("negative zero is 0") << "en_US" << -0.0 << "0";
    QTest::newRow("cents") << "en_US" << 1234567.89 << "1234567.89";
    QTest::newRow("negative") << "en_US" << -42.5 << "-42.5";
    QTest::newRow("de_DE comma") << "de_DE" << 8.75 << "8,75";
    QTest::newRow("de_DE whole, no grouping") << "de_DE" << 100000.0 << "100000";
}

void TestSettingsFile::numberText()
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
    saved.Pmip309597 = 1.0 / 3.0; // needs all 15 digits and still differs: see below
    SettingsFile file(m_path);
    file.saveAll(saved);
    BuyerValues loaded;
    QVERIFY(file.load(loaded).ok());
    QCOMPARE(loaded.Interest, value);
    QCOMPARE(loaded.Pmip309597, 0.333333333333333); // the 15-digit text, not 1/3
    loaded.Pmip309597 = saved.Pmip309597;
    QVERIFY(loaded == saved);
}

void TestSettingsFile::partialFileGetsMissingKeys()
{
    writeBytes(m_path, "; mine\r\n[LastValues]\r\nLoan=150000\r\n\r\n[Escrows]\r\n"
                       "InterimInterestDays=20\r\n[Mine]\r\nx=1\r\n");
    SettingsFile file(m_path);
    BuyerValues values;
    QVERIFY(file.load(values).ok());
    BuyerValues expected;
    expected.Loan = 150000;
    expected.InterimInterestDays = 20;
    QVERIFY(values == expected);

    file.saveAll(values);
    // Missing keys join their sections; missing sections follow in table
    // order; the file's CRLF endings and foreign lines stay.
    QByteArray scratchCrlf = kScratch;
    scratchCrlf.replace("\n", "\r\n");
    const QByteArray bytes = readBytes(m_path);
    QVERIFY(bytes.startsWith("; mine\r\n[LastValues]\r\nLoan=150000\r\nInterest=8.75\r\nTerm=360"
                             "\r\nPayment=786.7\r\n\r\n[Escrows]\r\nInterimInterestDays=20\r\n"
                             "PropertyTaxMonths=3\r\nHomeownersFirstYear=12\r\n"
                             "HomeownersRenewalMonths=2\r\n[Mine]\r\nx=1\r\n\r\n[PmiValues]\r\n"));
    const qsizetype from = scratchCrlf.indexOf("[PmiValues]");
    const qsizetype to = scratchCrlf.indexOf("\r\n[Escrows]");
    QVERIFY(bytes.endsWith(scratchCrlf.mid(from, to - from)));
    BuyerValues reloaded;
    QVERIFY(file.load(reloaded).ok());
    QVERIFY(reloaded == expected);
}

void TestSettingsFile::badValuesKeepDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("ignored");
    QTest::newRow("letters") << QByteArray("[LastValues]\nLoan=abc\nInterest=7.5\n")
                             << QStringList{u"Loan"_s};
    QTest::newRow("fractional term")
        << QByteArray("[LastValues]\nTerm=360.5\nInterest=7.5\n") << QStringList{u"Term"_s};
    QTest::newRow("term beyond 32 bits")
        << QByteArray("[LastValues]\nTerm=3000000000\nInterest=7.5\n") << QStringList{u"Term"_s};
    QTest::newRow("comma decimal, grouping and inf in en_US, in table order")
        << QByteArray("[LastValues]\nInterest=7.5\n[Escrows]\nPropertyTaxMonths=inf\n"
                      "[PmiValues]\nPmip309597=0,009\n[Ratios]\nDRatio=1,000\n")
        << QStringList{u"Pmip309597"_s, u"DRatio"_s, u"PropertyTaxMonths"_s};
    QTest::newRow("empty value is missing, not bad")
        << QByteArray("[LastValues]\nLoan=\nInterest= 7.5 \n") << QStringList{};
}

void TestSettingsFile::badValuesKeepDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, ignored);
    writeBytes(m_path, content);
    BuyerValues values = changedValues();
    const LoadReport report = SettingsFile(m_path).load(values);
    QCOMPARE(report.ignoredKeys, ignored);
    BuyerValues expected; // the good key read, every other at its default
    expected.Interest = 7.5;
    QVERIFY(values == expected);
    const QString message = ignoredKeysMessage(m_path, report.ignoredKeys);
    QVERIFY(message.contains(ignored.join(u", "_s)) && message.contains(m_path));
}

void TestSettingsFile::partialSavesTouchOnlyTheirKeys()
{
    SettingsFile file(m_path);
    file.saveAll(BuyerValues{});
    const BuyerValues edited = changedValues();
    file.saveClosingFees(edited);
    file.saveEscrows(edited);

    BuyerValues onDisk;
    QVERIFY(file.load(onDisk).ok());
    BuyerValues inMemory;
    inMemory.Loan = 5;
    QVERIFY(file.loadClosingFees(inMemory).ok());
    for (size_t i = 0; i < settingsKeys().size(); ++i) {
        const SettingsKey &k = settingsKeys()[i];
        if (k.whole)
            continue;
        const bool fee = i >= 14 && i <= 23, escrow = i >= 30;
        QCOMPARE(onDisk.*k.real, (fee || escrow ? edited : BuyerValues{}).*k.real);
        QCOMPARE(inMemory.*k.real, fee ? edited.*k.real : i == 0 ? 5.0 : BuyerValues{}.*k.real);
    }
}

void TestSettingsFile::locate_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("portable");
    const QString here = m_dir.path();
    QTest::newRow("writable, trailing separator") << here + u'/' << true;
    QTest::newRow("writable, no separator") << here << true;
    QTest::newRow("missing folder") << here + u"/gone/"_s << false;
    QTest::newRow("a file, not a folder") << here + u"/plain-file/"_s << false;
}

void TestSettingsFile::locate()
{
    QFETCH(QString, folder);
    QFETCH(bool, portable);
    writeBytes(m_dir.filePath(u"plain-file"_s), "x");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QVERIFY(config.contains(u"CalvenorSettingsTest"_s));
    QDir(config).removeRecursively();

    const QString path = SettingsFile::locate(folder);
    QCOMPARE(path, portable ? m_dir.filePath(u"CLVN.INI"_s) : config + u"/CLVN.INI"_s);
    QCOMPARE(QFileInfo(config).isDir(), !portable); // created only when needed
    QCOMPARE(QDir(m_dir.path()).entryList({u"clvn-probe*"_s}, QDir::Files), QStringList{});
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
