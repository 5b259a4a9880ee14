// The report engine: pagination, events, disabled bands; the value formats.

#include "reports/ValueFormats.h"
#include "reports/engine/Report.h"
#include "tests/reports/FakePages.h"
#include "tests/support/TestSupport.h"

#include <QTest>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }
    void pagination_data();
    void pagination();
    void formats_data();
    void formats();
};

void TestReportEngine::pagination_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("perPage");
    // Page 1 holds (720 - 40 - 30 - 30) / 20 = 31 details, later pages (720 - 30 - 30) / 20 = 33.
    QTest::newRow("no data prints no detail") << 0 << QList<int>{0};
    QTest::newRow("one row") << 1 << QList<int>{1};
    QTest::newRow("page 1 exactly full") << 31 << QList<int>{31};
    QTest::newRow("one over page 1") << 32 << QList<int>{31, 1};
    QTest::newRow("third page starts") << 65 << QList<int>{31, 33, 1};
}

void TestReportEngine::pagination()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, perPage);
    // Band heights in points; Letter with half-inch margins leaves 720 points.
    const qreal title = 40, header = 30, detail = 20, footer = 30;
    const QFont font = reportFont(9);
    int reportBefore = 0, headerBefore = 0, detailBefore = 0, next = 0;
    Report rep(u"test"_s);
    rep.addBand(BandKind::Title, u"Title"_s, title)
        ->addLabel(u"lblTitle"_s, u"The Title"_s, {0, 0, 300, 20}, font);
    rep.addBand(BandKind::PageHeader, u"Header"_s, header)
        ->addLabel(u"lblHeader"_s, u"Heading"_s, {0, 0, 300, 20}, font);
    rep.band(u"Header"_s)->beforePrint = [&] { ++headerBefore; };
    rep.addBand(BandKind::Detail, u"Detail"_s, detail)
        ->addLabel(u"lblRow"_s, QString(), {0, 0, 100, 20}, font);
    rep.band(u"Detail"_s)->beforePrint = [&] { ++detailBefore; };
    rep.addBand(BandKind::Detail, u"Off"_s, detail)->addLabel(u"lblOff"_s, u"Off"_s, {}, font);
    rep.band(u"Off"_s)->setEnabled(false); // a disabled band never prints
    rep.addBand(BandKind::PageFooter, u"Footer"_s, footer)
        ->addPageNumber(u"qrsPage"_s, u"Page "_s, {0, 0, 100, 20}, font, Qt::AlignLeft);
    rep.beforePrint = [&] { ++reportBefore; };
    rep.needData = [&] {
        rep.setText(u"lblRow"_s, QString::number(++next));
        return next <= rows;
    };
    // The preview hook gets the prepared pages, once, instead of a window.
    test::PreviewCatcher catcher;
    rep.preview();
    QCOMPARE(int(catcher.shown.size()), 1);
    const PreparedReport &out = catcher.shown[0];

    QCOMPARE(out.pageCount(), perPage.size());
    QCOMPARE(reportBefore, 1);
    QCOMPARE(headerBefore, perPage.size());
    QCOMPARE(detailBefore, rows);
    // The call that answered no filled its label, but that row was not printed.
    QCOMPARE(rep.text(u"lblRow"_s), QString::number(rows + 1));
    const qreal footerTop = rep.pageLayout().paintRect(QPageLayout::Point).bottom() - footer;
    int expected = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &page = out.pages[std::size_t(p)];
        QCOMPARE(page.textsOf(u"lblTitle"_s).size(), p == 0 ? 1 : 0);
        QCOMPARE(page.textOf(u"lblHeader"_s), u"Heading"_s);
        QCOMPARE(page.textOf(u"qrsPage"_s), u"Page %1"_s.arg(p + 1));
        QCOMPARE(page.textsOf(u"lblRow"_s).size(), perPage[p]);
        QVERIFY(page.textsOf(u"lblOff"_s).isEmpty());
        // Details run on in order and stop above the footer at the page bottom.
        for (const PageItem &item : page.items) {
            if (item.name == u"qrsPage")
                QCOMPARE(item.rect.top(), footerTop);
            if (item.name == u"lblRow") {
                QCOMPARE(item.text, QString::number(++expected));
                QVERIFY(item.rect.bottom() <= footerTop);
            }
        }
    }
    QCOMPARE(expected, rows);
}

void TestReportEngine::formats_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    // The report value formats with United States settings; rounding follows the shown decimal.
    QTest::newRow("currency negative in brackets") << fmt::currency(-1234.5) << u"($1,234.50)"_s;
    QTest::newRow("currency half to even") << fmt::currency(0.125) << u"$0.12"_s;
    QTest::newRow("currency 10 digits") << fmt::currency(123456789.876) << u"$123,456,789.90"_s;
    QTest::newRow("currency zero") << fmt::currency(-0.001) << u"$0.00"_s;
    QTest::newRow("general no binary noise") << fmt::general(0.1 + 0.2) << u"0.3"_s;
    QTest::newRow("general tiny") << fmt::general(0.000001) << u"1E-06"_s;
    QTest::newRow("general 0.00001") << fmt::general(0.00001) << u"0.00001"_s;
    QTest::newRow("general-3 7.125") << fmt::general(7.125, 3) << u"7.13"_s;
    QTest::newRow("general-5 7.125") << fmt::general(7.125, 5) << u"7.125"_s;
    QTest::newRow("general-3 9.996 carries") << fmt::general(9.996, 3) << u"10"_s;
    QTest::newRow("general-3 too long") << fmt::general(1234, 3) << u"1.23E+03"_s;
    QTest::newRow("number-3 8.75") << fmt::number(8.75, 3) << u"8.750"_s;
    QTest::newRow("number-2 10 digits")
        << fmt::number(123456789012.345, 2) << u"123,456,789,000.00"_s;
    QTest::newRow("percent general-3 20") << fmt::percent(fmt::general(20, 3)) << u"20%"_s;
}

void TestReportEngine::formats()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestReportEngine)
#include "tst_report_engine.moc"
