// The Refinancing band of the calculation report, the rent-versus-buy
// worksheet and the loan offers report, filled from the real pages as the
// user left them and prepared through print dispatch.

#include "app/Pages.h"
#include "calculators/CmpPage.h"
#include "calculators/MqPage.h"
#include "calculators/RefiPage.h"
#include "calculators/RvbPage.h"
#include "finance/Errors.h"
#include "reports/Print.h"
#include "reports/QrCompare.h"
#include "reports/QrRvb.h"
#include "reports/Qrcalc.h"
#include "tests/reports/FakePages.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

class TestComparisonReports : public QObject
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
        m_window = std::make_unique<QWidget>();
        m_window->resize(600, 400);
        m_dispatcher = std::make_unique<PrintDispatcher>(m_window.get());
        m_catcher = std::make_unique<test::PreviewCatcher>();
    }
    void cleanup()
    {
        m_catcher.reset();
        m_dispatcher.reset();
        m_window.reset(); // the pages with it, before the host they use
    }

    void refinancing_data();
    void refinancing();
    void onlyTheBandPrinted_data();
    void onlyTheBandPrinted();
    void worksheet_data();
    void worksheet();
    void worksheetRowsLineUp();
    void unreadableFieldPreviewsNothing();
    void loanOffers();

private:
    // A real page of the main window's size, shown so that Print takes it.
    template <class Page> Page *show()
    {
        auto *page = new Page(*m_host, m_window.get());
        page->setGeometry(0, 0, 587, 380);
        m_window->show();
        page->show();
        page->raise();
        // Active, so that typing and leaving fields works as for a user.
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("window not active");
        return page;
    }
    // "field=text ...": sets each field's text and leaves it as the user does.
    void type(QWidget *page, const QString &steps)
    {
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            auto *edit = page->findChild<QLineEdit *>(step.section(u'=', 0, 0));
            QVERIFY2(edit, qPrintable(step));
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, step.section(u'=', 1));
            QTest::keyClick(edit, Qt::Key_Tab);
        }
        QCOMPARE(m_errors, QStringList());
    }
    // Prints the page and returns the one prepared page of the one preview.
    PreparedPage print(QWidget *page, const QString &title)
    {
        const std::size_t before = m_catcher->shown.size();
        printPage(*m_dispatcher, page);
        if (m_catcher->shown.size() != before + 1)
            return {};
        const PreparedReport &out = m_catcher->shown.back();
        if (out.title != title || out.pageCount() != 1)
            return {};
        return out.pages.front();
    }
    // "label=text|label=text..." against the page.
    static QStringList texts(const PreparedPage &page, const QString &expected)
    {
        QStringList items;
        for (const QString &item : expected.split(u'|'))
            items << item.section(u'=', 0, 0) + u'=' + page.textOf(item.section(u'=', 0, 0));
        return items;
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<PrintDispatcher> m_dispatcher;
    std::unique_ptr<test::PreviewCatcher> m_catcher;
    QStringList m_errors;
};

void TestComparisonReports::refinancing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const QString captions =
        u"|QRLabelOriginalLoan=Original Loan|QRLabelNewLoan=New Loan"
        u"|QRLabelSavings=Savings from Refinancing"
        u"|QRLabelOriginalLoanHeading1=Current Balance|QRLabelOriginalLoanHeading5=Payment"
        u"|QRLabelNewLoanHeading1=New Balance|QRLabelNewLoanHeading4=Closing Costs"
        u"|QRLabelRefiRow1=Payments Remaining on Original Loan"
        u"|QRLabelRefiRow2=Months Until You Plan To Sell|QRLabelRefiRow8=TOTAL SAVED"_s;
    // Never calculated: the page's start values as they stand.
    QTest::newRow("start values")
        << QString()
        << u"lblTitle=Refinancing|qrEdtOldLoan=$100,000.00|qrEdtOldTerm=360"
           u"|qrEdtOldInterestRate=8.75%|qrEdtOldPaymentsMade=0|qrEdtOldPayment=$786.70"
           u"|qrEdtNewLoan=$100,000.00|qrEdtNewTerm=240|qrEdtNewInterestRate=7.25%"
           u"|qrEdtRefiClosingCosts=$0.00|qrEdtNewPayment=$790.38"
           u"|qrlblWhenYouSell=If you sell in 240 months, your new loan will save you money as "
           u"indicated below.|qrEdtOldPaymentsRemaining=360|qrEdtMonthsUntilSell=240"
           u"|qrEdtPaymentSaved=($3.68)|qrEdtTotalPaymentSaved=($882.14)"
           u"|qrEdtOldReduction=$37,228.05|qrEdtNewReduction=$100,000.00"
           u"|qrEdtReductionSavings=$62,771.95|qrEdtTotalSaved=$61,889.81"_s +
               captions;
    // The sentence shows the months counted; the row shows the months typed.
    QTest::newRow("sale after the new term, costs and a rate of 7.125")
        << u"edtMonthsUntilSell=300 edtNewInterestRate=7.125 edtRefiClosingCosts=1234.5"_s
        << u"qrlblWhenYouSell=If you sell in 240 months, your new loan will save you money as "
           u"indicated below.|qrEdtMonthsUntilSell=300|qrEdtNewInterestRate=7.125%"
           u"|qrEdtRefiClosingCosts=$1,234.50|qrEdtNewPayment=$782.82"_s;
}

void TestComparisonReports::refinancing()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    auto *page = show<RefiPage>();
    type(page, typed);
    const PreparedPage printed = print(page, u"Preview of Refinancing"_s);
    QCOMPARE(texts(printed, expected), expected.split(u'|'));
    QCOMPARE(m_dispatcher->calcKind(), PrintDispatcher::CalcKind::Refinancing);
}

void TestComparisonReports::onlyTheBandPrinted_data()
{
    QTest::addColumn<bool>("refinancingLast");
    QTest::newRow("qualifier then refinancing") << true;
    QTest::newRow("refinancing then qualifier") << false;
}

// One layout serves both pages: whatever was printed before, only the band
// of the page printed now shows, under its own title.
void TestComparisonReports::onlyTheBandPrinted()
{
    QFETCH(bool, refinancingLast);
    auto *mq = show<MqPage>();
    auto *refi = show<RefiPage>();
    const auto printOne = [&](bool refinancing) {
        QWidget *page = refinancing ? static_cast<QWidget *>(refi) : mq;
        mq->setVisible(!refinancing);
        refi->setVisible(refinancing);
        return print(page, refinancing ? u"Preview of Refinancing"_s
                                       : u"Preview of Mortgage Qualifier"_s);
    };
    printOne(!refinancingLast);
    const PreparedPage last = printOne(refinancingLast);
    QCOMPARE(last.textOf(u"lblTitle"_s),
             refinancingLast ? u"Refinancing"_s : u"Mortgage Qualifier"_s);
    QCOMPARE(last.findText(u"Savings from Refinancing"_s) != nullptr, refinancingLast);
    QCOMPARE(last.findText(u"TOTAL SAVED"_s) != nullptr, refinancingLast);
    QCOMPARE(last.findText(u"Your Personal Financial Variables"_s) != nullptr, !refinancingLast);
}

void TestComparisonReports::worksheet_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("values"); // the twenty values top to bottom
    // The defaults' results: the same steps in 40-digit decimal arithmetic.
    QTest::newRow("defaults calculated")
        << u"edtRVBMonthlyRent=950"_s
        << u"$950.00|3.5%|5|$61,132.11|$5,000.00|4.5%|$6,258.98|7%|30|$147,793.00|33%|1.2%"
           u"|$20,304.28|7%|$57,481.24|$500.00|7%|$8,870.38|($59,873.13)|$68,743.51"_s;
    // Percent general-3: 7.125 prints as 7.13%, 8.5 as 8.5%; never calculated
    // results print as they stand.
    QTest::newRow("rates to three digits, uncalculated")
        << u"edtRVBInterestRate=7.125 edtRVBPropertyAppreciation=8.5 edtRVBRentIncrease=12.25"_s
        << u"$950.00|12.3%|5|$0.00|$5,000.00|4.5%|$0.00|7.13%|30|$0.00|33%|1.2%"
           u"|$0.00|8.5%|$0.00|$500.00|7%|$0.00|$0.00|$0.00"_s;
}

void TestComparisonReports::worksheet()
{
    QFETCH(QString, typed);
    QFETCH(QString, values);
    auto *page = show<RvbPage>();
    if (values.contains(u"|$0.00|"_s)) {
        // Typed without leaving: the figures go in, no calculation runs.
        for (const QString &step : typed.split(u' '))
            page->findChild<QLineEdit *>(step.section(u'=', 0, 0))->setText(step.section(u'=', 1));
    } else {
        type(page, typed);
    }
    const PreparedPage printed = print(page, u"Preview of Rent vs. Buy Worksheet"_s);
    QCOMPARE(printed.textOf(u"lblTitle"_s), u"Rent vs. Buy Comparison"_s);
    const QString labels =
        u"lblRVBMonthlyRent lblRVBRentIncrease lblRVBTerm lblRVBRentSpent lblRVBDownpayment "
        u"lblRVBEstimatedReturn lblRVBInvestmentValue lblRVBInterestRate lblRVBLoanTerm "
        u"lblRVBHousePrice lblRVBIncomeTax lblRVBPropertyTax lblRVBTaxDeductions "
        u"lblRVBPropertyAppreciation lblRVBAppreciation lblRVBAnnualMaintenance "
        u"lblRVBSellingCostPercent lblRVBValueOfPurchase lblRVBValueOfRenting lblRVBGain"_s;
    QStringList shown;
    for (const QString &label : labels.split(u' '))
        shown << printed.textOf(label);
    QCOMPARE(shown, values.split(u'|'));
    QCOMPARE(m_dispatcher->calcKind(), PrintDispatcher::CalcKind::None);
}

// Twenty rows in order, evenly spaced; captions end at one column with the
// worksheet's own wording; values in bold to their right on the same line.
void TestComparisonReports::worksheetRowsLineUp()
{
    const PreparedPage printed = print(show<RvbPage>(), u"Preview of Rent vs. Buy Worksheet"_s);
    const QStringList captions = {
        u"Current Monthly Rent:"_s,
        u"Estimated Annual Rent Increase Percentage:"_s,
        u"Years Before You Will Move:"_s,
        u"Total You Will Spend on Rent:"_s,
        u"Cash Available for Downpayment:"_s,
        u"Estimated Annual Return if Invested:"_s,
        u"Value of Investment:"_s,
        u"Interest Rate of Home Loan:"_s,
        u"Term of Home Loan in Years:"_s,
        u"Price of Home You Can Afford at Your Current Rent Payment:"_s,
        u"Personal Income Tax Rate % (Include Federal + State):"_s,
        u"Annual Real Estate Tax Rate:"_s,
        u"Total of Interest Tax Deductions:"_s,
        u"Property Appreciation Rate:"_s,
        u"Appreciation of Property:"_s,
        u"Estimated Annual Home Maintenance Expenses:"_s,
        u"Estimated Selling Costs as a Percentage of House Value:"_s,
        u"Effective Gain of Owning:"_s,
        u"Actual Cost of Renting:"_s,
        u"Effective Gain of Owning vs. Renting:"_s,
    };
    QCOMPARE(int(captions.size()), TQRRentVsBuy::RowCount);
    const PageItem *first = printed.findText(captions[0]);
    const PageItem *second = printed.findText(captions[1]);
    QVERIFY(first && second);
    const qreal step = second->rect.top() - first->rect.top();
    QVERIFY(step > 20);
    const auto valueOf = [&](const PageItem *caption) -> const PageItem * {
        const QString label = u"lblRVB"_s; // the value on the caption's line
        for (const PageItem &item : printed.items)
            if (item.name.startsWith(label) && item.rect.top() == caption->rect.top())
                return &item;
        return nullptr;
    };
    for (int i = 0; i < captions.size(); ++i) {
        const PageItem *caption = printed.findText(captions[i]);
        QVERIFY2(caption, qPrintable(captions[i]));
        QCOMPARE(caption->rect.top(), first->rect.top() + i * step);
        QCOMPARE(caption->rect.right(), first->rect.right());
        QVERIFY(caption->flags & Qt::AlignRight);
        QVERIFY(!caption->font.bold());
        const PageItem *value = valueOf(caption);
        QVERIFY2(value && value->font.bold() && value->rect.left() > caption->rect.right(),
                 qPrintable(captions[i]));
    }
}

// A field that does not read stops the print: no preview, no label changed.
void TestComparisonReports::unreadableFieldPreviewsNothing()
{
    auto *page = show<RvbPage>();
    print(page, u"Preview of Rent vs. Buy Worksheet"_s);
    page->findChild<QLineEdit *>(u"edtRVBIncomeTax"_s)->setText(u"-"_s);
    page->findChild<QLineEdit *>(u"edtRVBTerm"_s)->setText(u"9"_s);
    QVERIFY_THROWS_EXCEPTION(ConvertError, printPage(*m_dispatcher, page));
    QCOMPARE(m_catcher->shown.size(), std::size_t(1));
    QCOMPARE(m_dispatcher->rentVsBuy().Rep().text(u"lblRVBTerm"_s), u"5"_s);

    auto *refi = show<RefiPage>();
    page->hide();
    print(refi, u"Preview of Refinancing"_s);
    refi->findChild<QLineEdit *>(u"edtOldTerm"_s)->setText(u"36o"_s);
    refi->findChild<QLineEdit *>(u"edtNewTerm"_s)->setText(u"12"_s);
    QVERIFY_THROWS_EXCEPTION(ConvertError, printPage(*m_dispatcher, refi));
    QCOMPARE(m_catcher->shown.size(), std::size_t(2));
    QCOMPARE(m_dispatcher->calcs().Rep().text(u"qrEdtNewTerm"_s), u"240"_s);
}

// The table as the page shows it (best figures bold, hidden offers absent),
// the sentences and the page's chart with its break-even marks.
void TestComparisonReports::loanOffers()
{
    auto *page = show<CmpPage>();
    page->enter();
    type(page, u"edtCmpLender2=Bank"_s);
    const PreparedPage printed = print(page, u"Preview of Compare Loan Offers"_s);
    const QString expected =
        u"lblTitle=Compare Loan Offers|lblCmpHomeValue=Home value, for when mortgage insurance "
        u"ends: $320,000.00|lblCmpHead0=Offer A|lblCmpHead1=Bank|lblCmpHead2=|lblCmpCaption2=APR"
        u"|lblCmpCell2_0=6.924%|lblCmpCell2_1=6.685%|lblCmpCell9_1=$7,700.00|lblCmpCell2_2="
        u"|lblCmpBreakEven=Bank costs $4,200.00 more at closing and pays for itself after "
        u"payment 57."_s;
    QCOMPARE(texts(printed, expected), expected.split(u'|'));
    const auto bold = [&](const QString &name) {
        for (const PageItem &item : printed.items)
            if (item.name == name)
                return item.font.bold();
        return false;
    };
    QVERIFY(bold(u"lblCmpCell2_1"_s) && !bold(u"lblCmpCell2_0"_s));
    QCOMPARE(printed.textsOf(u"chtCompareMark"_s), QStringList{u"57"_s});
    QCOMPARE(printed.textsOf(u"chtCompareLegend"_s), (QStringList{u"Offer A"_s, u"Bank"_s}));
}

QTEST_MAIN(TestComparisonReports)
#include "tst_comparisonreports.moc"
