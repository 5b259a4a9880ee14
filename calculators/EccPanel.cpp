#include "calculators/EccPanel.h"

#include "widgets/Accessibility.h"
#include "widgets/Guard.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPushButton>

namespace clvn {

EccPanel::EccPanel(EccPanelHost &page, const QString &name, const QRect &geometry, QWidget *parent)
    : QFrame(parent), m_page(page)
{
    setObjectName(name);
    setGeometry(geometry);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    markAsPanel(this);
    hide();
}

void EccPanel::watchOkButton(QPushButton *ok)
{
    m_ok = ok;
    m_ok->installEventFilter(this);
}

bool EccPanel::focusNextPrevChild(bool next)
{
    QWidget *current = focusWidget();
    if (!isVisible() || !current || !isAncestorOf(current))
        return QFrame::focusNextPrevChild(next);
    // Walk the tab chain, wrapping inside the panel.
    QWidget *candidate = current;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (isAncestorOf(candidate) && candidate->isVisible() && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != current);
    return true;
}

bool EccPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ok && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Leaving for a popup or another window is no leaving.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            QMetaObject::invokeMethod(
                this, [this] { guard([this] { okButtonExit(); }); }, Qt::QueuedConnection);
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace clvn
