// The amortization report of the real Loan Amortizations page with its start figures.

#include "calculators/AmortPage.h"
#include "reports/Print.h"
#include "tests/calculators/FakeHost.h"
#include "tests/reports/FakePages.h"
#include "tests/support/TestSupport.h"

#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestReportsRealPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { clvn::test::pinLocale(); }
    void amortization();
};

void TestReportsRealPages::amortization()
{
    test::FakeHost host;
    AmortPage page(host);
    page.show();
    page.enter();
    PrintDispatcher dispatcher(nullptr); // installs its preview window before the catcher
    test::PreviewCatcher catcher;
    dispatcher.Print(&page);
    QCOMPARE(int(catcher.shown.size()), 1);
    // Every grid row prints as the grid shows it, under the payment as the page shows it.
    const auto *model = page.findChild<QTableView *>(u"grdAmortization"_s)->model();
    QStringList shown, printed;
    for (int r = 0; r < model->rowCount(); ++r)
        shown << model->index(r, 0).data().toString() + model->index(r, 6).data().toString();
    for (const report::PreparedPage &pg : catcher.shown[0].pages) {
        QCOMPARE(pg.textOf(u"lblPaymentAmt"_s), u"$786.70"_s);
        const QStringList numbers = pg.textsOf(u"LblPaymentNumber"_s);
        for (int i = 0; i < numbers.size(); ++i)
            printed << numbers[i] + pg.textsOf(u"LblBalance"_s).value(i);
    }
    QCOMPARE(printed.size(), 360);
    QCOMPARE(printed, shown);
}

QTEST_MAIN(TestReportsRealPages)
#include "tst_reports_realpages.moc"
