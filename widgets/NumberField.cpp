#include "widgets/NumberField.h"

#include "widgets/FieldStyle.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace clvn {

void NumberField::setResultField(bool on)
{
    m_result = on;
    applyResultFieldStyle(this, on);
}

void NumberField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // The click that brought the focus places the cursor after this event.
    m_selectOnRelease = event->reason() == Qt::MouseFocusReason;
    if (leavesField(event->reason()) && !m_selectOnRelease)
        selectAll();
}

void NumberField::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectOnRelease && !hasSelectedText())
        selectAll();
    m_selectOnRelease = false;
}

void NumberField::keyPressEvent(QKeyEvent *event)
{
    QLineEdit::keyPressEvent(event);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !hasFocus())
        event->accept(); // its returnPressed closed a panel: done
}

} // namespace clvn
