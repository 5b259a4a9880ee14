// Starts the program and a bare Qt window alike, nine times each (or as
// many as the argument says), taking turns, and times each window's first
// painting from the start of the process. Prints the medians and their
// ratios to the bare window's, each with its quartiles: on a busy machine
// the spread says how far one run can be trusted.

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// The value a `share` of the way up the sorted values (0.5: the median).
double quantile(std::vector<double> v, double share)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[std::size_t(share * double(v.size() - 1) + 0.5)];
}

std::string spread(const std::vector<double> &v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "[%.*f-%.*f]", decimals, quantile(v, 0.25), decimals,
                  quantile(v, 0.75));
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kRuns;
    std::vector<double> bare, splash, main, splashRatio, mainRatio;
    for (int run = 0; run < runs; ++run) {
        const auto b = timeStart(QStringLiteral(CLVN_BARE_WINDOW), "main");
        const auto p = timeStart(QStringLiteral(CLVN_PROGRAM), "main");
        if (!b.count("main") || !p.count("splash") || !p.count("main")) {
            std::fprintf(stderr, "a window did not show within %d ms\n", kTimeoutMs);
            return 1;
        }
        bare.push_back(b.at("main"));
        splash.push_back(p.at("splash"));
        main.push_back(p.at("main"));
        // Each start against the bare window of its own turn.
        splashRatio.push_back(splash.back() / bare.back());
        mainRatio.push_back(main.back() / bare.back());
    }
    const double yardstick = quantile(bare, 0.5);
    std::printf("start-up, medians of %d starts each [quartiles]\n", runs);
    std::printf("  bare Qt window %8.1f ms %-13s\n", yardstick, spread(bare, 1).c_str());
    std::printf("  splash         %8.1f ms %-13s ratio %.2f  (goal at most 1.2), by turn %s\n",
                quantile(splash, 0.5), spread(splash, 1).c_str(), quantile(splash, 0.5) / yardstick,
                spread(splashRatio, 2).c_str());
    std::printf("  main window    %8.1f ms %-13s ratio %.2f  (goal at most 1.5), by turn %s\n",
                quantile(main, 0.5), spread(main, 1).c_str(), quantile(main, 0.5) / yardstick,
                spread(mainRatio, 2).c_str());
    return 0;
}
