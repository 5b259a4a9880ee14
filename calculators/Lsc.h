#pragma once

// The four builders of the loan spread grid and the texts they write. Each
// builder reads the page's inputs, builds the whole table (finance/LoanSpread)
// and only then writes the headings, the 77 cells and the page's calculated
// fields, so a failure leaves the grid and the fields as they were.

#include "finance/LoanSpread.h"

#include <QString>

#include <array>

namespace clvn {

class LsPage;

// The table's texts: heading row (columns 1-7), heading column (rows 1-11)
// and the cells [column][row] as the grid shows them.
struct SpreadTexts
{
    std::array<QString, SpreadColumnCount> columns;
    std::array<QString, SpreadRowCount> rows;
    std::array<std::array<QString, SpreadRowCount>, SpreadColumnCount> cells;
};

// The grid's corner label for a mode.
QString spreadCorner(SpreadMode mode);
// The texts of a built table in the mode's formats (locale currency, general
// with 5 digits, fixed with 5 significant digits). A figure that rounds to
// zero shows without a sign.
SpreadTexts spreadTexts(SpreadMode mode, const SpreadTable &table);

// `active` tells whether the page is showing: only then do the builders of
// modes 1-3 re-select the centre cell and switch printing on.
void BuildPaymentSpread(LsPage &page, bool active = true);
void BuildLoanAmountSpread(LsPage &page, bool active = true);
void BuildRateSpread(LsPage &page, bool active = true);
void BuildTermSpread(LsPage &page, bool active = true);

} // namespace clvn
