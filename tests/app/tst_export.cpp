// File > Export to CSV... in the real main window: enabled while the active
// page lists a table, the name proposed, the file written, a failure named.

#include "app/CsvExport.h"
#include "reports/Preview.h"
#include "tests/support/MainFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestExport : public QObject
{
    Q_OBJECT

    std::optional<test::MainFixture> f;

    // Exports the schedule to `target`; returns the name the dialog was offered.
    QString exportTo(const QString &target)
    {
        f->click(u"btnAmort"_s);
        QString offered;
        f->window->csvExporter().setFileNameAsker([&](QWidget *, const QString &suggested) {
            offered = suggested;
            return target;
        });
        f->get<QAction>(u"MnuFileExportCSV"_s)->trigger();
        return offered;
    }

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }
    void enabledWhileATableIsListed_data()
    {
        QTest::addColumn<QStringList>("steps"); // buttons, in order
        QTest::addColumn<bool>("enabled");
        QTest::newRow("menu page") << QStringList{} << false;
        QTest::newRow("amortization schedule") << QStringList{u"btnAmort"_s} << true;
        QTest::newRow("after Reset") << QStringList{u"btnAmort"_s, u"btnReset"_s} << false;
        QTest::newRow("a page without a table")
            << QStringList{u"btnAmort"_s, u"btnMenu"_s, u"btnMQ"_s} << false;
    }
    void enabledWhileATableIsListed()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, enabled);
        for (const QString &step : steps)
            f->click(step);
        // As the File menu shows it when it opens.
        auto *file = f->get<QMenu>(u"MnuFile"_s);
        file->popup(f->window->mapToGlobal(QPoint(0, 0)));
        QCOMPARE(f->get<QAction>(u"MnuFileExportCSV"_s)->isEnabled(), enabled);
        file->hide();
    }
    // The name offered, the file written where the user chose it, no message
    // (its content is the table interface's).
    void writesTheSchedule()
    {
        QCOMPARE(f->get<QAction>(u"MnuFileExportCSV"_s)->text(), u"&Export to CSV..."_s);
        const QString target = f->dir.filePath(u"out.csv"_s);
        test::MessageBoxCatcher boxes;
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(exportTo(target), QDir(documents).filePath(u"Loan Amortizations.csv"_s));
        QCOMPARE(boxes.count(), 0);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readLine().startsWith("PMT,Principal,"));
    }
    void unwritableTargetIsNamed()
    {
        const QString path = f->dir.filePath(u"nowhere/out.csv"_s);
        test::MessageBoxCatcher boxes;
        exportTo(path);
        QTRY_COMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().startsWith(u"The table could not be written to the file\n\r"_s +
                                         QDir::toNativeSeparators(path) + u"\n\r\n\r"_s),
                 qPrintable(boxes.last()));
    }
    // After each command that writes, the status bar says what went where.
    void statusBarSaysWhatWasWritten_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("note"); // %1: the test's folder
        QTest::newRow("Export to CSV") << u"csv"_s << u"Exported \"out.csv\" in %1"_s;
        QTest::newRow("Save as PDF") << u"pdf"_s << u"Saved \"out.pdf\" in %1"_s;
        QTest::newRow("Copy") << u"copy"_s << u"Copied 360 rows to the clipboard"_s;
    }
    void statusBarSaysWhatWasWritten()
    {
        QFETCH(QString, command);
        QFETCH(QString, note);
        const QString target = f->dir.filePath(u"out."_s + command);
        if (command == u"csv") {
            exportTo(target);
        } else if (command == u"pdf") {
            f->click(u"btnAmort"_s);
            test::WindowAnswerer preview(u"frmPreview"_s, [&](QWidget *w) {
                auto *p = static_cast<TfrmPreview *>(w);
                p->setFileNameAsker([&](QWidget *, const QString &) { return target; });
                test::find<QAbstractButton>(p, u"bbSavePdf"_s)->click();
                p->close();
            });
            f->click(u"btnPrint"_s);
            QCOMPARE(preview.count(), 1);
        } else {
            f->click(u"btnAmort"_s);
            auto *grid = f->get<QTableView>(u"grdAmortization"_s);
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        }
        QCOMPARE(f->get<QStatusBar>(u"StatusBar1"_s)->currentMessage(),
                 note.arg(QDir::toNativeSeparators(f->dir.path())));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
