#pragma once

// The narrow interface through which a calculator page reaches the state it
// shares with the main window: the buyer defaults, the one schedule object,
// the settings file, and the printing and reset controls. The main window
// implements it; tests may implement it with a fake.

#include "finance/PayPlans.h"

#include <cstdint>

class QWidget;

namespace clvn {

struct BuyerValues;
class TMortgage;
class SettingsFile;

// The extra-payment choice shared by the Loan Amortizations and Prepayment pages.
struct ExtraPaymentState
{
    PrepaymentMode ExtraPaymentMode = PrepaymentMode::Single;
    std::int32_t ExtraFromPayment = 0;
    std::int32_t ExtraToPayment = 0;
    double ExtraAmount = 0;
};

class CalculatorHost
{
public:
    virtual ~CalculatorHost() = default;

    virtual BuyerValues &buyerValues() = 0;
    virtual TMortgage &mortgage() = 0;
    virtual ExtraPaymentState &extraPayment() = 0;
    virtual SettingsFile &settingsFile() = 0;

    virtual void AllowPrinting() = 0;
    virtual void DisallowPrinting() = 0;
    virtual void setResetEnabled(bool enabled) = 0;

    // Parent for message boxes and dialogs.
    virtual QWidget *dialogParent() = 0;
};

} // namespace clvn
