// The application-wide handler: every failure of a handler ends here.

#include "app/Main.h"

#include "app/settings/Prefs.h"
#include "calculators/CalculatorPage.h"
#include "finance/Errors.h"
#include "widgets/Messages.h"

#include <QStackedWidget>

using namespace Qt::StringLiterals;

namespace clvn {

void TfrmMain::AppOnException(std::exception_ptr error)
{
    ++m_errorCount;
    bool floatError = false;
    showInfo(this, failureMessage(error, &floatError));
    returnToRefusedField(error);
    if (!floatError || m_inErrorHandler)
        return;
    // Put back sane figures on the pages that need them. A failure while
    // recovering must not start the cycle again.
    m_inErrorHandler = true;
    const QWidget *active = m_nbkMain->currentWidget();
    for (const Destination &d : m_destinations) {
        if (!d.page)
            continue;
        try {
            fpe::clearFlags();
            d.page->recoverFromFloatError(d.page == active);
        } catch (...) {
        }
    }
    m_inErrorHandler = false;
    updateExportEnabled();
}

void TfrmMain::reportSettingsProblems()
{
    if (m_loadReport.ok())
        return;
    showInfo(this, ignoredKeysMessage(m_settingsFile->readPath(), m_loadReport.ignoredKeys));
    m_loadReport = {};
}

} // namespace clvn
