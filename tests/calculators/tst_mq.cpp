// The Mortgage Qualifier page driven as a user drives it: typing into its
// fields, leaving them with Tab, reading what the fields show.

#include "app/settings/BuyerValues.h"
#include "calculators/EccPage.h"
#include "calculators/MqPage.h"
#include "finance/Errors.h"
#include "tests/calculators/FakeHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

const QString UnusableFigures =
    QStringLiteral("Valid results cannot be calculated using\n\rthe variables you have "
                   "entered.\n\r\n\rPlease try again with reasonable values.");
const QString Unidentified = QStringLiteral("An unidentified error has occurred.");

// Stands in for the main window's handler: records the message it would show.
class ErrorLog
{
public:
    ErrorLog()
    {
        m_previous = setExceptionHandler([this](std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const FloatError &) {
                messages << UnusableFigures;
            } catch (...) {
                messages << Unidentified;
            }
        });
    }
    ~ErrorLog() { setExceptionHandler(m_previous); }
    ErrorLog(const ErrorLog &) = delete;
    ErrorLog &operator=(const ErrorLog &) = delete;

    QStringList messages;

private:
    ExceptionHandler m_previous;
};

// One page on a fake main window, shown and active so that focus works.
struct Fixture
{
    test::FakeHost host;
    MqPage page{host};
    ErrorLog errors;

    bool show()
    {
        page.show();
        page.activateWindow();
        return QTest::qWaitForWindowExposed(&page) && QTest::qWaitForWindowActive(&page);
    }
    QLineEdit *field(const QString &name) const { return page.findChild<QLineEdit *>(name); }
    QString shown(const QString &name) const { return field(name)->text(); }
    // Replaces the field's text as typed and leaves the field with Tab.
    void type(const QString &name, const QString &text)
    {
        QLineEdit *edit = field(name);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
};

} // namespace

class TestMq : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }

    void startFigures_data();
    void startFigures();
    void enterCarriesRatiosWithoutCalculating();
    void rateOneFollowers_data();
    void rateOneFollowers();
    void halfTypedRateWaitsForANumber();
    void debtsUseUpTheLimit_data();
    void debtsUseUpTheLimit();
    void zeroRateKeepsEarlierScenarios_data();
    void zeroRateKeepsEarlierScenarios();
    void resetOrder_data();
    void resetOrder();
    void ratiosReachClosingCostPage();
    void captions();
    void screenshots();
};

// Figures of the worked start example (income 5000, debts 850, ratios 28 and
// 36, so a payment of 950), checked against an independent closed-form
// annuity computation in Python: 950 * (1 - 1.00583333^-(12y)) / 0.00583333.
void TestMq::startFigures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("payment 1") << u"edtMQPayment1"_s << u"$950.00"_s;
    QTest::newRow("payment 2") << u"edtMQPayment2"_s << u"$950.00"_s;
    QTest::newRow("payment 3") << u"edtMQPayment3"_s << u"$950.00"_s;
    QTest::newRow("loan 30y") << u"edtMQLoan1"_s << u"$142,792.19"_s;
    QTest::newRow("loan 20y") << u"edtMQLoan2"_s << u"$122,533.38"_s;
    QTest::newRow("loan 15y") << u"edtMQLoan3"_s << u"$105,693.16"_s;
    QTest::newRow("price 30y") << u"edtMQPurchasePrice1"_s << u"$162,792.19"_s;
    QTest::newRow("price 20y") << u"edtMQPurchasePrice2"_s << u"$142,533.38"_s;
    QTest::newRow("price 15y") << u"edtMQPurchasePrice3"_s << u"$125,693.16"_s;
    QTest::newRow("housing ratio") << u"edtCalculatedHousingRatio"_s << u"19"_s;
    QTest::newRow("debt ratio") << u"edtCalculatedDebtRatio"_s << u"36"_s;
}

void TestMq::startFigures()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    Fixture f;
    QVERIFY(f.show());
    f.page.enter();
    f.type(QStringLiteral("edtIncome1"), QStringLiteral("4000"));
    QCOMPARE(f.shown(name), text);
    QVERIFY(f.errors.messages.isEmpty());
    QVERIFY(f.host.printingAllowed);
    QVERIFY(f.host.resetEnabled);
    QCOMPARE(f.host.buyerValues().HRatio, 28.0);
    QCOMPARE(f.host.buyerValues().DRatio, 36.0);
}

void TestMq::enterCarriesRatiosWithoutCalculating()
{
    Fixture f;
    f.host.buyerValues().HRatio = 31;
    f.host.buyerValues().DRatio = 42;
    QVERIFY(f.show());
    f.page.enter();
    QCOMPARE(f.shown(QStringLiteral("edtHousingRatio")), QStringLiteral("31"));
    QCOMPARE(f.shown(QStringLiteral("edtDebtRatio")), QStringLiteral("42"));
    QCOMPARE(f.page.focusWidget(), f.field(QStringLiteral("edtIncome1")));
    QVERIFY(f.host.printingAllowed);
    QVERIFY(f.host.resetEnabled);
    // No calculation on entering: results and actual ratios as they were.
    QCOMPARE(f.shown(QStringLiteral("edtMQLoan1")), QStringLiteral("$0.00"));
    QCOMPARE(f.shown(QStringLiteral("edtCalculatedHousingRatio")), QStringLiteral("28"));
    QCOMPARE(f.shown(QStringLiteral("edtCalculatedDebtRatio")), QStringLiteral("36"));
}

// Rates 2 and 3 follow rate 1 at -0.25 and -0.5; loans from the independent
// Python annuity computation above (payment 950).
void TestMq::rateOneFollowers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rate2");
    QTest::addColumn<QString>("rate3");
    QTest::addColumn<QString>("loan2");
    QTest::addColumn<QString>("loan3");
    QTest::newRow("7") << u"7"_s << u"6.750"_s << u"6.500"_s << u"$124,940.16"_s
                       << u"$109,056.59"_s;
    QTest::newRow("8.5") << u"8.5"_s << u"8.250"_s << u"8.000"_s << u"$111,493.76"_s
                         << u"$99,408.56"_s;
}

void TestMq::rateOneFollowers()
{
    QFETCH(QString, typed);
    QFETCH(QString, rate2);
    QFETCH(QString, rate3);
    QFETCH(QString, loan2);
    QFETCH(QString, loan3);
    Fixture f;
    QVERIFY(f.show());
    f.page.enter();
    QCOMPARE(f.shown(QStringLiteral("edtMQir1")), QStringLiteral("7.000"));
    QCOMPARE(f.shown(QStringLiteral("edtMQir2")), QStringLiteral("7.000"));
    f.type(QStringLiteral("edtMQir1"), typed);
    QCOMPARE(f.shown(QStringLiteral("edtMQir2")), rate2);
    QCOMPARE(f.shown(QStringLiteral("edtMQir3")), rate3);
    QCOMPARE(f.shown(QStringLiteral("edtMQLoan2")), loan2);
    QCOMPARE(f.shown(QStringLiteral("edtMQLoan3")), loan3);
    QVERIFY(f.errors.messages.isEmpty());
}

// Clearing rate 1 to type a new one must not raise an error box per
// keystroke; the followers move once a number stands there again.
void TestMq::halfTypedRateWaitsForANumber()
{
    Fixture f;
    QVERIFY(f.show());
    QLineEdit *rate1 = f.field(QStringLiteral("edtMQir1"));
    rate1->setFocus();
    QTest::keyClick(rate1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(rate1, Qt::Key_Delete);
    QCOMPARE(rate1->text(), QString());
    QVERIFY(f.errors.messages.isEmpty());
    QCOMPARE(f.shown(QStringLiteral("edtMQir2")), QStringLiteral("7.000"));
    QTest::keyClicks(rate1, QStringLiteral("8"));
    QCOMPARE(f.shown(QStringLiteral("edtMQir2")), QStringLiteral("7.750"));
    QCOMPARE(f.shown(QStringLiteral("edtMQir3")), QStringLiteral("7.500"));
    // Leaving the field empty is still an error, reported once.
    QTest::keyClick(rate1, Qt::Key_Backspace);
    QTest::keyClick(rate1, Qt::Key_Tab);
    QCOMPARE(f.errors.messages, QStringList{Unidentified});
}

void TestMq::debtsUseUpTheLimit_data()
{
    QTest::addColumn<QString>("debtRatio");
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QString>("actualDebtRatio");
    // Income 5000 at 36 % allows 1800 of payment plus debts; the other debts
    // are 500, so cards of 1300 leave exactly nothing.
    QTest::newRow("exactly used up") << u"36"_s << u"1300"_s << u"36"_s;
    QTest::newRow("over the limit") << u"36"_s << u"2000"_s << u"50"_s;
    // 10 % allows 500, less than the start debts of 850.
    QTest::newRow("debt ratio too low") << u"10"_s << u"350"_s << u"17"_s;
}

void TestMq::debtsUseUpTheLimit()
{
    QFETCH(QString, debtRatio);
    QFETCH(QString, cards);
    QFETCH(QString, actualDebtRatio);
    Fixture f;
    QVERIFY(f.show());
    f.page.enter();
    f.type(QStringLiteral("edtDebtRatio"), debtRatio);
    f.type(QStringLiteral("edtCards1"), cards);
    for (int k = 1; k <= 3; ++k) {
        const QString n = QString::number(k);
        QCOMPARE(f.shown(u"edtMQPayment" + n), QStringLiteral("$0.00"));
        QCOMPARE(f.shown(u"edtMQLoan" + n), QStringLiteral("$0.00"));
        QCOMPARE(f.shown(u"edtMQPurchasePrice" + n), QStringLiteral("$20,000.00"));
    }
    QCOMPARE(f.shown(QStringLiteral("edtCalculatedHousingRatio")), QStringLiteral("0"));
    QCOMPARE(f.shown(QStringLiteral("edtCalculatedDebtRatio")), actualDebtRatio);
    QVERIFY(f.errors.messages.isEmpty());
}

// A rate of 0 has no present value (0 / 0): the scenarios before it show the
// new figures, the failing one and those after keep theirs. Loans at 0.25 %
// and 0.5 % from the independent Python computation above.
void TestMq::zeroRateKeepsEarlierScenarios_data()
{
    QTest::addColumn<QString>("rate1");
    QTest::addColumn<QStringList>("loans");
    QTest::newRow("rate 1 zero") << u"0"_s
                                 << QStringList{u"$142,792.19"_s, u"$122,533.38"_s,
                                                u"$105,693.16"_s};
    QTest::newRow("rate 2 zero") << u"0.25"_s
                                 << QStringList{u"$329,456.66"_s, u"$122,533.38"_s,
                                                u"$105,693.16"_s};
    QTest::newRow("rate 3 zero") << u"0.5"_s
                                 << QStringList{u"$317,524.50"_s, u"$222,371.24"_s,
                                                u"$105,693.16"_s};
}

void TestMq::zeroRateKeepsEarlierScenarios()
{
    QFETCH(QString, rate1);
    QFETCH(QStringList, loans);
    Fixture f;
    QVERIFY(f.show());
    f.page.enter();
    f.type(QStringLiteral("edtIncome1"), QStringLiteral("4000"));
    QCOMPARE(f.shown(QStringLiteral("edtMQLoan1")), QStringLiteral("$142,792.19"));
    f.type(QStringLiteral("edtMQir1"), rate1);
    QCOMPARE(f.errors.messages, QStringList{UnusableFigures});
    for (int k = 0; k < 3; ++k)
        QCOMPARE(f.shown(u"edtMQLoan" + QString::number(k + 1)), loans[k]);
}

void TestMq::resetOrder_data()
{
    QTest::addColumn<QString>("rateField");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rate2");
    QTest::addColumn<QString>("rate3");
    // Rate 1 changes on Reset: rate 3 follows it (6.5), rate 2 is set after.
    QTest::newRow("rate 1 was 8") << u"edtMQir1"_s << u"8"_s << u"7.000"_s << u"6.500"_s;
    // Rate 1 text unchanged: rate 3 is not touched.
    QTest::newRow("rate 3 was 5") << u"edtMQir3"_s << u"5"_s << u"7.000"_s << u"5"_s;
}

void TestMq::resetOrder()
{
    QFETCH(QString, rateField);
    QFETCH(QString, typed);
    QFETCH(QString, rate2);
    QFETCH(QString, rate3);
    Fixture f;
    QVERIFY(f.show());
    f.page.enter();
    f.type(QStringLiteral("edtMQTerm3"), QStringLiteral("10"));
    f.type(QStringLiteral("edtIncome2"), QStringLiteral("2500"));
    f.type(QStringLiteral("edtMQTerm2"), QStringLiteral("25"));
    f.type(rateField, typed);
    const QString loan3 = f.shown(QStringLiteral("edtMQLoan3"));
    const QString housing = f.shown(QStringLiteral("edtCalculatedHousingRatio"));
    const int allowCalls = f.host.allowPrintingCalls;
    QVERIFY(loan3 != QStringLiteral("$0.00"));

    f.page.Reset();
    // Reset leaves the focus in income 1, which shows its plain edit text.
    QCOMPARE(f.shown(QStringLiteral("edtIncome1")), QStringLiteral("4000.00"));
    QCOMPARE(f.shown(QStringLiteral("edtIncome2")), QStringLiteral("$0.00"));
    QCOMPARE(f.shown(QStringLiteral("edtOIncome1")), QStringLiteral("$1,000.00"));
    QCOMPARE(f.shown(QStringLiteral("edtCards1")), QStringLiteral("$350.00"));
    QCOMPARE(f.shown(QStringLiteral("edtAuto1")), QStringLiteral("$450.00"));
    QCOMPARE(f.shown(QStringLiteral("edtNotes1")), QStringLiteral("$50.00"));
    QCOMPARE(f.shown(QStringLiteral("edtMQDownPayment")), QStringLiteral("$20,000.00"));
    QCOMPARE(f.shown(QStringLiteral("edtHousingRatio")), QStringLiteral("28"));
    QCOMPARE(f.shown(QStringLiteral("edtDebtRatio")), QStringLiteral("40"));
    QCOMPARE(f.shown(QStringLiteral("edtMQir1")), QStringLiteral("7.000"));
    QCOMPARE(f.shown(QStringLiteral("edtMQir2")), rate2);
    QCOMPARE(f.shown(QStringLiteral("edtMQir3")), rate3);
    QCOMPARE(f.shown(QStringLiteral("edtMQTerm1")), QStringLiteral("30"));
    QCOMPARE(f.shown(QStringLiteral("edtMQTerm2")), QStringLiteral("15"));
    QCOMPARE(f.shown(QStringLiteral("edtMQTerm3")), QStringLiteral("10"));
    for (const char *name : {"edtMQPayment1", "edtMQLoan1", "edtMQPurchasePrice1", "edtMQPayment2",
                             "edtMQLoan2", "edtMQPurchasePrice2"})
        QCOMPARE(f.shown(QString::fromLatin1(name)), QStringLiteral("$0.00"));
    // Scenario 3 and the actual ratios stay; nothing recalculated or printed.
    QCOMPARE(f.shown(QStringLiteral("edtMQLoan3")), loan3);
    QCOMPARE(f.shown(QStringLiteral("edtCalculatedHousingRatio")), housing);
    QCOMPARE(f.host.allowPrintingCalls, allowCalls);
    QCOMPARE(f.host.disallowPrintingCalls, 0);
    QCOMPARE(f.page.focusWidget(), f.field(QStringLiteral("edtIncome1")));
    QVERIFY(f.errors.messages.isEmpty());
}

// The qualifier's ratios travel through the buyer defaults to the closing-
// cost page, which takes them each time it is shown.
void TestMq::ratiosReachClosingCostPage()
{
    Fixture f;
    QVERIFY(f.show());
    f.page.enter();
    f.type(QStringLiteral("edtHousingRatio"), QStringLiteral("30"));
    f.type(QStringLiteral("edtDebtRatio"), QStringLiteral("40"));
    QCOMPARE(f.host.buyerValues().HRatio, 30.0);
    QCOMPARE(f.host.buyerValues().DRatio, 40.0);

    EccPage ecc(f.host);
    ecc.enter();
    QCOMPARE(ecc.findChild<QLineEdit *>(QStringLiteral("edtEccHousingRatio"))->text(),
             QStringLiteral("30"));
    QCOMPARE(ecc.findChild<QLineEdit *>(QStringLiteral("edtEccDebtRatio"))->text(),
             QStringLiteral("40"));
    QVERIFY(f.errors.messages.isEmpty());
}

void TestMq::captions()
{
    Fixture f;
    QStringList texts;
    for (const QLabel *label : f.page.findChildren<QLabel *>())
        texts << label->text();
    for (const char *caption :
         {"Monthly Income", "Other Monthly Income", "Monthly Minimum Due on Credit Cards",
          "Monthly Auto Loan Payment(s)", "Monthly Due on Student Loan & Other Notes Payable",
          "Cash You have Available for Down Payment", "Interest Rate", "Term (Years)",
          "Monthly Payment (P&I)", "Loan Amount", "Purchase Price", "Your Ratios"})
        QVERIFY2(texts.contains(QString::fromLatin1(caption)), caption);
    QCOMPARE(f.page.title(), QStringLiteral("Mortgage Qualifier"));
    QCOMPARE(f.page.helpTopic(), 30);
    QCOMPARE(f.page.pageName(), QStringLiteral("MQ"));
}

// Renders the page after the start calculation, sized and lettered as the
// main window shows it; written to the folder named by CLVN_SCREENSHOT_DIR
// when it is set.
void TestMq::screenshots()
{
    Fixture f;
    f.page.setFont(QFont(QStringLiteral("Arial"), 8));
    f.page.resize(587, 380);
    QVERIFY(f.show());
    f.page.enter();
    f.type(QStringLiteral("edtIncome1"), QStringLiteral("4000"));
    QApplication::focusWidget()->clearFocus();
    const QPixmap shot = f.page.grab();
    QCOMPARE(shot.size(), QSize(587, 380));
    const QString dir = qEnvironmentVariable("CLVN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(shot.save(QDir(dir).filePath(QStringLiteral("page-mq.png"))));
}

QTEST_MAIN(TestMq)
#include "tst_mq.moc"
