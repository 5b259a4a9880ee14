// The report engine and value formats; the reports filled from stand-in pages and from the
// real amortization page; print dispatch.

#include "app/Pages.h"
#include "calculators/AmortPage.h"
#include "calculators/CalculatorPage.h"
#include "engine/Drawing.h"
#include "finance/Errors.h"
#include "reports/PageFields.h"
#include "reports/Print.h"
#include "reports/Qrgfe.h"
#include "reports/Qrgrid.h"
#include "reports/ReportFields.h"
#include "reports/ValueFormats.h"
#include "tests/reports/FakePages.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

#include <cmath>
#include <stdexcept>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

namespace {

// A stand-in page from "<name> <field>=<value> ...", changed from its start figures (ECC: its
// worked example, P&I = 116800 r / (1 - (1 + r)^-360), r = 0.07 / 12; MQ: its first results).
std::unique_ptr<QWidget> pageFrom(const QString &input)
{
    QStringList edits = input.split(u' ');
    const QString name = edits.takeFirst();
    auto page = name == u"Amort" ? test::makeAmortPage(30) : test::makePage(name);
    if (name == u"ECC") {
        const double r = 0.07 / 12, pandi = 116800 * r / (1 - std::pow(1 + r, -360));
        test::addFields(
            page.get(),
            u"edtEccIncome=4000 edtEccDebt=450 edtEccAssociationFee=0 edtEccCpmi=0 "
            u"edtEccCPurchasePrice=146000 edtEccCDownPayment=29200 edtEccCEscrows=1206 "
            u"edtEccCLoanAmount=116800 edtEccCMonthlyTax=150 edtEccCMonthlyInsurance=30 "
            u"edtEccCClosingCosts=1152 edtEccCPandI=%1 edtEccCMonthlyPayment=%2"_s
                .arg(pandi, 0, 'g', 17)
                .arg(150 + 30 + pandi, 0, 'g', 17),
            u"edtEccInterest=7.000 edtEccOriginationPoints=0.000 edtEccTerm=30 "
            u"edtEccDiscountPoints=0.000 edtEccDownPaymentPercent=20.000 "
            u"edtEccCHousingRatio=24 edtEccCDebtRatio=35"_s);
        test::addFields(test::makePage(u"pnlClosing"_s, page.get()).release(),
                        u"edtOriginationFee=0 edtLOF=0 edtAF=300 edtCR=42 edtTSF=85 edtLPF=0 "
                        u"edtTIF=200 edtTS=100 edtSTT=75 edtRF=50 edtOF=300 edtSellerPaid=0"_s);
        test::addFields(test::makePage(u"pnlEscrow"_s, page.get()).release(),
                        u"edtII=336 edtPTI=450 edtHOIP=360 edtHOII=60 edtPMII=0"_s);
    } else if (name == u"MQ") {
        test::addFields(page.get(),
                        u"edtIncome1=4000 edtOIncome1=1000 edtCards1=350 edtAuto1=450 edtNotes1=50 "
                        u"edtIncome2=0 edtOIncome2=0 edtCards2=0 edtAuto2=0 edtNotes2=0 "
                        u"edtMQDownPayment=20000 edtMQPayment1=950 edtMQPayment2=950 "
                        u"edtMQPayment3=950 edtMQLoan1=142792.19 edtMQLoan2=122533.38 "
                        u"edtMQLoan3=105693.16 edtMQPurchasePrice1=162792.19 "
                        u"edtMQPurchasePrice2=142533.38 edtMQPurchasePrice3=125693.16"_s,
                        u"edtHousingRatio=28 edtDebtRatio=36 edtCalculatedHousingRatio=19 "
                        u"edtCalculatedDebtRatio=36 edtMQir1=7.125 edtMQir2=6.875 edtMQir3=6.625 "
                        u"edtMQTerm1=30 edtMQTerm2=20 edtMQTerm3=15"_s);
    }
    for (const QString &edit : edits) {
        const QString field = edit.section(u'=', 0, 0), value = edit.section(u'=', 1);
        if (auto *money = page->findChild<TNumEdit *>(field))
            money->setValue(value.toDouble());
        else
            page->findChild<QLineEdit *>(field)->setText(value);
    }
    return page;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }
    void pagination_data();
    void pagination();
    void formats_data();
    void formats();
    void amortization_data();
    void amortization();
    void print_data();
    void print();
    void readFieldsOnRealPages_data();
    void readFieldsOnRealPages();
};

void TestReports::amortization_data()
{
    QTest::addColumn<int>("rows"); // in a stand-in page's grid; -1: the real page
    QTest::addColumn<QStringList>("figures");
    QTest::newRow("360 payments") << 360 << test::kAmortFigures;
    QTest::newRow("empty grid prints no detail") << 0 << test::kAmortFigures;
    // The header copies the figures as the page shows them, separators and all.
    QTest::newRow("other separators") << 100 << u"250.000,00 €|6,125|180|2.126,55 €"_s.split(u'|');
    QTest::newRow("real page, start figures") << -1 << test::kAmortFigures;
}

void TestReports::amortization()
{
    QFETCH(int, rows);
    QFETCH(QStringList, figures);
    test::FakeHost host;
    auto *real = rows < 0 ? new AmortPage(host) : nullptr;
    const std::unique_ptr<QWidget> page(real ? real : test::makeAmortPage(rows, figures).release());
    page->show();
    if (real)
        real->enter();
    const auto *model = page->findChild<QTableView *>(u"grdAmortization"_s)->model();
    QCOMPARE(model->rowCount(), real ? 360 : rows); // the real page: 30 years of payments
    rows = model->rowCount();
    PrintDispatcher dispatcher(nullptr); // installs its preview window before the catcher
    test::PreviewCatcher catcher;
    printPage(dispatcher, page.get());
    QCOMPARE(int(catcher.shown.size()), 1);
    const PreparedReport &out = catcher.shown[0];
    QCOMPARE(out.pageCount() > 1, rows >= 100);
    const QStringList columns = u"LblPaymentNumber LblPrincipal LblInterest LblPrincipalSoFar "
                                u"LblInterestSoFar LblExtraPrincipal LblBalance"_s.split(u' ');
    int next = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &pg = out.pages[std::size_t(p)];
        // Every page: the loan figures, the headings, the footer with "Page n".
        QCOMPARE((QStringList{pg.textOf(u"lblMortgageAmt"_s), pg.textOf(u"lblIRate"_s),
                              pg.textOf(u"lblNumPmts"_s), pg.textOf(u"lblPaymentAmt"_s)}),
                 figures);
        for (const QString &heading :
             u"Payment Number|Principal|Interest|Principal Paid To Date|"
             u"Interest Paid To Date|Extra Principal|BALANCE"_s.split(u'|'))
            QVERIFY2(pg.findText(heading), qPrintable(heading));
        QCOMPARE(pg.textOf(u"qrsPageNumber"_s), u"Page %1"_s.arg(p + 1));
        QCOMPARE(pg.findText(u"Loan Amortization Schedule"_s) != nullptr, p == 0);
        // The rows run on where the previous page stopped, every cell as the grid shows it.
        const int first = next;
        next += int(pg.textsOf(columns[0]).size());
        QVERIFY(next > first || rows == 0);
        for (int c = 0; c < 7; ++c) {
            QStringList cells;
            for (int r = first; r < next; ++r)
                cells << model->index(r, c).data().toString();
            QCOMPARE(pg.textsOf(columns[c]), cells);
        }
    }
    QCOMPARE(next, rows);
}

void TestReports::print_data()
{
    QTest::addColumn<QString>("input"); // the page, fields changed from its start figures, hidden
    QTest::addColumn<QString>("label"); // "title" for the report's title, empty: nothing prints
    QTest::addColumn<QString>("expected");
    const auto add = [](const char *name, const char16_t *input, const char16_t *label,
                        const char16_t *expected) {
        QTest::newRow(name) << QString::fromUtf16(input) << QString::fromUtf16(label)
                            << QString::fromUtf16(expected);
    };
    add("amortization", u"Amort", u"title", u"Preview of Amortization Schedule");
    add("closing costs", u"ECC", u"title", u"Preview of Estimated Closing Costs");
    add("qualifier", u"MQ", u"title", u"Preview of Mortgage Qualifier");
    add("hidden notebook", u"Amort hidden", u"", u"");
    // The closing-cost page's worked example: 20 % down on 146,000, 7 % over 30 years.
    add("P&I", u"ECC", u"lblPQPandI", u"$777.07");
    add("total monthly debt", u"ECC", u"lblPQTotalDebt", u"$1,407.07");
    add("total funds to close", u"ECC", u"lblTotalFundsToClose", u"$31,558.00");
    add("down payment 12.125% general-3", u"ECC edtEccDownPaymentPercent=12.125",
        u"lblPQDownPaymentPercent", u"12.1%");
    add("rate 7.125% general-5", u"ECC edtEccInterest=7.125", u"lblPQInterest", u"7.125%");
    add("origination 1.5 points", u"ECC edtEccOriginationPoints=1.500", u"lblPQOFee",
        u"Origination Fee  1.5%");
    add("discount 0.25 points", u"ECC edtEccDiscountPoints=0.250", u"lblPQPoints",
        u"Discount Points  0.25%");
    // $957.00 and $450.00 as shown, but the sum of 957.004 and 450.004 prints $1,407.01.
    add("total debt at full precision", u"ECC edtEccCMonthlyPayment=957.004 edtEccDebt=450.004",
        u"lblPQTotalDebt", u"$1,407.01");
    add("seller pays more than the funds", u"ECC edtSellerPaid=32000", u"lblBuyerPaidTotal",
        u"($442.00)");
    // The qualifier page's start figures and first results.
    add("MQ housing ratio general", u"MQ", u"lblHousingRatio", u"28");
    add("MQ rate 7.125 percent general", u"MQ", u"lblir1", u"7.125%");
    add("MQ loan", u"MQ", u"lblMQLoan1", u"$142,792.19");
    add("a bad number stops the report", u"MQ edtMQir2=7.1.2", u"stops", u"");
}

void TestReports::print()
{
    QFETCH(QString, input);
    QFETCH(QString, label);
    QFETCH(QString, expected);
    const bool hidden = input.endsWith(u" hidden");
    auto page = pageFrom(hidden ? input.chopped(7) : input);
    page->setVisible(!hidden);
    PrintDispatcher dispatcher(nullptr); // installs its preview window before the catcher
    test::PreviewCatcher catcher;
    if (label == u"stops") {
        QVERIFY_THROWS_EXCEPTION(ConvertError, printPage(dispatcher, page.get()));
        QVERIFY(catcher.shown.empty());
        return;
    }
    printPage(dispatcher, page.get());
    QCOMPARE(canPrint(page->objectName()), !label.isEmpty() || hidden);
    QCOMPARE(int(catcher.shown.size()), label.isEmpty() ? 0 : 1);
    if (label.isEmpty())
        return;
    const PreparedReport &out = catcher.shown[0];
    QCOMPARE(out.pageCount(), 1);
    QCOMPARE(label == u"title" ? out.title : out.pages[0].textOf(label), expected);
}

// Each widget the reports read is on the real page, of the kind the table says.
void TestReports::readFieldsOnRealPages_data()
{
    QTest::addColumn<QString>("page");
    QSet<QString> listed;
    for (const ReadField &f : readFields())
        listed << QString::fromUtf16(f.page);
    for (const PageDescriptor &d : pageDescriptors()) {
        if (listed.remove(d.name))
            QTest::newRow(qPrintable(d.name)) << d.name;
    }
    QVERIFY2(listed.isEmpty(), "the table names a page that no descriptor builds");
}

void TestReports::readFieldsOnRealPages()
{
    QFETCH(QString, page);
    test::FakeHost host;
    const std::unique_ptr<CalculatorPage> real(findPage(page)->make(host));
    QCOMPARE(real->pageName(), page); // the page names itself as its descriptor does
    QStringList wrong;
    for (const ReadField &f : readFields()) {
        if (page != QStringView(f.page))
            continue;
        const QString name = QString::fromUtf16(f.name);
        const QWidget *w = real->findChild<QWidget *>(name);
        bool fits = false;
        switch (f.kind) {
        case FieldKind::Money:
            fits = qobject_cast<const TNumEdit *>(w);
            break;
        case FieldKind::Number:
            fits = qobject_cast<const TFnpNumericEdit *>(w);
            break;
        case FieldKind::MonthList:
            fits = qobject_cast<const QComboBox *>(w);
            break;
        case FieldKind::Label:
            fits = qobject_cast<const QLabel *>(w);
            break;
        case FieldKind::Table:
            fits = qobject_cast<const QAbstractItemView *>(w);
            break;
        case FieldKind::Chart:
            fits = dynamic_cast<const DrawingSource *>(w);
            break;
        case FieldKind::Panel:
            fits = w;
            break;
        }
        if (!fits)
            wrong << name;
    }
    QCOMPARE(wrong, QStringList());
    // A report cannot read past the table.
    QVERIFY_THROWS_EXCEPTION(std::logic_error, pageWidget(real.get(), u"lblHelp"_s));
}

void TestReports::pagination_data()
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

void TestReports::pagination()
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

void TestReports::formats_data()
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

void TestReports::formats()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
