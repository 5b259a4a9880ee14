#pragma once

// The loan spread report: the loan figures and the increments of the Loan
// Spread page in every page header, then the twelve rows of its grid grdLS
// (the heading row included), copied as the grid shows them.

#include "engine/Report.h"

#include <QPointer>
#include <QWidget>

namespace clvn {

class TQRPaymentChart
{
public:
    TQRPaymentChart();

    report::Report &Rep() { return m_rep; }

    // The page whose fields, grid and state the events read while pages are
    // prepared: fields edtLoan, EdtInterest, EdtTerm, edtPayment,
    // edtTotalPaid, edtInterestPaid; the grid grdLS; the properties
    // SpreadMode, LoanIncrementText, RateIncrementText, PaymentIncrementText.
    void setPage(QWidget *spreadPage) { m_page = spreadPage; }

    void RepBeforePrint();
    void TitleBeforePrint();
    // Throws ConvertError for a rate or term text that is not a number.
    void PageHeaderBeforePrint();
    bool RepNeedData();

    static constexpr int ColumnCount = 8;

private:
    int chartKind() const;

    report::Report m_rep;
    QPointer<QWidget> m_page;
    int m_row = 0; // the next grid row to print
};

} // namespace clvn
