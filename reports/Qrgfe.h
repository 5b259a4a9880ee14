#pragma once

// The good-faith estimate of the Estimated Closing Costs page: one page
// whose page-header band BandPQ holds a fixed note at the left and the
// estimate's 39 rows at the right.

#include "engine/Report.h"

class QWidget;

namespace clvn {

class TQRGoodFaith
{
public:
    TQRGoodFaith();

    report::Report &Rep() { return m_rep; }

    // Fills every value of BandPQ from the page's fields (and those of its
    // closing-cost and escrow panels). Throws ConvertError for a field whose
    // text is not a number; then nothing should be previewed.
    void fill(const QWidget *eccPage);

    void RepBeforePrint();

private:
    report::Report m_rep;
};

} // namespace clvn
