#pragma once

// The loan offers report: one page with the comparison table as the page
// shows it (the best figure of each row in bold), the break-even sentences
// and the page's chart of what each offer has cost so far, then the common
// footer.

#include "engine/Report.h"

#include <QPointer>
#include <QWidget>

namespace clvn {

class TQRCompare
{
public:
    TQRCompare();

    report::Report &Rep() { return m_rep; }

    // The page whose grid (grdCompare), sentences (lblCmpBreakEven), chart
    // (chtCompare) and home value the report reads while it is prepared.
    void setPage(QWidget *comparePage) { m_page = comparePage; }

    static constexpr int Columns = 4;
    static constexpr int Rows = 11;
    static constexpr qreal ChartHeight = 300;

private:
    void DetailBeforePrint();

    report::Report m_rep;
    QPointer<QWidget> m_page;
};

} // namespace clvn
