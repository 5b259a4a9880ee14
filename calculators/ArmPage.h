#pragma once

// The "ARM" page: an adjustable-rate loan with its caps, floor and rounding,
// its payments on the index-unchanged, worst-case, best-case and own index
// paths, the Loan Estimate's adjustable interest rate table, projected
// principal-and-interest payments and loan terms lines, the APR, and a
// comparison with a fixed-rate loan. Its inputs are kept between runs in
// their own section of the settings file.

#include "calculators/CalculatorPage.h"
#include "calculators/StateFields.h"
#include "calculators/TableSource.h"
#include "finance/Arm.h"

#include <QList>
#include <QMap>

#include <optional>
#include <span>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace clvn {

class ArmScheduleModel;
class CompareChartView;
class NumberField;
class TFnpNumericEdit;
class TNumEdit;

class ArmPage : public CalculatorPage, public TableSource
{
    Q_OBJECT

public:
    // The settings file's section for the inputs.
    static const QString SettingsSection;
    // Every refusal's message starts with this.
    static const QString RefusalPrefix;

    explicit ArmPage(CalculatorHost &host, QWidget *parent = nullptr);
    ~ArmPage() override;

    void enter() override;
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // The schedule shown (the path chosen in rgArmCase).
    bool hasTable() const override { return m_results.has_value(); }
    TableData tableData() const override;

    // Reads the inputs, calculates every path and only then writes the
    // results, tables, schedule and chart. A figure the calculation refuses
    // is reported in a message naming its field, which takes the focus;
    // nothing is written then. Throws InputRefused for such a figure,
    // ConvertError for a text that is not a number, FloatError for figures
    // with no finite result.
    void CalcARM();

    // The message shown for a refusal.
    static QString refusalMessage(const ArmInputError &error);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Every input kept between runs, in the order the settings file lists them.
    static std::span<const PageField<ArmPage>> fields();

    void buildInputs(QWidget *panel);
    void buildResults(QWidget *panel, QWidget *estimate, QWidget *schedule, QWidget *chart);
    void bindHandlers();
    void putStartValues();
    ArmInputs readInputs() const;
    void showSchedule();
    const ArmPath *chosenPath() const;

    bool m_quiet = false;

    QTabWidget *m_tabs = nullptr;
    // Inputs.
    NumberField *m_edtArmLoan = nullptr;
    NumberField *m_edtArmTerm = nullptr;
    NumberField *m_edtArmRate = nullptr;
    NumberField *m_edtArmFixedMonths = nullptr;
    NumberField *m_edtArmAdjustMonths = nullptr;
    NumberField *m_edtArmIndex = nullptr;
    NumberField *m_edtArmMargin = nullptr;
    QComboBox *m_cbArmRounding = nullptr;
    NumberField *m_edtArmFirstCap = nullptr;
    NumberField *m_edtArmPeriodicCap = nullptr;
    NumberField *m_edtArmLifetimeCap = nullptr;
    NumberField *m_edtArmFloor = nullptr;
    NumberField *m_edtArmInterestOnly = nullptr;
    NumberField *m_edtArmPrepaid = nullptr;
    QLineEdit *m_edtArmPath = nullptr;
    NumberField *m_edtArmFixedRate = nullptr;
    NumberField *m_edtArmFixedPrepaid = nullptr;
    // Results.
    TFnpNumericEdit *m_edtArmFullyIndexed = nullptr;
    TNumEdit *m_edtArmFirstPayment = nullptr;
    TNumEdit *m_edtArmPaymentAfterChange = nullptr;
    TNumEdit *m_edtArmBalanceAtChange = nullptr;
    TNumEdit *m_edtArmHighestPayment = nullptr;
    TFnpNumericEdit *m_edtArmHighestAt = nullptr;
    TFnpNumericEdit *m_edtArmHighestRate = nullptr;
    TFnpNumericEdit *m_edtArmAPR = nullptr;
    TNumEdit *m_edtArmFinanceCharge = nullptr;
    TFnpNumericEdit *m_edtArmTIP = nullptr;
    TNumEdit *m_edtArmFiveYearTotal = nullptr;
    TNumEdit *m_edtArmFiveYearPrincipal = nullptr;
    TNumEdit *m_edtArmFixedPayment = nullptr;
    TNumEdit *m_edtArmMonthlyDifference = nullptr;
    TFnpNumericEdit *m_edtArmFixedBreakEvenIndex = nullptr;
    TFnpNumericEdit *m_edtArmFixedBreakEvenWorst = nullptr;
    QLabel *m_lblArmLoanTerms = nullptr;
    QTableWidget *m_grdArmRateTable = nullptr;
    QTableWidget *m_grdArmProjected = nullptr;
    QButtonGroup *m_rgArmCase = nullptr;
    QTableView *m_grdArmSchedule = nullptr;
    ArmScheduleModel *m_schedule = nullptr;
    CompareChartView *m_chtArm = nullptr;
    // The fixed loan's results and their captions, shown only with a fixed loan.
    QList<QWidget *> m_fixedResults;

    std::optional<ArmResults> m_results;
    // Keys whose stored text could not be read, with the text of the value
    // that replaced it: the exit save leaves such a line as it was unless
    // the user changed the figure.
    QMap<QString, QString> m_unread;
};

} // namespace clvn
