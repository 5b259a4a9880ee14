#pragma once

// The rows of grdAmortization: the schedule as last listed, up to the row
// that pays the loan off. Texts are made when the view asks for them, so
// listing a 1200-payment schedule costs a copy of the rows, not 8400 strings.

#include "finance/MortLib.h"

#include <QAbstractTableModel>
#include <QColor>

#include <array>
#include <vector>

namespace clvn {

class AmortModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 7;
    // Column widths in pixels, "PMT" to "Balance".
    static constexpr std::array<int, ColumnCount> ColumnWidths{44, 80, 80, 90, 90, 85, 90};
    static QString heading(int column);

    explicit AmortModel(QObject *parent = nullptr);

    // Lists the rows in order and stops before the first row that neither
    // repays principal nor leaves a balance (the loan was repaid earlier).
    void setSchedule(const std::vector<TPayment> &payments);
    // Empties every cell; the row count stays.
    void clearCells();
    // True when the first data row shows a payment number.
    bool hasSchedule() const;
    // The listed rows (empty texts do not remove them from here).
    const std::vector<TPayment> &rows() const { return m_rows; }
    // Payments drawn in a colour of their own with a tip that says why
    // (0: none): where mortgage insurance may be cancelled and where it ends.
    void setMarks(int askPayment, int endsPayment);
    int askMark() const { return m_askMark; }
    int endsMark() const { return m_endsMark; }
    static const QColor AskColor;
    static const QColor EndsColor;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The shown text of one cell: the payment number, or money in the
    // locale currency format with 15 digits and 2 decimals.
    static QString cellText(const TPayment &row, int column);

private:
    std::vector<TPayment> m_rows;
    bool m_cleared = false;
    int m_askMark = 0;
    int m_endsMark = 0;
};

} // namespace clvn
