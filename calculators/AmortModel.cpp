#include "calculators/AmortModel.h"

#include "finance/Savings.h"
#include "widgets/Format.h"

#include <QStringList>

namespace clvn {

QString AmortModel::heading(int column)
{
    switch (column) {
    case 0:
        return QStringLiteral("PMT");
    case 1:
        return QStringLiteral("Principal");
    case 2:
        return QStringLiteral("Interest");
    case 3:
        return QStringLiteral("Principal To Date");
    case 4:
        return QStringLiteral("Interest To Date");
    case 5:
        return QStringLiteral("Extra Principal");
    case 6:
        return QStringLiteral("Balance");
    default:
        return {};
    }
}

const QColor AmortModel::AskColor(198, 239, 206);
const QColor AmortModel::EndsColor(189, 215, 238);

AmortModel::AmortModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void AmortModel::setSchedule(const std::vector<TPayment> &payments)
{
    beginResetModel();
    m_cleared = false;
    // Rows after the payoff show neither principal nor balance: not listed.
    m_rows.assign(payments.begin(), payments.begin() + PaymentsMade(payments));
    endResetModel();
}

void AmortModel::clearCells()
{
    m_cleared = true;
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::DisplayRole});
}

void AmortModel::setMarks(int askPayment, int endsPayment)
{
    if (askPayment == m_askMark && endsPayment == m_endsMark)
        return;
    m_askMark = askPayment;
    m_endsMark = endsPayment;
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1),
                           {Qt::BackgroundRole, Qt::ForegroundRole, Qt::ToolTipRole});
}

bool AmortModel::hasSchedule() const
{
    return !m_cleared && !m_rows.empty();
}

int AmortModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AmortModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString AmortModel::cellText(const TPayment &row, int column)
{
    constexpr int digits = 15;
    constexpr int decimals = 2;
    switch (column) {
    case 0:
        return QString::number(row.Number);
    case 1:
        return formatCurrency(row.Principal, digits, decimals);
    case 2:
        return formatCurrency(row.Interest, digits, decimals);
    case 3:
        return formatCurrency(row.PrincipalToDate, digits, decimals);
    case 4:
        return formatCurrency(row.InterestToDate, digits, decimals);
    case 5:
        return formatCurrency(row.ExtraPrincipal, digits, decimals);
    case 6:
        return formatCurrency(row.Balance, digits, decimals);
    default:
        return {};
    }
}

QVariant AmortModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (m_cleared)
            return QString();
        return cellText(m_rows[std::size_t(index.row())], index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::ToolTipRole: {
        const int payment = m_rows[std::size_t(index.row())].Number;
        const bool ask = !m_cleared && payment == m_askMark;
        const bool ends = !m_cleared && payment == m_endsMark;
        if (!ask && !ends)
            return {};
        if (role == Qt::BackgroundRole)
            return ask ? AskColor : EndsColor;
        // The marks are light in every palette: dark text on them.
        if (role == Qt::ForegroundRole)
            return QColor(Qt::black);
        QStringList tips;
        if (ask)
            tips << QStringLiteral("The borrower may ask to cancel mortgage insurance after this "
                                   "payment.");
        if (ends)
            tips << QStringLiteral("Mortgage insurance ends by itself after this payment.");
        return tips.join(u'\n');
    }
    default:
        return {};
    }
}

QVariant AmortModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return heading(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

} // namespace clvn
