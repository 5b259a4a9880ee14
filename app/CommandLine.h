#pragma once

// The program's own command-line options, read after QApplication has taken
// the standard Qt ones (-platform, -style, ...) out of the arguments.

#include <QString>
#include <QStringList>

namespace clvn {

struct CommandLine
{
    // False: print `output` (to standard error when `exitCode` is not 0)
    // and end with `exitCode` instead of opening the window.
    bool run = true;
    int exitCode = 0;
    QString output;
    // The scenario file to open, when one is named.
    QString file;
};

// `arguments` as QCoreApplication::arguments() gives them, program first.
// The first operand is a scenario file to open; any more are ignored.
CommandLine readCommandLine(const QStringList &arguments);

// Only --help and --version, from the raw arguments before any window system
// is reached (Qt's own options may still be among them and are not refused),
// so that both answer on a terminal with no display.
CommandLine readHelpOrVersion(const QStringList &arguments);

} // namespace clvn
