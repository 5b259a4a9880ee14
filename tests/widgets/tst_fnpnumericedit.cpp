#include "finance/Errors.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"

#include <QApplication>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

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
    void conversions_data();
    void conversions();
    void nonFiniteAndProperty();
    void userEditing();
    void resultField();
    void germanRoundTrip();
};

void TstFnpNumericEdit::setValueFormats_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("rate 3") << 3 << 8.125 << "8.125";
    QTest::newRow("term 0, no grouping") << 0 << 1234567.0 << "1234567";
    QTest::newRow("2.5 half even") << 0 << 2.5 << "2";
    QTest::newRow("3.5 half even") << 0 << 3.5 << "4";
    QTest::newRow("0.125 half even") << 2 << 0.125 << "0.12";
    QTest::newRow("1.015 read as half") << 2 << 1.015 << "1.02";
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

// Pages chain change handlers (one field's change sets another), which only
// comes to rest because an unchanged text stays silent.
void TstFnpNumericEdit::textChangedOnlyWhenDiffers()
{
    TFnpNumericEdit edit;
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    edit.setValue(7.5);
    edit.setValue(7.5);
    edit.setValue(7.501); // still "7.50"
    QCOMPARE(changed.count(), 1);
    edit.setValue(7.506);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toString(), QStringLiteral("7.51"));
}

void TstFnpNumericEdit::conversions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message"); // empty: converts

    const QString notFloat = QStringLiteral("'%1' is not a valid floating point value");
    const QString notInt = QStringLiteral("'%1' is not a valid integer value");
    QTest::newRow("rate") << "7.5" << false << 7.5 << "";
    QTest::newRow("spaces around") << " 8.25 " << false << 8.25 << "";
    QTest::newRow("letters") << "abc" << false << 0.0 << notFloat.arg(u"abc");
    QTest::newRow("empty") << "" << false << 0.0 << notFloat.arg(u"");
    QTest::newRow("grouping") << "1,500" << false << 0.0 << notFloat.arg(u"1,500");
    QTest::newRow("infinite") << "inf" << false << 0.0 << notFloat.arg(u"inf");
    QTest::newRow("overflow") << "1e999" << false << 0.0 << notFloat.arg(u"1e999");
    QTest::newRow("term") << "360" << true << 360.0 << "";
    QTest::newRow("negative whole") << "-12" << true << -12.0 << "";
    QTest::newRow("fraction") << "7.5" << true << 0.0 << notInt.arg(u"7.5");
    QTest::newRow("whole with point") << "360.0" << true << 0.0 << notInt.arg(u"360.0");
    QTest::newRow("empty whole") << "" << true << 0.0 << notInt.arg(u"");
    QTest::newRow("beyond 32 bits") << "3000000000" << true << 0.0 << notInt.arg(u"3000000000");
}

void TstFnpNumericEdit::conversions()
{
    QFETCH(QString, text);
    QFETCH(bool, integer);
    QFETCH(double, value);
    QFETCH(QString, message);
    TFnpNumericEdit edit;
    edit.setText(text);
    try {
        const double got = integer ? double(edit.asInteger()) : edit.value();
        QVERIFY2(message.isEmpty(), "no ConvertError thrown");
        QCOMPARE(got, value);
    } catch (const clvn::ConvertError &e) {
        QCOMPARE(QString::fromStdString(e.what()), message);
    }
}

void TstFnpNumericEdit::nonFiniteAndProperty()
{
    TFnpNumericEdit edit;
    edit.setDecimals(3);
    QVERIFY(edit.setProperty("value", 8.75));
    QCOMPARE(edit.text(), QStringLiteral("8.750"));
    QCOMPARE(edit.property("value").toDouble(), 8.75);
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    QVERIFY_THROWS_EXCEPTION(clvn::FloatError,
                             edit.setValue(std::numeric_limits<double>::infinity()));
    QVERIFY_THROWS_EXCEPTION(clvn::FloatError,
                             edit.setValue(std::numeric_limits<double>::quiet_NaN()));
    QCOMPARE(edit.text(), QStringLiteral("8.750"));
    QCOMPARE(changed.count(), 0);
}

void TstFnpNumericEdit::userEditing()
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
    QSignalSpy changed(edit, &QLineEdit::textChanged);
    QSignalSpy left(edit, &TFnpNumericEdit::left);
    QTest::keyClicks(edit, QStringLiteral("12a.3.4-5"));
    QCOMPARE(edit->text(), QStringLiteral("12.345"));
    QCOMPARE(changed.count(), 6); // one per accepted key, none for refused ones
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
