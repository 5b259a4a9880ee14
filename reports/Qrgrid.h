#pragma once

// The amortization schedule report: the loan figures of the Loan
// Amortizations page in every page header, then one detail row per row of
// its grid grdAmortization, copied as the grid shows it.

#include "engine/Report.h"

#include <QPointer>
#include <QWidget>

namespace clvn {

// The schedule report's line of loan figures: four captions each followed
// by a bold value (lblMortgageAmt, lblIRate, lblNumPmts, lblPaymentAmt), at
// height y of `band`; fillLoanFigures copies them from the page as shown.
void addLoanFigures(report::ReportBand *band, qreal y);
void fillLoanFigures(report::Report &report, const QWidget *amortPage);

// The page property that holds the mortgage-insurance block ("" when none).
inline constexpr const char *kMortgageInsuranceSummary = "mortgageInsuranceSummary";
// A title band (after the title) for that block; filling it before the
// pages are prepared leaves the band out when the page has no block.
void addMortgageInsuranceBlock(report::Report &report);
void fillMortgageInsuranceBlock(report::Report &report, const QWidget *amortPage);

class TQRAmortization
{
public:
    TQRAmortization();

    report::Report &Rep() { return m_rep; }

    // The page whose fields and grid the events read while pages are
    // prepared (by objectName: edtMortAmt, EdtIRate, EdtNumPmts,
    // edtAmortPayment, grdAmortization).
    void setPage(QWidget *amortPage) { m_page = amortPage; }

    void RepBeforePrint();
    void PageHeaderBeforePrint();
    bool RepNeedData();

    static constexpr int ColumnCount = 7;

private:
    report::Report m_rep;
    QPointer<QWidget> m_page;
    int m_row = 0; // the next grid row to print
};

} // namespace clvn
