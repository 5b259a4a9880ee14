#include "state/Scenario.h"

#include "state/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

const QString kFormat = u"calvenor-scenario"_s;

QString quoted(const QString &text)
{
    return u"“"_s + text + u"”"_s;
}

// A whole number held by a JSON value, or nothing.
std::optional<int> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::trunc(d) || std::fabs(d) > 1e9)
        return std::nullopt;
    return static_cast<int>(d);
}

// A page's value as the page reads it, or what is wrong with it.
QString lineText(const QJsonValue &value, const QString &where, QString &text)
{
    if (value.isString()) {
        text = value.toString();
        return {};
    }
    if (!value.isDouble())
        return where + u" is neither a number nor a text"_s;
    const double d = value.toDouble();
    if (!std::isfinite(d))
        return where + u" is not a finite number"_s;
    if (std::fabs(d) > Scenario::MaxMagnitude)
        return where + u" is out of range"_s;
    text = formatSettingNumber(d);
    return {};
}

QString parsePages(const QJsonObject &pages, const QStringList &knownPages, Scenario &out)
{
    for (auto page = pages.begin(); page != pages.end(); ++page) {
        const QString name = page.key();
        if (!knownPages.contains(name)) {
            if (out.minor <= Scenario::Minor)
                return u"it names an unknown page, "_s + quoted(name);
            out.unknownPages.insert(name, page.value());
            continue;
        }
        if (!page.value().isObject())
            return u"page "_s + quoted(name) + u" is not a list of values"_s;
        const QJsonObject values = page.value().toObject();
        PageState state(name);
        for (auto v = values.begin(); v != values.end(); ++v) {
            QString text;
            const QString problem = lineText(
                v.value(), u"the value of "_s + quoted(v.key()) + u" on page "_s + quoted(name),
                text);
            if (!problem.isEmpty())
                return problem;
            state.set(v.key(), text);
        }
        out.pages.push_back(std::move(state));
    }
    return {};
}

} // namespace

const PageState *Scenario::page(const QString &name) const
{
    const auto at = std::find_if(pages.begin(), pages.end(),
                                 [&name](const PageState &p) { return p.section() == name; });
    return at == pages.end() ? nullptr : &*at;
}

QJsonValue Scenario::jsonValue(const QString &text)
{
    // Only the settings file's own form of a number becomes a JSON number,
    // so that every text reads back exactly as it was.
    const std::optional<double> number = parseSettingNumber(text);
    if (number && formatSettingNumber(*number) == text)
        return *number;
    return text;
}

QByteArray scenarioText(const Scenario &scenario)
{
    QJsonObject root = scenario.unknown;
    root.insert(u"format"_s, kFormat);
    root.insert(u"version"_s, Scenario::Version);
    // A newer minor version's entries are written back as they were, and so is its number.
    root.insert(u"minor"_s, std::max(scenario.minor, Scenario::Minor));
    root.insert(u"notes"_s, scenario.notes);
    root.insert(u"activePage"_s, scenario.activePage);
    QJsonObject pages = scenario.unknownPages;
    for (const PageState &state : scenario.pages) {
        QJsonObject values = scenario.unknownKeys.value(state.section());
        for (const auto &[key, text] : state.lines())
            values.insert(key, Scenario::jsonValue(text));
        pages.insert(state.section(), values);
    }
    root.insert(u"pages"_s, pages);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString parseScenario(const QByteArray &data, const QStringList &knownPages, Scenario &scenario)
{
    if (data.trimmed().isEmpty())
        return u"the file is empty"_s;
    if (data.size() > Scenario::MaxBytes)
        return u"the file is larger than 1 MiB"_s;
    if (!data.trimmed().startsWith('{'))
        return u"the file is not a Calvenor scenario"_s;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        if (error.offset >= data.trimmed().size() ||
            error.error == QJsonParseError::UnterminatedObject ||
            error.error == QJsonParseError::UnterminatedArray ||
            error.error == QJsonParseError::UnterminatedString)
            return u"the file is truncated"_s;
        // JSON has no infinities: a number beyond a double is refused by the parser.
        if (error.error == QJsonParseError::IllegalNumber)
            return u"the number at character %1 is not finite"_s.arg(error.offset);
        return u"the file is damaged (%1 at character %2)"_s.arg(error.errorString())
            .arg(error.offset);
    }
    const QJsonObject root = doc.object();
    if (root.value(u"format"_s).toString() != kFormat)
        return u"the file is not a Calvenor scenario"_s;
    const std::optional<int> version = wholeNumber(root.value(u"version"_s));
    if (!version || *version < 1)
        return u"its format version is missing or not valid"_s;
    if (*version > Scenario::Version)
        return u"it was written by a newer Calvenor (format version %1)"_s.arg(*version);

    Scenario out;
    if (root.contains(u"minor"_s)) {
        const std::optional<int> minor = wholeNumber(root.value(u"minor"_s));
        if (!minor || *minor < 0)
            return u"its minor format version is not valid"_s;
        out.minor = *minor;
    }
    for (auto entry = root.begin(); entry != root.end(); ++entry) {
        const QString key = entry.key();
        const QJsonValue value = entry.value();
        if (key == u"format"_s || key == u"version"_s || key == u"minor"_s)
            continue;
        if (key == u"notes"_s || key == u"activePage"_s) {
            if (!value.isString())
                return u"the entry "_s + quoted(key) + u" is not a text"_s;
            (key == u"notes"_s ? out.notes : out.activePage) = value.toString();
        } else if (key == u"pages"_s) {
            if (!value.isObject())
                return u"the entry "_s + quoted(key) + u" is not a list of pages"_s;
            if (const QString problem = parsePages(value.toObject(), knownPages, out);
                !problem.isEmpty())
                return problem;
        } else if (out.minor > Scenario::Minor) {
            out.unknown.insert(key, value);
        } else {
            return u"it has an unknown entry, "_s + quoted(key);
        }
    }
    if (!out.activePage.isEmpty() && !knownPages.contains(out.activePage))
        return u"the open page "_s + quoted(out.activePage) + u" is unknown"_s;
    scenario = std::move(out);
    return {};
}

QString readScenarioFile(const QString &path, const QStringList &knownPages, Scenario &scenario)
{
    const QString name = quoted(QFileInfo(path).fileName());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return name + u" could not be opened: "_s + file.errorString() + u'.';
    // One byte past the cap tells an oversized file without reading it all.
    const QByteArray data = file.read(Scenario::MaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return name + u" could not be read: "_s + file.errorString() + u'.';
    const QString problem = parseScenario(data, knownPages, scenario);
    return problem.isEmpty() ? QString() : name + u" could not be opened: "_s + problem + u'.';
}

QString writeScenarioFile(const QString &path, const Scenario &scenario)
{
    QSaveFile file(path);
    const QByteArray text = scenarioText(scenario);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return {};
    return quoted(QFileInfo(path).fileName()) + u" could not be saved: "_s + file.errorString() +
           u'.';
}

} // namespace clvn
