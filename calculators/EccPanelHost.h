#pragma once

// What a line-item panel of the Estimated Closing Costs page asks of the
// page: the shared state, the two panel keys, and the figure its total goes
// to. The page implements it; a panel knows nothing else of the page.

namespace clvn {

class CalculatorHost;

class EccPanelHost
{
public:
    virtual CalculatorHost &calculatorHost() = 0;
    // Both panel keys are off while a panel is open.
    virtual void setPanelKeysEnabled(bool enabled) = 0;
    // A panel's total, added up when its OK closes it.
    virtual void showClosingCostTotal(double total) = 0;
    virtual void showEscrowTotal(double total) = 0;

protected:
    ~EccPanelHost() = default;
};

} // namespace clvn
