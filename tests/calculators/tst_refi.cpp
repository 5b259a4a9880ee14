// The Refinancing Calculator page: which typing calculates, what a failure
// leaves, the itemized closing-cost panel, entering and Reset.

#include "calculators/RefiPage.h"
#include "tests/support/PageFixture.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QStringList kInputs = u"edtOldTerm edtOldInterestRate edtOldPaymentsMade "
                            u"edtOldPaymentsRemaining edtNewLoan edtNewTerm edtNewInterestRate "
                            u"edtRefiClosingCosts edtMonthsUntilSell"_s.split(u' ');
const QStringList kResults =
    u"edtOldPayment edtNewPayment edtPaymentSaved edtTotalPaymentSaved "
    u"edtOldEquity edtNewEquity edtEquitySavings edtTotalSaved"_s.split(u' ');
// The start inputs and their results.
const QStringList kStart =
    u"360 8.750 0 360 $100,000.00 240 7.250 0.00 240 $786.70 $790.38 ($3.68) ($882.14) "
    u"$37,228.05 $100,000.00 $62,771.95 $61,889.81"_s.split(u' ');
} // namespace

class TestRefi : public QObject
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
    void startAndEntry();
    void typed_data();
    void typed();
    void panel_data();
    void panel();
    void resetRestoresEverythingButThePanel();
    void badFigureShowsOneMessage();

private:
    QString sell() const { return f->get<QLabel>(u"lblSell"_s)->text(); }
    bool panelOpen() const { return f->get<QFrame>(u"pnlClosingCosts"_s)->isVisible(); }
    std::optional<test::PageFixture<RefiPage>> f;
};

// Entering enables printing and Reset and focuses the balance; it computes
// nothing, and the start results are those of the start inputs.
void TestRefi::startAndEntry()
{
    QVERIFY(f->host.printingAllowed && f->host.resetEnabled);
    QCOMPARE(QApplication::focusWidget(), f->get(u"edtOldLoan"_s));
    QCOMPARE(test::shown(*f, kInputs + kResults), kStart);
    QCOMPARE(sell(), u"If you sell in 240 months,"_s);
    QVERIFY(!panelOpen() && f->get<QPushButton>(u"btnCalcFees"_s)->isEnabled());
    f->type(u"edtOldLoan"_s, u"100000"_s);
    QCOMPARE(f->host.allowPrintingCalls, 1);
    QCOMPARE(test::shown(*f, kInputs + kResults), kStart);
    QCOMPARE(f->failures, QStringList());
}

void TestRefi::typed_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("totalSaved");
    QTest::addColumn<QString>("sell");
    const QString months = u"edtMonthsUntilSell"_s;
    QTest::newRow("sale after the new term counts the term")
        << QStringList{months} << QStringList{u"300"_s} << QString() << u"$61,889.81"_s
        << u"If you sell in 240 months,"_s;
    // Two equal loans save nothing; a fraction of a cent of costs is no debt.
    QTest::newRow("a saving that rounds to zero shows no minus")
        << u"edtNewTerm edtNewInterestRate edtRefiClosingCosts"_s.split(u' ')
        << u"360 8.75 0.004"_s.split(u' ') << QString() << u"$0.00"_s
        << u"If you sell in 240 months,"_s;
    // Failures write nothing: the last good calculation's figures stay.
    QTest::newRow("fractional month count")
        << QStringList{months} << QStringList{u"12.5"_s} << test::kUnidentified << u"$61,889.81"_s
        << u"If you sell in 240 months,"_s;
    QTest::newRow("payments made above the term")
        << QStringList{months, u"edtOldPaymentsMade"_s} << u"120 361"_s.split(u' ')
        << test::kUnusableFigures << u"$21,258.58"_s << u"If you sell in 120 months,"_s;
    QTest::newRow("new term of 20 digits")
        << QStringList{months, u"edtNewTerm"_s} << u"120 99999999999999999999"_s.split(u' ')
        << test::kUnusableFigures << u"$21,258.58"_s << u"If you sell in 120 months,"_s;
}

void TestRefi::typed()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QString, failure);
    QFETCH(QString, totalSaved);
    QFETCH(QString, sell);
    test::typeAll(*f, fields, typed);
    QCOMPARE(f->failures, failure.isEmpty() ? QStringList() : QStringList{failure});
    QCOMPARE(f->text(u"edtTotalSaved"_s), totalSaved);
    QCOMPARE(this->sell(), sell);
}

void TestRefi::panel_data()
{
    QTest::addColumn<QString>("costs");      // typed into the closing costs first
    QTest::addColumn<QStringList>("fields"); // typed with the panel open
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("then");      // a key clicked, or Enter in the last field
    QTest::addColumn<QStringList>("shown"); // closing fees, closing costs, total saved
    QTest::addColumn<int>("calculations");  // from opening the panel
    // Leaving an item adds them up; the page's results wait for OK.
    QTest::newRow("items add up on leaving")
        << QString() << u"edtDiscountPoints edtPrepaymentPenalty"_s.split(u' ')
        << u"1000 250.25"_s.split(u' ') << QString()
        << u"$1,250.25 1250.25 $61,889.81"_s.split(u' ') << 0;
    QTest::newRow("OK clicked recalculates once")
        << QString() << u"edtDiscountPoints edtAppraisalFee"_s.split(u' ')
        << u"1000 500"_s.split(u' ') << u"btnCloseClosingCosts"_s
        << u"$1,500.00 1500.00 $60,389.81"_s.split(u' ') << 1;
    // Enter in an item is OK, and its figure counts although it was never left.
    QTest::newRow("OK from the keyboard takes the total")
        << QString() << u"edtCreditCheck edtOtherFees"_s.split(u' ') << u"40 60.5"_s.split(u' ')
        << u"Enter"_s << u"$100.50 100.50 $61,789.31"_s.split(u' ') << 1;
    QTest::newRow("clear zeroes items and the closing costs")
        << QString() << u"edtTitleSearchFee edtLocalFees"_s.split(u' ') << u"300 75"_s.split(u' ')
        << u"btnClearClosingCosts"_s << u"$0.00 0.00 $61,889.81"_s.split(u' ') << 0;
    // A figure typed into the closing costs stands until an item is left.
    QTest::newRow("typed closing costs give way to the items")
        << u"999"_s << QStringList{u"edtInspections"_s} << QStringList{u"120"_s} << QString()
        << u"$120.00 120.00 $60,890.81"_s.split(u' ') << 0;
    QTest::newRow("OK with untouched items keeps typed closing costs")
        << u"777"_s << QStringList() << QStringList() << u"btnCloseClosingCosts"_s
        << u"$0.00 777 $61,112.81"_s.split(u' ') << 1;
    // The page's fields stay usable while the panel is open.
    QTest::newRow("page usable with the panel open")
        << QString() << QStringList{u"edtMonthsUntilSell"_s} << QStringList{u"120"_s} << QString()
        << u"$0.00 0.00 $21,258.58"_s.split(u' ') << 1;
}

void TestRefi::panel()
{
    QFETCH(QString, costs);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QString, then);
    QFETCH(QStringList, shown);
    QFETCH(int, calculations);
    if (!costs.isEmpty())
        f->type(u"edtRefiClosingCosts"_s, costs);
    auto *open = f->get<QPushButton>(u"btnCalcFees"_s);
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(panelOpen() && !open->isEnabled());
    QCOMPARE(QApplication::focusWidget(), f->get(u"edtDiscountPoints"_s));
    const int before = f->host.allowPrintingCalls;
    if (then == u"Enter") {
        f->type(fields[0], typed[0]);
        test::typeOnly(f->get(fields[1]), typed[1]);
        QTest::keyClick(f->get(fields[1]), Qt::Key_Return);
    } else {
        test::typeAll(*f, fields, typed);
        if (!then.isEmpty())
            QTest::mouseClick(f->get<QPushButton>(then), Qt::LeftButton);
    }
    QCOMPARE(test::shown(*f, {u"edtClosingFees"_s, u"edtRefiClosingCosts"_s, u"edtTotalSaved"_s}),
             shown);
    QCOMPARE(f->host.allowPrintingCalls - before, calculations);
    // OK closes the panel and moves on to the months until sale; Clear stays.
    const bool closed = then == u"Enter" || then == u"btnCloseClosingCosts";
    QCOMPARE(panelOpen(), !closed);
    QCOMPARE(open->isEnabled(), closed);
    if (closed)
        QCOMPARE(QApplication::focusWidget(), f->get(u"edtMonthsUntilSell"_s));
    if (then == u"btnClearClosingCosts")
        QCOMPARE(test::shown(*f, {u"edtTitleSearchFee"_s, u"edtDiscountPoints"_s}),
                 (QStringList{u"$0.00"_s, u"0.00"_s}));
    QCOMPARE(f->failures, QStringList());
}

// Reset puts back the start values and the sentence; the panel and its
// items are left alone, and nothing is calculated.
void TestRefi::resetRestoresEverythingButThePanel()
{
    QTest::mouseClick(f->get<QPushButton>(u"btnCalcFees"_s), Qt::LeftButton);
    test::typeAll(*f,
                  u"edtAttyFeeY edtOldLoan edtOldPaymentsMade edtNewInterestRate "
                  u"edtMonthsUntilSell edtRefiClosingCosts"_s.split(u' '),
                  u"800 150000 24 6.5 60 2000"_s.split(u' '));
    QCOMPARE(sell(), u"If you sell in 60 months,"_s);
    const int calls = f->host.allowPrintingCalls;
    f->page->Reset();
    QCOMPARE(f->host.allowPrintingCalls, calls);
    QCOMPARE(test::shown(*f, kInputs + kResults), kStart);
    QCOMPARE(sell(), u"If you sell in 240 months,"_s);
    // The balance has the focus and shows its plain edit text.
    QCOMPARE(QApplication::focusWidget(), f->get(u"edtOldLoan"_s));
    QCOMPARE(test::shown(*f, {u"edtOldLoan"_s, u"edtAttyFeeY"_s, u"edtClosingFees"_s}),
             (QStringList{u"100000.00"_s, u"$800.00"_s, u"$800.00"_s}));
    QVERIFY(panelOpen());
    QCOMPARE(f->failures, QStringList());
}

// The real handler shows a box: one leave, one box, one calculation, and
// the box taking the focus is no second leave.
void TestRefi::badFigureShowsOneMessage()
{
    const auto previous =
        setExceptionHandler([this](std::exception_ptr) { showInfo(f->page.get(), u"unusable"_s); });
    f->get(u"edtNewTerm"_s)->setFocus(); // leaves the balance: one good calculation
    const int calls = f->host.allowPrintingCalls;
    f->type(u"edtNewTerm"_s, u"-1"_s);
    setExceptionHandler(previous);
    QCOMPARE(f->boxes->texts(), QStringList{u"unusable"_s});
    QCOMPARE(test::shown(*f, {u"edtNewTerm"_s, u"edtNewPayment"_s}),
             (QStringList{u"-1"_s, u"$790.38"_s}));
    QCOMPARE(f->host.allowPrintingCalls - calls, 1);
}

QTEST_MAIN(TestRefi)
#include "tst_refi.moc"
