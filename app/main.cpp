#include "app/Main.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Splash.h"

#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    clvn::CalvenorApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calvenor"));
    QApplication::setOrganizationName(QStringLiteral("Tolvane Software"));

    // --help, --version and a mistyped option answer on the terminal, no window.
    const clvn::CommandLine line = clvn::readCommandLine(QApplication::arguments());
    if (!line.run) {
        std::fputs(line.output.toLocal8Bit().constData(), line.exitCode ? stderr : stdout);
        return line.exitCode;
    }

    clvn::TSplashScreen splash;
    splash.showAndPaint();

    clvn::TfrmMain window;
    QApplication::processEvents();
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.reportSettingsProblems(); });
    return QApplication::exec();
}
