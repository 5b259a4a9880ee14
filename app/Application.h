#pragma once

#include <QApplication>

namespace clvn {

// The application object: the last line of defence, should an exception
// ever reach an event handler that is not wrapped in the guard.
class CalvenorApplication : public QApplication
{
public:
    CalvenorApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace clvn
