#pragma once

// A page that lists a table (the amortization schedule, the loan spread
// grid, ...) offers it through this one small interface; the main window's
// "Export to CSV..." and the grid's Copy then work for it without knowing the
// page. A page joins by deriving from TableSource beside CalculatorPage,
// answering hasTable() and tableData(), and calling installTableCopy() on its
// grid.

#include <QString>
#include <QStringList>

#include <vector>

class QAbstractItemView;
class QIODevice;

namespace clvn {

// One cell: a number with the decimals it is shown with, or a text.
struct TableCell
{
    bool isNumber = false;
    double value = 0;
    int decimals = 0;
    QString text;

    static TableCell number(double value, int decimals);
    static TableCell label(const QString &text);
};

struct TableData
{
    QStringList headings;
    std::vector<std::vector<TableCell>> rows;
};

class TableSource
{
public:
    virtual ~TableSource() = default;
    // Whether a table is listed now: Export and Copy have nothing to offer
    // otherwise (an empty or just-reset grid).
    virtual bool hasTable() const = 0;
    // The table as listed, with numbers as their values (never as texts).
    virtual TableData tableData() const = 0;

protected:
    TableSource() = default;
    TableSource(const TableSource &) = default;
    TableSource &operator=(const TableSource &) = default;
};

// The table as CSV: RFC 4180 (a field with a comma, quote or line break is
// quoted, quotes doubled, CRLF after every record), a heading record first,
// numbers in machine form: "." as decimal point, no grouping, no currency
// sign, exactly their decimals, whatever the locale. UTF-8.
QByteArray csvText(const TableData &table);

// Writes csvText to `fileName` all or nothing (QSaveFile): a failure leaves
// any earlier file as it was and no partial file behind. Returns an empty
// string on success, else the reason.
QString saveCsv(const TableData &table, const QString &fileName);

// The heading row and `rows` (all rows when empty) as tab-separated lines
// for the clipboard, the way spreadsheets paste them: numbers with the
// locale's decimal separator but no grouping or currency sign, so the
// spreadsheet reads them as numbers; tabs and line breaks inside a text
// become spaces.
QString tsvText(const TableData &table, const std::vector<int> &rows = {});

// Lets the user select rows of `view` and copy them with the Copy key
// (Ctrl+C): the selected rows, or every row when none is selected, with the
// heading row. Nothing is copied while the source has no table.
void installTableCopy(QAbstractItemView *view, const TableSource &source);

} // namespace clvn
