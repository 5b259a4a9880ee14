#include "app/Update.h"

#include "app/Centre.h"
#include "app/Icons.h"
#include "app/UpdateInfo.h"
#include "app/WebDialogs.h"
#include "app/WebFileInfo.h"
#include "widgets/BusyCursor.h"
#include "widgets/Colours.h"
#include "widgets/Guard.h"
#include "widgets/Identity.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

// Captions are right-aligned against their values.
QLabel *caption(QWidget *parent, const QString &name, const QString &text, int y)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(80, y, 160, 18);
    return l;
}

// Values come from the network at times: plain text, as every label here.
QLabel *value(QWidget *parent, const QString &name, const QString &text, int y)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(246, y, 190, 18);
    return l;
}

void setColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, readableOn(colour, p.color(QPalette::Window)));
    label->setPalette(p);
}

} // namespace

TfrmUpdate::TfrmUpdate(TWebFileInfo &info, QWidget *parent) : QDialog(parent), m_info(info)
{
    setObjectName(u"frmUpdate"_s);
    setWindowTitle(u"Tolvane Software's Update Center"_s);
    makeFixedToolWindow(this);
    setFixedSize(452, 262);

    auto *panel = new QWidget(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setGeometry(8, 8, 436, 196);

    auto *logo = new QLabel(panel);
    logo->setObjectName(u"Image1"_s);
    logo->setTextFormat(Qt::PlainText);
    logo->setPixmap(productLogo(64));
    logo->setGeometry(8, 8, 64, 64);

    caption(panel, u"lblAppNameCaption"_s, u"Application Name:"_s, 8);
    value(panel, u"lblAppName"_s, u" "_s + productName(), 8);
    caption(panel, u"lblDeveloperCaption"_s, u"Developer:"_s, 28);
    value(panel, u"lblDeveloper"_s, u" "_s + makerName(), 28);

    auto *heading = new QLabel(u"Current Application"_s, panel);
    heading->setObjectName(u"lblCurrentApplication"_s);
    heading->setTextFormat(Qt::PlainText);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setGeometry(80, 54, 200, 18);

    caption(panel, u"lblCurrentVersionCaption"_s, u"Your Current Version:"_s, 76);
    m_lblCurrentVersion = value(panel, u"lblCurrentVersion"_s, QString(), 76);
    caption(panel, u"lblCurrentCompileDateCaption"_s, u"Current Compile Date:"_s, 96);
    m_lblCurrentCompileDate = value(panel, u"lblCurrentCompileDate"_s, QString(), 96);
    caption(panel, u"lblVersionCaption"_s, u"Newest Version on Server:"_s, 124);
    m_lblVersion = value(panel, u"lblVersion"_s, u"Status Unknown"_s, 124);

    m_lblUpdateStatus = new QLabel(u"Update Status:  Unknown"_s, panel);
    m_lblUpdateStatus->setObjectName(u"lblUpdateStatus"_s);
    m_lblUpdateStatus->setTextFormat(Qt::PlainText);
    m_lblUpdateStatus->setFont(bold);
    m_lblUpdateStatus->setAlignment(Qt::AlignCenter);
    m_lblUpdateStatus->setGeometry(8, 160, 420, 20);

    // Filled by every check but kept out of sight.
    struct Hidden
    {
        QString captionName, captionText, name;
        QLabel **label;
    };
    for (const Hidden &h :
         {Hidden{u"lblDateCaption"_s, u"Compile Date:"_s, u"lblDate"_s, &m_lblDate},
          Hidden{u"lblReadMeCaption"_s, u"Online Information:"_s, u"lblReadMe"_s, &m_lblReadMe},
          Hidden{u"lblURLCaption"_s, u"Download URL:"_s, u"lblURL"_s, &m_lblURL}}) {
        caption(panel, h.captionName, h.captionText, 140)->hide();
        *h.label = value(panel, h.name, QString(), 140);
        (*h.label)->hide();
    }

    m_btnClose = new QPushButton(u" &Close Update Center"_s, this);
    m_btnClose->setObjectName(u"btnClose"_s);
    m_btnClose->setGeometry(292, 220, 152, 30);
    m_btnRetrieveUpdate = new QPushButton(u" &Retrieve Update"_s, this);
    m_btnRetrieveUpdate->setObjectName(u"btnRetrieveUpdate"_s);
    m_btnRetrieveUpdate->setGeometry(8, 220, 140, 30);
    m_btnRetrieveUpdate->hide();
    m_btnCheckForUpdate = new QPushButton(u"Check for &Update"_s, this);
    m_btnCheckForUpdate->setObjectName(u"btnCheckForUpdate"_s);
    m_btnCheckForUpdate->setGeometry(150, 220, 140, 30);
    m_btnCheckForUpdate->hide();

    connectGuarded(m_btnClose, &QPushButton::clicked, this, [this] { CloseUpdateCenter(); });
    connectGuarded(m_btnRetrieveUpdate, &QPushButton::clicked, this, [this] { RetrieveUpdate(); });
    connectGuarded(m_btnCheckForUpdate, &QPushButton::clicked, this, [this] { CheckUpdate(); });

    FormCreate();
}

void TfrmUpdate::FormCreate()
{
    m_lblCurrentVersion->setText(productVersion());
    m_lblCurrentCompileDate->setText(compileDate());
}

void TfrmUpdate::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Once per opening: checking again on every activation would, offline,
    // chain error box after error box.
    if (m_checkStarted)
        return;
    m_checkStarted = true;
    QTimer::singleShot(0, this, [this] { guard([this] { CheckUpdate(); }); });
}

void TfrmUpdate::CheckUpdate()
{
    bool ok = false;
    {
        BusyCursor wait;
        ok = m_info.GetInfo(this);
        if (ok) {
            const WebFileValues &v = m_info.values();
            setColour(m_lblUpdateStatus, Qt::red);
            m_lblUpdateStatus->setText(u"Update Information"_s);
            for (QLabel *l : {m_lblDate, m_lblVersion, m_lblReadMe, m_lblURL})
                setColour(l, Qt::blue);
            m_lblDate->setText(shownText(v.dateText, kMaxLineLength));
            m_lblVersion->setText(shownText(v.version, kMaxVersionLength));
            m_lblReadMe->setText(shownText(v.readMe, kMaxLineLength));
            m_lblURL->setText(shownText(v.downloadUrl, kMaxLineLength));
            if (m_info.isNewer(m_lblVersion->text()))
                m_btnRetrieveUpdate->show();
            else
                m_lblUpdateStatus->setText(u"No Updated Version Available"_s);
        }
    }
    if (!ok && !m_info.lastRequestCancelled())
        updateBox(this, QMessageBox::Information, productName(),
                  u"Get Info failed due to:\r\n"_s + m_info.lastError());
    m_checkDone = true;
    m_checkOk = ok;
    emit checkFinished(ok);
}

void TfrmUpdate::RetrieveUpdate()
{
    if (m_info.state() != 1)
        return;
    if (m_info.Update(this)) {
        m_exitRequested = true;
        accept();
    }
}

void TfrmUpdate::CloseUpdateCenter()
{
    reject();
}

} // namespace clvn
