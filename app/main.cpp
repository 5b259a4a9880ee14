#include "app/Main.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Splash.h"

#include <QCoreApplication>
#include <QTimer>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <map>
#include <optional>
#include <thread>

namespace {

// Under CLVN_START_TRACE the program says when each of its first windows
// paints for the first time (any part of it: a panel may cover it all);
// the start-up benchmark reads it.
class StartTrace : public QObject
{
public:
    void watch(QWidget *window, const char *name)
    {
        if (m_names.empty())
            qApp->installEventFilter(this);
        m_names[window] = name;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            const auto it = m_names.find(static_cast<QWidget *>(watched)->window());
            if (it != m_names.end()) {
                std::printf("shown %s\n", it->second);
                std::fflush(stdout);
                m_names.erase(it);
            }
        }
        return false;
    }

private:
    std::map<const QWidget *, const char *> m_names;
};

} // namespace

namespace {

// --help and --version answer on a terminal even with no display to open a
// window on: they are read before the window system is reached.
std::optional<int> answeredOnTerminal(int argc, char *argv[])
{
    bool anyOption = false;
    for (int i = 1; i < argc; ++i)
        anyOption = anyOption || argv[i][0] == '-';
    if (!anyOption)
        return std::nullopt;
    int count = argc;
    const QCoreApplication core(count, argv);
    const clvn::CommandLine line = clvn::readHelpOrVersion(QCoreApplication::arguments());
    if (line.run)
        return std::nullopt;
    std::fputs(line.output.toLocal8Bit().constData(), stdout);
    return line.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> answered = answeredOnTerminal(argc, argv))
        return *answered;

    // Reading the font configuration takes several milliseconds that the
    // splash's texts would wait for; it runs while Qt reaches the display.
    std::thread fontConfiguration([] { FcInit(); });
    clvn::CalvenorApplication app(argc, argv);
    fontConfiguration.join();
    QApplication::setApplicationName(QStringLiteral("Calvenor"));
    QApplication::setOrganizationName(QStringLiteral("Tolvane Software"));

    // --help, --version and a mistyped option answer on the terminal, no window.
    const clvn::CommandLine line = clvn::readCommandLine(QApplication::arguments());
    if (!line.run) {
        std::fputs(line.output.toLocal8Bit().constData(), line.exitCode ? stderr : stdout);
        return line.exitCode;
    }

    StartTrace trace;
    const bool tracing = qEnvironmentVariableIsSet("CLVN_START_TRACE");
    clvn::TSplashScreen splash;
    if (tracing)
        trace.watch(&splash, "splash");
    splash.showAndPaint();

    clvn::TfrmMain window;
    if (tracing)
        trace.watch(&window, "main");
    QApplication::processEvents();
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.reportSettingsProblems(); });
    if (!line.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &line] { window.openScenario(line.file); });
    return QApplication::exec();
}
