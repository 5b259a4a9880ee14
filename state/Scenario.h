#pragma once

// A scenario file (*.clvn): one person's case as every page holds it, the
// page that was open and free-text notes, so that it can be kept, reopened
// and sent. JSON, numbers with '.' whatever the locale. Reading never trusts
// the file: every fault comes back as a sentence naming what was wrong.

#include "state/PageState.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <vector>

namespace clvn {

struct Scenario
{
    // The format this program writes. A file of a newer `version` is
    // refused; one of a newer `minor` is read, and what this program does
    // not know of it is kept and written back.
    static constexpr int Version = 1;
    static constexpr int Minor = 0;
    // Files larger than this are refused unread.
    static constexpr qint64 MaxBytes = 1024 * 1024;
    // The largest magnitude of a number a page may be given.
    static constexpr double MaxMagnitude = 1e15;

    QString notes;
    // The page shown when the file was saved; empty for the menu page.
    QString activePage;
    // One state per page, its section the page's name.
    std::vector<PageState> pages;
    // The minor version the file was written with.
    int minor = Minor;
    // Entries of a newer minor version: top-level, whole pages, and keys of
    // known pages, each as read.
    QJsonObject unknown;
    QJsonObject unknownPages;
    QHash<QString, QJsonObject> unknownKeys;

    // The state of page `name`, or null.
    const PageState *page(const QString &name) const;
    // A line's text as the file holds it: the settings file's own form of a
    // number as a JSON number, any other text as a JSON string.
    static QJsonValue jsonValue(const QString &text);
};

// The file's text: indented JSON, pages in the order given, each page's keys
// sorted. A line whose text is a number in the settings file's form is
// written as a JSON number, any other as a JSON string.
QByteArray scenarioText(const Scenario &scenario);
// Reads `data` into `scenario`. Returns what was wrong, as the end of a
// sentence ("the file is empty"), or an empty text when all is well;
// `scenario` is only written when all is well. `knownPages` are the page
// names a file may hold.
QString parseScenario(const QByteArray &data, const QStringList &knownPages, Scenario &scenario);

// The same for a file: the message names the file
// ("“Smith.clvn” could not be opened: the file is empty.").
QString readScenarioFile(const QString &path, const QStringList &knownPages, Scenario &scenario);
// Writes atomically: the old file stays whole if anything goes wrong.
// Returns the message for the user, empty when the file was written.
QString writeScenarioFile(const QString &path, const Scenario &scenario);

} // namespace clvn
