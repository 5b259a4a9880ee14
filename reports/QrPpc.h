#pragma once

// The prepayment worksheet of the Prepayment Calculator page: a sentence
// naming the prepayment, then the loan's figures beside the results with
// prepayments, in one page-header band.

#include "engine/Report.h"

class QWidget;

namespace clvn {

class TQrPrepaymentResults
{
public:
    TQrPrepaymentResults();

    report::Report &rep() { return m_rep; }

    // Fills the sentence and the sixteen values from the page. The sentence
    // names the prepayment the page's results were calculated with (its
    // properties appliedMode, appliedFrom, appliedTo, appliedAmount,
    // appliedOutcome, appliedTerm), not the choice showing now. Throws
    // ConvertError for a field whose text is not a number; std::runtime_error
    // for a page without those fields.
    void fill(const QWidget *ppcPage);

    // "$100.00, applied to payments 12 through 24," and its two other forms
    // (mode 0 single, 1 range, 2 all payments) for an applied prepayment;
    // otherwise "$0.00, since ..." and why none was applied. `outcome` is a
    // PrepaymentOutcome, `term` the payments the numbers were checked against.
    static QString prepayDetails(int mode, int from, int to, double amount, int outcome, int term);

    void repBeforePrint();

private:
    report::Report m_rep;
};

} // namespace clvn
