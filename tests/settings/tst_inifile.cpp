// IniFile: edits in place, keeps every line it does not own, saves atomically.

#include "app/settings/IniFile.h"

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
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}
using Edits = QList<QStringList>; // section, key, value
} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void setKeepsForeignLines_data();
    void setKeepsForeignLines();
    void saveFailureThrows_data();
    void saveFailureThrows();
    void fullDiskKeepsOldFile();

private:
    QTemporaryDir m_dir;
};

void TestIniFile::setKeepsForeignLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("value replaced, spacing and comments kept")
        << QByteArray("; top\n[LastValues]\nLoan = 5\n; note\nTerm=12\n\n[Other]\nx=1\n")
        << Edits{{u"LastValues"_s, u"Loan"_s, u"7"_s}}
        << QByteArray("; top\n[LastValues]\nLoan = 7\n; note\nTerm=12\n\n[Other]\nx=1\n");
    QTest::newRow("missing key goes after its section's last key")
        << QByteArray("[A]\nk=5\n\n; next\n[B]\n")
        << Edits{{u"A"_s, u"m"_s, u"1"_s}, {u"B"_s, u"n"_s, u"2"_s}}
        << QByteArray("[A]\nk=5\nm=1\n\n; next\n[B]\nn=2\n");
    QTest::newRow("missing section appended after a blank line, last line ended")
        << QByteArray("[Other]\nx=1") << Edits{{u"Ratios"_s, u"HRatio"_s, u"28"_s}}
        << QByteArray("[Other]\nx=1\n\n[Ratios]\nHRatio=28\n");
    QTest::newRow("CRLF kept, added lines too")
        << QByteArray("[A]\r\nk=1\r\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}, {u"B"_s, u"z"_s, u"4"_s}}
        << QByteArray("[A]\r\nk=2\r\n\r\n[B]\r\nz=4\r\n");
    QTest::newRow("mixed endings: each line keeps its own")
        << QByteArray("[A]\r\nk=1\nm=2\r\n") << Edits{{u"A"_s, u"k"_s, u"5"_s}}
        << QByteArray("[A]\r\nk=5\nm=2\r\n");
    QTest::newRow("names match case-insensitively, spelling kept")
        << QByteArray("[lastvalues]\nLOAN=5\n") << Edits{{u"LastValues"_s, u"Loan"_s, u"6"_s}}
        << QByteArray("[lastvalues]\nLOAN=6\n");
    QTest::newRow("same value leaves the line byte for byte")
        << QByteArray("[A]\nk =\t1\t\n") << Edits{{u"A"_s, u"k"_s, u"1"_s}}
        << QByteArray("[A]\nk =\t1\t\n");
    QTest::newRow("BOM and non-UTF-8 bytes kept")
        << QByteArray("\xEF\xBB\xBF; caf\xE9\n[A]\nk=1\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}}
        << QByteArray("\xEF\xBB\xBF; caf\xE9\n[A]\nk=2\n");
    QTest::newRow("first of duplicate sections and keys")
        << QByteArray("[A]\nk=1\nk=9\n[A]\nk=5\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}}
        << QByteArray("[A]\nk=2\nk=9\n[A]\nk=5\n");
    // A section without keys takes its first key right under the header.
    QTest::newRow("commented-out key is not the key")
        << QByteArray("k=1\n[A]\n;k=1\n") << Edits{{u"A"_s, u"k"_s, u"2"_s}}
        << QByteArray("k=1\n[A]\nk=2\n;k=1\n");
    // A new file takes LF here (CRLF on Windows).
    QTest::newRow("empty document")
        << QByteArray() << Edits{{u"A"_s, u"k"_s, u"1"_s}} << QByteArray("[A]\nk=1\n");
}

void TestIniFile::setKeepsForeignLines()
{
    QFETCH(QByteArray, before);
    QFETCH(Edits, edits);
    QFETCH(QByteArray, after);

    const QString path = m_dir.filePath(u"edit.ini"_s);
    writeBytes(path, before);
    IniFile ini;
    QVERIFY(ini.load(path));
    for (const QStringList &e : edits)
        ini.set(e[0], e[1], e[2]);
    ini.save();
    QCOMPARE(readBytes(path), after);
    QVERIFY(ini.load(path));
    for (const QStringList &e : edits)
        QCOMPARE(ini.get(e[0], e[1]), e[2]);
}

void TestIniFile::saveFailureThrows_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("folderInTheWay");
    QTest::newRow("a folder in the way") << u"in-the-way/CLVN.INI"_s << true;
    QTest::newRow("missing folder") << u"no-such-folder/CLVN.INI"_s << false;
}

void TestIniFile::saveFailureThrows()
{
    QFETCH(QString, target);
    QFETCH(bool, folderInTheWay);
    const QString path = m_dir.filePath(target);
    if (folderInTheWay)
        QVERIFY(QDir().mkpath(path));
    IniFile ini;
    QCOMPARE(ini.load(path), !folderInTheWay); // an unreadable path is never overwritten
    ini.set(u"A"_s, u"k"_s, u"1"_s);
    try {
        ini.save();
        QFAIL("save() should have thrown");
    } catch (const SettingsWriteError &e) {
        QCOMPARE(QString::fromStdString(e.what()), u"Unable to write to "_s + path);
    }
    QCOMPARE(QFileInfo(path).isDir(), folderInTheWay);
}

// A full disk, simulated with a file-size limit (it binds root too): the
// save throws, the old file is whole, no temporary file is left behind.
void TestIniFile::fullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"CLVN.INI"_s);
    const QByteArray old("[LastValues]\nLoan=100000\nInterest=8.75\n");
    writeBytes(path, old);
    IniFile ini;
    QVERIFY(ini.load(path));
    ini.set(u"LastValues"_s, u"Payment"_s, QString(200, u'9'));

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
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"CLVN.INI"_s});
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
