#include "engine/PageView.h"

#include "engine/PageRender.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace clvn::report {

namespace {

// Grey border around the page, in screen pixels.
constexpr int kMargin = 10;

} // namespace

QRPreview::QRPreview(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("QRPreview1"));
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

void QRPreview::setReport(const PreparedReport *report)
{
    m_report = report;
    m_page = 1;
    applyFit();
    viewport()->update();
}

int QRPreview::pageCount() const
{
    return m_report ? m_report->pageCount() : 0;
}

void QRPreview::setPageNumber(int page)
{
    m_page = std::clamp(page, 1, std::max(1, pageCount()));
    viewport()->update();
}

void QRPreview::setZoom(int percent)
{
    m_fit = Fit::None;
    m_zoom = std::clamp(percent, 5, 800);
    updateScrollBars();
    viewport()->update();
}

void QRPreview::zoomToFit()
{
    m_fit = Fit::Page;
    applyFit();
}

void QRPreview::zoomToWidth()
{
    m_fit = Fit::Width;
    applyFit();
}

qreal QRPreview::pixelsPerPoint() const
{
    return m_zoom / 100.0 * viewport()->logicalDpiX() / 72.0;
}

QSize QRPreview::pagePixels() const
{
    if (!m_report)
        return {};
    const QSizeF paper = m_report->paperSize() * pixelsPerPoint();
    return {qRound(paper.width()), qRound(paper.height())};
}

void QRPreview::applyFit()
{
    if (m_report && m_fit != Fit::None) {
        const QSizeF paper = m_report->paperSize() * (viewport()->logicalDpiX() / 72.0);
        // Fitting leaves no room for scroll bars the fit itself makes needless.
        const QSize room = maximumViewportSize() - QSize(2 * kMargin, 2 * kMargin);
        qreal scale = room.width() / paper.width();
        if (m_fit == Fit::Page)
            scale = std::min(scale, room.height() / paper.height());
        else if (scale * paper.height() > room.height())
            scale = (room.width() - verticalScrollBar()->sizeHint().width()) / paper.width();
        m_zoom = std::max(5, int(scale * 100));
    }
    updateScrollBars();
    viewport()->update();
}

void QRPreview::updateScrollBars()
{
    const QSize page = pagePixels() + QSize(2 * kMargin, 2 * kMargin);
    // When the page fits the room without scroll bars, none are needed, even
    // if bars still showing from the last zoom make the viewport smaller.
    const QSize room = maximumViewportSize();
    const bool fits = page.width() <= room.width() && page.height() <= room.height();
    const QSize view = fits ? room : viewport()->size();
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, std::max(0, page.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, page.height() - view.height()));
}

bool QRPreview::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        applyFit();
    return QAbstractScrollArea::viewportEvent(event);
}

void QRPreview::scrollContentsBy(int, int)
{
    viewport()->update();
}

void QRPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().dark());
    if (!m_report || m_report->pages.empty())
        return;
    const QSize page = pagePixels();
    const QSize view = viewport()->size();
    // A page narrower than the window sits in the middle.
    const int x = page.width() + 2 * kMargin < view.width()
                      ? (view.width() - page.width()) / 2
                      : kMargin - horizontalScrollBar()->value();
    const int y = kMargin - verticalScrollBar()->value();
    painter.fillRect(QRect(QPoint(x + 3, y + 3), page), Qt::black);
    painter.fillRect(QRect(QPoint(x, y), page), Qt::white);
    beginPage(painter, m_zoom / 100.0, QPointF(x, y));
    paintPage(painter, m_report->pages[std::size_t(m_page - 1)]);
}

} // namespace clvn::report
