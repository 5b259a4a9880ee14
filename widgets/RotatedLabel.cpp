#include "widgets/RotatedLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace clvn {

namespace {
constexpr int Margin = 2; // pixels around the text on every side
}

TRotatedLabel::TRotatedLabel(QWidget *parent) : QWidget(parent)
{
    m_color = palette().color(QPalette::WindowText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

TRotatedLabel::TRotatedLabel(const QString &text, QWidget *parent) : TRotatedLabel(parent)
{
    setText(text);
}

void TRotatedLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    // Painted text is invisible to a screen reader; the name carries it.
    setAccessibleName(text);
    updateGeometry();
    update();
}

void TRotatedLabel::setTextColor(const QColor &color)
{
    m_color = color;
    update();
}

QSize TRotatedLabel::sizeHint() const
{
    // The text runs upwards, so its width becomes the widget's height.
    const QFontMetrics metrics(font());
    return {metrics.height() + 2 * Margin, metrics.horizontalAdvance(m_text) + 2 * Margin};
}

QSize TRotatedLabel::minimumSizeHint() const
{
    return sizeHint();
}

void TRotatedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(m_color);
    painter.setFont(font());
    // Turn the coordinate system a quarter left about the centre: the text's
    // baseline then runs from the bottom of the widget to its top.
    painter.translate(width() / 2.0, height() / 2.0);
    painter.rotate(-90.0);
    const QRectF box(-height() / 2.0, -width() / 2.0, height(), width());
    painter.drawText(box, Qt::AlignCenter, m_text);
}

void TRotatedLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace clvn
