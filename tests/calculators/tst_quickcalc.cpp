// The Quick Calculator page driven as a user drives it: choose the unknown,
// type the three known figures, press Calculate, read what is shown.

#include "calculators/QuickCalcPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace clvn;
using namespace Qt::Literals::StringLiterals;
using Look = QuickCalcPage::Look;

namespace {
// The four fields and their choice buttons, in the order of QuickCalcPage::Unknown.
const QStringList Fields{u"edtLA"_s, u"EdtIR"_s, u"edtPMT"_s, u"EdtN"_s};
const QStringList Buttons{u"btnCalcLA"_s, u"btnCalcIR"_s, u"btnCalcPMT"_s, u"btnCalcN"_s};
// What a choice, a failure and Reset leave in the four fields.
const QStringList Cleared{u"$0.00"_s, u"0.000"_s, u"$0.00"_s, u"1"_s};
} // namespace

class TestQuickCalc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        // The page must answer every failure itself; count anything that escapes.
        setExceptionHandler([this](std::exception_ptr) { ++m_escapedErrors; });
    }
    void init()
    {
        m_escapedErrors = 0;
        m_host = std::make_unique<test::FakeHost>();
        m_page = std::make_unique<QuickCalcPage>(*m_host);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
        m_page->activateWindow();
    }
    void cleanup()
    {
        QCOMPARE(m_escapedErrors, 0);
        m_page.reset(); // before the host it uses
    }
    void enterWithCalculateDisabled();
    void calculate_data();
    void calculate();
    void solveAgainThenReset();

private:
    template <class T = QLineEdit> T *child(const QString &name) const
    {
        return test::find<T>(m_page.get(), name);
    }
    QPushButton *calcButton() const { return child<QPushButton>(u"BtnCalcQuickCalc"_s); }
    void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    void type(const QString &name, const QString &text) { test::typeAccepted(child(name), text); }
    // Types "loan|rate|payment|number" into the fields left open.
    void fill(const QString &figures)
    {
        const QStringList typed = figures.split(u'|');
        for (int i = 0; i < Fields.size(); ++i)
            if (child(Fields[i])->isEnabled())
                type(Fields[i], typed[i]);
    }
    // The four fields as read when not being edited.
    QStringList texts() const
    {
        QStringList shown;
        for (const QString &name : Fields) {
            auto *money = qobject_cast<TNumEdit *>(child(name));
            shown << (money ? money->displayText() : child(name)->text());
        }
        return shown;
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<QuickCalcPage> m_page;
    int m_escapedErrors = 0;
};

void TestQuickCalc::enterWithCalculateDisabled()
{
    m_host->printingAllowed = true;
    m_host->resetEnabled = true;
    m_page->enter();
    QVERIFY(!m_host->printingAllowed);
    QCOMPARE(m_host->disallowPrintingCalls, 1);
    QVERIFY(m_host->resetEnabled); // left as the page the user came from had it
    QVERIFY(m_page->hasFocus());
    // Calculate does nothing before a choice.
    const QStringList start{u"$0.00"_s, u"0.000"_s, u"$0.00"_s, u"0"_s};
    QCOMPARE(texts(), start);
    QVERIFY(!calcButton()->isEnabled());
    test::MessageBoxCatcher boxes;
    click(calcButton());
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(texts(), start);
    QCOMPARE(m_page->unknown(), QuickCalcPage::Unknown::None);
}

void TestQuickCalc::calculate_data()
{
    QTest::addColumn<QString>("figures");       // loan|rate|payment|number, "?" the unknown
    QTest::addColumn<QString>("shown");         // empty: the page's failure path
    QTest::addColumn<qint64>("tenThousandths"); // the held value, unrounded, x 10000

    // Figures: the closed-form annuity, 100000 * 0.00625 / (1 - 1.00625^-360) = 699.2145.
    QTest::newRow("payment") << u"100000|7.5|?|360"_s << u"$699.21"_s << 6992145LL;
    QTest::newRow("loan amount") << u"?|7.5|699.21|360"_s << u"$100,000.00"_s << 1000000000LL;
    QTest::newRow("interest rate") << u"100000|?|699.21|360"_s << u"7.500"_s << 75000LL;
    QTest::newRow("number of payments") << u"100000|7.5|699.21|?"_s << u"360"_s << 3600000LL;
    // 600 is less than the first month's interest of 625: shows 0, no message.
    QTest::newRow("payment below month's interest") << u"100000|7.5|600|?"_s << u"0"_s << 0LL;
    // Rate 0: the loan is n times the payment, the payment a plain share.
    QTest::newRow("loan amount at 0 %") << u"?|0|500|120"_s << u"$60,000.00"_s << 600000000LL;
    QTest::newRow("payment at 0 %") << u"1000|0|?|3"_s << u"$333.33"_s << 3333333LL;
    // A whole odd loan goes up by one: 10001 + 0.5 ties to the even 10002.
    QTest::newRow("loan odd whole") << u"?|0|10001|1"_s << u"$10,002.00"_s << 100020000LL;
    // 360.5 months rounds to 360 (ties to even) before the payment.
    QTest::newRow("payment half month") << u"100000|7.5|?|360.5"_s << u"$699.21"_s << 6992145LL;
    // Division by zero and unreadable figures.
    QTest::newRow("payment, rate 0, no payments") << u"100000|0|?|0"_s << QString() << 0LL;
    QTest::newRow("number, rate 0, no payment") << u"100000|0|0|?"_s << QString() << 0LL;
    QTest::newRow("number, no payment") << u"100000|7.5|0|?"_s << QString() << 0LL;
    QTest::newRow("loan amount, fractional term") << u"?|7.5|699.21|360.5"_s << QString() << 0LL;
    QTest::newRow("rate, empty term") << u"100000|?|699.21|"_s << QString() << 0LL;
}

void TestQuickCalc::calculate()
{
    QFETCH(QString, figures);
    QFETCH(QString, shown);
    QFETCH(qint64, tenThousandths);

    // The choice clears figures typed before it, greys the unknown out and
    // puts the focus in the first field still open.
    fill(u"5000|||12"_s);
    const int unknown = figures.split(u'|').indexOf(u"?"_s);
    click(child<QPushButton>(Buttons[unknown]));
    QCOMPARE(texts(), Cleared);
    for (int i = 0; i < Fields.size(); ++i)
        QCOMPARE(m_page->look(child(Fields[i])), i == unknown ? Look::Unknown : Look::Input);
    QCOMPARE(QApplication::focusWidget(), child(Fields[unknown == 0 ? 1 : 0]));

    fill(figures);
    test::MessageBoxCatcher boxes;
    click(calcButton());
    // A failure clears the fields and opens them again, and disables Calculate
    // until the next choice; the choice stays.
    const bool fails = shown.isEmpty();
    for (int i = 0; i < Fields.size(); ++i)
        QCOMPARE(m_page->look(child(Fields[i])),
                 i == unknown && !fails ? Look::Result : Look::Input);
    QCOMPARE(calcButton()->isEnabled(), !fails);
    QCOMPARE(m_page->unknown(), QuickCalcPage::Unknown(unknown + 1));
    if (fails) {
        QCOMPARE(boxes.texts(), QStringList{QuickCalcPage::FailureMessage});
        QCOMPARE(texts(), Cleared);
        return;
    }
    QCOMPARE(boxes.count(), 0);
    QLineEdit *result = child(Fields[unknown]);
    QCOMPARE(result->text(), shown);
    QCOMPARE(result->palette().color(QPalette::Base), QColor(Qt::yellow));
    auto *money = qobject_cast<TNumEdit *>(result);
    const double held = money ? money->value() : qobject_cast<TFnpNumericEdit *>(result)->value();
    QCOMPARE(qRound64(held * 10000), tenThousandths);
}

void TestQuickCalc::solveAgainThenReset()
{
    click(child<QPushButton>(u"btnCalcPMT"_s));
    fill(u"100000|7.5||360"_s);
    click(calcButton());
    // The choice stays: a new rate, a new payment (100000 * 0.005 / (1 - 1.005^-360)).
    type(u"EdtIR"_s, u"6"_s);
    click(calcButton());
    QCOMPARE(child(u"edtPMT"_s)->text(), u"$599.55"_s);

    m_page->Reset();
    QCOMPARE(texts(), Cleared);
    QCOMPARE(m_page->look(child(u"edtPMT"_s)), Look::Input);
    QVERIFY(!calcButton()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(u"btnCalcLA"_s));
    QCOMPARE(m_page->unknown(), QuickCalcPage::Unknown::Payment);
}

QTEST_MAIN(TestQuickCalc)
#include "tst_quickcalc.moc"
