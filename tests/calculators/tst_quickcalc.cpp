// The Quick Calculator page: choosing the unknown, Calculate, what a result
// and a failure show, Reset. The solving itself: tst_pageformulas.

#include "calculators/QuickCalcPage.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QPushButton>
#include <QTest>

#include <optional>

using namespace clvn;
using namespace Qt::Literals::StringLiterals;
using Look = QuickCalcPage::Look;

namespace {
// The four fields and their choice buttons, in the order of QuickCalcPage::Unknown.
const QStringList Fields = u"edtLA EdtIR edtPMT EdtN"_s.split(u' ');
const QStringList Buttons = u"btnCalcLA btnCalcIR btnCalcPMT btnCalcN"_s.split(u' ');
// What a choice, a failure and Reset leave in the four fields.
const QString Cleared = u"$0.00 0.000 $0.00 1"_s;
} // namespace

class TestQuickCalc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    // The page must answer every failure itself.
    void cleanup() { QCOMPARE(f->failures, QStringList()); }
    void calculate_data()
    {
        QTest::addColumn<QString>("figures");       // loan|rate|payment|number, "?" the unknown
        QTest::addColumn<QString>("shown");         // empty: the page's failure path
        QTest::addColumn<qint64>("tenThousandths"); // the held value, unrounded, x 10000
        QTest::newRow("payment") << u"100000|7.5|?|360"_s << u"$699.21"_s << 6992145LL;
        QTest::newRow("loan amount") << u"?|7.5|699.21|360"_s << u"$100,000.00"_s << 1000000000LL;
        QTest::newRow("interest rate") << u"100000|?|699.21|360"_s << u"7.500"_s << 75000LL;
        QTest::newRow("number of payments") << u"100000|7.5|699.21|?"_s << u"360"_s << 3600000LL;
        // Division by zero: the page answers every failure itself.
        QTest::newRow("payment, rate 0, no payments") << u"100000|0|?|0"_s << QString() << 0LL;
    }
    void calculate()
    {
        QFETCH(QString, figures);
        QFETCH(QString, shown);
        QFETCH(qint64, tenThousandths);
        // The choice clears the figures, greys the unknown, focuses the first open field.
        fill(u"5000|||12"_s);
        const int unknown = figures.split(u'|').indexOf(u"?"_s);
        click(Buttons[unknown]);
        QCOMPARE(texts(), Cleared);
        for (int i = 0; i < Fields.size(); ++i)
            QCOMPARE(f->page->look(f->get(Fields[i])), i == unknown ? Look::Unknown : Look::Input);

        fill(figures);
        click(u"BtnCalcQuickCalc"_s);
        // A failure clears and opens the fields and disables Calculate; the choice stays.
        const bool fails = shown.isEmpty();
        for (int i = 0; i < Fields.size(); ++i)
            QCOMPARE(f->page->look(f->get(Fields[i])),
                     i == unknown && !fails ? Look::Result : Look::Input);
        QCOMPARE(button(u"BtnCalcQuickCalc"_s)->isEnabled(), !fails);
        QCOMPARE(f->page->unknown(), QuickCalcPage::Unknown(unknown + 1));
        QCOMPARE(f->boxes->texts(),
                 fails ? QStringList{QuickCalcPage::FailureMessage} : QStringList());
        if (fails) {
            QCOMPARE(texts(), Cleared);
            return;
        }
        auto *result = f->get<NumberField>(Fields[unknown]);
        QCOMPARE(result->text(), shown);
        QCOMPARE(result->palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(qRound64(result->value() * 10000), tenThousandths);
    }
    // Entering disables printing and Calculate; a choice stays over Reset.
    void enterSolveAgainThenReset()
    {
        f->host.printingAllowed = f->host.resetEnabled = true;
        f->page->enter();
        QVERIFY(!f->host.printingAllowed && f->host.resetEnabled && f->page->hasFocus());
        QVERIFY(!button(u"BtnCalcQuickCalc"_s)->isEnabled());
        QCOMPARE(f->page->unknown(), QuickCalcPage::Unknown::None);
        click(u"btnCalcPMT"_s);
        fill(u"100000|7.5||360"_s);
        click(u"BtnCalcQuickCalc"_s);
        // A new rate, a new payment: 100000 * 0.005 / (1 - 1.005^-360).
        test::typeAccepted(f->get(u"EdtIR"_s), u"6"_s);
        click(u"BtnCalcQuickCalc"_s);
        QCOMPARE(f->text(u"edtPMT"_s), u"$599.55"_s);
        f->page->Reset();
        QCOMPARE(texts(), Cleared);
        QCOMPARE(f->page->look(f->get(u"edtPMT"_s)), Look::Input);
        QVERIFY(!button(u"BtnCalcQuickCalc"_s)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(u"btnCalcLA"_s));
        QCOMPARE(f->page->unknown(), QuickCalcPage::Unknown::Payment);
    }

private:
    QPushButton *button(const QString &name) const { return f->get<QPushButton>(name); }
    void click(const QString &name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // Types "loan|rate|payment|number" into the fields left open.
    void fill(const QString &figures)
    {
        const QStringList typed = figures.split(u'|');
        for (int i = 0; i < Fields.size(); ++i)
            if (f->get(Fields[i])->isEnabled())
                test::typeAccepted(f->get(Fields[i]), typed[i]);
    }
    // The four fields as read when not being edited.
    QString texts() const
    {
        QStringList shown;
        for (const QString &name : Fields) {
            auto *money = qobject_cast<TNumEdit *>(f->get(name));
            shown << (money ? money->displayText() : f->text(name));
        }
        return shown.join(u' ');
    }

    std::optional<test::PageFixture<QuickCalcPage>> f;
};

QTEST_MAIN(TestQuickCalc)
#include "tst_quickcalc.moc"
