// Number texts, the money and number fields, typing, decimal commas, the labels.

#include "finance/Errors.h"
#include "tests/support/TestSupport.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/LinkLabel.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

using namespace clvn;
using namespace Qt::StringLiterals;
using Type = TNumEdit::NumericType;
using Text = std::function<QString()>;
Q_DECLARE_METATYPE(Text)

namespace {
// What a money field with these settings shows for v, which it keeps unrounded.
QString money(Type type, int decimals, int digits, bool rounding, double v)
{
    TNumEdit edit;
    edit.setNumericType(type);
    edit.setMasks(u"$#,###.#0"_s, u"-$#,###.#0"_s, u"$0.00"_s);
    edit.setDecimals(decimals);
    edit.setDigits(digits);
    edit.setUseRounding(rounding);
    edit.setValue(v);
    return edit.value() == v ? edit.text() : u"rounded"_s;
}

QString number(int decimals, double v)
{
    TFnpNumericEdit edit;
    edit.setDecimals(decimals);
    edit.setValue(v);
    return edit.text();
}

// A number field's text read as a number (or a whole number), or "refused".
QString reading(const QString &text, bool whole)
{
    TFnpNumericEdit edit;
    edit.setText(text);
    try {
        return QString::number(whole ? edit.asInteger() : edit.value());
    } catch (const ConvertError &) {
        return u"refused"_s;
    }
}

} // namespace

class TstWidgets : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void openUrl(const QUrl &url) { m_opened << url; } // the browser

private Q_SLOTS:
    void init() { test::pinLocale(); }
    // Rounded once, from the decimal value a person reads, to the digits or decimals.
    void texts_data()
    {
        QTest::addColumn<Text>("f");
        QTest::addColumn<QString>("expected");
        const auto add = [](const char *name, const char *expected, Text f) {
            QTest::newRow(name) << std::move(f) << QString::fromUtf8(expected);
        };
        constexpr auto T = RoundMode::Truncate;
        constexpr auto C = Type::Currency, P = Type::Percent, G = Type::General;
        add("C 0.125 even down", "$0.12", [] { return formatCurrency(0.125, 12, 2); });
        add("C 3.5 whole even up", "$4", [] { return formatCurrency(3.5, 12, 0); });
        // 1.015 is stored as 1.01499999999999990..., yet people read a half.
        add("C 1.015 stored below half", "$1.02", [] { return formatCurrency(1.015, 12, 2); });
        add("C carry nines", "$1,000.00", [] { return formatCurrency(999.995, 12, 2); });
        add("C truncated negative", "($0.12)", [] { return formatCurrency(-0.129, 12, 2, T); });
        add("C tiny negative", "$0.00", [] { return formatCurrency(-0.001, 12, 2); });
        add("F no grouping", "1234600.00", [] { return formatFixed(1234567.891, 5, 2); });
        add("N grouped", "1,234,567.89", [] { return formatNumber(1234567.891, 17, 2); });
        add("G3 7.125 away", "7.13", [] { return formatGeneral(7.125, 3); });
        // Rounding to the digits first would make a half (9.4525) that rounds to even.
        add("F rate rounded once", "9.453", [] { return formatFixed(9.4525026, 5, 3); });
        add("G5 rounds to digits", "9.4525", [] { return formatGeneral(9.4525026, 5); });
        // Past the 15 digits a double holds come zeros, never binary noise.
        add("C 1e31", "$10,000,000,000,000,000,000,000,000,000,000.00",
            [] { return formatCurrency(1e31, 17, 2); });
        add("G3 too wide", "1.23E5", [] { return formatGeneral(123456, 3); });
        static const QString mask = u"$#,###.#0;-$#,###.#0;$0.00"_s;
        add("mask rounds to zero", "$0.00", [] { return formatMask(-0.001, mask); });
        add("mask below one keeps 0", "$0.50", [] { return formatMask(0.5, mask); });
        add("mask premium", "0.0032", [] { return formatMask(0.0032, u"#.###0"_s); });
        add("mask whole half even", "28", [] { return formatMask(28.5, u"#,##0"_s); });
        add("mask no negative section", "-5", [] { return formatMask(-5, u"#,##0"_s); });
        add("money truncated", "$1,234.56", [] { return money(C, 2, 12, false, 1234.5678); });
        add("money 4 digits", "$98,770.00", [] { return money(C, 2, 4, true, 98765.4321); });
        add("money percent", "7.50%", [] { return money(P, 2, 12, true, 0.075); });
        add("money percent x100 noise", "7.125%", [] { return money(P, 3, 12, true, 0.07125); });
        add("money percent truncated", "7.5%", [] { return money(P, 1, 12, false, 0.0759); });
        add("money general negative", "-$0.50", [] { return money(G, 3, 12, true, -0.5); });
        add("number term, no grouping", "1234567", [] { return number(0, 1234567); });
        // The number field rounds the decimal halves people read away from zero.
        add("number 12.5 half away", "13", [] { return number(0, 12.5); });
        add("number -2.5 half away", "-3", [] { return number(0, -2.5); });
        add("number 1.005 half away", "1.01", [] { return number(2, 1.005); });
        add("number 0.4999 not a half", "0", [] { return number(0, 0.4999); });
        add("number clamped to nine", "0.666666667", [] { return number(12, 2.0 / 3.0); });
        add("number no negative zero", "0.00", [] { return number(2, -0.001); });
        add("reads rate", "7.5", [] { return reading(u"7.5"_s, false); });
        add("reads term", "360", [] { return reading(u"360"_s, true); });
        add("reads grouping", "1500", [] { return reading(u" 1,500 "_s, false); });
        add("refuses misplaced grouping", "refused", [] { return reading(u"1,5"_s, false); });
        add("reads grouped term", "1000", [] { return reading(u"1,000"_s, true); });
        add("refuses infinite", "refused", [] { return reading(u"inf"_s, false); });
        add("refuses fraction", "refused", [] { return reading(u"7.5"_s, true); });
        add("refuses empty whole", "refused", [] { return reading(QString(), true); });
        add("refuses beyond 32 bits", "refused", [] { return reading(u"3000000000"_s, true); });
    }
    void texts()
    {
        QFETCH(Text, f);
        QFETCH(QString, expected);
        QCOMPARE(f(), expected);
    }
    // Keys one by one, a paste cleaned or refused whole; a popup is no leaving; leaving takes a
    // changed text, the locale's grouping first. A point that cannot group is the separator.
    void typing_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<char>("kind");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input"); // null: nothing typed
        QTest::addColumn<QString>("edited");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        const auto add = [](const char *name, const char *locale, char kind, bool paste,
                            const char *input, const char *edited, double value,
                            const char *shown) {
            QTest::newRow(name) << QString::fromLatin1(locale) << kind << paste
                                << (input ? QString::fromUtf8(input) : QString())
                                << QString::fromUtf8(edited) << value << QString::fromUtf8(shown);
        };
        add("tab through", "en", 'C', false, nullptr, "1234.57", 1234.56789, "$1,234.57");
        // A third decimal would be held but never shown: refused as typed.
        add("letter, 2nd point, late minus, 3rd decimal", "en", 'C', false, "12a.3.4-5", "12.34",
            12.34, "$12.34");
        add("leading minus", "en", 'C', false, "-0.129", "-0.12", -0.12, "($0.12)");
        add("grouping, dollar, spaces", "en", 'C', false, " $1,234 ", "1,234", 1234, "$1,234.00");
        add("emptied means zero", "en", 'C', false, "", "", 0, "$0.00");
        add("percent", "en", 'P', false, "7.5", "7.5", 0.075, "7.50%");
        add("paste formatted money", "en", 'C', true, "$1,234.50", "1,234.50", 1234.5, "$1,234.50");
        add("en 6,5 is no number", "en", 'C', false, "6,5", "6,5", 1234.56789, "$1,234.57");
        add("paste with two points", "en", 'C', true, "12a.3.4-5", "1234.57", 1234.56789,
            "$1,234.57");
        add("paste too long", "en", 'C', true, "9999999999999999999999999999999999999999",
            "1234.57", 1234.56789, "$1,234.57");
        add("number field keys", "en", 'N', false, "12a.3.4-5", "12.345", 12.345, "12.345");
        add("de rate with a point", "de", 'N', false, "6.5", "6.5", 6.5, "6,5");
        add("de premium with a point", "de", 'N', false, "0.125", "0.125", 0.125, "0,125");
        add("de 1234.5", "de", 'C', false, "1234.5", "1234.5", 1234.5, "1.234,50\u00a0€");
        add("de thousands", "de", 'C', false, "300.000", "300.000", 300000, "300.000,00\u00a0€");
        add("de 288.000,00", "de", 'N', false, "288.000,00", "288.000,00", 288000, "288000,00");
        add("de 1.234,5", "de", 'C', false, "1.234,5", "1.234,5", 1234.5, "1.234,50\u00a0€");
        add("de paste of millions", "de", 'C', true, "1.234.567", "1.234.567", 1234567,
            "1.234.567,00\u00a0€");
        add("fr typed spaces", "fr", 'N', false, "1 234,5", "1 234,5", 1234.5, "1234,5");
        add("fr paste of money", "fr", 'C', true, "1\u202f234\u00a0567,50\u00a0€",
            "1\u202f234\u00a0567,50", 1234567.5, "1\u202f234\u202f567,50\u00a0€");
        add("fr point", "fr", 'N', false, "6.5", "6.5", 6.5, "6,5");
        add("de second separator refused", "de", 'C', false, "9,9.5", "9,95", 9.95, "9,95\u00a0€");
        add("de masked money", "de", 'M', false, "183212.97", "183212.97", 183212.97,
            "183.212,97\u00a0€");
    }
    void typing()
    {
        QFETCH(QString, locale);
        QFETCH(char, kind);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QString, edited);
        QFETCH(double, value);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        QWidget window; // a plain field with the focus, then the one under test
        auto *layout = new QVBoxLayout(&window);
        TNumEdit money;
        TFnpNumericEdit number;
        QLineEdit *field = kind == 'N' ? static_cast<QLineEdit *>(&number) : &money;
        layout->addWidget(new QLineEdit);
        layout->addWidget(field);
        if (kind == 'M')
            money.setMasks(u"$#,###.#0"_s, u"-$#,###.#0"_s, u"$0.00"_s);
        money.setNumericType(kind == 'P'   ? Type::Percent
                             : kind == 'M' ? Type::General
                                           : Type::Currency);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setProperty("value", kind == 'P' ? 0.99 : 1234.56789);
        const double start = field->property("value").toDouble();
        QSignalSpy changed(&money, &TNumEdit::valueChanged), left(field, SIGNAL(left()));
        field->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->selectedText(), field->text());
        if (paste) {
            QGuiApplication::clipboard()->setText(input);
            field->paste();
        } else if (!input.isNull()) {
            QTest::keyClick(field, Qt::Key_Backspace);
            QSignalSpy keys(field, &QLineEdit::textChanged);
            QTest::keyClicks(field, input);
            if (locale == u"en")
                QCOMPARE(keys.count(), edited.size()); // one change per accepted key
        }
        for (const auto reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent out(QEvent::FocusOut, reason);
            QApplication::sendEvent(field, &out);
        }
        QCOMPARE(field->text(), edited);
        QCOMPARE(changed.count() + left.count(), 0);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->property("value").toDouble(), value);
        QCOMPARE(field->text(), shown);
        QCOMPARE(changed.count(), kind != 'N' && value != start ? 1 : 0);
        QCOMPARE(left.count(), 1);
    }
    // The value already there is silent (pages chain handlers); one that cannot show is refused.
    void settingValues()
    {
        TNumEdit money, percent;
        TFnpNumericEdit number;
        percent.setNumericType(TNumEdit::NumericType::Percent);
        QSignalSpy values(&money, &TNumEdit::valueChanged), shown(&number, &QLineEdit::textChanged);
        QVERIFY(money.setProperty("value", 12.5) && number.setProperty("value", 8.75));
        percent.setValue(0.075);
        money.setValue(12.5);
        number.setValue(8.7501); // still "8.75"
        for (const double bad : {qQNaN(), qInf(), -qInf()}) {
            QVERIFY_THROWS_EXCEPTION(FloatError, money.setValue(bad));
            QVERIFY_THROWS_EXCEPTION(FloatError, number.setValue(bad));
        }
        // A percentage of the largest figures would show as infinite.
        QVERIFY_THROWS_EXCEPTION(FloatError, percent.setValue(-1.7976931348623157e308));
        QCOMPARE(QStringList({money.text(), number.text(), percent.text()}),
                 QStringList({u"$12.50"_s, u"8.75"_s, u"7.50%"_s}));
        QCOMPARE(percent.value(), 0.075);
        QCOMPARE(values.count(), 1);
        QCOMPARE(shown.count(), 1);
        // Property readers (accessibility, tools) never meet the conversion error.
        number.setText(QString());
        QCOMPARE(number.property("value"), QVariant(0.0));
        QVERIFY_THROWS_EXCEPTION(ConvertError, number.value());
    }
    // A left click opens the address, which shows when there is no text.
    void linkOpens()
    {
        const QUrl url(u"https://www.example.com/update.html"_s);
        TLinkLabel label(u"www.example.com"_s, url), bare({}, QUrl(u"mailto:help@example.com"_s));
        QCOMPARE(bare.text(), u"mailto:help@example.com"_s);
        QDesktopServices::setUrlHandler(url.scheme(), this, "openUrl");
        label.show();
        QTest::mouseClick(&label, Qt::RightButton);
        QTest::mouseClick(&label, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(url.scheme());
        QCOMPARE(m_opened, QList<QUrl>{url});
    }

private:
    QList<QUrl> m_opened;
};

QTEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
