#pragma once

#include <QString>

class QWidget;

namespace clvn {

// An information box with one OK button, the program's title as caption.
// Every message of the program goes through here.
void showInfo(QWidget *parent, const QString &text);

} // namespace clvn
