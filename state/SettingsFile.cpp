#include "state/SettingsFile.h"

#include "state/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cmath>
#include <unistd.h>
#include <utility>

namespace clvn {

namespace {

const QString kFileName = QStringLiteral("CLVN.INI");

// Slices of settingsKeys() that the partial loads and saves use.
constexpr int kFirstFee = 14;    // AppraisalFee
constexpr int kFeeCount = 10;    // .. SellerPaid
constexpr int kFirstEscrow = 30; // InterimInterestDays
constexpr int kEscrowCount = 4;
constexpr int kKeyCount = 34;

// The file's own number form: '.' and no grouping in every locale, so that
// a file reads the same wherever it is opened.
QLocale fileLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

// The user's number format without grouping, in which earlier versions wrote
// their numbers ("8,75" under de_DE).
QLocale userLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

// Whether the settings file may live in the program's own folder: only in a
// folder of the user's own (a portable copy), never in an installed prefix
// (its data in ../share/calvenor) nor in a folder that belongs to someone
// else. Run as root from /usr/bin, the folder is writable but a file there
// would seed every user's values and outlive the package.
bool keepsSettings(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || info.ownerId() != ::geteuid())
        return false;
    if (QFileInfo(QDir(folder).filePath(QStringLiteral("../share/calvenor"))).isDir())
        return false;
    // Permission bits do not tell the whole story (ACLs, read-only media,
    // virtualised program folders): try it.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("clvn-probe-XXXXXX")));
    return probe.open();
}

} // namespace

const std::array<SettingsKey, 34> &settingsKeys()
{
    using B = BuyerValues;
    static const std::array<SettingsKey, 34> keys{{
        {"LastValues", "Loan", &B::Loan, nullptr},
        {"LastValues", "Interest", &B::Interest, nullptr},
        {"LastValues", "Term", nullptr, &B::Term},
        {"LastValues", "Payment", &B::Payment, nullptr},
        {"PmiValues", "Pmip308085", &B::Pmip308085, nullptr},
        {"PmiValues", "Pmip308590", &B::Pmip308590, nullptr},
        {"PmiValues", "Pmip309095", &B::Pmip309095, nullptr},
        {"PmiValues", "Pmip309597", &B::Pmip309597, nullptr},
        {"PmiValues", "Pmip158085", &B::Pmip158085, nullptr},
        {"PmiValues", "Pmip158590", &B::Pmip158590, nullptr},
        {"PmiValues", "Pmip159095", &B::Pmip159095, nullptr},
        {"PmiValues", "Pmip159597", &B::Pmip159597, nullptr},
        {"Ratios", "HRatio", &B::HRatio, nullptr},
        {"Ratios", "DRatio", &B::DRatio, nullptr},
        {"ClosingCosts", "AppraisalFee", &B::AppraisalFee, nullptr},
        {"ClosingCosts", "CreditReport", &B::CreditReport, nullptr},
        {"ClosingCosts", "TaxServiceFee", &B::TaxServiceFee, nullptr},
        {"ClosingCosts", "LendersInspectionFee", &B::LendersInspectionFee, nullptr},
        {"ClosingCosts", "TitleInsurance", &B::TitleInsurance, nullptr},
        {"ClosingCosts", "TitleSearch", &B::TitleSearch, nullptr},
        {"ClosingCosts", "EscrowClosingFee", &B::EscrowClosingFee, nullptr},
        {"ClosingCosts", "RecordingFee", &B::RecordingFee, nullptr},
        {"ClosingCosts", "OtherFees", &B::OtherFees, nullptr},
        {"ClosingCosts", "SellerPaid", &B::SellerPaid, nullptr},
        {"ClosingCosts", "OriginationPoints", &B::OriginationPoints, nullptr},
        {"ClosingCosts", "DiscountPoints", &B::DiscountPoints, nullptr},
        {"ClosingCosts", "DownPaymentPercent", &B::DownPaymentPercent, nullptr},
        {"ClosingCosts", "RealEstateTax", &B::RealEstateTax, nullptr},
        {"ClosingCosts", "Insurance", &B::Insurance, nullptr},
        {"ClosingCosts", "AssociationFee", &B::AssociationFee, nullptr},
        {"Escrows", "InterimInterestDays", &B::InterimInterestDays, nullptr},
        {"Escrows", "PropertyTaxMonths", &B::PropertyTaxMonths, nullptr},
        {"Escrows", "HomeownersFirstYear", &B::HomeownersFirstYear, nullptr},
        {"Escrows", "HomeownersRenewalMonths", &B::HomeownersRenewalMonths, nullptr},
    }};
    return keys;
}

QString formatSettingNumber(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    const QLocale locale = fileLocale();
    const QString text = locale.toString(value, 'g', 15);
    // Near the largest double, 15 digits round up past it and would not read
    // back: keep every digit there.
    bool ok = false;
    const double back = locale.toDouble(text, &ok);
    if (ok && std::isfinite(back))
        return text;
    return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

QString formatSettingInteger(std::int32_t value)
{
    return fileLocale().toString(value);
}

std::optional<double> parseSettingNumber(const QString &text)
{
    QString t = text.trimmed();
    // A ',' is the decimal separator of a file written where it is one:
    // numbers were never written grouped.
    if (t.count(u',') == 1 && !t.contains(u'.'))
        t.replace(u',', u'.');
    bool ok = false;
    double value = fileLocale().toDouble(t, &ok);
    if (!ok) // the locale's own digits and signs, as earlier versions wrote them
        value = userLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> parseSettingInteger(const QString &text)
{
    bool ok = false;
    int value = fileLocale().toInt(text.trimmed(), &ok);
    if (!ok)
        value = userLocale().toInt(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return std::int32_t(value);
}

QString ignoredKeysMessage(const QString &path, const QStringList &keys)
{
    return QStringLiteral("These settings in %1 are not numbers and were replaced by their "
                          "defaults: %2.")
        .arg(QDir::toNativeSeparators(path), keys.join(QStringLiteral(", ")));
}

SettingsFile::SettingsFile(QString path, QString seed)
    : m_path(std::move(path)), m_seed(std::move(seed))
{
}

QString SettingsFile::readPath() const
{
    if (m_seed.isEmpty() || QFileInfo::exists(m_path) || !QFileInfo(m_seed).isReadable())
        return m_path;
    return m_seed;
}

SettingsFile SettingsFile::forProgramFolder(const QString &programFolder)
{
    const QString path = locate(programFolder);
    const QString beside = QDir(programFolder).filePath(kFileName);
    if (QFileInfo(path) == QFileInfo(beside) || !QFileInfo(beside).isFile())
        return SettingsFile(path);
    return SettingsFile(path, beside);
}

QString SettingsFile::locate(const QString &programFolder)
{
    if (keepsSettings(programFolder))
        return QDir(programFolder).filePath(kFileName);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(kFileName);
}

LoadReport SettingsFile::loadRange(BuyerValues &values, int first, int count) const
{
    static const BuyerValues defaults;
    IniFile ini;
    ini.load(readPath()); // an unreadable file reads as empty: every key takes its default
    LoadReport report;
    for (int i = first; i < first + count; ++i) {
        const SettingsKey &k = settingsKeys()[size_t(i)];
        const QString section = QString::fromLatin1(k.section);
        const QString key = QString::fromLatin1(k.key);
        const QString text = ini.get(section, key);
        bool bad = false;
        if (k.whole) {
            const auto parsed = parseSettingInteger(text);
            bad = !parsed && !text.isEmpty();
            values.*k.whole = parsed.value_or(defaults.*k.whole);
        } else {
            const auto parsed = parseSettingNumber(text);
            bad = !parsed && !text.isEmpty();
            values.*k.real = parsed.value_or(defaults.*k.real);
        }
        if (bad)
            report.ignoredKeys << key;
        m_unread[size_t(i)] = bad;
    }
    return report;
}

void SettingsFile::saveRange(const BuyerValues &values, int first, int count, Unread unread) const
{
    static const BuyerValues defaults;
    IniFile ini;
    ini.load(readPath());
    ini.setPath(m_path);
    std::bitset<34> written;
    for (int i = first; i < first + count; ++i) {
        const SettingsKey &k = settingsKeys()[size_t(i)];
        // A text the run could not read stands in for a value the user may
        // still want; the default that replaced it is no reason to destroy it.
        const bool unchanged =
            k.whole ? values.*k.whole == defaults.*k.whole : values.*k.real == defaults.*k.real;
        if (unread == Unread::Keep && m_unread[size_t(i)] && unchanged)
            continue;
        ini.set(QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                k.whole ? formatSettingInteger(values.*k.whole)
                        : formatSettingNumber(values.*k.real));
        written[size_t(i)] = true;
    }
    ini.save();
    m_unread &= ~written;
}

LoadReport SettingsFile::load(BuyerValues &values) const
{
    return loadRange(values, 0, kKeyCount);
}

void SettingsFile::saveAll(const BuyerValues &values) const
{
    saveRange(values, 0, kKeyCount, Unread::Keep);
}

void SettingsFile::savePreferences(const BuyerValues &values) const
{
    // The window edits all three tabs, so it stores all three, Escrows too.
    saveRange(values, 0, kKeyCount, Unread::Overwrite);
}

LoadReport SettingsFile::loadClosingFees(BuyerValues &values) const
{
    return loadRange(values, kFirstFee, kFeeCount);
}

void SettingsFile::saveClosingFees(const BuyerValues &values) const
{
    saveRange(values, kFirstFee, kFeeCount, Unread::Overwrite);
}

void SettingsFile::saveEscrows(const BuyerValues &values) const
{
    saveRange(values, kFirstEscrow, kEscrowCount, Unread::Overwrite);
}

PageState SettingsFile::loadState(const QString &section) const
{
    IniFile ini;
    ini.load(readPath());
    PageState state(section);
    for (const QString &key : ini.keys(section))
        state.set(key, ini.get(section, key));
    return state;
}

void SettingsFile::saveState(const PageState &state) const
{
    if (state.isEmpty())
        return;
    IniFile ini;
    ini.load(readPath());
    ini.setPath(m_path);
    for (const auto &[key, text] : state.lines())
        ini.set(state.section(), key, text);
    ini.save();
}

} // namespace clvn
