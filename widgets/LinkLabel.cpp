#include "widgets/LinkLabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>

namespace clvn {

TLinkLabel::TLinkLabel(QWidget *parent) : QLabel(parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setForegroundRole(QPalette::Link);
    setTextFormat(Qt::PlainText);
}

TLinkLabel::TLinkLabel(const QString &text, const QUrl &url, QWidget *parent) : TLinkLabel(parent)
{
    setText(text);
    setUrl(url);
}

void TLinkLabel::setUrl(const QUrl &url)
{
    m_url = url;
    if (text().isEmpty())
        setText(url.toDisplayString());
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        open();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void TLinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        open();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TLinkLabel::open()
{
    if (!m_url.isValid() || m_url.isEmpty())
        return;
    const bool ok = QDesktopServices::openUrl(m_url);
    Q_EMIT opened(m_url, ok);
}

} // namespace clvn
