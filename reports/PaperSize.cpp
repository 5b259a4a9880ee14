#include "reports/PaperSize.h"

#include <QPrinterInfo>

namespace clvn {

QPageSize localePaperSize(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

bool printerInstalled()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

} // namespace clvn
