#pragma once

// A small banded report engine. A report holds bands (title, page header,
// detail, page footer); a band holds elements (text labels, lines,
// rectangles, a date-time field, a page-number field) placed in points
// relative to the band's top-left corner. prepare() runs the events, lays the
// bands out page by page and returns the pages as display lists: every item
// already carries its final rectangle (points on the paper, origin at the
// paper's top-left), text and font, so preview, printer and PDF all draw the
// same thing with paintPage() and tests can read a page without rendering.

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QPageLayout>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace clvn::report {

// One drawn thing of a prepared page, in points on the paper.
struct PageItem
{
    enum class Kind
    {
        Text,
        Line,
        Rect,
        Polyline
    };
    Kind kind = Kind::Text;
    QRectF rect; // a line runs from rect.topLeft() to rect.topRight()
    QString text;
    QFont font;
    int flags = 0; // Qt::AlignmentFlag | Qt::TextFlag for QPainter::drawText
    qreal penWidth = 0.75;
    QString name;             // the element it came from
    QPolygonF points;         // a polyline's vertices
    QColor color = Qt::black; // of the text or the pen
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor fill = Qt::transparent; // a rectangle's inside

    // The item moved by `offset` (its rectangle and its points).
    PageItem translated(const QPointF &offset) const;
};

enum class ElementKind
{
    Label,
    HLine,
    Rect,
    DateTime,
    PageNumber,
    Drawing
};

// One thing drawn in a band. Labels and the two system fields use text,
// font and alignment; shapes use penWidth; a drawing places its items with
// their coordinates relative to the geometry's top-left corner.
struct ReportElement
{
    ElementKind kind = ElementKind::Label;
    QString name;
    QRectF geometry; // points, relative to the band
    QString text;    // a label's text, a system field's prefix
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // Width follows the text; the edge the alignment names stays put.
    bool autoSize = false;
    bool wordWrap = false;
    qreal penWidth = 0.75;
    bool enabled = true;
    std::vector<PageItem> drawing;
};

enum class BandKind
{
    Title,
    PageHeader,
    Detail,
    PageFooter
};

class ReportBand
{
public:
    ReportBand(BandKind kind, const QString &name, qreal height);

    BandKind kind() const { return m_kind; }
    QString name() const { return m_name; }
    qreal height() const { return m_height; }
    void setHeight(qreal height) { m_height = height; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // Raised each time the band is about to be laid out; it may change the
    // texts and contents of the band.
    std::function<void()> beforePrint;

    ReportElement *addLabel(const QString &name, const QString &text, const QRectF &geometry,
                            const QFont &font, Qt::Alignment alignment = Qt::AlignLeft,
                            bool autoSize = false);
    // A horizontal rule from x1 to x2 at height y.
    ReportElement *addHLine(const QString &name, qreal y, qreal x1, qreal x2,
                            qreal penWidth = 0.75);
    ReportElement *addRect(const QString &name, const QRectF &geometry, qreal penWidth = 0.75);
    ReportElement *addDateTime(const QString &name, const QString &prefix, const QRectF &geometry,
                               const QFont &font, Qt::Alignment alignment);
    ReportElement *addPageNumber(const QString &name, const QString &prefix, const QRectF &geometry,
                                 const QFont &font, Qt::Alignment alignment);
    // A picture made of display-list items (set its `drawing` before layout).
    ReportElement *addDrawing(const QString &name, const QRectF &geometry);

    ReportElement *element(const QString &name) const;
    const std::vector<std::unique_ptr<ReportElement>> &elements() const { return m_elements; }

private:
    ReportElement *add(std::unique_ptr<ReportElement> element);

    BandKind m_kind;
    QString m_name;
    qreal m_height;
    bool m_enabled = true;
    std::vector<std::unique_ptr<ReportElement>> m_elements;
};

struct PreparedPage
{
    std::vector<PageItem> items;

    // The text of the first item drawn from element `name`, or a null string.
    QString textOf(const QString &name) const;
    // The texts of every item drawn from element `name`, top to bottom.
    QStringList textsOf(const QString &name) const;
    // Every text on the page in drawing order.
    QStringList texts() const;
    // The first text item whose text is `text`, or nullptr.
    const PageItem *findText(const QString &text) const;
};

struct PreparedReport
{
    QString title;
    QPageLayout layout;
    std::vector<PreparedPage> pages;

    int pageCount() const { return int(pages.size()); }
    // The paper size in points.
    QSizeF paperSize() const;
};

// Width of `text` in points for a font sized in points; independent of any
// screen or printer.
qreal textWidth(const QFont &font, const QString &text);
// Line height in points.
qreal lineHeight(const QFont &font);
// A report font: family, size in points, weight; hinting off so measurements
// hold at every resolution.
QFont reportFont(qreal points, bool bold = false);
// Sizes given in screen pixels (96 per inch) in points.
constexpr qreal px(qreal pixels)
{
    return pixels * 0.75;
}

class Report
{
public:
    explicit Report(const QString &name);
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    QString name() const { return m_name; }

    // The title of the preview and the print job.
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString progressCaption() const { return m_progressCaption; }
    void setProgressCaption(const QString &caption) { m_progressCaption = caption; }
    bool showProgress() const { return m_showProgress; }
    void setShowProgress(bool on) { m_showProgress = on; }

    // Paper and margins; the default is portrait Letter with half-inch margins.
    QPageLayout pageLayout() const { return m_layout; }
    void setPageLayout(const QPageLayout &layout) { m_layout = layout; }
    // The width between the margins, in points: the width of every band.
    qreal contentWidth() const;

    // The time that the date-time fields print; invalid means the clock at
    // preparation.
    void setPrintTime(const QDateTime &when) { m_printTime = when; }

    ReportBand *addBand(BandKind kind, const QString &name, qreal height);
    ReportBand *band(const QString &name) const;
    const std::vector<std::unique_ptr<ReportBand>> &bands() const { return m_bands; }
    // An element of any band.
    ReportElement *element(const QString &name) const;
    // Sets the text of the label `name`; throws std::logic_error when absent.
    void setText(const QString &name, const QString &text);
    QString text(const QString &name) const;

    // Raised once before the pages are prepared.
    std::function<void()> beforePrint;
    // Raised before each detail; the answer true prints that detail, false
    // ends the detail section without printing it. Without a handler each
    // enabled detail band prints once.
    std::function<bool()> needData;

    // Lays out all pages in memory, with a progress window when
    // showProgress() is on and there is a GUI.
    PreparedReport prepare(QWidget *progressParent = nullptr);
    // Prepares the pages, hands them to the installed preview handler and
    // frees them when it returns.
    void preview(QWidget *progressParent = nullptr);
    // Page count of the last preparation.
    int pageCount() const { return m_pageCount; }

    using PreviewHandler = std::function<void(Report &, const PreparedReport &)>;
    // Installs the handler that preview() calls; returns the previous one.
    static PreviewHandler setPreviewHandler(PreviewHandler handler);

private:
    QString m_name;
    QString m_title;
    QString m_progressCaption;
    bool m_showProgress = true;
    QPageLayout m_layout;
    QDateTime m_printTime;
    int m_pageCount = 0;
    std::vector<std::unique_ptr<ReportBand>> m_bands;
};

} // namespace clvn::report
