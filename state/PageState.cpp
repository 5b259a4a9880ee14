#include "state/PageState.h"

#include "state/SettingsFile.h"

#include <algorithm>

namespace clvn {

const std::pair<QString, QString> *PageState::find(const QString &key) const
{
    const auto at = std::find_if(m_lines.begin(), m_lines.end(), [&key](const auto &line) {
        return line.first.compare(key, Qt::CaseInsensitive) == 0;
    });
    return at == m_lines.end() ? nullptr : &*at;
}

void PageState::set(const QString &key, const QString &text)
{
    if (auto *line = const_cast<std::pair<QString, QString> *>(find(key)))
        line->second = text;
    else
        m_lines.emplace_back(key, text);
}

void PageState::setNumber(const QString &key, double value)
{
    set(key, formatSettingNumber(value));
}

void PageState::remove(const QString &key)
{
    std::erase_if(m_lines, [&key](const auto &line) {
        return line.first.compare(key, Qt::CaseInsensitive) == 0;
    });
}

bool PageState::contains(const QString &key) const
{
    return find(key) != nullptr;
}

QString PageState::text(const QString &key) const
{
    const auto *line = find(key);
    return line ? line->second : QString();
}

std::optional<double> PageState::number(const QString &key) const
{
    return parseSettingNumber(text(key));
}

std::optional<std::int32_t> PageState::integer(const QString &key) const
{
    return parseSettingInteger(text(key));
}

} // namespace clvn
