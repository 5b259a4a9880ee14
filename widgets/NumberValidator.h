#pragma once

// Key and paste filter shared by both entry fields: digits, one locale
// decimal separator and one leading minus. Where the separator is a comma, a
// lone '.' (typed or pasted) is taken as the separator. Pasted text is cleaned of
// grouping separators, currency signs, spaces and letters first, so
// "$1,234.50" pastes as "1234.50"; what is still malformed, or has more decimals
// than the field keeps, is refused whole.

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
    // space, a grouping separator): such keys are swallowed before the line
    // edit sees them, so a refused key changes nothing and signals nothing.
    static bool isRefusedKey(const QKeyEvent *event);

private:
    bool m_active = false;
    int m_maxDecimals = -1;
};

} // namespace clvn
