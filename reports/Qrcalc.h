#pragma once

// The calculation report: one layout with a body band per calculation, of
// which the print switches exactly one on. BandMQ prints the Mortgage
// Qualifier page, BandBW the Biweekly Payments page, BandRefi the
// Refinancing page.

#include "engine/Report.h"

class QWidget;

namespace clvn {

class TQRCalcs
{
public:
    enum class Kind
    {
        None,
        MortgageQualifier,
        Biweekly,
        Refinancing
    };

    TQRCalcs();

    report::Report &Rep() { return m_rep; }

    // Switches on the band of `kind` and off the others; false when this
    // layout has no band for it.
    bool setKind(Kind kind);

    // Fills BandMQ from the Mortgage Qualifier page's fields. Throws
    // ConvertError for a field whose text is not a number.
    void fillMQ(const QWidget *mqPage);
    // Fills BandBW from the Biweekly Payments page's fields. Throws
    // ConvertError for a field whose text is not a number.
    void fillBW(const QWidget *bwPage);

    // Fills BandRefi from the Refinancing page's fields and its sentence
    // lblSell. Throws ConvertError for a field whose text is not a number.
    void fillRefi(const QWidget *refiPage);

    void RepBeforePrint();

private:
    void buildBandMQ();
    void buildBandBW();
    void buildBandRefi();

    report::Report m_rep;
};

} // namespace clvn
