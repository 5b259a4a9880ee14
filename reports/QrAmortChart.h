#pragma once

// The amortization chart report: one page with the title, the schedule
// report's line of loan figures, the chart of the Loan Amortizations page
// (drawn by the page's own chart routine), the savings caption when extra
// payments are in the schedule, and the common footer.

#include "engine/Report.h"

#include <QPointer>
#include <QWidget>

namespace clvn {

class TQRAmortChart
{
public:
    TQRAmortChart();

    report::Report &Rep() { return m_rep; }

    // The page whose fields, chart (chtAmortization) and caption
    // (lblAmortSavings) the report reads while its page is prepared.
    void setPage(QWidget *amortPage) { m_page = amortPage; }

    // The chart's box on the page, in points.
    static constexpr qreal ChartHeight = 400;

private:
    void RepBeforePrint();
    void DetailBeforePrint();

    report::Report m_rep;
    QPointer<QWidget> m_page;
};

} // namespace clvn
