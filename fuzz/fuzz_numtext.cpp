// The number texts of the two entry fields, fed arbitrary typed text and
// arbitrary figures.
//
// Properties:
//   - whatever the key and paste filter lets into a field is at most 32
//     digits, separators and one leading minus; the money field takes exactly
//     the number it reads as when the user leaves it, and keeps its value
//     when it reads as none;
//   - the number field reads such a text as the same number the money field
//     does, or refuses it with the conversion error, never anything else, and
//     leaving it shows a text that reads as that number;
//   - a figure the program writes into a number field reads back, rounded to
//     the field's decimals, and writing what was read changes nothing;
//   - a figure written into a money field shows no non-finite text, and its
//     edit text reads back to a figure that shows the same.

#include "finance/Errors.h"
#include "fuzz/FuzzCheck.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/NumEdit.h"
#include "widgets/NumberValidator.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLocale>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

using namespace clvn;

namespace {

bool filteredText(const QString &text)
{
    const QLocale locale;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if ((c >= u'0' && c <= u'9') || QString(c) == locale.decimalPoint() || c == u'.' ||
            isGroupChar(c, locale) || (c == u'-' && i == 0))
            continue;
        return false;
    }
    return text.size() <= NumberValidator::MaxLength;
}

bool showsNonFinite(const QString &text)
{
    const QString t = text.toLower();
    return t.contains(QStringLiteral("nan")) || t.contains(QStringLiteral("inf")) ||
           t.contains(QChar(0x221e));
}

void typedText(FuzzedDataProvider &in)
{
    const std::string raw = in.ConsumeRandomLengthString(48);
    QString text = QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    NumberValidator validator;
    validator.setActive(true);
    int pos = int(text.size());
    if (validator.validate(text, pos) != QValidator::Acceptable)
        return;
    FUZZ_CHECK(filteredText(text), "the filter let '%s' through", qPrintable(text));
    bool ok = false;
    const double plain = parsePlain(text, &ok);

    // The money field takes what was typed when the user leaves it.
    // One field of each kind for the whole run: building widgets is slow.
    static TNumEdit money;
    money.setNumericType(TNumEdit::NumericType::Currency);
    money.setValue(123.25);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&money, &focusIn);
    money.setText(text);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&money, &focusOut);
    FUZZ_CHECK(money.value() == (ok ? plain + 0.0 : 123.25),
               "typed '%s', the money field holds %.17g", qPrintable(text), money.value());
    FUZZ_CHECK(!showsNonFinite(money.text()), "typed '%s', the money field shows '%s'",
               qPrintable(text), qPrintable(money.text()));

    // The number field reads the same text to the same number, or refuses it.
    static TFnpNumericEdit number;
    number.setText(text);
    bool read = false;
    try {
        const double v = number.value();
        read = true;
        FUZZ_CHECK(ok && v == plain, "'%s': number field %.17g, money field %.17g",
                   qPrintable(text), v, plain);
    } catch (const ConvertError &) {
        // "", "-", ".", misplaced grouping and overflowing figures do not convert.
    }
    try {
        const std::int32_t n = number.asInteger();
        FUZZ_CHECK(double(n) == plain, "'%s' read as the whole number %d", qPrintable(text), n);
    } catch (const ConvertError &) {
    }
    QCoreApplication::sendEvent(&number, &focusIn);
    QCoreApplication::sendEvent(&number, &focusOut);
    if (read)
        FUZZ_CHECK(number.shownValue() == plain, "'%s' left as '%s'", qPrintable(text),
                   qPrintable(number.text()));
}

void numberField(FuzzedDataProvider &in)
{
    static TFnpNumericEdit number;
    number.setText(QString());
    number.setDecimals(in.ConsumeIntegralInRange(0, 9));
    const double v = in.ConsumeFloatingPoint<double>();
    if (!std::isfinite(v)) {
        bool threw = false;
        try {
            number.setValue(v);
        } catch (const FloatError &) {
            threw = true;
        }
        FUZZ_CHECK(threw, "a non-finite figure was written as '%s'", qPrintable(number.text()));
        return;
    }
    number.setValue(v);
    const QString written = number.text();
    double read = 0;
    try {
        read = number.value();
    } catch (const ConvertError &) {
        FUZZ_CHECK(false, "%.17g written with %d decimals as '%s' does not read back", v,
                   number.Decimals(), qPrintable(written));
    }
    const double unit = std::pow(10.0, -number.Decimals());
    FUZZ_CHECK(std::abs(read - v) <= unit / 2 + std::abs(v) * 1e-15,
               "%.17g written with %d decimals as '%s' reads back as %.17g", v, number.Decimals(),
               qPrintable(written), read);
    number.setValue(read);
    FUZZ_CHECK(number.text() == written, "'%s' read and written again is '%s'", qPrintable(written),
               qPrintable(number.text()));
}

void moneyField(FuzzedDataProvider &in)
{
    static TNumEdit money;
    money.setNumericType(TNumEdit::NumericType::Currency);
    money.setValue(0);
    money.setMasks(QString(), QString(), QString());
    money.setNumericType(TNumEdit::NumericType(in.ConsumeIntegralInRange(0, 2)));
    money.setDecimals(in.ConsumeIntegralInRange(0, 4));
    money.setDigits(in.ConsumeIntegralInRange(1, 17));
    money.setUseRounding(in.ConsumeBool());
    if (in.ConsumeBool())
        money.setMasks(QStringLiteral("$#,###.#0"), QStringLiteral("-$#,###.#0"),
                       QStringLiteral("$0.00"));
    const double v = in.ConsumeFloatingPoint<double>();
    // Figures a field can be given by typing (32 characters at most); the
    // edit text of figures near the double limit is not stable (left open).
    if (!std::isfinite(v) || std::abs(v) > 1e32)
        return;
    try {
        money.setValue(v);
    } catch (const FloatError &) {
        return; // a percentage of an enormous figure overflows: refused, not shown
    }
    FUZZ_CHECK(money.value() == v + 0.0, "wrote %.17g, holds %.17g", v, money.value());
    const QString shown = money.displayText();
    FUZZ_CHECK(!shown.isEmpty() && !showsNonFinite(shown), "%.17g shows '%s'", v,
               qPrintable(shown));
    const QString edit = money.editText();
    bool ok = false;
    double typed = parsePlain(edit, &ok);
    FUZZ_CHECK(ok, "%.17g edits as '%s', which does not read", v, qPrintable(edit));
    if (money.numericType() == TNumEdit::NumericType::Percent)
        typed /= 100.0;
    if (!std::isfinite(typed))
        return;
    money.setValue(typed);
    FUZZ_CHECK(money.editText() == edit,
               "%.17g edits as '%s', which reads as %.17g editing as '%s'", v, qPrintable(edit),
               typed, qPrintable(money.editText()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::French, QLocale::France), QLocale::c()};
    FuzzedDataProvider in(data, size);
    QLocale::setDefault(locales[in.ConsumeIntegralInRange<size_t>(0, std::size(locales) - 1)]);
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
        typedText(in);
        break;
    case 1:
        numberField(in);
        break;
    default:
        moneyField(in);
        break;
    }
    return 0;
}
