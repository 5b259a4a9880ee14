#include "app/Icons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace clvn {

namespace {

constexpr int kIconSize = 24;
// The property that tells which tool icon a button shows.
constexpr char kToolIconProperty[] = "clvnToolIcon";

QPixmap canvas(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

void drawPrint(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 7)); // paper in
    p.setBrush(QColor(120, 130, 150));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 14.5, 11, 7)); // paper out
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(8, 17), QPointF(16, 17));
    p.drawLine(QPointF(8, 19), QPointF(14, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 200, 80));
    p.drawEllipse(QPointF(18.5, 11), 1, 1);
}

void drawReset(QPainter &p)
{
    p.setPen(QPen(QColor(30, 110, 40), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 4, 16, 16), 100 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(7.5, 1.5);
    head.lineTo(13.5, 4.5);
    head.lineTo(8.0, 8.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 110, 40));
    p.drawPath(head);
}

void drawUpdate(QPainter &p)
{
    p.setPen(QPen(QColor(30, 70, 150), 1.4));
    p.setBrush(QColor(170, 205, 245));
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 2.5, 8, 19));
    p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
    p.drawLine(QPointF(4.5, 7), QPointF(19.5, 7));
    p.drawLine(QPointF(4.5, 17), QPointF(19.5, 17));
}

void drawPrefs(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 95, 110));
    for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-2, -11, 4, 6));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 7.5, 7.5);
    p.setBrush(QColor(235, 235, 235));
    p.drawEllipse(QPointF(0, 0), 3, 3);
}

void drawHelp(QPainter &p)
{
    p.setPen(QPen(QColor(20, 60, 140), 1.2));
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, QStringLiteral("?"));
}

void drawExit(QPainter &p)
{
    p.setPen(QPen(QColor(90, 60, 30), 1.2));
    p.setBrush(QColor(185, 130, 70));
    p.drawRect(QRectF(3.5, 2.5, 10, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 90));
    p.drawEllipse(QPointF(11, 12.5), 1, 1);
    p.setPen(QPen(QColor(180, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(14, 12), QPointF(21.5, 12));
    p.drawLine(QPointF(18.5, 8.5), QPointF(21.5, 12));
    p.drawLine(QPointF(18.5, 15.5), QPointF(21.5, 12));
}

void drawOpen(QPainter &p)
{
    p.setPen(QPen(QColor(120, 90, 20), 1.2));
    p.setBrush(QColor(230, 190, 90));
    p.drawRect(QRectF(2.5, 5.5, 17, 14)); // folder back
    p.setBrush(QColor(250, 215, 120));
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6.5, 10.5);
    front.lineTo(22.0, 10.5);
    front.lineTo(18.5, 19.5);
    front.closeSubpath();
    p.drawPath(front);
}

void drawSave(QPainter &p)
{
    p.setPen(QPen(QColor(30, 50, 110), 1.2));
    p.setBrush(QColor(60, 100, 190));
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 1.5, 1.5); // disk
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 7)); // label
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(6.5, 13.5, 11, 8)); // shutter
}

// `icon` on a rim of `colour` two pixels wide around its shape, so that even
// the soft edges of its strokes lie inside the rim.
QPixmap withRim(const QPixmap &icon, const QColor &colour)
{
    QPixmap shape = icon;
    {
        QPainter p(&shape);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(shape.rect(), colour);
    }
    QPixmap out = canvas(icon.width());
    QPainter p(&out);
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            if (dx * dx + dy * dy <= 4)
                p.drawPixmap(dx, dy, shape);
    p.drawPixmap(0, 0, icon);
    return out;
}

// Sets the application's icon after the first painting of the window it
// watches, once the painted frame is on its way to the screen.
class IconAfterPaint : public QObject
{
public:
    explicit IconAfterPaint(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QApplication::setWindowIcon(appIcon());
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

QIcon toolIcon(ToolIcon which, const QPalette &palette)
{
    QPixmap pm = canvas(kIconSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case ToolIcon::Print:
        drawPrint(p);
        break;
    case ToolIcon::Reset:
        drawReset(p);
        break;
    case ToolIcon::Update:
        drawUpdate(p);
        break;
    case ToolIcon::Prefs:
        drawPrefs(p);
        break;
    case ToolIcon::Help:
        drawHelp(p);
        break;
    case ToolIcon::Exit:
        drawExit(p);
        break;
    case ToolIcon::Open:
        drawOpen(p);
        break;
    case ToolIcon::Save:
        drawSave(p);
        break;
    }
    p.end();
    const QColor ink = palette.color(QPalette::ButtonText);
    if (ink.lightnessF() > palette.color(QPalette::Button).lightnessF())
        return QIcon(withRim(pm, ink));
    return QIcon(pm);
}

void setToolIcon(QAbstractButton *button, ToolIcon which, const QPalette &palette)
{
    button->setProperty(kToolIconProperty, int(which));
    button->setIcon(toolIcon(which, palette));
}

void redrawToolIcons(const QWidget &root, const QPalette &palette)
{
    for (QAbstractButton *button : root.findChildren<QAbstractButton *>()) {
        const QVariant which = button->property(kToolIconProperty);
        if (which.isValid())
            button->setIcon(toolIcon(ToolIcon(which.toInt()), palette));
    }
}

QPixmap productLogo(int size)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    p.scale(s, s);
    // A house on a green field: the suite is for home buyers.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 120, 60));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    QPainterPath roof;
    roof.moveTo(10, 32);
    roof.lineTo(32, 12);
    roof.lineTo(54, 32);
    roof.closeSubpath();
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(roof);
    p.drawRect(QRectF(16, 31, 32, 22));
    p.setBrush(QColor(20, 120, 60));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(20, 120, 60));
    p.drawText(QRectF(16, 31, 32, 22), Qt::AlignCenter, QStringLiteral("$"));
    p.end();
    return pm;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/com.tolvane.Calvenor.png").arg(size),
                     QSize(size, size));
    return icon;
}

void setAppIconAfterFirstPaint(QWidget &window)
{
    if (QApplication::windowIcon().isNull())
        new IconAfterPaint(window);
}

} // namespace clvn
