// The Home Seller's Proceeds page: which fields and the closing month
// calculate, what a failure leaves, entering and Reset.

#include "calculators/HspPage.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString kInputs = u"edtHSPHouseSalesPrice edtHSPFirstLoanBalance edtHSPSecondLoanBalance "
                        u"edtHSPOtherLoans edtHSPPropertyTaxes edtHSPTransferTaxPercent "
                        u"edtHSPPrepaymentPenalty edtHSPSalesCommission "
                        u"edtHSPOtherSalesCommission edtHSPOtherFees"_s;
const QString kResults =
    u"edtHSPPropertyTaxesPaid edtHSPTransferTaxesPaid edtHSPCosts edtHSPNetGain"_s;
// Worked by hand: 7 x 580 / 12, 2 % of 100000, 1000 + 5000 + 750 + both taxes.
const QString kStart = u"$338.33 $2,000.00 $9,088.33 $90,911.67"_s;
} // namespace

class TestHsp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { QCOMPARE(f->failures, QStringList()); }
    void start()
    {
        QCOMPARE(test::shownText(*f, kResults), kStart);
        QCOMPARE(month()->currentText(), u"July"_s);
        QStringList months;
        for (int i = 0; i < month()->count(); ++i)
            months << month()->itemText(i);
        QCOMPARE(months.join(u' '), u"January February March April May June July August September "
                                    u"October November December"_s);
        QCOMPARE(
            f->get<QLabel>(u"lblHSPNote"_s)->text(),
            u"When selling a home, the primary question for a seller is, \"How much is left "
            u"over?\"  Use this Home Seller's Proceeds Calculator to estimate your net after the "
            u"cost of selling your home."_s);
        // Leaving any input calculates once.
        QCOMPARE(test::notCalculatingWhenLeft(*f, kInputs), QStringList());
    }
    // Each input its own figure: 7 x 1200 / 12; 1.25 % of 200000; costs 110000
    // of loans + 7500 + 250 + both taxes. Then a loss.
    void figures()
    {
        test::typeEach(*f, kInputs, u"200000 90000 15000 5000 1200 1.25 0 6000 1500 250"_s);
        QCOMPARE(test::shownText(*f, kResults), u"$700.00 $2,500.00 $120,950.00 $79,050.00"_s);
        f->type(u"edtHSPFirstLoanBalance"_s, u"170000"_s);
        QCOMPARE(f->text(u"edtHSPNetGain"_s), u"-$950.00"_s);
    }
    // Arrow keys along the list from July as a user picks, then a typed "D":
    // no month, so "January" at once, not completed to "December".
    void closingMonth()
    {
        month()->setFocus();
        QString taxesPaid;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(month(), Qt::Key_Down);
            taxesPaid += f->text(u"edtHSPPropertyTaxesPaid"_s) + u' ';
        }
        QCOMPARE(taxesPaid, u"$386.67 $435.00 $483.33 $531.67 $580.00 "_s);
        month()->lineEdit()->selectAll();
        QTest::keyClicks(month()->lineEdit(), u"D"_s);
        QCOMPARE(month()->currentText(), u"January"_s);
        QCOMPARE(test::shownText(*f, kResults), u"$48.33 $2,000.00 $8,798.33 $91,201.67"_s);
        // Leaving the box runs the calculation once more, to the same figures.
        const int before = f->host.allowPrintingCalls;
        QTest::keyClick(month()->lineEdit(), Qt::Key_Tab);
        QCOMPARE(f->host.allowPrintingCalls, before + 1);
    }
    // Mended: every input is read before any result changes, so a transfer
    // percent that is not a number leaves the old figures together.
    void failedCalculationChangesNothing()
    {
        f->type(u"edtHSPTransferTaxPercent"_s, QString());
        month()->setCurrentIndex(11);
        QCOMPARE(std::exchange(f->failures, {}),
                 QStringList(2, u"Transfer Taxes (%): a number is needed."_s));
        QCOMPARE(test::shownText(*f, kResults), kStart);
    }
    // Reset puts the table back (penalty 0) and the month without calculating.
    void resetAndEnterWithoutCalculating()
    {
        test::typeEach(*f, u"edtHSPHouseSalesPrice edtHSPOtherFees"_s, u"250000 900"_s);
        month()->setCurrentIndex(2);
        f->get(u"edtHSPOtherLoans"_s)->setFocus();
        const int calculations = f->host.allowPrintingCalls;
        f->page->Reset();
        QCOMPARE(f->host.allowPrintingCalls, calculations);
        QCOMPARE(month()->currentText() + u' ' + test::shownText(*f, kResults),
                 u"July $338.33 $2,000.00 $8,088.33 $91,911.67"_s);
        QCOMPARE(test::shownText(*f, u"edtHSPHouseSalesPrice edtHSPPrepaymentPenalty "
                                     u"edtHSPOtherFees edtHSPTransferTaxPercent"_s),
                 u"100000.00 $0.00 $750.00 2.000"_s);
        // A figure changed behind the page's back: entering does not pick it up.
        qobject_cast<TNumEdit *>(f->get(u"edtHSPOtherLoans"_s))->setValue(1000);
        f->host.printingAllowed = f->host.resetEnabled = false;
        f->page->enter();
        QVERIFY(f->host.printingAllowed && f->host.resetEnabled);
        QCOMPARE(QApplication::focusWidget(), f->get(u"edtHSPHouseSalesPrice"_s));
        QCOMPARE(f->text(u"edtHSPCosts"_s), u"$8,088.33"_s);
    }

private:
    QComboBox *month() const { return f->get<QComboBox>(u"cbHSPClosingMonth"_s); }
    std::optional<test::PageFixture<HspPage>> f;
};

QTEST_MAIN(TestHsp)
#include "tst_hsp.moc"
