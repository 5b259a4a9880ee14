#include "widgets/FnpNumericEdit.h"

#include "finance/Errors.h"
#include "widgets/FieldStyle.h"
#include "widgets/Format.h"
#include "widgets/NumberValidator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
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

namespace {

// The text with the locale's decimal separator; nothing when it does not convert.
std::optional<double> readNumber(const QString &text)
{
    QLocale locale;
    // Grouping is refused: in a plain number "1,5" is a typo, not fifteen.
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

double TFnpNumericEdit::value() const
{
    const std::optional<double> v = readNumber(text());
    if (!v)
        throw ConvertError::notFloat(text().toStdString());
    return *v;
}

double TFnpNumericEdit::shownValue() const noexcept
{
    return readNumber(text()).value_or(0.0);
}

std::int32_t TFnpNumericEdit::asInteger() const
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const qlonglong v = locale.toLongLong(text().trimmed(), &ok);
    if (!ok || v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        throw ConvertError::notInteger(text().toStdString());
    return std::int32_t(v);
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
