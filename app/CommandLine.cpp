#include "app/CommandLine.h"

#include "widgets/Identity.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace clvn {

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Mortgage calculators for home buyers."_s);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Unknown options end the program; operands are taken as given.
    if (!parser.parse(arguments))
        return {.run = false,
                .exitCode = 1,
                .output =
                    parser.errorText() + u"\nTry 'calvenor --help' for more information.\n"_s};
    // --help-all comes with the help option; the Qt options it would add are
    // those of every Qt program (calvenor(1) names them).
    if (parser.isSet(help) || parser.isSet(u"help-all"_s))
        return {.run = false, .exitCode = 0, .output = parser.helpText()};
    if (parser.isSet(version))
        return {
            .run = false, .exitCode = 0, .output = productName() + u' ' + productVersion() + u'\n'};
    return {};
}

} // namespace clvn
