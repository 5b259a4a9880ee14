#pragma once

// The number field: its value is its text. Writing a value formats it with
// the field's decimals; reading takes the text as typed numbers are read
// (Format.h plainNumber: the locale's grouping first) and throws ConvertError
// when it is not a number. Leaving the field shows the number taken, without
// grouping. While the user types, the field takes digits, separators and a
// leading minus; the program may set any text.

#include "widgets/NumberField.h"

#include <cstdint>

namespace clvn {

class NumberValidator;

class TFnpNumericEdit : public NumberField
{
    Q_OBJECT
    // Property readers (accessibility, test tools) get shownValue(): a
    // property getter must not throw.
    Q_PROPERTY(double value READ shownValue WRITE setValue)

public:
    explicit TFnpNumericEdit(QWidget *parent = nullptr);

    // 0 to 9, default 2; values outside are clamped.
    int Decimals() const { return m_decimals; }
    void setDecimals(int decimals);

    // Throws FieldConvertError (a ConvertError "'<text>' is not a valid
    // floating point value") naming this field.
    double value() const override;
    // The text's value, or 0 when it does not convert (an empty field). Never throws.
    double shownValue() const noexcept;
    // Throws FieldConvertError (a ConvertError "'<text>' is not a valid
    // integer value") for a fractional, empty or out-of-range text.
    std::int32_t asInteger() const;
    // Formats "0" or "0.00..." (no grouping, halves away from zero: 12.5
    // shows 13 at 0 decimals) and replaces the text only when it differs, so
    // textChanged fires only then. Throws FloatError for a non-finite v.
    void setValue(double v) override;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    NumberValidator *m_validator = nullptr;
    int m_decimals = 2;
};

} // namespace clvn
