#pragma once

// The "CMP" page: two to four loan offers side by side, with the figures a
// lender discloses (APR, finance charge, amount financed, total of
// payments, total interest percentage, the five-year cost), the best of
// each row marked, when the offer that costs more at closing pays for
// itself, and a chart of what each offer has cost month by month. The
// offers are kept between runs in their own section of the settings file.

#include "calculators/CalculatorPage.h"
#include "calculators/TableSource.h"
#include "engine/TableMarks.h"
#include "finance/LoanOffers.h"

#include <QMap>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace clvn {

class CompareChartView;
class TFnpNumericEdit;
class TNumEdit;

class CmpPage : public CalculatorPage, public TableSource, public report::TableMarks
{
    Q_OBJECT

public:
    static constexpr int MaxOffers = 4;
    static constexpr int MinOffers = 2;
    // The rows of grdCompare, top to bottom.
    enum Row
    {
        Payment,
        FinalPayment,
        Apr,
        FinanceCharge,
        AmountFinanced,
        TotalOfPayments,
        TotalInterestPercent,
        FiveYearTotal,
        FiveYearPrincipal,
        CashAtClosing,
        InsuredPayments,
        RowCount
    };
    // The settings file's section for the offers.
    static const QString SettingsSection;
    // Shown, and nothing written, when an offer has mortgage insurance and
    // the home value is not above 0.
    static const QString HomeValueMessage;

    explicit CmpPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    void Reset() override;
    // The number of offers shown.
    QVariant layoutForUndo() const override { return m_offerCount; }
    void restoreLayoutForUndo(const QVariant &kept) override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    bool hasTable() const override { return m_results.has_value(); }
    TableData tableData() const override;
    // The best figure of each row of the comparison shown.
    bool isMarked(int row, int column) const override;

    // Reads the offers shown, compares them, and only then writes the grid,
    // the sentences and the chart. Throws ConvertError for a text that is
    // not a number (or a term that is not whole) and FloatError for figures
    // the comparison refuses; nothing is written then.
    void CalcCMP();
    void btnCmpAddOfferClick();
    void btnCmpRemoveOfferClick();

    int offerCount() const { return m_offerCount; }
    // The caption of each row of grdCompare.
    static const QStringList &rowCaptions();
    // "Offer B costs $4,200.00 more at closing and pays for itself after payment 45.",
    // or "... and does not pay for itself within 360 payments." when `payment` is 0;
    // a cheaper offer's name, when given, follows "at closing" as " than <name>".
    static QString breakEvenSentence(const QString &costlier, double extraAtClosing, qint64 payment,
                                     qint64 within, const QString &cheaper = QString());
    // The offers whose typed premium is not charged, their loans being at
    // or below 80 % of the home value.
    static QString noInsuranceSentence(const QStringList &offers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Column
    {
        QLabel *heading = nullptr;
        QLineEdit *lender = nullptr;
        TNumEdit *loan = nullptr;
        TFnpNumericEdit *rate = nullptr;
        TFnpNumericEdit *term = nullptr;
        TFnpNumericEdit *points = nullptr;
        TNumEdit *fees = nullptr;
        TNumEdit *other = nullptr;
        TNumEdit *insurance = nullptr;
    };

    void buildInputs(QWidget *panel);
    void buildResults(QWidget *panel);
    void bindHandlers();
    void putStartValues();
    void showOffers(int count);
    QString offerName(int index) const;
    // What each offer keeps, its keys followed by the offer's number.
    static std::span<const PageField<Column>> columnFields();

    // Set while a handler moves the focus or Reset puts values back: the
    // fields it leaves must not calculate.
    bool m_quiet = false;
    int m_offerCount = MinOffers;

    QScrollArea *m_scroll = nullptr;
    TNumEdit *m_edtCmpHomeValue = nullptr;
    std::array<Column, MaxOffers> m_columns{};
    QPushButton *m_btnCmpAddOffer = nullptr;
    QPushButton *m_btnCmpRemoveOffer = nullptr;
    QTableWidget *m_grdCompare = nullptr;
    QLabel *m_lblCmpBreakEven = nullptr;
    CompareChartView *m_chtCompare = nullptr;

    // The last comparison shown and the offers' names it was shown with.
    std::optional<LoanOffersResults> m_results;
    std::array<std::array<bool, MaxOffers>, RowCount> m_best{};
    QStringList m_shownNames;
    // Keys whose stored text could not be read, with the text of the value
    // that replaced it: a save leaves such a line as it was unless the user
    // changed the figure.
    QMap<QString, QString> m_unread;
};

} // namespace clvn
