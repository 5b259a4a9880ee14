// The three reports filled from stand-in pages, and the print dispatch.

#include "finance/Errors.h"
#include "reports/Print.h"
#include "reports/Qrgfe.h"
#include "reports/Qrgrid.h"
#include "tests/reports/FakePages.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <cmath>

using namespace clvn;
using namespace clvn::report;
using namespace Qt::StringLiterals;

namespace {

// The Estimated Closing Costs page after its first calculation with the start
// figures (its worked example); P&I = 116800 r / (1 - (1 + r)^-360), r = 0.07 / 12.
std::unique_ptr<QWidget> makeEccPage()
{
    auto page = test::makePage(u"ECC"_s);
    const double r = 0.07 / 12, pandi = 116800 * r / (1 - std::pow(1 + r, -360));
    test::addFields(page.get(),
                    u"edtEccIncome=4000 edtEccDebt=450 edtEccAssociationFee=0 edtEccCpmi=0 "
                    u"edtEccCPurchasePrice=146000 edtEccCDownPayment=29200 edtEccCEscrows=1206 "
                    u"edtEccCLoanAmount=116800 edtEccCMonthlyTax=150 edtEccCMonthlyInsurance=30 "
                    u"edtEccCClosingCosts=1152 edtEccCPandI=%1 edtEccCMonthlyPayment=%2"_s
                        .arg(pandi, 0, 'g', 17)
                        .arg(150 + 30 + pandi, 0, 'g', 17),
                    u"edtEccInterest=7.000 edtEccOriginationPoints=0.000 edtEccTerm=30 "
                    u"edtEccDiscountPoints=0.000 edtEccDownPaymentPercent=20.000 "
                    u"edtEccCHousingRatio=24 edtEccCDebtRatio=35"_s);
    test::addFields(test::makePage(u"pnlClosing"_s, page.get()).release(),
                    u"edtOriginationFee=0 edtLOF=0 edtAF=300 edtCR=42 edtTSF=85 edtLPF=0 "
                    u"edtTIF=200 edtTS=100 edtSTT=75 edtRF=50 edtOF=300 edtSellerPaid=0"_s);
    test::addFields(test::makePage(u"pnlEscrow"_s, page.get()).release(),
                    u"edtII=336 edtPTI=450 edtHOIP=360 edtHOII=60 edtPMII=0"_s);
    return page;
}

// The Mortgage Qualifier page with its start figures and first results.
std::unique_ptr<QWidget> makeMqPage()
{
    auto page = test::makePage(u"MQ"_s);
    test::addFields(page.get(),
                    u"edtIncome1=4000 edtOIncome1=1000 edtCards1=350 edtAuto1=450 edtNotes1=50 "
                    u"edtIncome2=0 edtOIncome2=0 edtCards2=0 edtAuto2=0 edtNotes2=0 "
                    u"edtMQDownPayment=20000 edtMQPayment1=950 edtMQPayment2=950 "
                    u"edtMQPayment3=950 edtMQLoan1=142792.19 edtMQLoan2=122533.38 "
                    u"edtMQLoan3=105693.16 edtMQPurchasePrice1=162792.19 "
                    u"edtMQPurchasePrice2=142533.38 edtMQPurchasePrice3=125693.16"_s,
                    u"edtHousingRatio=28 edtDebtRatio=36 edtCalculatedHousingRatio=19 "
                    u"edtCalculatedDebtRatio=36 edtMQir1=7.125 edtMQir2=6.875 edtMQir3=6.625 "
                    u"edtMQTerm1=30 edtMQTerm2=20 edtMQTerm3=15"_s);
    return page;
}

// A stand-in page from "<name> <field>=<value> ...", values changed from its start figures.
std::unique_ptr<QWidget> pageFrom(const QString &input)
{
    QStringList edits = input.split(u' ');
    const QString name = edits.takeFirst();
    auto page = name == u"Amort" ? test::makeAmortPage(30)
                : name == u"ECC" ? makeEccPage()
                : name == u"MQ"  ? makeMqPage()
                                 : test::makePage(name);
    for (const QString &edit : edits) {
        const QString field = edit.section(u'=', 0, 0), value = edit.section(u'=', 1);
        if (auto *money = page->findChild<TNumEdit *>(field))
            money->setValue(value.toDouble());
        else
            page->findChild<QLineEdit *>(field)->setText(value);
    }
    return page;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }
    void amortization_data();
    void amortization();
    void print_data();
    void print();
    void printStopsOnBadNumber();
};

void TestReports::amortization_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("figures");
    QTest::newRow("360 payments") << 360 << test::kAmortFigures;
    QTest::newRow("empty grid prints no detail") << 0 << test::kAmortFigures;
    // The header copies the figures as the page shows them, separators and all.
    QTest::newRow("other separators") << 100 << u"250.000,00 €|6,125|180|2.126,55 €"_s.split(u'|');
}

void TestReports::amortization()
{
    QFETCH(int, rows);
    QFETCH(QStringList, figures);
    auto page = test::makeAmortPage(rows, figures);
    TQRAmortization report;
    report.setPage(page.get());
    const PreparedReport out = report.Rep().prepare();
    QCOMPARE(out.pageCount() > 1, rows >= 100);
    const QStringList columns = u"LblPaymentNumber LblPrincipal LblInterest LblPrincipalSoFar "
                                u"LblInterestSoFar LblExtraPrincipal LblBalance"_s.split(u' ');
    int next = 0;
    for (int p = 0; p < out.pageCount(); ++p) {
        const PreparedPage &pg = out.pages[std::size_t(p)];
        // Every page: the loan figures, the headings, the footer with "Page n".
        QCOMPARE((QStringList{pg.textOf(u"lblMortgageAmt"_s), pg.textOf(u"lblIRate"_s),
                              pg.textOf(u"lblNumPmts"_s), pg.textOf(u"lblPaymentAmt"_s)}),
                 figures);
        for (const QString &heading :
             u"Payment Number|Principal|Interest|Principal Paid To Date|"
             u"Interest Paid To Date|Extra Principal|BALANCE"_s.split(u'|'))
            QVERIFY2(pg.findText(heading), qPrintable(heading));
        QCOMPARE(pg.textOf(u"qrsPageNumber"_s), u"Page %1"_s.arg(p + 1));
        QCOMPARE(pg.textOf(u"lblApplicationTitle"_s), u"Calvenor, 1.0.04"_s);
        QCOMPARE(pg.textOf(u"lblURL"_s), u"www.tolvane.com"_s);
        QCOMPARE(pg.findText(u"Loan Amortization Schedule"_s) != nullptr, p == 0);
        // The rows run on where the previous page stopped, every cell as the grid shows it.
        const int first = next;
        next += int(pg.textsOf(columns[0]).size());
        QVERIFY(next > first || rows == 0);
        for (int c = 0; c < 7; ++c) {
            QStringList cells;
            for (int r = first; r < next; ++r)
                cells << test::amortCell(r, c);
            QCOMPARE(pg.textsOf(columns[c]), cells);
        }
    }
    QCOMPARE(next, rows);
}

void TestReports::print_data()
{
    QTest::addColumn<QString>("input"); // the page, fields changed from its start figures, hidden
    QTest::addColumn<QString>("label"); // "title" for the report's title, empty: nothing prints
    QTest::addColumn<QString>("expected");
    QTest::newRow("amortization") << u"Amort"_s << u"title"_s
                                  << u"Preview of Amortization Schedule"_s;
    QTest::newRow("closing costs")
        << u"ECC"_s << u"title"_s << u"Preview of Estimated Closing Costs"_s;
    QTest::newRow("qualifier") << u"MQ"_s << u"title"_s << u"Preview of Mortgage Qualifier"_s;
    QTest::newRow("hidden notebook") << u"Amort hidden"_s << QString() << QString();
    QTest::newRow("quick calculator") << u"QC"_s << QString() << QString();
    QTest::newRow("biweekly, no band yet") << u"BW"_s << QString() << QString();
    // The closing-cost page's worked example: 20 % down on 146,000, 7 % over 30 years.
    QTest::newRow("purchase price") << u"ECC"_s << u"lblPQPurchasePrice"_s << u"$146,000.00"_s;
    QTest::newRow("P&I") << u"ECC"_s << u"lblPQPandI"_s << u"$777.07"_s;
    QTest::newRow("total monthly debt") << u"ECC"_s << u"lblPQTotalDebt"_s << u"$1,407.07"_s;
    QTest::newRow("origination caption") << u"ECC"_s << u"lblPQOFee"_s << u"Origination Fee  0%"_s;
    QTest::newRow("total funds to close")
        << u"ECC"_s << u"lblTotalFundsToClose"_s << u"$31,558.00"_s;
    QTest::newRow("down payment 12.125% general-3")
        << u"ECC edtEccDownPaymentPercent=12.125"_s << u"lblPQDownPaymentPercent"_s << u"12.1%"_s;
    QTest::newRow("rate 7.125% general-5")
        << u"ECC edtEccInterest=7.125"_s << u"lblPQInterest"_s << u"7.125%"_s;
    QTest::newRow("origination 1.5 points")
        << u"ECC edtEccOriginationPoints=1.500"_s << u"lblPQOFee"_s << u"Origination Fee  1.5%"_s;
    QTest::newRow("discount 0.25 points")
        << u"ECC edtEccDiscountPoints=0.250"_s << u"lblPQPoints"_s << u"Discount Points  0.25%"_s;
    // $957.00 and $450.00 as shown, but the sum of 957.004 and 450.004 prints $1,407.01.
    QTest::newRow("total debt at full precision")
        << u"ECC edtEccCMonthlyPayment=957.004 edtEccDebt=450.004"_s << u"lblPQTotalDebt"_s
        << u"$1,407.01"_s;
    QTest::newRow("seller pays more than the funds")
        << u"ECC edtSellerPaid=32000"_s << u"lblBuyerPaidTotal"_s << u"($442.00)"_s;
    QTest::newRow("buyer paid falls by seller paid")
        << u"ECC edtSellerPaid=500"_s << u"lblBuyerPaidTotal"_s << u"$31,058.00"_s;
    // The qualifier page's start figures and first results.
    QTest::newRow("MQ title") << u"MQ"_s << u"lblTitle"_s << u"Mortgage Qualifier"_s;
    QTest::newRow("MQ housing ratio general") << u"MQ"_s << u"lblHousingRatio"_s << u"28"_s;
    QTest::newRow("MQ rate 7.125 percent general") << u"MQ"_s << u"lblir1"_s << u"7.125%"_s;
    QTest::newRow("MQ loan") << u"MQ"_s << u"lblMQLoan1"_s << u"$142,792.19"_s;
}

void TestReports::print()
{
    QFETCH(QString, input);
    QFETCH(QString, label);
    QFETCH(QString, expected);
    const bool hidden = input.endsWith(u" hidden");
    auto page = pageFrom(hidden ? input.chopped(7) : input);
    page->setVisible(!hidden);
    PrintDispatcher dispatcher(nullptr); // installs its preview window before the catcher
    test::PreviewCatcher catcher;
    dispatcher.Print(page.get());
    QCOMPARE(PrintDispatcher::canPrint(page->objectName()), !label.isEmpty() || hidden);
    QCOMPARE(int(catcher.shown.size()), label.isEmpty() ? 0 : 1);
    if (label.isEmpty())
        return;
    const PreparedReport &out = catcher.shown[0];
    QCOMPARE(out.pageCount(), 1);
    QCOMPARE(label == u"title" ? out.title : out.pages[0].textOf(label), expected);
}

void TestReports::printStopsOnBadNumber()
{
    auto page = pageFrom(u"MQ edtMQir2=7.1.2"_s);
    page->show();
    PrintDispatcher dispatcher(nullptr);
    test::PreviewCatcher catcher;
    QVERIFY_THROWS_EXCEPTION(ConvertError, dispatcher.Print(page.get()));
    QVERIFY(catcher.shown.empty());
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
