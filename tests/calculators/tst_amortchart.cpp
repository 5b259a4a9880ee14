// The Loan Amortizations page's chart: its drawing and money axis, the savings
// caption, the view following the page, the hover text, and the chart report.

#include "app/Pages.h"
#include "calculators/AmortChart.h"
#include "calculators/AmortChartView.h"
#include "calculators/AmortModel.h"
#include "calculators/MiPanel.h"
#include "reports/Print.h"
#include "tests/calculators/AmortDriver.h"
#include "tests/reports/FakePages.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolTip>

using namespace clvn;
using namespace clvn::test;
using namespace Qt::StringLiterals;
using report::PageItem;

namespace {

const PageItem *findItem(const std::vector<PageItem> &items, const QString &name)
{
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&name](const PageItem &item) { return item.name == name; });
    return it == items.end() ? nullptr : &*it;
}

QStringList textsOf(const std::vector<PageItem> &items, const QString &name)
{
    QStringList out;
    for (const PageItem &item : items)
        if (item.name == name && item.kind == PageItem::Kind::Text)
            out << item.text;
    return out;
}

AmortChartView *chartOf(const AmortFixture &f)
{
    return f.get<AmortChartView>(u"chtAmortization"_s);
}

QString savings(const AmortFixture &f)
{
    auto *label = f.get<QLabel>(u"lblAmortSavings"_s);
    return label->isHidden() ? QString() : label->text();
}

// Loan and extra of a row; none keeps the defaults (100000 at 8.75 % over 360).
void prepare(AmortFixture &f, const QStringList &loan, const QStringList &extra)
{
    if (!loan.isEmpty())
        calculate(f, loan);
    if (!extra.isEmpty())
        addExtra(f, extra);
}

const QStringList kAll100{u"rbAllPmts"_s, {}, {}, u"100"_s};

} // namespace

class TestAmortChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { pinLocale(); }
    void displayList_data();
    void displayList();
    void viewFollowsThePage();
    void hover();
    void printing_data();
    void printing();
};

void TestAmortChart::displayList_data()
{
    QTest::addColumn<QStringList>("loan");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("payments");
    QTest::addColumn<int>("withoutExtras"); // points of the dashed line, 0 for none
    // The money axis, bottom to top: steps of 1, 2, 2.5 or 5 times a power of
    // ten, at most five of them over the figures' range.
    QTest::addColumn<QStringList>("money");
    // The savings caption's wording (its figures are tested headless); none
    // without extras, not checked where null.
    QTest::addColumn<QString>("caption");
    const QStringList none, at0{u"12000"_s, u"0"_s, u"12"_s};
    const QStringList upTo200k{u"$0"_s, u"$50,000"_s, u"$100,000"_s, u"$150,000"_s, u"$200,000"_s};
    const QString save = u"The extra payments save "_s;
    QTest::newRow("defaults, no extras") << none << none << 360 << 0 << upTo200k << u""_s;
    QTest::newRow("12000 at 0 %, 1000 on payment 1")
        << at0 << QStringList{u"rbOnePmt"_s, u"1"_s, {}, u"1000"_s} << 11 << 12
        << QStringList{u"$0"_s, u"$2,500"_s, u"$5,000"_s, u"$7,500"_s, u"$10,000"_s, u"$12,500"_s}
        << save + u"$0.00 in interest and end the loan 1 payment (1 month) sooner."_s;
    QTest::newRow("60000 at 0 % over 12")
        << QStringList{u"60000"_s, u"0"_s, u"12"_s} << none << 12 << 0
        << QStringList{u"$0"_s, u"$20,000"_s, u"$40,000"_s, u"$60,000"_s} << u""_s;
    QTest::newRow("100 on all payments")
        << none << kAll100 << 238 << 360 << upTo200k
        << save + u"$72,330.29 in interest and end the loan 122 payments (10 years 2 months) "
                  u"sooner."_s;
    QTest::newRow("250 on 1 to 3")
        << none << QStringList{u"rbRangePmts"_s, u"1"_s, u"3"_s, u"250"_s} << 348 << 360 << upTo200k
        << save + u"$8,946.96 in interest and end the loan 12 payments (1 year) sooner."_s;
    QTest::newRow("a cent on the last payment")
        << none << QStringList{u"rbOnePmt"_s, u"360"_s, {}, u"0.01"_s} << 360 << 360 << upTo200k
        << save + u"$0.00 in interest; the loan ends with the same payment."_s;
    QTest::newRow("10 taken off every payment")
        << none << QStringList{u"rbAllPmts"_s, {}, {}, u"-10"_s} << 360 << 360 << upTo200k
        << u"The extra payments cost $13,781.40 more in interest; the loan ends with the same "
           u"payment."_s;
    QTest::newRow("1200 payments")
        << QStringList{u"100000"_s, u"6"_s, u"1200"_s} << none << 1200 << 0
        << QStringList{u"$0"_s, u"$200,000"_s, u"$400,000"_s, u"$600,000"_s} << u""_s;
    // A negative amount is taken as a loan increase: principal to date falls below zero.
    QTest::newRow("100 taken off every payment")
        << none << QStringList{u"rbAllPmts"_s, {}, {}, u"-100"_s} << 360 << 360
        << QStringList{u"($100,000)"_s, u"$0"_s,       u"$100,000"_s,
                       u"$200,000"_s,   u"$300,000"_s, u"$400,000"_s}
        << QString();
}

// The three curves one point a payment inside the plot, the dashed balance
// without extras, the money labels, the legend, the years marked, the caption.
void TestAmortChart::displayList()
{
    QFETCH(QStringList, loan);
    QFETCH(QStringList, extra);
    QFETCH(int, payments);
    QFETCH(int, withoutExtras);
    QFETCH(QString, caption);
    AmortFixture f;
    prepare(f, loan, {});
    if (!caption.isNull())
        QCOMPARE(savings(f), QString()); // no extras, no caption
    prepare(f, {}, extra);
    if (!caption.isNull())
        QCOMPARE(savings(f), caption);
    QCOMPARE(f.messages(), QStringList());
    const QSizeF size(540, 400);
    const std::vector<PageItem> items = chartOf(f)->drawing(size);
    AmortChartFrame frame;
    QCOMPARE(drawAmortChart(chartOf(f)->data(), size, &frame).size(), items.size());
    const QRectF plot = frame.plot.adjusted(-0.01, -0.01, 0.01, 0.01);
    for (const QString &name : {chart::Balance, chart::PrincipalToDate, chart::InterestToDate}) {
        const PageItem *curve = findItem(items, name);
        QVERIFY2(curve && curve->penStyle == Qt::SolidLine, qPrintable(name));
        QCOMPARE(int(curve->points.size()), payments);
        for (int k = 0; k < payments; ++k)
            QVERIFY(plot.contains(curve->points[k]) &&
                    (k == 0 || curve->points[k].x() > curve->points[k - 1].x()));
    }
    const PageItem *dashed = findItem(items, chart::BalanceWithoutExtras);
    QCOMPARE(dashed ? int(dashed->points.size()) : 0, withoutExtras);
    QVERIFY(!dashed || dashed->penStyle == Qt::DashLine);
    QTEST(textsOf(items, chart::MoneyLabel), "money");
    QCOMPARE(textsOf(items, chart::Legend).contains(u"Balance without extras"_s), bool(dashed));
    // Every step-th year, under the payment that ends it, up to the last
    // whole year of the longer schedule.
    const QStringList years = textsOf(items, chart::YearLabel);
    const QStringList numbers = textsOf(items, chart::PaymentLabel);
    QVERIFY(!years.isEmpty() && years.size() == numbers.size());
    const int step = years.first().mid(3).toInt();
    for (int k = 0; k < years.size(); ++k)
        QCOMPARE(years[k] + u' ' + numbers[k],
                 u"yr %1 %2"_s.arg(step * (k + 1)).arg(12 * step * (k + 1)));
    QCOMPARE(years.size(), std::max(payments, withoutExtras) / 12 / step);
}

// The chart, once chosen, follows calculations, Reset, the error handler's
// reset and leaving and entering the page.
void TestAmortChart::viewFollowsThePage()
{
    AmortFixture f;
    auto *button = f.get<QPushButton>(u"btnAmortChart"_s);
    auto *grid = f.get<QTableView>(u"grdAmortization"_s);
    QWidget *panel = f.get<QWidget>(u"pnlAmortChart"_s);
    const auto rows = [&f] { return int(chartOf(f)->data().rows.size()); };
    QVERIFY(button->text() == u"C&hart"_s && grid->isVisible() && !panel->isVisible());
    click(f, u"btnAmortChart"_s);
    QVERIFY(button->text() == u"&Table"_s && !grid->isVisible() && panel->isVisible());
    QCOMPARE(panel->geometry(), grid->geometry());
    QCOMPARE(rows(), 360);
    prepare(f, {u"50000"_s, u"6"_s, u"180"_s}, kAll100);
    QVERIFY(rows() < 180 && rows() == f.page->model()->rowCount());
    QCOMPARE(chartOf(f)->data().loan, 50000.0);
    QVERIFY(findItem(chartOf(f)->items(), chart::BalanceWithoutExtras) && !savings(f).isEmpty());
    f.page->Reset();
    QCOMPARE(textsOf(chartOf(f)->items(), chart::Empty), QStringList{u"No schedule to chart."_s});
    QVERIFY(!findItem(chartOf(f)->items(), chart::Balance) && savings(f).isEmpty());
    calculate(f, {});
    QCOMPARE(rows(), 360);
    calculate(f, {u"100000"_s, u"8.75"_s, u"0"_s});
    QCOMPARE(f.failures, QStringList{kUnusableFigures});
    QCOMPARE(rows(), 0);
    f.page->enter();
    QCOMPARE(rows(), 360);
    QVERIFY(!grid->isVisible() && panel->isVisible());
    click(f, u"btnAmortChart"_s);
    QVERIFY(button->text() == u"C&hart"_s && grid->isVisible() && !panel->isVisible());
}

// Over a payment's point: when it falls and its three figures as the grid
// shows them; left of the plot nothing.
void TestAmortChart::hover()
{
    AmortFixture f;
    click(f, u"btnAmortChart"_s);
    AmortChartView *view = chartOf(f);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    const auto at = [view](int payment) {
        return findItem(view->items(), chart::Balance)->points[payment - 1] *
               (view->logicalDpiX() / 72.0);
    };
    const auto shown = [&f](int payment, int c) {
        return f.page->model()->index(payment - 1, c).data().toString();
    };
    for (int payment : {120, 121}) {
        const QString expected =
            u"Payment %1 (year %2, month %3)\nBalance: %4\nPrincipal to date: %5\nInterest to "
            u"date: %6"_s.arg(payment)
                .arg(payment == 120 ? 10 : 11)
                .arg(payment == 120 ? 12 : 1)
                .arg(shown(payment, 6), shown(payment, 3), shown(payment, 4));
        QCOMPARE(view->hoverTextAt(at(payment)), expected);
        QTest::mouseMove(view, at(payment).toPoint());
        QTRY_COMPARE(QToolTip::text(), expected);
    }
    QCOMPARE(view->hoverTextAt(QPointF(2, at(1).y())), QString());
}

void TestAmortChart::printing_data()
{
    QTest::addColumn<bool>("chartShown");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("homeValue"); // for mortgage insurance, or none
    QTest::newRow("table with mortgage insurance") << false << QStringList() << u"110000"_s;
    QTest::newRow("chart with extras and mortgage insurance") << true << kAll100 << u"110000"_s;
}

// The page prints the table on several pages, or the chart it shows on one,
// under the loan figures and the mortgage-insurance block.
void TestAmortChart::printing()
{
    QFETCH(bool, chartShown);
    QFETCH(QStringList, extra);
    QFETCH(QString, homeValue);
    AmortFixture f;
    prepare(f, {}, extra);
    if (!homeValue.isEmpty())
        applyInsurance(f, homeValue);
    if (chartShown)
        click(f, u"btnAmortChart"_s);
    QWidget window;
    PrintDispatcher printer(&window);
    PreviewCatcher catcher;
    printPage(printer, f.page.get());
    QCOMPARE(catcher.shown.size(), std::size_t(1));
    const report::PreparedReport &out = catcher.shown.front();
    const report::PreparedPage &page = out.pages.front();
    QCOMPARE(page.textOf(u"lblTitle"_s),
             chartShown ? u"Loan Amortization Chart"_s : u"Loan Amortization Schedule"_s);
    const QString block = f.page->property(MiPanel::SummaryProperty).toString();
    QCOMPARE(block.isEmpty(), homeValue.isEmpty());
    QCOMPARE(page.textOf(u"lblMISummary"_s), block);
    QCOMPARE(textsOf(page.items, chart::MarkLabel).size(), chartShown && !block.isEmpty() ? 2 : 0);
    const PageItem *balance = findItem(page.items, chart::Balance);
    if (!chartShown) {
        QVERIFY(out.pageCount() > 1 && !balance);
        return;
    }
    QCOMPARE(out.title, u"Preview of Amortization Chart"_s);
    QCOMPARE(out.pageCount(), 1);
    // One point per listed payment, between the margins and below the figures.
    QCOMPARE(balance ? int(balance->points.size()) : 0, f.page->model()->rowCount());
    const QRectF bounds = balance->points.boundingRect();
    QVERIFY(out.layout.paintRect(QPageLayout::Point).contains(bounds));
    QVERIFY(bounds.top() > page.findText(u"$786.70"_s)->rect.bottom());
    QCOMPARE(bool(findItem(page.items, chart::BalanceWithoutExtras)), !extra.isEmpty());
    QCOMPARE(page.textOf(u"lblAmortSavings"_s), savings(f));
    QCOMPARE(page.textOf(u"lblAmortSavings"_s).isEmpty(), extra.isEmpty());
}

QTEST_MAIN(TestAmortChart)
#include "tst_amortchart.moc"
