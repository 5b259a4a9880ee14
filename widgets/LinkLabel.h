#pragma once

// A label showing an address, underlined with a hand cursor, that opens its
// url() in the desktop's browser or mail program when clicked.

#include <QLabel>
#include <QUrl>

namespace clvn {

class TLinkLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QUrl url READ url WRITE setUrl)

public:
    explicit TLinkLabel(QWidget *parent = nullptr);
    TLinkLabel(const QString &text, const QUrl &url, QWidget *parent = nullptr);

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url);

Q_SIGNALS:
    // Sent after the address was handed to the desktop; ok as it reported.
    void opened(const QUrl &url, bool ok);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void open();

    QUrl m_url;
};

} // namespace clvn
