#pragma once

// What a page keeps: one named section of key = text lines, in the order
// the page wrote them. The exit save puts a section into CLVN.INI and a
// scenario file may hold several; the page writes and reads the same lines
// either way. Numbers take the settings file's form, so a file reads the
// same under every locale that wrote it.

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace clvn {

class PageState
{
public:
    using Lines = std::vector<std::pair<QString, QString>>;

    explicit PageState(QString section = {}) : m_section(std::move(section)) {}

    QString section() const { return m_section; }
    const Lines &lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.empty(); }

    // Replaces the key's text or adds the key at the end. Keys match
    // case-insensitively, as in the settings file.
    void set(const QString &key, const QString &text);
    void setNumber(const QString &key, double value);

    bool contains(const QString &key) const;
    // The key's text; empty when the key is missing.
    QString text(const QString &key) const;
    // The key's number; nothing when it is missing or not a number (a
    // whole number for integer()).
    std::optional<double> number(const QString &key) const;
    std::optional<std::int32_t> integer(const QString &key) const;

private:
    // The line of `key`, or lines().end().
    Lines::const_iterator find(const QString &key) const;

    QString m_section;
    Lines m_lines;
};

} // namespace clvn
