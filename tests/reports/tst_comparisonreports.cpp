// The reports laid out beyond rows of figures, printed from the real pages: the calculation
// report's bands, the loan spread chart, the rent-versus-buy and seller's proceeds worksheets
// and the loan offers.

#include "calculators/CmpPage.h"
#include "calculators/HspPage.h"
#include "calculators/LsPage.h"
#include "calculators/RvbPage.h"
#include "reports/QrRvb.h"
#include "tests/reports/FakePages.h"

#include <QRadioButton>
#include <QTableWidget>

using namespace clvn;
using namespace clvn::report;
using namespace clvn::test;
using namespace Qt::StringLiterals;

namespace {

const PageItem &item(const PreparedPage &page, const QString &name)
{
    const auto found = std::find_if(page.items.begin(), page.items.end(),
                                    [&](const PageItem &i) { return i.name == name; });
    if (found == page.items.end())
        qFatal("no item %s", qPrintable(name));
    return *found;
}

} // namespace

class TestComparisonReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { pinLocale(); }
    void onlyTheLastBandPrinted();
    void chart_data();
    void chart();
    void worksheetRowsLineUp();
    void sellersProceedsLayout();
    void loanOffers();
};

// One layout serves three pages: only the band of the page printed last shows.
void TestComparisonReports::onlyTheLastBandPrinted()
{
    const QStringList bands = {u"TOTAL SAVED"_s, u"Your Personal Financial Variables"_s,
                               u"Your Biweekly Payment Information"_s};
    FakeHost host;
    Printer printer;
    for (const auto &[page, band] :
         {std::pair{u"MQ"_s, 1}, {u"RC"_s, 0}, {u"MQ"_s, 1}, {u"BW"_s, 2}}) {
        const auto real = realPage(host, page);
        const PreparedPage &printed = printer.print(real.get());
        QStringList shown;
        for (const QString &text : bands)
            if (printed.findText(text))
                shown << text;
        QCOMPARE(shown, QStringList{bands[band]});
    }
}

void TestComparisonReports::chart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("header"); // lblTitle lbl1 lblOne lbl2 lblTwo lbl3 lblThree
    QTest::addColumn<QStringList>("axes");   // lblX lblY, the grid's corner and centre
    const auto add = [](const char *row, int mode, const QString &header, const QString &axes) {
        QTest::newRow(row) << mode << split(header) << split(axes);
    };
    add("payments", 0,
        u"Chart of Monthly Payments|Loan Amount:|$100,000.00|Interest Rate:|8.75%|Term:|"
        u"360 months"_s,
        u"Loan Amounts incremented by $1000|Interest Rates incremented by 1/2%| Loan / Rate|"
        u" $786.70"_s);
    add("loan amounts", 1,
        u"Chart of Loan Amounts|Term:|360 months|Interest Rate:|8.75%|Payment:|$786.70"_s,
        u"Payment Amounts incremented by $75|Interest Rates incremented by 1/2%| Pmt / Rate|"
        u" $100,000"_s);
    add("interest rates", 2,
        u"Chart of Interest Rates|Loan Amount:|$100,000.00|Payment:|$786.70|Term:|360 months"_s,
        u"Loan Amounts incremented by $1000|Payment Amounts incremented by $75| Loan / Pmt|"
        u" 8.750%"_s);
    add("terms", 3,
        u"Chart of Terms in Months|Loan Amount:|$100,000.00|Interest Rate:|8.75%|Payment:|"
        u"$786.70"_s,
        u"Loan Amounts incremented by $1000|Payment Amounts incremented by $75| Loan / Pmt|"
        u" 360.00"_s);
}

// The header says what the grid holds; twelve rows, the heading row first,
// each cell as the grid shows it; the totals as the page shows them.
void TestComparisonReports::chart()
{
    QFETCH(int, mode);
    QFETCH(QStringList, header);
    QFETCH(QStringList, axes);
    PageFixture<LsPage> f;
    f.get<QRadioButton>(u"rgCalculateItem%1"_s.arg(mode))->click();
    if (mode > 0) {
        // The payment as typed, not the one the payment grid left behind.
        f.get<TNumEdit>(u"edtPayment"_s)->setValue(786.7);
        f.page->ChooseLoanSpreadCalculator();
    }
    Printer printer;
    const PreparedPage &p = printer.print(f.page.get());
    QCOMPARE(Printer::texts(p, split(u"lblTitle|lbl1|lblOne|lbl2|lblTwo|lbl3|lblThree|lblX|"
                                     u"lblY|lblInterestPaid|lblTotalPaid"_s)),
             header + axes.mid(0, 2) << f.text(u"edtInterestPaid"_s) << f.text(u"edtTotalPaid"_s));
    for (int c = 0; c < LsPage::GridColumns; ++c) {
        QStringList column;
        for (int r = 0; r < LsPage::GridRows; ++r)
            column << f.page->grid()->item(r, c)->text();
        QCOMPARE(p.textsOf(u"lblColumn%1"_s.arg(c + 1)), column);
    }
    QCOMPARE(p.textsOf(u"lblColumn1"_s).front(), axes[2]);
    QCOMPARE(p.textsOf(u"lblColumn5"_s).at(6), axes[3]);
}

// Twenty rows evenly spaced: each caption ends at one column, its value in bold to its right.
void TestComparisonReports::worksheetRowsLineUp()
{
    PageFixture<RvbPage> f;
    Printer printer;
    const PreparedPage &p = printer.print(f.page.get());
    QList<const PageItem *> values;
    for (const PageItem &i : p.items)
        if (i.name.startsWith(u"lblRVB"))
            values << &i;
    QCOMPARE(int(values.size()), TQRRentVsBuy::RowCount);
    const qreal step = values[1]->rect.top() - values[0]->rect.top();
    QVERIFY(step > 20);
    QList<qreal> captionEnds;
    for (int i = 0; i < values.size(); ++i) {
        const auto caption = std::find_if(p.items.begin(), p.items.end(), [&](auto &c) {
            return c.rect.top() == values[i]->rect.top() && c.rect.right() < values[i]->rect.left();
        });
        QVERIFY(caption != p.items.end() && (caption->flags & Qt::AlignRight));
        QVERIFY(values[i]->font.bold() && !caption->font.bold());
        QCOMPARE(values[i]->rect.top(), values[0]->rect.top() + i * step);
        captionEnds << caption->rect.right();
    }
    QCOMPARE(captionEnds, QList<qreal>(values.size(), captionEnds[0]));
}

// What is bold, the widths, the bracket from the price to the costs, the frame around the net gain.
void TestComparisonReports::sellersProceedsLayout()
{
    PageFixture<HspPage> f;
    Printer printer;
    const PreparedPage &p = printer.print(f.page.get());
    QVERIFY(item(p, u"lblHeading"_s).font.bold() && item(p, u"qrlblCosts"_s).font.bold());
    QVERIFY(!item(p, u"qrlblCostsCaption"_s).font.bold());
    // Every text of the body fits the width it was given.
    for (const PageItem &i : p.items)
        if (i.kind == PageItem::Kind::Text && !i.text.isEmpty() &&
            (i.name.startsWith(u"qrlbl"_s) || i.name.startsWith(u"lblText"_s)))
            QVERIFY2(textWidth(i.font, i.text) <= i.rect.width() + 0.01, qPrintable(i.name));
    const QRectF price = item(p, u"qrlblHouseSalesPrice"_s).rect;
    const QRectF top = item(p, u"shpBracketTop"_s).rect;
    const QRectF bottom = item(p, u"shpBracketBottom"_s).rect;
    const QRectF side = item(p, u"shpBracketSide"_s).rect;
    QCOMPARE((QList<qreal>{top.top(), bottom.top(), side.top(), side.bottom()}),
             (QList<qreal>{price.center().y(), item(p, u"qrlblCosts"_s).rect.center().y(),
                           top.top(), bottom.top()}));
    QVERIFY(top.left() > price.right() && top.right() == side.left());
    const QRectF frame = item(p, u"shpNetGain"_s).rect;
    QVERIFY(frame.contains(item(p, u"qrlblNetGain"_s).rect) && frame.top() > side.bottom());
    QVERIFY(frame.contains(item(p, u"qrlblNetGainCaption"_s).rect));
}

// The table as the page shows it (best figures bold, hidden offers absent),
// the sentences and the page's chart with its break-even marks.
void TestComparisonReports::loanOffers()
{
    PageFixture<CmpPage> f;
    f.type(u"edtCmpLender2"_s, u"Bank"_s);
    Printer printer;
    const PreparedPage &p = printer.print(f.page.get());
    QCOMPARE(Printer::texts(p, split(u"lblCmpHomeValue|lblCmpHead0|lblCmpHead1|lblCmpHead2|"
                                     u"lblCmpCaption2|lblCmpCell2_0|lblCmpCell2_1|lblCmpCell9_1|"
                                     u"lblCmpCell2_2|lblCmpBreakEven"_s)),
             split(u"Home value, for when mortgage insurance ends: $320,000.00|Offer A|Bank||APR|"
                   u"6.924%|6.685%|$7,700.00||Bank costs $4,200.00 more at closing and pays for "
                   u"itself after payment 57."_s));
    QVERIFY(item(p, u"lblCmpCell2_1"_s).font.bold() && !item(p, u"lblCmpCell2_0"_s).font.bold());
    QCOMPARE(p.textsOf(u"chtCompareMark"_s), QStringList{u"57"_s});
    QCOMPARE(p.textsOf(u"chtCompareLegend"_s), (QStringList{u"Offer A"_s, u"Bank"_s}));
}

QTEST_MAIN(TestComparisonReports)
#include "tst_comparisonreports.moc"
