#include "engine/Report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QProgressDialog>

#include <limits>
#include <stdexcept>

namespace clvn::report {

namespace {

// Text is measured on an image of 720 dots per inch: ten dots to the point
// keeps rounding of glyph advances well below what a reader could see.
constexpr qreal kMeasureDpi = 720.0;

const QImage &measureDevice()
{
    static const QImage image = [] {
        QImage img(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = qRound(kMeasureDpi / 0.0254);
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return image;
}

Report::PreviewHandler &previewHandler()
{
    static Report::PreviewHandler handler;
    return handler;
}

// The rectangle a label takes: its own, or one fitted to the text that keeps
// the edge (or centre) its alignment names.
QRectF labelRect(const ReportElement &e)
{
    if (!e.autoSize)
        return e.geometry;
    const qreal w = textWidth(e.font, e.text);
    QRectF r = e.geometry;
    if (e.alignment & Qt::AlignRight)
        r.setLeft(r.right() - w);
    else if (e.alignment & Qt::AlignHCenter)
        r = QRectF(r.center().x() - w / 2, r.top(), w, r.height());
    else
        r.setWidth(w);
    return r;
}

class Layout
{
public:
    Layout(Report &report, PreparedReport &out, const QDateTime &when)
        : m_report(report), m_out(out), m_when(when),
          m_content(report.pageLayout().paintRect(QPageLayout::Point))
    {
        for (const auto &band : report.bands()) {
            if (band->kind() == BandKind::PageFooter && band->isEnabled())
                m_footerHeight += band->height();
        }
    }

    void startPage()
    {
        m_out.pages.emplace_back();
        m_y = m_content.top();
        m_hasDetail = false;
        if (m_out.pages.size() == 1)
            placeAll(BandKind::Title);
        placeAll(BandKind::PageHeader);
    }

    void finishPage()
    {
        m_y = m_content.bottom() - m_footerHeight;
        placeAll(BandKind::PageFooter);
    }

    // Places the enabled detail bands once, breaking the page where one
    // does not fit above the footer.
    void placeDetails()
    {
        for (const auto &band : m_report.bands()) {
            if (band->kind() != BandKind::Detail || !band->isEnabled())
                continue;
            if (band->beforePrint)
                band->beforePrint();
            if (!band->isEnabled())
                continue;
            // A band taller than a whole page still prints, on its own page.
            if (m_hasDetail && m_y + band->height() > m_content.bottom() - m_footerHeight) {
                finishPage();
                startPage();
            }
            place(*band);
            m_hasDetail = true;
        }
    }

private:
    void placeAll(BandKind kind)
    {
        for (const auto &band : m_report.bands()) {
            if (band->kind() != kind || !band->isEnabled())
                continue;
            if (band->beforePrint)
                band->beforePrint();
            if (band->isEnabled())
                place(*band);
        }
    }

    void place(const ReportBand &band)
    {
        PreparedPage &page = m_out.pages.back();
        const QPointF origin(m_content.left(), m_y);
        for (const auto &element : band.elements()) {
            const ReportElement &e = *element;
            if (!e.enabled)
                continue;
            PageItem item;
            item.name = e.name;
            switch (e.kind) {
            case ElementKind::HLine:
                item.kind = PageItem::Kind::Line;
                item.rect = e.geometry.translated(origin);
                item.penWidth = e.penWidth;
                break;
            case ElementKind::Rect:
                item.kind = PageItem::Kind::Rect;
                item.rect = e.geometry.translated(origin);
                item.penWidth = e.penWidth;
                break;
            case ElementKind::Drawing:
                for (const PageItem &drawn : e.drawing)
                    page.items.push_back(drawn.translated(origin + e.geometry.topLeft()));
                continue;
            case ElementKind::Label:
            case ElementKind::DateTime:
            case ElementKind::PageNumber: {
                ReportElement shown = e;
                if (e.kind == ElementKind::DateTime)
                    shown.text = e.text + QLocale().toString(m_when, QLocale::ShortFormat);
                else if (e.kind == ElementKind::PageNumber)
                    shown.text = e.text + QString::number(m_out.pages.size());
                if (shown.text.isEmpty())
                    continue;
                item.kind = PageItem::Kind::Text;
                item.rect = labelRect(shown).translated(origin);
                item.text = shown.text;
                item.font = e.font;
                item.flags = int(e.alignment) | Qt::TextDontClip |
                             (e.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
                break;
            }
            }
            page.items.push_back(std::move(item));
        }
        m_y += band.height();
    }

    Report &m_report;
    PreparedReport &m_out;
    QDateTime m_when;
    QRectF m_content;
    qreal m_footerHeight = 0;
    qreal m_y = 0;
    bool m_hasDetail = false;
};

} // namespace

qreal textWidth(const QFont &font, const QString &text)
{
    return QFontMetricsF(font, &measureDevice()).horizontalAdvance(text) * (72.0 / kMeasureDpi);
}

qreal lineHeight(const QFont &font)
{
    return QFontMetricsF(font, &measureDevice()).height() * (72.0 / kMeasureDpi);
}

QFont reportFont(qreal points, bool bold)
{
    // Arial where installed; Liberation Sans has the same metrics elsewhere.
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ReportBand::ReportBand(BandKind kind, const QString &name, qreal height)
    : m_kind(kind), m_name(name), m_height(height)
{
}

ReportElement *ReportBand::add(std::unique_ptr<ReportElement> element)
{
    m_elements.push_back(std::move(element));
    return m_elements.back().get();
}

ReportElement *ReportBand::addLabel(const QString &name, const QString &text,
                                    const QRectF &geometry, const QFont &font,
                                    Qt::Alignment alignment, bool autoSize)
{
    auto e = std::make_unique<ReportElement>();
    e->kind = ElementKind::Label;
    e->name = name;
    e->text = text;
    e->geometry = geometry;
    e->font = font;
    // Labels are one line high: centre vertically unless told otherwise.
    e->alignment = (alignment & Qt::AlignVertical_Mask) ? alignment : alignment | Qt::AlignVCenter;
    e->autoSize = autoSize;
    return add(std::move(e));
}

ReportElement *ReportBand::addHLine(const QString &name, qreal y, qreal x1, qreal x2,
                                    qreal penWidth)
{
    auto e = std::make_unique<ReportElement>();
    e->kind = ElementKind::HLine;
    e->name = name;
    e->geometry = QRectF(x1, y, x2 - x1, 0);
    e->penWidth = penWidth;
    return add(std::move(e));
}

ReportElement *ReportBand::addRect(const QString &name, const QRectF &geometry, qreal penWidth)
{
    auto e = std::make_unique<ReportElement>();
    e->kind = ElementKind::Rect;
    e->name = name;
    e->geometry = geometry;
    e->penWidth = penWidth;
    return add(std::move(e));
}

ReportElement *ReportBand::addDateTime(const QString &name, const QString &prefix,
                                       const QRectF &geometry, const QFont &font,
                                       Qt::Alignment alignment)
{
    ReportElement *e = addLabel(name, prefix, geometry, font, alignment);
    e->kind = ElementKind::DateTime;
    return e;
}

ReportElement *ReportBand::addPageNumber(const QString &name, const QString &prefix,
                                         const QRectF &geometry, const QFont &font,
                                         Qt::Alignment alignment)
{
    ReportElement *e = addLabel(name, prefix, geometry, font, alignment);
    e->kind = ElementKind::PageNumber;
    return e;
}

ReportElement *ReportBand::addDrawing(const QString &name, const QRectF &geometry)
{
    auto e = std::make_unique<ReportElement>();
    e->kind = ElementKind::Drawing;
    e->name = name;
    e->geometry = geometry;
    return add(std::move(e));
}

ReportElement *ReportBand::element(const QString &name) const
{
    for (const auto &e : m_elements) {
        if (e->name == name)
            return e.get();
    }
    return nullptr;
}

PageItem PageItem::translated(const QPointF &offset) const
{
    PageItem moved = *this;
    moved.rect.translate(offset);
    moved.points.translate(offset);
    return moved;
}

QString PreparedPage::textOf(const QString &name) const
{
    for (const PageItem &item : items) {
        if (item.kind == PageItem::Kind::Text && item.name == name)
            return item.text;
    }
    return {};
}

QStringList PreparedPage::textsOf(const QString &name) const
{
    QStringList out;
    for (const PageItem &item : items) {
        if (item.kind == PageItem::Kind::Text && item.name == name)
            out << item.text;
    }
    return out;
}

QStringList PreparedPage::texts() const
{
    QStringList out;
    for (const PageItem &item : items) {
        if (item.kind == PageItem::Kind::Text)
            out << item.text;
    }
    return out;
}

const PageItem *PreparedPage::findText(const QString &text) const
{
    for (const PageItem &item : items) {
        if (item.kind == PageItem::Kind::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

QSizeF PreparedReport::paperSize() const
{
    return layout.fullRect(QPageLayout::Point).size();
}

Report::Report(const QString &name)
    : m_name(name), m_layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(36, 36, 36, 36), QPageLayout::Point)
{
}

Report::~Report() = default;

qreal Report::contentWidth() const
{
    return m_layout.paintRect(QPageLayout::Point).width();
}

ReportBand *Report::addBand(BandKind kind, const QString &name, qreal height)
{
    m_bands.push_back(std::make_unique<ReportBand>(kind, name, height));
    return m_bands.back().get();
}

ReportBand *Report::band(const QString &name) const
{
    for (const auto &b : m_bands) {
        if (b->name() == name)
            return b.get();
    }
    return nullptr;
}

ReportElement *Report::element(const QString &name) const
{
    for (const auto &b : m_bands) {
        if (ReportElement *e = b->element(name))
            return e;
    }
    return nullptr;
}

void Report::setText(const QString &name, const QString &text)
{
    ReportElement *e = element(name);
    if (!e)
        throw std::logic_error("report " + m_name.toStdString() + " has no label " +
                               name.toStdString());
    e->text = text;
}

QString Report::text(const QString &name) const
{
    const ReportElement *e = element(name);
    return e ? e->text : QString();
}

PreparedReport Report::prepare(QWidget *progressParent)
{
    PreparedReport out;
    out.title = m_title;
    out.layout = m_layout;
    const QDateTime when = m_printTime.isValid() ? m_printTime : QDateTime::currentDateTime();

    if (beforePrint)
        beforePrint();

    // The progress window appears only when preparing takes long enough to
    // be noticed, and only where there is a screen to show it on.
    std::unique_ptr<QProgressDialog> progress;
    QElapsedTimer clock;
    clock.start();
    if (m_showProgress && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        progress = std::make_unique<QProgressDialog>(progressParent);
        progress->setWindowTitle(m_progressCaption);
        progress->setLabelText(m_progressCaption);
        progress->setCancelButton(nullptr);
        progress->setRange(0, 0);
        progress->setWindowModality(Qt::WindowModal);
        // Shown by tick() below, never by the dialog's own timer.
        progress->setMinimumDuration(std::numeric_limits<int>::max());
        progress->hide();
    }
    std::size_t shownPages = 0;
    auto tick = [&] {
        if (!progress || out.pages.size() == shownPages)
            return;
        shownPages = out.pages.size();
        if (!progress->isVisible() && clock.elapsed() > 400)
            progress->show();
        if (progress->isVisible()) {
            progress->setLabelText(m_progressCaption + QStringLiteral("\nPage ") +
                                   QString::number(shownPages));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    };

    Layout layout(*this, out, when);
    layout.startPage();
    if (needData) {
        while (needData()) {
            layout.placeDetails();
            tick();
        }
    } else {
        layout.placeDetails();
    }
    layout.finishPage();
    m_pageCount = out.pageCount();
    return out;
}

void Report::preview(QWidget *progressParent)
{
    const PreparedReport pages = prepare(progressParent);
    if (const PreviewHandler &handler = previewHandler())
        handler(*this, pages);
}

Report::PreviewHandler Report::setPreviewHandler(PreviewHandler handler)
{
    PreviewHandler previous = std::move(previewHandler());
    previewHandler() = std::move(handler);
    return previous;
}

} // namespace clvn::report
