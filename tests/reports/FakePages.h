#pragma once

// Small stand-ins for the calculator pages: a QWidget named like the page
// with child fields named like the real ones. Money fields are TNumEdit and
// number fields TFnpNumericEdit, as on the real pages, so the reports read
// them exactly as they will in the program.

#include "widgets/FnpNumericEdit.h"
#include "widgets/NumEdit.h"

#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>

#include <memory>

namespace clvn::test {

inline std::unique_ptr<QWidget> makePage(const QString &name)
{
    auto page = std::make_unique<QWidget>();
    page->setObjectName(name);
    return page;
}

inline TNumEdit *addMoney(QWidget *page, const QString &name, double value)
{
    auto *field = new TNumEdit(page);
    field->setObjectName(name);
    field->setValue(value);
    return field;
}

inline TFnpNumericEdit *addNumber(QWidget *page, const QString &name, const QString &text)
{
    auto *field = new TFnpNumericEdit(page);
    field->setObjectName(name);
    field->setText(text);
    return field;
}

inline QLineEdit *addText(QWidget *page, const QString &name, const QString &text)
{
    auto *field = new QLineEdit(text, page);
    field->setObjectName(name);
    return field;
}

// Row r of a made-up schedule: the payment number right-aligned in five
// characters, then six money texts that say which row and column they are.
inline QString amortCell(int row, int column)
{
    if (column == 0)
        return QString::number(row + 1).rightJustified(5);
    return QStringLiteral("$%1.%2").arg(row + 1).arg(column, 2, 10, QLatin1Char('0'));
}

// The Loan Amortizations page with its four figures and a grid of `rows`
// schedule rows (the headings are the view's header, not a row).
inline std::unique_ptr<QWidget> makeAmortPage(int rows,
                                              const QString &amount = QStringLiteral("$100,000.00"),
                                              const QString &rate = QStringLiteral("8.750"),
                                              const QString &term = QStringLiteral("360"),
                                              const QString &payment = QStringLiteral("$786.70"))
{
    auto page = makePage(QStringLiteral("Amort"));
    addText(page.get(), QStringLiteral("edtMortAmt"), amount);
    addText(page.get(), QStringLiteral("EdtIRate"), rate);
    addText(page.get(), QStringLiteral("EdtNumPmts"), term);
    addText(page.get(), QStringLiteral("edtAmortPayment"), payment);
    auto *model = new QStandardItemModel(rows, 7, page.get());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 7; ++c)
            model->setItem(r, c, new QStandardItem(amortCell(r, c)));
    }
    auto *grid = new QTableView(page.get());
    grid->setObjectName(QStringLiteral("grdAmortization"));
    grid->setModel(model);
    return page;
}

} // namespace clvn::test
