#pragma once

#include <QString>

#include <exception>

class QWidget;

namespace clvn {

// An information box with one OK button, the program's title as caption.
// Every message of the program goes through here.
void showInfo(QWidget *parent, const QString &text);

// The message shown for a failure that reached the application-wide handler:
// unusable figures (a floating-point fault) or anything else.
QString failureMessage(std::exception_ptr error, bool *floatError = nullptr);

} // namespace clvn
