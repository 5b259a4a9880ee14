// The Quick Calculator page driven as a user drives it: choose the unknown,
// type the three known figures, press Calculate, read what is shown.

#include "calculators/QuickCalcPage.h"
#include "finance/Errors.h"
#include "tests/calculators/FakeHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace clvn;
using namespace Qt::Literals::StringLiterals;
using Look = QuickCalcPage::Look;

class TestQuickCalc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startState();
    void calculateDisabledBeforeChoice();
    void choice_data();
    void choice();
    void solve_data();
    void solve();
    void solveAgainAfterEditing();
    void paymentBelowMonthsInterest();
    void failure_data();
    void failure();
    void reset();
    void enter();

private:
    template <class T> T *child(const char *name) const
    {
        T *w = m_page->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no child %s", name);
        return w;
    }
    QLineEdit *field(const QString &name) const
    {
        return child<QLineEdit>(name.toLatin1().constData());
    }
    void click(const char *button)
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    // Types into a field as the user does and leaves it with Tab.
    void type(const QString &fieldName, const QString &text);

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<QuickCalcPage> m_page;
    int m_escapedErrors = 0;
};

void TestQuickCalc::initTestCase()
{
    test::pinLocale();
    // The page must answer every failure itself; count anything that escapes.
    setExceptionHandler([this](std::exception_ptr) { ++m_escapedErrors; });
}

void TestQuickCalc::init()
{
    m_escapedErrors = 0;
    m_host = std::make_unique<test::FakeHost>();
    m_page = std::make_unique<QuickCalcPage>(*m_host);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    m_page->activateWindow();
}

void TestQuickCalc::cleanup()
{
    QCOMPARE(m_escapedErrors, 0);
    m_page.reset();
    m_host.reset();
}

void TestQuickCalc::type(const QString &fieldName, const QString &text)
{
    QLineEdit *edit = field(fieldName);
    QVERIFY2(edit->isEnabled(), qPrintable(fieldName));
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
}

void TestQuickCalc::startState()
{
    QCOMPARE(field(u"edtLA"_s)->text(), u"$0.00"_s);
    QCOMPARE(field(u"EdtIR"_s)->text(), u"0.000"_s);
    QCOMPARE(field(u"edtPMT"_s)->text(), u"$0.00"_s);
    QCOMPARE(field(u"EdtN"_s)->text(), u"0"_s);
    QCOMPARE(m_page->unknown(), QuickCalcPage::Unknown::None);
    QCOMPARE(child<QPushButton>("btnCalcIR")->text(), u"&Interest Rate "_s);
    QCOMPARE(child<QPushButton>("btnCalcN")->toolTip(), u"Click to calculate number of payments"_s);
    QCOMPARE(child<QPushButton>("BtnCalcQuickCalc")->statusTip(), u"Click to calculate."_s);
    QCOMPARE(m_page->title(), u"Quick Calculator"_s);
    QCOMPARE(m_page->helpTopic(), 20);
}

void TestQuickCalc::calculateDisabledBeforeChoice()
{
    auto *calc = child<QPushButton>("BtnCalcQuickCalc");
    QVERIFY(!calc->isEnabled());
    test::MessageBoxCatcher boxes;
    QTest::mouseClick(calc, Qt::LeftButton);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(field(u"edtLA"_s)->text(), u"$0.00"_s);
    QCOMPARE(field(u"EdtN"_s)->text(), u"0"_s);
}

void TestQuickCalc::choice_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("unknownField");
    QTest::addColumn<QString>("focused");

    QTest::newRow("loan amount") << "btnCalcLA"
                                 << "edtLA"
                                 << "EdtIR";
    QTest::newRow("interest rate") << "btnCalcIR"
                                   << "EdtIR"
                                   << "edtLA";
    QTest::newRow("payment") << "btnCalcPMT"
                             << "edtPMT"
                             << "edtLA";
    QTest::newRow("number") << "btnCalcN"
                            << "EdtN"
                            << "edtLA";
}

void TestQuickCalc::choice()
{
    QFETCH(QString, button);
    QFETCH(QString, unknownField);
    QFETCH(QString, focused);

    // Figures typed before the choice are cleared by it.
    type(u"edtLA"_s, u"5000"_s);
    type(u"EdtN"_s, u"12"_s);
    click(button.toLatin1().constData());

    QVERIFY(child<QPushButton>("BtnCalcQuickCalc")->isEnabled());
    for (const QString &name : {u"edtLA"_s, u"EdtIR"_s, u"edtPMT"_s, u"EdtN"_s}) {
        QLineEdit *edit = field(name);
        const bool isUnknown = name == unknownField;
        QCOMPARE(m_page->look(edit), isUnknown ? Look::Unknown : Look::Input);
        QCOMPARE(edit->isEnabled(), !isUnknown);
        QVERIFY(!edit->isReadOnly());
    }
    QCOMPARE(QApplication::focusWidget(), field(focused));
    QCOMPARE(qobject_cast<TNumEdit *>(field(u"edtLA"_s))->value(), 0.0);
    QCOMPARE(field(u"EdtIR"_s)->text(), u"0.000"_s);
    QCOMPARE(field(u"EdtN"_s)->text(), u"1"_s);
}

void TestQuickCalc::solve_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("loan");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("resultField");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qint64>("tenThousandths"); // the held value, unrounded, x 10000

    // The worked loan of 100000 at 7.5 % over 360 months: its level payment is
    // 100000 * 0.00625 / (1 - 1.00625^-360) = 699.2145...; 699.21 over 360
    // months repays 99999.36 (shown as the next whole unit, 100000); that
    // payment on 100000 over 360 months is a rate of 7.5002 %; and it repays
    // 100000 in 360.01 months.
    QTest::newRow("payment") << "btnCalcPMT"
                             << "100000"
                             << "7.5"
                             << ""
                             << "360"
                             << "edtPMT"
                             << "$699.21" << qint64(6992145);
    QTest::newRow("loan amount") << "btnCalcLA"
                                 << ""
                                 << "7.5"
                                 << "699.21"
                                 << "360"
                                 << "edtLA"
                                 << "$100,000.00" << qint64(1000000000);
    QTest::newRow("interest rate") << "btnCalcIR"
                                   << "100000"
                                   << ""
                                   << "699.21"
                                   << "360"
                                   << "EdtIR"
                                   << "7.500" << qint64(75000);
    QTest::newRow("number of payments") << "btnCalcN"
                                        << "100000"
                                        << "7.5"
                                        << "699.21"
                                        << ""
                                        << "EdtN"
                                        << "360" << qint64(3600000);
    // Rate 0: the loan is n times the payment, the payment a plain share.
    QTest::newRow("loan amount at 0 %") << "btnCalcLA"
                                        << ""
                                        << "0"
                                        << "500"
                                        << "120"
                                        << "edtLA"
                                        << "$60,000.00" << qint64(600000000);
    QTest::newRow("payment at 0 %") << "btnCalcPMT"
                                    << "1000"
                                    << "0"
                                    << ""
                                    << "3"
                                    << "edtPMT"
                                    << "$333.33" << qint64(3333333);
    // A whole odd loan goes up by one: 10001 + 0.5 ties to the even 10002.
    QTest::newRow("loan amount odd whole") << "btnCalcLA"
                                           << ""
                                           << "0"
                                           << "10001"
                                           << "1"
                                           << "edtLA"
                                           << "$10,002.00" << qint64(100020000);
    // 360.5 months rounds to 360 (ties to even) before the payment.
    QTest::newRow("payment half month") << "btnCalcPMT"
                                        << "100000"
                                        << "7.5"
                                        << ""
                                        << "360.5"
                                        << "edtPMT"
                                        << "$699.21" << qint64(6992145);
}

void TestQuickCalc::solve()
{
    QFETCH(QString, button);
    QFETCH(QString, loan);
    QFETCH(QString, rate);
    QFETCH(QString, payment);
    QFETCH(QString, number);
    QFETCH(QString, resultField);
    QFETCH(QString, shown);
    QFETCH(qint64, tenThousandths);

    click(button.toLatin1().constData());
    const QList<std::pair<QString, QString>> inputs{
        {u"edtLA"_s, loan}, {u"EdtIR"_s, rate}, {u"edtPMT"_s, payment}, {u"EdtN"_s, number}};
    for (const auto &[name, text] : inputs) {
        if (name != resultField)
            type(name, text);
    }
    test::MessageBoxCatcher boxes;
    click("BtnCalcQuickCalc");

    QCOMPARE(boxes.count(), 0);
    QLineEdit *result = field(resultField);
    QCOMPARE(result->text(), shown);
    QCOMPARE(m_page->look(result), Look::Result);
    QVERIFY(result->isEnabled());
    QCOMPARE(result->palette().color(QPalette::Base), QColor(Qt::yellow));
    double held = 0;
    if (auto *money = qobject_cast<TNumEdit *>(result))
        held = money->value();
    else
        held = qobject_cast<TFnpNumericEdit *>(result)->value();
    QCOMPARE(qRound64(held * 10000), tenThousandths);
    for (const auto &[name, text] : inputs) {
        if (name != resultField)
            QCOMPARE(m_page->look(field(name)), Look::Input);
    }
}

void TestQuickCalc::solveAgainAfterEditing()
{
    click("btnCalcPMT");
    type(u"edtLA"_s, u"100000"_s);
    type(u"EdtIR"_s, u"7.5"_s);
    type(u"EdtN"_s, u"360"_s);
    click("BtnCalcQuickCalc");
    QCOMPARE(field(u"edtPMT"_s)->text(), u"$699.21"_s);

    // The choice stays: a new rate gives a new payment with no new choice.
    // 100000 * 0.005 / (1 - 1.005^-360) = 599.55.
    type(u"EdtIR"_s, u"6"_s);
    click("BtnCalcQuickCalc");
    QCOMPARE(field(u"edtPMT"_s)->text(), u"$599.55"_s);
    QCOMPARE(m_page->unknown(), QuickCalcPage::Unknown::Payment);
}

void TestQuickCalc::paymentBelowMonthsInterest()
{
    // 600 is less than the first month's interest of 625: no term repays it.
    click("btnCalcN");
    type(u"edtLA"_s, u"100000"_s);
    type(u"EdtIR"_s, u"7.5"_s);
    type(u"edtPMT"_s, u"600"_s);
    test::MessageBoxCatcher boxes;
    click("BtnCalcQuickCalc");
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(field(u"EdtN"_s)->text(), u"0"_s);
    QVERIFY(child<QPushButton>("BtnCalcQuickCalc")->isEnabled());
}

void TestQuickCalc::failure_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("loan");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("number");

    QTest::newRow("payment, rate 0, no payments") << "btnCalcPMT"
                                                  << "100000"
                                                  << "0"
                                                  << ""
                                                  << "0";
    QTest::newRow("number, rate 0, no payment") << "btnCalcN"
                                                << "100000"
                                                << "0"
                                                << "0"
                                                << "";
    QTest::newRow("number, no payment") << "btnCalcN"
                                        << "100000"
                                        << "7.5"
                                        << "0"
                                        << "";
    QTest::newRow("loan amount, fractional term") << "btnCalcLA"
                                                  << ""
                                                  << "7.5"
                                                  << "699.21"
                                                  << "360.5";
    QTest::newRow("rate, empty term") << "btnCalcIR"
                                      << "100000"
                                      << ""
                                      << "699.21"
                                      << "";
    QTest::newRow("payment, empty rate") << "btnCalcPMT"
                                         << "100000"
                                         << ""
                                         << ""
                                         << "360";
}

void TestQuickCalc::failure()
{
    QFETCH(QString, button);
    QFETCH(QString, loan);
    QFETCH(QString, rate);
    QFETCH(QString, payment);
    QFETCH(QString, number);

    click(button.toLatin1().constData());
    const QList<std::pair<QString, QString>> inputs{
        {u"edtLA"_s, loan}, {u"EdtIR"_s, rate}, {u"edtPMT"_s, payment}, {u"EdtN"_s, number}};
    for (const auto &[name, text] : inputs) {
        if (field(name)->isEnabled())
            type(name, text);
    }
    const auto chosen = m_page->unknown();
    test::MessageBoxCatcher boxes;
    click("BtnCalcQuickCalc");

    QCOMPARE(boxes.texts(), QStringList{QuickCalcPage::FailureMessage});
    QCOMPARE(field(u"edtLA"_s)->text(), u"$0.00"_s);
    QCOMPARE(field(u"EdtIR"_s)->text(), u"0.000"_s);
    QCOMPARE(field(u"edtPMT"_s)->text(), u"$0.00"_s);
    QCOMPARE(field(u"EdtN"_s)->text(), u"1"_s);
    for (const QString &name : {u"edtLA"_s, u"EdtIR"_s, u"edtPMT"_s, u"EdtN"_s}) {
        QCOMPARE(m_page->look(field(name)), Look::Input);
        QVERIFY(field(name)->isEnabled());
    }
    QVERIFY(!child<QPushButton>("BtnCalcQuickCalc")->isEnabled());
    QCOMPARE(m_page->unknown(), chosen);
}

void TestQuickCalc::reset()
{
    click("btnCalcPMT");
    type(u"edtLA"_s, u"100000"_s);
    type(u"EdtIR"_s, u"7.5"_s);
    type(u"EdtN"_s, u"360"_s);
    click("BtnCalcQuickCalc");
    QCOMPARE(m_page->look(field(u"edtPMT"_s)), Look::Result);

    m_page->Reset();
    QCOMPARE(field(u"edtLA"_s)->text(), u"$0.00"_s);
    QCOMPARE(field(u"EdtIR"_s)->text(), u"0.000"_s);
    QCOMPARE(field(u"edtPMT"_s)->text(), u"$0.00"_s);
    QCOMPARE(field(u"EdtN"_s)->text(), u"1"_s);
    QCOMPARE(m_page->look(field(u"edtPMT"_s)), Look::Input);
    QVERIFY(!field(u"edtPMT"_s)->isReadOnly());
    QVERIFY(!child<QPushButton>("BtnCalcQuickCalc")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>("btnCalcLA"));
    QCOMPARE(m_page->unknown(), QuickCalcPage::Unknown::Payment);
}

void TestQuickCalc::enter()
{
    m_host->printingAllowed = true;
    m_host->resetEnabled = true;
    m_page->enter();
    QVERIFY(!m_host->printingAllowed);
    QCOMPARE(m_host->disallowPrintingCalls, 1);
    QVERIFY(m_host->resetEnabled); // left as the page the user came from had it
    QVERIFY(m_page->hasFocus());
}

QTEST_MAIN(TestQuickCalc)
#include "tst_quickcalc.moc"
