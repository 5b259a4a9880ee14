#pragma once

// The Home Seller's Proceeds worksheet: one page whose page-header band holds
// a short explanation and the fourteen figures of the page, the selling
// costs bracketed and the net gain framed.

#include "engine/Report.h"

class QWidget;

namespace clvn {

class TQRHomeSellersProceeds
{
public:
    TQRHomeSellersProceeds();

    report::Report &rep() { return m_rep; }

    // Fills every value from the page's fields and its month list. Throws
    // ConvertError for a field whose text is not a number; then nothing
    // should be previewed.
    void fill(const QWidget *hspPage);

    void repBeforePrint();

    static constexpr int RowCount = 14;

private:
    report::Report m_rep;
};

} // namespace clvn
