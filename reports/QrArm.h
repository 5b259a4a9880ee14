#pragma once

// The adjustable-rate report: one page with the loan's inputs and results as
// the page shows them, the loan terms lines, the adjustable interest rate
// table, the projected principal-and-interest payments and the page's chart
// of the payment on each path, then the common footer.

#include "engine/Report.h"

#include <QPointer>
#include <QWidget>

namespace clvn {

class TQRArm
{
public:
    TQRArm();

    report::Report &Rep() { return m_rep; }

    // The page whose fields, tables (grdArmRateTable, grdArmProjected),
    // loan terms (lblArmLoanTerms) and chart (chtArm) the report reads while
    // it is prepared.
    void setPage(QWidget *armPage) { m_page = armPage; }

    static constexpr int RateRows = 9;
    static constexpr int ProjectedColumns = 4;
    static constexpr qreal ChartHeight = 220;

private:
    void DetailBeforePrint();

    report::Report m_rep;
    QPointer<QWidget> m_page;
};

} // namespace clvn
