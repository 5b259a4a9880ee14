#pragma once

// The text rules of the update check, free of any network or window: reading
// the information page's META lines, comparing versions, reading the date and
// naming the downloaded file.

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace clvn {

// One tagged value of the information page.
struct InfoLine
{
    QString tag;
    QString value;
};

// Reads one page line shaped like
//   <META HTTP-EQUIV="version" CONTENT="1.0.05">
// "META HTTP-EQUIV" may be in any letter case and is followed directly by
// `="`; the tag keeps its own letter case; "CONTENT=" must be upper case and
// is followed directly by a quote. A line without both closing quotes, or
// with an empty tag name, carries nothing.
std::optional<InfoLine> readInfoLine(QStringView line);

// The values of the page for the given tag names, keyed by tag name. Lines
// end at LF, CRLF or CR; tags compare case-sensitively; when a tag repeats,
// the last line wins; an empty tag name never matches.
QHash<QString, QString> readInfoPage(const QString &page, const QStringList &tags);

// True when `server` is a newer version than `running`. Both are dotted
// numbers compared field by field from the left; a field that is missing or
// does not read as a number counts as 0. Fields of `server` beyond those of
// `running` are not looked at.
bool isNewerVersion(const QString &running, const QString &server);

// True for a version the check accepts from a page: at most
// kMaxVersionLength characters, digits in fields separated by single dots.
constexpr qsizetype kMaxVersionLength = 32;
bool isVersionNumber(const QString &text);

// Text from the network as it may be shown: without control, format
// (bidirectional overrides among them) and line or paragraph separator
// characters, and at most `maxLength` characters, a longer text ending in
// "…".
QString shownText(const QString &text, qsizetype maxLength);

// Reads a date such as "Nov 07, 1999": a three-letter English month at the
// start (any case), the two characters before the first comma as the day,
// the last four characters as the year. A null date when any part is missing
// or the day does not exist.
QDate readInfoDate(const QString &text);

// The name the save dialog proposes for a download address: its last path
// segment, decoded, without query or fragment. Empty when the address names
// no file ("", ".", ".." or a trailing "/"); backslashes become "_".
QString defaultFileName(const QString &address);

} // namespace clvn
