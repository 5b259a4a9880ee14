#include "app/ContextHelp.h"

#include "calculators/CalculatorPage.h"
#include "widgets/Guard.h"
#include "widgets/HelpContext.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace clvn {

int contextHelpTopic(const QWidget *widget, int fallback)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (const int declared = declaredHelpContext(w))
            return declared;
        if (const auto *page = qobject_cast<const CalculatorPage *>(w))
            return page->helpTopic();
    }
    return fallback;
}

ContextHelpKey::ContextHelpKey(std::function<void(int)> show, int fallback, QObject *parent)
    : QObject(parent), m_show(std::move(show)), m_fallback(fallback)
{
    qApp->installEventFilter(this);
}

ContextHelpKey::~ContextHelpKey()
{
    qApp->removeEventFilter(this);
}

bool ContextHelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // Keys go to the focused control, or to the window when nothing in it
    // has the focus: the receiver is where the walk starts.
    const int topic = contextHelpTopic(static_cast<QWidget *>(watched), m_fallback);
    guard([&] { m_show(topic); });
    return true; // handled once, not again by each parent the key would reach
}

} // namespace clvn
