// The Loan Amortizations page: Calculate, the extra-payment panel and its refusals, Reset, mortgage
// insurance, the chart and its printout, the CSV file and the clipboard.

#include "app/Pages.h"
#include "calculators/AmortChart.h"
#include "calculators/AmortChartView.h"
#include "calculators/AmortModel.h"
#include "calculators/AmortPage.h"
#include "calculators/MiPanel.h"
#include "calculators/TableSource.h"
#include "reports/Print.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace clvn::test;
using namespace Qt::Literals::StringLiterals;
using report::PageItem;

namespace {

using AmortFixture = PageFixture<AmortPage>;

void click(const AmortFixture &f, const QString &name)
{
    QTest::mouseClick(f.get<QAbstractButton>(name), Qt::LeftButton);
}
// Loan, rate and term typed (as many as given), then Calculate.
void calculate(AmortFixture &f, const QStringList &figures)
{
    const char *names[] = {"edtMortAmt", "EdtIRate", "EdtNumPmts"};
    for (int i = 0; i < figures.size(); ++i)
        f.type(QLatin1String(names[i]), figures[i]);
    click(f, u"btnCalculate"_s);
}
// Mode (rbOnePmt, rbRangePmts, rbAllPmts), from, to and amount through the open panel, typed where
// the mode takes them, then Re-Calculate; none: nothing.
void addExtra(AmortFixture &f, const QStringList &extra)
{
    if (extra.isEmpty())
        return;
    click(f, u"btnAddExtraPayments"_s);
    click(f, extra[0]);
    const char *names[] = {"edtFromPmt", "edtToPmt", "edtExtraAmount"};
    for (int i = 0; i < 3; ++i)
        if (f.get(QLatin1String(names[i]))->isEnabled())
            f.type(QLatin1String(names[i]), extra[i + 1]);
    click(f, u"btnAddExtra"_s);
}

QAbstractItemModel *grid(const AmortFixture &f)
{
    return f.get<QTableView>(u"grdAmortization"_s)->model();
}
// A cell's text; rows below 0 count from the end.
QString cell(const AmortFixture &f, int row, int column)
{
    QAbstractItemModel *m = grid(f);
    return m->index(row < 0 ? m->rowCount() + row : row, column).data().toString();
}
// One grid row's seven texts, joined by spaces.
QString row(const AmortFixture &f, int r)
{
    QStringList texts;
    for (int c = 0; c < 7; ++c)
        texts << cell(f, r, c);
    return texts.join(u' ');
}
// Loan, rate, term and payment as read when not being edited, and every grid row.
QStringList shown(const AmortFixture &f)
{
    QStringList texts{f.get<TNumEdit>(u"edtMortAmt"_s)->displayText(), f.text(u"EdtIRate"_s),
                      f.text(u"EdtNumPmts"_s), f.text(u"edtAmortPayment"_s)};
    for (int r = 0; r < grid(f)->rowCount(); ++r)
        texts << row(f, r);
    return texts;
}
bool isOpen(const AmortFixture &f, const QString &panel)
{
    return f.get<QWidget>(panel)->isVisible();
}
// Start LTV, the three payments, the three premiums and the saving.
QString insurance(const AmortFixture &f)
{
    QStringList texts;
    for (const char *name :
         {"edtMIStartLTV", "edtMIAskAt", "edtMIAskActualAt", "edtMIEndsAt", "edtMIPremiumsAsk",
          "edtMIPremiumsAskActual", "edtMIPremiumsEnd", "edtMISaved"})
        texts << f.text(QLatin1String(name));
    return texts.join(u'|');
}
const QStringList kDefaults{u"$100,000.00"_s, u"8.750"_s, u"360"_s, u"$786.70"_s};
const QStringList kLoan{u"180000"_s, u"6.5"_s, u"360"_s};
const QString kWorked = u"90.000%|95||109|$7,410.00||$8,502.00|"_s;
const QString kHeadings =
    u"PMT,Principal,Interest,Principal To Date,Interest To Date,Extra Principal,Balance"_s;
const PageItem *findItem(const std::vector<PageItem> &items, const QString &name)
{
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&name](const PageItem &item) { return item.name == name; });
    return it == items.end() ? nullptr : &*it;
}
QString savings(const AmortFixture &f)
{
    auto *label = f.get<QLabel>(u"lblAmortSavings"_s);
    return label->isHidden() ? QString() : label->text();
}

} // namespace

class TestAmort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { pinLocale(); }
    void cleanup() { pinLocale(); }
    void extras_data();
    void extras();
    void pageReset_data();
    void pageReset();
    void mortgageInsurance_data();
    void mortgageInsurance();
    void csv();
    void displayList_data();
    void displayList();
    void session();
};

void TestAmort::extras_data()
{
    QTest::addColumn<QStringList>("loan");  // typed before Calculate
    QTest::addColumn<QStringList>("extra"); // mode, from, to, amount; none: Calculate
    QTest::addColumn<QString>("message");   // none: the schedule below
    QTest::addColumn<int>("count");         // grid rows: a loan paid off early ends at the payoff
    QTest::addColumn<QStringList>("rows");  // whole rows, found by their number
    const QStringList none;
    // The library's worked schedule (665.30, last balance 2.98).
    QTest::newRow("100000 at 7 %")
        << texts({"100000", "7", "360"}) << none << QString() << 360
        << QStringList{u"360 $661.42 $3.88 $99,997.02 $139,510.98 $0.00 $2.98"_s};
    // An extra goes into its row's principal.
    QTest::newRow("single payment 12")
        << none << texts({"rbOnePmt", "12", "", "500"}) << QString() << 353
        << QStringList{u"12 $562.32 $724.38 $1,218.77 $8,721.63 $500.00 $98,781.23"_s,
                       u"13 $66.42 $720.28 $1,285.19 $9,441.91 $0.00 $98,714.81"_s};
    // An empty "To Payment #" sets only the first payment.
    QTest::newRow("range with empty To")
        << none << texts({"rbRangePmts", "5", "", "250"}) << QString() << 356
        << QStringList{u"6 $61.48 $725.22 $603.37 $4,366.83 $0.00 $99,396.63"_s};
    QTest::newRow("100 on all payments")
        << none << texts({"rbAllPmts", "", "", "100"}) << QString() << 238
        << QStringList{u"1 $157.53 $729.17 $157.53 $729.17 $100.00 $99,842.47"_s};
    // The amount is read with the locale's grouping, as the entry fields read it.
    QTest::newRow("1,500 on all payments")
        << none << texts({"rbAllPmts", "", "", "1,500"}) << QString() << 53
        << QStringList{u"1 $1,557.53 $729.17 $1,557.53 $729.17 $1,500.00 $98,442.47"_s};
    // A payment number outside the schedule (a range past it refused whole) gets the page's own
    // message; unreadable text reaches the handler as a conversion error.
    const QString outside = u"Cannot calculate results of extra payments without new figures."
                            u"\n\r\n\rPlease use the edit boxes and radio buttons to\n\rindicate "
                            u"the amount of your extra payments."_s;
    QTest::newRow("single 0") << none << texts({"rbOnePmt", "0", "", "1"}) << outside << 0 << none;
    QTest::newRow("single 361") << none << texts({"rbOnePmt", "361", "", "1"}) << outside << 0
                                << none;
    QTest::newRow("range 359 to 362")
        << none << texts({"rbRangePmts", "359", "362", "1"}) << outside << 0 << none;
    QTest::newRow("empty term") << texts({"1000", "8", ""}) << none
                                << u"Term in Months: a number is needed."_s << 0 << none;
    QTest::newRow("fractional term")
        << texts({"1000", "8", "360.5"}) << none
        << u"Term in Months: \"360.5\" is not a whole number."_s << 0 << none;
    QTest::newRow("infinite amount") << none << texts({"rbAllPmts", "", "", "inf"})
                                     << u"Amount: \"inf\" is not a number."_s << 0 << none;
    QTest::newRow("fractional from")
        << none << texts({"rbRangePmts", "2.5", "2", "1"})
        << u"From Payment #: \"2.5\" is not a whole number."_s << 0 << none;
}

// The schedule with the extras, or the message with nothing shown or stored changed.
void TestAmort::extras()
{
    QFETCH(QStringList, loan);
    QFETCH(QStringList, extra);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    AmortFixture f;
    const QStringList before = shown(f);
    if (extra.isEmpty())
        calculate(f, loan);
    else
        addExtra(f, extra);
    QCOMPARE(f.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(shown(f).mid(3), before.mid(3));
        QCOMPARE(f.host.mortgage().Payments().at(0).ExtraPrincipal, 0.0);
        if (!message.startsWith(u"Cannot"_s)) // a text refused before anything was kept
            QVERIFY(f.host.extraPayment().ExtraAmount == 0.0 &&
                    f.host.extraPayment().ExtraPaymentMode == PrepaymentMode::Single);
        return;
    }
    QTEST(grid(f)->rowCount(), "count");
    for (const QString &r : rows)
        QCOMPARE(row(f, r.section(u' ', 0, 0).toInt() - 1), r);
    if (extra.isEmpty())
        return;
    // Only a range takes a "To Payment #", shown as 0 when empty; all payments no number.
    const int mode = QStringList{u"rbOnePmt"_s, u"rbRangePmts"_s, u"rbAllPmts"_s}.indexOf(extra[0]);
    QString enabled;
    for (const char *name : {"lblFromPmt", "edtFromPmt", "lblToPmt", "edtToPmt"})
        enabled += f.get<QWidget>(QLatin1String(name))->isEnabled() ? u'1' : u'0';
    QCOMPARE(enabled, QStringList({u"1100"_s, u"1111"_s, u"0000"_s})[mode]);
    QCOMPARE(f.text(u"edtToPmt"_s), u"0"_s);
    QCOMPARE(f.host.extraPayment().ExtraPaymentMode, PrepaymentMode(mode));
    QCOMPARE(f.host.extraPayment().ExtraFromPayment, extra[1].toInt());
}

void TestAmort::pageReset_data()
{
    QTest::addColumn<QString>("term"); // empty: the Reset button
    QTest::newRow("Reset") << QString();
    // Terms the schedule cannot hold: unusable figures and the page reset, never a hang.
    QTest::newRow("no payments") << u"0"_s;
    QTest::newRow("a billion payments") << u"1000000000"_s;
}

// Entering shows the stored loan's schedule, focused, printing switched on and off and then on by
// the calculation. The page reset: default figures, empty cells, printing, Reset and Add Extra off,
// the schedule untouched; Calculate brings everything back.
void TestAmort::pageReset()
{
    QFETCH(QString, term);
    AmortFixture f;
    QCOMPARE(row(f, 0), u"1 $57.53 $729.17 $57.53 $729.17 $0.00 $99,942.47"_s);
    QVERIFY(f.get(u"edtAmortPayment"_s)->isReadOnly() && !isOpen(f, u"pnlAddExtra"_s));
    QCOMPARE(f.host.allowPrintingCalls * 10 + f.host.disallowPrintingCalls, 21);
    QCOMPARE(QApplication::focusWidget(), f.get(u"edtMortAmt"_s));
    auto *addExtra = f.get<QAbstractButton>(u"btnAddExtra"_s);
    QVERIFY(f.host.printingAllowed && f.host.resetEnabled && addExtra->isEnabled());
    if (term.isEmpty()) {
        typeOnly(f.get(u"edtMortAmt"_s), u"5000"_s);
        f.page->Reset();
    } else {
        calculate(f, {u"250000"_s, u"6"_s, term});
    }
    QCOMPARE(f.messages(), term.isEmpty() ? QStringList() : QStringList{kUnusableFigures});
    QCOMPARE(shown(f).mid(0, 4), kDefaults);
    QCOMPARE(grid(f)->rowCount(), 360);
    QCOMPARE(cell(f, 0, 0) + cell(f, -1, 6), QString());
    QVERIFY(!f.host.printingAllowed && !f.host.resetEnabled && !addExtra->isEnabled());
    QCOMPARE(f.host.mortgage().NumPayments(), 360);
    QCOMPARE(f.host.mortgage().Principal(), 100000.0);
    click(f, u"btnAddExtraPayments"_s);
    QVERIFY(!isOpen(f, u"pnlAddExtra"_s));
    click(f, u"btnCalculate"_s);
    QVERIFY(cell(f, 0, 0) == u"1"_s && f.host.printingAllowed && addExtra->isEnabled());
}

void TestAmort::mortgageInsurance_data()
{
    QTest::addColumn<QStringList>("loan");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("premium"); // typed over the proposal; empty keeps it
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("shown"); // see insurance()
    QTest::addColumn<QString>("message");
    const QStringList none;
    const QString home = u"200000"_s, nothing = u"|||||||"_s;
    // The worked figures; the arithmetic itself is tested headless.
    QTest::newRow("worked figures")
        << kLoan << none << home << QString() << u"$78.00"_s << kWorked << QString();
    QTest::newRow("worked figures, 200 extra on every payment")
        << kLoan << texts({"rbAllPmts", "", "", "200"}) << home << QString() << u"$78.00"_s
        << u"90.000%|95|49|109|$7,410.00|$3,822.00|$8,502.00|$3,588.00"_s << QString();
    QTest::newRow("loan at 80 %: no insurance")
        << texts({"160000", "6.5", "360"}) << none << home << QString() << u"$0.00"_s
        << u"80.000%|||||||"_s << QString();
    QTest::newRow("home value 0")
        << kLoan << none << u"0"_s << QString() << u"$0.00"_s << nothing
        << u"Please enter the home value, the lower of the purchase price and the appraised "
           u"value,\n\ras an amount above 0."_s;
    QTest::newRow("typed premium") << kLoan << none << home << u"70"_s << u"$78.00"_s
                                   << u"90.000%|95||109|$6,650.00||$7,630.00|"_s << QString();
    QTest::newRow("negative premium")
        << kLoan << none << home << u"-1"_s << u"$78.00"_s << nothing
        << u"The monthly mortgage insurance premium cannot be below 0."_s;
    QTest::newRow("over 97 % without a premium")
        << texts({"195000", "6.5", "360"}) << none << home << QString() << u"$0.00"_s << nothing
        << u"The loan is more than 97% of the home value, beyond the premium table.\n\r"
           u"Please enter the monthly premium your lender quotes."_s;
}

// The panel's results, the marked rows and the export column, or the message.
void TestAmort::mortgageInsurance()
{
    QFETCH(QStringList, loan);
    QFETCH(QStringList, extra);
    QFETCH(QString, home);
    QFETCH(QString, premium);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    AmortFixture f;
    calculate(f, loan);
    addExtra(f, extra);
    click(f, u"btnMortgageInsurance"_s);
    f.type(u"edtMIHomeValue"_s, home);
    QTEST(f.get<TNumEdit>(u"edtMIPremium"_s)->displayText(), "proposed");
    if (!premium.isEmpty()) { // then Home Value entered and left unchanged: the premium stays
        f.type(u"edtMIPremium"_s, premium);
        f.get(u"edtMIHomeValue"_s)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.get(u"edtMIHomeValue"_s), Qt::Key_Tab);
    }
    click(f, u"btnApplyMI"_s);
    QCOMPARE(f.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(!isOpen(f, u"pnlAddExtra"_s)); // the two panels share their place
    QCOMPARE(insurance(f), shown);
    QCOMPARE(isOpen(f, u"pnlMIResults"_s), message.isEmpty());
    const TableData table = f.page->tableData();
    QCOMPARE(table.headings.size(), message.isEmpty() ? 8 : 7);
    const QStringList parts = shown.split(u'|');
    if (parts[1].isEmpty())
        return;
    // The payment the borrower can ask at and the automatic end are marked; the export's premium
    // column runs up to the first.
    const int ask = (parts[2].isEmpty() ? parts[1] : parts[2]).toInt();
    const auto colour = [&f](int r, int c) {
        return grid(f)->index(r, c).data(Qt::BackgroundRole);
    };
    QCOMPARE(colour(ask - 1, 0).value<QColor>(), AmortModel::AskColor);
    QCOMPARE(colour(parts[3].toInt() - 1, 6).value<QColor>(), AmortModel::EndsColor);
    QVERIFY(!colour(ask, 0).isValid());
    QCOMPARE(table.headings.last(), u"Mortgage Insurance"_s);
    QCOMPARE(table.rows[std::size_t(ask - 1)].back().value,
             premium.isEmpty() ? 78.0 : premium.toDouble());
    QCOMPARE(table.rows[std::size_t(ask)].back().value, 0.0);
}

// The schedule's CSV file: plain numbers, one record a payment, CRLF line ends. Quoting as
// spreadsheets read it, numbers without grouping and with a point in any locale; a target that
// cannot be written gives the reason and leaves nothing behind.
void TestAmort::csv()
{
    AmortFixture f;
    QVERIFY(f.page->hasTable());
    QTemporaryDir dir;
    QCOMPARE(saveCsv(f.page->tableData(), dir.filePath(u"a.csv"_s)), QString());
    const QStringList lines =
        QString::fromUtf8(test::readBytes(dir.filePath(u"a.csv"_s))).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 362); // and an empty one after the last CRLF
    QCOMPARE(lines[0], kHeadings);
    QCOMPARE(lines[1] + u'|' + lines[360].section(u',', 6),
             u"1,57.53,729.17,57.53,729.17,0.00,99942.47|0.97"_s);
    QLocale::setDefault(QLocale(u"de_DE"_s));
    TableData table;
    table.headings = QStringList{u"Rate, %"_s, u"The \"best\""_s};
    table.rows.push_back({TableCell::label(u"say \"no\""_s), TableCell::number(1234567.891, 2)});
    table.rows.push_back({TableCell::label(u"two\nlines"_s), TableCell::number(-0.004, 2)});
    table.rows.push_back({TableCell::label(u"\u00e9t\u00e9"_s), TableCell::number(-12.5, 2)});
    QCOMPARE(csvText(table), QByteArray("\"Rate, %\",\"The \"\"best\"\"\"\r\n"
                                        "\"say \"\"no\"\"\",1234567.89\r\n"
                                        "\"two\nlines\",0.00\r\n"
                                        "\xc3\xa9t\xc3\xa9,-12.50\r\n"));
    const QString missing = saveCsv(table, dir.filePath(u"missing/a.csv"_s));
    QVERIFY2(missing.contains(u"No such file or directory"_s), qPrintable(missing));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{u"a.csv"_s});
}

void TestAmort::displayList_data()
{
    QTest::addColumn<QStringList>("loan");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("payments");
    QTest::addColumn<int>("withoutExtras"); // points of the dashed line, 0 for none
    // The money axis, bottom to top: steps of 1, 2, 2.5 or 5 times a power of ten, at most five of
    // them over the figures' range.
    QTest::addColumn<QString>("money");
    // The savings caption's wording (its figures are tested headless); none without extras, not
    // checked where null.
    QTest::addColumn<QString>("caption");
    const QStringList none, at0{u"12000"_s, u"0"_s, u"12"_s};
    const QString upTo200k = u"$0|$50,000|$100,000|$150,000|$200,000"_s;
    const QString save = u"The extra payments save "_s;
    QTest::newRow("defaults, no extras") << none << none << 360 << 0 << upTo200k << u""_s;
    QTest::newRow("12000 at 0 %, 1000 on payment 1")
        << at0 << QStringList{u"rbOnePmt"_s, u"1"_s, {}, u"1000"_s} << 11 << 12
        << u"$0|$2,500|$5,000|$7,500|$10,000|$12,500"_s
        << save + u"$0.00 in interest and end the loan 1 payment (1 month) sooner."_s;
    QTest::newRow("60000 at 0 % over 12") << QStringList{u"60000"_s, u"0"_s, u"12"_s} << none << 12
                                          << 0 << u"$0|$20,000|$40,000|$60,000"_s << u""_s;
    QTest::newRow("100 on all payments")
        << none << texts({"rbAllPmts", "", "", "100"}) << 238 << 360 << upTo200k
        << save + u"$72,330.29 in interest and end the loan 122 payments (10 years 2 months) "
                  u"sooner."_s;
    QTest::newRow("250 on 1 to 3")
        << none << QStringList{u"rbRangePmts"_s, u"1"_s, u"3"_s, u"250"_s} << 348 << 360 << upTo200k
        << save + u"$8,946.96 in interest and end the loan 12 payments (1 year) sooner."_s;
    QTest::newRow("10 taken off every payment")
        << none << QStringList{u"rbAllPmts"_s, {}, {}, u"-10"_s} << 360 << 360 << upTo200k
        << u"The extra payments cost $13,781.40 more in interest; the loan ends with the same "
           u"payment."_s;
    // A negative amount is taken as a loan increase: principal to date falls below zero.
    QTest::newRow("100 taken off every payment")
        << none << QStringList{u"rbAllPmts"_s, {}, {}, u"-100"_s} << 360 << 360
        << u"($100,000)|$0|$100,000|$200,000|$300,000|$400,000"_s << QString();
}

// The three curves one point a payment inside the plot, the dashed balance without extras, the
// money labels, the legend, the years marked, the caption.
void TestAmort::displayList()
{
    QFETCH(QStringList, loan);
    QFETCH(QStringList, extra);
    QFETCH(int, payments);
    QFETCH(int, withoutExtras);
    QFETCH(QString, caption);
    AmortFixture f;
    calculate(f, loan);
    if (!caption.isNull())
        QCOMPARE(savings(f), QString()); // no extras, no caption
    addExtra(f, extra);
    if (!caption.isNull())
        QCOMPARE(savings(f), caption);
    QCOMPARE(f.messages(), QStringList());
    const QSizeF size(540, 400);
    const report::PreparedPage drawn{f.page->chartView()->drawing(size)};
    const std::vector<PageItem> &items = drawn.items;
    AmortChartFrame frame;
    QCOMPARE(drawAmortChart(f.page->chartView()->data(), size, &frame).size(), items.size());
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
    QTEST(drawn.textsOf(chart::MoneyLabel).join(u'|'), "money");
    QCOMPARE(drawn.textsOf(chart::Legend).contains(u"Balance without extras"_s), bool(dashed));
    // Every step-th year, under the payment that ends it, up to the last whole year of the longer
    // schedule.
    const QStringList years = drawn.textsOf(chart::YearLabel);
    const QStringList numbers = drawn.textsOf(chart::PaymentLabel);
    QVERIFY(!years.isEmpty() && years.size() == numbers.size());
    const int step = years.first().mid(3).toInt();
    for (int k = 0; k < years.size(); ++k)
        QCOMPARE(years[k] + u' ' + numbers[k],
                 u"yr %1 %2"_s.arg(step * (k + 1)).arg(12 * step * (k + 1)));
    QCOMPARE(years.size(), std::max(payments, withoutExtras) / 12 / step);
}

// One session in de_DE: Ctrl+C copies the selected rows, or all, in the locale's form; extras
// accumulate, Cancel only closes the panel, Remove takes them off; the chart takes the grid's
// place, follows the page and prints on one page under the figures; after a reset there is nothing
// to copy or export.
void TestAmort::session()
{
    QLocale::setDefault(QLocale(u"de_DE"_s));
    AmortFixture f;
    const QStringList before = shown(f);
    auto *view = f.get<QTableView>(u"grdAmortization"_s);
    const auto copied = [view] {
        view->setFocus();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text().split(u'\n');
    };
    QCOMPARE(copied().size(), 362); // the heading, every row and an empty line
    for (int r : {1, 3})            // rows 2 to 4
        QTest::mouseClick(view->viewport(), Qt::LeftButton,
                          r == 1 ? Qt::NoModifier : Qt::ShiftModifier,
                          view->visualRect(view->model()->index(r, 2)).center());
    QCOMPARE(copied(),
             (QStringList{QString(kHeadings).replace(u',', u'\t'),
                          u"2\t57,95\t728,75\t115,48\t1457,92\t0,00\t99884,52"_s,
                          u"3\t58,38\t728,32\t173,86\t2186,24\t0,00\t99826,14"_s,
                          u"4\t58,80\t727,90\t232,66\t2914,14\t0,00\t99767,34"_s, QString()}));
    addExtra(f, {u"rbOnePmt"_s, u"12"_s, {}, u"500"_s});
    addExtra(f, {u"rbRangePmts"_s, u"1"_s, u"3"_s, u"250"_s});
    addExtra(f, {u"rbOnePmt"_s, u"100"_s, {}, u"1000"_s});
    QCOMPARE(cell(f, 11, 5) + cell(f, 2, 5) + cell(f, 99, 5),
             u"500,00\u00a0€250,00\u00a0€1.000,00\u00a0€"_s);
    const QStringList withExtras = shown(f);
    click(f, u"btnCancel"_s);
    QVERIFY(!isOpen(f, u"pnlAddExtra"_s));
    QCOMPARE(shown(f), withExtras);
    click(f, u"btnAddExtraPayments"_s);
    click(f, u"btnRemove"_s);
    QCOMPARE(shown(f), before);
    QVERIFY(isOpen(f, u"pnlAddExtra"_s));
    auto *button = f.get<QAbstractButton>(u"btnAmortChart"_s);
    const AmortChartView *chart = f.page->chartView();
    click(f, u"btnAmortChart"_s);
    QVERIFY(button->text() == u"&Table"_s && !view->isVisible() && isOpen(f, u"pnlAmortChart"_s));
    addExtra(f, {u"rbAllPmts"_s, {}, {}, u"100,50"_s}); // read in the locale
    QCOMPARE(int(chart->data().rows.size()), 238);
    const QStringList records = QString::fromUtf8(csvText(f.page->tableData())).split(u"\r\n"_s);
    QCOMPARE(records.size(), 240);
    QCOMPARE(records[1], u"1,158.03,729.17,158.03,729.17,100.50,99841.97"_s);
    QCOMPARE(records[238], u"238,414.12,3.02,100000.00,110683.54,0.00,0.00"_s);
    click(f, u"btnMortgageInsurance"_s);
    f.type(u"edtMIHomeValue"_s, u"110000"_s);
    click(f, u"btnApplyMI"_s);
    QWidget window;
    PrintDispatcher printer(&window);
    PreviewCatcher catcher;
    printPage(printer, f.page.get());
    QCOMPARE(catcher.shown.size(), std::size_t(1));
    const report::PreparedReport &out = catcher.shown.front();
    const report::PreparedPage &page = out.pages.front();
    QCOMPARE(out.title + u'|' + page.textOf(u"lblTitle"_s) + u'|' +
                 QString::number(out.pageCount()),
             u"Preview of Amortization Chart|Loan Amortization Chart|1"_s);
    const QString block = f.page->property(MiPanel::SummaryProperty).toString();
    QCOMPARE(block, u"Mortgage insurance: home value 110.000,00\u00a0€, loan-to-value at start "
                    u"90,909%. Premium 65,00\u00a0€ a month. May ask to cancel after payment 128 "
                    u"(8.320,00\u00a0€ of premiums); with the extra payments after payment 61 "
                    u"(3.965,00\u00a0€, saving 4.355,00\u00a0€). Ends by itself after payment 142 "
                    u"(9.230,00\u00a0€ of premiums)."_s);
    QCOMPARE(page.textOf(u"lblMISummary"_s), block);
    QCOMPARE(page.textsOf(chart::MarkLabel),
             (QStringList{u"May ask to cancel insurance: payment 61"_s,
                          u"Insurance ends: payment 142"_s}));
    QVERIFY(findItem(page.items, chart::BalanceWithoutExtras));
    QCOMPARE(page.textOf(u"lblAmortSavings"_s), savings(f));
    // One point per listed payment, between the margins and below the figures.
    const PageItem *balance = findItem(page.items, chart::Balance);
    QCOMPARE(balance ? int(balance->points.size()) : 0, 238);
    const QRectF bounds = balance->points.boundingRect();
    QVERIFY(out.layout.paintRect(QPageLayout::Point).contains(bounds));
    const PageItem *figures = page.findText(u"786,70\u00a0€"_s);
    QVERIFY(figures && bounds.top() > figures->rect.bottom());
    // The error handler's reset empties the chart; entering refills it, still shown.
    f.type(u"EdtNumPmts"_s, u"0"_s);
    click(f, u"btnCalculate"_s);
    QCOMPARE(f.failures, QStringList{kUnusableFigures});
    const report::PreparedPage empty{chart->items()};
    QCOMPARE(empty.textsOf(chart::Empty), QStringList{u"No schedule to chart."_s});
    QVERIFY(!findItem(empty.items, chart::Balance) && savings(f).isEmpty());
    f.page->enter();
    QVERIFY(chart->data().rows.size() == 360 && isOpen(f, u"pnlAmortChart"_s));
    click(f, u"btnAmortChart"_s);
    QVERIFY(button->text() == u"Char&t"_s && view->isVisible() && !isOpen(f, u"pnlAmortChart"_s));
    f.page->Reset();
    QVERIFY(!f.page->hasTable() && f.page->tableData().rows.empty());
    QGuiApplication::clipboard()->setText(u"kept"_s);
    QCOMPARE(copied(), QStringList{u"kept"_s});
    // Insurance outlives Reset and a new loan, at the premium proposed for the first; Remove ends
    // it.
    QCOMPARE(insurance(f), u"|||||||"_s);
    calculate(f, {u"190000"_s, u"12"_s});
    QCOMPARE(insurance(f), u"172,727%|180||180|11.700,00\u00a0€||11.700,00\u00a0€|"_s);
    click(f, u"btnRemoveMI"_s);
    QVERIFY(insurance(f) == u"|||||||"_s && !isOpen(f, u"pnlMIResults"_s));
    QCOMPARE(f.page->tableData().headings.size(), 7);
    QCOMPARE(f.page->property(MiPanel::SummaryProperty).toString(), QString());
}

QTEST_MAIN(TestAmort)
#include "tst_amort.moc"
