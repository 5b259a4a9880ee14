// The chart view of the Loan Amortizations page: its display list, the
// savings caption against schedules computed apart from the program, the
// view following calculations, resets and the error handler's reset, the
// hover text, and the one-page chart report drawn from the same routine.

#include "app/Pages.h"
#include "calculators/AmortChart.h"
#include "calculators/AmortChartView.h"
#include "calculators/AmortModel.h"
#include "calculators/MiPanel.h"
#include "reports/Print.h"
#include "tests/calculators/AmortDriver.h"
#include "tests/reports/FakePages.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolTip>

using namespace clvn;
using namespace Qt::StringLiterals;
using report::PageItem;

namespace {

const PageItem *findItem(const std::vector<PageItem> &items, const QString &name)
{
    for (const PageItem &item : items)
        if (item.name == name)
            return &item;
    return nullptr;
}

QStringList textsOf(const std::vector<PageItem> &items, const QString &name)
{
    QStringList out;
    for (const PageItem &item : items)
        if (item.name == name && item.kind == PageItem::Kind::Text)
            out << item.text;
    return out;
}

qint64 extraFor(const QString &extra, int payment)
{
    if (extra.isEmpty())
        return 0;
    const QStringList f = extra.split(u'|');
    const qint64 cents = qRound64(f[3].toDouble() * 100);
    if (f[0] == u"rbAllPmts")
        return cents;
    const int from = f[1].toInt();
    const int to = f[0] == u"rbOnePmt" ? from : std::max(from, f[2].toInt());
    return payment >= from && payment <= to ? cents : 0;
}

} // namespace

class TestAmortChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        test::recordErrors(m_errors, [this] {
            if (m_amort)
                m_amort->page->recoverFromFloatError(true);
        });
    }
    void init()
    {
        m_errors.clear();
        m_amort = std::make_unique<test::AmortDriver>();
        m_amort->page->enter();
    }
    void cleanup() { m_amort.reset(); }

    void displayList_data();
    void displayList();
    void savingsCaption_data();
    void savingsCaption();
    void viewFollowsThePage();
    void hover_data();
    void hover();
    void printing_data();
    void printing();

private:
    AmortChartView *chart() const { return m_amort->child<AmortChartView>(u"chtAmortization"_s); }
    QString caption() const
    {
        auto *label = m_amort->child<QLabel>(u"lblAmortSavings"_s);
        return label->isHidden() ? QString() : label->text();
    }
    QString cell(int row, int column) const
    {
        return m_amort->page->model()->index(row, column).data().toString();
    }

    std::unique_ptr<test::AmortDriver> m_amort;
    QStringList m_errors;
};

// Payment counts: the reference schedule of AmortDriver.h (computed apart
// from TMortgage), which also gives the grids of the amortization page tests.
void TestAmortChart::displayList_data()
{
    QTest::addColumn<QString>("figures"); // loan|rate|term, or "" for the defaults
    QTest::addColumn<QString>("extra");   // mode|from|to|amount, or none
    QTest::addColumn<int>("payments");
    QTest::addColumn<int>("withoutExtras"); // points of the dashed line, 0 for none
    // The money axis, bottom to top: steps of 1, 2, 2.5 or 5 times a power of
    // ten, at most five of them over the figures' range.
    QTest::addColumn<QStringList>("money");
    const QStringList upTo200k{u"$0"_s, u"$50,000"_s, u"$100,000"_s, u"$150,000"_s, u"$200,000"_s};
    QTest::newRow("defaults, no extras") << QString() << QString() << 360 << 0 << upTo200k;
    QTest::newRow("12000 at 0 % over 12")
        << u"12000|0|12"_s << QString() << 12 << 0
        << QStringList{u"$0"_s, u"$2,500"_s, u"$5,000"_s, u"$7,500"_s, u"$10,000"_s, u"$12,500"_s};
    QTest::newRow("100 on all payments")
        << QString() << u"rbAllPmts|||100"_s << 238 << 360 << upTo200k;
    QTest::newRow("500 on payment 12")
        << QString() << u"rbOnePmt|12||500"_s << 353 << 360 << upTo200k;
    QTest::newRow("250 on 1 to 3")
        << QString() << u"rbRangePmts|1|3|250"_s << 348 << 360 << upTo200k;
    QTest::newRow("a cent on the last payment")
        << QString() << u"rbOnePmt|360||0.01"_s << 360 << 360 << upTo200k;
    QTest::newRow("1200 payments")
        << u"100000|6|1200"_s << QString() << 1200 << 0
        << QStringList{u"$0"_s, u"$200,000"_s, u"$400,000"_s, u"$600,000"_s};
    // A negative amount is taken as a loan increase: principal to date falls below zero.
    QTest::newRow("100 taken off every payment")
        << QString() << u"rbAllPmts|||-100"_s << 360 << 360
        << QStringList{u"($100,000)"_s, u"$0"_s,       u"$100,000"_s,
                       u"$200,000"_s,   u"$300,000"_s, u"$400,000"_s};
}

void TestAmortChart::displayList()
{
    QFETCH(QString, figures);
    QFETCH(QString, extra);
    QFETCH(int, payments);
    QFETCH(int, withoutExtras);
    QFETCH(QStringList, money);
    if (!figures.isEmpty())
        m_amort->calculate(figures);
    m_amort->addExtra(extra);
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(m_amort->page->model()->rowCount(), payments);

    const QSizeF size(540, 400);
    const std::vector<PageItem> items = chart()->drawing(size);
    AmortChartFrame frame;
    QCOMPARE(drawAmortChart(chart()->data(), size, &frame).size(), items.size());
    const QRectF plot = frame.plot.adjusted(-0.01, -0.01, 0.01, 0.01);
    for (const QString &name : {chart::Balance, chart::PrincipalToDate, chart::InterestToDate}) {
        const PageItem *curve = findItem(items, name);
        QVERIFY2(curve, qPrintable(name));
        QCOMPARE(curve->kind, PageItem::Kind::Polyline);
        QCOMPARE(curve->penStyle, Qt::SolidLine);
        // One point per payment, left to right, inside the plot.
        QCOMPARE(int(curve->points.size()), payments);
        for (int k = 1; k < payments; ++k)
            QVERIFY(curve->points[k].x() > curve->points[k - 1].x());
        for (const QPointF &point : curve->points)
            QVERIFY(plot.contains(point));
    }
    const PageItem *dashed = findItem(items, chart::BalanceWithoutExtras);
    QCOMPARE(dashed != nullptr, withoutExtras > 0);
    if (dashed) {
        QCOMPARE(dashed->penStyle, Qt::DashLine);
        QCOMPARE(int(dashed->points.size()), withoutExtras);
        // The loan without extras ends at the right edge, the balance with them before it.
        QVERIFY(dashed->points.last().x() >= findItem(items, chart::Balance)->points.last().x());
    }
    QCOMPARE(textsOf(items, chart::MoneyLabel), money);
    // The legend names the dashed line only when it is drawn.
    QCOMPARE(textsOf(items, chart::Legend).contains(u"Balance without extras"_s),
             withoutExtras > 0);
    // Years are marked under the payment numbers that end them.
    const QStringList years = textsOf(items, chart::YearLabel);
    const QStringList numbers = textsOf(items, chart::PaymentLabel);
    QVERIFY(!years.isEmpty());
    QCOMPARE(years.size(), numbers.size());
    for (int k = 0; k < years.size(); ++k)
        QCOMPARE(numbers[k].toInt(), 12 * years[k].mid(3).toInt());
    // Every step-th year up to the last whole year of the longer schedule.
    const int step = years.first().mid(3).toInt();
    for (int k = 0; k < years.size(); ++k)
        QCOMPARE(years[k], u"yr "_s + QString::number(step * (k + 1)));
    const int allYears = std::max(payments, withoutExtras) / 12;
    QCOMPARE(years.last().mid(3).toInt(), allYears / step * step);
}

void TestAmortChart::savingsCaption_data()
{
    QTest::addColumn<QString>("figures");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("expected");
    // Interest saved and payments sooner: the reference schedules of
    // AmortDriver.h with and without the extras (also recomputed in Python;
    // with exact cents payment 130 of "500 on payment 12" would meet a tie the
    // binary running balance of the rule misses, 4 cents in all).
    QTest::newRow("100 on all payments")
        << QString() << u"rbAllPmts|||100"_s
        << u"The extra payments save $72,330.29 in interest and end the loan 122 payments "
           u"(10 years 2 months) sooner."_s;
    QTest::newRow("500 on payment 12")
        << QString() << u"rbOnePmt|12||500"_s
        << u"The extra payments save $5,613.12 in interest and end the loan 7 payments "
           u"(7 months) sooner."_s;
    QTest::newRow("250 on 1 to 3")
        << QString() << u"rbRangePmts|1|3|250"_s
        << u"The extra payments save $8,946.96 in interest and end the loan 12 payments "
           u"(1 year) sooner."_s;
    QTest::newRow("2000 on all, 150000 at 6 % over 180")
        << u"150000|6|180"_s << u"rbAllPmts|||2000"_s
        << u"The extra payments save $56,994.86 in interest and end the loan 127 payments "
           u"(10 years 7 months) sooner."_s;
    QTest::newRow("no interest at 0 %")
        << u"12000|0|12"_s << u"rbOnePmt|1||1000"_s
        << u"The extra payments save $0.00 in interest and end the loan 1 payment (1 month) "
           u"sooner."_s;
    QTest::newRow("a cent on the last payment")
        << QString() << u"rbOnePmt|360||0.01"_s
        << u"The extra payments save $0.00 in interest; the loan ends with the same payment."_s;
    QTest::newRow("10 taken off every payment")
        << QString() << u"rbAllPmts|||-10"_s
        << u"The extra payments cost $13,781.40 more in interest; the loan ends with the same "
           u"payment."_s;
}

void TestAmortChart::savingsCaption()
{
    QFETCH(QString, figures);
    QFETCH(QString, extra);
    QFETCH(QString, expected);
    if (!figures.isEmpty())
        m_amort->calculate(figures);
    QCOMPARE(caption(), QString()); // no extras, no caption
    m_amort->addExtra(extra);
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(caption(), expected);

    // The figures of the sentence are those of the reference pair.
    const QStringList f = (figures.isEmpty() ? u"100000|8.75|360"_s : figures).split(u'|');
    const auto without = test::referenceSchedule(f[0].toDouble(), f[1].toDouble(), f[2].toInt(),
                                                 [](int) { return qint64(0); });
    const auto with = test::referenceSchedule(f[0].toDouble(), f[1].toDouble(), f[2].toInt(),
                                              [&](int k) { return extraFor(extra, k); });
    const qint64 saved = without.totalInterestCents - with.totalInterestCents;
    const QString amount = QLocale().toCurrencyString(std::abs(saved) / 100.0, u"$"_s, 2);
    QVERIFY2(expected.contains((saved >= 0 ? u"save "_s : u"cost "_s) + amount),
             qPrintable(amount));
    const int sooner = without.payments - with.payments;
    QCOMPARE(sooner > 0, expected.contains(u" sooner."_s));
    if (sooner > 0)
        QVERIFY(expected.contains(u"loan %1 payment"_s.arg(sooner)));
    // The grid agrees about when the loan ends.
    QCOMPARE(m_amort->page->model()->rowCount(), with.payments);
}

void TestAmortChart::viewFollowsThePage()
{
    auto *button = m_amort->child<QPushButton>(u"btnAmortChart"_s);
    auto *grid = m_amort->child<QTableView>(u"grdAmortization"_s);
    QWidget *panel = m_amort->child<QWidget>(u"pnlAmortChart"_s);
    QCOMPARE(button->text(), u"C&hart"_s);
    QVERIFY(grid->isVisible() && !panel->isVisible());

    m_amort->click(u"btnAmortChart"_s);
    QCOMPARE(button->text(), u"&Table"_s);
    QVERIFY(!grid->isVisible() && panel->isVisible());
    QCOMPARE(panel->geometry(), grid->geometry());
    QCOMPARE(chart()->data().rows.size(), std::size_t(360));

    // A new calculation redraws it, still as a chart.
    m_amort->calculate(u"50000|6|180"_s);
    QVERIFY(!grid->isVisible() && panel->isVisible());
    QCOMPARE(chart()->data().rows.size(), std::size_t(180));
    QCOMPARE(chart()->data().loan, 50000.0);
    m_amort->addExtra(u"rbAllPmts|||100"_s);
    QVERIFY(!caption().isEmpty());
    QVERIFY(findItem(chart()->items(), chart::BalanceWithoutExtras));

    // Reset empties it; the chart stays chosen.
    m_amort->page->Reset();
    QVERIFY(!grid->isVisible() && panel->isVisible());
    QCOMPARE(textsOf(chart()->items(), chart::Empty), QStringList{u"No schedule to chart."_s});
    QVERIFY(!findItem(chart()->items(), chart::Balance));
    QCOMPARE(caption(), QString());

    // Back to a schedule, then the error handler's reset after a term of 0.
    m_amort->calculate(QString());
    QCOMPARE(chart()->data().rows.size(), std::size_t(360));
    m_amort->calculate(u"100000|8.75|0"_s);
    QCOMPARE(m_errors, QStringList{u"unusable-figures"_s});
    QVERIFY(chart()->data().rows.empty());
    QVERIFY(!grid->isVisible() && panel->isVisible());

    // The choice survives leaving and entering the page.
    m_amort->page->enter();
    QVERIFY(!grid->isVisible() && panel->isVisible());
    QCOMPARE(chart()->data().rows.size(), std::size_t(360));
    m_amort->click(u"btnAmortChart"_s);
    QCOMPARE(button->text(), u"C&hart"_s);
    QVERIFY(grid->isVisible() && !panel->isVisible());
}

void TestAmortChart::hover_data()
{
    QTest::addColumn<int>("payment");
    QTest::addColumn<QString>("when");
    QTest::newRow("first") << 1 << u"Payment 1 (year 1, month 1)"_s;
    QTest::newRow("end of year 10") << 120 << u"Payment 120 (year 10, month 12)"_s;
    QTest::newRow("start of year 11") << 121 << u"Payment 121 (year 11, month 1)"_s;
    QTest::newRow("last") << 360 << u"Payment 360 (year 30, month 12)"_s;
}

void TestAmortChart::hover()
{
    QFETCH(int, payment);
    QFETCH(QString, when);
    m_amort->click(u"btnAmortChart"_s);
    AmortChartView *view = chart();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    const PageItem *balance = findItem(view->items(), chart::Balance);
    QVERIFY(balance);
    // The point of the payment, from points to the widget's pixels.
    const QPointF at = balance->points[payment - 1] * (view->logicalDpiX() / 72.0);
    // The three figures as the grid shows them for that payment.
    const QString expected = when + u"\nBalance: "_s + cell(payment - 1, 6) +
                             u"\nPrincipal to date: "_s + cell(payment - 1, 3) +
                             u"\nInterest to date: "_s + cell(payment - 1, 4);
    QCOMPARE(view->hoverTextAt(at), expected);
    QTest::mouseMove(view, at.toPoint());
    QTRY_COMPARE(QToolTip::text(), expected);
    // Left of the plot there is nothing to tell.
    QCOMPARE(view->hoverTextAt(QPointF(2, at.y())), QString());
}

void TestAmortChart::printing_data()
{
    QTest::addColumn<bool>("chartShown");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("homeValue"); // for mortgage insurance, or none
    QTest::newRow("table shown") << false << QString() << u"Loan Amortization Schedule"_s
                                 << QString();
    QTest::newRow("chart, no extras")
        << true << QString() << u"Loan Amortization Chart"_s << QString();
    QTest::newRow("chart with extras")
        << true << u"rbAllPmts|||100"_s << u"Loan Amortization Chart"_s << QString();
    QTest::newRow("table with mortgage insurance")
        << false << QString() << u"Loan Amortization Schedule"_s << u"110000"_s;
    QTest::newRow("chart with extras and mortgage insurance")
        << true << u"rbAllPmts|||100"_s << u"Loan Amortization Chart"_s << u"110000"_s;
}

void TestAmortChart::printing()
{
    QFETCH(bool, chartShown);
    QFETCH(QString, extra);
    QFETCH(QString, title);
    QFETCH(QString, homeValue);
    m_amort->addExtra(extra);
    m_amort->applyInsurance(homeValue);
    if (chartShown)
        m_amort->click(u"btnAmortChart"_s);
    QWidget window;
    PrintDispatcher printer(&window);
    test::PreviewCatcher catcher;
    printPage(printer, m_amort->page.get());
    QCOMPARE(catcher.shown.size(), std::size_t(1));
    const report::PreparedReport &out = catcher.shown.front();
    const report::PreparedPage &page = out.pages.front();
    QCOMPARE(page.textOf(u"lblTitle"_s), title);
    QCOMPARE(page.textOf(u"lblMortgageAmt"_s), u"$100,000.00"_s);
    QCOMPARE(page.textOf(u"lblIRate"_s), u"8.750"_s);
    QCOMPARE(page.textOf(u"lblNumPmts"_s), u"360"_s);
    QCOMPARE(page.textOf(u"lblPaymentAmt"_s), u"$786.70"_s);
    QCOMPARE(page.textOf(u"lblApplicationTitle"_s), u"Calvenor, 1.0.04"_s);
    // The mortgage-insurance block under the title, as the page words it.
    const QString block = m_amort->page->property(MiPanel::SummaryProperty).toString();
    QCOMPARE(block.isEmpty(), homeValue.isEmpty());
    QCOMPARE(page.textOf(u"lblMISummary"_s), homeValue.isEmpty() ? QString() : block);
    QCOMPARE(textsOf(page.items, chart::MarkLabel).size(),
             chartShown && !homeValue.isEmpty() ? 2 : 0);
    if (!chartShown) {
        QVERIFY(out.pageCount() > 1);
        QVERIFY(!findItem(page.items, chart::Balance));
        return;
    }
    QCOMPARE(out.title, u"Preview of Amortization Chart"_s);
    QCOMPARE(out.pageCount(), 1);
    // The page's own drawing, one point per listed payment, on the paper
    // between the margins and below the loan figures.
    const PageItem *balance = findItem(page.items, chart::Balance);
    QVERIFY(balance);
    QCOMPARE(int(balance->points.size()), m_amort->page->model()->rowCount());
    const QRectF paper = out.layout.paintRect(QPageLayout::Point);
    const QRectF bounds = balance->points.boundingRect();
    QVERIFY(paper.contains(bounds));
    const PageItem *figures = page.findText(u"$786.70"_s);
    QVERIFY(bounds.top() > figures->rect.bottom());
    QCOMPARE(findItem(page.items, chart::BalanceWithoutExtras) != nullptr, !extra.isEmpty());
    QCOMPARE(page.textOf(u"lblAmortSavings"_s), caption());
    QCOMPARE(page.textOf(u"lblAmortSavings"_s).isEmpty(), extra.isEmpty());
}

QTEST_MAIN(TestAmortChart)
#include "tst_amortchart.moc"
