// The report engine's pagination and formats; each real page's report as Print makes it (captions,
// figures, sentences, pages); the preview window with its PDF and printer output.

#include "app/Pages.h"
#include "calculators/AmortPage.h"
#include "calculators/CmpPage.h"
#include "calculators/LsPage.h"
#include "engine/PageView.h"
#include "finance/Errors.h"
#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/Preview.h"
#include "reports/Print.h"
#include "reports/QrRvb.h"
#include "reports/Qrcalc.h"
#include "reports/Qrgrid.h"
#include "reports/ValueFormats.h"
#include "tests/support/PageFixture.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

using namespace clvn;
using namespace clvn::report;
using namespace clvn::test;
using namespace Qt::StringLiterals;

namespace {

// Prints pages as Print does, each preview kept instead of shown.
struct Printer
{
    // The first page of the report that printing `page` previews.
    const PreparedPage &print(QWidget *page)
    {
        const std::size_t before = catcher.shown.size();
        printPage(dispatcher, page);
        if (catcher.shown.size() != before + 1 || catcher.shown.back().pages.empty())
            qFatal("printing %s previewed no page", qPrintable(page->objectName()));
        return catcher.shown.back().pages.front();
    }
    static QStringList texts(const PreparedPage &page, const QStringList &labels)
    {
        QStringList texts;
        for (const QString &label : labels)
            texts << page.textOf(label);
        return texts;
    }

    PrintDispatcher dispatcher{nullptr}; // installs its preview window before the catcher
    PreviewCatcher catcher;
};

// The page named `name` as the main window builds it, shown, active and entered.
std::unique_ptr<CalculatorPage> realPage(FakeHost &host, const QString &name)
{
    std::unique_ptr<CalculatorPage> page(findPage(name)->make(host));
    page->show();
    page->activateWindow();
    if (!QTest::qWaitForWindowActive(page.get()))
        qWarning("page window not active");
    page->enter();
    return page;
}

QStringList split(const QString &list)
{
    return list.isEmpty() ? QStringList() : list.split(u'|');
}

// Enters `values` in `fields`: a button clicked, a month index chosen, money set at full precision,
// "=text" set as shown (a result, or a number the page refuses), any other field typed and left.
void fill(CalculatorPage *page, const QStringList &fields, const QStringList &values)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i] == u"Reset")
            page->Reset();
        else if (auto *button = page->findChild<QAbstractButton *>(fields[i]))
            button->click();
        else if (auto *months = page->findChild<QComboBox *>(fields[i]))
            months->setCurrentIndex(values[i].toInt());
        else if (auto *money = page->findChild<TNumEdit *>(fields[i]))
            money->setValue(values[i].toDouble());
        else if (auto *edit = find<QLineEdit>(page, fields[i]); values[i].startsWith(u'='))
            edit->setText(values[i].mid(1));
        else
            type(edit, values[i]);
    }
}

// The preview window showing a report of `count` pages, one detail band filling each.
struct Window
{
    explicit Window(int count) : preview(&printer)
    {
        Report rep(u"pages"_s);
        rep.addBand(BandKind::Detail, u"D"_s, 700)
            ->addLabel(u"lbl"_s, u"A page"_s, {0, 0, 200, 20}, reportFont(12));
        rep.needData = [&count] { return count-- > 0; };
        pages = rep.prepare();
        preview.setPages(&pages);
        preview.show();
    }

    PreparedReport pages;
    QPrinter printer;
    TfrmPreview preview;

    QPushButton *button(const QString &n) const { return test::find<QPushButton>(&preview, n); }
    void click(const QString &name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString label() const { return test::find<QLabel>(&preview, u"Label1"_s)->text(); }
    QRPreview *view() const { return test::find<QRPreview>(&preview, u"QRPreview1"_s); }
    void key(const QString &keys) const { QTest::keySequence(view(), QKeySequence(keys)); }
};

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void init() { pinLocale(); }
    void pagination_data();
    void pagination();
    void formats_data();
    void formats();
    void printing_data();
    void printing();
    void schedule();
    void figures_data();
    void figures();
    void onlyTheLastBandPrinted();
    void paging_data();
    void paging();
    void zoomScrollAndReopen();
    void output_data();
    void output();
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
    rep.addBand(BandKind::PageFooter, u"Footer"_s, footer)
        ->addPageNumber(u"qrsPage"_s, u"Page "_s, {0, 0, 100, 20}, font, Qt::AlignLeft);
    rep.beforePrint = [&] { ++reportBefore; };
    rep.needData = [&] {
        rep.setText(u"lblRow"_s, QString::number(++next));
        return next <= rows;
    };
    PreviewCatcher catcher;
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
    QTest::newRow("currency half to even") << fmt::currency(0.125) << u"$0.12"_s;
    QTest::newRow("currency 10 digits") << fmt::currency(123456789.876) << u"$123,456,789.90"_s;
    QTest::newRow("currency zero") << fmt::currency(-0.001) << u"$0.00"_s;
    QTest::newRow("general no binary noise") << fmt::general(0.1 + 0.2) << u"0.3"_s;
    QTest::newRow("general tiny") << fmt::general(0.000001) << u"1E-06"_s;
    QTest::newRow("general 0.00001") << fmt::general(0.00001) << u"0.00001"_s;
    QTest::newRow("general-3 9.996 carries") << fmt::general(9.996, 3) << u"10"_s;
    QTest::newRow("general-3 too long") << fmt::general(1234, 3) << u"1.23E+03"_s;
    QTest::newRow("number-2 10 digits")
        << fmt::number(123456789012.345, 2) << u"123,456,789,000.00"_s;
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
    add(u"ARM"_s, u"Adjustable Rate"_s, true, u"Adjustable Rate"_s);
    add(u"LEC"_s, u"Check a Loan Estimate"_s, true, u"Check a Loan Estimate"_s);
    add(u"Menu"_s, {}, false, {});
}

// Each page's report: titles, page count, only listed fields read; a hidden page prints nothing; a
// field that is no number stops the print before any label changes (a later one read fine).
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
    FakeHost host;
    const auto real = realPage(host, page);
    QCOMPARE(real->pageName(), page);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, pageWidget(real.get(), u"lblHelp"_s));
    Printer printer;
    // The case's notes print under the heading.
    report::setCaseNotes(u"J. Smith"_s);
    const PreparedPage &first = printer.print(real.get());
    report::setCaseNotes({});
    QTEST(first.textOf(u"lblTitle"_s), "heading");
    QCOMPARE(first.textOf(u"lblCaseNotes"_s), u"J. Smith"_s);
    QCOMPARE(printer.catcher.shown[0].title, u"Preview of "_s + report);
    QCOMPARE(printer.catcher.captions,
             QStringList{(preparing ? u"Preparing "_s : u"Preview of "_s) + report});
    QCOMPARE(printer.catcher.shown[0].pageCount(), page == u"Amort" ? 7 : 1);
    real->hide();
    printPage(printer.dispatcher, real.get());
    real->show();
    if (!field.isEmpty()) {
        find<QLineEdit>(real.get(), field)->setText(text);
        if (page == u"RVB")
            find<QLineEdit>(real.get(), u"edtRVBTerm"_s)->setText(u"9"_s);
        if (page == u"RC")
            find<QLineEdit>(real.get(), u"edtNewTerm"_s)->setText(u"12"_s);
        QVERIFY_THROWS_EXCEPTION(ConvertError, printPage(printer.dispatcher, real.get()));
    }
    QCOMPARE(int(printer.catcher.shown.size()), 1);
    QCOMPARE(printer.dispatcher.rentVsBuy().Rep().text(u"lblRVBTerm"_s),
             page == u"RVB" ? u"5"_s : QString());
    QCOMPARE(printer.dispatcher.calcs().Rep().text(u"qrEdtNewTerm"_s),
             page == u"RC" ? u"240"_s : QString());
}

// Every page: the loan figures as shown, the headings, "Page n"; the rows run on, as in the grid.
void TestReports::schedule()
{
    PageFixture<AmortPage> f;
    const auto *model = f.get<QAbstractItemView>(u"grdAmortization"_s)->model();
    Printer printer;
    printer.print(f.page.get());
    const PreparedReport &out = printer.catcher.shown[0];
    const QStringList columns = u"LblPaymentNumber LblPrincipal LblInterest LblPrincipalSoFar "
                                u"LblInterestSoFar LblExtraPrincipal LblBalance"_s.split(u' ');
    int next = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &pg = out.pages[std::size_t(p)];
        QCOMPARE(Printer::texts(
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
    // No insurance, no block: page 1's header sits only the title's height below later pages'.
    const auto headerTop = [&out](std::size_t page) {
        return std::ranges::find(out.pages[page].items, u"HeaderRule1"_s, &PageItem::name)
            ->rect.y();
    };
    QCOMPARE(headerTop(0) - headerTop(1),
             printer.dispatcher.amortization().Rep().band(u"TitleBand"_s)->height());
}

void TestReports::figures_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("fields"); // entered in order, see fill
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("labels"); // none: `texts` is a run of the page's texts
    QTest::addColumn<QStringList>("texts");
    const auto add = [](const char *row, const QString &page, const QString &fields,
                        const QString &values, const QString &labels, QString texts,
                        const QString &locale = u"en_US"_s) {
        if (locale == u"de_DE") // "$" stands for a space and the euro sign
            texts.replace(u"$"_s, u"\u00A0\u20AC"_s);
        QTest::newRow(row) << page << locale << split(fields) << split(values) << split(labels)
                           << split(texts);
    };
    // The closing-cost page's start: 20 % down on 146,000, 7 % over 30 years.
    add("closing costs", u"ECC"_s, {}, {},
        u"lblPQPandI|lblPQTotalDebt|lblTotalFundsToClose|lblPQTerm|lblPQHousingRatio|"
        u"lblPQDebtRatio"_s,
        u"$777.07|$1,407.07|$31,558.00|30|24%|35%"_s);
    add("closing costs: percents general-3 and -5", u"ECC"_s,
        u"edtEccDownPaymentPercent|edtEccInterest|edtEccOriginationPoints|edtEccDiscountPoints"_s,
        u"12.125|7.125|1.5|0.25"_s,
        u"lblPQDownPaymentPercent|lblPQInterest|lblPQOFee|lblPQPoints"_s,
        u"12.1%|7.125%|Origination Fee  1.5%|Discount Points  0.25%"_s);
    // $957.00 and $450.00 as shown, but the sum of 957.004 and 450.004 prints $1,407.01.
    add("closing costs: total debt at full precision", u"ECC"_s,
        u"edtEccCMonthlyPayment|edtEccDebt"_s, u"957.004|450.004"_s, u"lblPQTotalDebt"_s,
        u"$1,407.01"_s);
    add("qualifier", u"MQ"_s, u"edtHousingRatio"_s, u"28"_s,
        u"lblHousingRatio|lblir1|lblterm2|lblMQLoan1"_s, u"28|7%|20|$142,792.19"_s);
    // The chart's header says what the grid holds; the payment as typed (figures: see tst_ls).
    add("loan spread: payments", u"LS"_s, {}, {}, {},
        u"Chart of Monthly Payments|Loan Amount:|$100,000.00|Interest Rate:|8.75%|Term:|"
        u"360 months|Total Interest Paid:|$183,212.15|Total Amount Paid:|$283,212.15|"
        u"Loan Amounts incremented by $1000|Interest Rates incremented by 1/2%| Loan / Rate"_s);
    add("loan spread: loan amounts", u"LS"_s, u"edtPayment|rgCalculateItem1"_s, u"786.7|"_s, {},
        u"Chart of Loan Amounts|Term:|360 months|Interest Rate:|8.75%|Payment:|$786.70|"
        u"Total Interest Paid:|$183,212.05|Total Amount Paid:|$283,212.00|"
        u"Payment Amounts incremented by $75|Interest Rates incremented by 1/2%| Pmt / Rate"_s);
    add("loan spread: interest rates", u"LS"_s, u"edtPayment|rgCalculateItem2"_s, u"786.7|"_s, {},
        u"Chart of Interest Rates|Loan Amount:|$100,000.00|Payment:|$786.70|Term:|360 months|"
        u"Total Interest Paid:|$183,212.00|Total Amount Paid:|$283,212.00|"
        u"Loan Amounts incremented by $1000|Payment Amounts incremented by $75| Loan / Pmt"_s);
    add("loan spread: terms", u"LS"_s, u"edtPayment|rgCalculateItem3"_s, u"786.7|"_s, {},
        u"Chart of Terms in Months|Loan Amount:|$100,000.00|Interest Rate:|8.75%|Payment:|"
        u"$786.70|Total Interest Paid:|$183,212.71|Total Amount Paid:|$283,212.71|"
        u"Loan Amounts incremented by $1000|Payment Amounts incremented by $75| Loan / Pmt"_s);
    // Never calculated: the page's start values as they stand, under their captions.
    add("refinancing", u"RC"_s, {}, {}, {},
        u"Original Loan|Current Balance|$100,000.00|Term in Months|360|Interest Rate|8.75%|"
        u"Payments Made|0|Payment|$786.70|New Loan|New Balance|$100,000.00|Term in Months|240|"
        u"Interest Rate|7.25%|Closing Costs|$0.00|Payment|$790.38|Savings from Refinancing|"
        u"If you sell in 240 months, your new loan will save you money as indicated below.|"
        u"Payments Remaining on Original Loan|360|Months Until You Plan To Sell|240|"
        u"Monthly Payment Savings|($3.68)|Total Monthly Payment Savings|($882.14)|"
        u"Equity in Old Loan|$37,228.05|Equity in New Loan|$100,000.00|Total Equity Savings|"
        u"$62,771.95|TOTAL SAVED|$61,889.81"_s);
    // The sentence shows the months counted; the row shows the months typed.
    add("refinancing: sale after the new term", u"RC"_s,
        u"edtRefiClosingCosts|edtMonthsUntilSell|edtNewInterestRate"_s, u"1234.5|300|7.125"_s,
        u"qrlblWhenYouSell|qrEdtMonthsUntilSell|qrEdtNewInterestRate|qrEdtRefiClosingCosts"_s,
        u"If you sell in 240 months, your new loan will save you money as indicated below.|300|"
        u"7.125%|$1,234.50"_s);
    // The defaults' results: the same steps in 40-digit decimal arithmetic.
    add("rent vs buy: German figures", u"RVB"_s, u"edtRVBTerm"_s, u"5"_s, {},
        u"Current Monthly Rent:|950,00$|Estimated Annual Rent Increase Percentage:|3,5%|"
        u"Years Before You Will Move:|5|Total You Will Spend on Rent:|61.132,11$|"
        u"Cash Available for Downpayment:|5.000,00$|Estimated Annual Return if Invested:|4,5%|"
        u"Value of Investment:|6.258,98$|Interest Rate of Home Loan:|7%|"
        u"Term of Home Loan in Years:|30|"
        u"Price of Home You Can Afford at Your Current Rent Payment:|147.793,00$|"
        u"Personal Income Tax Rate % (Include Federal + State):|33%|"
        u"Annual Real Estate Tax Rate:|1,2%|Total of Interest Tax Deductions:|20.304,28$|"
        u"Property Appreciation Rate:|7%|Appreciation of Property:|57.481,24$|"
        u"Estimated Annual Home Maintenance Expenses:|500,00$|"
        u"Estimated Selling Costs as a Percentage of House Value:|7%|"
        u"Effective Gain of Owning:|8.870,38$|Actual Cost of Renting:|-59.873,13$|"
        u"Effective Gain of Owning vs. Renting:|68.743,51$"_s,
        u"de_DE"_s);
    add("rent vs buy: percents general-3", u"RVB"_s,
        u"edtRVBInterestRate|edtRVBPropertyAppreciation|edtRVBRentIncrease"_s, u"7.125|8.5|12.25"_s,
        u"lblRVBInterestRate|lblRVBPropertyAppreciation|lblRVBRentIncrease"_s,
        u"7.13%|8.5%|12.3%"_s);
    // The page's worked example: the stored loan, 100,000 at 8.75 % over 360.
    add("biweekly: German figures", u"BW"_s, u"EdtMortgagePeriods"_s, u"360"_s, {},
        u"Your Mortgage Variables|Loan Amount|100.000,00$|Interest Rate|8,75|Number of|Payments|"
        u"360|Your Monthly Payment Information|Monthly Payment|786,70$|Total Paid|283.212,00$|"
        u"Interest|Paid|183.212,00$|Your Biweekly Payment Information|Biweekly|Payment Amount|"
        u"393,35$|Total Paid|226.540,72$|Interest|Paid|126.540,72$|"
        u"Your Savings in Time and Interest by Making Biweekly Payments|Months Saved|94,19|"
        u"Years Saved|7,85|Interest|Saved|56.671,28$"_s,
        u"de_DE"_s);
    add("biweekly: months and years general-4", u"BW"_s, u"EdtTimeSavedMonths|EdtTimeSavedYears"_s,
        u"=123.46|=10.29"_s, u"lblMonths|lblYears"_s, u"123.5|10.29"_s);
    // Negative amounts in parentheses; a general-10 percent; the $1,000 penalty counts unshown.
    add("seller's proceeds: loans above the price", u"HSP"_s,
        u"edtHSPFirstLoanBalance|edtHSPSecondLoanBalance|cbHSPClosingMonth|"
        u"edtHSPOtherFees|edtHSPTransferTaxPercent"_s,
        u"90000|15000|11|0.5|1.125"_s, {},
        u"Before selling a home, the primary question for the seller is, \"What will I have when "
        u"the deal is complete?\"|This is an estimate of the Net Gain after the costs of selling "
        u"a home have been subtracted from the Sales Price.|What's the Net Gain After the Sale?|"
        u"House Sales Price:|$100,000.00|First Loan Balance:|$90,000.00|Second Loan Balance:|"
        u"$15,000.00|Other Loans:|$0.00|Estimated Closing Month:|December|"
        u"Annual Property Taxes:|$580.00|Property Taxes Paid:|$580.00|Transfer Taxes:|1.125%|"
        u"Transfer Taxes Paid:|$1,125.00|Sales Commission:|$5,000.00|Other Sales Commission:|"
        u"$0.00|Other Fees:|$0.50|COSTS:|$112,705.50|NET GAIN:|($12,705.50)"_s);
    // The table as shown (hidden offers absent; the best figure bold), the sentence, the chart.
    add("loan offers", u"CMP"_s, u"edtCmpLender2"_s, u"Bank"_s,
        u"lblCmpHomeValue|lblCmpHead0|lblCmpHead1|lblCmpHead2|lblCmpCaption2|lblCmpCell2_0|"
        u"lblCmpCell2_1|lblCmpCell9_1|lblCmpCell2_2|lblCmpBreakEven|chtCompareMark|chtCompareLegend"_s,
        u"Home value, for when mortgage insurance ends: $320,000.00|Offer "
        u"A|Bank||APR|6.924%|6.685%|"
        u"$7,700.00||Bank costs $4,200.00 more at closing and pays for itself after payment 45.|45|"
        u"Offer A"_s);
    // An offer added then removed leaves nothing of its column, though the grid keeps its figures.
    add("loan offers: one added and removed", u"CMP"_s, u"btnCmpAddOffer|btnCmpRemoveOffer"_s,
        u"|"_s, u"lblCmpHead1|lblCmpHead2|lblCmpCell0_2|lblCmpCell10_2"_s, u"Offer B|||"_s);
    // Figures of an independent schedule (tst_ppc); a row's last choice leaves what was calculated.
    const QString range = u"rbtnRangePmts|edtPPCFromPmt|edtPPCToPmt|edtPPCInterest|rbtnOnePmt"_s;
    add("prepayment: German figures", u"PPC"_s, range, u"|12|24|8.75|"_s, {},
        u"Based upon your prepayment amount of |100,00$, applied to payments 12 through 24,|"
        u"your mortgage details will be changed as indicated below.|Loan Information|"
        u"Amount Borrowed|100.000,00$|Interest Rate|8,750%|Term in Months|360|"
        u"Annual Property Taxes|1.200,00$|Annual Insurance|580,00$|Annual PMI Premiums|600,00$|"
        u"Monthly Payment (P&I)|786,70$|Regular Payment Amount|with Taxes and Insurance|"
        u"985,03$|Total Interest Paid Over Term|183.212,97$|Total Interest and Principal|"
        u"283.212,97$|Prepayment Results|New Monthly Payment|886,70$|New Payment Amount|"
        u"with Taxes and Insurance|1.085,03$|New Interest Over Term|169.887,56$|"
        u"Total Interest and Principal|269.887,56$|New Term in Months|342|"
        u"Amount Saved by Prepaying|13.325,41$"_s,
        u"de_DE"_s);
    add("prepayment: all payments, rate 8.5", u"PPC"_s,
        u"rbtnAllPmts|edtPPCInterest|rbtnRangePmts"_s, u"|8.5|"_s,
        u"qrlblPrepayDetails|qrlblInterestRate"_s, u"$100.00, applied to all payments,|8.500%"_s);
    add("prepayment: single payment", u"PPC"_s,
        u"rbtnOnePmt|edtPPCFromPmt|edtPPCExtraAmount|rbtnAllPmts"_s, u"|1|99000|"_s,
        u"qrlblPrepayDetails|qrlblNewTerm"_s, u"$99,000.00, applied to payment 1,|3"_s);
    // A range that ends where it starts, or before, pays its first payment alone.
    add("prepayment: range ending before it starts", u"PPC"_s, range, u"|24|12|8.75|"_s,
        u"qrlblPrepayDetails"_s, u"$100.00, applied to payment 24,"_s);
    add("prepayment: range of one payment", u"PPC"_s, range, u"|5|5|8.75|"_s,
        u"qrlblPrepayDetails"_s, u"$100.00, applied to payment 5,"_s);
    // Nothing applied: the sentence says why (a number outside the schedule set as another page
    // may).
    const QString none = u"qrlblPrepayDetails"_s;
    add("prepayment: after reset", u"PPC"_s, u"rbtnOnePmt|edtPPCFromPmt|edtPPCInterest|Reset"_s,
        u"|12|8.75|"_s, none, u"$0.00, since no prepayment has been calculated,"_s);
    add("prepayment: after clear", u"PPC"_s, u"rbtnAllPmts|edtPPCInterest|btnPPCClear"_s,
        u"|8.75|"_s, none, u"$0.00, since the prepayments were cleared,"_s);
    add("prepayment: no payment 0", u"PPC"_s, u"rbtnOnePmt|edtPPCFromPmt|edtPPCInterest"_s,
        u"|=0|8.75"_s, none, u"$0.00, since there is no payment 0,"_s);
    add("prepayment: payment past the last", u"PPC"_s, u"rbtnOnePmt|edtPPCFromPmt|edtPPCInterest"_s,
        u"|=361|8.75"_s, none, u"$0.00, since payment 361 is past the last payment (360),"_s);
    add("prepayment: range starting past the last", u"PPC"_s, range, u"|=400|=500|8.75|"_s, none,
        u"$0.00, since the range starts at payment 400, past the last payment (360),"_s);
    add("prepayment: range starting at 0", u"PPC"_s, range, u"|=0|=12|8.75|"_s, none,
        u"$0.00, since the range starts at payment 0, which does not exist,"_s);
}

void TestReports::figures()
{
    QFETCH(QString, page);
    QFETCH(QString, locale);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, values);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, texts);
    QLocale::setDefault(QLocale(locale));
    FakeHost host;
    const auto real = realPage(host, page);
    const MessageBoxCatcher boxes; // a payment number outside the schedule is reported
    fill(real.get(), fields, values);
    Printer printer;
    const PreparedPage &p = printer.print(real.get());
    const QStringList all = p.texts(); // in drawing order
    QCOMPARE(labels.isEmpty() ? all.mid(all.indexOf(texts[0]), texts.size())
                              : Printer::texts(p, labels),
             texts);
    for (const PageItem &i : p.items) // every text fits the width it was given
        if (i.kind == PageItem::Kind::Text)
            QVERIFY2(textWidth(i.font, i.text) <= i.rect.width() + 0.01, qPrintable(i.name));
    if (auto *spread = qobject_cast<LsPage *>(real.get())) // each cell as the grid shows it
        for (int c = 0; c < LsPage::GridColumns; ++c) {
            QStringList column;
            for (int r = 0; r < LsPage::GridRows; ++r)
                column << spread->grid()->item(r, c)->text();
            QCOMPARE(p.textsOf(u"lblColumn%1"_s.arg(c + 1)), column);
        }
    const auto bold = [&p](const QString &name) {
        return std::ranges::find(p.items, name, &PageItem::name)->font.bold();
    };
    QVERIFY(page != u"CMP" || (bold(u"lblCmpCell2_1"_s) && !bold(u"lblCmpCell2_0"_s)));
    for (int r = 0; page == u"CMP" && r < CmpPage::RowCount; ++r) // every caption, the last too
        QCOMPARE(p.textOf(u"lblCmpCaption%1"_s.arg(r)), CmpPage::rowCaptions()[r]);
    if (const PageItem *opening = p.findText(u"Based upon your prepayment amount of "_s))
        QCOMPARE(p.findText(p.textOf(u"qrlblPrepayDetails"_s))->rect.topLeft(), // on its line
                 opening->rect.topRight());
}

// One layout serves three pages: only the band of the page printed last shows.
void TestReports::onlyTheLastBandPrinted()
{
    const QStringList bands = {u"TOTAL SAVED"_s, u"Your Personal Financial Variables"_s,
                               u"Your Biweekly Payment Information"_s};
    FakeHost host;
    Printer printer;
    for (const auto &[page, band] :
         {std::pair{u"MQ"_s, 1}, {u"RC"_s, 0}, {u"MQ"_s, 1}, {u"BW"_s, 2}}) {
        const auto real = realPage(host, page);
        const PreparedPage &printed = printer.print(real.get());
        for (int b = 0; b < 3; ++b)
            QCOMPARE(printed.findText(bands[b]) != nullptr, b == band);
    }
}

void TestReports::paging_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("input"); // a button's name or keys
    QTest::addColumn<int>("page");
    QTest::newRow("one page: Next does nothing") << 1 << 1 << u"bbNext"_s << 1;
    QTest::newRow("Next twice to page 3") << 3 << 2 << u"bbNext"_s << 3;
    QTest::newRow("Previous") << 3 << 3 << u"bbPrev"_s << 2;
    QTest::newRow("Home to page 1") << 3 << 3 << u"Home"_s << 1;
    QTest::newRow("PgDn one page") << 3 << 1 << u"PgDown"_s << 2;
    QTest::newRow("Ctrl+PgUp to page 1") << 3 << 3 << u"Ctrl+PgUp"_s << 1;
    QTest::newRow("Ctrl+Shift+PgUp is not Ctrl") << 3 << 3 << u"Ctrl+Shift+PgUp"_s << 3;
}

void TestReports::paging()
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

// Zoom and fit; arrows scroll; closed and shown again, the preview is back at page 1's top.
void TestReports::zoomScrollAndReopen()
{
    Window w(3);
    QVERIFY(QTest::qWaitForWindowExposed(&w.preview));
    QRPreview *view = w.view();
    auto enabled = [&w] { // Zoom Out, 100 %, Zoom In
        return QList<bool>{w.button(u"bbZoomOut"_s)->isEnabled(),
                           w.button(u"bbZoom100"_s)->isEnabled(),
                           w.button(u"bbZoomIn"_s)->isEnabled()};
    };
    auto shown = [&](qreal pt) { return pt * view->logicalDpiX() / 72.0 * view->zoom() / 100.0; };
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
    w.preview.resize(500, 400);
    QScrollBar *v = view->verticalScrollBar(), *h = view->horizontalScrollBar();
    for (const QString &key : {u"End"_s, u"Down"_s, u"Down"_s, u"Up"_s, u"Left"_s, u"Right"_s})
        w.key(key);
    // Arrows scroll by 50 within the range and leave the page alone.
    QCOMPARE((QList<int>{view->pageNumber(), v->value(), h->value()}), (QList<int>{3, 50, 50}));
    w.click(u"bbClose"_s);
    QVERIFY(!w.preview.isVisible());
    w.preview.show();
    QCOMPARE(w.label(), u"Page 1 of 3"_s);
    QCOMPARE((QList<int>{view->pageNumber(), v->value(), h->value()}), (QList<int>{1, 0, 0}));
    QVERIFY(!w.button(u"bbPrev"_s)->isEnabled() && w.button(u"bbNext"_s)->isEnabled());
}

void TestReports::output_data()
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

void TestReports::output()
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
    QStringList errors; // as the main window would show them
    setExceptionHandler([&errors](std::exception_ptr e) { errors << failureMessage(e); });
    if (printer == u"fails")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u".*"_s));
    MessageBoxCatcher catcher{QMessageBox::StandardButton(answer)};
    w.click(button);
    setExceptionHandler({});
    QCOMPARE(catcher.texts(),
             answer ? QStringList{u"No printer is set up on this computer, so the report cannot "
                                  u"be printed.\n\rDo you want to save it as a PDF file instead?"_s}
                    : QStringList());
    QCOMPARE(errors, printer == u"fails" ? QStringList{kUnidentified} : QStringList());
    // ".pdf" is added to a name without it; "/Type /Page" per page, not the tree's "/Pages".
    for (const QString &name : {u"schedule.pdf"_s, u"printed.pdf"_s}) {
        const QString pdf = QString::fromLatin1(test::readBytes(dir.filePath(name)));
        QCOMPARE(pdf.startsWith(u"%PDF-")
                     ? pdf.count(QRegularExpression(u"/Type\\s*/Page(?![s\\w])"_s))
                     : -1,
                 name == written ? 3 : -1);
    }
    QCOMPARE(w.preview.isVisible(), open);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
