// What CLVN.INI keeps when the run could not read it, and the settings file
// of a program whose folder cannot be written.

#include "app/settings/IniFile.h"
#include "app/settings/SettingsFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <unistd.h>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

using Change = std::function<void(BuyerValues &, const SettingsFile &)>;

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The file a save writes from scratch (its exact text is checked in
// tst_settings), then `from` replaced by `to`: a file that a save leaves
// byte for byte as it is unless it has to change something.
QByteArray scratchWith(const QByteArray &from, const QByteArray &to)
{
    QTemporaryDir dir;
    SettingsFile(dir.filePath(u"CLVN.INI"_s)).saveAll(BuyerValues{});
    QByteArray file = readBytes(dir.filePath(u"CLVN.INI"_s));
    if (!from.isEmpty())
        file.replace(from, to);
    return file;
}

// Runs f with the effective user id of an ordinary user when the test runs
// as root, for whom permission bits do not bind; false when that cannot be
// done.
bool asOrdinaryUser(const std::function<void()> &f)
{
    if (geteuid() != 0) {
        f();
        return true;
    }
    // The group too: a root-owned folder would otherwise answer with its
    // group bits.
    constexpr uid_t nobody = 65534;
    constexpr gid_t nogroup = 65534;
    if (setegid(nogroup) != 0)
        return false;
    if (seteuid(nobody) != 0) {
        setegid(0);
        return false;
    }
    f();
    const bool back = seteuid(0) == 0;
    return setegid(0) == 0 && back;
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { test::pinLocale(); }
    void exitSaveKeepsUnreadLines_data();
    void exitSaveKeepsUnreadLines();
    void storesTheUserAskedForOverwrite_data();
    void storesTheUserAskedForOverwrite();
    void seedStartsTheRunAndSavesGoToTheUser();
    void readOnlyProgramFolderSeedsTheUserCopy();

private:
    QTemporaryDir m_dir;
};

void TestSettingsFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"CalvenorSettingsFileTest"_s);
    QVERIFY(m_dir.isValid());
}

// A value written under a decimal-comma locale, letters, a fractional term:
// start-up takes the default, and unless the run changes that value the exit
// save leaves the user's line as it was.
void TestSettingsFile::exitSaveKeepsUnreadLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QByteArray>("saved");
    const Change nothing = [](BuyerValues &, const SettingsFile &) {};
    const QByteArray comma = scratchWith("Interest=8.75", "Interest=6,5");
    QTest::newRow("untouched comma rate, byte for byte") << comma << nothing << comma;
    const QByteArray several = scratchWith("Term=360", "Term=360.5")
                                   .replace("HRatio=28", "HRatio=abc")
                                   .replace("AppraisalFee=300", "AppraisalFee=3,00");
    QTest::newRow("untouched term, ratio and fee") << several << nothing << several;
    QTest::newRow("the changed one is written, the others kept")
        << several << Change([](BuyerValues &v, const SettingsFile &) { v.HRatio = 30; })
        << QByteArray(several).replace("HRatio=abc", "HRatio=30");
    QTest::newRow("a good key changed beside an unread one")
        << comma << Change([](BuyerValues &v, const SettingsFile &) { v.Loan = 150000; })
        << QByteArray(comma).replace("Loan=100000", "Loan=150000");
    // The panel reads its fees again; a fee still unreadable stays unread.
    QTest::newRow("fees read again, still unread")
        << several << Change([](BuyerValues &v, const SettingsFile &f) { f.loadClosingFees(v); })
        << several;
}

void TestSettingsFile::exitSaveKeepsUnreadLines()
{
    QFETCH(QByteArray, file);
    QFETCH(Change, change);
    QFETCH(QByteArray, saved);
    const QString path = m_dir.filePath(u"CLVN.INI"_s);
    QVERIFY(writeBytes(path, file));
    SettingsFile settings(path);
    BuyerValues values;
    QVERIFY(!settings.load(values).ok());
    change(values, settings);
    settings.saveAll(values);
    QCOMPARE(readBytes(path), saved);
}

// The Preferences save and the closing-cost panel store what the user
// confirmed, over an unread line too; the next exit save then writes it as
// any other key.
void TestSettingsFile::storesTheUserAskedForOverwrite_data()
{
    QTest::addColumn<Change>("store");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("Preferences save")
        << Change([](BuyerValues &v, const SettingsFile &f) { f.savePreferences(v); })
        << scratchWith({}, {}).replace("HRatio=28", "HRatio=29");
    QTest::newRow("closing-cost panel store")
        << Change([](BuyerValues &v, const SettingsFile &f) { f.saveClosingFees(v); })
        << scratchWith("Interest=8.75", "Interest=6,5").replace("HRatio=28", "HRatio=29");
}

void TestSettingsFile::storesTheUserAskedForOverwrite()
{
    QFETCH(Change, store);
    QFETCH(QByteArray, saved);
    const QString path = m_dir.filePath(u"CLVN.INI"_s);
    QVERIFY(writeBytes(path, scratchWith("Interest=8.75", "Interest=6,5")
                                 .replace("AppraisalFee=300", "AppraisalFee=x")));
    SettingsFile settings(path);
    BuyerValues values;
    QCOMPARE(settings.load(values).ignoredKeys, (QStringList{u"Interest"_s, u"AppraisalFee"_s}));
    // Figures other than the defaults are stored, then the defaults come
    // back: a line a store wrote is read, so the exit save writes the default.
    values.Interest = 7;
    values.AppraisalFee = 350;
    store(values, settings);
    QVERIFY(!readBytes(path).contains("AppraisalFee=x"));
    values.Interest = BuyerValues().Interest;
    values.AppraisalFee = BuyerValues().AppraisalFee;
    values.HRatio = 29;
    settings.saveAll(values);
    QCOMPARE(readBytes(path), saved);
}

// Values come from the seed until the user's own file exists; saves go to
// the user's file only, and from then on it is the one read.
void TestSettingsFile::seedStartsTheRunAndSavesGoToTheUser()
{
    const QString seed = m_dir.filePath(u"seed.ini"_s);
    const QString user = m_dir.filePath(u"user/CLVN.INI"_s);
    QVERIFY(QDir().mkpath(m_dir.filePath(u"user"_s)));
    QFile::remove(user);
    const QByteArray seeded = scratchWith("Loan=100000", "Loan=250000") + "[Mine]\nKeep=me\n";
    QVERIFY(writeBytes(seed, seeded));

    SettingsFile settings(user, seed);
    QCOMPARE(settings.readPath(), seed);
    BuyerValues values;
    QVERIFY(settings.load(values).ok());
    QCOMPARE(values.Loan, 250000.0);
    values.Interest = 7.25;
    settings.saveAll(values);
    QCOMPARE(readBytes(seed), seeded);
    QCOMPARE(readBytes(user), QByteArray(seeded).replace("Interest=8.75", "Interest=7.25"));

    QVERIFY(writeBytes(seed, scratchWith("Loan=100000", "Loan=1")));
    SettingsFile next(user, seed);
    QCOMPARE(next.readPath(), user);
    BuyerValues again;
    QVERIFY(next.load(again).ok());
    QCOMPARE(again.Loan, 250000.0);
    QCOMPARE(again.Interest, 7.25);

    // A program folder that can be written is itself where the file lives.
    QVERIFY(writeBytes(m_dir.filePath(u"CLVN.INI"_s), seeded));
    const SettingsFile own = SettingsFile::forProgramFolder(m_dir.path());
    QCOMPARE(own.path(), m_dir.filePath(u"CLVN.INI"_s));
    QCOMPARE(own.seed(), QString());
}

// A real folder that cannot be written, holding CLVN.INI: the program starts
// from that file and writes its copy in the user's configuration folder.
void TestSettingsFile::readOnlyProgramFolderSeedsTheUserCopy()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    // The folders must be reachable by the ordinary user the test runs as.
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                      QFile::WriteOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(home.path(), open));
    const QString program = home.filePath(u"program"_s);
    QVERIFY(QDir().mkpath(program));
    const QByteArray shipped = scratchWith("HRatio=28", "HRatio=33");
    QVERIFY(writeBytes(program + u"/CLVN.INI"_s, shipped));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                               QFile::ExeOther));
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));

    QString path, seed, error;
    BuyerValues values;
    QByteArray written;
    const bool ran = asOrdinaryUser([&] {
        SettingsFile settings = SettingsFile::forProgramFolder(program);
        path = settings.path();
        seed = settings.seed();
        settings.load(values);
        values.DRatio = 41;
        // Nothing may escape before the user id is back.
        try {
            settings.saveAll(values);
        } catch (const SettingsWriteError &e) {
            error = QString::fromUtf8(e.what());
        }
        written = readBytes(path);
    });
    qputenv("HOME", oldHome);
    QVERIFY(QFile::setPermissions(program, open));
    if (!ran)
        QSKIP("running as root and the effective user id could not be changed, so no folder "
              "can be made read-only for this test");

    const QString config = home.filePath(u".qttest/config/CalvenorSettingsFileTest/CLVN.INI"_s);
    QCOMPARE(error, QString());
    QCOMPARE(path, config);
    QCOMPARE(seed, program + u"/CLVN.INI"_s);
    QCOMPARE(values.HRatio, 33.0);
    QCOMPARE(written, QByteArray(shipped).replace("DRatio=36", "DRatio=41"));
    QCOMPARE(readBytes(program + u"/CLVN.INI"_s), shipped);
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
