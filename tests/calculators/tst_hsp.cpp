// The Home Seller's Proceeds page: what each input and the closing month feed
// into the results, what a failure leaves, entering and Reset.

#include "calculators/HspPage.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QStringList kResults = u"edtHSPPropertyTaxesPaid edtHSPTransferTaxesPaid edtHSPCosts "
                             u"edtHSPNetGain"_s.split(u' ');
// Worked by hand: 7 x 580 / 12, 2 % of 100000, 1000 + 5000 + 750 + both taxes.
const QStringList kStart = u"$338.33 $2,000.00 $9,088.33 $90,911.67"_s.split(u' ');
} // namespace

class TestHsp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init()
    {
        f.emplace();
        f->host.allowPrintingCalls = 0;
    }
    void cleanup() { f.reset(); }
    void start();
    void typed_data();
    void typed();
    void monthChosenFromTheList_data();
    void monthChosenFromTheList();
    void typedMonthBecomesJanuary();
    void failedCalculationChangesNothing();
    void resetPutsBackWithoutCalculating();
    void enterFocusesThePriceWithoutCalculating();

private:
    QComboBox *month() const { return f->get<QComboBox>(u"cbHSPClosingMonth"_s); }
    std::optional<test::PageFixture<HspPage>> f;
};

void TestHsp::start()
{
    QCOMPARE(test::shown(*f, kResults), kStart);
    const QStringList inputs =
        u"edtHSPFirstLoanBalance edtHSPPropertyTaxes edtHSPTransferTaxPercent "
        u"edtHSPPrepaymentPenalty edtHSPSalesCommission edtHSPOtherFees"_s.split(u' ');
    QCOMPARE(test::shown(*f, inputs),
             u"$0.00 $580.00 2.000 $1,000.00 $5,000.00 $750.00"_s.split(u' '));
    for (const QString &result : kResults)
        QVERIFY(f->get(result)->isReadOnly());
    QCOMPARE(month()->currentText(), u"July"_s);
    QStringList months;
    for (int i = 0; i < month()->count(); ++i)
        months << month()->itemText(i);
    QCOMPARE(months, u"January February March April May June July August September October "
                     u"November December"_s.split(u' '));
    QCOMPARE(f->get<QLabel>(u"lblHSPNote"_s)->text(),
             u"When selling a home, the primary question for a seller is, \"How much is left "
             u"over?\"  Use this Home Seller's Proceeds Calculator to estimate your net after the "
             u"cost of selling your home."_s);
}

void TestHsp::typed_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("results");
    // Each input its own figure: 7 x 1200 / 12; 1.25 % of 200000; costs
    // 110000 of loans + 7500 + 250 + both taxes.
    QTest::newRow("every input")
        << u"edtHSPHouseSalesPrice edtHSPFirstLoanBalance edtHSPSecondLoanBalance "
           u"edtHSPOtherLoans edtHSPPropertyTaxes edtHSPTransferTaxPercent "
           u"edtHSPPrepaymentPenalty edtHSPSalesCommission edtHSPOtherSalesCommission "
           u"edtHSPOtherFees"_s.split(u' ')
        << u"200000 90000 15000 5000 1200 1.25 0 6000 1500 250"_s.split(u' ')
        << u"$700.00 $2,500.00 $120,950.00 $79,050.00"_s.split(u' ');
    QTest::newRow("loans above the price: negative mask")
        << u"edtHSPFirstLoanBalance edtHSPSecondLoanBalance edtHSPOtherLoans"_s.split(u' ')
        << u"90000 15000 5000"_s.split(u' ')
        << u"$338.33 $2,000.00 $119,088.33 -$19,088.33"_s.split(u' ');
    QTest::newRow("net gain exactly zero: zero mask")
        << QStringList{u"edtHSPFirstLoanBalance"_s} << QStringList{u"90911.67"_s}
        << u"$338.33 $2,000.00 $100,000.00 $0.00"_s.split(u' ');
}

void TestHsp::typed()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, results);
    test::typeAll(*f, fields, typed);
    QCOMPARE(test::shown(*f, kResults), results);
    QCOMPARE(f->failures, QStringList());
    QVERIFY(f->host.printingAllowed && f->host.resetEnabled);
}

void TestHsp::monthChosenFromTheList_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("taxesPaid");
    QTest::newRow("January: one twelfth") << 0 << u"$48.33"_s;
    QTest::newRow("December: the whole year") << 11 << u"$580.00"_s;
}

void TestHsp::monthChosenFromTheList()
{
    QFETCH(int, index);
    QFETCH(QString, taxesPaid);
    month()->setFocus();
    // Along the list with the arrow keys from July, as a user picks an entry.
    for (int k = 6; k != index; k += index < 6 ? -1 : 1)
        QTest::keyClick(month(), index < 6 ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(month()->currentIndex(), index);
    QCOMPARE(f->text(u"edtHSPPropertyTaxesPaid"_s), taxesPaid);
    QCOMPARE(f->failures, QStringList());
}

// Each keystroke changes the text: a partial name is no month and becomes
// "January" at once; "D" is not completed to "December".
void TestHsp::typedMonthBecomesJanuary()
{
    QLineEdit *edit = month()->lineEdit();
    month()->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"D"_s);
    QCOMPARE(month()->currentText(), u"January"_s);
    QCOMPARE(test::shown(*f, kResults), u"$48.33 $2,000.00 $8,798.33 $91,201.67"_s.split(u' '));
    QCOMPARE(month()->count(), 12);
    // Leaving the box runs the calculation once more, to the same figures.
    const int before = f->host.allowPrintingCalls;
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(f->host.allowPrintingCalls, before + 1);
    QCOMPARE(month()->currentText(), u"January"_s);
    QCOMPARE(f->failures, QStringList());
}

// Mended: every input is read before any result changes, so a transfer
// percent that is not a number leaves the old figures together.
void TestHsp::failedCalculationChangesNothing()
{
    f->type(u"edtHSPTransferTaxPercent"_s, QString());
    QCOMPARE(f->failures, QStringList{test::kUnidentified});
    month()->setCurrentIndex(11);
    QCOMPARE(f->failures, QStringList(2, test::kUnidentified));
    QCOMPARE(test::shown(*f, kResults), kStart);
}

// Reset puts the table back (penalty 0) without calculating, and putting
// the month back does not start a calculation either.
void TestHsp::resetPutsBackWithoutCalculating()
{
    test::typeAll(*f, {u"edtHSPHouseSalesPrice"_s, u"edtHSPOtherFees"_s}, {u"250000"_s, u"900"_s});
    month()->setCurrentIndex(2);
    f->get(u"edtHSPOtherLoans"_s)->setFocus();
    const int calculations = f->host.allowPrintingCalls;
    f->page->Reset();
    QCOMPARE(f->host.allowPrintingCalls, calculations);
    QCOMPARE(test::shown(*f, kResults), u"$338.33 $2,000.00 $8,088.33 $91,911.67"_s.split(u' '));
    QCOMPARE(month()->currentText(), u"July"_s);
    const QStringList inputs = u"edtHSPHouseSalesPrice edtHSPPrepaymentPenalty edtHSPOtherFees "
                               u"edtHSPTransferTaxPercent"_s.split(u' ');
    QCOMPARE(test::shown(*f, inputs), u"100000.00 $0.00 $750.00 2.000"_s.split(u' '));
    QCOMPARE(QApplication::focusWidget(), f->get(u"edtHSPHouseSalesPrice"_s));
    QVERIFY(f->host.resetEnabled);
    QCOMPARE(f->failures, QStringList());
}

void TestHsp::enterFocusesThePriceWithoutCalculating()
{
    // A figure changed behind the page's back: entering must not pick it up.
    f->get(u"edtHSPOtherFees"_s)->setFocus();
    qobject_cast<TNumEdit *>(f->get(u"edtHSPOtherLoans"_s))->setValue(1000);
    f->host.printingAllowed = f->host.resetEnabled = false;
    f->page->enter();
    QVERIFY(f->host.printingAllowed && f->host.resetEnabled);
    QCOMPARE(QApplication::focusWidget(), f->get(u"edtHSPHouseSalesPrice"_s));
    QCOMPARE(test::shown(*f, {u"edtHSPOtherLoans"_s, u"edtHSPCosts"_s}),
             (QStringList{u"$1,000.00"_s, u"$9,088.33"_s}));
    QCOMPARE(f->failures, QStringList());
}

QTEST_MAIN(TestHsp)
#include "tst_hsp.moc"
