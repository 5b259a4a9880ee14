#pragma once

// Base of the two line-item panels of the Estimated Closing Costs page: a
// raised frame over the page that, while open, keeps the keyboard inside
// itself until its OK button closes it.

#include <QFrame>

class QPushButton;

namespace clvn {

class EccPanelHost;

class EccPanel : public QFrame
{
    Q_OBJECT

public:
    EccPanel(EccPanelHost &page, const QString &name, const QRect &geometry, QWidget *parent);

protected:
    EccPanelHost &page() const { return m_page; }
    // Leaving the OK button runs okButtonExit (queued: Qt is moving the
    // focus at that moment).
    void watchOkButton(QPushButton *ok);
    // Tab and Backtab wrap inside the open panel.
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Runs when the OK button has been left.
    virtual void okButtonExit() = 0;

private:
    EccPanelHost &m_page;
    QPushButton *m_ok = nullptr;
};

} // namespace clvn
