#pragma once

// The "Mortgage Insurance" panel of the Loan Amortizations page: the home
// value and the monthly premium (proposed from the stored premium table),
// and, once applied, when the insurance may be cancelled and when it ends,
// on the listed schedule. The results show in a strip under the grid; the
// two payments are marked in the grid and on the chart; the reports print
// the page's summary (the dynamic property SummaryProperty of the page);
// CSV export gains the premium paid with each payment.

#include "calculators/AmortChart.h"
#include "finance/MortgageInsurance.h"

#include <QFrame>

#include <span>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace clvn {

class PageState;
template <class Owner> struct PageField;

class AmortPage;
class CalculatorHost;
class TNumEdit;
struct TableData;

class MiPanel : public QFrame
{
    Q_OBJECT

public:
    // Builds the panel, its button beside "Add Extra" and the results strip
    // on `page`.
    MiPanel(CalculatorHost &host, AmortPage &page);

    // Opens the panel when a schedule is listed.
    void BtnMortgageInsuranceClick();
    // Takes the two figures, or says why not; then shows the results.
    void BtnApplyMIClick();
    // Clears the home value and the premium and turns the results off.
    void BtnRemoveMIClick();
    void BtnCancelMIClick();
    // Proposes the premium for the home value just left.
    void edtMIHomeValueExit();

    // Works the results out again for the schedule as listed (none when no
    // schedule is listed) and shows them. Run whenever the page lists.
    void refresh();

    bool applied() const { return m_applied; }
    // The results shown, if any.
    bool hasResults() const { return m_hasResults; }
    const MortgageInsuranceResults &results() const { return m_results; }
    // The chart's vertical lines with their captions.
    std::vector<AmortChartMark> chartMarks() const;
    // The "Mortgage Insurance" column of the export: the premium paid with
    // each payment when the borrower asks to cancel as soon as allowed.
    void addColumn(TableData &table) const;

    static const QString HomeValueMessage;
    static const QString PremiumMessage;
    static const QString PremiumNeededMessage;
    // The page's property that holds the printed block ("" when none).
    static constexpr const char *SummaryProperty = "mortgageInsuranceSummary";
    // Height of the results strip the grid gives up while applied.
    static constexpr int StripHeight = 88;

    // The panel's inputs, part of its page's state.
    void saveState(PageState &state) const;
    void restoreState(const PageState &state);

protected:
    // The extra-payment panel opening in the same place closes this one.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The inputs the panel keeps, in the order they are restored.
    static std::span<const PageField<MiPanel>> fields();
    void buildPanel();
    void buildStrip();
    // The grid, the chart and the strip placed for the applied state.
    void placeStrip();
    // Lists the schedule again (or only the strip when none is listed).
    void relist();
    void showResults(const MortgageInsuranceResults &r);
    void clearResults();
    QString summary(const MortgageInsuranceResults &r) const;

    CalculatorHost &m_host;
    AmortPage &m_page;
    QTableView *m_grid = nullptr;
    int m_gridFullHeight = 0;

    QPushButton *m_btnMortgageInsurance = nullptr;
    TNumEdit *m_edtMIHomeValue = nullptr;
    TNumEdit *m_edtMIPremium = nullptr;
    QPushButton *m_btnApplyMI = nullptr;
    QPushButton *m_btnRemoveMI = nullptr;
    QPushButton *m_btnCancelMI = nullptr;

    QFrame *m_pnlMIResults = nullptr;
    QLineEdit *m_edtMIStartLTV = nullptr;
    QLineEdit *m_edtMIAskAt = nullptr;
    QLineEdit *m_edtMIAskActualAt = nullptr;
    QLineEdit *m_edtMIEndsAt = nullptr;
    QLineEdit *m_edtMIPremiumsAsk = nullptr;
    QLineEdit *m_edtMIPremiumsAskActual = nullptr;
    QLineEdit *m_edtMIPremiumsEnd = nullptr;
    QLineEdit *m_edtMISaved = nullptr;

    bool m_applied = false;
    double m_homeValue = 0;
    double m_premium = 0;
    double m_proposedFor = 0; // the home value the premium was last proposed for
    bool m_hasResults = false;
    MortgageInsuranceResults m_results;
};

} // namespace clvn
