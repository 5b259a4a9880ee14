#pragma once

// The Loan Estimate check's report: the verdict, then each figure checked
// with the form's figure beside the recomputed one, its verdict and the rule
// it rests on, then the common footer.

#include "engine/Report.h"

#include <QPointer>
#include <QWidget>

namespace clvn {

class TQRLec
{
public:
    TQRLec();

    report::Report &Rep() { return m_rep; }

    // The page whose verdict (lblLecVerdict) and checks (grdLecCheck) the
    // report reads while it is prepared.
    void setPage(QWidget *lecPage) { m_page = lecPage; }

    // More rows than any estimate gives (four projected columns, four
    // escrow lines, a Closing Disclosure).
    static constexpr int MaxRows = 48;
    static constexpr int Columns = 5;

private:
    void DetailBeforePrint();

    report::Report m_rep;
    QPointer<QWidget> m_page;
};

} // namespace clvn
