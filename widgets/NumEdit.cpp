#include "widgets/NumEdit.h"

#include "finance/Errors.h"
#include "widgets/FieldStyle.h"
#include "widgets/Format.h"
#include "widgets/NumberValidator.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace clvn {

namespace {

NumberValidator *validatorOf(const QLineEdit *edit)
{
    return const_cast<NumberValidator *>(qobject_cast<const NumberValidator *>(edit->validator()));
}

} // namespace

TNumEdit::TNumEdit(QWidget *parent) : NumberField(parent)
{
    setValidator(new NumberValidator(this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    refresh();
}

void TNumEdit::setValue(double v)
{
    if (std::isnan(v))
        throw FloatError(FloatError::Kind::InvalidOp, "TNumEdit::setValue: not a number");
    if (std::isinf(v))
        throw FloatError(FloatError::Kind::Overflow, "TNumEdit::setValue: infinite value");
    // A percentage shows the value times 100, which must stay finite too.
    if (m_type == NumericType::Percent && std::abs(v) > std::numeric_limits<double>::max() / 100)
        throw FloatError(FloatError::Kind::Overflow, "TNumEdit::setValue: percentage too large");
    v += 0.0; // no negative zero
    const bool changed = v != m_value;
    m_value = v;
    refresh();
    if (m_editing)
        m_editStart = text();
    // A figure put into the field being edited is selected like one entered.
    if (hasFocus())
        selectAll();
    if (changed)
        Q_EMIT valueChanged(m_value);
}

void TNumEdit::setDecimals(int decimals)
{
    m_decimals = std::clamp(decimals, 0, 15);
    refresh();
}

void TNumEdit::setDigits(int digits)
{
    m_digits = std::clamp(digits, 1, 17);
    refresh();
}

void TNumEdit::setUseRounding(bool on)
{
    m_useRounding = on;
    refresh();
}

void TNumEdit::setNumericType(NumericType type)
{
    m_type = type;
    refresh();
}

void TNumEdit::setMasks(const QString &positive, const QString &negative, const QString &zero)
{
    m_positiveMask = positive;
    m_negativeMask = negative;
    m_zeroMask = zero;
    refresh();
}

QString TNumEdit::displayText() const
{
    const RoundMode mode = m_useRounding ? RoundMode::HalfEven : RoundMode::Truncate;
    switch (m_type) {
    case NumericType::General:
        if (!m_positiveMask.isEmpty())
            return formatMask(m_value, m_positiveMask + u';' + m_negativeMask + u';' + m_zeroMask,
                              m_digits, mode);
        return formatNumber(m_value, m_digits, m_decimals, mode);
    case NumericType::Percent:
        return formatFixed(m_value * 100.0, m_digits, m_decimals, mode) + u'%';
    case NumericType::Currency:
        break;
    }
    return formatCurrency(m_value, m_digits, m_decimals, mode);
}

QString TNumEdit::editText() const
{
    const RoundMode mode = m_useRounding ? RoundMode::HalfEven : RoundMode::Truncate;
    const double shown = m_type == NumericType::Percent ? m_value * 100.0 : m_value;
    return formatFixed(shown, m_digits, m_decimals, mode);
}

void TNumEdit::refresh()
{
    NumberValidator *validator = validatorOf(this);
    if (validator)
        validator->setActive(false); // the texts below are ours, not typed
    setText(m_editing ? editText() : displayText());
    if (validator) {
        validator->setActive(m_editing);
        // More decimals than the field keeps would be held but never shown.
        validator->setMaxDecimals(m_decimals);
    }
}

std::optional<double> TNumEdit::typedValue() const
{
    if (text() == m_editStart)
        return std::nullopt; // tabbing through keeps the unrounded value
    bool ok = false;
    const double typed = parsePlain(text(), &ok);
    if (!ok)
        return std::nullopt; // the validator lets nothing else through
    const double v = m_type == NumericType::Percent ? typed / 100.0 : typed;
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

void TNumEdit::focusInEvent(QFocusEvent *event)
{
    // Coming back from a popup or another window resumes the same edit.
    const bool starting = !m_editing && !isReadOnly();
    if (starting) {
        m_editing = true;
        refresh();
        m_editStart = text();
    }
    NumberField::focusInEvent(event);
}

void TNumEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!leavesField(event->reason()))
        return;
    if (m_editing) {
        const std::optional<double> typed = typedValue();
        m_editing = false; // handlers of valueChanged see the formatted text
        if (typed)
            setValue(*typed);
        refresh();
    }
    Q_EMIT left();
}

void TNumEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_editing && NumberValidator::isRefusedKey(event)) {
        event->accept();
        return;
    }
    if (m_editing && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // Enter takes the typed figure; the page then calculates or leaves the field.
        if (const std::optional<double> typed = typedValue())
            setValue(*typed);
        refresh();
        m_editStart = text();
        selectAll();
    } else if (m_editing && event->key() == Qt::Key_Escape && text() != m_editStart) {
        setText(m_editStart);
        selectAll();
        event->accept();
        return;
    }
    NumberField::keyPressEvent(event);
}

} // namespace clvn
