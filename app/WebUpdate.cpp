// The update procedure of TWebFileInfo: the questions, the save dialog, the
// download into a file that appears only when complete, and the installer.

#include "app/ReadMe.h"
#include "app/UpdateFileChooser.h"
#include "app/UpdateInfo.h"
#include "app/WebDialogs.h"
#include "app/WebFileInfo.h"
#include "widgets/Identity.h"

#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

// The read-me is one line of the page; this much of it is worth reading.
constexpr qsizetype kMaxReadMeLength = 4000;

} // namespace

bool TWebFileInfo::download(QWidget *parent, const QString &path)
{
    m_lastError.clear();
    m_lastStatus = 0;
    m_cancelled = false;
    if (m_values.downloadUrl.isEmpty()) {
        m_lastError = u"The update page gave no download address"_s;
        return false;
    }
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        // A device, pipe or folder: writing there is never saving a file.
        m_lastError = path + u" is not a regular file"_s;
        return false;
    }
    if (target.exists() && !Options.testFlag(wfioAlwaysOverwrite) &&
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
    TWebTransport::Session session(limits, limits.downloadDeadlineMs);
    auto *progressWindow = Options.testFlag(wfioDisplayUI) ? new TWebDlProgress(parent) : nullptr;
    ScopedWindow shown(progressWindow);
    TWebTransport::Body into;
    into.cap = limits.maxDownloadBytes;
    into.wholeOnly = true;
    into.sink = [&file](const QByteArray &chunk) { return file.write(chunk) == chunk.size(); };
    into.progress = [progressWindow](qint64 done, qint64 total) {
        if (progressWindow)
            progressWindow->progress(done, total);
    };
    const TWebTransport::Outcome outcome =
        transport()->get(QUrl(m_values.downloadUrl), session, into, progressWindow);
    m_lastError = m_transport->error();
    m_lastStatus = m_transport->status();
    m_cancelled = outcome == TWebTransport::Outcome::Cancelled;
    shown.close();
    if (outcome != TWebTransport::Outcome::Ok) {
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
            showReadMe(parent, shownText(m_values.readMe, kMaxReadMeLength));
    }
    if (updateBox(parent, QMessageBox::Question, u"Update Available"_s,
                  available + u"\rDownload the update?"_s,
                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    const QString path =
        chooseUpdateFile(parent, shownText(m_values.defaultFileName, kMaxLineLength));
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
