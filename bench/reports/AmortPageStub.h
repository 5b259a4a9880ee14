#pragma once

// A stand-in Loan Amortizations page for the report benchmarks.

#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>

#include <memory>

namespace clvn::test {

// The Loan Amortizations page's figures as the report reads them (100,000 at 8.75 % over 360)
// and `rows` made-up schedule rows "row.column" in its grid.
inline std::unique_ptr<QWidget> makeAmortPage(int rows)
{
    auto page = std::make_unique<QWidget>();
    page->setObjectName(QStringLiteral("Amort"));
    const QStringList names =
        QStringLiteral("edtMortAmt EdtIRate EdtNumPmts edtAmortPayment").split(u' ');
    const QStringList figures = QStringLiteral("$100,000.00 8.750 360 $786.70").split(u' ');
    for (int i = 0; i < 4; ++i)
        (new QLineEdit(figures[i], page.get()))->setObjectName(names[i]);
    auto *model = new QStandardItemModel(rows, 7, page.get());
    for (int r = 0; r < rows * 7; ++r)
        model->setItem(r / 7, r % 7,
                       new QStandardItem(QStringLiteral("%1.%2").arg(r / 7 + 1).arg(r % 7)));
    auto *grid = new QTableView(page.get());
    grid->setObjectName(QStringLiteral("grdAmortization"));
    grid->setModel(model);
    return page;
}

} // namespace clvn::test
