// The Loan Amortizations page driven as a user drives it: enter the page,
// type figures, press Calculate, add and remove extra payments, read the grid.

#include "calculators/AmortChartView.h"
#include "calculators/AmortModel.h"
#include "calculators/AmortPage.h"
#include "calculators/MiPanel.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace clvn;
using namespace Qt::Literals::StringLiterals;

class TestAmort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        test::recordErrors(m_errors, [this] { m_page->recoverFromFloatError(true); });
    }
    void init()
    {
        m_errors.clear();
        m_host = std::make_unique<test::FakeHost>();
        m_page = std::make_unique<AmortPage>(*m_host);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
        m_page->activateWindow();
        m_page->enter();
    }
    void cleanup()
    {
        m_page.reset(); // before the host it uses
        test::pinLocale();
    }
    void enterWithDefaults();
    void schedule_data();
    void schedule();
    void extraAmountInTheLocale_data();
    void extraAmountInTheLocale();
    void refused_data();
    void refused();
    void cancelThenRemoveAfterSeveralRecalcs();
    void pageReset_data();
    void pageReset();
    void mortgageInsurance_data();
    void mortgageInsurance();
    void mortgageInsuranceKeptUntilRemoved();

private:
    template <class T = QLineEdit> T *child(const QString &name) const
    {
        return test::find<T>(m_page.get(), name);
    }
    QTableView *view() const { return child<QTableView>(u"grdAmortization"_s); }
    QAbstractItemModel *grid() const { return view()->model(); }
    // A cell's text; rows below 0 count from the end.
    QString cell(int row, int column) const
    {
        return grid()->index(row < 0 ? grid()->rowCount() + row : row, column).data().toString();
    }
    // One grid row's seven texts, joined by spaces.
    QString row(int r) const
    {
        QStringList texts;
        for (int c = 0; c < grid()->columnCount(); ++c)
            texts << cell(r, c);
        return texts.join(u' ');
    }
    // Everything the grid and the payment field show.
    QStringList shown() const
    {
        QStringList texts{child(u"edtAmortPayment"_s)->text()};
        for (int r = 0; r < grid()->rowCount(); ++r)
            texts << row(r);
        return texts;
    }
    // Loan, rate, term and payment as read when not being edited.
    QString figures() const
    {
        return child<TNumEdit>(u"edtMortAmt"_s)->displayText() + u' ' +
               child(u"EdtIRate"_s)->text() + u' ' + child(u"EdtNumPmts"_s)->text() + u' ' +
               child(u"edtAmortPayment"_s)->text();
    }
    bool panelOpen() const { return child<QFrame>(u"pnlAddExtra"_s)->isVisible(); }
    void click(QString name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    // "loan|rate|term": types the figures and presses Calculate; or
    // "mode|from|to|amount": opens the panel, picks the mode, types the
    // figures its fields take and presses Re-Calculate.
    void act(const QString &figures)
    {
        const QStringList typed = figures.split(u'|');
        const bool extra = typed.size() == 4;
        if (extra) {
            click(u"btnAddExtraPayments"_s);
            QVERIFY(panelOpen());
            click(typed[0]);
        }
        const QStringList fields =
            extra ? QStringList{{}, u"edtFromPmt"_s, u"edtToPmt"_s, u"edtExtraAmount"_s}
                  : QStringList{u"edtMortAmt"_s, u"EdtIRate"_s, u"EdtNumPmts"_s};
        for (int i = extra; i < typed.size(); ++i)
            if (child(fields[i])->isEnabled())
                type(fields[i], typed[i]);
        click(extra ? u"btnAddExtra"_s : u"btnCalculate"_s);
    }
    void type(const QString &name, const QString &text) { test::typeAccepted(child(name), text); }
    // The insurance results as shown: start LTV, the three payments, the
    // three premiums and the saving, "|" between them.
    QString insurance() const
    {
        QStringList texts;
        for (const char *name :
             {"edtMIStartLTV", "edtMIAskAt", "edtMIAskActualAt", "edtMIEndsAt", "edtMIPremiumsAsk",
              "edtMIPremiumsAskActual", "edtMIPremiumsEnd", "edtMISaved"})
            texts << child(QLatin1String(name))->text();
        return texts.join(u'|');
    }
    // Opens the insurance panel and applies a home value and, unless empty,
    // a premium typed over the proposed one; gives the proposed premium.
    QString applyInsurance(const QString &home, const QString &premium = {})
    {
        click(u"btnMortgageInsurance"_s);
        type(u"edtMIHomeValue"_s, home);
        const QString proposed = child<TNumEdit>(u"edtMIPremium"_s)->displayText();
        if (!premium.isEmpty())
            type(u"edtMIPremium"_s, premium);
        click(u"btnApplyMI"_s);
        return proposed;
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<AmortPage> m_page;
    QStringList m_errors; // what reached the application-wide handler
};

// Entering lists the stored defaults, 100000 at 8.75 % over 360 months.
void TestAmort::enterWithDefaults()
{
    // Rows here and below: independent Python recomputation, cents half up per row.
    QCOMPARE(figures(), u"$100,000.00 8.750 360 $786.70"_s);
    QVERIFY(child(u"edtAmortPayment"_s)->isReadOnly());
    QCOMPARE(row(0), u"1 $57.53 $729.17 $57.53 $729.17 $0.00 $99,942.47"_s);
    QCOMPARE(row(-1), u"360 $781.00 $5.70 $99,999.03 $183,212.97 $0.00 $0.97"_s);
    // Printing switched on and off by the navigation, then on by the calculation.
    QVERIFY(m_host->printingAllowed);
    QCOMPARE(m_host->allowPrintingCalls, 2);
    QCOMPARE(m_host->disallowPrintingCalls, 1);
    QVERIFY(m_host->resetEnabled);
    QVERIFY(child<QAbstractButton>(u"btnAddExtra"_s)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(u"edtMortAmt"_s));
    QVERIFY(!panelOpen());
    QVERIFY(m_errors.isEmpty());
    // The seven columns fit the page.
    QVERIFY(view()->horizontalHeader()->length() <= view()->viewport()->width());
    QVERIFY(view()->geometry().bottom() < m_page->height());
}

void TestAmort::schedule_data()
{
    QTest::addColumn<QString>("steps"); // loan|rate|term, or an extra: mode|from|to|amount
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("last");     // the last row's number, principal and balance
    QTest::addColumn<QStringList>("rows"); // whole rows, found by their number
    // The library's worked schedule (665.30, last balance 2.98); rows as above.
    QTest::newRow("100000 at 7 %")
        << u"100000|7|360"_s << u"$665.30"_s << u"360 $661.42 $2.98"_s
        << QStringList{u"360 $661.42 $3.88 $99,997.02 $139,510.98 $0.00 $2.98"_s};
    QTest::newRow("12000 at 0 %") << u"12000|0|12"_s << u"$1,000.00"_s << u"12 $1,000.00 $0.00"_s
                                  << QStringList{
                                         u"12 $1,000.00 $0.00 $12,000.00 $0.00 $0.00 $0.00"_s};
    // Python as above, an extra added to its row's principal; paid off early,
    // the grid ends at the payoff row.
    const QString payment = u"$786.70"_s;
    QTest::newRow("single payment 12")
        << u"rbOnePmt|12||500"_s << payment << u"353 $180.14 $0.00"_s
        << QStringList{u"12 $562.32 $724.38 $1,218.77 $8,721.63 $500.00 $98,781.23"_s,
                       u"13 $66.42 $720.28 $1,285.19 $9,441.91 $0.00 $98,714.81"_s};
    QTest::newRow("range 1 to 3")
        << u"rbRangePmts|1|3|250"_s << payment << u"348 $527.27 $0.00"_s
        << QStringList{u"3 $312.03 $724.67 $929.34 $2,180.76 $250.00 $99,070.66"_s,
                       u"4 $64.31 $722.39 $993.65 $2,903.15 $0.00 $99,006.35"_s};
    // An empty "To Payment #" sets only the first payment.
    QTest::newRow("range with empty To")
        << u"rbRangePmts|5||250"_s << payment << u"356 $670.56 $0.00"_s
        << QStringList{u"5 $309.23 $727.47 $541.89 $3,641.61 $250.00 $99,458.11"_s,
                       u"6 $61.48 $725.22 $603.37 $4,366.83 $0.00 $99,396.63"_s};
    QTest::newRow("100 on all payments")
        << u"rbAllPmts|||100"_s << payment << u"238 $729.46 $0.00"_s
        << QStringList{u"1 $157.53 $729.17 $157.53 $729.17 $100.00 $99,842.47"_s,
                       u"2 $158.68 $728.02 $316.21 $1,457.19 $100.00 $99,683.79"_s};
}

void TestAmort::schedule()
{
    QFETCH(QString, steps);
    QFETCH(QString, payment);
    QFETCH(QString, last);
    QFETCH(QStringList, rows);
    test::MessageBoxCatcher boxes;
    act(steps);
    QVERIFY((boxes.texts() + m_errors).isEmpty());
    QCOMPARE(child(u"edtAmortPayment"_s)->text(), payment);
    for (const QString &r : rows)
        QCOMPARE(row(r.section(u' ', 0, 0).toInt() - 1), r);
    QCOMPARE(QString(cell(-1, 0) + u' ' + cell(-1, 1) + u' ' + cell(-1, 6)), last);
    for (int r = 0; r < grid()->rowCount() - 1; ++r)
        QVERIFY(cell(r, 6) != u"$0.00"_s);
    const QStringList typed = steps.split(u'|');
    if (typed.size() < 4)
        return;
    // Only a range takes a "To Payment #"; all payments takes no number.
    const int mode = QStringList{u"rbOnePmt"_s, u"rbRangePmts"_s, u"rbAllPmts"_s}.indexOf(typed[0]);
    QCOMPARE(child(u"edtFromPmt"_s)->isEnabled(), mode != 2);
    QCOMPARE(child(u"edtToPmt"_s)->isEnabled(), mode == 1);
    // An empty "To Payment #" is read, and shown, as 0.
    QCOMPARE(child(u"edtToPmt"_s)->text(), typed[2].isEmpty() ? u"0"_s : typed[2]);
    QCOMPARE(m_host->extraPayment().ExtraPaymentMode, PrepaymentMode(mode));
    QCOMPARE(m_host->extraPayment().ExtraFromPayment, typed[1].toInt());
}

void TestAmort::extraAmountInTheLocale_data()
{
    QTest::addColumn<QString>("amount");
    QTest::newRow("de comma") << u"100,50"_s;
    QTest::newRow("de point") << u"100.50"_s;
}

// The extra amount is read like every other field of the user's locale.
void TestAmort::extraAmountInTheLocale()
{
    QFETCH(QString, amount);
    QLocale::setDefault(QLocale(u"de_DE"_s));
    act(u"rbOnePmt|12||"_s + amount);
    QCOMPARE(m_errors, QStringList{});
    QCOMPARE(m_host->mortgage().Payments().at(11).ExtraPrincipal, 100.5);
    QCOMPARE(cell(11, 5), u"100,50\u00a0€"_s);
}

void TestAmort::refused_data()
{
    QTest::addColumn<QString>("figures"); // loan|rate|term, or mode|from|to|amount
    QTest::addColumn<QString>("message"); // the page's own, or what reached the handler
    const QString outside = u"Cannot calculate results of extra payments without new figures."
                            u"\n\r\n\rPlease use the edit boxes and radio buttons to\n\rindicate "
                            u"the amount of your extra payments."_s;
    QTest::newRow("single 0") << u"rbOnePmt|0||100"_s << outside;
    QTest::newRow("single 361") << u"rbOnePmt|361||100"_s << outside;
    QTest::newRow("range 0 to 5") << u"rbRangePmts|0|5|100"_s << outside;
    QTest::newRow("range 359 to 362") << u"rbRangePmts|359|362|100"_s << outside;
    QTest::newRow("empty term") << u"100000|8.75|"_s << u"unidentified"_s;
    QTest::newRow("fractional term") << u"100000|8.75|360.5"_s << u"unidentified"_s;
    QTest::newRow("letters as amount") << u"rbAllPmts|1|2|abc"_s << u"unidentified"_s;
    QTest::newRow("grouped amount") << u"rbAllPmts|1|2|1,000"_s << u"unidentified"_s;
    QTest::newRow("infinite amount") << u"rbAllPmts|1|2|inf"_s << u"unidentified"_s;
    QTest::newRow("empty single payment") << u"rbOnePmt||2|100"_s << u"unidentified"_s;
    QTest::newRow("fractional from") << u"rbRangePmts|2.5|2|100"_s << u"unidentified"_s;
}

// A payment number outside the schedule gets the page's own message; unreadable
// text reaches the handler as a conversion error. The schedule stays as it was.
void TestAmort::refused()
{
    QFETCH(QString, figures);
    QFETCH(QString, message);
    const QStringList before = shown();
    test::MessageBoxCatcher boxes;
    act(figures);
    QCOMPARE(boxes.texts() + m_errors, QStringList{message});
    // A range that runs past the schedule is refused whole: it stays as it was.
    QCOMPARE(shown(), before);
    if (message == u"unidentified") {
        QCOMPARE(m_host->mortgage().Payments().at(0).ExtraPrincipal, 0.0);
        QCOMPARE(m_host->extraPayment().ExtraAmount, 0.0);
        QCOMPARE(m_host->extraPayment().ExtraPaymentMode, PrepaymentMode::Single);
    }
}

void TestAmort::cancelThenRemoveAfterSeveralRecalcs()
{
    const QStringList before = shown();
    act(u"rbOnePmt|12||500"_s);
    act(u"rbRangePmts|1|3|250"_s);
    act(u"rbOnePmt|100||1000"_s);
    // Extras accumulate until removed; Cancel only closes the panel.
    QCOMPARE(QString(cell(11, 5) + cell(2, 5) + cell(99, 5)), u"$500.00$250.00$1,000.00"_s);
    const QStringList withExtras = shown();
    click(u"btnCancel"_s);
    QVERIFY(!panelOpen());
    QCOMPARE(shown(), withExtras);
    click(u"btnAddExtraPayments"_s);
    click(u"btnRemove"_s);
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(shown(), before);
    QVERIFY(panelOpen());
}

void TestAmort::pageReset_data()
{
    QTest::addColumn<QString>("term"); // empty: the Reset button
    QTest::newRow("Reset") << QString();
    // Terms the schedule cannot hold: unusable figures and the page reset, never a hang.
    QTest::newRow("no payments") << u"0"_s;
    QTest::newRow("100000 payments") << u"100000"_s;
    QTest::newRow("a billion payments") << u"1000000000"_s;
    QTest::newRow("negative") << u"-5"_s;
}

// The page reset: default figures, empty cells, printing, Reset and Add Extra off.
void TestAmort::pageReset()
{
    QFETCH(QString, term);
    if (term.isEmpty()) {
        child(u"edtMortAmt"_s)->selectAll();
        QTest::keyClicks(child(u"edtMortAmt"_s), u"5000"_s);
        m_page->Reset();
    } else {
        act(u"250000|6|"_s + term);
    }
    QCOMPARE(m_errors, term.isEmpty() ? QStringList() : QStringList{u"unusable-figures"_s});
    QCOMPARE(figures(), u"$100,000.00 8.750 360 $786.70"_s);
    QCOMPARE(grid()->rowCount(), 360);
    QCOMPARE(QString(cell(0, 0) + cell(-1, 6)), QString());
    QVERIFY(!m_host->printingAllowed);
    QVERIFY(!m_host->resetEnabled);
    QVERIFY(!child<QAbstractButton>(u"btnAddExtra"_s)->isEnabled());
    // The schedule was not touched by the refused figures.
    QCOMPARE(m_host->mortgage().NumPayments(), 360);
    QCOMPARE(m_host->mortgage().Principal(), 100000.0);
    // Add Extra does nothing; Calculate brings everything back.
    click(u"btnAddExtraPayments"_s);
    QVERIFY(!panelOpen());
    click(u"btnCalculate"_s);
    QCOMPARE(cell(0, 0), u"1"_s);
    QVERIFY(m_host->printingAllowed);
    QVERIFY(child<QAbstractButton>(u"btnAddExtra"_s)->isEnabled());
}

void TestAmort::mortgageInsurance_data()
{
    QTest::addColumn<QStringList>("steps"); // as act takes them
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("premium"); // typed over the proposal; empty keeps it
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("shown"); // see insurance()
    QTest::addColumn<QString>("message");
    const QString loan = u"180000|6.5|360"_s;
    // The worked figures; the arithmetic itself is tested headless.
    QTest::newRow("worked figures") << QStringList{loan} << u"200000"_s << QString() << u"$78.00"_s
                                    << u"90.000%|95||109|$7,410.00||$8,502.00|"_s << QString();
    QTest::newRow("worked figures, 200 extra on every payment")
        << QStringList{loan, u"rbAllPmts|||200"_s} << u"200000"_s << QString() << u"$78.00"_s
        << u"90.000%|95|49|109|$7,410.00|$3,822.00|$8,502.00|$3,588.00"_s << QString();
    QTest::newRow("loan at 80 %: no insurance")
        << QStringList{u"160000|6.5|360"_s} << u"200000"_s << QString() << u"$0.00"_s
        << u"80.000%|||||||"_s << QString();
    const QString none = u"|||||||"_s;
    QTest::newRow("home value 0") << QStringList{loan} << u"0"_s << QString() << u"$0.00"_s << none
                                  << MiPanel::HomeValueMessage;
    QTest::newRow("negative premium") << QStringList{loan} << u"200000"_s << u"-1"_s << u"$78.00"_s
                                      << none << MiPanel::PremiumMessage;
    QTest::newRow("over 97 % without a premium")
        << QStringList{u"195000|6.5|360"_s} << u"200000"_s << QString() << u"$0.00"_s << none
        << MiPanel::PremiumNeededMessage;
}

// The panel's results, the marked rows and the export column, or the message.
void TestAmort::mortgageInsurance()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, home);
    QFETCH(QString, premium);
    QFETCH(QString, proposed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    for (const QString &step : steps)
        act(step);
    test::MessageBoxCatcher boxes;
    QCOMPARE(applyInsurance(home, premium), proposed);
    QCOMPARE(boxes.texts() + m_errors, message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(!panelOpen()); // the two panels share their place
    QCOMPARE(insurance(), shown);
    const bool insured = !shown.section(u'|', 1, 1).isEmpty();
    QCOMPARE(child<QWidget>(u"pnlMIResults"_s)->isVisible(), message.isEmpty());
    const TableData table = m_page->tableData();
    QCOMPARE(table.headings.size(), message.isEmpty() ? 8 : 7);
    if (!insured)
        return;
    // The payment the borrower can ask at and the automatic end are marked;
    // the export's premium column runs up to the first.
    const int ask = shown.section(u'|', 2, 2).isEmpty() ? shown.section(u'|', 1, 1).toInt()
                                                        : shown.section(u'|', 2, 2).toInt();
    const int ends = shown.section(u'|', 3, 3).toInt();
    QCOMPARE(grid()->index(ask - 1, 0).data(Qt::BackgroundRole).value<QColor>(),
             AmortModel::AskColor);
    QCOMPARE(grid()->index(ends - 1, 6).data(Qt::BackgroundRole).value<QColor>(),
             AmortModel::EndsColor);
    QVERIFY(!grid()->index(ask, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(table.headings.last(), u"Mortgage Insurance"_s);
    QCOMPARE(table.rows[std::size_t(ask - 1)].back().value, 78.0);
    QCOMPARE(table.rows[std::size_t(ask)].back().value, 0.0);
}

// Reset and a new calculation keep the panel's figures; Remove turns it off.
void TestAmort::mortgageInsuranceKeptUntilRemoved()
{
    const int fullHeight = view()->height();
    act(u"180000|6.5|360"_s);
    applyInsurance(u"200000"_s);
    const QString worked = u"90.000%|95||109|$7,410.00||$8,502.00|"_s;
    QCOMPARE(insurance(), worked);
    QVERIFY(child<QWidget>(u"pnlMIResults"_s)->geometry().top() > view()->geometry().bottom());
    QCOMPARE(m_page->property(MiPanel::SummaryProperty).toString(),
             u"Mortgage insurance: home value $200,000.00, loan-to-value at start 90.000%. "
             u"Premium $78.00 a month. May ask to cancel after payment 95 ($7,410.00 of "
             u"premiums). Ends by itself after payment 109 ($8,502.00 of premiums)."_s);
    // The chart draws the two payments with their captions.
    QStringList captions;
    for (const AmortChartMark &mark : m_page->chartView()->data().marks)
        captions << QString::number(mark.payment) + u": "_s + mark.caption;
    QCOMPARE(captions, (QStringList{u"95: May ask to cancel insurance: payment 95"_s,
                                    u"109: Insurance ends: payment 109"_s}));
    // The extra-payment panel takes the same place: opening it closes this one.
    QVERIFY(child<QWidget>(u"pnlMortgageInsurance"_s)->isVisible());
    click(u"btnAddExtraPayments"_s);
    QVERIFY(panelOpen() && !child<QWidget>(u"pnlMortgageInsurance"_s)->isVisible());
    // ... and lies over the buttons it shares its place with, this one included.
    const QPoint under = child<QWidget>(u"btnMortgageInsurance"_s)->geometry().center();
    QVERIFY(child<QWidget>(u"pnlAddExtra"_s)->isAncestorOf(m_page->childAt(under)));
    m_page->Reset();
    QCOMPARE(insurance(), u"|||||||"_s);
    QCOMPARE(child<TNumEdit>(u"edtMIHomeValue"_s)->displayText(), u"$200,000.00"_s);
    act(u"180000|6.5|360"_s);
    QCOMPARE(insurance(), worked);
    act(u"190000|12|360"_s); // the premium stays as proposed for the first loan
    QCOMPARE(insurance(), u"95.000%|189||180|$14,742.00||$14,040.00|"_s);
    click(u"btnRemoveMI"_s);
    QCOMPARE(insurance(), u"|||||||"_s);
    QVERIFY(!child<QWidget>(u"pnlMIResults"_s)->isVisible());
    QCOMPARE(view()->height(), fullHeight);
    QCOMPARE(m_page->tableData().headings.size(), 7);
    QCOMPARE(m_page->property(MiPanel::SummaryProperty).toString(), QString());
    QVERIFY(m_errors.isEmpty());
}

QTEST_MAIN(TestAmort)
#include "tst_amort.moc"
