// The Debian package, as a user would get it: `cpack` builds it from this
// build tree; it is unpacked with dpkg-deb into a temporary folder (never
// installed on this machine); its control fields and file list are checked;
// the help is found from the unpacked program's folder; and the unpacked
// program starts and shows its main window on a virtual screen.

#include "app/Main.h"
#include "app/help/HelpWindow.h"
#include "app/settings/SettingsFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

const QString kDeb = u"calvenor_" CLVN_PACKAGE_VERSION "_amd64.deb"_s;

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString &program, const QStringList &args, const QString &dir = {},
        int timeoutMs = 300000)
{
    QProcess p;
    if (!dir.isEmpty())
        p.setWorkingDirectory(dir);
    p.start(program, args);
    Run r;
    if (!p.waitForStarted() || !p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = program + u" did not finish: "_s + p.errorString();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controlFields_data();
    void controlFields();
    void fileList_data();
    void fileList();
    void nothingButTheProgramIsPackaged();
    void lintianFindsNothingWrong();
    void unpackedProgramFindsItsHelp();
    void unpackedProgramShowsItsMainWindow();

private:
    QString field(const QString &name);

    QTemporaryDir m_out;
    QTemporaryDir m_root;
    QString m_deb;
    QStringList m_files;
};

void TestPackage::initTestCase()
{
    test::pinLocale();
    for (const char *tool : {"cpack", "dpkg-deb", "dpkg-shlibdeps"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(u"%1 is not installed (scripts/install-deps installs it)"_s.arg(
                QString::fromLatin1(tool))));
    }
    QVERIFY(m_out.isValid() && m_root.isValid());
    const Run pack =
        run(u"cpack"_s, {u"--config"_s, QStringLiteral(CLVN_BUILD_DIR "/CPackConfig.cmake"),
                         u"-G"_s, u"DEB"_s, u"-B"_s, m_out.path()});
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.out + pack.err));
    m_deb = m_out.filePath(kDeb);
    QVERIFY2(QFileInfo(m_deb).isFile(), qPrintable(pack.out));

    const Run list = run(u"dpkg-deb"_s, {u"-c"_s, m_deb});
    QCOMPARE(list.exitCode, 0);
    // "-rwxr-xr-x root/root 123 2026-12-07 00:00 ./usr/bin/calvenor"
    for (const QString &line : list.out.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype at = line.indexOf(u" ./"_s);
        if (at >= 0 && !line.endsWith(u'/'))
            m_files << line.mid(at + 2);
    }
    const Run unpack = run(u"dpkg-deb"_s, {u"-x"_s, m_deb, m_root.path()});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.err));
}

QString TestPackage::field(const QString &name)
{
    return run(u"dpkg-deb"_s, {u"-f"_s, m_deb, name}).out.trimmed();
}

void TestPackage::controlFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // exact, or a part of it after "~"
    QTest::newRow("package") << u"Package"_s << u"calvenor"_s;
    QTest::newRow("version") << u"Version"_s << QStringLiteral(CLVN_DEBIAN_VERSION);
    QTest::newRow("architecture") << u"Architecture"_s << u"amd64"_s;
    QTest::newRow("section") << u"Section"_s << u"misc"_s;
    QTest::newRow("maintainer") << u"Maintainer"_s << u"Tolvane Software <support@tolvane.com>"_s;
    QTest::newRow("summary") << u"Description"_s << u"~Mortgage calculators for home buyers"_s;
    // Found by dpkg-shlibdeps from the program's libraries.
    QTest::newRow("needs Qt Widgets") << u"Depends"_s << u"~libqt6widgets6"_s;
    QTest::newRow("needs Qt Help") << u"Depends"_s << u"~libqt6help6"_s;
    QTest::newRow("needs the C library") << u"Depends"_s << u"~libc6"_s;
    QTest::newRow("needs the help index driver") << u"Depends"_s << u"~libqt6sql6-sqlite"_s;
}

void TestPackage::controlFields()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QString value = field(name);
    if (expected.startsWith(u'~'))
        QVERIFY2(value.contains(expected.mid(1)), qPrintable(value));
    else
        QCOMPARE(value, expected);
}

void TestPackage::fileList_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("program") << u"/usr/bin/calvenor"_s;
    QTest::newRow("help collection") << u"/usr/share/calvenor/CLVN.qhc"_s;
    QTest::newRow("help documents") << u"/usr/share/calvenor/CLVN.qch"_s;
    QTest::newRow("desktop entry") << u"/usr/share/applications/com.tolvane.Calvenor.desktop"_s;
    QTest::newRow("metadata") << u"/usr/share/metainfo/com.tolvane.Calvenor.metainfo.xml"_s;
    QTest::newRow("license") << u"/usr/share/doc/calvenor/copyright"_s;
    QTest::newRow("changelog") << u"/usr/share/doc/calvenor/changelog.Debian.gz"_s;
    QTest::newRow("manual page") << u"/usr/share/man/man1/calvenor.1.gz"_s;
    QTest::newRow("lintian overrides") << u"/usr/share/lintian/overrides/calvenor"_s;
    QTest::newRow("scalable icon")
        << u"/usr/share/icons/hicolor/scalable/apps/com.tolvane.Calvenor.svg"_s;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(u"icon %1"_s.arg(size)))
            << u"/usr/share/icons/hicolor/%1x%1/apps/com.tolvane.Calvenor.png"_s.arg(size);
}

void TestPackage::fileList()
{
    QFETCH(QString, path);
    QVERIFY2(m_files.contains(path), qPrintable(m_files.join(u'\n')));
    QVERIFY(QFileInfo(m_root.path() + path).size() > 0);
}

void TestPackage::nothingButTheProgramIsPackaged()
{
    // 1 program, 2 help files, desktop entry, metadata, license, changelog,
    // manual page, lintian overrides, 9 icons.
    QCOMPARE(m_files.size(), 18);
    for (const QString &f : std::as_const(m_files))
        QVERIFY2(!f.contains(u"tst_"_s) && !f.contains(u"bench"_s), qPrintable(f));
}

void TestPackage::lintianFindsNothingWrong()
{
    // Debian's own checks of a package. Informational notes ("I:") are not
    // asked for; the one tag the package overrides is listed in it.
    if (QStandardPaths::findExecutable(u"lintian"_s).isEmpty())
        QFAIL("lintian is not installed (scripts/install-deps installs it)");
    const Run r = run(u"lintian"_s, {u"--fail-on"_s, u"error,warning"_s, m_deb});
    QStringList findings;
    for (const QString &line : r.out.split(u'\n', Qt::SkipEmptyParts))
        if (line.startsWith(u"E: "_s) || line.startsWith(u"W: "_s))
            findings << line;
    QVERIFY2(findings.isEmpty() && r.exitCode == 0, qPrintable(r.out + r.err));
}

void TestPackage::unpackedProgramFindsItsHelp()
{
    // The program folder is usr/bin/; its help is in usr/share/calvenor/.
    const QString bin = m_root.path() + u"/usr/bin/"_s;
    QCOMPARE(QDir::cleanPath(HelpViewer::locateCollection(bin)),
             QDir::cleanPath(m_root.path() + u"/usr/share/calvenor/CLVN.qhc"_s));
    QTemporaryDir cache;
    HelpViewer help(HelpViewer::locateCollection(bin));
    help.setCacheDirectory(cache.path());
    QVERIFY(!help.urlForTopic(50).isEmpty());
    QVERIFY(help.urlForTopic(50).toString().endsWith(u"amort.html"_s));
    // Installed, the program keeps its settings in the user's folder, never
    // beside itself in usr/bin/ (even run as root, who could write there).
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(!SettingsFile::locate(bin).startsWith(m_root.path()));
}

void TestPackage::unpackedProgramShowsItsMainWindow()
{
    for (const char *tool : {"xvfb-run", "xwininfo", "xprop"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(u"%1 is not installed (scripts/install-deps installs it)"_s.arg(
                QString::fromLatin1(tool))));
    }
    // On a virtual screen, wait until a top-level window with the program's
    // caption exists, check that its window class is the one the desktop
    // entry names (docks tie the window to the launcher by it), then close
    // the program. A fresh home keeps the settings file it writes out of the
    // user's.
    QFile entry(m_root.path() + u"/usr/share/applications/com.tolvane.Calvenor.desktop"_s);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QString wmClass;
    for (const QString &line : QString::fromUtf8(entry.readAll()).split(u'\n'))
        if (line.startsWith(u"StartupWMClass="_s))
            wmClass = line.mid(15);
    QVERIFY(!wmClass.isEmpty());
    QTemporaryDir home;
    const QString program = m_root.path() + u"/usr/bin/calvenor"_s;
    const QString script =
        uR"(export HOME="$2" XDG_CONFIG_HOME="$2/.config" XDG_CACHE_HOME="$2/.cache" QT_QPA_PLATFORM=xcb
"$1" & pid=$!
for i in $(seq 150); do
  if xwininfo -root -tree | grep -q '"Calvenor, 1.0.04"'; then
    class=$(xprop -name 'Calvenor, 1.0.04' WM_CLASS)
    kill $pid; wait $pid
    case "$class" in *"\"$3\""*) exit 0;; esac
    echo "window class: $class"; exit 3
  fi
  kill -0 $pid 2>/dev/null || { echo "the program exited before its window showed"; exit 2; }
  sleep 0.2
done
kill $pid; echo "no main window after 30 s"; exit 1)"_s;
    const Run r = run(u"xvfb-run"_s,
                      {u"-a"_s, u"sh"_s, u"-c"_s, script, u"sh"_s, program, home.path(), wmClass},
                      {}, 120000);
    QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
}

QTEST_MAIN(TestPackage)
#include "tst_package.moc"
