#pragma once

// What the pages see of a number field, whichever kind it is: the money
// field (TNumEdit) or the number field (TFnpNumericEdit). Pages read and
// write values, mark result fields and calculate when the user leaves one.

#include <QLineEdit>

namespace clvn {

class NumberField : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // The field's value; a number field throws ConvertError for a text that
    // does not convert.
    virtual double value() const = 0;
    // Throws FloatError for a non-finite v: such a number is never shown.
    virtual void setValue(double v) = 0;

    // Read-only, not a tab stop, black on yellow.
    void setResultField(bool on);
    bool isResultField() const { return m_result; }

Q_SIGNALS:
    // The user moved the focus elsewhere (Tab, Backtab, mouse, other reason);
    // not sent when the window deactivates or a popup opens.
    void left();

protected:
    // Entering the field by Tab, by the mouse or from the program selects its
    // whole text, so that typing replaces the figure; a drag still selects part.
    void focusInEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Enter is passed on to the page (its calculation, or leaving the field)
    // unless what it signalled already took the focus away.
    void keyPressEvent(QKeyEvent *event) override;

    // Leaving for a popup (the context menu) or another window is no
    // leaving: the user comes straight back to the same field.
    static bool leavesField(Qt::FocusReason reason)
    {
        return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
    }

private:
    bool m_result = false;
    bool m_selectOnRelease = false;
};

} // namespace clvn
