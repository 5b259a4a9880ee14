#include "app/Application.h"

#include "widgets/Guard.h"

#include <QFont>

namespace clvn {

CalvenorApplication::CalvenorApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The windows are laid out in pixels for Arial 8 point; fontconfig maps
    // Arial to the metric-compatible Liberation Sans.
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    // Docks tie the windows to the launcher (and its icon) by this name; on
    // X11 the desktop entry's StartupWMClass matches the window class.
    setDesktopFileName(QStringLiteral("com.tolvane.Calvenor"));
}

bool CalvenorApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleException(std::current_exception());
        return false;
    }
}

} // namespace clvn
