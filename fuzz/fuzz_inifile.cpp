// The settings file's INI document, fed arbitrary bytes.
//
// Properties:
//   - a load keeps the file byte for byte: toBytes() gives back what was read;
//   - after set(section, key, value), get() gives the value back, before and
//     after a save and a new load, and every other program key reads as it
//     did before (the edit touches one key only).

#include "fuzz/FuzzCheck.h"
#include "state/IniFile.h"
#include "state/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

using namespace clvn;

namespace {

std::unique_ptr<QTemporaryDir> g_dir;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write %s",
               qPrintable(path));
    f.write(bytes);
}

// A section or key name as the program writes them: letters and digits.
QString pickName(FuzzedDataProvider &in, bool section)
{
    const auto &keys = settingsKeys();
    if (in.ConsumeBool()) {
        const SettingsKey &k = keys[in.ConsumeIntegralInRange<size_t>(0, keys.size() - 1)];
        return QString::fromLatin1(section ? k.section : k.key);
    }
    std::string raw = in.ConsumeRandomLengthString(12);
    QString name;
    for (char c : raw)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            name += QLatin1Char(c);
    return name.isEmpty() ? QStringLiteral("K") : name;
}

// A value as a line holds it: any text but line breaks, NUL and U+FEFF.
QString pickValue(FuzzedDataProvider &in)
{
    std::string raw = in.ConsumeRandomLengthString(40);
    QString value = QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    value.remove(QChar(0));
    value.remove(QChar(0xFEFF)); // a leading one is taken for a byte-order mark by UTF-8 decoding
    return value;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    g_dir = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString section = pickName(in, true);
    const QString key = pickName(in, false);
    const QString value = pickValue(in);
    const std::vector<uint8_t> rest = in.ConsumeRemainingBytes<uint8_t>();
    const QByteArray bytes(reinterpret_cast<const char *>(rest.data()), qsizetype(rest.size()));

    const QString path = g_dir->filePath(QStringLiteral("CLVN.INI"));
    writeFile(path, bytes);

    IniFile ini;
    FUZZ_CHECK(ini.load(path), "load refused a readable file");
    FUZZ_CHECK(ini.toBytes() == bytes, "load did not keep the file byte for byte");

    // What every program key reads before the edit.
    QStringList before;
    for (const SettingsKey &k : settingsKeys())
        before << ini.get(QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                          QStringLiteral("<none>"));

    ini.set(section, key, value);
    FUZZ_CHECK(ini.get(section, key) == value.trimmed(), "set then get: wrote [%s] %s=%s, read %s",
               qPrintable(section), qPrintable(key), qPrintable(value),
               qPrintable(ini.get(section, key)));
    ini.save();

    IniFile again;
    FUZZ_CHECK(again.load(path), "the saved file does not load");
    FUZZ_CHECK(again.toBytes() == ini.toBytes(), "save did not write the document");
    FUZZ_CHECK(again.get(section, key) == value.trimmed(), "reload: wrote [%s] %s=%s, read %s",
               qPrintable(section), qPrintable(key), qPrintable(value),
               qPrintable(again.get(section, key)));
    int i = 0;
    for (const SettingsKey &k : settingsKeys()) {
        const QString s = QString::fromLatin1(k.section);
        const QString n = QString::fromLatin1(k.key);
        const bool edited = s.compare(section, Qt::CaseInsensitive) == 0 &&
                            n.compare(key, Qt::CaseInsensitive) == 0;
        if (!edited)
            FUZZ_CHECK(again.get(s, n, QStringLiteral("<none>")) == before.at(i),
                       "setting [%s] %s changed [%s] %s from %s to %s", qPrintable(section),
                       qPrintable(key), k.section, k.key, qPrintable(before.at(i)),
                       qPrintable(again.get(s, n, QStringLiteral("<none>"))));
        ++i;
    }
    return 0;
}
