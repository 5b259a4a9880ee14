#include "finance/Errors.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

using clvn::TNumEdit;
using Type = TNumEdit::NumericType;

// A plain line edit that holds the focus first, then three money fields.
struct Form
{
    QWidget window;
    QLineEdit *other = new QLineEdit;
    TNumEdit *first = new TNumEdit;
    TNumEdit *middle = new TNumEdit;
    TNumEdit *last = new TNumEdit;

    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *w : {static_cast<QWidget *>(other), static_cast<QWidget *>(first),
                           static_cast<QWidget *>(middle), static_cast<QWidget *>(last)})
            layout->addWidget(w);
        window.show();
    }
    bool activate() { return QTest::qWaitForWindowActive(&window); }
};

class TstNumEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { clvn::test::pinLocale(); }
    void cleanup() { clvn::test::pinLocale(); }
    void display_data();
    void display();
    void input_data();
    void input();
    void tabThroughKeepsUnroundedValue();
    void typingThenLeaving_data();
    void typingThenLeaving();
    void deactivationAndEnterDoNotLeave();
    void valuePropertyAndNonFinite();
    void resultField();
    void germanRoundTrip();
};

void TstNumEdit::display_data()
{
    QTest::addColumn<Type>("type");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("digits");
    QTest::addColumn<bool>("rounding");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("currency") << Type::Currency << 2 << 12 << true << 1234.5678 << "$1,234.57";
    QTest::newRow("currency half even") << Type::Currency << 2 << 12 << true << 0.125 << "$0.12";
    QTest::newRow("currency truncated")
        << Type::Currency << 2 << 12 << false << 1234.5678 << "$1,234.56";
    QTest::newRow("currency 4 digits")
        << Type::Currency << 2 << 4 << true << 98765.4321 << "$98,770.00";
    QTest::newRow("currency negative") << Type::Currency << 2 << 12 << true << -42.0 << "($42.00)";
    QTest::newRow("percent") << Type::Percent << 2 << 12 << true << 0.075 << "7.50%";
    QTest::newRow("percent x100 noise") << Type::Percent << 3 << 12 << true << 0.07125 << "7.125%";
    QTest::newRow("percent truncated") << Type::Percent << 1 << 12 << false << 0.0759 << "7.5%";
    QTest::newRow("general positive") << Type::General << 3 << 12 << true << 1234.5 << "$1,234.50";
    QTest::newRow("general negative") << Type::General << 3 << 12 << true << -0.5 << "-$0.50";
    QTest::newRow("general zero") << Type::General << 3 << 12 << true << 0.0 << "$0.00";
}

void TstNumEdit::display()
{
    QFETCH(Type, type);
    QFETCH(int, decimals);
    QFETCH(int, digits);
    QFETCH(bool, rounding);
    QFETCH(double, value);
    QFETCH(QString, shown);

    TNumEdit edit;
    edit.setNumericType(type);
    edit.setMasks(QStringLiteral("$#,###.#0"), QStringLiteral("-$#,###.#0"),
                  QStringLiteral("$0.00"));
    edit.setDecimals(decimals);
    edit.setDigits(digits);
    edit.setUseRounding(rounding);
    edit.setValue(value);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.value(), value);
}

// Typed keys go one by one; a paste is taken cleaned or refused whole.
void TstNumEdit::input_data()
{
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("keys: letter, 2nd point, late minus") << false << "12a.3.4-5"
                                                         << "12.345";
    QTest::newRow("keys: leading minus") << false << "-5"
                                         << "-5";
    QTest::newRow("keys: double minus") << false << "--5"
                                        << "-5";
    QTest::newRow("keys: grouping comma") << false << "1,234"
                                          << "1234";
    QTest::newRow("keys: spaces and dollar") << false << " $7 "
                                             << "7";
    QTest::newRow("paste: formatted money") << true << "$1,234.50"
                                            << "1234.50";
    QTest::newRow("paste: two points") << true << "12a.3.4-5"
                                       << "0.00";
    QTest::newRow("paste: minus inside") << true << "12-5"
                                         << "0.00";
    QTest::newRow("paste: too long") << true << QString(40, u'9') << "0.00";
}

void TstNumEdit::input()
{
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, text);

    Form form;
    QVERIFY(form.activate());
    form.first->setFocus(Qt::TabFocusReason);
    if (paste) {
        QGuiApplication::clipboard()->setText(input);
        form.first->paste(); // replaces the selected "0.00" or leaves it
    } else {
        QTest::keyClick(form.first, Qt::Key_Backspace);
        QTest::keyClicks(form.first, input);
    }
    QCOMPARE(form.first->text(), text);
}

void TstNumEdit::tabThroughKeepsUnroundedValue()
{
    Form form;
    QVERIFY(form.activate());
    const double unrounded = 1234.56789;
    form.first->setValue(unrounded);
    QSignalSpy changed(form.first, &TNumEdit::valueChanged);
    QSignalSpy left(form.first, &TNumEdit::left);
    QTest::keyClick(form.other, Qt::Key_Tab);
    QVERIFY(form.first->hasFocus());
    QCOMPARE(form.first->text(), QStringLiteral("1234.57"));
    QCOMPARE(form.first->selectedText(), QStringLiteral("1234.57"));
    QTest::keyClick(form.first, Qt::Key_Tab);
    QVERIFY(form.middle->hasFocus());
    QCOMPARE(form.first->value(), unrounded);
    QCOMPARE(form.first->text(), QStringLiteral("$1,234.57"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(left.count(), 1);
}

void TstNumEdit::typingThenLeaving_data()
{
    QTest::addColumn<Type>("type");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("currency") << Type::Currency << "2500.5" << 2500.5 << "$2,500.50";
    QTest::newRow("negative") << Type::Currency << "-0.129" << -0.129 << "($0.13)";
    QTest::newRow("emptied means zero") << Type::Currency << "" << 0.0 << "$0.00";
    QTest::newRow("lone minus means zero") << Type::Currency << "-" << 0.0 << "$0.00";
    QTest::newRow("percent") << Type::Percent << "7.5" << 0.075 << "7.50%";
}

void TstNumEdit::typingThenLeaving()
{
    QFETCH(Type, type);
    QFETCH(QString, keys);
    QFETCH(double, value);
    QFETCH(QString, shown);

    Form form;
    QVERIFY(form.activate());
    form.first->setNumericType(type);
    form.first->setValue(99.0);
    QSignalSpy changed(form.first, &TNumEdit::valueChanged);
    QSignalSpy left(form.first, &TNumEdit::left);
    form.first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.first, Qt::Key_Backspace);
    QTest::keyClicks(form.first, keys);
    QTest::mouseClick(form.last, Qt::LeftButton);
    form.last->setFocus(Qt::MouseFocusReason);
    QCOMPARE(form.first->value(), value);
    QCOMPARE(form.first->text(), shown);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toDouble(), value);
    QCOMPARE(left.count(), 1);
}

void TstNumEdit::deactivationAndEnterDoNotLeave()
{
    Form form;
    QVERIFY(form.activate());
    form.first->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(form.first, QStringLiteral("12.345"));
    QSignalSpy left(form.first, &TNumEdit::left);
    for (const auto reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(form.first, &out);
    }
    QCOMPARE(form.first->text(), QStringLiteral("12.345"));
    QCOMPARE(form.first->value(), 0.0);
    QTest::keyClick(form.first, Qt::Key_Return); // takes the figure, stays
    QCOMPARE(form.first->value(), 12.345);
    QVERIFY(form.first->hasFocus());
    QCOMPARE(form.first->text(), QStringLiteral("12.34"));
    QCOMPARE(left.count(), 0);
    QTest::keyClick(form.first, Qt::Key_Tab);
    QCOMPARE(left.count(), 1);
    QCOMPARE(form.first->value(), 12.345); // "12.34" was shown, not typed
}

void TstNumEdit::valuePropertyAndNonFinite()
{
    TNumEdit edit;
    QSignalSpy changed(&edit, &TNumEdit::valueChanged);
    QVERIFY(edit.setProperty("value", 12.5));
    QCOMPARE(edit.property("value").toDouble(), 12.5);
    QCOMPARE(edit.text(), QStringLiteral("$12.50"));
    edit.setValue(12.5);
    QCOMPARE(changed.count(), 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double bad : {nan, inf, -inf}) {
        try {
            edit.setValue(bad);
            QFAIL("no FloatError thrown");
        } catch (const clvn::FloatError &e) {
            QCOMPARE(e.kind(), std::isnan(bad) ? clvn::FloatError::Kind::InvalidOp
                                               : clvn::FloatError::Kind::Overflow);
        }
    }
    QCOMPARE(edit.value(), 12.5);
    QCOMPARE(edit.text(), QStringLiteral("$12.50"));
    QCOMPARE(changed.count(), 1);
}

void TstNumEdit::resultField()
{
    Form form;
    QVERIFY(form.activate());
    form.middle->setResultField(true);
    QVERIFY(form.middle->isReadOnly());
    QCOMPARE(form.middle->focusPolicy(), Qt::NoFocus);
    QCOMPARE(form.middle->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(form.middle->palette().color(QPalette::Text), QColor(Qt::black));
    form.first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.first, Qt::Key_Tab);
    QVERIFY(form.last->hasFocus()); // no tab stop
    form.middle->setResultField(false);
    QCOMPARE(form.middle->palette().color(QPalette::Base),
             form.window.palette().color(QPalette::Base));
}

void TstNumEdit::germanRoundTrip()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Form form;
    QVERIFY(form.activate());
    form.first->setValue(1234.5);
    QCOMPARE(form.first->text(), QStringLiteral("1.234,50\u00a0€"));
    form.first->setFocus(Qt::TabFocusReason);
    QCOMPARE(form.first->text(), QStringLiteral("1234,50"));
    QTest::keyClick(form.first, Qt::Key_Backspace);
    QTest::keyClicks(form.first, QStringLiteral("9.9,75")); // '.' groups here: refused
    QCOMPARE(form.first->text(), QStringLiteral("99,75"));
    QTest::keyClick(form.first, Qt::Key_Tab);
    QCOMPARE(form.first->value(), 99.75);
    QCOMPARE(form.first->text(), QStringLiteral("99,75\u00a0€"));
}

QTEST_MAIN(TstNumEdit)
#include "tst_numedit.moc"
