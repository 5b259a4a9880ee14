// SettingsFile: the 34 keys of CLVN.INI, their defaults, number text, and
// what the loads and saves do to a file that others also write.

#include "app/settings/IniFile.h"
#include "app/settings/SettingsFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

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
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The key names of a file's "Key=Value" lines, in order.
QStringList keyOrder(const QByteArray &bytes)
{
    QStringList keys;
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            keys << QString::fromUtf8(line.left(eq));
    }
    return keys;
}

QStringList tableKeys()
{
    QStringList keys;
    for (const SettingsKey &k : settingsKeys())
        keys << QString::fromLatin1(k.key);
    return keys;
}

// Every value of BuyerValues changed, each to a different figure.
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

// The file a save writes from scratch: five sections, 34 keys, in order.
const QByteArray kScratch = "[LastValues]\n"
                            "Loan=100000\nInterest=8.75\nTerm=360\nPayment=786.7\n"
                            "\n[PmiValues]\n"
                            "Pmip308085=0.0032\nPmip308590=0.0052\nPmip309095=0.0078\n"
                            "Pmip309597=0.009\nPmip158085=0.0019\nPmip158590=0.0023\n"
                            "Pmip159095=0.0056\nPmip159597=0.0079\n"
                            "\n[Ratios]\n"
                            "HRatio=28\nDRatio=36\n"
                            "\n[ClosingCosts]\n"
                            "AppraisalFee=300\nCreditReport=42\nTaxServiceFee=85\n"
                            "LendersInspectionFee=0\nTitleInsurance=200\nTitleSearch=100\n"
                            "EscrowClosingFee=75\nRecordingFee=50\nOtherFees=300\nSellerPaid=0\n"
                            "OriginationPoints=1\nDiscountPoints=0\nDownPaymentPercent=20\n"
                            "RealEstateTax=800\nInsurance=580\nAssociationFee=0\n"
                            "\n[Escrows]\n"
                            "InterimInterestDays=15\nPropertyTaxMonths=3\nHomeownersFirstYear=12\n"
                            "HomeownersRenewalMonths=2\n";

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noFileGivesDefaults();
    void scratchFileHasAllKeysInOrder();
    void numberText_data();
    void numberText();
    void parseText_data();
    void parseText();
    void roundTripKeepsEveryValue_data();
    void roundTripKeepsEveryValue();
    void partialFile();
    void badValuesKeepDefaults_data();
    void badValuesKeepDefaults();
    void foreignLinesSurviveSave();
    void crlfFileStaysCrlf();
    void closingFeesAndEscrowsTouchOnlyTheirKeys();
    void exitSaveFailureThrows();
    void locate_data();
    void locate();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSettingsFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("CalvenorSettingsTest"));
}

void TestSettingsFile::init()
{
    clvn::test::pinLocale();
    m_path = m_dir.filePath(QStringLiteral("CLVN.INI"));
    QFile::remove(m_path);
}

void TestSettingsFile::cleanup()
{
    clvn::test::pinLocale();
}

void TestSettingsFile::noFileGivesDefaults()
{
    BuyerValues values = changedValues();
    const LoadReport report = SettingsFile(m_path).load(values);
    QVERIFY(report.ok());
    QVERIFY(values == BuyerValues{});
    QVERIFY(!QFile::exists(m_path)); // loading creates nothing
}

void TestSettingsFile::scratchFileHasAllKeysInOrder()
{
    SettingsFile(m_path).saveAll(BuyerValues{});
    const QByteArray bytes = readBytes(m_path);
    QCOMPARE(bytes, kScratch);
    QCOMPARE(keyOrder(bytes), tableKeys());
    QCOMPARE(bytes.count('['), 5);
}

// Shortest general form, at most 15 significant digits, no grouping, the
// user's decimal separator.
void TestSettingsFile::numberText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    const QString us = QStringLiteral("en_US"), de = QStringLiteral("de_DE");
    QTest::newRow("whole, no grouping") << us << 100000.0 << "100000";
    QTest::newRow("8.75") << us << 8.75 << "8.75";
    QTest::newRow("0.0032") << us << 0.0032 << "0.0032";
    QTest::newRow("786.7") << us << 786.7 << "786.7";
    QTest::newRow("0.0090 trailing zero dropped") << us << 0.0090 << "0.009";
    QTest::newRow("1.0 is 1") << us << 1.0 << "1";
    QTest::newRow("negative zero is 0") << us << -0.0 << "0";
    QTest::newRow("0.1+0.2 at 15 digits") << us << (0.1 + 0.2) << "0.3";
    QTest::newRow("one third, 15 digits") << us << (1.0 / 3.0) << "0.333333333333333";
    QTest::newRow("large with cents") << us << 1234567.89 << "1234567.89";
    QTest::newRow("negative") << us << -42.5 << "-42.5";
    QTest::newRow("de_DE comma") << de << 8.75 << "8,75";
    QTest::newRow("de_DE whole, no grouping") << de << 100000.0 << "100000";
}

void TestSettingsFile::numberText()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(formatSettingNumber(value), text);
}

void TestSettingsFile::parseText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    const QString us = QStringLiteral("en_US"), de = QStringLiteral("de_DE");
    QTest::newRow("8.75") << us << "8.75" << false << true << 8.75;
    QTest::newRow("blanks around") << us << "  8.75 " << false << true << 8.75;
    QTest::newRow("negative") << us << "-3" << false << true << -3.0;
    QTest::newRow("grouped text refused") << us << "1,000" << false << false << 0.0;
    QTest::newRow("letters") << us << "abc" << false << false << 0.0;
    QTest::newRow("inf refused") << us << "inf" << false << false << 0.0;
    QTest::newRow("nan refused") << us << "nan" << false << false << 0.0;
    QTest::newRow("empty") << us << "" << false << false << 0.0;
    QTest::newRow("de_DE comma") << de << "8,75" << false << true << 8.75;
    QTest::newRow("de_DE point is not a decimal") << de << "8.75" << false << false << 0.0;
    QTest::newRow("term 360") << us << "360" << true << true << 360.0;
    QTest::newRow("term with decimals") << us << "360.0" << true << false << 0.0;
    QTest::newRow("term beyond 32 bits") << us << "3000000000" << true << false << 0.0;
}

void TestSettingsFile::parseText()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QFETCH(bool, ok);
    QFETCH(double, value);
    QLocale::setDefault(QLocale(locale));
    if (whole) {
        const auto parsed = parseSettingInteger(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(double(*parsed), value);
    } else {
        const auto parsed = parseSettingNumber(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(*parsed, value);
    }
}

void TestSettingsFile::roundTripKeepsEveryValue_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("interestLine");
    QTest::newRow("en_US") << "en_US" << QByteArray("Interest=7.125\n");
    QTest::newRow("de_DE comma separator") << "de_DE" << QByteArray("Interest=7,125\n");
}

void TestSettingsFile::roundTripKeepsEveryValue()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, interestLine);
    QLocale::setDefault(QLocale(locale));

    BuyerValues saved = changedValues();
    saved.Interest = 7.125;
    saved.Pmip309597 = 0.00315;
    saved.Loan = 123456.78;
    SettingsFile file(m_path);
    file.saveAll(saved);
    QVERIFY(readBytes(m_path).contains(interestLine));

    BuyerValues loaded;
    QVERIFY(file.load(loaded).ok());
    QVERIFY(loaded == saved);
}

void TestSettingsFile::partialFile()
{
    writeBytes(m_path, "[LastValues]\nLoan=150000\n\n[Escrows]\nInterimInterestDays=20\n");
    SettingsFile file(m_path);
    BuyerValues values;
    QVERIFY(file.load(values).ok());
    BuyerValues expected;
    expected.Loan = 150000;
    expected.InterimInterestDays = 20;
    QVERIFY(values == expected);

    file.saveAll(values);
    const QByteArray bytes = readBytes(m_path);
    // Missing keys join their sections; missing sections follow in table order.
    QVERIFY(bytes.startsWith("[LastValues]\nLoan=150000\nInterest=8.75\nTerm=360\nPayment=786.7\n"
                             "\n[Escrows]\nInterimInterestDays=20\nPropertyTaxMonths=3\n"
                             "HomeownersFirstYear=12\nHomeownersRenewalMonths=2\n"
                             "\n[PmiValues]\nPmip308085=0.0032\n"));
    QCOMPARE(keyOrder(bytes).size(), 34);
    BuyerValues reloaded;
    QVERIFY(file.load(reloaded).ok());
    QVERIFY(reloaded == expected);
}

void TestSettingsFile::badValuesKeepDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("ignored");

    QTest::newRow("letters in the loan")
        << QByteArray("[LastValues]\nLoan=abc\nInterest=7.5\n") << QStringList{u"Loan"_s};
    QTest::newRow("fractional term")
        << QByteArray("[LastValues]\nTerm=360.5\nInterest=7.5\n") << QStringList{u"Term"_s};
    QTest::newRow("comma decimal in en_US")
        << QByteArray("[LastValues]\nInterest=7.5\n[PmiValues]\nPmip309597=0,009\n")
        << QStringList{u"Pmip309597"_s};
    QTest::newRow("several, reported in table order")
        << QByteArray("[LastValues]\nInterest=7.5\n[Escrows]\nPropertyTaxMonths=x\n[Ratios]\n"
                      "DRatio=--1\n")
        << QStringList{u"DRatio"_s, u"PropertyTaxMonths"_s};
    QTest::newRow("empty value is missing, not bad")
        << QByteArray("[LastValues]\nLoan=\nInterest=7.5\n") << QStringList{};
}

void TestSettingsFile::badValuesKeepDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, ignored);
    writeBytes(m_path, content);

    BuyerValues values = changedValues();
    const LoadReport report = SettingsFile(m_path).load(values);
    QCOMPARE(report.ignoredKeys, ignored);
    QCOMPARE(report.ok(), ignored.isEmpty());
    // The good key is read; every other key (bad or missing) is at its default.
    BuyerValues expected;
    expected.Interest = 7.5;
    QVERIFY(values == expected);

    const QString message = ignoredKeysMessage(m_path, report.ignoredKeys);
    for (const QString &key : ignored)
        QVERIFY2(message.contains(key), qPrintable(message));
    QVERIFY(message.contains(QDir::toNativeSeparators(m_path)));
}

void TestSettingsFile::foreignLinesSurviveSave()
{
    const QList<QByteArray> foreign{"; Calvenor settings, edited by hand",
                                    "[Window]",
                                    "Left=10",
                                    "",
                                    "[LastValues]",
                                    "; the last loan",
                                    "Comment=keep",
                                    "",
                                    "[Zeta]",
                                    "z=26"};
    writeBytes(m_path, foreign.toList().join('\n') + '\n');
    SettingsFile(m_path).saveAll(changedValues());

    // The foreign lines are still there, in their order.
    const QList<QByteArray> lines = readBytes(m_path).split('\n');
    qsizetype at = 0;
    for (const QByteArray &line : lines) {
        if (at < foreign.size() && line == foreign[at])
            ++at;
    }
    QCOMPARE(at, foreign.size());
    QCOMPARE(keyOrder(readBytes(m_path)).size(), 34 + 3);
    BuyerValues loaded;
    QVERIFY(SettingsFile(m_path).load(loaded).ok());
    QVERIFY(loaded == changedValues());
}

void TestSettingsFile::crlfFileStaysCrlf()
{
    writeBytes(m_path, "[LastValues]\r\nLoan=90000\r\n; note\r\n");
    SettingsFile file(m_path);
    BuyerValues values;
    QVERIFY(file.load(values).ok());
    QCOMPARE(values.Loan, 90000.0);

    file.saveAll(values);
    const QByteArray bytes = readBytes(m_path);
    QVERIFY(bytes.startsWith("[LastValues]\r\nLoan=90000\r\nInterest=8.75\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), 3 + 33 + 4 * 2); // old lines, new keys, 4 new sections
}

void TestSettingsFile::closingFeesAndEscrowsTouchOnlyTheirKeys()
{
    SettingsFile file(m_path);
    file.saveAll(BuyerValues{});

    BuyerValues edited = changedValues();
    file.saveClosingFees(edited);
    file.saveEscrows(edited);

    BuyerValues onDisk;
    QVERIFY(file.load(onDisk).ok());
    BuyerValues expected;
    expected.AppraisalFee = edited.AppraisalFee;
    expected.CreditReport = edited.CreditReport;
    expected.TaxServiceFee = edited.TaxServiceFee;
    expected.LendersInspectionFee = edited.LendersInspectionFee;
    expected.TitleInsurance = edited.TitleInsurance;
    expected.TitleSearch = edited.TitleSearch;
    expected.EscrowClosingFee = edited.EscrowClosingFee;
    expected.RecordingFee = edited.RecordingFee;
    expected.OtherFees = edited.OtherFees;
    expected.SellerPaid = edited.SellerPaid;
    expected.InterimInterestDays = edited.InterimInterestDays;
    expected.PropertyTaxMonths = edited.PropertyTaxMonths;
    expected.HomeownersFirstYear = edited.HomeownersFirstYear;
    expected.HomeownersRenewalMonths = edited.HomeownersRenewalMonths;
    QVERIFY(onDisk == expected);

    // Reading the fees back takes those ten keys only.
    BuyerValues inMemory;
    inMemory.Loan = 5;
    QVERIFY(file.loadClosingFees(inMemory).ok());
    QCOMPARE(inMemory.Loan, 5.0);
    QCOMPARE(inMemory.SellerPaid, edited.SellerPaid);
    QCOMPARE(inMemory.AppraisalFee, edited.AppraisalFee);
    QCOMPARE(inMemory.OriginationPoints, BuyerValues{}.OriginationPoints);
    QCOMPARE(inMemory.InterimInterestDays, BuyerValues{}.InterimInterestDays);
}

void TestSettingsFile::exitSaveFailureThrows()
{
    QVERIFY(QDir().mkpath(m_path));
    auto removeDir = qScopeGuard([this] { QDir(m_path).removeRecursively(); });
    try {
        SettingsFile(m_path).saveAll(BuyerValues{});
        QFAIL("saveAll() should have thrown");
    } catch (const SettingsWriteError &e) {
        QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("Unable to write to ") + m_path);
    }
}

void TestSettingsFile::locate_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("portable");
    const QString here = m_dir.path();
    QTest::newRow("writable, trailing separator") << here + QLatin1Char('/') << true;
    QTest::newRow("writable, no separator") << here << true;
    QTest::newRow("missing folder") << here + QStringLiteral("/gone/") << false;
    QTest::newRow("a file, not a folder") << here + QStringLiteral("/plain-file/") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestSettingsFile::locate()
{
    QFETCH(QString, folder);
    QFETCH(bool, portable);
    writeBytes(m_dir.filePath(QStringLiteral("plain-file")), "x");

    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir(config).removeRecursively();
    const QString path = SettingsFile::locate(folder);
    if (portable) {
        QCOMPARE(path, m_dir.filePath(QStringLiteral("CLVN.INI")));
    } else {
        QCOMPARE(path, config + QStringLiteral("/CLVN.INI"));
        QVERIFY(QFileInfo(config).isDir());
        QVERIFY(config.contains(QStringLiteral("CalvenorSettingsTest")));
    }
    // No probe file is left behind.
    QCOMPARE(QDir(m_dir.path()).entryList(QStringList{QStringLiteral("clvn-probe*")}, QDir::Files),
             QStringList{});
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
