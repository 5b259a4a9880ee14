#pragma once

// A stand-in for the main window in page tests: it owns the shared state a
// page reaches through CalculatorHost and records what the page asked of the
// tool bar (printing, Reset), so a test can assert it.

#include "app/settings/BuyerValues.h"
#include "app/settings/SettingsFile.h"
#include "calculators/CalculatorHost.h"
#include "finance/Errors.h"
#include "finance/MortLib.h"
#include "widgets/Guard.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace clvn::test {

class FakeHost : public CalculatorHost
{
public:
    FakeHost() : m_settings(m_dir.filePath(QStringLiteral("CLVN.INI"))) {}

    BuyerValues &buyerValues() override { return m_values; }
    TMortgage &mortgage() override { return m_mortgage; }
    ExtraPaymentState &extraPayment() override { return m_extra; }
    SettingsFile &settingsFile() override { return m_settings; }

    void AllowPrinting() override
    {
        printingAllowed = true;
        ++allowPrintingCalls;
    }
    void DisallowPrinting() override
    {
        printingAllowed = false;
        ++disallowPrintingCalls;
    }
    void setResetEnabled(bool enabled) override { resetEnabled = enabled; }
    QWidget *dialogParent() override { return nullptr; }

    // The folder that holds the settings file; removed with the host.
    QString folder() const { return m_dir.path(); }

    bool printingAllowed = false;
    bool resetEnabled = false;
    int allowPrintingCalls = 0;
    int disallowPrintingCalls = 0;

private:
    QTemporaryDir m_dir;
    BuyerValues m_values;
    TMortgage m_mortgage;
    ExtraPaymentState m_extra;
    SettingsFile m_settings;
};

// Stands in for the main window's handler: records which of its two messages
// it would show, and runs `onFloat` where it resets the page.
inline void recordErrors(QStringList &errors, std::function<void()> onFloat = {})
{
    setExceptionHandler([&errors, onFloat](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const FloatError &) {
            errors << QStringLiteral("unusable-figures");
            if (onFloat)
                onFloat();
        } catch (...) {
            errors << QStringLiteral("unidentified");
        }
    });
}

} // namespace clvn::test
