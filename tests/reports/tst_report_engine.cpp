// The report engine: pagination with repeated page header and footer, the
// events, label sizing, device independence, and the value formats.

#include "reports/ValueFormats.h"
#include "reports/engine/PageRender.h"
#include "reports/engine/Report.h"
#include "tests/reports/PdfCheck.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QTest>

using namespace clvn;
using namespace clvn::report;

namespace {

// Band heights of the test report, in points. Letter with half-inch margins
// leaves 720 points between top and bottom margin.
constexpr qreal kTitle = 40;
constexpr qreal kHeader = 30;
constexpr qreal kFooter = 30;
constexpr qreal kDetail = 20;

struct Counting
{
    int reportBefore = 0;
    int headerBefore = 0;
    int detailBefore = 0;
    int next = 0;
};

// A report that prints `rows` numbered details through need-data.
std::unique_ptr<Report> numberedReport(int rows, Counting &count)
{
    auto rep = std::make_unique<Report>(QStringLiteral("test"));
    const QFont font = reportFont(9);
    ReportBand *title = rep->addBand(BandKind::Title, QStringLiteral("Title"), kTitle);
    title->addLabel(QStringLiteral("lblTitle"), QStringLiteral("The Title"), {0, 0, 300, 20}, font);
    ReportBand *header = rep->addBand(BandKind::PageHeader, QStringLiteral("Header"), kHeader);
    header->addLabel(QStringLiteral("lblHeader"), QStringLiteral("Heading"), {0, 0, 300, 20}, font);
    header->beforePrint = [&count] { ++count.headerBefore; };
    ReportBand *detail = rep->addBand(BandKind::Detail, QStringLiteral("Detail"), kDetail);
    detail->addLabel(QStringLiteral("lblRow"), QString(), {0, 0, 100, 20}, font);
    detail->beforePrint = [&count] { ++count.detailBefore; };
    ReportBand *footer = rep->addBand(BandKind::PageFooter, QStringLiteral("Footer"), kFooter);
    footer->addPageNumber(QStringLiteral("qrsPage"), QStringLiteral("Page "), {0, 0, 100, 20}, font,
                          Qt::AlignLeft);
    rep->beforePrint = [&count] {
        ++count.reportBefore;
        count.next = 0;
    };
    Report *raw = rep.get();
    rep->needData = [raw, rows, &count] {
        raw->setText(QStringLiteral("lblRow"), QString::number(++count.next));
        return count.next <= rows;
    };
    return rep;
}

} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }

    void pagination_data();
    void pagination();
    void noDataPrintsNoDetail();
    void detailsWithoutNeedData();
    void footerSitsAtPageBottom();
    void autoSizeKeepsAlignedEdge_data();
    void autoSizeKeepsAlignedEdge();
    void dateTimeField();
    void previewHandlerGetsPagesOnce();
    void sameLayoutAtAnyResolution();
    void pdfHasOnePagePerPreparedPage();
    void formats_data();
    void formats();
};

void TestReportEngine::pagination_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("perPage");
    // Page 1 holds (720 - 40 - 30 - 30) / 20 = 31 details, later pages
    // (720 - 30 - 30) / 20 = 33.
    QTest::newRow("one row") << 1 << QList<int>{1};
    QTest::newRow("page 1 exactly full") << 31 << QList<int>{31};
    QTest::newRow("one over page 1") << 32 << QList<int>{31, 1};
    QTest::newRow("two full pages") << 64 << QList<int>{31, 33};
    QTest::newRow("third page starts") << 65 << QList<int>{31, 33, 1};
}

void TestReportEngine::pagination()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, perPage);
    Counting count;
    auto rep = numberedReport(rows, count);
    const PreparedReport out = rep->prepare();

    QCOMPARE(out.pageCount(), perPage.size());
    QCOMPARE(rep->pageCount(), perPage.size());
    QCOMPARE(count.reportBefore, 1);
    QCOMPARE(count.headerBefore, perPage.size());
    QCOMPARE(count.detailBefore, rows);
    int expected = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &page = out.pages[std::size_t(p)];
        QCOMPARE(page.textsOf(QStringLiteral("lblTitle")).size(), p == 0 ? 1 : 0);
        QCOMPARE(page.textOf(QStringLiteral("lblHeader")), QStringLiteral("Heading"));
        QCOMPARE(page.textOf(QStringLiteral("qrsPage")), QStringLiteral("Page %1").arg(p + 1));
        const QStringList numbers = page.textsOf(QStringLiteral("lblRow"));
        QCOMPARE(numbers.size(), perPage[p]);
        for (const QString &n : numbers)
            QCOMPARE(n, QString::number(++expected));
    }
    QCOMPARE(expected, rows);
}

void TestReportEngine::noDataPrintsNoDetail()
{
    Counting count;
    auto rep = numberedReport(0, count);
    const PreparedReport out = rep->prepare();
    QCOMPARE(out.pageCount(), 1);
    QVERIFY(out.pages[0].textsOf(QStringLiteral("lblRow")).isEmpty());
    QCOMPARE(count.detailBefore, 0);
    // The "no" call filled its label, but the row was not printed.
    QCOMPARE(rep->text(QStringLiteral("lblRow")), QStringLiteral("1"));
    QCOMPARE(out.pages[0].textOf(QStringLiteral("qrsPage")), QStringLiteral("Page 1"));
}

void TestReportEngine::detailsWithoutNeedData()
{
    Report rep(QStringLiteral("bands"));
    const QFont font = reportFont(9);
    for (const char *name : {"BandA", "BandB", "BandC"}) {
        ReportBand *band = rep.addBand(BandKind::Detail, QString::fromLatin1(name), 20);
        band->addLabel(QStringLiteral("lbl") + QString::fromLatin1(name), QString::fromLatin1(name),
                       {0, 0, 100, 20}, font);
    }
    rep.band(QStringLiteral("BandB"))->setEnabled(false);
    const PreparedReport out = rep.prepare();
    QCOMPARE(out.pageCount(), 1);
    QCOMPARE(out.pages[0].texts(), (QStringList{QStringLiteral("BandA"), QStringLiteral("BandC")}));
}

void TestReportEngine::footerSitsAtPageBottom()
{
    Counting count;
    auto rep = numberedReport(40, count);
    const PreparedReport out = rep->prepare();
    const QRectF content = rep->pageLayout().paintRect(QPageLayout::Point);
    for (const PreparedPage &page : out.pages) {
        const PageItem *footer = nullptr;
        for (const PageItem &item : page.items) {
            if (item.name == u"qrsPage")
                footer = &item;
        }
        QVERIFY(footer);
        QCOMPARE(footer->rect.top(), content.bottom() - kFooter);
        // No detail runs into the footer.
        for (const PageItem &item : page.items) {
            if (item.name == u"lblRow")
                QVERIFY(item.rect.bottom() <= footer->rect.top());
        }
    }
}

void TestReportEngine::autoSizeKeepsAlignedEdge_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<qreal>("left");
    QTest::addColumn<qreal>("right");
    QTest::addColumn<qreal>("centre");
    // A 200-point box from x = 100 (content left is 36 on the page).
    QTest::newRow("left keeps left") << int(Qt::AlignLeft) << 136.0 << -1.0 << -1.0;
    QTest::newRow("right keeps right") << int(Qt::AlignRight) << -1.0 << 336.0 << -1.0;
    QTest::newRow("centre keeps centre") << int(Qt::AlignHCenter) << -1.0 << -1.0 << 236.0;
}

void TestReportEngine::autoSizeKeepsAlignedEdge()
{
    QFETCH(int, alignment);
    QFETCH(qreal, left);
    QFETCH(qreal, right);
    QFETCH(qreal, centre);
    Report rep(QStringLiteral("auto"));
    const QFont font = reportFont(10);
    const QString text = QStringLiteral("Loan Amount:");
    rep.addBand(BandKind::Detail, QStringLiteral("D"), 20)
        ->addLabel(QStringLiteral("lbl"), text, {100, 0, 200, 20}, font, Qt::Alignment(alignment),
                   true);
    const PreparedReport out = rep.prepare();
    const PageItem &item = out.pages[0].items.at(0);
    QCOMPARE(item.rect.width(), textWidth(font, text));
    QVERIFY(item.rect.width() > 40 && item.rect.width() < 100);
    if (left >= 0)
        QCOMPARE(item.rect.left(), left);
    if (right >= 0)
        QCOMPARE(item.rect.right(), right);
    if (centre >= 0)
        QCOMPARE(item.rect.center().x(), centre);
}

void TestReportEngine::dateTimeField()
{
    Report rep(QStringLiteral("time"));
    rep.addBand(BandKind::PageFooter, QStringLiteral("F"), 20)
        ->addDateTime(QStringLiteral("qrsDateTime"), QStringLiteral("Printed at "), {0, 0, 200, 20},
                      reportFont(9), Qt::AlignHCenter);
    rep.setPrintTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    const PreparedReport out = rep.prepare();
    const QString shown = out.pages[0].textOf(QStringLiteral("qrsDateTime"));
    // The locale's short date and time, whatever space it puts before "PM".
    QVERIFY2(shown.startsWith(QStringLiteral("Printed at 3/5/24")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("2:07")) && shown.endsWith(QStringLiteral("PM")),
             qPrintable(shown));
}

void TestReportEngine::previewHandlerGetsPagesOnce()
{
    Counting count;
    auto rep = numberedReport(70, count);
    int calls = 0;
    int pages = 0;
    const auto previous = Report::setPreviewHandler([&](Report &, const PreparedReport &out) {
        ++calls;
        pages = out.pageCount();
    });
    rep->preview();
    Report::setPreviewHandler(previous);
    QCOMPARE(calls, 1);
    QCOMPARE(pages, 3);
}

void TestReportEngine::sameLayoutAtAnyResolution()
{
    // A rule 100 points below the top margin lands at the same place on the
    // paper at 72 and at 144 dots per inch.
    Report rep(QStringLiteral("rule"));
    rep.addBand(BandKind::Detail, QStringLiteral("D"), 120)
        ->addHLine(QStringLiteral("rule"), 100, 0, 300, 2);
    const PreparedReport out = rep.prepare();
    auto firstDarkRow = [](const QImage &image) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(image.width() / 4, y)) < 128)
                return y;
        }
        return -1;
    };
    const int at72 = firstDarkRow(renderPage(out, 0, 72));
    const int at144 = firstDarkRow(renderPage(out, 0, 144));
    // 36 points of margin + 100 - half the 2-point pen = 135 points.
    QCOMPARE(at72, 135);
    QCOMPARE(at144, 270);
}

void TestReportEngine::pdfHasOnePagePerPreparedPage()
{
    Counting count;
    auto rep = numberedReport(100, count);
    const PreparedReport out = rep->prepare();
    QCOMPARE(out.pageCount(), 4);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writePdf(out, buffer);
    const QByteArray pdf = buffer.data();
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(clvn::test::pdfPageCount(pdf), 4);
}

void TestReportEngine::formats_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    // Examples of the report value formats with United States settings;
    // the rounding rows follow the decimal a reader sees.
    QTest::newRow("currency 100000") << fmt::currency(100000) << QStringLiteral("$100,000.00");
    QTest::newRow("currency cents") << fmt::currency(786.7) << QStringLiteral("$786.70");
    // The United States negative currency form puts the amount in brackets.
    QTest::newRow("currency negative") << fmt::currency(-1234.5) << QStringLiteral("($1,234.50)");
    QTest::newRow("currency half to even") << fmt::currency(0.125) << QStringLiteral("$0.12");
    QTest::newRow("currency 10 digits")
        << fmt::currency(123456789.876) << QStringLiteral("$123,456,789.90");
    QTest::newRow("currency zero") << fmt::currency(-0.001) << QStringLiteral("$0.00");
    QTest::newRow("general 360") << fmt::general(360) << QStringLiteral("360");
    QTest::newRow("general 8.75") << fmt::general(8.75) << QStringLiteral("8.75");
    QTest::newRow("general no binary noise") << fmt::general(0.1 + 0.2) << QStringLiteral("0.3");
    QTest::newRow("general no grouping") << fmt::general(1234567) << QStringLiteral("1234567");
    QTest::newRow("general negative") << fmt::general(-2.5) << QStringLiteral("-2.5");
    QTest::newRow("general-3 7.125") << fmt::general(7.125, 3) << QStringLiteral("7.13");
    QTest::newRow("general-3 12.125") << fmt::general(12.125, 3) << QStringLiteral("12.1");
    QTest::newRow("general-5 7.125") << fmt::general(7.125, 5) << QStringLiteral("7.125");
    QTest::newRow("general-3 1.5") << fmt::general(1.5, 3) << QStringLiteral("1.5");
    QTest::newRow("general-3 9.996 carries") << fmt::general(9.996, 3) << QStringLiteral("10");
    QTest::newRow("general-3 too long") << fmt::general(1234, 3) << QStringLiteral("1.23E+03");
    QTest::newRow("general tiny") << fmt::general(0.000001) << QStringLiteral("1E-06");
    QTest::newRow("general 0.00001") << fmt::general(0.00001) << QStringLiteral("0.00001");
    QTest::newRow("general-4 months") << fmt::general(28.5, 4) << QStringLiteral("28.5");
    QTest::newRow("number-3 8.75") << fmt::number(8.75, 3) << QStringLiteral("8.750");
    QTest::newRow("number-2 grouping")
        << fmt::number(1234567.891, 2) << QStringLiteral("1,234,567.89");
    QTest::newRow("number-2 10 digits")
        << fmt::number(123456789012.345, 2) << QStringLiteral("123,456,789,000.00");
    QTest::newRow("percent general-3 20")
        << fmt::percent(fmt::general(20, 3)) << QStringLiteral("20%");
}

void TestReportEngine::formats()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestReportEngine)
#include "tst_report_engine.moc"
