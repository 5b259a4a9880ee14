// IniFile: edits in place, keeps every line it does not own, saves atomically.

#include "app/settings/IniFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

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

// A test edit: section/key/value.
using Edits = QList<QStringList>;

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }

    void setKeepsForeignLines_data();
    void setKeepsForeignLines();
    void get_data();
    void get();
    void saveWritesToDisk();
    void saveFailureKeepsOldFile_data();
    void saveFailureKeepsOldFile();
    void fullDiskKeepsOldFile();
    void unreadableFileIsNeverOverwritten();

private:
    QTemporaryDir m_dir;
};

void TestIniFile::setKeepsForeignLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("value replaced, spacing and comments kept")
        << QByteArray("; top comment\n[LastValues]\nLoan = 5\n; note\nTerm=12\n\n[Other]\nx=1\n")
        << Edits{{u"LastValues"_s, u"Loan"_s, u"7"_s}}
        << QByteArray("; top comment\n[LastValues]\nLoan = 7\n; note\nTerm=12\n\n[Other]\nx=1\n");
    QTest::newRow("missing key goes after the section's last key")
        << QByteArray("[LastValues]\nLoan=5\n\n; the table\n[PmiValues]\nPmip308085=1\n")
        << Edits{{u"LastValues"_s, u"Term"_s, u"360"_s}, {u"PmiValues"_s, u"Pmip308590"_s, u"2"_s}}
        << QByteArray("[LastValues]\nLoan=5\nTerm=360\n\n; the table\n[PmiValues]\nPmip308085=1\n"
                      "Pmip308590=2\n");
    QTest::newRow("missing section appended after a blank line")
        << QByteArray("[Other]\nx=1")
        << Edits{{u"Ratios"_s, u"HRatio"_s, u"28"_s}, {u"Ratios"_s, u"DRatio"_s, u"36"_s}}
        << QByteArray("[Other]\nx=1\n\n[Ratios]\nHRatio=28\nDRatio=36\n");
    QTest::newRow("CRLF file keeps CRLF, added lines too")
        << QByteArray("[A]\r\nk=1\r\n")
        << Edits{{u"A"_s, u"k"_s, u"2"_s}, {u"A"_s, u"j"_s, u"3"_s}, {u"B"_s, u"z"_s, u"4"_s}}
        << QByteArray("[A]\r\nk=2\r\nj=3\r\n\r\n[B]\r\nz=4\r\n");
    QTest::newRow("mixed endings: each line keeps its own")
        << QByteArray("[A]\r\nk=1\nm=2\r\n")
        << Edits{{u"A"_s, u"k"_s, u"5"_s}, {u"A"_s, u"n"_s, u"6"_s}}
        << QByteArray("[A]\r\nk=5\nm=2\r\nn=6\r\n");
    QTest::newRow("names match case-insensitively and keep their spelling")
        << QByteArray("[lastvalues]\nLOAN=5\n") << Edits{{u"LastValues"_s, u"Loan"_s, u"6"_s}}
        << QByteArray("[lastvalues]\nLOAN=6\n");
    QTest::newRow("same value leaves the line byte for byte")
        << QByteArray("[A]\nk =\t1\t\n") << Edits{{u"A"_s, u"k"_s, u"1"_s}}
        << QByteArray("[A]\nk =\t1\t\n");
    QTest::newRow("BOM and non-UTF-8 bytes kept")
        << QByteArray("\xEF\xBB\xBF; caf\xE9\n[A]\nk=1\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}}
        << QByteArray("\xEF\xBB\xBF; caf\xE9\n[A]\nk=2\n");
    QTest::newRow("first of duplicate sections and keys is the one")
        << QByteArray("[A]\nk=1\nk=9\n[A]\nk=5\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}}
        << QByteArray("[A]\nk=2\nk=9\n[A]\nk=5\n");
    QTest::newRow("key before any section is foreign")
        << QByteArray("k=1\n[A]\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}}
        << QByteArray("k=1\n[A]\nk=2\n");
    // A section without keys takes its first key right under the header.
    QTest::newRow("commented-out key is not the key")
        << QByteArray("[A]\n;k=1\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}}
        << QByteArray("[A]\nk=2\n;k=1\n");
    // A new file takes LF here (CRLF would be the choice on Windows).
    QTest::newRow("empty document")
        << QByteArray() << Edits{{u"A"_s, u"k"_s, u"1"_s}, {u"B"_s, u"m"_s, u"2"_s}}
        << QByteArray("[A]\nk=1\n\n[B]\nm=2\n");
}

void TestIniFile::setKeepsForeignLines()
{
    QFETCH(QByteArray, before);
    QFETCH(Edits, edits);
    QFETCH(QByteArray, after);

    const QString path = m_dir.filePath(QStringLiteral("edit.ini"));
    QFile::remove(path);
    if (!before.isEmpty())
        writeBytes(path, before);
    IniFile ini;
    QVERIFY(ini.load(path));
    for (const QStringList &e : edits)
        ini.set(e[0], e[1], e[2]);
    QCOMPARE(ini.toBytes(), after);
}

void TestIniFile::get_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray file("[A]\r\n  k  =  8.75  \r\nempty=\r\n;c=3\r\n[B]\r\nk=2\r\n");
    QTest::newRow("trimmed value, CRLF") << file << "A"
                                         << "k"
                                         << "8.75";
    QTest::newRow("other section's key") << file << "B"
                                         << "k"
                                         << "2";
    QTest::newRow("empty value") << file << "A"
                                 << "empty"
                                 << "";
    QTest::newRow("missing key gives default") << file << "B"
                                               << "x"
                                               << "dflt";
    QTest::newRow("missing section gives default") << file << "C"
                                                   << "k"
                                                   << "dflt";
    QTest::newRow("comment is not a key") << file << "A"
                                          << "c"
                                          << "dflt";
}

void TestIniFile::get()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const QString path = m_dir.filePath(QStringLiteral("get.ini"));
    writeBytes(path, content);
    IniFile ini;
    QVERIFY(ini.load(path));
    QCOMPARE(ini.get(section, key, QStringLiteral("dflt")), expected);
}

void TestIniFile::saveWritesToDisk()
{
    const QString path = m_dir.filePath(QStringLiteral("save.ini"));
    writeBytes(path, "; keep me\r\n[A]\r\nk=1\r\n");
    IniFile ini;
    QVERIFY(ini.load(path));
    ini.set(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2"));
    ini.save();
    QCOMPARE(readBytes(path), QByteArray("; keep me\r\n[A]\r\nk=2\r\n"));
}

void TestIniFile::saveFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a directory in the way") << QStringLiteral("dir-in-the-way/CLVN.INI");
    QTest::newRow("missing folder") << QStringLiteral("no-such-folder/CLVN.INI");
}

void TestIniFile::saveFailureKeepsOldFile()
{
    QFETCH(QString, target);
    const QString path = m_dir.filePath(target);
    if (target.startsWith(QLatin1String("dir-in-the-way")))
        QVERIFY(QDir().mkpath(path)); // the file's own name is a folder
    IniFile ini;
    ini.load(path);
    ini.set(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("1"));
    try {
        ini.save();
        QFAIL("save() should have thrown");
    } catch (const SettingsWriteError &e) {
        QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("Unable to write to ") + path);
        QCOMPARE(e.path(), path);
    }
}

// A full disk, simulated with a file-size limit (it binds root too): the
// write fails, the old file is whole, no temporary file is left behind.
void TestIniFile::fullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CLVN.INI"));
    const QByteArray old("[LastValues]\nLoan=100000\nInterest=8.75\n");
    writeBytes(path, old);

    IniFile ini;
    QVERIFY(ini.load(path));
    ini.set(QStringLiteral("LastValues"), QStringLiteral("Payment"),
            QString(200, QLatin1Char('9')));

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    bool threw = false;
    try {
        ini.save();
    } catch (const SettingsWriteError &) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(threw);
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("CLVN.INI")});
}

// A settings path that exists but cannot be read must not be replaced by a
// document that lost its contents.
void TestIniFile::unreadableFileIsNeverOverwritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CLVN.INI"));
    QVERIFY(QDir().mkpath(path));
    IniFile ini;
    QVERIFY(!ini.load(path));
    QCOMPARE(ini.get(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")),
             QStringLiteral("d"));
    QVERIFY_THROWS_EXCEPTION(SettingsWriteError, ini.save());
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
