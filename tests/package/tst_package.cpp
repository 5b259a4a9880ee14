// The Debian package built by `cpack` from this tree, unpacked (never
// installed): control fields, files, lintian, help and the window it shows.

#include "app/help/HelpWindow.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
// The tool's standard output, or why it failed.
QString run(const QString &program, const QStringList &args, int timeoutMs = 300000)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        p.kill();
        p.waitForFinished();
        return u"FAILED %1: %2"_s.arg(program, QString::fromUtf8(p.readAll()));
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *tool :
             {"cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian", "xvfb-run", "xwininfo", "xprop"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP(qPrintable(QLatin1String(tool) +
                                 u" is not installed (scripts/install-deps)"_s));
        const QString pack =
            run(u"cpack"_s, {u"--config"_s, QStringLiteral(CLVN_BUILD_DIR "/CPackConfig.cmake"),
                             u"-G"_s, u"DEB"_s, u"-B"_s, m_out.path()});
        m_deb = m_out.filePath(u"calvenor_" CLVN_PACKAGE_VERSION "_amd64.deb"_s);
        QVERIFY2(QFileInfo(m_deb).isFile(), qPrintable(pack));
        // "-rwxr-xr-x root/root 123 2026-12-07 00:00 ./usr/bin/calvenor"
        for (const QString &line : run(u"dpkg-deb"_s, {u"-c"_s, m_deb}).split(u'\n'))
            if (const qsizetype at = line.indexOf(u" ./"_s); at >= 0 && !line.endsWith(u'/'))
                m_files << line.mid(at + 2);
        m_files.sort();
        QCOMPARE(run(u"dpkg-deb"_s, {u"-x"_s, m_deb, m_root.path()}), QString());
    }
    void controlFieldsFilesAndHelp()
    {
        const QString fields =
            run(u"dpkg-deb"_s, {u"-f"_s, m_deb, u"Package"_s, u"Version"_s, u"Architecture"_s,
                                u"Section"_s, u"Maintainer"_s, u"Description"_s});
        QVERIFY2(fields.startsWith(
                     u"Package: calvenor\nVersion: " CLVN_DEBIAN_VERSION "\nArchitecture: amd64\n"
                     "Section: misc\nMaintainer: Tolvane Software <support@tolvane.com>\n"
                     "Description: Mortgage calculators for home buyers"_s),
                 qPrintable(fields));
        // The program's libraries, found by dpkg-shlibdeps, and the help index's driver.
        const QString depends = run(u"dpkg-deb"_s, {u"-f"_s, m_deb, u"Depends"_s});
        for (const char *package : {"libqt6widgets6", "libqt6help6", "libc6", "libqt6sql6-sqlite"})
            QVERIFY2(depends.contains(QLatin1String(package)), qPrintable(depends));
        // Exactly the program's files, none empty.
        QStringList expected = u"/usr/bin/calvenor /usr/share/calvenor/CLVN.qch "
                               "/usr/share/calvenor/CLVN.qhc /usr/share/doc/calvenor/copyright "
                               "/usr/share/doc/calvenor/changelog.Debian.gz "
                               "/usr/share/applications/com.tolvane.Calvenor.desktop "
                               "/usr/share/icons/hicolor/scalable/apps/com.tolvane.Calvenor.svg "
                               "/usr/share/lintian/overrides/calvenor "
                               "/usr/share/man/man1/calvenor.1.gz "
                               "/usr/share/metainfo/com.tolvane.Calvenor.metainfo.xml "
                               "/usr/share/mime/packages/com.tolvane.Calvenor.xml"_s.split(u' ');
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            expected << u"/usr/share/icons/hicolor/%1x%1/apps/com.tolvane.Calvenor.png"_s.arg(size);
        expected.sort();
        QCOMPARE(m_files, expected);
        for (const QString &file : std::as_const(m_files))
            QVERIFY2(QFileInfo(m_root.path() + file).size() > 0, qPrintable(file));
        // From the program folder usr/bin/, the help in usr/share/calvenor/ opens.
        QTemporaryDir cache;
        HelpViewer help(HelpViewer::locateCollection(m_root.path() + u"/usr/bin/"_s));
        help.setCacheDirectory(cache.path());
        QCOMPARE(QDir::cleanPath(help.collectionFile()),
                 QDir::cleanPath(m_root.path() + u"/usr/share/calvenor/CLVN.qhc"_s));
        QCOMPARE(help.urlForTopic(50).fileName(), u"amort.html"_s);
    }
    // The MIME database built from the package alone knows *.clvn, and the
    // desktop entry opens that type.
    void scenarioTypeIsInstalled()
    {
        const QString mime = m_root.path() + u"/usr/share/mime"_s;
        QVERIFY(!run(u"update-mime-database"_s, {mime}).startsWith(u"FAILED"_s));
        QVERIFY(test::readBytes(mime + u"/globs2"_s)
                    .contains("application/x-calvenor-scenario:*.clvn"));
        QVERIFY(test::readBytes(m_root.path() +
                                u"/usr/share/applications/com.tolvane.Calvenor.desktop"_s)
                    .contains("MimeType=application/x-calvenor-scenario;"));
    }
    // Notes ("I:") are not asked for; the package's overrides list its one tag.
    void lintianFindsNothingWrong()
    {
        const QString out = run(u"lintian"_s, {u"--fail-on"_s, u"error,warning"_s, m_deb});
        QVERIFY2(!out.startsWith(u"FAILED"_s) && !out.contains(u"E: "_s) && !out.contains(u"W: "_s),
                 qPrintable(out));
    }
    // On a virtual screen, with a fresh home: the window shows with the class
    // its desktop entry names.
    void unpackedProgramShowsItsMainWindow()
    {
        QTemporaryDir home;
        QCOMPARE(run(u"xvfb-run"_s,
                     {u"-a"_s, u"sh"_s, QStringLiteral(CLVN_SHOWS_WINDOW_SCRIPT),
                      m_root.path() + u"/usr/bin/calvenor"_s, home.path(),
                      m_root.path() + u"/usr/share/applications/com.tolvane.Calvenor.desktop"_s},
                     120000),
                 u"shown\n"_s);
    }

private:
    QTemporaryDir m_out, m_root;
    QString m_deb;
    QStringList m_files;
};

QTEST_MAIN(TestPackage)
#include "tst_package.moc"
