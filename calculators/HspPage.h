#pragma once

// The "HSP" page: what a home seller keeps after the sale, the price less
// the loans paid off, the selling costs, the transfer tax and the seller's
// share of the year's property tax up to the closing month. The arithmetic
// is CalcSellerProceeds (finance/SellerProceeds).

#include "calculators/CalculatorPage.h"

class QComboBox;

#include <span>

namespace clvn {

class TFnpNumericEdit;
class TNumEdit;

class HspPage : public CalculatorPage
{
    Q_OBJECT

public:
    explicit HspPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    // The table's reset values, the month "July", focus on the sale price;
    // no calculation.
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // Recomputes taxes, costs and net gain. `fromMonthBox` is true when the
    // closing-month box caused the run: a text there that names no month
    // becomes "January". Throws ConvertError for a transfer percent that is
    // not a number; then no result changes.
    void CalcHSP(bool fromMonthBox = false);

    // 1 for "January" ... 12 for "December", 0 for any other text.
    static int monthNumber(const QString &text);

    static const QString NoteText;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<HspPage>> fields();
    TNumEdit *addAmount(const QString &name, const QRect &geometry, double start,
                        bool result = false);

    // Set while CalcHSP or Reset runs: the month box's own change signal
    // must not start CalcHSP inside them.
    bool m_busy = false;

    TNumEdit *m_edtHSPHouseSalesPrice = nullptr;
    TNumEdit *m_edtHSPFirstLoanBalance = nullptr;
    TNumEdit *m_edtHSPSecondLoanBalance = nullptr;
    TNumEdit *m_edtHSPOtherLoans = nullptr;
    QComboBox *m_cbHSPClosingMonth = nullptr;
    TNumEdit *m_edtHSPPropertyTaxes = nullptr;
    TNumEdit *m_edtHSPPropertyTaxesPaid = nullptr;
    TFnpNumericEdit *m_edtHSPTransferTaxPercent = nullptr;
    TNumEdit *m_edtHSPTransferTaxesPaid = nullptr;
    TNumEdit *m_edtHSPPrepaymentPenalty = nullptr;
    TNumEdit *m_edtHSPSalesCommission = nullptr;
    TNumEdit *m_edtHSPOtherSalesCommission = nullptr;
    TNumEdit *m_edtHSPOtherFees = nullptr;
    TNumEdit *m_edtHSPCosts = nullptr;
    TNumEdit *m_edtHSPNetGain = nullptr;
};

} // namespace clvn
