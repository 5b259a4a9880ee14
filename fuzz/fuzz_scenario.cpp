// The scenario file reader, fed arbitrary bytes.
//
// Properties:
//   - any input is either refused with a reason or read;
//   - a scenario read is written and read again to the same scenario: the
//     second writing gives the same text as the first.

#include "fuzz/FuzzCheck.h"
#include "state/Scenario.h"

#include <QCoreApplication>

using namespace clvn;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList pages = {QStringLiteral("QC"), QStringLiteral("Amort"),
                               QStringLiteral("CMP")};
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Scenario first;
    const QString problem = parseScenario(bytes, pages, first);
    if (!problem.isEmpty())
        return 0;
    const QByteArray written = scenarioText(first);
    Scenario second;
    const QString again = parseScenario(written, pages, second);
    FUZZ_CHECK(again.isEmpty(), "a written scenario is refused: %s", qPrintable(again));
    FUZZ_CHECK(scenarioText(second) == written, "a written scenario reads back differently");
    return 0;
}
