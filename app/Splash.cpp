#include "app/Splash.h"

#include "app/Icons.h"
#include "app/Links.h"
#include "widgets/Guard.h"
#include "widgets/Identity.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>

namespace clvn {

TSplashScreen::TSplashScreen(QWidget *parent, int closeAfterMs)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(344, 126);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(0, 0, 344, 126);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pal);

    auto *logo = new QLabel(panel);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(productLogo(72));
    logo->setGeometry(14, 18, 72, 72);

    auto *name = new QLabel(productName(), panel);
    name->setObjectName(QStringLiteral("lblProduct"));
    QFont big(QStringLiteral("Arial"));
    big.setPixelSize(24);
    big.setBold(true);
    name->setFont(big);
    name->setGeometry(104, 12, 220, 30);

    auto *maker = new QLabel(QStringLiteral("from ") + makerName(), panel);
    maker->setObjectName(QStringLiteral("lblMaker"));
    maker->setGeometry(104, 44, 220, 16);

    auto *web = new QLabel(webAddressText(), panel);
    web->setObjectName(QStringLiteral("lblWeb"));
    web->setGeometry(104, 62, 220, 16);

    auto *bar = new QFrame(panel);
    bar->setObjectName(QStringLiteral("Shape1"));
    bar->setGeometry(104, 86, 208, 5);
    bar->setAutoFillBackground(true);
    QPalette green = bar->palette();
    green.setColor(QPalette::Window, QColor(0, 128, 0));
    bar->setPalette(green);

    auto *version = new QLabel(productVersion(), panel);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version->setGeometry(224, 100, 108, 16);

    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(closeAfterMs);
    m_timer.setSingleShot(true);
    connectGuarded(&m_timer, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TSplashScreen::showAndPaint()
{
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - rect().center());
    }
    m_timer.start();
    show();
    repaint();
    QApplication::processEvents();
}

void TSplashScreen::Timer1Timer()
{
    m_timer.stop();
    close();
}

} // namespace clvn
