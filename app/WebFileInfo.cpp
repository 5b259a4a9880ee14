#include "app/WebFileInfo.h"

#include "app/Centre.h"
#include "app/Links.h"
#include "app/UpdateInfo.h"
#include "widgets/Identity.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSslConfiguration>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 6);
}

QString kibibytes(qint64 bytes)
{
    return QString::number(bytes / 1024) + u" KiB"_s;
}

bool isRedirectStatus(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// "Please Wait": shown while the information page is fetched; Esc cancels.
class TfrmWait : public QDialog
{
public:
    explicit TfrmWait(QWidget *parent) : QDialog(parent)
    {
        setObjectName(u"frmWait"_s);
        setWindowTitle(u"Please Wait"_s);
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setFixedSize(240, 100);
        setCursor(Qt::WaitCursor);
        auto *label = new QLabel(u"Checking For Update..."_s, this);
        label->setObjectName(u"lblWait"_s);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(0, 0, 240, 100);
        const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->geometry();
            move(area.left() + (area.width() - width()) / 2,
                 area.top() + (area.height() - height()) / 2);
        }
    }
};

// "Download Progress": shown while the update downloads; Cancel stops it.
class TWebDlProgress : public QDialog
{
public:
    explicit TWebDlProgress(QWidget *parent) : QDialog(parent)
    {
        setObjectName(u"WebDlProgress"_s);
        setWindowTitle(u"Download Progress"_s);
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setFixedSize(300, 110);
        auto *label = new QLabel(u"Downloading Update"_s, this);
        label->setObjectName(u"lblDownloading"_s);
        label->setGeometry(12, 10, 276, 18);
        bar = new QProgressBar(this);
        bar->setObjectName(u"pbDownload"_s);
        bar->setGeometry(12, 34, 276, 20);
        bar->setRange(0, 0);
        auto *cancel = new QPushButton(u"&Cancel"_s, this);
        cancel->setObjectName(u"btnCancel"_s);
        cancel->setGeometry(110, 68, 80, 28);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

    void progress(qint64 received, qint64 total)
    {
        if (total > 0) {
            bar->setRange(0, 1000);
            bar->setValue(int(std::clamp<qint64>(received * 1000 / total, 0, 1000)));
        }
    }

    QProgressBar *bar;
};

// "Read Me": the read-me text of the page, as plain text.
void showReadMe(QWidget *parent, const QString &text)
{
    QDialog window(parent);
    window.setObjectName(u"frmReadMe"_s);
    window.setWindowTitle(u"Read Me"_s);
    window.resize(420, 320);
    auto *layout = new QVBoxLayout(&window);
    auto *memo = new QPlainTextEdit(&window);
    memo->setObjectName(u"memReadMe"_s);
    memo->setReadOnly(true);
    memo->setPlainText(text);
    layout->addWidget(memo);
    auto *ok = new QPushButton(u" &OK"_s, &window);
    ok->setObjectName(u"btnOK"_s);
    QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    execCentred(window, parent);
}

struct ScopedWindow
{
    explicit ScopedWindow(QDialog *w) : window(w)
    {
        if (window) {
            window->setWindowModality(Qt::ApplicationModal);
            window->show();
        }
    }
    ~ScopedWindow() { close(); }
    void close()
    {
        if (window) {
            window->hide();
            window.reset();
        }
    }
    std::unique_ptr<QDialog> window;
};

} // namespace

QMessageBox::StandardButton updateBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                      const QString &text, QMessageBox::StandardButtons buttons)
{
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s).replace(u"\n\r"_s, u"\n"_s).replace(u'\r', u'\n');
    QMessageBox box(icon, title, shown, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setProperty("messageText", text);
    return QMessageBox::StandardButton(box.exec());
}

QStringList InfoTags::all() const
{
    return {AuthorTag, AuthorEMailTag, DateTag,      DownloadTag, ProductNameTag,
            ReadMeTag, RedirectTag,    RunParamsTag, VersionTag,  ReadMeFileTag};
}

struct TWebFileInfo::Session
{
    int redirects = 0;
    QSet<QString> visited;
    QElapsedTimer started;
    int deadlineMs = 0;
};

TWebFileInfo::TWebFileInfo(QObject *parent)
    : QObject(parent), CurrentVersion(productVersion()), HomeURL(updateInfoUrl()),
      openFile([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(u"WebFileInfo"_s);
}

TWebFileInfo::~TWebFileInfo() = default;

void TWebFileInfo::setTrustedCertificates(const QList<QSslCertificate> &certificates)
{
    m_trusted = certificates;
    // A client keeps its connections and TLS sessions: start a fresh one.
    delete m_network;
    m_network = nullptr;
}

QNetworkAccessManager *TWebFileInfo::network()
{
    if (!m_network) {
        m_network = new QNetworkAccessManager(this);
        m_network->setObjectName(u"WebFileInfoNetwork"_s);
        if (proxyHost.isEmpty())
            m_network->setProxy(QNetworkProxy::NoProxy);
        else
            m_network->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxyHost,
                                              quint16(qBound(1, proxyPort, 65535))));
    }
    return m_network;
}

bool TWebFileInfo::isNewer(const QString &server) const
{
    if (versionCompareMode == 1)
        return QString::compare(server, CurrentVersion) > 0;
    return isNewerVersion(CurrentVersion, server);
}

bool TWebFileInfo::visit(const QUrl &url, Session &session)
{
    if (!url.isValid() || url.scheme().compare(u"https"_s, Qt::CaseInsensitive) != 0 ||
        url.host().isEmpty()) {
        m_lastError = u"Only https addresses are fetched, not "_s + url.toString();
        return false;
    }
    const QString key = url.adjusted(QUrl::NormalizePathSegments | QUrl::RemoveFragment)
                            .toString(QUrl::FullyEncoded);
    if (session.visited.contains(key)) {
        m_lastError = u"Redirect loop: "_s + url.toString() + u" was already visited"_s;
        return false;
    }
    if (!session.visited.isEmpty() && ++session.redirects > limits.maxRedirects) {
        m_lastError = u"More than "_s + QString::number(limits.maxRedirects) + u" redirects"_s;
        return false;
    }
    session.visited.insert(key);
    return true;
}

TWebFileInfo::Outcome TWebFileInfo::fetch(QUrl url, Session &session, qint64 cap, const Sink &sink,
                                          QDialog *window, const Progress &progress)
{
    for (;;) {
        if (!visit(url, session))
            return Outcome::Failed;
        QUrl next;
        const Outcome outcome = fetchOnce(url, session, cap, sink, window, progress, next);
        if (outcome != Outcome::Redirect)
            return outcome;
        url = next;
    }
}

TWebFileInfo::Outcome TWebFileInfo::fetchOnce(const QUrl &url, Session &session, qint64 cap,
                                              const Sink &sink, QDialog *window,
                                              const Progress &progress, QUrl &redirectTo)
{
    const int remaining = session.deadlineMs - int(session.started.elapsed());
    if (remaining <= 0) {
        m_lastError = u"No complete answer within "_s + seconds(session.deadlineMs) + u" s"_s;
        return Outcome::Failed;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString(productName() + u'/' + CurrentVersion));
    if (!m_trusted.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(m_trusted);
        request.setSslConfiguration(tls);
    }

    // Everything below is tied to `hop`, so no connection outlives this call.
    QObject hop;
    std::unique_ptr<QNetworkReply> reply(network()->get(request));
    QEventLoop loop;
    QString abortReason;
    bool cancelled = false;
    qint64 received = 0;
    int status = 0;

    auto abortWith = [&](const QString &reason) {
        if (abortReason.isEmpty() && !cancelled)
            abortReason = reason;
        reply->abort();
    };
    QTimer silence;
    silence.setSingleShot(true);
    QObject::connect(&silence, &QTimer::timeout, &hop, [&] {
        abortWith(u"No answer from the server for "_s + seconds(limits.silenceMs) + u" s"_s);
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &hop, [&] {
        abortWith(u"No complete answer within "_s + seconds(session.deadlineMs) + u" s"_s);
    });
    silence.start(limits.silenceMs);
    deadline.start(remaining);

    auto consume = [&] {
        const QByteArray chunk = reply->readAll();
        if (chunk.isEmpty() || isRedirectStatus(status) || !abortReason.isEmpty())
            return;
        received += chunk.size();
        if (received > cap) {
            abortWith(u"The answer is larger than "_s + kibibytes(cap));
            return;
        }
        if (!sink(chunk))
            abortWith(u"The file could not be written"_s);
    };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &hop, [&] {
        silence.start(limits.silenceMs);
        status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (!isRedirectStatus(status) && length.isValid() && length.toLongLong() > cap)
            abortWith(u"The answer is larger than "_s + kibibytes(cap));
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &hop, [&] {
        silence.start(limits.silenceMs);
        consume();
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &hop,
                     [&](qint64 done, qint64 total) {
                         silence.start(limits.silenceMs);
                         if (progress && !isRedirectStatus(status))
                             progress(done, total);
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
    if (!cancelled && abortReason.isEmpty())
        consume();

    if (cancelled) {
        m_cancelled = true;
        m_lastError = u"Cancelled"_s;
        return Outcome::Cancelled;
    }
    if (!abortReason.isEmpty()) {
        m_lastError = abortReason;
        return Outcome::Failed;
    }
    status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (isRedirectStatus(status)) {
        const QUrl location = QUrl::fromEncoded(reply->rawHeader("Location").trimmed());
        if (location.isEmpty()) {
            m_lastError = u"A redirect without an address"_s;
            return Outcome::Failed;
        }
        redirectTo = url.resolved(location);
        return Outcome::Redirect;
    }
    if (status > 0 && status != 200) {
        m_lastStatus = status;
        const QString reason =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        m_lastError = reason.isEmpty() ? u"HTTP status "_s + QString::number(status) : reason;
        return Outcome::HttpStatus;
    }
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        m_lastError = reply->errorString();
        return Outcome::Failed;
    }
    return Outcome::Ok;
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
    Session session;
    session.deadlineMs = limits.pageDeadlineMs;
    session.started.start();
    ScopedWindow wait(Options.testFlag(wfioDisplayUI) ? new TfrmWait(parent) : nullptr);

    QUrl url = HomeURL;
    for (;;) {
        QByteArray body;
        const Outcome outcome = fetch(url, session, limits.maxPageBytes,
                                      [&body](const QByteArray &chunk) {
                                          body += chunk;
                                          return true;
                                      },
                                      wait.window.get(), {});
        m_values = {};
        if (outcome == Outcome::Cancelled)
            return false;
        if (outcome == Outcome::HttpStatus) {
            wait.close();
            updateBox(parent, QMessageBox::Information, productName(),
                      QString::number(m_lastStatus));
            return false;
        }
        if (outcome != Outcome::Ok) {
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
    if (m_values.version.isEmpty()) {
        // A page without a version is not an answer to the question asked.
        m_values = {};
        m_lastError = u"The update page gave no version"_s;
        return false;
    }
    m_state = 1;
    return true;
}

QString TWebFileInfo::chooseFile(QWidget *parent) const
{
    const QStringList filters = {u"Application (*.EXE *.exe)"_s, u"Zipped File (*.ZIP *.zip)"_s,
                                 u"All Files (*)"_s};
    QFileDialog dialog(parent);
    dialog.setObjectName(u"SaveDialog1"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (!m_values.defaultFileName.isEmpty())
        dialog.selectFile(m_values.defaultFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty()) {
        const qsizetype filter = filters.indexOf(dialog.selectedNameFilter());
        if (filter == 0)
            path += u".EXE"_s;
        else if (filter == 1)
            path += u".ZIP"_s;
    }
    return path;
}

bool TWebFileInfo::download(QWidget *parent, const QString &path)
{
    m_lastError.clear();
    m_lastStatus = 0;
    m_cancelled = false;
    if (m_values.downloadUrl.isEmpty()) {
        m_lastError = u"The update page gave no download address"_s;
        return false;
    }
    if (QFileInfo::exists(path) && !Options.testFlag(wfioAlwaysOverwrite) &&
        !Options.testFlag(wfioDisplayUI)) {
        if (updateBox(parent, QMessageBox::Question, u"File Exists"_s,
                      u"The file "_s + path + u" already exists.\rDo you want to overwrite it?"_s,
                      QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            m_cancelled = true;
            return false;
        }
    }
    // Written beside the target and renamed into place only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_lastError = file.errorString();
        return false;
    }
    Session session;
    session.deadlineMs = limits.downloadDeadlineMs;
    session.started.start();
    auto *progressWindow = Options.testFlag(wfioDisplayUI) ? new TWebDlProgress(parent) : nullptr;
    ScopedWindow shown(progressWindow);
    const Outcome outcome = fetch(
        QUrl(m_values.downloadUrl), session, limits.maxDownloadBytes,
        [&file](const QByteArray &chunk) { return file.write(chunk) == chunk.size(); },
        progressWindow,
        [progressWindow](qint64 done, qint64 total) {
            if (progressWindow)
                progressWindow->progress(done, total);
        });
    shown.close();
    if (outcome != Outcome::Ok) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        m_lastError = file.errorString();
        return false;
    }
    return true;
}

bool TWebFileInfo::Update(QWidget *parent)
{
    if (!GetInfo(parent)) {
        const QString error = m_lastError.isEmpty()
                                  ? u"Could not retrieve version information from the Internet."
                                    u"\rError unknown."_s
                                  : u"Could not retrieve version information from the Internet."
                                    u"\rError: \""_s +
                                        m_lastError + u".\""_s;
        updateBox(parent, QMessageBox::Warning, u"Connection Error"_s, error);
        return false;
    }
    if (!isNewer(m_values.version)) {
        updateBox(parent, QMessageBox::Information, u"No Update Found"_s,
                  u"There is no update available."_s);
        return false;
    }
    const QString available = u"Current version is "_s + CurrentVersion + u".\rVersion "_s +
                              m_values.version + u" is available."_s;
    if (Options.testFlag(wfioDisplayReadMe) &&
        updateBox(parent, QMessageBox::Question, u"Update Available"_s,
                  available + u"\rWould you like to view the ReadMe file?"_s,
                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        // The read-me file tag is empty, so only the page's text is shown.
        if (!m_values.readMe.isEmpty())
            showReadMe(parent, m_values.readMe);
    }
    if (updateBox(parent, QMessageBox::Question, u"Update Available"_s,
                  available + u"\rDownload the update?"_s,
                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    const QString path = chooseFile(parent);
    if (path.isEmpty())
        return false;
    if (!download(parent, path)) {
        if (m_cancelled)
            return false;
        const QString error =
            m_lastError.isEmpty()
                ? u"Error occurred while downloading update.\rError unknown."_s
                : u"Error occurred while downloading update.\rError: \""_s + m_lastError + u".\""_s;
        updateBox(parent, QMessageBox::Warning, u"Download Error"_s, error);
        return false;
    }
    if (!Options.testFlag(wfioRunUpdate))
        return false;
    const bool exitAfter = Options.testFlag(wfioExitDuringUpdate);
    const QString question =
        exitAfter
            ? u"Do you want to install the update now?\rThis will close "_s + productName() + u'.'
            : u"Do you want to install the update now?"_s;
    if (updateBox(parent, QMessageBox::Question, u"Install Update"_s, question,
                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    // Opened by the desktop's handler for its type; the page's run
    // parameters are never passed on.
    if (!openFile || !openFile(QUrl::fromLocalFile(path))) {
        updateBox(parent, QMessageBox::Critical, u"Error"_s, u"Can not start program."_s);
        return false;
    }
    return exitAfter;
}

} // namespace clvn
