#pragma once

// CLVN.INI and the buyer defaults: the 34 keys in their five sections, how
// their numbers are written and read, and the loads and saves the program
// makes. Every operation opens the file, works and lets it go; every save
// re-reads the file first so that lines written by anyone else survive.

#include "state/BuyerValues.h"
#include "state/PageState.h"

#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace clvn {

// One stored default: where it lives in the file and which BuyerValues
// member holds it (Term is the one whole number).
struct SettingsKey
{
    const char *section;
    const char *key;
    double BuyerValues::*real;
    std::int32_t BuyerValues::*whole;
};

// The 34 keys in file order.
const std::array<SettingsKey, 34> &settingsKeys();

// Number text of the file, the same in every locale: the shortest general
// decimal form with up to 15 significant digits, '.' as the decimal point and
// no grouping ("100000", "8.75", "0.0032", "786.7").
QString formatSettingNumber(double value);
QString formatSettingInteger(std::int32_t value);
// Reading takes that form, a ',' for the '.' ("8,75", as earlier versions
// wrote it where the comma is the decimal separator) and the user's own
// digits; surrounding blanks are allowed, grouping is not. Nothing for text
// that is not a finite number / not a 32-bit whole number.
std::optional<double> parseSettingNumber(const QString &text);
std::optional<std::int32_t> parseSettingInteger(const QString &text);

// The keys a load had to leave at their defaults because their stored text
// is not a number (an empty value counts as missing, not as bad).
struct LoadReport
{
    QStringList ignoredKeys;
    bool ok() const { return ignoredKeys.isEmpty(); }
};

// The text of the one information message that tells the user about a load
// that ignored keys.
QString ignoredKeysMessage(const QString &path, const QStringList &keys);

class SettingsFile
{
public:
    // `path` is the file that saves write. `seed`, when given, is a file
    // whose values start the run for as long as `path` does not exist: the
    // copy of CLVN.INI beside a program folder that cannot be written.
    explicit SettingsFile(QString path, QString seed = {});

    // Where CLVN.INI lives: in programFolder (given with or without its
    // trailing separator) when the user owns it, a file can be created there
    // and it is no installed prefix (no ../share/calvenor beside it); else in
    // the user's configuration folder, which is created.
    static QString locate(const QString &programFolder);
    // The settings file of a program in programFolder: the file locate()
    // names, seeded from programFolder's own CLVN.INI when that is not the
    // file written.
    static SettingsFile forProgramFolder(const QString &programFolder);

    QString path() const { return m_path; }
    QString seed() const { return m_seed; }
    // The file loads read: path() once it exists, else the seed.
    QString readPath() const;

    // All 34 keys into values; a missing or bad key takes its default.
    LoadReport load(BuyerValues &values) const;
    // The exit save: all 34 keys from values, in file order, except a key
    // whose stored text could not be read and whose value is still the
    // default it took; that line stays as the user wrote it. Throws
    // SettingsWriteError.
    void saveAll(const BuyerValues &values) const;
    // The Preferences save: every key of its three tabs, i.e. all 34.
    void savePreferences(const BuyerValues &values) const;
    // The ten closing-cost fees AppraisalFee .. SellerPaid, file -> values;
    // a missing or bad key takes its default.
    LoadReport loadClosingFees(BuyerValues &values) const;
    // The same ten keys, values -> file. Throws SettingsWriteError.
    void saveClosingFees(const BuyerValues &values) const;
    // The four Escrows keys, values -> file. Throws SettingsWriteError.
    void saveEscrows(const BuyerValues &values) const;

    // A page's state kept beside the buyer defaults, in the section the
    // state names: every key = text line of that section, and the state's
    // lines written into it, every other line left as it was. A state
    // without lines writes nothing. saveState throws SettingsWriteError.
    PageState loadState(const QString &section) const;
    void saveState(const PageState &state) const;

private:
    enum class Unread
    {
        Overwrite, // a store the user asked for: every key is written
        Keep       // the exit save: unread lines the run did not change stay
    };
    LoadReport loadRange(BuyerValues &values, int first, int count) const;
    void saveRange(const BuyerValues &values, int first, int count, Unread unread) const;

    QString m_path;
    QString m_seed;
    // Keys whose stored text the last load of them could not read. It is
    // bookkeeping about the file, not part of what the object stands for,
    // so const loads keep it.
    mutable std::bitset<34> m_unread;
};

} // namespace clvn
