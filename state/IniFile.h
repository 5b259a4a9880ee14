#pragma once

// A small INI document that edits CLVN.INI in place. The program owns only
// the keys it sets: every other line (foreign sections and keys, comments,
// blank lines, odd spacing, non-UTF-8 bytes) is kept byte for byte and in
// order, and nothing is ever deleted. Lines keep their own endings (CRLF or
// LF); lines the program adds take the file's first ending, and a new file
// takes the platform's own (CRLF on Windows, LF elsewhere). Section and key
// names match case-insensitively and the first occurrence wins, as with the
// Windows profile functions.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace clvn {

// A save that the platform refused; the text is "Unable to write to <path>".
class SettingsWriteError : public std::runtime_error
{
public:
    explicit SettingsWriteError(const QString &path);
    QString path() const { return m_path; }
    // Where save() writes from now on: the loaded document saved elsewhere.
    void setPath(const QString &path) { m_path = path; }

private:
    QString m_path;
};

class IniFile
{
public:
    IniFile() = default;

    // Reads the file at path, replacing what the document held. A missing
    // file gives an empty document and true; a file that exists but cannot
    // be read gives an empty document and false, and save() then refuses to
    // overwrite it.
    bool load(const QString &path);
    QString path() const { return m_path; }
    // Where save() writes from now on: the loaded document saved elsewhere.
    void setPath(const QString &path) { m_path = path; }

    bool contains(const QString &section, const QString &key) const;
    // The value (trimmed) of the first key in the first matching section.
    QString get(const QString &section, const QString &key,
                const QString &defaultValue = QString()) const;
    // The keys of the first matching section, each once (as first written),
    // in file order.
    QStringList keys(const QString &section) const;
    // Replaces the value in place, or adds the key after the last key of its
    // section, or appends the section (after a blank line) at the end.
    void set(const QString &section, const QString &key, const QString &value);

    // The whole document as it would be written.
    QByteArray toBytes() const;
    // Writes the document to path() atomically through QSaveFile: the old
    // file stays whole on any failure. Throws SettingsWriteError.
    void save() const;

private:
    struct Line
    {
        QByteArray text; // without its ending
        QByteArray eol;  // "\r\n", "\n", or empty for a last line without one
    };
    struct Range
    {
        int header = -1;  // index of the section's header line
        int lastKey = -1; // last key line, or the header when it has none
    };

    Range findSection(const QByteArray &section) const;
    int findKey(const Range &range, const QByteArray &key) const;
    QByteArray newLineEnding() const;
    void insertLine(int at, const QByteArray &text);

    QString m_path;
    QByteArray m_bom;
    std::vector<Line> m_lines;
    bool m_unreadable = false;
};

} // namespace clvn
