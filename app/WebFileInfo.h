#pragma once

// The version information of the maker's web site: fetches the information
// page over HTTPS, reads its tagged values, compares the versions and, with
// the user's consent at every step, downloads the update and hands it to the
// desktop. Every request is bounded in size, redirects and time.

#include <QDate>
#include <QFlags>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QSet>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QElapsedTimer;
class QNetworkAccessManager;
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

// The bounds of every request. Times in milliseconds, sizes in bytes.
struct WebFileLimits
{
    // HTTP redirects and page redirect tags together, per check or download.
    int maxRedirects = 5;
    qint64 maxPageBytes = 256 * 1024;
    qint64 maxDownloadBytes = qint64(256) * 1024 * 1024;
    // A request that receives nothing for this long is given up.
    int silenceMs = 15000;
    // The whole check, redirects included, must end within this.
    int pageDeadlineMs = 30000;
    // The whole download must end within this.
    int downloadDeadlineMs = 30 * 60 * 1000;
};

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
    bool hasNetworkClient() const { return m_network != nullptr; }

    // Fetches the information once per run; later calls reuse it.
    bool GetInfo(QWidget *parent);
    // Whether `server` is newer than CurrentVersion by the configured rule.
    bool isNewer(const QString &server) const;
    // Asks, downloads and offers to install. True when the installer was
    // started and the program should now close.
    bool Update(QWidget *parent);

private:
    enum class Outcome
    {
        Ok,
        Redirect,
        HttpStatus,
        Failed,
        Cancelled
    };
    struct Session;
    using Sink = std::function<bool(const QByteArray &)>;
    using Progress = std::function<void(qint64, qint64)>;

    QNetworkAccessManager *network();
    bool visit(const QUrl &url, Session &session);
    Outcome fetch(QUrl url, Session &session, qint64 cap, const Sink &sink, QDialog *window,
                  const Progress &progress);
    Outcome fetchOnce(const QUrl &url, Session &session, qint64 cap, const Sink &sink,
                      QDialog *window, const Progress &progress, QUrl &redirectTo);
    void readValues(const QString &page);
    bool download(QWidget *parent, const QString &path);
    QString chooseFile(QWidget *parent) const;

    QNetworkAccessManager *m_network = nullptr;
    QList<QSslCertificate> m_trusted;
    int m_state = 0;
    WebFileValues m_values;
    QString m_lastError;
    int m_lastStatus = 0;
    bool m_cancelled = false;
};

// A message box of the update check: plain text (page text is never read as
// markup), the given title, icon and buttons. Texts may break lines with
// "\r", "\r\n" or "\n\r"; the box keeps the text as written in its
// "messageText" property.
QMessageBox::StandardButton updateBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                      const QString &text,
                                      QMessageBox::StandardButtons buttons = QMessageBox::Ok);

} // namespace clvn
