// The biweekly band of the calculation report and the prepayment worksheet,
// printed from the real Biweekly and Prepayment pages through Print.

#include "app/Pages.h"
#include "calculators/BwPage.h"
#include "calculators/PpcPage.h"
#include "reports/Print.h"
#include "reports/QrPpc.h"
#include "reports/Qrcalc.h"
#include "tests/reports/FakePages.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QRadioButton>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

namespace {

// The texts of `labels` on the report's only page, "name=text" joined by spaces.
QString printed(const PreparedReport &out, const QString &labels)
{
    QStringList items;
    for (const QString &name : labels.split(u' '))
        items << name + u'=' + out.pages[0].textOf(name);
    return items.join(u' ');
}

QString namesOf(const QString &expected)
{
    QStringList names;
    for (const QString &item : expected.split(u' '))
        names << item.section(u'=', 0, 0);
    return names.join(u' ');
}

} // namespace

class TestWorksheets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void biweekly_data();
    void biweekly();
    void prepayment_data();
    void prepayment();
};

void TestWorksheets::biweekly_data()
{
    QTest::addColumn<QString>("before"); // a page printed first, or empty
    QTest::addColumn<QString>("shown");  // "field=text" set on the page after its calculation
    QTest::addColumn<QString>("expected");
    // The page's worked example (the stored loan, 100,000 at 8.75 % over 360).
    const QString all = u"lblLA=$100,000.00 lblIR=8.75 lblNP=360 "
                        u"lblMP=$786.70 lblTP=$283,212.00 lblIP=$183,212.00 lblBWP=$393.35 "
                        u"lblBWTP=$226,540.72 lblBWIP=$126,540.72 lblMonths=94.19 lblYears=7.85 "
                        u"lblInterest=$56,671.28"_s;
    QTest::newRow("worked example") << u""_s << u""_s << all;
    // Only the biweekly band prints, whatever was printed before.
    QTest::newRow("after the qualifier") << u"MQ"_s << u""_s << all + u" lblIncome1=";
    // Months and years in general-4.
    QTest::newRow("months and years to 4 digits")
        << u""_s << u"EdtTimeSavedMonths=123.46 EdtTimeSavedYears=10.29"_s
        << u"lblMonths=123.5 lblYears=10.29"_s;
}

void TestWorksheets::biweekly()
{
    QFETCH(QString, before);
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    test::FakeHost host;
    BwPage page(host);
    page.show();
    page.Reset();
    for (const QString &set : shown.split(u' ', Qt::SkipEmptyParts))
        page.findChild<QLineEdit *>(set.section(u'=', 0, 0))->setText(set.section(u'=', 1));
    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    if (!before.isEmpty()) {
        auto mq = test::makePage(before);
        test::addFields(mq.get(),
                        u"edtIncome1=4000 edtOIncome1=0 edtCards1=0 edtAuto1=0 edtNotes1=0 "
                        u"edtIncome2=0 edtOIncome2=0 edtCards2=0 edtAuto2=0 edtNotes2=0 "
                        u"edtMQDownPayment=0 edtMQPayment1=0 edtMQPayment2=0 edtMQPayment3=0 "
                        u"edtMQLoan1=0 edtMQLoan2=0 edtMQLoan3=0 edtMQPurchasePrice1=0 "
                        u"edtMQPurchasePrice2=0 edtMQPurchasePrice3=0"_s,
                        u"edtHousingRatio=28 edtDebtRatio=36 edtCalculatedHousingRatio=0 "
                        u"edtCalculatedDebtRatio=0 edtMQir1=7 edtMQir2=7 edtMQir3=7 "
                        u"edtMQTerm1=30 edtMQTerm2=20 edtMQTerm3=15"_s);
        mq->show();
        printPage(dispatcher, mq.get());
        QCOMPARE(catcher.shown.back().pages[0].textOf(u"lblIncome1"_s), u"$4,000.00"_s);
    }
    printPage(dispatcher, &page);
    QCOMPARE(dispatcher.calcKind(), PrintDispatcher::CalcKind::Biweekly);
    const PreparedReport &out = catcher.shown.back();
    QCOMPARE(out.pageCount(), 1);
    QCOMPARE(out.title, u"Preview of Biweekly Mortgage Payments"_s);
    QCOMPARE(out.pages[0].textOf(u"lblTitle"_s), u"Biweekly Mortgage Payments"_s);
    QCOMPARE(printed(out, namesOf(expected)), expected);
}

void TestWorksheets::prepayment_data()
{
    QTest::addColumn<int>("choice"); // 0 single, 1 range, 2 all
    // "field=text" typed, "calc" the calculation, "clear" and "reset" the page's
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    // The page's figures: an independent Python schedule (see the page's tests).
    QTest::newRow("range 12 through 24")
        << 1 << u"edtPPCFromPmt=12 edtPPCToPmt=24 calc"_s
        << u"qrlblPrepayDetails=$100.00, applied to payments 12 through 24,|"
           u"qrlblAmountBorrowed=$100,000.00|qrlblInterestRate=8.750%|qrlblTermInMonths=360|"
           u"qrlblAnnualPropertyTaxes=$1,200.00|qrlblAnnualInsurance=$580.00|"
           u"qrlblAnnualPMIPremiums=$600.00|qrlblMonthlyPayment=$786.70|"
           u"qrlblFullMonthlyPayment=$985.03|qrlblTotalInterest=$183,212.97|"
           u"qrlblInterestAndPrincipal=$283,212.97|qrlblNewPayment=$886.70|"
           u"qrlblNewFullPayment=$1,085.03|qrlblNewInterest=$169,887.56|"
           u"qrlblNewInterestAndPrincipal=$269,887.56|qrlblNewTerm=342|qrlblSavings=$13,325.41"_s;
    QTest::newRow("all payments, rate 8.5")
        << 2 << u"edtPPCInterest=8.5 calc"_s
        << u"qrlblPrepayDetails=$100.00, applied to all payments,|qrlblInterestRate=8.500%"_s;
    QTest::newRow("single payment")
        << 0 << u"edtPPCFromPmt=1 edtPPCExtraAmount=99000 calc"_s
        << u"qrlblPrepayDetails=$99,000.00, applied to payment 1,|qrlblNewTerm=3"_s;
    // A range that ends before it starts pays its first payment alone.
    QTest::newRow("range ending before it starts")
        << 1 << u"edtPPCFromPmt=24 edtPPCToPmt=12 calc"_s
        << u"qrlblPrepayDetails=$100.00, applied to payment 24,"_s;
    // No extra applied: the sentence says so and why, never another choice.
    QTest::newRow("before any calculation")
        << 1 << QString()
        << u"qrlblPrepayDetails=$0.00, since no prepayment has been calculated,|"
           u"qrlblSavings=$0.00"_s;
    QTest::newRow("after reset")
        << 0 << u"edtPPCFromPmt=12 calc reset"_s
        << u"qrlblPrepayDetails=$0.00, since no prepayment has been calculated,|"
           u"qrlblSavings=$0.00"_s;
    QTest::newRow("after clear") << 2 << u"calc clear"_s
                                 << u"qrlblPrepayDetails=$0.00, since the prepayments were "
                                    u"cleared,|qrlblSavings=$0.00"_s;
    QTest::newRow("refused payment number")
        << 0 << u"edtPPCFromPmt=0 calc"_s
        << u"qrlblPrepayDetails=$0.00, since there is no payment 0,|qrlblSavings=$0.00"_s;
    QTest::newRow("payment past the last")
        << 0 << u"edtPPCFromPmt=361 calc"_s
        << u"qrlblPrepayDetails=$0.00, since payment 361 is past the last payment (360),|"
           u"qrlblSavings=$0.00"_s;
    QTest::newRow("range starting past the last")
        << 1 << u"edtPPCFromPmt=400 edtPPCToPmt=500 calc"_s
        << u"qrlblPrepayDetails=$0.00, since the range starts at payment 400, past the last "
           u"payment (360),|qrlblSavings=$0.00"_s;
    QTest::newRow("range starting at 0")
        << 1 << u"edtPPCFromPmt=0 edtPPCToPmt=12 calc"_s
        << u"qrlblPrepayDetails=$0.00, since the range starts at payment 0, which does not "
           u"exist,|qrlblSavings=$0.00"_s;
}

void TestWorksheets::prepayment()
{
    QFETCH(int, choice);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    test::FakeHost host;
    PpcPage page(host);
    page.show();
    const QString radios[] = {u"rbtnOnePmt"_s, u"rbtnRangePmts"_s, u"rbtnAllPmts"_s};
    page.findChild<QRadioButton *>(radios[choice])->setChecked(true);
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        test::MessageBoxCatcher messages;
        if (step == u"calc")
            page.CalcPPC();
        else if (step == u"clear")
            page.btnPPCClearClick();
        else if (step == u"reset")
            page.Reset();
        else
            page.findChild<QLineEdit *>(step.section(u'=', 0, 0))->setText(step.section(u'=', 1));
    }
    // Mended: choosing again without recalculating does not change what is described.
    page.findChild<QRadioButton *>(radios[(choice + 1) % 3])->setChecked(true);

    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    printPage(dispatcher, &page);
    QCOMPARE(int(catcher.shown.size()), 1);
    const PreparedReport &out = catcher.shown[0];
    QCOMPARE(out.pageCount(), 1);
    QCOMPARE(out.title, u"Preview of Mortgage Prepayment Results"_s);
    QCOMPARE(dispatcher.prepayment().rep().progressCaption(),
             u"Preparing Mortgage Prepayment Results"_s);
    QStringList shown;
    for (const QString &item : expected.split(u'|'))
        shown << item.section(u'=', 0, 0) + u'=' + out.pages[0].textOf(item.section(u'=', 0, 0));
    QCOMPARE(shown.join(u'|'), expected);
    // The details follow the opening words on the same line.
    const PageItem *opening = out.pages[0].findText(u"Based upon your prepayment amount of "_s);
    QVERIFY(opening);
    const PageItem *details = nullptr;
    for (const PageItem &item : out.pages[0].items)
        if (item.name == u"qrlblPrepayDetails")
            details = &item;
    QVERIFY(details);
    QCOMPARE(details->rect.top(), opening->rect.top());
    QVERIFY(qAbs(details->rect.left() - opening->rect.right()) < 1);
    QVERIFY(out.pages[0].findText(u"your mortgage details will be changed as indicated below."_s));
    QVERIFY(out.pages[0].findText(u"Mortgage Prepayment Results"_s));
}

QTEST_MAIN(TestWorksheets)
#include "tst_worksheets.moc"
