// Starts the program and a bare Qt window alike, nine times each, taking
// turns, and times each window's first painting from the start of the
// process. Prints the medians and their ratios to the bare window's.

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 9;
constexpr int kTimeoutMs = 20000;

// Milliseconds from the start to each "shown NAME" line, by name; the
// process is ended once `last` has shown.
std::map<std::string, double> timeStart(const QString &program, const std::string &last)
{
    std::map<std::string, double> seen;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CLVN_START_TRACE"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    while (!seen.count(last) && clock.elapsed() < kTimeoutMs &&
           process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(50);
        while (process.canReadLine()) {
            const QByteArray line = process.readLine().trimmed();
            if (line.startsWith("shown "))
                seen.emplace(line.mid(6).toStdString(), double(clock.nsecsElapsed()) / 1e6);
        }
    }
    process.kill();
    process.waitForFinished();
    return seen;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main()
{
    std::vector<double> bare, splash, main;
    for (int run = 0; run < kRuns; ++run) {
        const auto b = timeStart(QStringLiteral(CLVN_BARE_WINDOW), "main");
        const auto p = timeStart(QStringLiteral(CLVN_PROGRAM), "main");
        if (!b.count("main") || !p.count("splash") || !p.count("main")) {
            std::fprintf(stderr, "a window did not show within %d ms\n", kTimeoutMs);
            return 1;
        }
        bare.push_back(b.at("main"));
        splash.push_back(p.at("splash"));
        main.push_back(p.at("main"));
    }
    const double yardstick = median(bare);
    std::printf("start-up, medians of %d starts each\n", kRuns);
    std::printf("  bare Qt window %8.1f ms\n", yardstick);
    std::printf("  splash         %8.1f ms  ratio %.2f  (goal at most 1.2)\n", median(splash),
                median(splash) / yardstick);
    std::printf("  main window    %8.1f ms  ratio %.2f  (goal at most 1.5)\n", median(main),
                median(main) / yardstick);
    return 0;
}
