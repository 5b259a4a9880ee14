#pragma once

// The small windows of the update check: the wait window of the version
// check, the progress window of the download, and its message boxes.

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <memory>

class QProgressBar;

namespace clvn {

// "Please Wait": shown while the information page is fetched; Esc cancels.
class TfrmWait : public QDialog
{
public:
    explicit TfrmWait(QWidget *parent);
};

// "Download Progress": shown while the update downloads; Cancel stops it.
class TWebDlProgress : public QDialog
{
public:
    explicit TWebDlProgress(QWidget *parent);
    // Bytes received and announced; an unknown total keeps the bar busy.
    void progress(qint64 received, qint64 total);

private:
    QProgressBar *m_bar;
};

// Shows a window application-modal for as long as a request runs, without a
// nested event loop of its own: the request's loop serves it.
class ScopedWindow
{
public:
    explicit ScopedWindow(QDialog *window);
    ~ScopedWindow() { close(); }
    ScopedWindow(const ScopedWindow &) = delete;
    ScopedWindow &operator=(const ScopedWindow &) = delete;
    QDialog *get() const { return m_window.get(); }
    void close();

private:
    std::unique_ptr<QDialog> m_window;
};

// The longest line a message box of the update check shows.
constexpr qsizetype kMaxLineLength = 200;

// A message box of the update check: plain text (page text is never read as
// markup), the given title, icon and buttons. Texts may break lines with
// "\r", "\r\n" or "\n\r"; each line is shown as shownText() makes it, at
// most kMaxLineLength characters. The box keeps the text as shown, with its
// line breaks as written, in its "messageText" property.
QMessageBox::StandardButton updateBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                      const QString &text,
                                      QMessageBox::StandardButtons buttons = QMessageBox::Ok);

} // namespace clvn
