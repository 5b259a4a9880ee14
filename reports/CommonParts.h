#pragma once

// What every report shares: the title band with its rule, the page footer
// with the program's name, the print time, the maker's web address and the
// notice, and the names its before-print handler fills.

#include "engine/Report.h"

#include <QString>
#include <QStringView>

namespace clvn::report {

inline constexpr QStringView kNoticeLine1 =
    u"NOTE:  While effort was made to ensure the accuracy of these calculations, there is NO "
    u"WARRANTY, expressed or implied, for the accuracy or";
inline constexpr QStringView kNoticeLine2 =
    u"applicability of this information to your particular financial situation.  Please "
    u"consult your own qualified advisor before making financial decisions.";

// The title band: `title` in bold 27-pixel type at the left margin, a rule
// beneath. The label is named `labelName`.
ReportBand *addTitleBand(Report &report, const QString &title,
                         const QString &labelName = QStringLiteral("lblTitle"));

// The page footer: a rule; lblApplicationTitle at the left, "Printed at " and
// the time in the middle (with `pageNumber`, "Page " and the number after
// it), lblURL at the right; then the two notice lines.
ReportBand *addPageFooter(Report &report, bool pageNumber = false);

// The common part of every RepBeforePrint: the program's name and the web
// address into the footer, and the case's notes under the title.
void fillFooter(Report &report);

// The borrower and notes of the case open in the main window, printed under
// the title of every report; empty prints nothing there.
void setCaseNotes(const QString &notes);

} // namespace clvn::report
