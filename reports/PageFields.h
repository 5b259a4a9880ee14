#pragma once

// Reading a calculator page's fields by objectName, so the reports know the
// pages only by the names of their fields (QLineEdit and its subclasses).

#include <QString>

class QLineEdit;
class QWidget;

namespace clvn::report {

// The widget `name` among the page's descendants, or null. Throws
// std::logic_error when the report-field table lists the page but not this
// name: every read goes through the table (ReportFields.h).
QWidget *pageWidget(const QWidget *page, const QString &name);

// The field `name` among the page's descendants; throws std::runtime_error
// when the page has none (a report that does not fit its page).
QLineEdit *pageField(const QWidget *page, const QString &name);

// The text the field shows when it is not being edited.
QString fieldText(const QWidget *page, const QString &name);

// The field's value: a money field's unrounded value, a number field's text
// converted. Other line edits are read from their text, which may be a
// plain number or the locale's currency form. Throws ConvertError for a
// text that is not a number.
double fieldValue(const QWidget *page, const QString &name);

// A text in the locale's currency or plain number form as a value; throws
// ConvertError when it is neither.
double parseShownNumber(const QString &text);

} // namespace clvn::report
