// The preview window driven as the user drives it, and its PDF and printer output.

#include "engine/PageView.h"
#include "reports/Preview.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

namespace {

// A report of `pages` pages, one detail band filling each page.
PreparedReport pagesOf(int pages)
{
    Report rep(u"pages"_s);
    rep.addBand(BandKind::Detail, u"D"_s, 700)
        ->addLabel(u"lbl"_s, u"A page"_s, {0, 0, 200, 20}, reportFont(12));
    rep.needData = [&pages] { return pages-- > 0; };
    return rep.prepare();
}

// The page count of the PDF file `name` (each page object says "/Type /Page",
// the page tree "/Type /Pages"), or -1 when there is no PDF.
int pdfPages(const QString &name)
{
    QFile file(name);
    const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QRegularExpression page(u"/Type\\s*/Page(?![s\\w])"_s);
    return pdf.startsWith("%PDF-") ? int(QString::fromLatin1(pdf).count(page)) : -1;
}

// The preview window showing `shown`.
struct Window
{
    explicit Window(int count) : pages(pagesOf(count)), preview(&printer)
    {
        preview.setPages(&pages);
        preview.show();
    }

    PreparedReport pages;
    QPrinter printer;
    TfrmPreview preview;

    QPushButton *button(const QString &n) const { return preview.findChild<QPushButton *>(n); }
    void click(const QString &name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString label() const { return preview.findChild<QLabel *>(u"Label1"_s)->text(); }
    QRPreview *view() const { return preview.findChild<QRPreview *>(u"QRPreview1"_s); }
    void key(const QString &keys) const { QTest::keySequence(view(), QKeySequence(keys)); }
};

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }
    void paging_data();
    void paging();
    void sizeAndZoom();
    void reopensAtPageOneTop();
    void output_data();
    void output();
};

void TestPreview::paging_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("input"); // a button's name or keys
    QTest::addColumn<int>("page");
    QTest::newRow("one page: Next does nothing") << 1 << 1 << u"bbNext"_s << 1;
    QTest::newRow("Next twice to page 3") << 3 << 2 << u"bbNext"_s << 3;
    QTest::newRow("Previous") << 3 << 3 << u"bbPrev"_s << 2;
    QTest::newRow("Home to page 1") << 3 << 3 << u"Home"_s << 1;
    QTest::newRow("End to the last page") << 3 << 1 << u"End"_s << 3;
    QTest::newRow("PgDn one page") << 3 << 1 << u"PgDown"_s << 2;
    QTest::newRow("Ctrl+PgUp to page 1") << 3 << 3 << u"Ctrl+PgUp"_s << 1;
    QTest::newRow("Ctrl+Shift+PgUp is not Ctrl") << 3 << 3 << u"Ctrl+Shift+PgUp"_s << 3;
}

void TestPreview::paging()
{
    QFETCH(int, pages);
    QFETCH(int, start);
    QFETCH(QString, input);
    QFETCH(int, page);
    Window w(pages);
    QCOMPARE(w.preview.windowTitle(), u"Print Preview - Calvenor, 1.0.04"_s);
    QCOMPARE(w.label(), u"Page 1 of %1"_s.arg(pages));
    for (int i = 1; i < start; ++i)
        w.click(u"bbNext"_s);
    if (input.startsWith(u"bb"))
        w.click(input);
    else
        w.key(input);
    QCOMPARE(w.view()->pageNumber(), page);
    QCOMPARE(w.label(), u"Page %1 of %2"_s.arg(page).arg(pages));
    QCOMPARE(w.button(u"bbPrev"_s)->isEnabled(), page > 1);
    QCOMPARE(w.button(u"bbNext"_s)->isEnabled(), page < pages);
}

void TestPreview::sizeAndZoom()
{
    Window w(2);
    QVERIFY(QTest::qWaitForWindowExposed(&w.preview));
    QRPreview *view = w.view();
    auto enabled = [&w] { // Zoom Out, 100 %, Zoom In
        return QList<bool>{w.button(u"bbZoomOut"_s)->isEnabled(),
                           w.button(u"bbZoom100"_s)->isEnabled(),
                           w.button(u"bbZoomIn"_s)->isEnabled()};
    };
    const qreal pxPerPt = view->viewport()->logicalDpiX() / 72.0;
    auto shown = [&](qreal points) { return points * pxPerPt * view->zoom() / 100.0; };
    QCOMPARE(view->zoom(), 100);
    QCOMPARE(enabled(), (QList<bool>{true, false, true}));

    w.click(u"bbZoomIn"_s);
    QCOMPARE(enabled(), (QList<bool>{true, true, false}));
    // The page's width fits: within the window, and not much narrower.
    QVERIFY(shown(612) <= view->viewport()->width() && shown(612) > view->viewport()->width() - 40);

    w.click(u"bbZoomOut"_s);
    QCOMPARE(enabled(), (QList<bool>{false, true, true}));
    QVERIFY(shown(792) <= view->viewport()->height() && shown(612) <= view->viewport()->width());
    // Regression: the whole-page fit kept the scroll range of the wider zoom.
    QCOMPARE(view->verticalScrollBar()->maximum(), 0);

    w.click(u"bbZoom100"_s);
    QCOMPARE(view->zoom(), 100);
    QCOMPARE(enabled(), (QList<bool>{true, false, true}));
}

void TestPreview::reopensAtPageOneTop()
{
    Window w(3);
    w.preview.resize(500, 400);
    QScrollBar *v = w.view()->verticalScrollBar(), *h = w.view()->horizontalScrollBar();
    for (const QString &key : {u"End"_s, u"Down"_s, u"Down"_s, u"Up"_s, u"Left"_s, u"Right"_s})
        w.key(key);
    // Arrows scroll by 50 within the range and leave the page alone.
    QCOMPARE((QList<int>{w.view()->pageNumber(), v->value(), h->value()}), (QList<int>{3, 50, 50}));
    w.click(u"bbClose"_s);
    QVERIFY(!w.preview.isVisible());
    w.preview.show();
    QCOMPARE(w.label(), u"Page 1 of 3"_s);
    QCOMPARE((QList<int>{w.view()->pageNumber(), v->value(), h->value()}), (QList<int>{1, 0, 0}));
    QVERIFY(!w.button(u"bbPrev"_s)->isEnabled() && w.button(u"bbNext"_s)->isEnabled());
}

void TestPreview::output_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("printer"); // none, works, fails
    QTest::addColumn<int>("answer");      // to the offer of a PDF instead
    QTest::addColumn<QString>("written"); // the PDF asked for, or the printer's file
    QTest::addColumn<bool>("open");
    QTest::newRow("Save as PDF") << u"bbSavePdf"_s << u"works"_s << 0 << u"schedule.pdf"_s << true;
    QTest::newRow("no printer, PDF declined")
        << u"bbPrint"_s << u"none"_s << int(QMessageBox::No) << QString() << true;
    QTest::newRow("no printer, PDF accepted")
        << u"bbPrint"_s << u"none"_s << int(QMessageBox::Yes) << u"schedule.pdf"_s << false;
    QTest::newRow("prints and closes")
        << u"bbPrint"_s << u"works"_s << 0 << u"printed.pdf"_s << false;
    QTest::newRow("printing error keeps the window open")
        << u"bbPrint"_s << u"fails"_s << 0 << QString() << true;
}

void TestPreview::output()
{
    QFETCH(QString, button);
    QFETCH(QString, printer);
    QFETCH(int, answer);
    QFETCH(QString, written);
    QFETCH(bool, open);
    Window w(3);
    // A PDF-file printer stands in for a real one: the same call prints.
    QTemporaryDir dir;
    w.printer.setOutputFormat(QPrinter::PdfFormat);
    w.printer.setOutputFileName(printer == u"fails" ? u"/nonexistent-folder/x/printed.pdf"_s
                                                    : dir.filePath(u"printed.pdf"_s));
    w.preview.setPrinterCheck([printer] { return printer != u"none"; });
    w.preview.setFileNameAsker(
        [&](QWidget *, const QString &) { return dir.filePath(u"schedule"_s); });
    QStringList errors;
    const auto previous = setExceptionHandler([&errors](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception &x) {
            errors << QString::fromLocal8Bit(x.what());
        }
    });
    if (printer == u"fails")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u".*"_s));
    test::MessageBoxCatcher catcher{QMessageBox::StandardButton(answer)};
    w.click(button);
    setExceptionHandler(previous);

    QCOMPARE(catcher.texts(),
             answer ? QStringList{u"No printer is set up on this computer, so the report cannot "
                                  u"be printed.\n\rDo you want to save it as a PDF file instead?"_s}
                    : QStringList());
    QCOMPARE(errors, printer == u"fails" ? QStringList{u"The printer could not be started."_s}
                                         : QStringList());
    // ".pdf" is added to a name without it.
    for (const QString &name : {u"schedule.pdf"_s, u"printed.pdf"_s})
        QCOMPARE(pdfPages(dir.filePath(name)), name == written ? 3 : -1);
    QCOMPARE(w.preview.isVisible(), open);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
