#pragma once

// The money field: it holds an unrounded value and shows it formatted as
// currency, through three display masks, or as a percentage.
//
// Editing: on focus-in the field shows the value as a plain number (locale
// decimal separator, no grouping, no currency sign) and selects it. On
// leaving, a text the user changed is parsed into the value (empty means 0);
// an untouched text leaves the unrounded value as it was, so tabbing through
// a field never rounds what it holds. The text is read with the locale's
// grouping first (Format.h plainNumber); one that is not a number leaves the
// value as it was. A validator lets through digits, separators and one
// leading minus, for typed and pasted text alike.

#include "widgets/NumberField.h"

#include <QString>

#include <optional>

namespace clvn {

class TNumEdit : public NumberField
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)

public:
    enum class NumericType
    {
        Currency,
        General,
        Percent
    };
    Q_ENUM(NumericType)

    explicit TNumEdit(QWidget *parent = nullptr);

    // The value as last set or entered, never rounded to what is shown.
    double value() const override { return m_value; }
    // Throws FloatError for a non-finite v: such a number is never shown.
    void setValue(double v) override;

    int Decimals() const { return m_decimals; }
    void setDecimals(int decimals);
    // Significant digits of the shown value.
    int Digits() const { return m_digits; }
    void setDigits(int digits);
    // On: the shown value is rounded half to even; off: truncated.
    bool UseRounding() const { return m_useRounding; }
    void setUseRounding(bool on);
    NumericType numericType() const { return m_type; }
    void setNumericType(NumericType type);
    // Display masks of the General type (see formatMask).
    void setMasks(const QString &positive, const QString &negative, const QString &zero);

    // The text shown while the field is not being edited.
    QString displayText() const;
    // The plain number shown while editing.
    QString editText() const;

Q_SIGNALS:
    void valueChanged(double value);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refresh();
    // The number the user typed, if the text was changed and reads as one.
    std::optional<double> typedValue() const;

    double m_value = 0.0;
    int m_decimals = 2;
    int m_digits = 12;
    bool m_useRounding = true;
    NumericType m_type = NumericType::Currency;
    QString m_positiveMask;
    QString m_negativeMask;
    QString m_zeroMask;
    bool m_editing = false;
    QString m_editStart;
};

} // namespace clvn
