#pragma once

// The one painting routine of prepared pages and the three outputs built on
// it: the printer, PDF and images. The preview's page view calls paintPage
// too, so what the user previews is what prints.

#include "engine/Report.h"

#include <QImage>

class QIODevice;
class QPainter;
class QPrinter;

namespace clvn::report {

// Draws one page. The painter's user space must be points on the paper with
// the origin at its top-left corner (see beginPage); fonts are sized for the
// painter's device so that a point stays a point at any resolution.
void paintPage(QPainter &painter, const PreparedPage &page);
// Draws display-list items the same way: the routine behind paintPage, also
// used by widgets that show a drawing on screen.
void paintItems(QPainter &painter, const std::vector<PageItem> &items);

// Sets the painter's transform so that one unit is one point on the paper,
// times `zoom`, with the paper's corner at `origin` (device pixels).
void beginPage(QPainter &painter, qreal zoom = 1.0, const QPointF &origin = {});

// Sends every page to `printer` without a dialog; the job is named after the
// report's title. Throws std::runtime_error when the printer fails.
void printReport(const PreparedReport &report, QPrinter &printer);

// Writes every page as PDF to an open device; throws std::runtime_error on
// failure.
void writePdf(const PreparedReport &report, QIODevice &device);
// Writes the PDF to `fileName` all or nothing (QSaveFile); throws
// std::runtime_error with the reason when it cannot.
void savePdf(const PreparedReport &report, const QString &fileName);

// One page as a white image at `dpi` dots per inch.
QImage renderPage(const PreparedReport &report, int pageIndex, qreal dpi);

} // namespace clvn::report
