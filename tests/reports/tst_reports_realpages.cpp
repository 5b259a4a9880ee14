// The reports filled from the program's own calculator pages, each entered
// the way navigation enters it, with the start figures of a fresh settings
// file (the pages' worked examples).

#include "calculators/AmortPage.h"
#include "calculators/EccPage.h"
#include "calculators/MqPage.h"
#include "reports/Print.h"
#include "reports/engine/Report.h"
#include "tests/calculators/FakeHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>

using namespace clvn;
using namespace clvn::report;

namespace {

// Runs Print on `page` and returns what would have been previewed.
std::vector<PreparedReport> printed(CalculatorPage &page)
{
    std::vector<PreparedReport> out;
    PrintDispatcher dispatcher(nullptr);
    const auto previous = Report::setPreviewHandler(
        [&out](Report &, const PreparedReport &pages) { out.push_back(pages); });
    try {
        dispatcher.Print(&page);
    } catch (...) {
        Report::setPreviewHandler(previous);
        throw;
    }
    Report::setPreviewHandler(previous);
    return out;
}

} // namespace

class TestReportsRealPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }
    void amortization();
    void closingCosts();
    void qualifier();
};

void TestReportsRealPages::amortization()
{
    test::FakeHost host;
    AmortPage page(host);
    page.show();
    page.enter();
    const auto out = printed(page);
    QCOMPARE(int(out.size()), 1);
    const auto *model = page.findChild<QTableView *>(QStringLiteral("grdAmortization"))->model();
    QCOMPARE(model->rowCount(), 360);
    QStringList numbers;
    QStringList balances;
    for (const PreparedPage &pg : out[0].pages) {
        QCOMPARE(pg.textOf(QStringLiteral("lblPaymentAmt")),
                 page.findChild<TNumEdit *>(QStringLiteral("edtAmortPayment"))->displayText());
        QCOMPARE(pg.textOf(QStringLiteral("lblPaymentAmt")), QStringLiteral("$786.70"));
        QCOMPARE(pg.textOf(QStringLiteral("lblMortgageAmt")), QStringLiteral("$100,000.00"));
        numbers << pg.textsOf(QStringLiteral("LblPaymentNumber"));
        balances << pg.textsOf(QStringLiteral("LblBalance"));
    }
    QCOMPARE(numbers.size(), 360);
    for (int r = 0; r < 360; ++r) {
        QCOMPARE(numbers[r], model->index(r, 0).data().toString());
        QCOMPARE(balances[r], model->index(r, 6).data().toString());
    }
}

void TestReportsRealPages::closingCosts()
{
    test::FakeHost host;
    EccPage page(host);
    page.show();
    page.enter();
    const auto out = printed(page);
    QCOMPARE(int(out.size()), 1);
    const PreparedPage &pg = out[0].pages.at(0);
    QCOMPARE(pg.textOf(QStringLiteral("lblPQPurchasePrice")), QStringLiteral("$146,000.00"));
    QCOMPARE(pg.textOf(QStringLiteral("lblPQLoanAmount")), QStringLiteral("$116,800.00"));
    QCOMPARE(pg.textOf(QStringLiteral("lblPQMonthlyPayment")), QStringLiteral("$957.07"));
    QCOMPARE(pg.textOf(QStringLiteral("lblPQClosingCosts")), QStringLiteral("$1,152.00"));
    QCOMPARE(pg.textOf(QStringLiteral("lblPQEstimatedEscrows")), QStringLiteral("$1,206.00"));
    QCOMPARE(pg.textOf(QStringLiteral("lblTotalFundsToClose")), QStringLiteral("$31,558.00"));
    QCOMPARE(pg.textOf(QStringLiteral("lblPQHousingRatio")), QStringLiteral("24%"));
    QCOMPARE(pg.textOf(QStringLiteral("lblPQDebtRatio")), QStringLiteral("35%"));
}

void TestReportsRealPages::qualifier()
{
    test::FakeHost host;
    MqPage page(host);
    page.show();
    page.enter();
    page.CalcMQ();
    const auto out = printed(page);
    QCOMPARE(int(out.size()), 1);
    const PreparedPage &pg = out[0].pages.at(0);
    QCOMPARE(pg.textOf(QStringLiteral("lblMQLoan1")), QStringLiteral("$142,792.19"));
    QCOMPARE(pg.textOf(QStringLiteral("lblMQPurchasePrice2")), QStringLiteral("$142,533.38"));
    QCOMPARE(pg.textOf(QStringLiteral("lblir1")), QStringLiteral("7%"));
    QCOMPARE(pg.textOf(QStringLiteral("lblYourHousingRatio")), QStringLiteral("19"));
    QCOMPARE(pg.textOf(QStringLiteral("lblIncome1")), QStringLiteral("$4,000.00"));
}

QTEST_MAIN(TestReportsRealPages)
#include "tst_reports_realpages.moc"
