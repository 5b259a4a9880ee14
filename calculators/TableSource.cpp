#include "calculators/TableSource.h"

#include "widgets/Guard.h"
#include "widgets/Messages.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace clvn {

namespace {

// A number in C locale fixed notation; a value that rounds to zero is "0.00",
// never "-0.00".
QString machineNumber(double v, int decimals)
{
    if (std::fabs(v) * std::pow(10.0, decimals) < 0.5)
        v = 0;
    return QString::number(v, 'f', decimals);
}

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvCell(const TableCell &cell)
{
    return cell.isNumber ? machineNumber(cell.value, cell.decimals) : csvField(cell.text);
}

QString tsvField(QString text)
{
    for (QChar &c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

QString tsvCell(const TableCell &cell, const QLocale &locale)
{
    if (!cell.isNumber)
        return tsvField(cell.text);
    // The machine form with the locale's decimal separator.
    QString text = machineNumber(cell.value, cell.decimals);
    return text.replace(u'.', locale.decimalPoint());
}

QString csvRecord(const QStringList &fields)
{
    QString out;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += u',';
        out += csvField(fields[i]);
    }
    return out + QStringLiteral("\r\n");
}

// Copies the source's table when the Copy key reaches the view.
class TableCopier : public QObject
{
public:
    TableCopier(QAbstractItemView *view, const TableSource &source)
        : QObject(view), m_view(view), m_source(source)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The view copies only its current cell on its own: take the key
        // before it does, and claim the shortcut so no window action gets it.
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->matches(QKeySequence::Copy)) {
                if (event->type() == QEvent::KeyPress)
                    guard([this] { copy(); });
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void copy()
    {
        if (!m_source.hasTable())
            return;
        std::vector<int> rows;
        if (const QItemSelectionModel *selection = m_view->selectionModel()) {
            const QModelIndexList selected = selection->selectedRows();
            for (const QModelIndex &index : selected)
                rows.push_back(index.row());
        }
        std::sort(rows.begin(), rows.end());
        const TableData table = m_source.tableData();
        QGuiApplication::clipboard()->setText(tsvText(table, rows));
        const qsizetype copied =
            rows.empty() ? qsizetype(table.rows.size()) : qsizetype(rows.size());
        showStatusNote(m_view,
                       QStringLiteral("Copied %1 %2 to the clipboard")
                           .arg(copied)
                           .arg(copied == 1 ? QStringLiteral("row") : QStringLiteral("rows")));
    }

    QAbstractItemView *m_view;
    const TableSource &m_source;
};

} // namespace

TableCell TableCell::number(double value, int decimals)
{
    TableCell cell;
    cell.isNumber = true;
    cell.value = value;
    cell.decimals = decimals;
    return cell;
}

TableCell TableCell::label(const QString &text)
{
    TableCell cell;
    cell.text = text;
    return cell;
}

QByteArray csvText(const TableData &table)
{
    QString out;
    // About a dozen characters a cell.
    out.reserve(int((table.rows.size() + 1) * std::size_t(table.headings.size()) * 12));
    out += csvRecord(table.headings);
    for (const std::vector<TableCell> &row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += u',';
            out += csvCell(row[c]);
        }
        out += QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

QString saveCsv(const TableData &table, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = csvText(table);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString tsvText(const TableData &table, const std::vector<int> &rows)
{
    const QLocale locale;
    QString out;
    for (int c = 0; c < table.headings.size(); ++c)
        out += (c > 0 ? QStringLiteral("\t") : QString()) + tsvField(table.headings[c]);
    const QString lf = QStringLiteral("\n");
    out += lf;
    auto append = [&](const std::vector<TableCell> &row) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += u'\t';
            out += tsvCell(row[c], locale);
        }
        out += lf;
    };
    if (rows.empty()) {
        for (const std::vector<TableCell> &row : table.rows)
            append(row);
    } else {
        for (int r : rows)
            if (r >= 0 && std::size_t(r) < table.rows.size())
                append(table.rows[std::size_t(r)]);
    }
    return out;
}

void installTableCopy(QAbstractItemView *view, const TableSource &source)
{
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->installEventFilter(new TableCopier(view, source));
}

} // namespace clvn
