#include "app/Links.h"

#include <QDesktopServices>

namespace clvn {

QUrl linkUrl(Link link)
{
    switch (link) {
    case Link::UrlTolvane:
        return QUrl(QStringLiteral("https://www.tolvane.com/"));
    case Link::UrlFreeware:
        return QUrl(QStringLiteral("https://www.tolvane.com/freeware/"));
    case Link::UrlSuggest:
        return QUrl(QStringLiteral("https://www.tolvane.com/suggestions/"));
    case Link::UrlEmailSupport:
        return QUrl(QStringLiteral("mailto:support@tolvane.com?subject=Calvenor%201.0.04"));
    case Link::UrlEmailSuggest:
        return QUrl(QStringLiteral("mailto:suggestions@tolvane.com?subject=Calvenor%20suggestion"));
    }
    return {};
}

QUrl updateInfoUrl()
{
    return QUrl(QStringLiteral("https://www.tolvane.com/calvenor/version.htm"));
}

bool openLink(Link link)
{
    return openUrl(linkUrl(link));
}

bool openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace clvn
