// The three reports filled from stand-in pages, and the print dispatch.

#include "finance/Errors.h"
#include "reports/Print.h"
#include "reports/Qrcalc.h"
#include "reports/Qrgfe.h"
#include "reports/Qrgrid.h"
#include "reports/engine/Report.h"
#include "tests/reports/FakePages.h"
#include "tests/support/TestSupport.h"

#include <QTest>

using namespace clvn;
using namespace clvn::report;
using clvn::test::addMoney;
using clvn::test::addNumber;

namespace {

const QStringList kAmortHeadings{QStringLiteral("Payment Number"),
                                 QStringLiteral("Principal"),
                                 QStringLiteral("Interest"),
                                 QStringLiteral("Principal Paid To Date"),
                                 QStringLiteral("Interest Paid To Date"),
                                 QStringLiteral("Extra Principal"),
                                 QStringLiteral("BALANCE")};
const QStringList kDetailLabels{
    QStringLiteral("LblPaymentNumber"), QStringLiteral("LblPrincipal"),
    QStringLiteral("LblInterest"),      QStringLiteral("LblPrincipalSoFar"),
    QStringLiteral("LblInterestSoFar"), QStringLiteral("LblExtraPrincipal"),
    QStringLiteral("LblBalance")};

// The Estimated Closing Costs page after its first calculation with the start
// figures: price 146,000, down payment 29,200, loan 116,800 at 7 % over 30
// years, P&I 777.07, total monthly payment 957.07, ratios 24 and 35, closing
// costs 1,152, escrows 1,206.00 (the page's own worked example). The
// unrounded P&I is 116800 * r / (1 - (1 + r)^-360) with r = 0.07 / 12.
std::unique_ptr<QWidget> makeEccPage()
{
    auto page = test::makePage(QStringLiteral("ECC"));
    QWidget *p = page.get();
    const double r = 0.07 / 12;
    const double pandi = 116800 * r / (1 - std::pow(1 + r, -360));
    addMoney(p, QStringLiteral("edtEccIncome"), 4000);
    addMoney(p, QStringLiteral("edtEccDebt"), 450);
    addNumber(p, QStringLiteral("edtEccInterest"), QStringLiteral("7.000"));
    addNumber(p, QStringLiteral("edtEccOriginationPoints"), QStringLiteral("0.000"));
    addNumber(p, QStringLiteral("edtEccDiscountPoints"), QStringLiteral("0.000"));
    addNumber(p, QStringLiteral("edtEccTerm"), QStringLiteral("30"));
    addNumber(p, QStringLiteral("edtEccDownPaymentPercent"), QStringLiteral("20.000"));
    addMoney(p, QStringLiteral("edtEccAssociationFee"), 0);
    addMoney(p, QStringLiteral("edtEccCPurchasePrice"), 146000);
    addMoney(p, QStringLiteral("edtEccCDownPayment"), 29200);
    addMoney(p, QStringLiteral("edtEccCLoanAmount"), 116800);
    addMoney(p, QStringLiteral("edtEccCPandI"), pandi);
    addMoney(p, QStringLiteral("edtEccCMonthlyTax"), 150);
    addMoney(p, QStringLiteral("edtEccCMonthlyInsurance"), 30);
    addMoney(p, QStringLiteral("edtEccCpmi"), 0);
    addMoney(p, QStringLiteral("edtEccCMonthlyPayment"), 150 + 30 + pandi);
    addMoney(p, QStringLiteral("edtEccCClosingCosts"), 1152);
    addMoney(p, QStringLiteral("edtEccCEscrows"), 1206);
    addNumber(p, QStringLiteral("edtEccCHousingRatio"), QStringLiteral("24"));
    addNumber(p, QStringLiteral("edtEccCDebtRatio"), QStringLiteral("35"));
    // The closing-cost and escrow panels are children of the page.
    auto *closing = new QWidget(p);
    closing->setObjectName(QStringLiteral("pnlClosing"));
    const std::pair<const char *, double> fees[] = {
        {"edtOriginationFee", 0}, {"edtLOF", 0}, {"edtAF", 300},  {"edtCR", 42},
        {"edtTSF", 85},           {"edtLPF", 0}, {"edtTIF", 200}, {"edtTS", 100},
        {"edtSTT", 75},           {"edtRF", 50}, {"edtOF", 300},  {"edtSellerPaid", 0}};
    for (const auto &[name, value] : fees)
        addMoney(closing, QString::fromLatin1(name), value);
    auto *escrow = new QWidget(p);
    escrow->setObjectName(QStringLiteral("pnlEscrow"));
    const std::pair<const char *, double> escrows[] = {
        {"edtII", 336}, {"edtPTI", 450}, {"edtHOIP", 360}, {"edtHOII", 60}, {"edtPMII", 0}};
    for (const auto &[name, value] : escrows)
        addMoney(escrow, QString::fromLatin1(name), value);
    return page;
}

// The Mortgage Qualifier page with its start figures and first results
// (ratios 28 and 36: loans 142,792.19, 122,533.38 and 105,693.16).
std::unique_ptr<QWidget> makeMqPage()
{
    auto page = test::makePage(QStringLiteral("MQ"));
    QWidget *p = page.get();
    const double row1[] = {4000, 1000, 350, 450, 50};
    const char *stems[] = {"Income", "OIncome", "Cards", "Auto", "Notes"};
    for (int i = 0; i < 5; ++i) {
        addMoney(p, QStringLiteral("edt%1%2").arg(QString::fromLatin1(stems[i])).arg(1), row1[i]);
        addMoney(p, QStringLiteral("edt%1%2").arg(QString::fromLatin1(stems[i])).arg(2), 0);
    }
    addNumber(p, QStringLiteral("edtHousingRatio"), QStringLiteral("28"));
    addNumber(p, QStringLiteral("edtDebtRatio"), QStringLiteral("36"));
    addNumber(p, QStringLiteral("edtCalculatedHousingRatio"), QStringLiteral("19"));
    addNumber(p, QStringLiteral("edtCalculatedDebtRatio"), QStringLiteral("36"));
    addMoney(p, QStringLiteral("edtMQDownPayment"), 20000);
    const char *rates[] = {"7.125", "6.875", "6.625"};
    const char *terms[] = {"30", "20", "15"};
    const double loans[] = {142792.19, 122533.38, 105693.16};
    for (int k = 1; k <= 3; ++k) {
        addNumber(p, QStringLiteral("edtMQir%1").arg(k), QString::fromLatin1(rates[k - 1]));
        addNumber(p, QStringLiteral("edtMQTerm%1").arg(k), QString::fromLatin1(terms[k - 1]));
        addMoney(p, QStringLiteral("edtMQPayment%1").arg(k), 950);
        addMoney(p, QStringLiteral("edtMQLoan%1").arg(k), loans[k - 1]);
        addMoney(p, QStringLiteral("edtMQPurchasePrice%1").arg(k), loans[k - 1] + 20000);
    }
    return page;
}

// Captures what the engine would preview, instead of the window.
class PreviewCatcher
{
public:
    PreviewCatcher()
    {
        m_previous = Report::setPreviewHandler(
            [this](Report &, const PreparedReport &pages) { reports.push_back(pages); });
    }
    ~PreviewCatcher() { Report::setPreviewHandler(std::move(m_previous)); }
    std::vector<PreparedReport> reports;

private:
    Report::PreviewHandler m_previous;
};

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }

    void amortizationRows_data();
    void amortizationRows();
    void amortizationHeaderCopiesShownText_data();
    void amortizationHeaderCopiesShownText();
    void goodFaithWorkedExample();
    void goodFaithFigures_data();
    void goodFaithFigures();
    void goodFaithLayout();
    void qualifierBand_data();
    void qualifierBand();
    void printDispatch_data();
    void printDispatch();
    void printStopsOnBadField();
};

void TestReports::amortizationRows_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("360 payments") << 360;
    QTest::newRow("1200 payments") << 1200;
    QTest::newRow("one payment") << 1;
    QTest::newRow("empty grid") << 0;
}

void TestReports::amortizationRows()
{
    QFETCH(int, rows);
    auto page = test::makeAmortPage(rows);
    TQRAmortization report;
    report.setPage(page.get());
    const PreparedReport out = report.Rep().prepare();

    QVERIFY(out.pageCount() >= 1);
    if (rows > 60)
        QVERIFY(out.pageCount() > 1);
    int next = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &pg = out.pages[std::size_t(p)];
        // Every page: the loan figures, the headings, the footer's page number.
        QCOMPARE(pg.textOf(QStringLiteral("lblMortgageAmt")), QStringLiteral("$100,000.00"));
        QCOMPARE(pg.textOf(QStringLiteral("lblNumPmts")), QStringLiteral("360"));
        for (const QString &heading : kAmortHeadings)
            QVERIFY2(pg.findText(heading), qPrintable(heading));
        QCOMPARE(pg.textOf(QStringLiteral("qrsPageNumber")), QStringLiteral("Page %1").arg(p + 1));
        QCOMPARE(pg.textOf(QStringLiteral("lblApplicationTitle")),
                 QStringLiteral("Calvenor, 1.0.04"));
        QCOMPARE(pg.textOf(QStringLiteral("lblURL")), QStringLiteral("www.tolvane.com"));
        QVERIFY(pg.textOf(QStringLiteral("qrsDateTime")).startsWith(QStringLiteral("Printed at ")));
        // The title only on the first page.
        QCOMPARE(pg.findText(QStringLiteral("Loan Amortization Schedule")) != nullptr, p == 0);
        // The detail rows continue where the previous page stopped.
        const QStringList numbers = pg.textsOf(QStringLiteral("LblPaymentNumber"));
        if (rows > 0)
            QVERIFY(!numbers.isEmpty());
        for (const QString &n : numbers) {
            QCOMPARE(n, test::amortCell(next, 0));
            ++next;
        }
        for (int c = 1; c < 7; ++c)
            QCOMPARE(pg.textsOf(kDetailLabels[c]).size(), numbers.size());
    }
    QCOMPARE(next, rows);
    if (rows > 0) {
        const PreparedPage &last = out.pages.back();
        QCOMPARE(last.textsOf(QStringLiteral("LblBalance")).last(), test::amortCell(rows - 1, 6));
    }
}

void TestReports::amortizationHeaderCopiesShownText_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("payment");
    QTest::newRow("start figures") << QStringLiteral("$100,000.00") << QStringLiteral("8.750")
                                   << QStringLiteral("360") << QStringLiteral("$786.70");
    QTest::newRow("other separators")
        << QStringLiteral("250.000,00 \u20AC") << QStringLiteral("6,125") << QStringLiteral("180")
        << QStringLiteral("2.126,55 \u20AC");
}

void TestReports::amortizationHeaderCopiesShownText()
{
    QFETCH(QString, amount);
    QFETCH(QString, rate);
    QFETCH(QString, term);
    QFETCH(QString, payment);
    auto page = test::makeAmortPage(100, amount, rate, term, payment);
    TQRAmortization report;
    report.setPage(page.get());
    const PreparedReport out = report.Rep().prepare();
    QVERIFY(out.pageCount() >= 2);
    for (const PreparedPage &pg : out.pages) {
        QCOMPARE(pg.textOf(QStringLiteral("lblMortgageAmt")), amount);
        QCOMPARE(pg.textOf(QStringLiteral("lblIRate")), rate);
        QCOMPARE(pg.textOf(QStringLiteral("lblNumPmts")), term);
        QCOMPARE(pg.textOf(QStringLiteral("lblPaymentAmt")), payment);
    }
}

void TestReports::goodFaithWorkedExample()
{
    auto page = makeEccPage();
    TQRGoodFaith report;
    report.fill(page.get());
    const PreparedReport out = report.Rep().prepare();
    QCOMPARE(out.pageCount(), 1);
    const PreparedPage &pg = out.pages[0];
    const std::pair<const char *, const char *> expected[] = {
        {"lblPQIncome", "$4,000.00"},
        {"lblPQPurchasePrice", "$146,000.00"},
        {"lblPQDownPaymentPercent", "20%"},
        {"lblPQDownPayment", "$29,200.00"},
        {"lblPQLoanAmount", "$116,800.00"},
        {"lblPQInterest", "7%"},
        {"lblPQTerm", "30"},
        {"lblPQPandI", "$777.07"},
        {"lblPQMonthlyTax", "$150.00"},
        {"lblPQMonthlyInsurance", "$30.00"},
        {"lblPQPmi", "$0.00"},
        {"lblPQAssociationFee", "$0.00"},
        {"lblPQMonthlyPayment", "$957.07"},
        {"lblPQHousingRatio", "24%"},
        {"lblPQMonthlyDebt", "$450.00"},
        {"lblPQTotalDebt", "$1,407.07"},
        {"lblPQDebtRatio", "35%"},
        {"lblPQOFee", "Origination Fee  0%"},
        {"lblPQOriginationFee", "$0.00"},
        {"lblPQPoints", "Discount Points  0%"},
        {"lblPQDiscountPoints", "$0.00"},
        {"lblPQAppraisalFee", "$300.00"},
        {"lblPQCreditReportFee", "$42.00"},
        {"lblPQUnderwritingFee", "$85.00"},
        {"lblPQAttorneyFee", "$0.00"},
        {"lblPQTitleInsurance", "$200.00"},
        {"lblPQMortgageRecordingFee", "$100.00"},
        {"lblPQTransferTax", "$75.00"},
        {"lblPQCertifiedPlotPlan", "$50.00"},
        {"lblPQPMIFirstMonth", "$0.00"},
        {"lblPQOther", "$300.00"},
        {"lblPQClosingCosts", "$1,152.00"},
        {"lblPQPrepaidInterest", "$336.00"},
        {"lblPQRealEstateTaxes", "$450.00"},
        {"lblPQHomeownersInsurance", "$360.00"},
        {"lblPQInsuranceRenewal", "$60.00"},
        {"lblPQPMIRenewal", "$0.00"},
        {"lblPQEstimatedEscrows", "$1,206.00"},
        {"lblPQDP", "$29,200.00"},
        {"lblPQCC", "$1,152.00"},
        {"lblPQEE", "$1,206.00"},
        {"lblTotalFundsToClose", "$31,558.00"},
        {"lblSellerPaidCosts", "$0.00"},
        {"lblBuyerPaidTotal", "$31,558.00"},
    };
    for (const auto &[label, text] : expected)
        QCOMPARE(pg.textOf(QString::fromLatin1(label)), QString::fromLatin1(text));
    QCOMPARE(pg.textOf(QStringLiteral("lblTitle")), QStringLiteral("Estimated Closing Costs"));
}

void TestReports::goodFaithFigures_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("expected");
    QTest::newRow("down payment 12.125% general-3") << "edtEccDownPaymentPercent" << 0.0 << "12.125"
                                                    << "lblPQDownPaymentPercent"
                                                    << "12.1%";
    QTest::newRow("rate 7.125% general-5") << "edtEccInterest" << 0.0 << "7.125"
                                           << "lblPQInterest"
                                           << "7.125%";
    QTest::newRow("origination 1.5 points") << "edtEccOriginationPoints" << 0.0 << "1.500"
                                            << "lblPQOFee"
                                            << "Origination Fee  1.5%";
    QTest::newRow("discount 0.25 points") << "edtEccDiscountPoints" << 0.0 << "0.250"
                                          << "lblPQPoints"
                                          << "Discount Points  0.25%";
    // 957.004 shows as $957.00 and 450.004 as $450.00; their sum 1,407.008
    // prints $1,407.01, not the $1,407.00 of the shown figures.
    QTest::newRow("total debt at full precision") << "edtEccCMonthlyPayment" << 957.004 << ""
                                                  << "lblPQTotalDebt"
                                                  << "$1,407.01";
    QTest::newRow("seller pays more than the funds") << "edtSellerPaid" << 32000.0 << ""
                                                     << "lblBuyerPaidTotal"
                                                     << "($442.00)";
    QTest::newRow("seller paid shown") << "edtSellerPaid" << 500.0 << ""
                                       << "lblSellerPaidCosts"
                                       << "$500.00";
    QTest::newRow("buyer paid falls by seller paid") << "edtSellerPaid" << 500.0 << ""
                                                     << "lblBuyerPaidTotal"
                                                     << "$31,058.00";
}

void TestReports::goodFaithFigures()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(QString, expected);
    auto page = makeEccPage();
    if (text.isEmpty()) {
        page->findChild<TNumEdit *>(field)->setValue(value);
        if (field == u"edtEccCMonthlyPayment")
            page->findChild<TNumEdit *>(QStringLiteral("edtEccDebt"))->setValue(450.004);
    } else {
        page->findChild<QLineEdit *>(field)->setText(text);
    }
    TQRGoodFaith report;
    report.fill(page.get());
    QCOMPARE(report.Rep().prepare().pages[0].textOf(label), expected);
}

void TestReports::goodFaithLayout()
{
    auto page = makeEccPage();
    TQRGoodFaith report;
    report.fill(page.get());
    const PreparedReport out = report.Rep().prepare();
    const PreparedPage &pg = out.pages[0];
    // The note: nineteen lines, three of them blank, first and last as written.
    QCOMPARE(pg.textOf(QStringLiteral("lblNote1")),
             QStringLiteral("These results reflect an estimate of the costs "));
    QCOMPARE(pg.textOf(QStringLiteral("lblNote19")),
             QStringLiteral("Booklet which you must receive at closing."));
    QVERIFY(pg.textOf(QStringLiteral("lblNote8")).isNull());
    // Bold rows and their values; plain ones stay plain.
    for (const char *bold :
         {"PURCHASE PRICE", "LOAN AMOUNT", "MONTHLY PAYMENT", "ESTIMATED CLOSING COSTS",
          "ESTIMATED ESCROWS", "TOTAL FUNDS TO CLOSE", "TOTAL BUYER PAID FUNDS TO CLOSE"}) {
        const PageItem *item = pg.findText(QString::fromLatin1(bold));
        QVERIFY2(item && item->font.bold(), bold);
    }
    QVERIFY(pg.findText(QStringLiteral("$146,000.00"))->font.bold());
    QVERIFY(!pg.findText(QStringLiteral("Monthly Income"))->font.bold());
    QVERIFY(!pg.findText(QStringLiteral("TOTAL MONTHLY DEBT"))->font.bold());
    // Five single rules and two double ones, all over the value column and
    // below the row they close.
    const PageItem *value = nullptr;
    int rules = 0;
    for (const PageItem &item : pg.items) {
        if (item.name == u"lblPQIncome")
            value = &item;
        if (item.kind == PageItem::Kind::Line && item.name.startsWith(u"lbl")) {
            ++rules;
            QVERIFY(value);
            QVERIFY(item.rect.left() >= value->rect.left());
            QVERIFY(item.rect.right() <= value->rect.right() + 0.01);
        }
    }
    QCOMPARE(rules, 5 + 2 * 2);
    // The rows run top to bottom in order without overlapping.
    qreal lastBottom = 0;
    for (const PageItem &item : pg.items) {
        if (item.kind == PageItem::Kind::Text && item.name.startsWith(u"lblPQ") &&
            item.rect.left() > 380 && item.rect.left() < 460) {
            QVERIFY2(item.rect.top() >= lastBottom - 0.01, qPrintable(item.name));
            lastBottom = item.rect.bottom();
        }
    }
}

void TestReports::qualifierBand_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("expected");
    QTest::newRow("title") << "lblTitle"
                           << "Mortgage Qualifier";
    QTest::newRow("income") << "lblIncome1"
                            << "$4,000.00";
    QTest::newRow("other income") << "lblOIncome1"
                                  << "$1,000.00";
    QTest::newRow("cards") << "lblCards1"
                           << "$350.00";
    QTest::newRow("auto") << "lblAuto1"
                          << "$450.00";
    QTest::newRow("notes") << "lblNotes1"
                           << "$50.00";
    QTest::newRow("co-borrower income") << "lblIncome2"
                                        << "$0.00";
    QTest::newRow("down payment") << "lblDownpayment"
                                  << "$20,000.00";
    QTest::newRow("housing ratio general") << "lblHousingRatio"
                                           << "28";
    QTest::newRow("debt ratio general") << "lblDebtRatio"
                                        << "36";
    QTest::newRow("your housing ratio") << "lblYourHousingRatio"
                                        << "19";
    QTest::newRow("rate 7.125 percent general") << "lblir1"
                                                << "7.125%";
    QTest::newRow("rate 6.875") << "lblir2"
                                << "6.875%";
    QTest::newRow("term general") << "lblterm1"
                                  << "30";
    QTest::newRow("term 3") << "lblterm3"
                            << "15";
    QTest::newRow("payment") << "lblMQPayment1"
                             << "$950.00";
    QTest::newRow("loan") << "lblMQLoan1"
                          << "$142,792.19";
    QTest::newRow("price") << "lblMQPurchasePrice3"
                           << "$125,693.16";
}

void TestReports::qualifierBand()
{
    QFETCH(QString, label);
    QFETCH(QString, expected);
    auto page = makeMqPage();
    page->show();
    PrintDispatcher dispatcher(nullptr);
    PreviewCatcher catcher;
    dispatcher.Print(page.get());
    QCOMPARE(int(catcher.reports.size()), 1);
    const PreparedReport &out = catcher.reports[0];
    QCOMPARE(out.title, QStringLiteral("Preview of Mortgage Qualifier"));
    QCOMPARE(out.pageCount(), 1);
    QCOMPARE(out.pages[0].textOf(label), expected);
    QVERIFY(out.pages[0].findText(QStringLiteral("Your Personal Financial Variables")));
    QVERIFY(out.pages[0].findText(QStringLiteral("as indicated below.")));
}

void TestReports::printDispatch_data()
{
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("hasReport");
    QTest::newRow("amortization") << "Amort" << true << "Preview of Amortization Schedule" << true;
    QTest::newRow("closing costs") << "ECC" << true << "Preview of Estimated Closing Costs" << true;
    QTest::newRow("qualifier") << "MQ" << true << "Preview of Mortgage Qualifier" << true;
    QTest::newRow("hidden notebook") << "Amort" << false << "" << true;
    QTest::newRow("quick calculator") << "QC" << true << "" << false;
    QTest::newRow("menu") << "Menu" << true << "" << false;
    QTest::newRow("biweekly, no band yet") << "BW" << true << "" << false;
}

void TestReports::printDispatch()
{
    QFETCH(QString, pageName);
    QFETCH(bool, visible);
    QFETCH(QString, title);
    QFETCH(bool, hasReport);
    std::unique_ptr<QWidget> page;
    if (pageName == u"Amort")
        page = test::makeAmortPage(30);
    else if (pageName == u"ECC")
        page = makeEccPage();
    else if (pageName == u"MQ")
        page = makeMqPage();
    else
        page = test::makePage(pageName);
    page->setVisible(visible);
    PrintDispatcher dispatcher(nullptr);
    PreviewCatcher catcher;
    dispatcher.Print(page.get());
    QCOMPARE(int(catcher.reports.size()), title.isEmpty() ? 0 : 1);
    QCOMPARE(PrintDispatcher::canPrint(pageName), hasReport);
    if (!title.isEmpty())
        QCOMPARE(catcher.reports[0].title, title);
}

void TestReports::printStopsOnBadField()
{
    auto page = makeMqPage();
    page->findChild<QLineEdit *>(QStringLiteral("edtMQir2"))->setText(QStringLiteral("7.1.2"));
    page->show();
    PrintDispatcher dispatcher(nullptr);
    PreviewCatcher catcher;
    QVERIFY_THROWS_EXCEPTION(ConvertError, dispatcher.Print(page.get()));
    QVERIFY(catcher.reports.empty());
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
