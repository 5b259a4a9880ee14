#pragma once

#include <QString>

class QWidget;

namespace clvn {

// Gives a control its hint: the short part ("short|long") as the tool tip,
// the long part for the status bar; a hint without a bar is both.
void setHint(QWidget *widget, const QString &hint);

} // namespace clvn
