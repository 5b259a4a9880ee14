#include "finance/Errors.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"

#include <QApplication>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <limits>

using clvn::TFnpNumericEdit;

class TstFnpNumericEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { clvn::test::pinLocale(); }
    void cleanup() { clvn::test::pinLocale(); }

    void setValueFormats_data();
    void setValueFormats();
    void textChangedOnlyWhenDiffers();
    void chainedHandlersSettle();
    void value_data();
    void value();
    void convertErrors_data();
    void convertErrors();
    void asInteger_data();
    void asInteger();
    void nonFiniteRejected();
    void valueProperty();
    void typedKeys();
    void leftOnlyWhenLeaving();
    void resultField();
    void germanRoundTrip();
};

void TstFnpNumericEdit::setValueFormats_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("rate 2") << 2 << 7.5 << "7.50";
    QTest::newRow("rate 3") << 3 << 8.125 << "8.125";
    QTest::newRow("term 0") << 0 << 360.0 << "360";
    QTest::newRow("no grouping") << 0 << 1234567.0 << "1234567";
    QTest::newRow("2.5 half even") << 0 << 2.5 << "2";
    QTest::newRow("3.5 half even") << 0 << 3.5 << "4";
    QTest::newRow("0.125 half even") << 2 << 0.125 << "0.12";
    QTest::newRow("1.015 read as half") << 2 << 1.015 << "1.02";
    QTest::newRow("nine decimals") << 9 << 1.0 / 3.0 << "0.333333333";
    QTest::newRow("clamped to nine") << 12 << 2.0 / 3.0 << "0.666666667";
    QTest::newRow("no negative zero") << 2 << -0.001 << "0.00";
    QTest::newRow("negative") << 1 << -12.25 << "-12.2";
}

void TstFnpNumericEdit::setValueFormats()
{
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(QString, text);

    TFnpNumericEdit edit;
    edit.setDecimals(decimals);
    edit.setValue(value);
    QCOMPARE(edit.text(), text);
}

void TstFnpNumericEdit::textChangedOnlyWhenDiffers()
{
    TFnpNumericEdit edit;
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    edit.setValue(7.5);
    QCOMPARE(changed.count(), 1);
    edit.setValue(7.5);
    QCOMPARE(changed.count(), 1);
    edit.setValue(7.501); // still "7.50"
    QCOMPARE(changed.count(), 1);
    edit.setValue(7.506);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toString(), QStringLiteral("7.51"));
}

// Two fields whose change handlers set each other must come to rest, which
// they do only because an unchanged text stays silent.
void TstFnpNumericEdit::chainedHandlersSettle()
{
    TFnpNumericEdit years;
    TFnpNumericEdit months;
    years.setDecimals(0);
    months.setDecimals(0);
    int calls = 0;
    connect(&years, &QLineEdit::textChanged, &months, [&] {
        ++calls;
        months.setValue(years.value() * 12);
    });
    connect(&months, &QLineEdit::textChanged, &years, [&] {
        ++calls;
        years.setValue(months.value() / 12);
    });
    years.setValue(30);
    QCOMPARE(months.text(), QStringLiteral("360"));
    QCOMPARE(years.text(), QStringLiteral("30"));
    QCOMPARE(calls, 2);
}

void TstFnpNumericEdit::value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("rate") << "7.5" << 7.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("spaces around") << " 8.25 " << 8.25;
    QTest::newRow("no integer digit") << ".5" << 0.5;
}

void TstFnpNumericEdit::value()
{
    QFETCH(QString, text);
    QFETCH(double, value);

    TFnpNumericEdit edit;
    edit.setText(text);
    QCOMPARE(edit.value(), value);
}

void TstFnpNumericEdit::convertErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("letters") << "abc"
                             << "'abc' is not a valid floating point value";
    QTest::newRow("empty") << ""
                           << "'' is not a valid floating point value";
    QTest::newRow("grouping") << "1,500"
                              << "'1,500' is not a valid floating point value";
    QTest::newRow("two points") << "1.2.3"
                                << "'1.2.3' is not a valid floating point value";
    QTest::newRow("infinite") << "inf"
                              << "'inf' is not a valid floating point value";
    QTest::newRow("overflow") << "1e999"
                              << "'1e999' is not a valid floating point value";
}

void TstFnpNumericEdit::convertErrors()
{
    QFETCH(QString, text);
    QFETCH(QString, message);

    TFnpNumericEdit edit;
    edit.setText(text);
    try {
        edit.value();
        QFAIL("no ConvertError thrown");
    } catch (const clvn::ConvertError &e) {
        QCOMPARE(QString::fromStdString(e.what()), message);
    }
}

void TstFnpNumericEdit::asInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("message"); // empty: converts

    QTest::newRow("term") << "360" << 360 << "";
    QTest::newRow("negative") << "-12" << -12 << "";
    QTest::newRow("fraction") << "7.5" << 0 << "'7.5' is not a valid integer value";
    QTest::newRow("whole with point") << "360.0" << 0 << "'360.0' is not a valid integer value";
    QTest::newRow("empty") << "" << 0 << "'' is not a valid integer value";
    QTest::newRow("beyond 32 bits")
        << "3000000000" << 0 << "'3000000000' is not a valid integer value";
}

void TstFnpNumericEdit::asInteger()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(QString, message);

    TFnpNumericEdit edit;
    edit.setText(text);
    try {
        const std::int32_t n = edit.asInteger();
        QVERIFY2(message.isEmpty(), "no ConvertError thrown");
        QCOMPARE(n, value);
    } catch (const clvn::ConvertError &e) {
        QCOMPARE(QString::fromStdString(e.what()), message);
    }
}

void TstFnpNumericEdit::nonFiniteRejected()
{
    TFnpNumericEdit edit;
    edit.setValue(1.0);
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    QVERIFY_THROWS_EXCEPTION(clvn::FloatError,
                             edit.setValue(std::numeric_limits<double>::infinity()));
    QVERIFY_THROWS_EXCEPTION(clvn::FloatError,
                             edit.setValue(std::numeric_limits<double>::quiet_NaN()));
    QCOMPARE(edit.text(), QStringLiteral("1.00"));
    QCOMPARE(changed.count(), 0);
}

void TstFnpNumericEdit::valueProperty()
{
    TFnpNumericEdit edit;
    edit.setDecimals(3);
    QVERIFY(edit.setProperty("value", 8.75));
    QCOMPARE(edit.text(), QStringLiteral("8.750"));
    QCOMPARE(edit.property("value").toDouble(), 8.75);
}

void TstFnpNumericEdit::typedKeys()
{
    QWidget window;
    auto *edit = new TFnpNumericEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus(Qt::TabFocusReason);
    QSignalSpy changed(edit, &QLineEdit::textChanged);
    QTest::keyClicks(edit, QStringLiteral("12a.3.4-5"));
    QCOMPARE(edit->text(), QStringLiteral("12.345"));
    QCOMPARE(changed.count(), 6); // one per accepted key, none for refused ones
}

void TstFnpNumericEdit::leftOnlyWhenLeaving()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new TFnpNumericEdit;
    auto *next = new TFnpNumericEdit;
    layout->addWidget(edit);
    layout->addWidget(next);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus(Qt::TabFocusReason);
    QSignalSpy left(edit, &TFnpNumericEdit::left);
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(edit, &out);
    QCOMPARE(left.count(), 0);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(next->hasFocus());
    QCOMPARE(left.count(), 1);
}

void TstFnpNumericEdit::resultField()
{
    TFnpNumericEdit edit;
    edit.setResultField(true);
    QVERIFY(edit.isReadOnly());
    QCOMPARE(edit.focusPolicy(), Qt::NoFocus);
    QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(edit.palette().color(QPalette::Text), QColor(Qt::black));
    edit.setValue(4.25);
    QCOMPARE(edit.text(), QStringLiteral("4.25"));
}

void TstFnpNumericEdit::germanRoundTrip()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TFnpNumericEdit edit;
    edit.setDecimals(3);
    edit.setValue(7.5);
    QCOMPARE(edit.text(), QStringLiteral("7,500"));
    QCOMPARE(edit.value(), 7.5);
    edit.setText(QStringLiteral("7.5"));
    QVERIFY_THROWS_EXCEPTION(clvn::ConvertError, edit.value());
}

QTEST_MAIN(TstFnpNumericEdit)
#include "tst_fnpnumericedit.moc"
