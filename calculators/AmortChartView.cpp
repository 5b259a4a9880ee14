#include "calculators/AmortChartView.h"

#include "calculators/ChartColours.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace clvn {

AmortChartView::AmortChartView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AmortChartView::setData(AmortChartData data)
{
    m_data = std::move(data);
    m_laidOut = false;
    m_hover = 0;
    update();
}

std::vector<report::PageItem> AmortChartView::drawing(const QSizeF &size) const
{
    return drawAmortChart(m_data, size);
}

qreal AmortChartView::pointsPerPixel() const
{
    return 72.0 / logicalDpiX();
}

QSizeF AmortChartView::sizeInPoints() const
{
    return QSizeF(width() * pointsPerPixel(), height() * 72.0 / logicalDpiY());
}

const std::vector<report::PageItem> &AmortChartView::items() const
{
    if (!m_laidOut) {
        m_items = drawAmortChart(m_data, sizeInPoints(), &m_frame);
        m_laidOut = true;
    }
    return m_items;
}

int AmortChartView::paymentUnder(const QPointF &pos) const
{
    items();
    return paymentAt(m_frame, int(m_data.rows.size()), pos.x() * pointsPerPixel());
}

QString AmortChartView::hoverTextAt(const QPointF &pos) const
{
    const int payment = paymentUnder(pos);
    return payment > 0 ? paymentSummary(m_data.rows[std::size_t(payment - 1)]) : QString();
}

void AmortChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintChart(painter, *this, items());
    if (m_hover > 0 && m_frame.xPayments > 0) {
        // A marker through the payment the tip describes: one whole pixel,
        // as a thinner, smoothed line fades into the background.
        const qreal x = m_frame.plot.left() + m_hover * m_frame.plot.width() / m_frame.xPayments;
        const QTransform toPixels = painter.transform();
        const QPoint top = toPixels.map(QPointF(x, m_frame.plot.top())).toPoint();
        const QPoint bottom = toPixels.map(QPointF(x, m_frame.plot.bottom())).toPoint();
        painter.resetTransform();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(lineOnScreen(QColor(120, 120, 120), palette()), 0));
        painter.drawLine(top, QPoint(top.x(), bottom.y()));
    }
}

void AmortChartView::resizeEvent(QResizeEvent *event)
{
    m_laidOut = false;
    QWidget::resizeEvent(event);
}

void AmortChartView::mouseMoveEvent(QMouseEvent *event)
{
    const int payment = paymentUnder(event->position());
    if (payment != m_hover) {
        m_hover = payment;
        update();
    }
    if (payment > 0)
        QToolTip::showText(event->globalPosition().toPoint(),
                           paymentSummary(m_data.rows[std::size_t(payment - 1)]), this);
    else
        QToolTip::hideText();
    QWidget::mouseMoveEvent(event);
}

void AmortChartView::leaveEvent(QEvent *event)
{
    m_hover = 0;
    update();
    QToolTip::hideText();
    QWidget::leaveEvent(event);
}

} // namespace clvn
