// The Loan Spread page: each mode's fields, groups and grid, the increment items, failures and the
// recovery, the cleared grid, the selection, the export; and the spread formats at their limits.

#include "calculators/LsPage.h"
#include "calculators/Lsc.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

using Fixture = test::PageFixture<LsPage>;
const QStringList kFields{u"edtLoan"_s, u"EdtInterest"_s, u"EdtTerm"_s, u"edtPayment"_s};

// The main window's handler as it runs: a real box, then the recovery.
void failInBoxes(Fixture &f)
{
    setExceptionHandler([&f](std::exception_ptr error) {
        bool floatError = false;
        f.failures << failureMessage(error, &floatError);
        showInfo(f.page.get(), f.failures.last());
        returnToRefusedField(error);
        if (floatError)
            f.page->recoverFromFloatError(true);
    });
}

// A stored loan of 150000 at 7.5 % over 180 months (1390.52 a month).
void storedLoan(test::FakeHost &host)
{
    host.buyerValues().Loan = 150000;
    host.buyerValues().Interest = 7.5;
    host.buyerValues().Term = 180;
    host.buyerValues().Payment = 1390.52;
}

// Fields as read when not being edited, joined by '|'.
QString shown(const Fixture &f, const QStringList &names)
{
    QStringList out;
    for (const QString &name : names) {
        auto *money = qobject_cast<TNumEdit *>(f.get(name));
        out << (money ? money->displayText() : f.text(name));
    }
    return out.join(u'|');
}

QString cell(const Fixture &f, int column, int row)
{
    return f.page->grid()->item(row, column)->text();
}
// Cells at (column, row), joined by '|'.
QString cells(const Fixture &f, std::initializer_list<QPoint> at)
{
    QStringList out;
    for (const QPoint &p : at)
        out << cell(f, p.x(), p.y());
    return out.join(u'|');
}

void click(const Fixture &f, const QString &name)
{
    QTest::mouseClick(f.get<QRadioButton>(name), Qt::LeftButton);
}
void chooseMode(const Fixture &f, int mode)
{
    click(f, u"rgCalculateItem%1"_s.arg(mode));
}

// Types `text`; more decimals than a money field keeps cannot be typed, so such
// a figure is put in as the program would and the field left.
void enterFigure(Fixture &f, const QString &name, const QString &text)
{
    auto *money = qobject_cast<TNumEdit *>(f.get(name));
    if (!money || text.section(u'.', 1).size() <= money->Decimals())
        return f.type(name, text);
    money->setFocus(Qt::TabFocusReason);
    money->setValue(text.toDouble());
    QTest::keyClick(money, Qt::Key_Tab);
}

} // namespace

class TestLs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void spreadFormats_data();
    void spreadFormats();
    void modes_data();
    void modes();
    void increments_data();
    void increments();
    void failures_data();
    void failures();
    void clearedGrid_data();
    void clearedGrid();
    void termBeyondWholeNumbers();
    void enterSelectionAndRecovery();
};

// At the limits of the rate mode's formats: payments C(5,2), rates F(5,3), five significant digits
// first, halves to even.
void TestLs::spreadFormats_data()
{
    QTest::addColumn<double>("payment");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("texts");
    QTest::newRow("five significant digits") << 1234.56 << 123.4564 << u"  $1,234.60| 123.460%"_s;
    QTest::newRow("a half after an even digit stays")
        << 12344.5 << 123.125 << u"  $12,344.00| 123.120%"_s;
    QTest::newRow("a half after an odd digit goes up")
        << 12345.5 << 123.375 << u"  $12,346.00| 123.380%"_s;
    // Rounded once to 3 decimals, not first to 9.4525 and then to even.
    QTest::newRow("rate rounded once") << 1.0 << 9.4525026 << u"  $1.00| 9.453%"_s;
}

void TestLs::spreadFormats()
{
    QFETCH(double, payment);
    QFETCH(double, rate);
    SpreadTable table;
    table.columns[0] = payment;
    table.cells[0][0] = rate;
    const SpreadTexts texts = spreadTexts(SpreadMode::Rate, table);
    QTEST(QString(texts.columns[0] + u'|' + texts.cells[0][0]), "texts");
}

// Each mode's fields, increment groups, focus and grid hint, then its grid and fields after typing
// one field, from the start loan (100000 at 8.75 % over 360 months, 786.70 a month).
void TestLs::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("typed"); // field and text, or none
    // Corner, first column and row headings, top left and centre cells, the calculated field and
    // the two totals.
    QTest::addColumn<QString>("shown");
    const QStringList payment{u"edtPayment"_s, u"786.7"_s};
    QTest::newRow("payments")
        << 0 << QStringList()
        << u" Loan / Rate|  7.25%| $95,000| $648.07| $786.70|$786.70|$283,212.15|$183,212.15"_s;
    QTest::newRow("loan amounts")
        << 1 << payment
        << u" Pmt / Rate|  7.25%| $411.70| $60,351| $100,000|$99,999.95|$283,212.00|$183,212.05"_s;
    QTest::newRow("rates")
        << 2 << payment
        << u" Loan / Pmt|  $561.70| $95,000| 5.871%| 8.750%|8.750|$283,212.00|$183,212.00"_s;
    // Column 1 carries no leading blank; the locale's negative form has parentheses.
    QTest::newRow("term that never repays: interest is minus the loan")
        << 3 << test::texts({"edtPayment", "700"})
        << u" Loan / Pmt|  $475.00| $95,000|0.00| 0.00|0|$0.00|($100,000.00)"_s;
    // The top row's loan is -0.001 and its payments a few millionths below zero.
    QTest::newRow("figures rounding to zero show no sign")
        << 0 << test::texts({"edtLoan", "4999.999"})
        << u" Loan / Rate|  7.25%| $0| $0.00| $39.34|$39.34|$14,160.60|$9,160.61"_s;
}

void TestLs::modes()
{
    QFETCH(int, mode);
    QFETCH(QStringList, typed);
    // Calculated field and its hint, left and right increment groups, focus, grid hint.
    const QStringList setup[] = {{u"edtPayment"_s, u"Monthly Payment"_s, u"rgLoan"_s,
                                  u"rgInterest"_s, u"edtLoan"_s, u"Payment Amounts"_s},
                                 {u"edtLoan"_s, u"Loan Amount"_s, u"rgPayments"_s, u"rgInterest"_s,
                                  u"EdtTerm"_s, u"Loan Amounts"_s},
                                 {u"EdtInterest"_s, u"Interest Rate"_s, u"rgLoan"_s,
                                  u"rgPayments"_s, u"edtLoan"_s, u"Interest Rates"_s},
                                 {u"EdtTerm"_s, u"Term in Months"_s, u"rgLoan"_s, u"rgPayments"_s,
                                  u"edtLoan"_s, u"Term in Months"_s}};
    const QStringList &is = setup[mode];
    Fixture f;
    chooseMode(f, mode == 0 ? 3 : 0); // from another mode, so that everything changes
    chooseMode(f, mode);
    const QString enter[] = {u"Enter Loan Amount"_s, u"Enter Interest Rate"_s,
                             u"Enter Term in Months"_s, u"Enter Monthly Payment"_s};
    for (int k = 0; k < 4; ++k) {
        QLineEdit *edit = f.get(kFields[k]);
        const bool calculated = kFields[k] == is[0];
        QCOMPARE(int(edit->isReadOnly()) + int(edit->focusPolicy() == Qt::NoFocus) +
                     int(edit->palette().color(QPalette::Base) == QColor(Qt::yellow)),
                 calculated ? 3 : 0);
        QCOMPARE(edit->toolTip(), calculated ? u"Calculated "_s + is[1] : enter[k]);
    }
    const QHash<QString, QString> captions{{u"rgLoan"_s, u"Increment Loan Amounts By"_s},
                                           {u"rgInterest"_s, u"Increment Interest Rates By"_s},
                                           {u"rgPayments"_s, u"Increment Payments By"_s}};
    for (const QString &group : captions.keys())
        QCOMPARE(f.get<QFrame>(group)->isVisible(), group == is[2] || group == is[3]);
    QCOMPARE(f.get<QLabel>(u"lblLeft"_s)->text(), captions[is[2]]);
    QCOMPARE(f.get<QLabel>(u"lblRight"_s)->text(), captions[is[3]]);
    QCOMPARE(QApplication::focusWidget()->objectName(), is[4]);
    QCOMPARE(f.page->property("SpreadMode").toInt(), mode);
    // The grid's hint follows the pointer; a new place each row.
    QTableWidget *grid = f.page->grid();
    QTest::mouseMove(grid->viewport(), QPoint(100 + 9 * mode, 60 + 7 * typed.size()));
    QTRY_COMPARE(grid->toolTip(), u" Grid is displaying "_s + is[5]);
    QCOMPARE(grid->statusTip(), grid->toolTip());
    if (!typed.isEmpty())
        enterFigure(f, typed[0], typed[1]);
    QTEST(QString(cells(f, {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {4, 6}}) + u'|' +
                  shown(f, {is[0], u"edtTotalPaid"_s, u"edtInterestPaid"_s})),
          "shown");
    QCOMPARE(f.messages(), QStringList());
}

// Every increment: its text, the text kept for the report, and its value as the first step of the
// axis it steps (loan and rate items in the payments mode, payment items in the loan amounts mode);
// the click re-applies the mode's focus.
void TestLs::increments_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("first"); // first row heading, or first column heading for rates
    const auto add = [](const QString &group, const QString &texts, const QString &kept,
                        const QString &first) {
        const QStringList t = texts.split(u'|'), k = kept.split(u'|'), h = first.split(u'|');
        for (int n = 0; n < t.size(); ++n)
            QTest::newRow(qPrintable(group + u' ' + t[n]))
                << u"rg%1Item%2"_s.arg(group).arg(n) << t[n] << k[n] << h[n];
    };
    const QString loans = u"$100|$250|$500|$1000|$2000|$2500|$3000|$4000|$5000"_s;
    add(u"Loan"_s, loans, loans,
        u" $99,500| $98,750| $97,500| $95,000| $90,000| $87,500| $85,000| $80,000| $75,000"_s);
    add(u"Interest"_s, u" .125| .25| .375| .5| .625| .75| .875|1.0"_s,
        u"1/8%|1/4%|3/8%|1/2%|5/8%|3/4%|7/8%|1%"_s,
        u"  8.375%|  8%|  7.625%|  7.25%|  6.875%|  6.5%|  6.125%|  5.75%"_s);
    const QString payments = u"$10|$25|$50|$75|$100|$125|$150|$175|$200"_s;
    add(u"Payments"_s, payments, payments,
        u" $736.70| $661.70| $536.70| $411.70| $286.70| $161.70| $36.70| ($88.30)| ($213.30)"_s);
}

void TestLs::increments()
{
    QFETCH(QString, item);
    QFETCH(QString, kept);
    Fixture f;
    const bool payments = item.startsWith(u"rgPayments");
    chooseMode(f, payments ? 1 : 0);
    f.get(u"edtTotalPaid"_s)->setFocus(Qt::OtherFocusReason);
    QTEST(f.get<QRadioButton>(item)->text(), "text");
    click(f, item);
    QCOMPARE(QApplication::focusWidget(), f.get(payments ? u"EdtTerm"_s : u"edtLoan"_s));
    const QString axis = payments                     ? u"Payment"_s
                         : item.startsWith(u"rgLoan") ? u"Loan"_s
                                                      : u"Rate"_s;
    QCOMPARE(f.page->property(qPrintable(axis + u"IncrementText"_s)).toString(), kept);
    if (!payments) // the payments mode never stepped so far
        QCOMPARE(f.page->property("PaymentIncrementText").toString(), u" "_s);
    QTEST(axis == u"Rate" ? cell(f, 1, 0) : cell(f, 0, 1), "first");
    QCOMPARE(f.messages(), QStringList());
}

// Unusable figures: one message, the mode's entered fields back to the start loan, the grid rebuilt
// and the focus on the mode's first entry; unreadable text: one message and nothing written. From a
// stored loan of 150000 at 7.5 %.
void TestLs::failures_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("item"); // an increment clicked first, or none
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("fields"); // the four entries, the centre cell, the focus
    const QString start = u"$100,000.00|8.750|360|$786.70|"_s;
    // At -1200 % a year one column's 1 + i is 0, which has no logarithm.
    QTest::newRow("payments: rate of -1200 %")
        << 0 << QString() << test::texts({"EdtInterest", "-1200"}) << test::kUnusableFigures
        << start + u" $786.70|edtLoan|$283,212.15|$183,212.15"_s;
    QTest::newRow("loan amounts: very long term overflows")
        << 1 << QString() << test::texts({"EdtTerm", "2000000000"}) << test::kUnusableFigures
        << u"$99,999.95|8.750|360|$786.70| $100,000|edtPayment|$283,212.00|$183,212.05"_s;
    // Payment 150 with a $50 increment puts a payment column at exactly 0. Mended: the box and the
    // recovery's focus move do not count as leaving a field, so there is one message and one
    // rebuild.
    QTest::newRow("terms: a payment column of 0")
        << 3 << u"rgPaymentsItem2"_s << test::texts({"edtPayment", "150"}) << test::kUnusableFigures
        << start + u" 360.00|edtLoan"_s;
    QTest::newRow("rate field emptied: grid kept")
        << 0 << QString() << QStringList{u"EdtInterest"_s, QString()}
        << u"Rate: a number is needed."_s << u"$150,000.00||180|$1,390.52| $1,390.52|EdtInterest"_s;
    QTest::newRow("fractional term: grid kept")
        << 2 << QString() << test::texts({"EdtTerm", "360.5"})
        << u"Months: \"360.5\" is not a whole number."_s
        << u"$150,000.00|7.500|360.5|$1,390.52| 7.500%|EdtTerm"_s;
}

void TestLs::failures()
{
    QFETCH(int, mode);
    QFETCH(QString, item);
    QFETCH(QStringList, typed);
    QFETCH(QString, failure);
    QFETCH(QString, fields);
    Fixture f(storedLoan);
    failInBoxes(f);
    chooseMode(f, mode);
    if (!item.isEmpty())
        click(f, item);
    f.type(typed[0], typed[1]);
    QCOMPARE(f.boxes->texts(), QStringList{failure});
    QString got =
        shown(f, kFields) + u'|' + cell(f, 4, 6) + u'|' + f.page->focusWidget()->objectName();
    if (fields.count(u'|') > 5) // and the totals the recovery shows
        got += u'|' + shown(f, {u"edtTotalPaid"_s, u"edtInterestPaid"_s});
    QCOMPARE(got, fields);
    for (int r = 0; r < LsPage::GridRows; ++r)
        for (int c = 0; c < LsPage::GridColumns; ++c)
            QVERIFY2(!cell(f, c, r).contains(u"inf"_s) && !cell(f, c, r).contains(u"nan"_s),
                     qPrintable(cell(f, c, r)));
}

// A build that fails after a change of mode leaves the cleared grid with the mode's corner and
// provisional headings and no cells.
void TestLs::clearedGrid_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("headings"); // corner, first column, first and last row
    QTest::newRow("payments") << 0 << u" Loan / Rate|5.50%| $95,000| $105,000"_s;
    QTest::newRow("loan amounts") << 1 << u" Pmt / Rate|$650.00| 4.50%|9.50%"_s;
    QTest::newRow("rates and terms") << 2 << u" Loan / Pmt|$650.00| $95,000| $105,000"_s;
}

void TestLs::clearedGrid()
{
    QFETCH(int, mode);
    Fixture f;
    chooseMode(f, mode == 0 ? 3 : 0);
    // Set, not left: a refused field takes the focus back.
    f.get(u"EdtTerm"_s)->setText(u"360.5"_s);
    f.get(u"EdtInterest"_s)->setText(QString());
    chooseMode(f, mode);
    QTEST(cells(f, {{0, 0}, {1, 0}, {0, 1}, {0, 11}}), "headings");
    QCOMPARE(cell(f, 1, 1) + cell(f, 4, 6) + cell(f, 7, 11), QString());
    QVERIFY(!f.page->hasTable());
}

// Mended: a term computed beyond the whole-number range is shown, and every later build that reads
// it reports a conversion error instead of using a wrapped-around integer.
void TestLs::termBeyondWholeNumbers()
{
    Fixture f;
    failInBoxes(f);
    chooseMode(f, 3);
    f.type(u"EdtInterest"_s, u"0"_s);
    enterFigure(f, u"edtPayment"_s, u"0.00001"_s);
    QCOMPARE(f.text(u"EdtTerm"_s) + cell(f, 4, 6), u"10000000000 10000000000.00"_s);
    chooseMode(f, 0);
    QCOMPARE(f.boxes->texts(), QStringList{u"Months: \"10000000000\" is too large."_s});
    QCOMPARE(f.text(u"EdtTerm"_s) + cell(f, 4, 6), u"10000000000"_s);
    f.page->activateWindow(); // after the box
    QVERIFY(QTest::qWaitForWindowActive(f.page.get()));
    QCOMPARE(QApplication::focusWidget(), f.get(u"EdtTerm"_s)); // back in it to be mended
    f.type(u"EdtTerm"_s, u"360"_s);
    QCOMPARE(f.boxes->count(), 1);
    QCOMPARE(cell(f, 4, 6), u" $277.78"_s);
}

// Entering switches printing on and Reset off; the grid offered for export has the decimals the
// grid shows (none before it was first built). Until a mode is chosen the grid keeps its first
// selection and no marks; choosing one selects and marks the centre. Entering again puts back the
// stored loan and focuses the mode's first entry (the payment for loan amounts). Mended: a
// floating-point error on another page rebuilds the grid with sane figures but leaves printing,
// focus and selection to the active page.
void TestLs::enterSelectionAndRecovery()
{
    test::FakeHost host;
    QVERIFY(!LsPage(host).hasTable());
    Fixture f;
    QTableWidget *grid = f.page->grid();
    QVERIFY(f.host.printingAllowed && !f.host.resetEnabled && f.page->hasTable());
    const QStringList lines =
        QString::fromUtf8(csvText(f.page->tableData())).split(u"\r\n"_s, Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines[0], u"Loan / Rate,7.250,7.750,8.250,8.750,9.250,9.750,10.250"_s);
    QCOMPARE(lines[6], u"100000,682.18,716.41,751.27,786.70,822.68,859.15,896.10"_s);
    QCOMPARE(f.page->selectedCell(), QPoint(1, 1));
    QVERIFY(!f.page->isMarked(4, 1));
    chooseMode(f, 0);
    QCOMPARE(f.page->selectedCell(), QPoint(4, 6));
    QVERIFY(f.page->isMarked(4, 1) && f.page->isMarked(7, 6) && !f.page->isMarked(3, 5));
    // Red darkened to read on yellow.
    QCOMPARE(grid->item(6, 4)->foreground().color(), QColor(0xcc, 0, 0));
    QCOMPARE(grid->item(1, 4)->background().color(), QColor(Qt::yellow));
    QCOMPARE(grid->item(1, 1)->foreground().color(), f.page->palette().text().color());
    chooseMode(f, 1);
    storedLoan(f.host);
    f.host.printingAllowed = false;
    f.host.resetEnabled = true;
    f.page->enter();
    QVERIFY(f.host.printingAllowed && !f.host.resetEnabled);
    QCOMPARE(QApplication::focusWidget(), f.get(u"edtPayment"_s));
    QCOMPARE(shown(f, kFields), u"$150,000.16|7.500|180|$1,390.52"_s);
    chooseMode(f, 2);
    f.type(u"edtLoan"_s, u"200000"_s);
    QLineEdit *other = f.get(u"EdtTerm"_s);
    other->setFocus();
    f.host.allowPrintingCalls = 0;
    f.page->recoverFromFloatError(false);
    QCOMPARE(shown(f, {u"edtLoan"_s}) + cell(f, 4, 6), u"$100,000.00 8.750%"_s);
    QVERIFY(f.host.allowPrintingCalls == 0 && QApplication::focusWidget() == other);
    f.page->recoverFromFloatError(true);
    QVERIFY(f.host.allowPrintingCalls == 1 && QApplication::focusWidget() == f.get(u"edtLoan"_s));
    QCOMPARE(f.page->selectedCell(), QPoint(LsPage::CentreColumn, LsPage::CentreRow));
    QCOMPARE(f.messages(), QStringList());
}

QTEST_MAIN(TestLs)
#include "tst_ls.moc"
