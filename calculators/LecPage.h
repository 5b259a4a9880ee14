#pragma once

// The "LEC" page: a Loan Estimate typed as it stands, page by page of the
// form, and every figure that its other figures determine recomputed and
// judged against the rounding and tolerances Regulation Z allows. It starts
// with the CFPB's sample estimate, so a new user sees a worked check. Its
// inputs are kept between runs in their own section of the settings file.

#include "calculators/CalculatorPage.h"
#include "calculators/StateFields.h"
#include "calculators/TableSource.h"
#include "finance/LoanEstimate.h"

#include <optional>
#include <span>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace clvn {

class NumberField;

class LecPage : public CalculatorPage, public TableSource
{
    Q_OBJECT

public:
    // The settings file's section for the inputs.
    static const QString SettingsSection;
    // Every refusal's message starts with this.
    static const QString RefusalPrefix;

    explicit LecPage(CalculatorHost &host, QWidget *parent = nullptr);
    ~LecPage() override;

    void enter() override;
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // The checks listed in grdLecCheck.
    bool hasTable() const override { return m_results.has_value(); }
    TableData tableData() const override;

    // Reads the form, checks it and only then writes the results grid and
    // the verdict, and shows them. A grid cell that is not a figure is
    // reported in a message naming it; nothing is written then. Throws
    // ConvertError for a field that is not a number, FloatError for figures
    // that cannot be checked (no loan, no term).
    void CheckLEC();

protected:
    // A larger window gives the checks' grid the room: the form's pages keep theirs.
    void resizeEvent(QResizeEvent *event) override;
    QVariant layoutForUndo() const override;
    void restoreLayoutForUndo(const QVariant &kept) override;

private:
    static std::span<const PageField<LecPage>> fields();

    void buildFirstPage(QWidget *tab);
    void buildLoanCosts(QWidget *ab, QWidget *ce);
    void buildOtherCosts(QWidget *tab);
    void buildLastPage(QWidget *tab);
    void buildAdjustable(QWidget *tab);
    void buildCheck(QWidget *tab);
    void putStartValues();
    LoanEstimateInputs readInputs() const;
    // Every editable grid with the key its cells are kept under.
    std::vector<std::pair<QTableWidget *, QString>> grids() const;

    bool m_quiet = false;
    QTabWidget *m_tabs = nullptr;
    // Page 1.
    NumberField *m_edtLecLoanTerm = nullptr;
    QComboBox *m_cbLecProduct = nullptr;
    NumberField *m_edtLecPropertyValue = nullptr;
    NumberField *m_edtLecLoanAmount = nullptr;
    NumberField *m_edtLecRate = nullptr;
    NumberField *m_edtLecPI = nullptr;
    NumberField *m_edtLecMI = nullptr;
    NumberField *m_edtLecExactMI = nullptr;
    NumberField *m_edtLecEscrow = nullptr;
    QTableWidget *m_grdLecProjected = nullptr;
    NumberField *m_edtLecClosingCosts = nullptr;
    NumberField *m_edtLecCashToClose = nullptr;
    // Page 2.
    QTableWidget *m_grdLecA = nullptr;
    QTableWidget *m_grdLecB = nullptr;
    QTableWidget *m_grdLecC = nullptr;
    NumberField *m_edtLecD = nullptr;
    QTableWidget *m_grdLecE = nullptr;
    NumberField *m_edtLecHoiMonths = nullptr;
    NumberField *m_edtLecHoiPremium = nullptr;
    NumberField *m_edtLecMIPremium = nullptr;
    NumberField *m_edtLecPerDiem = nullptr;
    NumberField *m_edtLecPrepaidDays = nullptr;
    NumberField *m_edtLecPrepaidInterest = nullptr;
    QTableWidget *m_grdLecEscrow = nullptr;
    QTableWidget *m_grdLecH = nullptr;
    NumberField *m_edtLecI = nullptr;
    NumberField *m_edtLecLenderCredits = nullptr;
    NumberField *m_edtLecJ = nullptr;
    NumberField *m_edtLecFinanced = nullptr;
    NumberField *m_edtLecDownPayment = nullptr;
    NumberField *m_edtLecDeposit = nullptr;
    NumberField *m_edtLecFundsForBorrower = nullptr;
    NumberField *m_edtLecSellerCredits = nullptr;
    NumberField *m_edtLecAdjustments = nullptr;
    // Page 3, and the Closing Disclosure's figures when given.
    NumberField *m_edtLecIn5Total = nullptr;
    NumberField *m_edtLecIn5Principal = nullptr;
    NumberField *m_edtLecAPR = nullptr;
    NumberField *m_edtLecTIP = nullptr;
    NumberField *m_edtLecCdFinanceCharge = nullptr;
    NumberField *m_edtLecCdAmountFinanced = nullptr;
    NumberField *m_edtLecCdTotalOfPayments = nullptr;
    NumberField *m_edtLecCdAPR = nullptr;
    NumberField *m_edtLecCdTIP = nullptr;
    // An adjustable product's rate terms.
    NumberField *m_edtLecArmFixedMonths = nullptr;
    NumberField *m_edtLecArmAdjustMonths = nullptr;
    NumberField *m_edtLecArmIndex = nullptr;
    NumberField *m_edtLecArmMargin = nullptr;
    QComboBox *m_cbLecArmRounding = nullptr;
    NumberField *m_edtLecArmFirstCap = nullptr;
    NumberField *m_edtLecArmPeriodicCap = nullptr;
    NumberField *m_edtLecArmLifetimeCap = nullptr;
    NumberField *m_edtLecArmFloor = nullptr;
    NumberField *m_edtLecArmInterestOnly = nullptr;
    // The check.
    QPushButton *m_btnLecCheck = nullptr;
    QLabel *m_lblLecVerdict = nullptr;
    QTableWidget *m_grdLecCheck = nullptr;

    std::optional<LoanEstimateResults> m_results;
};

} // namespace clvn
