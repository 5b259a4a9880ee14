#pragma once

// Key and paste filter shared by both entry fields: digits, the locale's
// decimal and group separators, '.' and one leading minus. Separators stay as
// typed (the fields read them: Format.h plainNumber); pasted text is cleaned
// of currency signs, letters and blanks first, so "$1,234.50" pastes as
// "1,234.50". A second decimal point, grouping after it, a minus that does
// not lead, or more decimals than the field keeps is refused whole.

#include <QValidator>

class QKeyEvent;

namespace clvn {

class NumberValidator : public QValidator
{
    Q_OBJECT

public:
    // Longer texts are refused so that a typed number can never overflow.
    static constexpr int MaxLength = 32;

    explicit NumberValidator(QObject *parent = nullptr);

    // While inactive every text passes untouched: the fields show formatted
    // text (with currency signs and grouping) when they are not being edited.
    void setActive(bool on) { m_active = on; }
    bool isActive() const { return m_active; }

    // Decimals a typed figure may have; -1: any number.
    void setMaxDecimals(int decimals) { m_maxDecimals = decimals; }

    State validate(QString &input, int &pos) const override;

    // True for a typed printable key the fields do not take (a letter, a
    // space where the locale does not group with one): such keys are swallowed before the line
    // edit sees them, so a refused key changes nothing and signals nothing.
    static bool isRefusedKey(const QKeyEvent *event);

private:
    bool m_active = false;
    int m_maxDecimals = -1;
};

} // namespace clvn
