// The preview window driven as the user drives it, and its PDF and printer
// output of the amortization report.

#include "reports/Preview.h"
#include "reports/Print.h"
#include "reports/Qrgrid.h"
#include "reports/engine/PageView.h"
#include "tests/reports/FakePages.h"
#include "tests/reports/PdfCheck.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace clvn;
using namespace clvn::report;

namespace {

// A report of `pages` pages, one detail band filling each page.
PreparedReport pagesOf(int pages)
{
    Report rep(QStringLiteral("pages"));
    ReportBand *band = rep.addBand(BandKind::Detail, QStringLiteral("D"), 700);
    band->addLabel(QStringLiteral("lbl"), QStringLiteral("A page"), {0, 0, 200, 20},
                   reportFont(12));
    int left = pages;
    rep.needData = [&left] { return left-- > 0; };
    return rep.prepare();
}

struct Window
{
    Window() : preview(&printer) {}
    QPrinter printer;
    TfrmPreview preview;

    QPushButton *button(const char *name) const
    {
        return preview.findChild<QPushButton *>(QString::fromLatin1(name));
    }
    QString label() const { return preview.findChild<QLabel *>(QStringLiteral("Label1"))->text(); }
    QRPreview *view() const { return preview.findChild<QRPreview *>(QStringLiteral("QRPreview1")); }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) const
    {
        QTest::keyClick(view(), Qt::Key(k), m);
    }
};

// Amortization report pages for a 360-payment schedule.
PreparedReport amortizationPages()
{
    auto page = test::makeAmortPage(360);
    TQRAmortization report;
    report.setPage(page.get());
    return report.Rep().prepare();
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }

    void onePage();
    void threePagesButtons();
    void keys_data();
    void keys();
    void zoomButtons();
    void arrowsScroll();
    void reopensAtPageOneTop();
    void fillsAvailableScreen();
    void savesPdf();
    void noPrinterOffersPdf_data();
    void noPrinterOffersPdf();
    void printsToCurrentPrinter();
    void printFailureKeepsWindowOpen();
    void dispatcherShowsModalPreview();
};

void TestPreview::onePage()
{
    Window w;
    const PreparedReport pages = pagesOf(1);
    w.preview.setPages(&pages);
    w.preview.show();
    QCOMPARE(w.preview.windowTitle(), QStringLiteral("Print Preview - Calvenor, 1.0.04"));
    QCOMPARE(w.label(), QStringLiteral("Page 1 of 1"));
    QVERIFY(!w.button("bbPrev")->isEnabled());
    QVERIFY(!w.button("bbNext")->isEnabled());
    QCOMPARE(w.button("bbPrev")->toolTip(), QStringLiteral("Display previous page"));
    QCOMPARE(w.button("bbZoomIn")->text(), QStringLiteral(" Zoom &In"));
    QCOMPARE(w.button("bbZoomIn")->toolTip(), QStringLiteral("Fits width of page into window"));
    QCOMPARE(w.button("bbClose")->toolTip(), QStringLiteral("Close Print Preview"));
}

void TestPreview::threePagesButtons()
{
    Window w;
    const PreparedReport pages = pagesOf(3);
    w.preview.setPages(&pages);
    w.preview.show();
    QCOMPARE(w.label(), QStringLiteral("Page 1 of 3"));
    QVERIFY(w.button("bbNext")->isEnabled());
    QTest::mouseClick(w.button("bbNext"), Qt::LeftButton);
    QCOMPARE(w.label(), QStringLiteral("Page 2 of 3"));
    QVERIFY(w.button("bbPrev")->isEnabled());
    QTest::mouseClick(w.button("bbNext"), Qt::LeftButton);
    QCOMPARE(w.label(), QStringLiteral("Page 3 of 3"));
    QCOMPARE(w.view()->pageNumber(), 3);
    QVERIFY(!w.button("bbNext")->isEnabled());
    QVERIFY(w.button("bbPrev")->isEnabled());
    QTest::mouseClick(w.button("bbPrev"), Qt::LeftButton);
    QCOMPARE(w.label(), QStringLiteral("Page 2 of 3"));
    w.key(Qt::Key_Home);
    QCOMPARE(w.label(), QStringLiteral("Page 1 of 3"));
    QVERIFY(!w.button("bbPrev")->isEnabled());
    QVERIFY(w.button("bbNext")->isEnabled());
}

void TestPreview::keys_data()
{
    QTest::addColumn<int>("startPage");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page");
    QTest::newRow("End to the last page") << 1 << int(Qt::Key_End) << 0 << 3;
    QTest::newRow("Ctrl+PgDn to the last page")
        << 1 << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 3;
    QTest::newRow("PgDn one page") << 1 << int(Qt::Key_PageDown) << 0 << 2;
    QTest::newRow("PgDn on the last page") << 3 << int(Qt::Key_PageDown) << 0 << 3;
    QTest::newRow("End on the last page") << 3 << int(Qt::Key_End) << 0 << 3;
    QTest::newRow("PgUp one page") << 3 << int(Qt::Key_PageUp) << 0 << 2;
    QTest::newRow("Ctrl+PgUp to page 1")
        << 3 << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Ctrl+Shift+PgUp is not Ctrl")
        << 3 << int(Qt::Key_PageUp) << int(Qt::ControlModifier | Qt::ShiftModifier) << 3;
    QTest::newRow("Home on page 1") << 1 << int(Qt::Key_Home) << 0 << 1;
}

void TestPreview::keys()
{
    QFETCH(int, startPage);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, page);
    Window w;
    const PreparedReport pages = pagesOf(3);
    w.preview.setPages(&pages);
    w.preview.show();
    for (int i = 1; i < startPage; ++i)
        QTest::mouseClick(w.button("bbNext"), Qt::LeftButton);
    w.key(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w.view()->pageNumber(), page);
    QCOMPARE(w.label(), QStringLiteral("Page %1 of 3").arg(page));
    QCOMPARE(w.button("bbPrev")->isEnabled(), page > 1);
    QCOMPARE(w.button("bbNext")->isEnabled(), page < 3);
}

void TestPreview::zoomButtons()
{
    Window w;
    const PreparedReport pages = pagesOf(2);
    w.preview.setPages(&pages);
    w.preview.show();
    QRPreview *view = w.view();
    QCOMPARE(view->zoom(), 100);
    QVERIFY(!w.button("bbZoom100")->isEnabled());
    QVERIFY(w.button("bbZoomIn")->isEnabled());
    QVERIFY(w.button("bbZoomOut")->isEnabled());
    const qreal pxPerPt = view->viewport()->logicalDpiX() / 72.0;

    QTest::mouseClick(w.button("bbZoomIn"), Qt::LeftButton);
    QVERIFY(!w.button("bbZoomIn")->isEnabled());
    QVERIFY(w.button("bbZoomOut")->isEnabled());
    QVERIFY(w.button("bbZoom100")->isEnabled());
    // The page's width fits: within the window, and not much narrower.
    const qreal width = 612 * pxPerPt * view->zoom() / 100.0;
    QVERIFY2(width <= view->viewport()->width(), qPrintable(QString::number(view->zoom())));
    QVERIFY(width > view->viewport()->width() - 40);

    QTest::mouseClick(w.button("bbZoomOut"), Qt::LeftButton);
    QVERIFY(!w.button("bbZoomOut")->isEnabled());
    QVERIFY(w.button("bbZoomIn")->isEnabled());
    const qreal height = 792 * pxPerPt * view->zoom() / 100.0;
    QVERIFY(height <= view->viewport()->height());
    QVERIFY(612 * pxPerPt * view->zoom() / 100.0 <= view->viewport()->width());
    QCOMPARE(view->verticalScrollBar()->maximum(), 0);

    QTest::mouseClick(w.button("bbZoom100"), Qt::LeftButton);
    QCOMPARE(view->zoom(), 100);
    QVERIFY(!w.button("bbZoom100")->isEnabled());
    QVERIFY(w.button("bbZoomIn")->isEnabled());
    QVERIFY(w.button("bbZoomOut")->isEnabled());
}

void TestPreview::arrowsScroll()
{
    Window w;
    const PreparedReport pages = pagesOf(1);
    w.preview.setPages(&pages);
    w.preview.show();
    w.preview.resize(500, 400);
    QScrollBar *v = w.view()->verticalScrollBar();
    QScrollBar *h = w.view()->horizontalScrollBar();
    QVERIFY(v->maximum() > 100);
    QVERIFY(h->maximum() > 100);
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Down);
    QCOMPARE(v->value(), 100);
    w.key(Qt::Key_Up);
    QCOMPARE(v->value(), 50);
    w.key(Qt::Key_Up);
    w.key(Qt::Key_Up);
    QCOMPARE(v->value(), 0);
    w.key(Qt::Key_Right);
    QCOMPARE(h->value(), 50);
    w.key(Qt::Key_Left);
    w.key(Qt::Key_Left);
    QCOMPARE(h->value(), 0);
    QCOMPARE(w.view()->pageNumber(), 1);
}

void TestPreview::reopensAtPageOneTop()
{
    Window w;
    const PreparedReport pages = pagesOf(3);
    w.preview.setPages(&pages);
    w.preview.show();
    w.preview.resize(500, 400);
    w.key(Qt::Key_End);
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Right);
    QCOMPARE(w.view()->pageNumber(), 3);
    QVERIFY(w.view()->verticalScrollBar()->value() > 0);
    QTest::mouseClick(w.button("bbClose"), Qt::LeftButton);
    QVERIFY(!w.preview.isVisible());

    w.preview.show();
    QCOMPARE(w.view()->pageNumber(), 1);
    QCOMPARE(w.label(), QStringLiteral("Page 1 of 3"));
    QCOMPARE(w.view()->verticalScrollBar()->value(), 0);
    QCOMPARE(w.view()->horizontalScrollBar()->value(), 0);
    QVERIFY(!w.button("bbPrev")->isEnabled());
    QVERIFY(w.button("bbNext")->isEnabled());
}

void TestPreview::fillsAvailableScreen()
{
    Window w;
    const PreparedReport pages = pagesOf(1);
    w.preview.setPages(&pages);
    w.preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.preview));
    QCOMPARE(w.preview.frameGeometry(), w.preview.screen()->availableGeometry());
    // Print and Close stay at the right end of the strip.
    QVERIFY(w.button("bbClose")->geometry().right() > w.preview.width() - 10);
    QVERIFY(w.button("bbPrint")->geometry().right() < w.button("bbClose")->geometry().left());
}

void TestPreview::savesPdf()
{
    QTemporaryDir dir;
    const PreparedReport pages = amortizationPages();
    QVERIFY(pages.pageCount() > 1);
    Window w;
    QString suggested;
    w.preview.setFileNameAsker([&](QWidget *, const QString &s) {
        suggested = s;
        return dir.filePath(QStringLiteral("schedule"));
    });
    w.preview.setPages(&pages);
    w.preview.show();
    QTest::mouseClick(w.button("bbSavePdf"), Qt::LeftButton);
    QVERIFY(suggested.endsWith(QStringLiteral(".pdf")));
    // ".pdf" is added to a name without it; the preview stays open.
    QFile file(dir.filePath(QStringLiteral("schedule.pdf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(test::pdfPageCount(pdf), pages.pageCount());
    QVERIFY(w.preview.isVisible());
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess info;
        info.start(pdfinfo, {file.fileName()});
        QVERIFY(info.waitForFinished());
        const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
        QVERIFY2(out.contains(
                     QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages.pageCount()))),
                 qPrintable(out));
    }
}

void TestPreview::noPrinterOffersPdf_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("declined") << false;
    QTest::newRow("accepted") << true;
}

void TestPreview::noPrinterOffersPdf()
{
    QFETCH(bool, accept);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("report.pdf"));
    Window w;
    const PreparedReport pages = pagesOf(2);
    w.preview.setPrinterCheck([] { return false; });
    w.preview.setFileNameAsker([&](QWidget *, const QString &) { return target; });
    w.preview.setPages(&pages);
    w.preview.show();
    test::MessageBoxCatcher catcher(accept ? QMessageBox::Yes : QMessageBox::No);
    QTest::mouseClick(w.button("bbPrint"), Qt::LeftButton);
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last(), QStringLiteral("No printer is set up on this computer, so the report "
                                            "cannot be printed.\n\rDo you want to save it as a PDF "
                                            "file instead?"));
    QCOMPARE(QFile::exists(target), accept);
    QCOMPARE(w.preview.isVisible(), !accept);
}

void TestPreview::printsToCurrentPrinter()
{
    // A PDF-file printer stands in for a real one: the same call prints.
    QTemporaryDir dir;
    Window w;
    w.printer.setOutputFormat(QPrinter::PdfFormat);
    w.printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    const PreparedReport pages = pagesOf(3);
    w.preview.setPrinterCheck([] { return true; });
    w.preview.setPages(&pages);
    w.preview.show();
    QTest::mouseClick(w.button("bbPrint"), Qt::LeftButton);
    QVERIFY(!w.preview.isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QFile file(dir.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(test::pdfPageCount(file.readAll()), 3);
}

void TestPreview::printFailureKeepsWindowOpen()
{
    Window w;
    w.printer.setOutputFormat(QPrinter::PdfFormat);
    w.printer.setOutputFileName(QStringLiteral("/nonexistent-folder/x/printed.pdf"));
    const PreparedReport pages = pagesOf(1);
    w.preview.setPrinterCheck([] { return true; });
    w.preview.setPages(&pages);
    w.preview.show();
    QStringList errors;
    const auto previous = setExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception &x) {
            errors << QString::fromLocal8Bit(x.what());
        }
    });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QTest::mouseClick(w.button("bbPrint"), Qt::LeftButton);
    setExceptionHandler(previous);
    QCOMPARE(errors, QStringList{QStringLiteral("The printer could not be started.")});
    QVERIFY(w.preview.isVisible());
    QVERIFY(!QApplication::overrideCursor());
}

void TestPreview::dispatcherShowsModalPreview()
{
    auto page = test::makeAmortPage(360);
    page->show();
    PrintDispatcher dispatcher(nullptr);
    dispatcher.printer()->setPageSize(QPageSize(QPageSize::Letter));
    QString shown;
    bool closeWasEnabled = false;
    QTimer::singleShot(50, [&] {
        TfrmPreview *preview = dispatcher.preview();
        shown = preview->findChild<QLabel *>(QStringLiteral("Label1"))->text();
        auto *close = preview->findChild<QPushButton *>(QStringLiteral("bbClose"));
        closeWasEnabled = close->isEnabled();
        QTest::mouseClick(close, Qt::LeftButton);
    });
    dispatcher.Print(page.get());
    QVERIFY(!dispatcher.preview()->isVisible());
    QCOMPARE(shown,
             QStringLiteral("Page 1 of %1").arg(dispatcher.amortization().Rep().pageCount()));
    QVERIFY(dispatcher.amortization().Rep().pageCount() > 5);
    QVERIFY(closeWasEnabled);
    // The pages were freed with the preview.
    QCOMPARE(dispatcher.preview()->pageView()->report(), nullptr);
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
