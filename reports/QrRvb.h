#pragma once

// The rent-versus-buy worksheet: one page listing the Rent vs Buy page's
// inputs and results as twenty captioned values.

#include "engine/Report.h"

class QWidget;

namespace clvn {

class TQRRentVsBuy
{
public:
    TQRRentVsBuy();

    report::Report &Rep() { return m_rep; }

    // Fills the twenty values from the page's fields. Throws ConvertError
    // for a field whose text is not a number; the labels keep their old
    // texts then.
    void fill(const QWidget *rvbPage);

    void RepBeforePrint();

    static constexpr int RowCount = 20;

private:
    report::Report m_rep;
};

} // namespace clvn
