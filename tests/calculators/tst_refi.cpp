// The Refinancing Calculator page: which typing calculates, what a failure
// leaves, the itemized closing-cost panel, entering and Reset.

#include "calculators/RefiPage.h"
#include "tests/support/PageFixture.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
// The inputs and results, and the start values of both.
const QString kFields = u"edtOldTerm edtOldInterestRate edtOldPaymentsMade edtOldPaymentsRemaining "
                        u"edtNewLoan edtNewTerm edtNewInterestRate edtRefiClosingCosts "
                        u"edtMonthsUntilSell edtOldPayment edtNewPayment edtPaymentSaved "
                        u"edtTotalPaymentSaved edtOldEquity edtNewEquity edtEquitySavings "
                        u"edtTotalSaved"_s;
const QString kStart = u"360 8.750 0 360 $100,000.00 240 7.250 0.00 240 $786.70 $790.38 ($3.68) "
                       u"($882.14) $37,228.05 $100,000.00 $62,771.95 $61,889.81"_s;
} // namespace

class TestRefi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { QCOMPARE(f->failures, QStringList()); }
    // Leaving the balance calculates the start results; Reset puts them back
    // without calculating and leaves the panel and its items alone.
    void entryAndReset()
    {
        QVERIFY(f->host.printingAllowed && f->host.resetEnabled);
        QCOMPARE(QApplication::focusWidget(), f->get(u"edtOldLoan"_s));
        QVERIFY(!panelOpen());
        int calls = f->host.allowPrintingCalls;
        f->type(u"edtOldLoan"_s, u"100000"_s);
        QCOMPARE(f->host.allowPrintingCalls, calls + 1);
        QCOMPARE(test::shownText(*f, kFields), kStart);
        QTest::mouseClick(f->get<QPushButton>(u"btnCalcFees"_s), Qt::LeftButton);
        test::typeEach(*f, u"edtAttyFeeY edtOldLoan edtNewInterestRate edtMonthsUntilSell"_s,
                       u"800 150000 6.5 60"_s);
        calls = f->host.allowPrintingCalls;
        f->page->Reset();
        QCOMPARE(f->host.allowPrintingCalls, calls);
        QCOMPARE(test::shownText(*f, kFields), kStart);
        QCOMPARE(sell(), u"If you sell in 240 months,"_s);
        // The balance has the focus and shows its plain edit text.
        QCOMPARE(QApplication::focusWidget(), f->get(u"edtOldLoan"_s));
        QCOMPARE(test::shownText(*f, u"edtOldLoan edtAttyFeeY edtClosingFees"_s),
                 u"100000.00 $800.00 $800.00"_s);
        QVERIFY(panelOpen());
    }
    // Failures write nothing: the last good calculation's figures stay.
    void typed_data()
    {
        test::addStepColumns();
        QTest::newRow("fractional month count")
            << u"edtMonthsUntilSell"_s << u"12.5"_s
            << u"Months Until You Will Sell: \"12.5\" is not a whole number."_s
            << u"edtTotalSaved"_s << u"240 $61,889.81"_s;
        QTest::newRow("new term of 20 digits")
            << u"edtMonthsUntilSell edtNewTerm"_s << u"120 99999999999999999999"_s
            << test::kUnusableFigures << u"edtTotalSaved"_s << u"120 $21,258.58"_s;
    }
    // Shown: the months of the sale sentence, then the total saved.
    void typed()
    {
        test::checkSteps(*f, [this] { return QString(sell().section(u' ', 4, 4) + u' '); });
    }
    // Shown: panel open, calculations since, focus, fields. Results wait for OK;
    // typed closing costs stand until an item is left.
    void panel_data()
    {
        test::addStepColumns();
        const QString sums = u"edtClosingFees edtRefiClosingCosts edtTotalSaved"_s;
        QTest::newRow("items add up, OK recalculates once")
            << u"btnCalcFees edtDiscountPoints edtAppraisalFee btnCloseClosingCosts"_s
            << u"1000 500"_s << QString() << sums
            << u"closed 1 edtMonthsUntilSell $1,500.00 1500.00 $60,389.81"_s;
        QTest::newRow("clear zeroes items and the closing costs")
            << u"btnCalcFees edtTitleSearchFee edtLocalFees btnClearClosingCosts"_s << u"300 75"_s
            << QString() << sums + u" edtTitleSearchFee"
            << u"open 0 edtDiscountPoints $0.00 0.00 $61,889.81 $0.00"_s;
        QTest::newRow("typed closing costs give way to an item left")
            << u"edtRefiClosingCosts btnCalcFees edtInspections"_s << u"999 120"_s << QString()
            << sums << u"open 0 edtLocalFees $120.00 120.00 $60,890.81"_s;
        QTest::newRow("OK with untouched items keeps typed closing costs")
            << u"edtRefiClosingCosts btnCalcFees btnCloseClosingCosts"_s << u"777"_s << QString()
            << sums << u"closed 1 edtMonthsUntilSell $0.00 777 $61,112.81"_s;
    }
    void panel()
    {
        auto *open = f->get<QPushButton>(u"btnCalcFees"_s);
        int opened = 0;
        connect(open, &QPushButton::clicked, this, [&] { opened = f->host.allowPrintingCalls; });
        test::checkSteps(*f, [&] {
            return u"%1 %2 %3 "_s.arg(panelOpen() ? u"open"_s : u"closed"_s)
                .arg(f->host.allowPrintingCalls - opened)
                .arg(QApplication::focusWidget()->objectName());
        });
        QCOMPARE(open->isEnabled(), !panelOpen());
    }
    // Enter in an item is OK, and its figure counts although it was never left.
    void enterInAnItemIsOk()
    {
        test::act(*f, u"btnCalcFees edtCreditCheck"_s, u"40"_s);
        test::typeOnly(f->get(u"edtOtherFees"_s), u"60.5"_s);
        QTest::keyClick(f->get(u"edtOtherFees"_s), Qt::Key_Return);
        QVERIFY(!panelOpen());
        QCOMPARE(test::shownText(*f, u"edtClosingFees edtRefiClosingCosts edtTotalSaved"_s),
                 u"$100.50 100.50 $61,789.31"_s);
    }

private:
    QString sell() const { return f->get<QLabel>(u"lblSell"_s)->text(); }
    bool panelOpen() const { return f->get<QFrame>(u"pnlClosingCosts"_s)->isVisible(); }
    std::optional<test::PageFixture<RefiPage>> f;
};

QTEST_MAIN(TestRefi)
#include "tst_refi.moc"
