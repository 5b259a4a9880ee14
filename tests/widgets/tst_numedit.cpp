#include "finance/Errors.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <limits>
#include <memory>

using clvn::TNumEdit;
using Type = TNumEdit::NumericType;

// A window with a plain line edit that takes the focus first, then three
// money fields in tab order; the middle one can be made a result field.
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
        layout->addWidget(other);
        layout->addWidget(first);
        layout->addWidget(middle);
        layout->addWidget(last);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    // Focus reaches a field only once the window is active.
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
    void typedKeys_data();
    void typedKeys();
    void paste_data();
    void paste();
    void focusInShowsPlainSelected();
    void tabThroughKeepsUnroundedValue();
    void typingThenLeaving_data();
    void typingThenLeaving();
    void windowDeactivationIsNoLeaving();
    void enterTakesValueAndStays();
    void valueProperty();
    void nonFiniteRejected_data();
    void nonFiniteRejected();
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

    QTest::newRow("currency default")
        << Type::Currency << 2 << 12 << true << 1234.5678 << "$1,234.57";
    QTest::newRow("currency half even") << Type::Currency << 2 << 12 << true << 0.125 << "$0.12";
    QTest::newRow("currency truncated")
        << Type::Currency << 2 << 12 << false << 1234.5678 << "$1,234.56";
    QTest::newRow("currency whole units") << Type::Currency << 0 << 10 << true << 2.5 << "$2";
    QTest::newRow("currency 4 digits")
        << Type::Currency << 2 << 4 << true << 98765.4321 << "$98,770.00";
    QTest::newRow("currency negative") << Type::Currency << 2 << 12 << true << -42.0 << "($42.00)";
    QTest::newRow("percent") << Type::Percent << 2 << 12 << true << 0.075 << "7.50%";
    QTest::newRow("percent noise") << Type::Percent << 3 << 12 << true << 0.07125 << "7.125%";
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

void TstNumEdit::typedKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("letters, second point, late minus") << "12a.3.4-5"
                                                       << "12.345";
    QTest::newRow("leading minus") << "-5"
                                   << "-5";
    QTest::newRow("trailing minus") << "5-"
                                    << "5";
    QTest::newRow("double minus") << "--5"
                                  << "-5";
    QTest::newRow("grouping comma") << "1,234"
                                    << "1234";
    QTest::newRow("spaces and dollar") << " $7 "
                                       << "7";
}

void TstNumEdit::typedKeys()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);

    Form form;
    QVERIFY(form.activate());
    form.first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.first, Qt::Key_Backspace); // clears the selected "0.00"
    QTest::keyClicks(form.first, keys);
    QCOMPARE(form.first->text(), text);
}

void TstNumEdit::paste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("text");

    QTest::newRow("formatted money cleaned") << "$1,234.50"
                                             << "1234.50";
    QTest::newRow("negative with spaces") << " -12.5 "
                                          << "-12.5";
    QTest::newRow("two points refused") << "12a.3.4-5"
                                        << "0.00";
    QTest::newRow("minus inside refused") << "12-5"
                                          << "0.00";
    QTest::newRow("too long refused") << QString(40, u'9') << "0.00";
}

void TstNumEdit::paste()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, text);

    Form form;
    QVERIFY(form.activate());
    form.first->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText(clipboard);
    form.first->paste(); // replaces the selected "0.00" or leaves it
    QCOMPARE(form.first->text(), text);
}

void TstNumEdit::focusInShowsPlainSelected()
{
    Form form;
    QVERIFY(form.activate());
    form.first->setValue(1234.5);
    QCOMPARE(form.first->text(), QStringLiteral("$1,234.50"));
    form.first->setFocus(Qt::TabFocusReason);
    QCOMPARE(form.first->text(), QStringLiteral("1234.50"));
    QCOMPARE(form.first->selectedText(), QStringLiteral("1234.50"));
}

void TstNumEdit::tabThroughKeepsUnroundedValue()
{
    Form form;
    QVERIFY(form.activate());
    const double unrounded = 1234.56789;
    form.first->setValue(unrounded);
    QSignalSpy changed(form.first, &TNumEdit::valueChanged);
    QSignalSpy left(form.first, &TNumEdit::left);
    form.first->setFocus(Qt::TabFocusReason);
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
    QTest::newRow("currency negative") << Type::Currency << "-0.129" << -0.129 << "($0.13)";
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
    QTest::mouseClick(form.last, Qt::LeftButton); // leave by mouse
    form.last->setFocus(Qt::MouseFocusReason);
    QVERIFY(!form.first->hasFocus());
    QCOMPARE(form.first->value(), value);
    QCOMPARE(form.first->text(), shown);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toDouble(), value);
    QCOMPARE(left.count(), 1);
}

void TstNumEdit::windowDeactivationIsNoLeaving()
{
    Form form;
    QVERIFY(form.activate());
    form.first->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(form.first, QStringLiteral("42"));
    QSignalSpy left(form.first, &TNumEdit::left);
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(form.first, &out);
    QCOMPARE(left.count(), 0);
    QCOMPARE(form.first->text(), QStringLiteral("42"));
    QCOMPARE(form.first->value(), 0.0);
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(form.first, &popup);
    QCOMPARE(left.count(), 0);
    QTest::keyClick(form.first, Qt::Key_Tab);
    QCOMPARE(left.count(), 1);
    QCOMPARE(form.first->value(), 42.0);
}

void TstNumEdit::enterTakesValueAndStays()
{
    Form form;
    QVERIFY(form.activate());
    QSignalSpy left(form.first, &TNumEdit::left);
    form.first->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(form.first, QStringLiteral("12.345"));
    QTest::keyClick(form.first, Qt::Key_Return);
    QCOMPARE(form.first->value(), 12.345);
    QVERIFY(form.first->hasFocus());
    QCOMPARE(form.first->text(), QStringLiteral("12.34"));
    QCOMPARE(left.count(), 0);
    // The shown "12.34" is not typed text: leaving keeps 12.345.
    QTest::keyClick(form.first, Qt::Key_Tab);
    QCOMPARE(form.first->value(), 12.345);
}

void TstNumEdit::valueProperty()
{
    TNumEdit edit;
    QSignalSpy changed(&edit, &TNumEdit::valueChanged);
    QVERIFY(edit.setProperty("value", 12.5));
    QCOMPARE(edit.value(), 12.5);
    QCOMPARE(edit.property("value").toDouble(), 12.5);
    QCOMPARE(edit.text(), QStringLiteral("$12.50"));
    QCOMPARE(changed.count(), 1);
    edit.setValue(12.5);
    QCOMPARE(changed.count(), 1); // no change, no signal
}

void TstNumEdit::nonFiniteRejected_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<clvn::FloatError::Kind>("kind");

    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN()
                         << clvn::FloatError::Kind::InvalidOp;
    QTest::newRow("+inf") << std::numeric_limits<double>::infinity()
                          << clvn::FloatError::Kind::Overflow;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity()
                          << clvn::FloatError::Kind::Overflow;
}

void TstNumEdit::nonFiniteRejected()
{
    QFETCH(double, value);
    QFETCH(clvn::FloatError::Kind, kind);

    TNumEdit edit;
    edit.setValue(5.0);
    try {
        edit.setValue(value);
        QFAIL("no FloatError thrown");
    } catch (const clvn::FloatError &e) {
        QCOMPARE(e.kind(), kind);
    }
    QCOMPARE(edit.value(), 5.0);
    QCOMPARE(edit.text(), QStringLiteral("$5.00"));
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
    QVERIFY(form.last->hasFocus()); // the result field is no tab stop
    form.middle->setValue(3.0);
    QCOMPARE(form.middle->text(), QStringLiteral("$3.00"));

    form.middle->setResultField(false);
    QVERIFY(!form.middle->isReadOnly());
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
