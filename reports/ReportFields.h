#pragma once

// Every widget of a calculator page that a report reads, in one table: the
// page's name, the widget's objectName and what kind of widget it must be.
// The reports reach the pages only by these names (PageFields.h refuses a
// name of a listed page that the table does not hold), and a test opens
// every real page and checks each row, so a renamed field fails there and
// not when the user prints.

#include <QStringView>

#include <span>

namespace clvn::report {

enum class FieldKind
{
    Money,     // TNumEdit
    Number,    // TFnpNumericEdit
    MonthList, // QComboBox
    Label,     // QLabel
    Table,     // QTableView or a subclass
    Chart,     // a widget that offers its drawing (DrawingSource)
    Panel      // any widget: the report looks only at whether it shows
};

struct ReadField
{
    const char16_t *page;
    const char16_t *name;
    FieldKind kind;
};

// The table, page by page.
std::span<const ReadField> readFields();

// Whether a report may read `name` on the page named `page`: true when the
// table lists it, and for a page the table does not know (a stand-in).
bool mayRead(QStringView page, QStringView name);

} // namespace clvn::report
