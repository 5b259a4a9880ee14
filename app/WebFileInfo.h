#pragma once

// The version information of the maker's web site: fetches the information
// page over HTTPS, reads its tagged values, compares the versions and, with
// the user's consent at every step, downloads the update and hands it to the
// desktop. Every request is bounded in size, redirects and time
// (TWebTransport); the update procedure itself is in WebUpdate.cpp.

#include "app/WebTransport.h"

#include <QDate>
#include <QFlags>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace clvn {

enum WebFileOption
{
    wfioAlwaysOverwrite = 0x01,
    wfioDisplayUI = 0x02,
    wfioDisplayReadMe = 0x04,
    wfioRunUpdate = 0x08,
    wfioExitDuringUpdate = 0x10,
};
Q_DECLARE_FLAGS(WebFileOptions, WebFileOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(WebFileOptions)

// The names looked for in the page's META lines.
struct InfoTags
{
    QString AuthorTag = QStringLiteral("author");
    QString AuthorEMailTag = QStringLiteral("email");
    QString DateTag = QStringLiteral("date");
    QString DownloadTag = QStringLiteral("url");
    QString ProductNameTag = QStringLiteral("name");
    QString ReadMeTag = QStringLiteral("readme");
    QString RedirectTag = QStringLiteral("redirect");
    QString RunParamsTag = QStringLiteral("runparams");
    QString VersionTag = QStringLiteral("version");
    // The address of a read-me file; left empty, so it is never read.
    QString ReadMeFileTag;

    QStringList all() const;
};

// The values read from the page.
struct WebFileValues
{
    QString author;
    QString email;
    QString productName;
    QString dateText;
    QDate date;
    QString downloadUrl;
    QString readMe;
    QString readMeFileUrl;
    QString version;
    QString redirect;
    // Read for completeness; never passed to anything.
    QString runParams;
    QString defaultFileName;
};

class TWebFileInfo : public QObject
{
    Q_OBJECT

public:
    explicit TWebFileInfo(QObject *parent = nullptr);
    ~TWebFileInfo() override;

    // Configuration.
    QString CurrentVersion;
    QUrl HomeURL;
    // Empty host: requests go direct.
    QString proxyHost;
    int proxyPort = 80;
    InfoTags InfoTagNames;
    WebFileOptions Options =
        wfioDisplayUI | wfioDisplayReadMe | wfioRunUpdate | wfioExitDuringUpdate;
    // 0: dotted numbers; 1: plain text.
    int versionCompareMode = 0;
    WebFileLimits limits;
    // Opens the downloaded file with the desktop's handler.
    std::function<bool(const QUrl &)> openFile;

    // Certificates trusted instead of the system's (empty: the system's).
    // A new setting takes effect with a new network client.
    void setTrustedCertificates(const QList<QSslCertificate> &certificates);

    // 0: nothing fetched yet; 1: information fetched.
    int state() const { return m_state; }
    const WebFileValues &values() const { return m_values; }
    QString lastError() const { return m_lastError; }
    // True when the last request ended because the user cancelled it.
    bool lastRequestCancelled() const { return m_cancelled; }
    bool hasNetworkClient() const { return m_transport->hasClient(); }

    // Fetches the information once per run; later calls reuse it.
    bool GetInfo(QWidget *parent);
    // Whether `server` is newer than CurrentVersion by the configured rule.
    bool isNewer(const QString &server) const;
    // Asks, downloads and offers to install. True when the installer was
    // started and the program should now close.
    bool Update(QWidget *parent);

private:
    TWebTransport *transport();
    void readValues(const QString &page);
    bool download(QWidget *parent, const QString &path);

    TWebTransport *m_transport;
    int m_state = 0;
    WebFileValues m_values;
    QString m_lastError;
    int m_lastStatus = 0;
    bool m_cancelled = false;
};

} // namespace clvn
