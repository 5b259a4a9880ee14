#include "app/Main.h"
#include "app/Application.h"
#include "app/Splash.h"

#include <QTimer>

int main(int argc, char *argv[])
{
    clvn::CalvenorApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calvenor"));
    QApplication::setOrganizationName(QStringLiteral("Tolvane Software"));

    clvn::TSplashScreen splash;
    splash.showAndPaint();

    clvn::TfrmMain window;
    QApplication::processEvents();
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.reportSettingsProblems(); });
    return QApplication::exec();
}
