#include "app/WebFileInfo.h"

#include "app/Links.h"
#include "app/UpdateInfo.h"
#include "app/WebDialogs.h"
#include "widgets/Identity.h"

#include <QDesktopServices>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace clvn {

QStringList InfoTags::all() const
{
    return {AuthorTag, AuthorEMailTag, DateTag,      DownloadTag, ProductNameTag,
            ReadMeTag, RedirectTag,    RunParamsTag, VersionTag,  ReadMeFileTag};
}

TWebFileInfo::TWebFileInfo(QObject *parent)
    : QObject(parent), CurrentVersion(productVersion()), HomeURL(updateInfoUrl()),
      openFile([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      m_transport(new TWebTransport(this))
{
    setObjectName(u"WebFileInfo"_s);
}

TWebFileInfo::~TWebFileInfo() = default;

void TWebFileInfo::setTrustedCertificates(const QList<QSslCertificate> &certificates)
{
    m_transport->setTrustedCertificates(certificates);
}

TWebTransport *TWebFileInfo::transport()
{
    // The configuration may change until the first request; the client is
    // made then and kept.
    if (proxyHost.isEmpty())
        m_transport->proxy = QNetworkProxy(QNetworkProxy::NoProxy);
    else
        m_transport->proxy = QNetworkProxy(QNetworkProxy::HttpProxy, proxyHost,
                                           quint16(qBound(1, proxyPort, 65535)));
    m_transport->userAgent = productName() + u'/' + CurrentVersion;
    return m_transport;
}

bool TWebFileInfo::isNewer(const QString &server) const
{
    if (versionCompareMode == 1)
        return QString::compare(server, CurrentVersion) > 0;
    return isNewerVersion(CurrentVersion, server);
}

void TWebFileInfo::readValues(const QString &page)
{
    const InfoTags &t = InfoTagNames;
    const QHash<QString, QString> v = readInfoPage(page, t.all());
    auto value = [&v](const QString &tag) { return tag.isEmpty() ? QString() : v.value(tag); };
    m_values.author = value(t.AuthorTag);
    m_values.email = value(t.AuthorEMailTag);
    m_values.productName = value(t.ProductNameTag);
    m_values.dateText = value(t.DateTag);
    m_values.date = readInfoDate(m_values.dateText);
    m_values.downloadUrl = value(t.DownloadTag);
    m_values.readMe = value(t.ReadMeTag);
    m_values.readMeFileUrl = value(t.ReadMeFileTag);
    m_values.version = value(t.VersionTag);
    m_values.redirect = value(t.RedirectTag);
    m_values.runParams = value(t.RunParamsTag);
    m_values.defaultFileName = defaultFileName(m_values.downloadUrl);
}

bool TWebFileInfo::GetInfo(QWidget *parent)
{
    if (m_state == 1)
        return true;
    if (HomeURL.isEmpty()) {
        updateBox(parent, QMessageBox::Warning, u"Missing Home URL"_s,
                  u"Can not retrieve version information\rbecause no home url was provided."_s);
        return false;
    }
    const QStringList tags = InfoTagNames.all();
    if (std::all_of(tags.begin(), tags.end(), [](const QString &t) { return t.isEmpty(); })) {
        updateBox(parent, QMessageBox::Warning, u"Missing Tag Information"_s,
                  u"Can not retrieve version information\rbecause no tag information was "
                  u"provided."_s);
        return false;
    }

    m_lastError.clear();
    m_lastStatus = 0;
    m_cancelled = false;
    m_values = {};
    TWebTransport::Session session(limits, limits.pageDeadlineMs);
    ScopedWindow wait(Options.testFlag(wfioDisplayUI) ? new TfrmWait(parent) : nullptr);

    QUrl url = HomeURL;
    for (;;) {
        QByteArray body;
        TWebTransport::Body into;
        into.cap = limits.maxPageBytes;
        into.sink = [&body](const QByteArray &chunk) {
            body += chunk;
            return true;
        };
        const TWebTransport::Outcome outcome = transport()->get(url, session, into, wait.get());
        m_lastError = m_transport->error();
        m_lastStatus = m_transport->status();
        m_values = {};
        if (outcome == TWebTransport::Outcome::Cancelled) {
            m_cancelled = true;
            return false;
        }
        if (outcome == TWebTransport::Outcome::HttpStatus) {
            wait.close();
            updateBox(parent, QMessageBox::Information, productName(),
                      QString::number(m_lastStatus));
            return false;
        }
        if (outcome != TWebTransport::Outcome::Ok) {
            wait.close();
            updateBox(parent, QMessageBox::Warning, u"Exception"_s,
                      u"Error retrieving update information.\rException: "_s + m_lastError + u'.');
            return false;
        }
        readValues(QString::fromUtf8(body));
        if (m_values.redirect.isEmpty())
            break;
        url = url.resolved(QUrl(m_values.redirect));
    }
    // No version means nothing newer; anything but a plain version number
    // is not one to offer.
    if (!m_values.version.isEmpty() && !isVersionNumber(m_values.version)) {
        m_values = {};
        m_lastError = u"The update page gave an invalid version"_s;
        return false;
    }
    m_state = 1;
    return true;
}

} // namespace clvn
