#pragma once

// The "Amort" page: the month-by-month schedule of a fixed-rate loan in
// grdAmortization, with extra principal payments on one payment, a range of
// payments or every payment. The schedule itself is the host's TMortgage.

#include "calculators/CalculatorPage.h"
#include "calculators/TableSource.h"
#include "finance/PayPlans.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

#include <span>
#include <utility>
#include <vector>

namespace clvn {

class AmortChartView;
class AmortModel;
class MiPanel;
class TFnpNumericEdit;
class TNumEdit;

class AmortPage : public CalculatorPage, public TableSource
{
    Q_OBJECT

public:
    explicit AmortPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;
    void recoverFromFloatError(bool active) override;

    // The kept schedule, its extra payments included, shown again.
    void recalculate() override;

    // Builds the schedule from the three fields and lists it. Throws
    // ConvertError for a term that is not a whole number and FloatError for
    // figures the schedule cannot use.
    void CalcAmortization();
    // Lists the host's schedule in the grid, up to the payoff row.
    void FillAmortizationGrid();
    // Opens the extra-payment panel when a schedule is listed.
    void BtnExtraClick();
    // mode 0 single payment, 1 range, 2 all payments.
    void SetExtraPaymentFields(PrepaymentMode mode);
    // Applies the panel's extra payment on top of those set before.
    void BtnRecalcExtraClick();
    void BtnRemoveClick();
    void CancelBtnClick();
    // The page reset: default figures, empty grid, printing off.
    void ResetMortgage();
    // Swaps the grid for the chart of the schedule and back; the choice
    // holds until the next click, whatever else happens.
    void BtnAmortChartClick();
    bool chartShown() const { return m_chartShown; }

    // TableSource: the listed schedule.
    bool hasTable() const override;
    TableData tableData() const override;

    AmortModel *model() const { return m_model; }
    // The parts of the page the mortgage-insurance panel works beside.
    struct ScheduleParts
    {
        QTableView *grid;
        QWidget *addExtraButton;
        QWidget *addExtraPanel;
        QWidget *chartButton;
        QWidget *chartPanel;
    };
    ScheduleParts scheduleParts() const;
    AmortChartView *chartView() const { return m_chart; }

    static const QString ExtraPaymentMessage;
    static constexpr int GridTop = 150;
    // Help topics of the page and of its extra-payment panel.
    static constexpr int HelpTopic = 50;
    static constexpr int ExtraPanelHelpTopic = 45;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<AmortPage>> fields();
    void buildFields();
    void buildExtraPanel();
    void buildGrid();
    void frameGrid();
    void buildChart();
    // Shows the grid or the chart, as chosen.
    void showChosenView();
    // Gives the chart the schedule as listed, with the same loan without
    // extras and the savings caption when extras are in it.
    void updateChart();

    TNumEdit *m_edtMortAmt = nullptr;
    TFnpNumericEdit *m_edtIRate = nullptr;
    TFnpNumericEdit *m_edtNumPmts = nullptr;
    TNumEdit *m_edtAmortPayment = nullptr;
    QPushButton *m_btnCalculate = nullptr;
    QPushButton *m_btnAddExtraPayments = nullptr;

    QFrame *m_pnlAddExtra = nullptr;
    QRadioButton *m_rbOnePmt = nullptr;
    QRadioButton *m_rbRangePmts = nullptr;
    QRadioButton *m_rbAllPmts = nullptr;
    QLabel *m_lblFromPmt = nullptr;
    QLineEdit *m_edtFromPmt = nullptr;
    QLabel *m_lblToPmt = nullptr;
    QLineEdit *m_edtToPmt = nullptr;
    QLineEdit *m_edtExtraAmount = nullptr;
    QFrame *m_pnlRemoveExtra = nullptr;
    QPushButton *m_btnAddExtra = nullptr;
    QPushButton *m_btnRemove = nullptr;
    QPushButton *m_btnCancel = nullptr;

    QTableView *m_grdAmortization = nullptr;
    AmortModel *m_model = nullptr;

    QPushButton *m_btnAmortChart = nullptr;
    QWidget *m_pnlAmortChart = nullptr;
    QLabel *m_lblAmortSavings = nullptr;
    AmortChartView *m_chart = nullptr;
    bool m_chartShown = false;
    // Extra payments (payment number, amount) of a restored state, put on
    // the schedule by its next calculation.
    std::vector<std::pair<std::int32_t, double>> m_pendingExtras;
    bool m_extrasPending = false;

    MiPanel *m_mi = nullptr;
};

} // namespace clvn
