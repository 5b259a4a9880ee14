// File > Export to CSV... in the real main window: enabled exactly while the
// active page lists a table, the file name proposed, the file written, and a
// target that cannot be written reported by name with nothing left behind.

#include "app/CsvExport.h"
#include "app/Main.h"
#include "calculators/CalculatorPage.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init();
    void cleanup() { m_window.reset(); }
    void enabledWhileATableIsListed_data();
    void enabledWhileATableIsListed();
    void writesTheSchedule();
    void unwritableTargetIsNamed_data();
    void unwritableTargetIsNamed();

private:
    QAction *exportItem() const { return m_window->findChild<QAction *>(u"MnuFileExportCSV"_s); }
    // A button of the active page, or of the menu page.
    void go(const QString &button)
    {
        QWidget *page = m_window->page(m_window->activePageName());
        auto *b = page ? page->findChild<QPushButton *>(button) : nullptr;
        QTest::mouseClick(b ? b : m_window->findChild<QPushButton *>(button), Qt::LeftButton);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TfrmMain> m_window;
    QString m_suggested; // what the file dialog was offered
};

void TestExport::init()
{
    MainOptions options;
    options.programFolder = m_dir.path() + u'/';
    options.closeDraw = [] { return 1; };
    m_window = std::make_unique<TfrmMain>(options);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestExport::enabledWhileATableIsListed_data()
{
    QTest::addColumn<QStringList>("steps"); // menu buttons and tool buttons, in order
    QTest::addColumn<bool>("enabled");
    QTest::newRow("menu page") << QStringList{} << false;
    QTest::newRow("amortization schedule") << QStringList{u"btnAmort"_s} << true;
    QTest::newRow("after Reset") << QStringList{u"btnAmort"_s, u"btnReset"_s} << false;
    QTest::newRow("after Calculate again")
        << QStringList{u"btnAmort"_s, u"btnReset"_s, u"btnCalculate"_s} << true;
    QTest::newRow("a page without a table")
        << QStringList{u"btnAmort"_s, u"btnMenu"_s, u"btnMQ"_s} << false;
    QTest::newRow("back to the menu") << QStringList{u"btnAmort"_s, u"btnMenu"_s} << false;
    QTest::newRow("loan spread grid") << QStringList{u"btnLSC"_s} << true;
    QTest::newRow("loan offers table") << QStringList{u"btnCMP"_s} << true;
}

void TestExport::enabledWhileATableIsListed()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, enabled);
    QVERIFY(exportItem());
    QCOMPARE(exportItem()->text(), u"&Export to CSV..."_s);
    for (const QString &step : steps) {
        if (auto *tool = m_window->findChild<QToolButton *>(step))
            QTest::mouseClick(tool, Qt::LeftButton);
        else
            go(step);
    }
    // As the File menu shows it when it opens.
    auto *file = m_window->findChild<QMenu *>(u"MnuFile"_s);
    file->popup(m_window->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(exportItem()->isEnabled(), enabled);
    file->hide();
}

void TestExport::writesTheSchedule()
{
    go(u"btnAmort"_s);
    const QString target = m_dir.filePath(u"out.csv"_s);
    m_window->csvExporter().setFileNameAsker([&](QWidget *, const QString &suggested) {
        m_suggested = suggested;
        return target;
    });
    test::MessageBoxCatcher boxes;
    exportItem()->trigger();
    QCOMPARE(boxes.count(), 0);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(m_suggested, QDir(documents).filePath(u"Loan Amortizations.csv"_s));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    // Heading, 360 payments, and the empty rest after the last CRLF.
    QCOMPARE(lines.size(), 362);
    QCOMPARE(lines[0], QByteArray("PMT,Principal,Interest,Principal To Date,Interest To Date,"
                                  "Extra Principal,Balance\r"));
    // 100000 at 8.75 % over 360: the last row of the amortization page tests.
    QCOMPARE(lines[360], QByteArray("360,781.00,5.70,99999.03,183212.97,0.00,0.97\r"));
}

void TestExport::unwritableTargetIsNamed_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing folder") << u"nowhere/out.csv"_s;
    QTest::newRow("a folder") << u"folder"_s;
}

void TestExport::unwritableTargetIsNamed()
{
    QFETCH(QString, target);
    go(u"btnAmort"_s);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    const QString path = dir.filePath(target);
    m_window->csvExporter().setFileNameAsker([&](QWidget *, const QString &) { return path; });
    test::MessageBoxCatcher boxes;
    exportItem()->trigger();
    QTRY_COMPARE(boxes.count(), 1);
    QVERIFY2(boxes.last().startsWith(u"The table could not be written to the file\n\r"_s +
                                     QDir::toNativeSeparators(path) + u"\n\r\n\r"_s),
             qPrintable(boxes.last()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{u"folder"_s});
    QVERIFY(QDir(dir.filePath(u"folder"_s)).isEmpty());
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
