#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace clvn {

class TWebFileInfo;

// "Tolvane Software's Update Center": the running and the newest version,
// and the way to the update when there is a newer one.
class TfrmUpdate : public QDialog
{
    Q_OBJECT

public:
    TfrmUpdate(TWebFileInfo &info, QWidget *parent = nullptr);

    // True once the check of this opening has ended, whatever its result.
    bool checkDone() const { return m_checkDone; }
    bool checkOk() const { return m_checkOk; }
    // True when the installer was started and the program should close.
    bool exitRequested() const { return m_exitRequested; }

    void CheckUpdate();
    void RetrieveUpdate();
    void CloseUpdateCenter();

signals:
    void checkFinished(bool ok);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();

    TWebFileInfo &m_info;
    QLabel *m_lblCurrentVersion;
    QLabel *m_lblCurrentCompileDate;
    QLabel *m_lblVersion;
    QLabel *m_lblUpdateStatus;
    QLabel *m_lblDate;
    QLabel *m_lblReadMe;
    QLabel *m_lblURL;
    QPushButton *m_btnClose;
    QPushButton *m_btnRetrieveUpdate;
    QPushButton *m_btnCheckForUpdate;
    bool m_checkStarted = false;
    bool m_checkDone = false;
    bool m_checkOk = false;
    bool m_exitRequested = false;
};

} // namespace clvn
