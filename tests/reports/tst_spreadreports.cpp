// The loan spread chart and the home seller's proceeds worksheet, filled
// from the real pages as a user leaves them, through print dispatch.

#include "app/Pages.h"
#include "calculators/HspPage.h"
#include "calculators/LsPage.h"
#include "finance/Errors.h"
#include "reports/Print.h"
#include "reports/QrHsp.h"
#include "reports/Qrchart.h"
#include "tests/reports/FakePages.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTableWidget>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

namespace {

const PageItem *item(const PreparedPage &page, const QString &name)
{
    for (const PageItem &i : page.items)
        if (i.name == name)
            return &i;
    return nullptr;
}

} // namespace

class TestSpreadReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::pinLocale(); }
    void chart_data();
    void chart();
    void chartStopsOnATextThatIsNoNumber();
    void sellersProceeds_data();
    void sellersProceeds();
    void sellersProceedsLayout();
    void sellersProceedsStopsOnATextThatIsNoNumber();
    void dispatch_data();
    void dispatch();
};

void TestSpreadReports::chart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("header"); // lbl1 lblOne lbl2 lblTwo lbl3 lblThree lblX lblY
    QTest::addColumn<QStringList>("totals"); // interest paid, total paid
    QTest::addColumn<QString>("corner");
    QTest::addColumn<QString>("centre");
    const QString loans = u"Loan Amounts incremented by $1000"_s;
    const QString rates = u"Interest Rates incremented by 1/2%"_s;
    const QString payments = u"Payment Amounts incremented by $75"_s;
    // The page's figures at its start loan (see tst_ls for their sources).
    QTest::newRow("payments") << 0 << u"Chart of Monthly Payments"_s
                              << QStringList{u"Loan Amount:"_s,
                                             u"$100,000.00"_s,
                                             u"Interest Rate:"_s,
                                             u"8.75%"_s,
                                             u"Term:"_s,
                                             u"360 months"_s,
                                             loans,
                                             rates}
                              << QStringList{u"$183,212.15"_s, u"$283,212.15"_s}
                              << u" Loan / Rate"_s << u" $786.70"_s;
    QTest::newRow("loan amounts") << 1 << u"Chart of Loan Amounts"_s
                                  << QStringList{u"Term:"_s,
                                                 u"360 months"_s,
                                                 u"Interest Rate:"_s,
                                                 u"8.75%"_s,
                                                 u"Payment:"_s,
                                                 u"$786.70"_s,
                                                 payments,
                                                 rates}
                                  << QStringList{u"$183,212.05"_s, u"$283,212.00"_s}
                                  << u" Pmt / Rate"_s << u" $100,000"_s;
    QTest::newRow("interest rates")
        << 2 << u"Chart of Interest Rates"_s
        << QStringList{u"Loan Amount:"_s, u"$100,000.00"_s, u"Payment:"_s, u"$786.70"_s,
                       u"Term:"_s,        u"360 months"_s,  loans,         payments}
        << QStringList{u"$183,212.00"_s, u"$283,212.00"_s} << u" Loan / Pmt"_s << u" 8.750%"_s;
    QTest::newRow("terms") << 3 << u"Chart of Terms in Months"_s
                           << QStringList{u"Loan Amount:"_s,
                                          u"$100,000.00"_s,
                                          u"Interest Rate:"_s,
                                          u"8.75%"_s,
                                          u"Payment:"_s,
                                          u"$786.70"_s,
                                          loans,
                                          payments}
                           << QStringList{u"$183,212.71"_s, u"$283,212.71"_s} << u" Loan / Pmt"_s
                           << u" 360.00"_s;
}

void TestSpreadReports::chart()
{
    QFETCH(int, mode);
    QFETCH(QString, title);
    QFETCH(QStringList, header);
    QFETCH(QStringList, totals);
    QFETCH(QString, corner);
    QFETCH(QString, centre);
    test::FakeHost host;
    LsPage page(host);
    page.show();
    page.enter();
    page.findChild<QRadioButton *>(u"rgCalculateItem%1"_s.arg(mode))->click();
    if (mode > 0) {
        // The payment as typed, not the one the payment grid left behind.
        page.findChild<TNumEdit *>(u"edtPayment"_s)->setValue(786.7);
        page.ChooseLoanSpreadCalculator();
    }

    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    printPage(dispatcher, &page);
    QCOMPARE(int(catcher.shown.size()), 1);
    const PreparedReport &out = catcher.shown[0];
    QCOMPARE(out.title, u"Preview of Loan Spread Calculations"_s);
    QCOMPARE(dispatcher.paymentChart().Rep().progressCaption(),
             u"Preparing Loan Spread Calculations"_s);
    QCOMPARE(out.pageCount(), 1);
    const PreparedPage &p = out.pages[0];
    QCOMPARE(p.textOf(u"lblTitle"_s), title);
    QStringList shown;
    for (const char *name :
         {"lbl1", "lblOne", "lbl2", "lblTwo", "lbl3", "lblThree", "lblX", "lblY"})
        shown << p.textOf(QLatin1String(name));
    QCOMPARE(shown, header);
    QCOMPARE((QStringList{p.textOf(u"lblInterestPaid"_s), p.textOf(u"lblTotalPaid"_s)}), totals);

    // Twelve rows, the heading row first, each cell as the grid shows it.
    for (int c = 0; c < LsPage::GridColumns; ++c) {
        QStringList column;
        for (int r = 0; r < LsPage::GridRows; ++r)
            column << page.grid()->item(r, c)->text();
        QCOMPARE(p.textsOf(u"lblColumn%1"_s.arg(c + 1)), column);
    }
    QCOMPARE(p.textsOf(u"lblColumn1"_s).front(), corner);
    QCOMPARE(p.textsOf(u"lblColumn5"_s).at(6), centre);
}

// A rate the page cannot read stops the preparation: nothing is previewed.
void TestSpreadReports::chartStopsOnATextThatIsNoNumber()
{
    test::FakeHost host;
    LsPage page(host);
    page.show();
    page.enter();
    page.findChild<QLineEdit *>(u"EdtInterest"_s)->setText(QString());
    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    QVERIFY_THROWS_EXCEPTION(ConvertError, printPage(dispatcher, &page));
    QCOMPARE(int(catcher.shown.size()), 0);
}

void TestSpreadReports::sellersProceeds_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QStringList>("values");
    // Start figures; the results are the page's own (see tst_hsp). Negative
    // amounts take the locale's form: parentheses in the United States.
    QTest::newRow("start")
        << QString()
        << u"$100,000.00|$0.00|$0.00|$0.00|July|$580.00|$338.33|2%|$2,000.00|$5,000.00|$0.00|"
           u"$750.00|$9,088.33|$90,911.67"_s.split(u'|');
    QTest::newRow("1.25 %, December, loans above the price")
        << u"edtHSPTransferTaxPercent=1.250 edtHSPFirstLoanBalance=90000 "
           u"edtHSPSecondLoanBalance=15000 month=11"_s
        << u"$100,000.00|$90,000.00|$15,000.00|$0.00|December|$580.00|$580.00|1.25%|$1,250.00|"
           u"$5,000.00|$0.00|$750.00|$113,580.00|($13,580.00)"_s.split(u'|');
    // A general-10 percent: ten significant digits at most.
    QTest::newRow("percent to ten digits")
        << u"edtHSPTransferTaxPercent=1.125 edtHSPOtherFees=0.5"_s
        << u"$100,000.00|$0.00|$0.00|$0.00|July|$580.00|$338.33|1.125%|$1,125.00|$5,000.00|"
           u"$0.00|$0.50|$7,463.83|$92,536.17"_s.split(u'|');
}

void TestSpreadReports::sellersProceeds()
{
    QFETCH(QString, changes);
    QFETCH(QStringList, values);
    test::FakeHost host;
    HspPage page(host);
    page.show();
    page.enter();
    for (const QString &change : changes.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = change.section(u'=', 0, 0), value = change.section(u'=', 1);
        if (name == u"month") {
            page.findChild<QComboBox *>(u"cbHSPClosingMonth"_s)->setCurrentIndex(value.toInt());
        } else if (auto *money = page.findChild<TNumEdit *>(name)) {
            money->setValue(value.toDouble());
        } else {
            page.findChild<QLineEdit *>(name)->setText(value);
        }
    }
    page.CalcHSP();

    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    printPage(dispatcher, &page);
    QCOMPARE(int(catcher.shown.size()), 1);
    const PreparedReport &out = catcher.shown[0];
    QCOMPARE(out.title, u"Preview of Home Seller Proceeds"_s);
    QCOMPARE(dispatcher.sellersProceeds().rep().progressCaption(),
             u"Preparing Home Seller Proceeds"_s);
    QCOMPARE(out.pageCount(), 1);
    const PreparedPage &p = out.pages[0];
    const QStringList labels =
        u"qrlblHouseSalesPrice qrlblFirstLoanBalance qrlblSecondLoanBalance qrlblOtherLoans "
        u"qrlblEstimatedClosingMonth qrlblAnnualPropertyTaxes qrlblPropertyTaxesPaid "
        u"qrlblTransferTaxes qrlblTransferTaxesPaid qrlblSalesCommission "
        u"qrlblOtherSalesCommission qrlblOtherFees qrlblCosts qrlblNetGain"_s.split(u' ');
    QStringList shown;
    for (const QString &label : labels)
        shown << p.textOf(label);
    QCOMPARE(shown, values);
}

// The texts, the heading, the captions in order, the bracket from the price
// to the costs and the frame around the net gain.
void TestSpreadReports::sellersProceedsLayout()
{
    test::FakeHost host;
    HspPage page(host);
    page.show();
    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    printPage(dispatcher, &page);
    QCOMPARE(int(catcher.shown.size()), 1);
    const PreparedPage &p = catcher.shown[0].pages[0];
    QCOMPARE(p.textOf(u"lblTitle"_s), u"Home Seller's Proceeds"_s);
    QCOMPARE(p.textOf(u"lblText1"_s),
             u"Before selling a home, the primary question for the seller is, \"What will I have "
             u"when the deal is complete?\""_s);
    QCOMPARE(p.textOf(u"lblText2"_s), QString());
    QCOMPARE(p.textOf(u"lblText3"_s),
             u"This is an estimate of the Net Gain after the costs of selling a home have been "
             u"subtracted from the Sales Price."_s);
    QCOMPARE(p.textOf(u"lblHeading"_s), u"What's the Net Gain After the Sale?"_s);
    QVERIFY(item(p, u"lblHeading"_s)->font.bold());
    QVERIFY(item(p, u"qrlblCosts"_s)->font.bold());
    QVERIFY(!item(p, u"qrlblCostsCaption"_s)->font.bold());
    QCOMPARE(p.textOf(u"qrlblNetGainCaption"_s), u"NET GAIN:"_s);
    QCOMPARE(p.textOf(u"qrlblTransferTaxesCaption"_s), u"Transfer Taxes:"_s);

    // Every text of the body fits the width it was given.
    for (const PageItem &i : p.items)
        if (i.kind == PageItem::Kind::Text && !i.text.isEmpty() &&
            (i.name.startsWith(u"qrlbl"_s) || i.name.startsWith(u"lblText"_s)))
            QVERIFY2(textWidth(i.font, i.text) <= i.rect.width() + 0.01, qPrintable(i.name));

    const QRectF price = item(p, u"qrlblHouseSalesPrice"_s)->rect;
    const QRectF costs = item(p, u"qrlblCosts"_s)->rect;
    const QRectF top = item(p, u"shpBracketTop"_s)->rect;
    const QRectF bottom = item(p, u"shpBracketBottom"_s)->rect;
    const QRectF side = item(p, u"shpBracketSide"_s)->rect;
    QCOMPARE(top.top(), price.center().y());
    QCOMPARE(bottom.top(), costs.center().y());
    QVERIFY(top.left() > price.right() && top.right() == side.left());
    QCOMPARE(side.top(), top.top());
    QCOMPARE(side.bottom(), bottom.top());
    const QRectF frame = item(p, u"shpNetGain"_s)->rect;
    QVERIFY(frame.contains(item(p, u"qrlblNetGain"_s)->rect));
    QVERIFY(frame.contains(item(p, u"qrlblNetGainCaption"_s)->rect));
    QVERIFY(frame.top() > side.bottom());
}

void TestSpreadReports::sellersProceedsStopsOnATextThatIsNoNumber()
{
    test::FakeHost host;
    HspPage page(host);
    page.show();
    page.findChild<QLineEdit *>(u"edtHSPTransferTaxPercent"_s)->setText(QString());
    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    QVERIFY_THROWS_EXCEPTION(ConvertError, printPage(dispatcher, &page));
    QCOMPARE(int(catcher.shown.size()), 0);
}

void TestSpreadReports::dispatch_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("printable");
    QTest::newRow("loan spread") << u"LS"_s << true;
    QTest::newRow("home seller") << u"HSP"_s << true;
    QTest::newRow("quick calculator") << u"QC"_s << false;
    QTest::newRow("menu") << u"Menu"_s << false;
}

void TestSpreadReports::dispatch()
{
    QFETCH(QString, page);
    QFETCH(bool, printable);
    QCOMPARE(canPrint(page), printable);
}

QTEST_MAIN(TestSpreadReports)
#include "tst_spreadreports.moc"
