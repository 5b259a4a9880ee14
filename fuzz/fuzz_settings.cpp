// The settings values: the 34 keys of CLVN.INI as numbers (the same in every
// locale), fed arbitrary files, arbitrary figures and arbitrary texts.
//
// Properties:
//   - any file loads into finite values; what a save of them writes loads
//     back without complaint, equal to 15 significant digits (the file's
//     precision), and a second save and load changes nothing;
//   - any finite figures and any whole-number term saved load back the same
//     way (the term exactly);
//   - a text that reads as a number writes back as a text that reads as the
//     same number, and writing is stable from then on.

#include "fuzz/FuzzCheck.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <memory>

using namespace clvn;

namespace {

std::unique_ptr<QTemporaryDir> g_dir;

bool within15Digits(double written, double read)
{
    return written == read || std::abs(written - read) <= std::abs(written) * 1e-14;
}

void checkReadBack(const BuyerValues &written, const BuyerValues &read, bool exact)
{
    for (const SettingsKey &k : settingsKeys()) {
        if (k.whole) {
            FUZZ_CHECK(read.*k.whole == written.*k.whole, "%s: wrote %d, read %d", k.key,
                       written.*k.whole, read.*k.whole);
            continue;
        }
        const double w = written.*k.real;
        const double r = read.*k.real;
        FUZZ_CHECK(exact ? w == r : within15Digits(w, r), "%s: wrote %.17g, read %.17g (%s)", k.key,
                   w, r, qPrintable(formatSettingNumber(w)));
    }
}

BuyerValues saveAndLoad(const QString &path, const BuyerValues &values)
{
    SettingsFile file(path);
    file.saveAll(values);
    BuyerValues read;
    const LoadReport report = file.load(read);
    if (!report.ok()) {
        QFile saved(path);
        saved.open(QIODevice::ReadOnly);
        FUZZ_CHECK(report.ok(), "a saved file did not load: %s\n%s",
                   qPrintable(report.ignoredKeys.join(QStringLiteral(", "))),
                   saved.readAll().constData());
    }
    return read;
}

void fileMode(FuzzedDataProvider &in, const QString &path)
{
    const std::vector<uint8_t> rest = in.ConsumeRemainingBytes<uint8_t>();
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write");
    f.write(reinterpret_cast<const char *>(rest.data()), qint64(rest.size()));
    f.close();

    BuyerValues loaded;
    SettingsFile(path).load(loaded);
    for (const SettingsKey &k : settingsKeys())
        if (k.real)
            FUZZ_CHECK(std::isfinite(loaded.*k.real), "%s loaded as %g", k.key, loaded.*k.real);
    const BuyerValues once = saveAndLoad(path, loaded);
    checkReadBack(loaded, once, false);
    checkReadBack(once, saveAndLoad(path, once), true);
}

void valuesMode(FuzzedDataProvider &in, const QString &path)
{
    BuyerValues values;
    for (const SettingsKey &k : settingsKeys()) {
        if (k.whole) {
            values.*k.whole = in.ConsumeIntegral<std::int32_t>();
        } else {
            const double v = in.ConsumeFloatingPoint<double>();
            values.*k.real = std::isfinite(v) ? v : 0.0;
        }
    }
    QFile::remove(path);
    const BuyerValues once = saveAndLoad(path, values);
    checkReadBack(values, once, false);
    checkReadBack(once, saveAndLoad(path, once), true);
}

void textMode(FuzzedDataProvider &in)
{
    const std::string raw = in.ConsumeRandomLengthString(64);
    const QString text = QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    if (const auto v = parseSettingNumber(text)) {
        FUZZ_CHECK(std::isfinite(*v), "'%s' read as %g", qPrintable(text), *v);
        const QString written = formatSettingNumber(*v);
        const auto back = parseSettingNumber(written);
        FUZZ_CHECK(back && within15Digits(*v, *back), "'%s' read as %.17g, written as '%s'",
                   qPrintable(text), *v, qPrintable(written));
        FUZZ_CHECK(formatSettingNumber(*back) == written, "'%s' then '%s'", qPrintable(written),
                   qPrintable(formatSettingNumber(*back)));
    }
    if (const auto n = parseSettingInteger(text)) {
        const QString written = formatSettingInteger(*n);
        FUZZ_CHECK(parseSettingInteger(written) == n, "'%s' read as %d, written as '%s'",
                   qPrintable(text), *n, qPrintable(written));
    }
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
    // Arabic locales are left out: Qt 6.4 does not read back its own
    // negative or exponent texts there (the sign carries a letter mark).
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::French, QLocale::France),
                                      QLocale(QLocale::Hindi, QLocale::India),

                                      QLocale::c()};
    FuzzedDataProvider in(data, size);
    QLocale::setDefault(locales[in.ConsumeIntegralInRange<size_t>(0, std::size(locales) - 1)]);
    const QString path = g_dir->filePath(QStringLiteral("CLVN.INI"));
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
        fileMode(in, path);
        break;
    case 1:
        valuesMode(in, path);
        break;
    default:
        textMode(in);
        break;
    }
    return 0;
}
