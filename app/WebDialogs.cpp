#include "app/WebDialogs.h"

#include "app/UpdateInfo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace clvn {

TfrmWait::TfrmWait(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmWait"_s);
    setWindowTitle(u"Please Wait"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(240, 100);
    setCursor(Qt::WaitCursor);
    auto *label = new QLabel(u"Checking For Update..."_s, this);
    label->setObjectName(u"lblWait"_s);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, 0, 240, 100);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
}

TWebDlProgress::TWebDlProgress(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"WebDlProgress"_s);
    setWindowTitle(u"Download Progress"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(300, 110);
    auto *label = new QLabel(u"Downloading Update"_s, this);
    label->setObjectName(u"lblDownloading"_s);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(12, 10, 276, 18);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(u"pbDownload"_s);
    m_bar->setGeometry(12, 34, 276, 20);
    m_bar->setRange(0, 0);
    auto *cancel = new QPushButton(u"&Cancel"_s, this);
    cancel->setObjectName(u"btnCancel"_s);
    cancel->setGeometry(110, 68, 80, 28);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TWebDlProgress::progress(qint64 received, qint64 total)
{
    if (total > 0) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(int(std::clamp<qint64>(received * 1000 / total, 0, 1000)));
    }
}

ScopedWindow::ScopedWindow(QDialog *window) : m_window(window)
{
    if (m_window) {
        m_window->setWindowModality(Qt::ApplicationModal);
        m_window->show();
    }
}

void ScopedWindow::close()
{
    if (m_window) {
        m_window->hide();
        m_window.reset();
    }
}

QMessageBox::StandardButton updateBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                      const QString &text, QMessageBox::StandardButtons buttons)
{
    // Each line is cleaned and cut on its own: a server's text sits inside
    // one line and must not push the buttons off the screen.
    static const QRegularExpression kBreak(u"\r\n|\n\r|\r|\n"_s);
    QString written;
    QString shown;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = kBreak.globalMatch(text);;) {
        const QRegularExpressionMatch br = it.hasNext() ? it.next() : QRegularExpressionMatch();
        const qsizetype end = br.hasMatch() ? br.capturedStart() : text.size();
        const QString line = shownText(text.mid(from, end - from), kMaxLineLength);
        written += line;
        shown += line;
        if (!br.hasMatch())
            break;
        written += br.captured();
        shown += u'\n';
        from = br.capturedEnd();
    }
    QMessageBox box(icon, title, shown, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setProperty("messageText", written);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace clvn
