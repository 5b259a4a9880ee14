#pragma once

// The escrow panel "pnlEscrow" of the Estimated Closing Costs page: the
// prepaid items and reserves the page works out, each beside its typed day
// or month count, and the PMI premium rate. Its OK stores the counts as the
// buyer's defaults.

#include "calculators/EccPanel.h"
#include "finance/ClosingCosts.h"

#include <span>

namespace clvn {

class PageState;
template <class Owner> struct PageField;

struct BuyerValues;
class TFnpNumericEdit;
class TNumEdit;

class EccEscrowPanel : public EccPanel
{
    Q_OBJECT

public:
    EccEscrowPanel(EccPanelHost &page, QWidget *parent);

    // The counts the lines of `purchase` use, read in the order the page has
    // always read them; a tax or insurance line that is 0 does not read its
    // count, so an unreadable count there costs nothing. Throws ConvertError
    // for a count that is not a whole number.
    EscrowCounts counts(const PurchaseEstimate &purchase) const;
    void showFigures(const EscrowAmounts &amounts, double premium);

    // The counts from the stored defaults.
    void startFrom(const BuyerValues &values);
    // The Reset counts; the amounts and the premium rate to 0.
    void reset();

    void open();
    // Adds up the panel, stores the counts, closes the panel.
    void BtnClosePnlEscrowClick();
    // Leaving OK while the panel is open goes back to the first count.
    void btnClosePnlEscrowExit();

    // The panel's inputs, part of its page's state.
    void saveState(PageState &state) const;
    void restoreState(const PageState &state);

protected:
    void okButtonExit() override { btnClosePnlEscrowExit(); }

private:
    // The inputs the panel keeps, in the order they are restored.
    static std::span<const PageField<EccEscrowPanel>> fields();
    TNumEdit *m_edtII = nullptr;
    TFnpNumericEdit *m_edtIIDays = nullptr;
    TNumEdit *m_edtPTI = nullptr;
    TFnpNumericEdit *m_edtPTIMonths = nullptr;
    TNumEdit *m_edtHOIP = nullptr;
    TFnpNumericEdit *m_edtHOIPMonths = nullptr;
    TNumEdit *m_edtHOII = nullptr;
    TFnpNumericEdit *m_edtHOIIMonths = nullptr;
    TNumEdit *m_edtPMII = nullptr;
    TFnpNumericEdit *m_edtPMIIMonths = nullptr;
    TFnpNumericEdit *m_edtPMIPercent = nullptr;
    QPushButton *m_btnClosePnlEscrow = nullptr;
};

} // namespace clvn
