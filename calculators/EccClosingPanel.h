#pragma once

// The closing-cost panel "pnlClosing" of the Estimated Closing Costs page:
// the two point fees and a month of PMI as the page works them out, and the
// typed fees, which it reads from the settings file each time it opens and
// stores as the buyer's defaults when its OK closes it.

#include "calculators/EccPanel.h"
#include "finance/ClosingCosts.h"

#include <span>

namespace clvn {

class PageState;
template <class Owner> struct PageField;

struct BuyerValues;
class TNumEdit;

class EccClosingPanel : public EccPanel
{
    Q_OBJECT

public:
    EccClosingPanel(EccPanelHost &page, QWidget *parent);

    // The typed fees as they stand.
    ClosingFees fees() const;
    double sellerPaid() const;
    // The figures the page works out.
    void showFigures(double originationFee, double discountFee, double monthlyPmi);

    // The typed fees from the stored defaults.
    void startFrom(const BuyerValues &values);
    // The Reset figures; the seller-paid costs and the worked-out origination
    // fee and PMI stay.
    void reset();

    // Opens the panel with the settings file's fees; reports keys it ignored.
    void open();
    // Adds up the panel, stores the typed fees, closes the panel.
    void BtnClosePnlClosingClick();
    // Leaving OK while the panel is open goes back to the first fee.
    void btnClosePnlClosingExit();

    // The panel's inputs, part of its page's state.
    void saveState(PageState &state) const;
    void restoreState(const PageState &state);

protected:
    void okButtonExit() override { btnClosePnlClosingExit(); }

private:
    // The inputs the panel keeps, in the order they are restored.
    static std::span<const PageField<EccClosingPanel>> fields();
    void showFees(const BuyerValues &values);

    TNumEdit *m_edtOriginationFee = nullptr;
    TNumEdit *m_edtLOF = nullptr;
    TNumEdit *m_edtAF = nullptr;
    TNumEdit *m_edtCR = nullptr;
    TNumEdit *m_edtTSF = nullptr;
    TNumEdit *m_edtLPF = nullptr;
    TNumEdit *m_edtTIF = nullptr;
    TNumEdit *m_edtTS = nullptr;
    TNumEdit *m_edtSTT = nullptr;
    TNumEdit *m_edtRF = nullptr;
    TNumEdit *m_edtClosingPMI = nullptr;
    TNumEdit *m_edtOF = nullptr;
    TNumEdit *m_edtSellerPaid = nullptr;
    QPushButton *m_btnClosePnlClosing = nullptr;
};

} // namespace clvn
