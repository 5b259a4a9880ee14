// The report engine's pagination and value formats; every page's report titles, what stops
// its print; the schedule against the real page; the fields the reports read.

#include "calculators/AmortPage.h"
#include "engine/Drawing.h"
#include "finance/Errors.h"
#include "reports/PageFields.h"
#include "reports/QrRvb.h"
#include "reports/Qrcalc.h"
#include "reports/ReportFields.h"
#include "reports/ValueFormats.h"
#include "tests/reports/FakePages.h"
#include "widgets/FnpNumericEdit.h"

#include <QAbstractItemView>
#include <QLabel>

#include <stdexcept>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::pinLocale(); }
    void pagination_data();
    void pagination();
    void formats_data();
    void formats();
    void printing_data();
    void printing();
    void schedule();
};

void TestReports::pagination_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("perPage");
    // Page 1 holds (720 - 40 - 30 - 30) / 20 = 31 details, later pages (720 - 30 - 30) / 20 = 33.
    QTest::newRow("no data prints no detail") << 0 << QList<int>{0};
    QTest::newRow("page 1 exactly full") << 31 << QList<int>{31};
    QTest::newRow("one over page 1") << 32 << QList<int>{31, 1};
    QTest::newRow("third page starts") << 65 << QList<int>{31, 33, 1};
}

void TestReports::pagination()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, perPage);
    // Band heights in points; Letter with half-inch margins leaves 720 points.
    const qreal footer = 30;
    const QFont font = reportFont(9);
    int reportBefore = 0, headerBefore = 0, detailBefore = 0, next = 0;
    Report rep(u"test"_s);
    rep.addBand(BandKind::Title, u"Title"_s, 40)->addLabel(u"lblTitle"_s, u"T"_s, {}, font);
    rep.addBand(BandKind::PageHeader, u"Header"_s, 30)->addLabel(u"lblHead"_s, u"H"_s, {}, font);
    rep.band(u"Header"_s)->beforePrint = [&] { ++headerBefore; };
    rep.addBand(BandKind::Detail, u"Detail"_s, 20)
        ->addLabel(u"lblRow"_s, QString(), {0, 0, 100, 20}, font);
    rep.band(u"Detail"_s)->beforePrint = [&] { ++detailBefore; };
    rep.addBand(BandKind::Detail, u"Off"_s, 20)->addLabel(u"lblOff"_s, u"Off"_s, {}, font);
    rep.band(u"Off"_s)->setEnabled(false); // a disabled band never prints
    rep.addBand(BandKind::PageFooter, u"Footer"_s, footer)
        ->addPageNumber(u"qrsPage"_s, u"Page "_s, {0, 0, 100, 20}, font, Qt::AlignLeft);
    rep.beforePrint = [&] { ++reportBefore; };
    rep.needData = [&] {
        rep.setText(u"lblRow"_s, QString::number(++next));
        return next <= rows;
    };
    test::Printer catcher;
    rep.preview();
    QCOMPARE(int(catcher.shown.size()), 1);
    const PreparedReport &out = catcher.shown[0];
    QCOMPARE(out.pageCount(), perPage.size());
    QCOMPARE((QList<int>{reportBefore, headerBefore, detailBefore}),
             (QList<int>{1, int(perPage.size()), rows}));
    const qreal footerTop = rep.pageLayout().paintRect(QPageLayout::Point).bottom() - footer;
    int expected = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &page = out.pages[std::size_t(p)];
        QCOMPARE(page.textsOf(u"lblTitle"_s).size(), p == 0 ? 1 : 0);
        QCOMPARE(page.textOf(u"lblHead"_s), u"H"_s);
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

void TestReports::formats_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    // United States settings; rounding follows the shown decimal.
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

void TestReports::formats()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

void TestReports::printing_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("report"); // the preview is "Preview of" it; empty: no report
    QTest::addColumn<bool>("preparing"); // the progress says "Preparing", else "Preview of"
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("field"); // given `text`, no number, stops the print
    QTest::addColumn<QString>("text");
    const auto add = [](const QString &page, const QString &report, bool preparing,
                        const QString &heading, const QString &field = {},
                        const QString &text = {}) {
        QTest::newRow(qPrintable(page)) << page << report << preparing << heading << field << text;
    };
    add(u"QC"_s, {}, false, {});
    add(u"MQ"_s, u"Mortgage Qualifier"_s, false, u"Mortgage Qualifier"_s, u"edtMQir2"_s,
        u"7.1.2"_s);
    add(u"LS"_s, u"Loan Spread Calculations"_s, true, u"Chart of Monthly Payments"_s,
        u"EdtInterest"_s);
    add(u"Amort"_s, u"Amortization Schedule"_s, true, u"Loan Amortization Schedule"_s);
    add(u"ECC"_s, u"Estimated Closing Costs"_s, false, u"Estimated Closing Costs"_s);
    add(u"RC"_s, u"Refinancing"_s, false, u"Refinancing"_s, u"edtOldTerm"_s, u"36o"_s);
    add(u"RVB"_s, u"Rent vs. Buy Worksheet"_s, false, u"Rent vs. Buy Comparison"_s,
        u"edtRVBIncomeTax"_s, u"-"_s);
    add(u"BW"_s, u"Biweekly Mortgage Payments"_s, false, u"Biweekly Mortgage Payments"_s);
    add(u"PPC"_s, u"Mortgage Prepayment Results"_s, true, u"Mortgage Prepayment Results"_s);
    add(u"HSP"_s, u"Home Seller Proceeds"_s, true, u"Home Seller's Proceeds"_s,
        u"edtHSPTransferTaxPercent"_s);
    add(u"CMP"_s, u"Compare Loan Offers"_s, true, u"Compare Loan Offers"_s);
    add(u"Menu"_s, {}, false, {});
}

// Each page's report: the fields it reads, its titles and page count; a hidden page prints
// nothing; a field that is no number stops the print before any label changes (a later field
// read fine).
void TestReports::printing()
{
    QFETCH(QString, page);
    QFETCH(QString, report);
    QFETCH(bool, preparing);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QCOMPARE(canPrint(page), !report.isEmpty());
    if (report.isEmpty())
        return;
    test::FakeHost host;
    const auto real = test::realPage(host, page);
    QCOMPARE(real->pageName(), page);
    for (const ReadField &f : readFields()) { // on the page, of the kind the table says
        const QWidget *w = real->findChild<QWidget *>(QString::fromUtf16(f.name));
        const void *const fits[] = {qobject_cast<const TNumEdit *>(w),
                                    qobject_cast<const TFnpNumericEdit *>(w),
                                    qobject_cast<const QComboBox *>(w),
                                    qobject_cast<const QLabel *>(w),
                                    qobject_cast<const QAbstractItemView *>(w),
                                    dynamic_cast<const DrawingSource *>(w),
                                    w};
        QVERIFY2(page != QStringView(f.page) || fits[int(f.kind)],
                 qPrintable(QString::fromUtf16(f.name)));
    }
    QVERIFY_THROWS_EXCEPTION(std::logic_error, pageWidget(real.get(), u"lblHelp"_s));
    test::Printer printer;
    QTEST(printer.print(real.get()).textOf(u"lblTitle"_s), "heading");
    QCOMPARE(printer.shown[0].title, u"Preview of "_s + report);
    QCOMPARE(printer.captions,
             QStringList{(preparing ? u"Preparing "_s : u"Preview of "_s) + report});
    QCOMPARE(printer.shown[0].pageCount(), page == u"Amort" ? 7 : 1);
    real->hide();
    printPage(printer.dispatcher, real.get());
    real->show();
    if (!field.isEmpty()) {
        test::find<QLineEdit>(real.get(), field)->setText(text);
        if (page == u"RVB")
            test::find<QLineEdit>(real.get(), u"edtRVBTerm"_s)->setText(u"9"_s);
        if (page == u"RC")
            test::find<QLineEdit>(real.get(), u"edtNewTerm"_s)->setText(u"12"_s);
        QVERIFY_THROWS_EXCEPTION(ConvertError, printPage(printer.dispatcher, real.get()));
    }
    QCOMPARE(int(printer.shown.size()), 1);
    QCOMPARE(printer.dispatcher.rentVsBuy().Rep().text(u"lblRVBTerm"_s),
             page == u"RVB" ? u"5"_s : QString());
    QCOMPARE(printer.dispatcher.calcs().Rep().text(u"qrEdtNewTerm"_s),
             page == u"RC" ? u"240"_s : QString());
}

// Every page shows the loan figures as the page shows them, the headings and
// "Page n"; the rows run on from page to page, every cell as the grid shows it.
void TestReports::schedule()
{
    test::PageFixture<AmortPage> f;
    const auto *model = f.get<QAbstractItemView>(u"grdAmortization"_s)->model();
    test::Printer printer;
    printer.print(f.page.get());
    const PreparedReport &out = printer.shown[0];
    const QStringList columns = u"LblPaymentNumber LblPrincipal LblInterest LblPrincipalSoFar "
                                u"LblInterestSoFar LblExtraPrincipal LblBalance"_s.split(u' ');
    int next = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &pg = out.pages[std::size_t(p)];
        QCOMPARE(test::Printer::texts(
                     pg, {u"lblMortgageAmt"_s, u"lblIRate"_s, u"lblNumPmts"_s, u"lblPaymentAmt"_s}),
                 (QStringList{u"$100,000.00"_s, u"8.750"_s, u"360"_s, u"$786.70"_s}));
        for (const QString &heading :
             u"Payment Number|Principal|Interest|Principal Paid To Date|"
             u"Interest Paid To Date|Extra Principal|BALANCE"_s.split(u'|'))
            QVERIFY2(pg.findText(heading), qPrintable(heading));
        QCOMPARE(pg.textOf(u"qrsPageNumber"_s), u"Page %1"_s.arg(p + 1));
        QCOMPARE(pg.findText(u"Loan Amortization Schedule"_s) != nullptr, p == 0);
        const int first = next;
        next += int(pg.textsOf(columns[0]).size());
        QVERIFY(next > first);
        for (int c = 0; c < 7; ++c) {
            QStringList cells;
            for (int r = first; r < next; ++r)
                cells << model->index(r, c).data().toString();
            QCOMPARE(pg.textsOf(columns[c]), cells);
        }
    }
    QCOMPARE(next, 360);
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
