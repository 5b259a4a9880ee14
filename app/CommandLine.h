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
};

// `arguments` as QCoreApplication::arguments() gives them, program first.
// Operands are left alone: the program ignores them for now.
CommandLine readCommandLine(const QStringList &arguments);

// Only --help and --version, from the raw arguments before any window system
// is reached (Qt's own options may still be among them and are not refused),
// so that both answer on a terminal with no display.
CommandLine readHelpOrVersion(const QStringList &arguments);

} // namespace clvn
