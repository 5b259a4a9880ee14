#pragma once

// The maker's web pages and mail addresses, kept in one place, and the one
// way the program opens them: the desktop's default browser or mail program.

#include <QString>
#include <QUrl>

namespace clvn {

enum class Link
{
    UrlTolvane,
    UrlFreeware,
    UrlSuggest,
    UrlEmailSupport,
    UrlEmailSuggest
};

QUrl linkUrl(Link link);

// The product's version information page, read by the update check.
QUrl updateInfoUrl();

// Opens the link through QDesktopServices; returns false when the desktop
// could not open it (the caller tells the user).
bool openLink(Link link);
bool openUrl(const QUrl &url);

} // namespace clvn
