#include "app/CommandLine.h"

#include "widgets/Identity.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

CommandLine answer(const QStringList &arguments, bool refuseUnknown)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Mortgage calculators for home buyers."_s);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(u"file"_s, u"A scenario file (*.clvn) to open."_s, u"[file]"_s);
    // Operands are taken as given; the parser reads on past an unknown option.
    const bool parsed = parser.parse(arguments);
    // --help-all comes with the help option; the Qt options it would add are
    // those of every Qt program (calvenor(1) names them).
    if (parser.isSet(help) || parser.isSet(u"help-all"_s))
        return {.run = false, .exitCode = 0, .output = parser.helpText(), .file = {}};
    if (parser.isSet(version))
        return {.run = false,
                .exitCode = 0,
                .output = productName() + u' ' + productVersion() + u'\n',
                .file = {}};
    if (!parsed && refuseUnknown)
        return {.run = false,
                .exitCode = 1,
                .output = parser.errorText() + u"\nTry 'calvenor --help' for more information.\n"_s,
                .file = {}};
    CommandLine line;
    line.file = parser.positionalArguments().value(0);
    return line;
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    return answer(arguments, true);
}

CommandLine readHelpOrVersion(const QStringList &arguments)
{
    return answer(arguments, false);
}

} // namespace clvn
