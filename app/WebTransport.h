#pragma once

// The network side of the update check: bounded HTTPS GET requests. Only
// https addresses are fetched; redirects are followed by hand, at most a set
// number per check and never to an address already visited; every answer is
// bounded in size, in silence and in total time.

#include <QElapsedTimer>
#include <QList>
#include <QNetworkProxy>
#include <QObject>
#include <QSet>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QNetworkAccessManager;
class QNetworkReply;

namespace clvn {

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

class TWebTransport : public QObject
{
public:
    enum class Outcome
    {
        Ok,
        HttpStatus,
        Failed,
        Cancelled
    };

    // One check or one download: the addresses it visited, its redirects and
    // its clock.
    struct Session
    {
        Session(const WebFileLimits &bounds, int deadline) : limits(bounds), deadlineMs(deadline)
        {
            started.start();
        }
        WebFileLimits limits;
        int deadlineMs;
        int redirects = 0;
        QSet<QString> visited;
        QElapsedTimer started;
    };

    // Where an answer's body goes, and how much of it is accepted.
    struct Body
    {
        qint64 cap = 0;
        // Takes each piece of the body; false stops the request.
        std::function<bool(const QByteArray &)> sink;
        // Bytes received and announced (-1 when unknown).
        std::function<void(qint64, qint64)> progress;
        // Accept the body only when its end is proven by its framing: a
        // length that was met, the last chunk, or an HTTP/2 stream's end.
        bool wholeOnly = false;
    };

    explicit TWebTransport(QObject *parent = nullptr);

    // Read when the network client is made, on first use.
    QNetworkProxy proxy = QNetworkProxy(QNetworkProxy::NoProxy);
    QString userAgent;

    // Certificates trusted instead of the system's (empty: the system's).
    void setTrustedCertificates(const QList<QSslCertificate> &certificates);
    bool hasClient() const { return m_client != nullptr; }

    // GETs `url` within the session's bounds, following HTTP redirects.
    // `window`, when given, cancels the request when it is rejected.
    Outcome get(QUrl url, Session &session, const Body &body, QDialog *window);

    // Why the last request failed; empty after success.
    QString error() const { return m_error; }
    // The HTTP status of the last answer that was not a success or redirect.
    int status() const { return m_status; }

private:
    bool visit(const QUrl &url, Session &session);
    bool provenWhole(const QNetworkReply &reply, qint64 received);
    Outcome getOnce(const QUrl &url, Session &session, const Body &body, QDialog *window,
                    QUrl &redirectTo);
    QNetworkAccessManager *client();

    QNetworkAccessManager *m_client = nullptr;
    QList<QSslCertificate> m_trusted;
    QString m_error;
    int m_status = 0;
};

} // namespace clvn
