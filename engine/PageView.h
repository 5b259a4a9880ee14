#pragma once

// The page-view control: one prepared page at a zoom percentage, with
// whole-page and page-width fitting and scroll bars that track while
// dragged. 100 % is the paper's real size on the screen.

#include "engine/Report.h"

#include <QAbstractScrollArea>

namespace clvn::report {

class QRPreview : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit QRPreview(QWidget *parent = nullptr);

    // The pages shown; nullptr shows nothing. The pages must outlive their
    // use here.
    void setReport(const PreparedReport *report);
    const PreparedReport *report() const { return m_report; }
    int pageCount() const;

    // 1-based; clamped to the pages there are.
    int pageNumber() const { return m_page; }
    void setPageNumber(int page);

    int zoom() const { return m_zoom; }
    void setZoom(int percent);
    // The whole page fits the window; the zoom follows resizing.
    void zoomToFit();
    // The page's width fits the window; the zoom follows resizing.
    void zoomToWidth();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Scroll bars coming and going resize the viewport: fit again then.
    bool viewportEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class Fit
    {
        None,
        Page,
        Width
    };

    qreal pixelsPerPoint() const;
    QSize pagePixels() const;
    void applyFit();
    void updateScrollBars();

    const PreparedReport *m_report = nullptr;
    int m_page = 1;
    int m_zoom = 100;
    Fit m_fit = Fit::None;
};

} // namespace clvn::report
