#include "widgets/Hint.h"

#include <QWidget>

namespace clvn {

void setHint(QWidget *widget, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    // A screen reader reads the long part as the control's description.
    widget->setAccessibleDescription(widget->statusTip());
}

} // namespace clvn
