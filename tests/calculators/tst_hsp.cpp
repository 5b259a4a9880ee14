// The Home Seller's Proceeds page driven as a user drives it: typing into
// its fields and leaving them, choosing and typing the closing month,
// Reset, reading what the fields show.

#include "calculators/HspPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
// The four results as the page shows them.
const QString kResults = u"edtHSPPropertyTaxesPaid=%1 edtHSPTransferTaxesPaid=%2 "
                         u"edtHSPCosts=%3 edtHSPNetGain=%4"_s;
} // namespace

class TestHsp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        test::recordErrors(m_errors);
    }
    void init()
    {
        m_errors.clear();
        m_host = std::make_unique<test::FakeHost>();
        m_page = std::make_unique<HspPage>(*m_host);
        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_page->enter();
        m_host->allowPrintingCalls = 0;
    }
    void cleanup() { m_page.reset(); }
    void startFigures();
    void figures_data();
    void figures();
    void monthChosenFromTheList_data();
    void monthChosenFromTheList();
    void typedMonthBecomesJanuary();
    void failedCalculationChangesNothing();
    void resetPutsBackWithoutCalculating();
    void enterFocusesThePriceWithoutCalculating();
    void note();

private:
    QLineEdit *field(const QString &name) const { return m_page->findChild<QLineEdit *>(name); }
    QComboBox *month() const { return m_page->findChild<QComboBox *>(u"cbHSPClosingMonth"_s); }
    void type(const QString &steps) const
    {
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            QLineEdit *edit = field(step.section(u'=', 0, 0));
            QVERIFY2(edit, qPrintable(step));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, step.section(u'=', 1));
            QTest::keyClick(edit, Qt::Key_Tab);
        }
    }
    void expect(const QString &expected) const
    {
        QStringList items;
        for (const QString &item : expected.split(u' ', Qt::SkipEmptyParts)) {
            const QString name = item.section(u'=', 0, 0);
            QString shown;
            if (name == u"errors")
                shown = m_errors.join(u',');
            else if (name == u"month")
                shown = month()->currentText();
            else if (auto *money = qobject_cast<TNumEdit *>(field(name)))
                shown = money->displayText();
            else
                shown = field(name)->text();
            items << name + u'=' + shown;
        }
        QCOMPARE(items, expected.split(u' ', Qt::SkipEmptyParts));
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<HspPage> m_page;
    QStringList m_errors;
};

// Worked by hand: 7 x 580 / 12, 2 % of 100000, 1000 + 5750 + 2338.33.
void TestHsp::startFigures()
{
    expect(kResults.arg(u"$338.33", u"$2,000.00", u"$9,088.33", u"$90,911.67") +
           u" edtHSPHouseSalesPrice=$100,000.00 edtHSPFirstLoanBalance=$0.00 month=July "
           u"edtHSPPropertyTaxes=$580.00 edtHSPTransferTaxPercent=2.000 "
           u"edtHSPPrepaymentPenalty=$1,000.00 edtHSPSalesCommission=$5,000.00 "
           u"edtHSPOtherFees=$750.00 errors="_s);
    for (const char *result :
         {"edtHSPPropertyTaxesPaid", "edtHSPTransferTaxesPaid", "edtHSPCosts", "edtHSPNetGain"})
        QVERIFY(field(QLatin1String(result))->isReadOnly());
}

void TestHsp::figures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    // Figures worked by hand from the start inputs.
    QTest::newRow("no penalty") << u"edtHSPPrepaymentPenalty=0"_s
                                << kResults.arg(u"$338.33", u"$2,000.00", u"$8,088.33",
                                                u"$91,911.67");
    QTest::newRow("price 200000 at 1.25 %")
        << u"edtHSPHouseSalesPrice=200000 edtHSPTransferTaxPercent=1.25"_s
        << kResults.arg(u"$338.33", u"$2,500.00", u"$9,588.33", u"$190,411.67") +
               u" edtHSPTransferTaxPercent=1.25"_s;
    // Loans 90000 + 15000 + 5000 against a price of 100000.
    QTest::newRow("loans above the price: negative mask")
        << u"edtHSPFirstLoanBalance=90000 edtHSPSecondLoanBalance=15000 edtHSPOtherLoans=5000"_s
        << kResults.arg(u"$338.33", u"$2,000.00", u"$119,088.33", u"-$19,088.33");
    QTest::newRow("every commission and fee")
        << u"edtHSPSalesCommission=6000 edtHSPOtherSalesCommission=1500 edtHSPOtherFees=250"_s
        << kResults.arg(u"$338.33", u"$2,000.00", u"$11,088.33", u"$88,911.67");
    QTest::newRow("annual taxes 1200")
        << u"edtHSPPropertyTaxes=1200"_s
        << kResults.arg(u"$700.00", u"$2,000.00", u"$9,450.00", u"$90,550.00");
    // Everything sold at cost: costs equal the price, the zero mask shows.
    QTest::newRow("net gain exactly zero")
        << u"edtHSPFirstLoanBalance=90911.67"_s
        << kResults.arg(u"$338.33", u"$2,000.00", u"$100,000.00", u"$0.00");
}

void TestHsp::figures()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    type(steps);
    expect(expected + u" errors="_s);
    QVERIFY(m_host->printingAllowed && m_host->resetEnabled);
}

void TestHsp::monthChosenFromTheList_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    QTest::newRow("January: one twelfth")
        << 0 << kResults.arg(u"$48.33", u"$2,000.00", u"$8,798.33", u"$91,201.67");
    QTest::newRow("June") << 5
                          << kResults.arg(u"$290.00", u"$2,000.00", u"$9,040.00", u"$90,960.00");
    QTest::newRow("December: the whole year")
        << 11 << kResults.arg(u"$580.00", u"$2,000.00", u"$9,330.00", u"$90,670.00");
}

void TestHsp::monthChosenFromTheList()
{
    QFETCH(int, index);
    QFETCH(QString, expected);
    month()->setFocus();
    // Along the list with the arrow keys from July, as a user picks an entry.
    for (int k = 6; k > index; --k)
        QTest::keyClick(month(), Qt::Key_Up);
    for (int k = 6; k < index; ++k)
        QTest::keyClick(month(), Qt::Key_Down);
    QCOMPARE(month()->currentIndex(), index);
    expect(expected + u" errors="_s);
}

// Each keystroke changes the text: a partial name is no month and becomes
// "January" at once; "D" is not completed to "December".
void TestHsp::typedMonthBecomesJanuary()
{
    QLineEdit *edit = month()->lineEdit();
    month()->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"D"_s);
    expect(u"month=January "_s +
           kResults.arg(u"$48.33", u"$2,000.00", u"$8,798.33", u"$91,201.67"));
    QCOMPARE(month()->count(), 12);
    // Leaving the box runs the calculation once more, to the same figures.
    const int before = m_host->allowPrintingCalls;
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(m_host->allowPrintingCalls, before + 1);
    expect(u"month=January errors="_s);
}

// Mended: every input is read before any result changes, so a transfer
// percent that is not a number leaves the old figures together.
void TestHsp::failedCalculationChangesNothing()
{
    type(u"edtHSPTransferTaxPercent="_s);
    QCOMPARE(m_errors, QStringList{u"unidentified"_s});
    month()->setCurrentIndex(11);
    QCOMPARE(m_errors, (QStringList{u"unidentified"_s, u"unidentified"_s}));
    expect(u"month=December "_s +
           kResults.arg(u"$338.33", u"$2,000.00", u"$9,088.33", u"$90,911.67"));
}

// Reset puts the table back (penalty 0) without calculating, and putting
// the month back does not start a calculation either.
void TestHsp::resetPutsBackWithoutCalculating()
{
    type(u"edtHSPHouseSalesPrice=250000 edtHSPOtherFees=900"_s);
    month()->setCurrentIndex(2);
    field(u"edtHSPOtherLoans"_s)->setFocus();
    const int calculations = m_host->allowPrintingCalls;
    m_page->Reset();
    QCOMPARE(m_host->allowPrintingCalls, calculations);
    expect(kResults.arg(u"$338.33", u"$2,000.00", u"$8,088.33", u"$91,911.67") +
           u" month=July edtHSPHouseSalesPrice=$100,000.00 edtHSPPrepaymentPenalty=$0.00 "
           u"edtHSPOtherFees=$750.00 edtHSPTransferTaxPercent=2.000 errors="_s);
    QCOMPARE(QApplication::focusWidget(), field(u"edtHSPHouseSalesPrice"_s));
    QVERIFY(m_host->resetEnabled);
}

void TestHsp::enterFocusesThePriceWithoutCalculating()
{
    // A figure changed behind the page's back: entering must not pick it up.
    field(u"edtHSPOtherFees"_s)->setFocus();
    qobject_cast<TNumEdit *>(field(u"edtHSPOtherLoans"_s))->setValue(1000);
    m_host->printingAllowed = m_host->resetEnabled = false;
    m_page->enter();
    QVERIFY(m_host->printingAllowed && m_host->resetEnabled);
    QCOMPARE(QApplication::focusWidget(), field(u"edtHSPHouseSalesPrice"_s));
    expect(u"edtHSPOtherLoans=$1,000.00 edtHSPCosts=$9,088.33 errors="_s);
}

void TestHsp::note()
{
    const auto labels = m_page->findChildren<QLabel *>(u"lblHSPNote"_s);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.front()->text(),
             u"When selling a home, the primary question for a seller is, \"How much is left "
             u"over?\"  Use this Home Seller's Proceeds Calculator to estimate your net after the "
             u"cost of selling your home."_s);
}

QTEST_MAIN(TestHsp)
#include "tst_hsp.moc"
