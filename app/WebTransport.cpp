#include "app/WebTransport.h"

#include <QDialog>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 6);
}

// A size as people read it: whole mebibytes as MiB, else KiB.
QString sizeText(qint64 bytes)
{
    constexpr qint64 mebibyte = 1024 * 1024;
    if (bytes >= mebibyte && bytes % mebibyte == 0)
        return QString::number(bytes / mebibyte) + u" MiB"_s;
    return QString::number(bytes / 1024) + u" KiB"_s;
}

bool isRedirectStatus(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

TWebTransport::TWebTransport(QObject *parent) : QObject(parent)
{
    setObjectName(u"WebTransport"_s);
}

void TWebTransport::setTrustedCertificates(const QList<QSslCertificate> &certificates)
{
    m_trusted = certificates;
    // A client keeps its connections and TLS sessions: start a fresh one.
    delete m_client;
    m_client = nullptr;
}

QNetworkAccessManager *TWebTransport::client()
{
    if (!m_client) {
        m_client = new QNetworkAccessManager(this);
        m_client->setObjectName(u"WebFileInfoNetwork"_s);
        m_client->setProxy(proxy);
    }
    return m_client;
}

bool TWebTransport::visit(const QUrl &url, Session &session)
{
    if (!url.isValid() || url.scheme().compare(u"https"_s, Qt::CaseInsensitive) != 0 ||
        url.host().isEmpty()) {
        m_error = u"Only https addresses are fetched, not "_s + url.toString();
        return false;
    }
    const QString key = url.adjusted(QUrl::NormalizePathSegments | QUrl::RemoveFragment)
                            .toString(QUrl::FullyEncoded);
    if (session.visited.contains(key)) {
        m_error = u"Redirect loop: "_s + url.toString() + u" was already visited"_s;
        return false;
    }
    if (!session.visited.isEmpty() && ++session.redirects > session.limits.maxRedirects) {
        m_error = u"More than "_s + QString::number(session.limits.maxRedirects) + u" redirects"_s;
        return false;
    }
    session.visited.insert(key);
    return true;
}

bool TWebTransport::provenWhole(const QNetworkReply &reply, qint64 received)
{
    // HTTP/2 ends every stream explicitly; a cut one is an error.
    if (reply.attribute(QNetworkRequest::Http2WasUsedAttribute).toBool())
        return true;
    // A cut chunked body is an error too: it lacks its last chunk.
    if (reply.rawHeader("Transfer-Encoding").toLower().contains("chunked"))
        return true;
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    if (!length.isValid()) {
        // Its end is the connection's end, which anyone on the way can fake.
        m_error = u"The server did not say how large the file is, so it may be incomplete"_s;
        return false;
    }
    // The announced length counts packed bytes; Qt checks those itself.
    const QByteArray encoding = reply.rawHeader("Content-Encoding").trimmed().toLower();
    if ((encoding.isEmpty() || encoding == "identity") && received != length.toLongLong()) {
        m_error = u"Only "_s + QString::number(received) + u" of "_s +
                  QString::number(length.toLongLong()) + u" bytes arrived"_s;
        return false;
    }
    return true;
}

TWebTransport::Outcome TWebTransport::get(QUrl url, Session &session, const Body &body,
                                          QDialog *window)
{
    m_error.clear();
    m_status = 0;
    for (;;) {
        if (!visit(url, session))
            return Outcome::Failed;
        QUrl next;
        const Outcome outcome = getOnce(url, session, body, window, next);
        if (outcome != Outcome::Ok || next.isEmpty())
            return outcome;
        url = next;
    }
}

TWebTransport::Outcome TWebTransport::getOnce(const QUrl &url, Session &session, const Body &body,
                                              QDialog *window, QUrl &redirectTo)
{
    const int silenceMs = session.limits.silenceMs;
    const int remaining = session.deadlineMs - int(session.started.elapsed());
    if (remaining <= 0) {
        m_error = u"No complete answer within "_s + seconds(session.deadlineMs) + u" s"_s;
        return Outcome::Failed;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    // Qt refuses a packed answer that unpacks to many times its size once it
    // passes this; never later than the cap, so such an answer is refused
    // for what it is and not cut at the cap by chance of packet sizes.
    request.setDecompressedSafetyCheckThreshold(std::min<qint64>(body.cap, 10 * 1024 * 1024));
    if (!m_trusted.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(m_trusted);
        request.setSslConfiguration(tls);
    }

    // Everything below is tied to `hop`, so no connection outlives this call.
    QObject hop;
    std::unique_ptr<QNetworkReply> reply(client()->get(request));
    QEventLoop loop;
    QString abortReason;
    bool cancelled = false;
    qint64 received = 0;
    int status = 0;
    // A redirect's body is never read: the request ends at its headers.
    QUrl location;

    auto abortWith = [&](const QString &reason) {
        if (abortReason.isEmpty() && !cancelled)
            abortReason = reason;
        reply->abort();
    };
    // Precise: a coarse timer may end the wait up to 5 % early.
    QTimer silence;
    silence.setSingleShot(true);
    silence.setTimerType(Qt::PreciseTimer);
    QObject::connect(&silence, &QTimer::timeout, &hop, [&] {
        abortWith(u"No answer from the server for "_s + seconds(silenceMs) + u" s"_s);
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &hop, [&] {
        abortWith(u"No complete answer within "_s + seconds(session.deadlineMs) + u" s"_s);
    });
    silence.start(silenceMs);
    deadline.start(remaining);

    auto consume = [&] {
        const QByteArray chunk = reply->readAll();
        if (chunk.isEmpty() || !location.isEmpty() || !abortReason.isEmpty())
            return;
        received += chunk.size();
        if (received > body.cap) {
            abortWith(u"The answer is larger than "_s + sizeText(body.cap));
            return;
        }
        if (!body.sink(chunk))
            abortWith(u"The file could not be written"_s);
    };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &hop, [&] {
        silence.start(silenceMs);
        status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (isRedirectStatus(status)) {
            location = QUrl::fromEncoded(reply->rawHeader("Location").trimmed());
            if (location.isEmpty())
                abortWith(u"A redirect without an address"_s);
            else
                reply->abort();
            return;
        }
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > body.cap)
            abortWith(u"The answer is larger than "_s + sizeText(body.cap));
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &hop, [&] {
        silence.start(silenceMs);
        consume();
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &hop,
                     [&](qint64 done, qint64 total) {
                         silence.start(silenceMs);
                         if (body.progress && !isRedirectStatus(status))
                             body.progress(done, total);
                     });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (window) {
        QObject::connect(window, &QDialog::rejected, &hop, [&] {
            cancelled = true;
            reply->abort();
        });
    }
    if (!reply->isFinished())
        loop.exec();
    if (!cancelled && abortReason.isEmpty() && location.isEmpty())
        consume();

    if (cancelled) {
        m_error = u"Cancelled"_s;
        return Outcome::Cancelled;
    }
    if (!abortReason.isEmpty()) {
        m_error = abortReason;
        return Outcome::Failed;
    }
    if (!location.isEmpty()) {
        redirectTo = url.resolved(location);
        return Outcome::Ok;
    }
    status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status > 0 && status != 200) {
        m_status = status;
        const QString reason =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        m_error = reason.isEmpty() ? u"HTTP status "_s + QString::number(status) : reason;
        return Outcome::HttpStatus;
    }
    if (reply->error() == QNetworkReply::UnknownContentError &&
        !reply->rawHeader("Content-Encoding").isEmpty()) {
        // Qt refuses an answer that unpacks far beyond its packed size, or
        // that does not unpack, without giving either reason.
        m_error = u"The answer could not be unpacked: it is too large or damaged"_s;
        return Outcome::Failed;
    }
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        m_error = reply->errorString();
        return Outcome::Failed;
    }
    if (body.wholeOnly && !provenWhole(*reply, received))
        return Outcome::Failed;
    return Outcome::Ok;
}

} // namespace clvn
