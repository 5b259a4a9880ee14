#pragma once

// The "LS" page: a grid of payments, loan amounts, rates or terms around the
// borrower's own loan (amount, annual rate, term in months, payment), each
// axis stepped by an increment the user picks. The grid's builders live in
// Lsc; this class owns the fields, the mode and the kept increment texts that
// the loan spread report reads (as the properties below).

#include "calculators/CalculatorPage.h"
#include "calculators/TableSource.h"
#include "finance/LoanSpread.h"

#include <QPoint>

#include <cstdint>
#include <span>

class QButtonGroup;
class QFrame;
class QLabel;
class QRadioButton;
class QTableWidget;

namespace clvn {

class TFnpNumericEdit;
class TNumEdit;
struct SpreadTexts;

class LsPage : public CalculatorPage, public TableSource
{
    Q_OBJECT
    Q_PROPERTY(int SpreadMode READ spreadModeIndex)
    Q_PROPERTY(QString LoanIncrementText READ loanIncrementText)
    Q_PROPERTY(QString RateIncrementText READ rateIncrementText)
    Q_PROPERTY(QString PaymentIncrementText READ paymentIncrementText)

public:
    explicit LsPage(CalculatorHost &host, QWidget *parent = nullptr);

    // The grid as listed, for Export to CSV: the corner and column axis as
    // headings, then each row axis value with its eleven cells.
    bool hasTable() const override { return m_hasTable; }
    TableData tableData() const override;
    void enter() override;
    // The Reset button stays disabled while this page shows: nothing to do.
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;
    // Puts the entered fields of the current mode back to the default loan
    // and rebuilds the grid; focus, centre selection and printing change
    // only when the page is showing.
    void recoverFromFloatError(bool active) override;

    // Mode set-up for the chosen rgCalculate item, CleanGrid, then a build.
    void rgCalculateClick();
    // Empties and re-frames the grid for SpreadMode; `select` re-selects
    // and marks the centre.
    void CleanGrid(bool select = true);
    // Builds the grid of SpreadMode. Throws ConvertError for a rate or term
    // text that is not a number, FloatError for figures that give no table.
    void ChooseLoanSpreadCalculator(bool active = true);
    // The grid's hint by SpreadMode.
    void grdLSMouseMove();

    enum class Axis
    {
        Loan,
        Rate,
        Payment
    };

    int spreadModeIndex() const { return int(m_spreadMode); }
    QString loanIncrementText() const { return m_loanIncrementText; }
    QString rateIncrementText() const { return m_rateIncrementText; }
    QString paymentIncrementText() const { return m_paymentIncrementText; }

    // For the builders: the inputs as the modes read them.
    double loanValue() const;
    double paymentValue() const;
    double rateValue() const;       // throws ConvertError
    std::int32_t termValue() const; // throws ConvertError, also out of range
    // The increment chosen on `axis` (0 with none), keeping its text.
    double takeIncrement(Axis axis);
    // Writes a built table, the calculated field and the two totals.
    void showSpread(SpreadMode mode, const SpreadTable &table, const SpreadTexts &texts,
                    bool active);

    QTableWidget *grid() const { return m_grdLS; }
    // The cell drawn as selected (column, row).
    QPoint selectedCell() const { return m_selected; }
    bool isMarked(int column, int row) const;

    static constexpr int GridColumns = 8;
    static constexpr int GridRows = 12;
    static constexpr int CentreColumn = 4;
    static constexpr int CentreRow = 6;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<LsPage>> fields();
    void buildFields();
    void buildChooser();
    void buildIncrements();
    void buildGrid();
    void frameGrid();
    void sizeGrid();
    void setCell(int column, int row, const QString &text);
    void selectCell(int column, int row);
    void restyleGrid();
    void applyModeSetup();
    void focusField(QWidget *field);

    SpreadMode m_spreadMode = SpreadMode::Payment;
    // The table the grid lists, while it lists one.
    SpreadTable m_table;
    bool m_hasTable = false;
    QString m_loanIncrementText = QStringLiteral(" ");
    QString m_rateIncrementText = QStringLiteral(" ");
    QString m_paymentIncrementText = QStringLiteral(" ");

    // Set while the page itself moves the focus or rebuilds: leaving a field
    // then is not the user's doing and must not build again.
    bool m_quiet = false;
    bool m_building = false;
    bool m_marked = false; // column 4 and row 6 drawn yellow
    QPoint m_selected{1, 1};

    TNumEdit *m_edtLoan = nullptr;
    TFnpNumericEdit *m_EdtInterest = nullptr;
    TFnpNumericEdit *m_EdtTerm = nullptr;
    TNumEdit *m_edtPayment = nullptr;
    TNumEdit *m_edtTotalPaid = nullptr;
    TNumEdit *m_edtInterestPaid = nullptr;

    QButtonGroup *m_rgCalculate = nullptr;
    QFrame *m_rgLoan = nullptr;
    QFrame *m_rgInterest = nullptr;
    QFrame *m_rgPayments = nullptr;
    QButtonGroup *m_loanGroup = nullptr;
    QButtonGroup *m_interestGroup = nullptr;
    QButtonGroup *m_paymentsGroup = nullptr;
    QLabel *m_lblLeft = nullptr;
    QLabel *m_lblRight = nullptr;
    QTableWidget *m_grdLS = nullptr;
};

} // namespace clvn
