#pragma once

// Stand-in calculator pages (fields named like the real ones); a catcher in place of the preview.

#include "engine/Report.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/NumEdit.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <memory>

namespace clvn::test {

inline std::unique_ptr<QWidget> makePage(const QString &name, QWidget *parent = nullptr)
{
    auto page = std::make_unique<QWidget>(parent);
    page->setObjectName(name);
    return page;
}

// Adds fields from "name=value ..." lists: money fields, then number fields.
inline void addFields(QWidget *page, const QString &money, const QString &numbers = {})
{
    for (const QString &f : money.split(u' ', Qt::SkipEmptyParts)) {
        auto *field = new TNumEdit(page);
        field->setObjectName(f.section(u'=', 0, 0));
        field->setValue(f.section(u'=', 1).toDouble());
    }
    for (const QString &f : numbers.split(u' ', Qt::SkipEmptyParts)) {
        auto *field = new TFnpNumericEdit(page);
        field->setObjectName(f.section(u'=', 0, 0));
        field->setText(f.section(u'=', 1));
    }
}

// The Loan Amortizations page with amount, rate, term and payment as shown,
// and `rows` made-up schedule rows "row.column" in its grid (the headings are the view's header).
inline const QStringList kAmortFigures =
    QStringLiteral("$100,000.00|8.750|360|$786.70").split(QLatin1Char('|'));
inline std::unique_ptr<QWidget> makeAmortPage(int rows, const QStringList &figures = kAmortFigures)
{
    auto page = makePage(QStringLiteral("Amort"));
    const char *names[] = {"edtMortAmt", "EdtIRate", "EdtNumPmts", "edtAmortPayment"};
    for (int i = 0; i < 4; ++i)
        (new QLineEdit(figures[i], page.get()))->setObjectName(QString::fromLatin1(names[i]));
    auto *model = new QStandardItemModel(rows, 7, page.get());
    for (int r = 0; r < rows * 7; ++r)
        model->setItem(r / 7, r % 7,
                       new QStandardItem(QStringLiteral("%1.%2").arg(r / 7 + 1).arg(r % 7)));
    auto *grid = new QTableView(page.get());
    grid->setObjectName(QStringLiteral("grdAmortization"));
    grid->setModel(model);
    return page;
}

// While alive, keeps what the engine would preview instead of showing it.
// Create it after anything that installs its own preview handler.
struct PreviewCatcher
{
    PreviewCatcher()
    {
        previous = report::Report::setPreviewHandler(
            [this](report::Report &, const report::PreparedReport &out) { shown.push_back(out); });
    }
    ~PreviewCatcher() { report::Report::setPreviewHandler(std::move(previous)); }
    Q_DISABLE_COPY_MOVE(PreviewCatcher)

    std::vector<report::PreparedReport> shown;
    report::Report::PreviewHandler previous;
};

} // namespace clvn::test
