#include "engine/PageRender.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <stdexcept>

namespace clvn::report {

namespace {

std::runtime_error failure(const QString &what)
{
    return std::runtime_error(what.toStdString());
}

} // namespace

void beginPage(QPainter &painter, qreal zoom, const QPointF &origin)
{
    const QPaintDevice *device = painter.device();
    painter.resetTransform();
    painter.translate(origin);
    painter.scale(zoom * device->logicalDpiX() / 72.0, zoom * device->logicalDpiY() / 72.0);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void paintPage(QPainter &painter, const PreparedPage &page)
{
    paintItems(painter, page.items);
}

void paintItems(QPainter &painter, const std::vector<PageItem> &items)
{
    // The device turns point sizes into its own pixels, and the transform
    // scales again: divide once so the two together give points.
    const qreal fontScale = 72.0 / painter.device()->logicalDpiY();
    QPen pen(Qt::black);
    pen.setCapStyle(Qt::FlatCap);
    painter.setBrush(Qt::NoBrush);
    const QFont *lastFont = nullptr;
    for (const PageItem &item : items) {
        switch (item.kind) {
        case PageItem::Kind::Text:
            if (!lastFont || *lastFont != item.font) {
                QFont font = item.font;
                font.setPointSizeF(item.font.pointSizeF() * fontScale);
                painter.setFont(font);
                lastFont = &item.font;
            }
            painter.setPen(item.color);
            painter.drawText(item.rect, item.flags, item.text);
            break;
        case PageItem::Kind::Line:
            pen.setWidthF(item.penWidth);
            pen.setColor(item.color);
            pen.setStyle(item.penStyle);
            painter.setPen(pen);
            painter.drawLine(item.rect.topLeft(), item.rect.topRight());
            break;
        case PageItem::Kind::Rect:
            pen.setWidthF(item.penWidth);
            pen.setColor(item.color);
            pen.setStyle(item.penStyle);
            painter.setPen(item.penWidth > 0 ? pen : QPen(Qt::NoPen));
            painter.setBrush(item.fill.alpha() > 0 ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(item.rect);
            painter.setBrush(Qt::NoBrush);
            break;
        case PageItem::Kind::Polyline:
            pen.setWidthF(item.penWidth);
            pen.setColor(item.color);
            pen.setStyle(item.penStyle);
            // Round joins keep a steep curve from showing spikes.
            pen.setJoinStyle(Qt::RoundJoin);
            painter.setPen(pen);
            painter.drawPolyline(item.points);
            pen.setJoinStyle(Qt::BevelJoin);
            break;
        }
    }
}

void printReport(const PreparedReport &report, QPrinter &printer)
{
    printer.setDocName(report.title);
    printer.setFullPage(true);
    QPageLayout layout = report.layout;
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    printer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&printer))
        throw failure(QStringLiteral("The printer could not be started."));
    for (int i = 0; i < report.pageCount(); ++i) {
        if (i > 0 && !printer.newPage())
            throw failure(QStringLiteral("The printer could not start a new page."));
        beginPage(painter);
        paintPage(painter, report.pages[std::size_t(i)]);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw failure(QStringLiteral("The printer reported an error."));
}

void writePdf(const PreparedReport &report, QIODevice &device)
{
    QPdfWriter writer(&device);
    writer.setTitle(report.title);
    writer.setCreator(QStringLiteral("Calvenor, 1.0.04"));
    // 300 dots per inch is plenty for lines and keeps coordinates small.
    writer.setResolution(300);
    QPageLayout layout = report.layout;
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer))
        throw failure(QStringLiteral("The PDF file could not be started."));
    for (int i = 0; i < report.pageCount(); ++i) {
        if (i > 0 && !writer.newPage())
            throw failure(QStringLiteral("The PDF file could not take a new page."));
        beginPage(painter);
        paintPage(painter, report.pages[std::size_t(i)]);
    }
    if (!painter.end())
        throw failure(QStringLiteral("The PDF file could not be finished."));
}

void savePdf(const PreparedReport &report, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    writePdf(report, file);
    if (!file.commit())
        throw failure(file.errorString());
}

QImage renderPage(const PreparedReport &report, int pageIndex, qreal dpi)
{
    const QSizeF paper = report.paperSize();
    QImage image(qRound(paper.width() * dpi / 72.0), qRound(paper.height() * dpi / 72.0),
                 QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    beginPage(painter);
    paintPage(painter, report.pages.at(std::size_t(pageIndex)));
    return image;
}

} // namespace clvn::report
