#include "widgets/FnpNumericEdit.h"

#include "finance/Errors.h"
#include "widgets/FieldStyle.h"
#include "widgets/Format.h"
#include "widgets/Messages.h"
#include "widgets/NumberValidator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace clvn {

TFnpNumericEdit::TFnpNumericEdit(QWidget *parent) : NumberField(parent)
{
    m_validator = new NumberValidator(this);
    setValidator(m_validator);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TFnpNumericEdit::setDecimals(int decimals)
{
    m_decimals = std::clamp(decimals, 0, 9);
}

double TFnpNumericEdit::value() const
{
    const std::optional<double> v = typedNumber(text());
    if (!v)
        throw FieldConvertError(this, FieldConvertError::Wanted::Number);
    return *v;
}

double TFnpNumericEdit::shownValue() const noexcept
{
    return typedNumber(text()).value_or(0.0);
}

std::int32_t TFnpNumericEdit::asInteger() const
{
    const std::optional<QString> plain = plainNumber(text());
    const std::string digits = plain ? plain->toStdString() : std::string();
    const bool negative = digits.starts_with('-');
    const char *first = digits.data() + (negative ? 1 : 0);
    const char *last = digits.data() + digits.size();
    const std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + negative;
    std::int64_t v = 0;
    // Digits only: a decimal point, even in "360,0", makes no whole number.
    const auto res = std::from_chars(first, last, v);
    if (!plain || first == last || res.ptr != last)
        throw FieldConvertError(this, FieldConvertError::Wanted::WholeNumber);
    if (res.ec != std::errc() || v > limit)
        throw FieldConvertError(this, FieldConvertError::Wanted::SmallerNumber);
    return std::int32_t(negative ? -v : v);
}

void TFnpNumericEdit::setValue(double v)
{
    if (std::isnan(v))
        throw FloatError(FloatError::Kind::InvalidOp, "TFnpNumericEdit::setValue: not a number");
    if (std::isinf(v))
        throw FloatError(FloatError::Kind::Overflow, "TFnpNumericEdit::setValue: infinite value");
    // The field's "0" / "0.00..." pattern rounds halves away from zero; the
    // pages that want halves to even round before they write.
    const QString formatted = formatFixed(v, std::numeric_limits<double>::max_digits10, m_decimals,
                                          RoundMode::HalfAwayFromZero);
    if (formatted == text())
        return; // pages chain change handlers: an unchanged text must stay silent
    const bool active = m_validator->isActive();
    m_validator->setActive(false);
    setText(formatted);
    m_validator->setActive(active);
    // A figure put into the field being edited is selected like one entered.
    if (hasFocus())
        selectAll();
}

void TFnpNumericEdit::focusInEvent(QFocusEvent *event)
{
    m_validator->setActive(!isReadOnly());
    NumberField::focusInEvent(event);
}

void TFnpNumericEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!leavesField(event->reason()))
        return;
    m_validator->setActive(false);
    // The text as it was read, without grouping and with the locale's
    // separator ("300.000" becomes "300000", "6.5" becomes "6,5" under
    // de_DE): the user sees which number was taken.
    if (const std::optional<QString> plain = plainNumber(text()); plain && typedNumber(text())) {
        const QLocale locale;
        QString shown = *plain;
        shown.replace(u'.', locale.decimalPoint());
        if (shown.startsWith(u'-'))
            shown.replace(0, 1, locale.negativeSign());
        if (shown != text())
            setText(shown);
    }
    setModified(false); // what was typed has now been taken
    Q_EMIT left();
}

void TFnpNumericEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_validator->isActive() && NumberValidator::isRefusedKey(event)) {
        event->accept();
        return;
    }
    NumberField::keyPressEvent(event);
}

} // namespace clvn
