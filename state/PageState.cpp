#include "state/PageState.h"

#include "state/SettingsFile.h"

#include <algorithm>

namespace clvn {

PageState::Lines::const_iterator PageState::find(const QString &key) const
{
    return std::find_if(m_lines.begin(), m_lines.end(), [&key](const auto &line) {
        return line.first.compare(key, Qt::CaseInsensitive) == 0;
    });
}

void PageState::set(const QString &key, const QString &text)
{
    const auto at = find(key);
    if (at == m_lines.end())
        m_lines.emplace_back(key, text);
    else
        m_lines[std::size_t(at - m_lines.begin())].second = text;
}

void PageState::setNumber(const QString &key, double value)
{
    set(key, formatSettingNumber(value));
}

bool PageState::contains(const QString &key) const
{
    return find(key) != m_lines.end();
}

QString PageState::text(const QString &key) const
{
    const auto at = find(key);
    return at == m_lines.end() ? QString() : at->second;
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
