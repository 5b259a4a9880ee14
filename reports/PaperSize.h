#pragma once

// The paper reports are laid out on when no printer says otherwise.

#include <QLocale>
#include <QPageSize>

namespace clvn {

// The paper usual where `locale` is used: Letter where the measurement
// system is the US one, A4 elsewhere (the UK's imperial measures go with A4
// paper).
QPageSize localePaperSize(const QLocale &locale);

// Whether the platform knows any printer.
bool printerInstalled();

} // namespace clvn
