#pragma once

// Real pages printed as Print does, with what the engine would preview kept instead of shown.

#include "app/Pages.h"
#include "calculators/CalculatorPage.h"
#include "engine/Report.h"
#include "reports/Print.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumEdit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <memory>

namespace clvn::test {

// While alive, keeps each preview (pages and progress caption) instead of showing it.
struct Printer
{
    Printer() // after the dispatcher has installed its own preview window
    {
        previous = report::Report::setPreviewHandler(
            [this](report::Report &rep, const report::PreparedReport &out) {
                shown.push_back(out);
                captions << rep.progressCaption();
            });
    }
    ~Printer() { report::Report::setPreviewHandler(std::move(previous)); }
    Q_DISABLE_COPY_MOVE(Printer)

    // The first page of the report that printing `page` previews.
    const report::PreparedPage &print(QWidget *page)
    {
        const std::size_t before = shown.size();
        printPage(dispatcher, page);
        if (shown.size() != before + 1 || shown.back().pages.empty())
            qFatal("printing %s previewed no page", qPrintable(page->objectName()));
        return shown.back().pages.front();
    }
    static QStringList texts(const report::PreparedPage &page, const QStringList &labels)
    {
        QStringList texts;
        for (const QString &label : labels)
            texts << page.textOf(label);
        return texts;
    }

    PrintDispatcher dispatcher{nullptr};
    std::vector<report::PreparedReport> shown;
    QStringList captions;
    report::Report::PreviewHandler previous;
};

// The page named `name` as the main window builds it, shown, active and entered.
inline std::unique_ptr<CalculatorPage> realPage(FakeHost &host, const QString &name)
{
    std::unique_ptr<CalculatorPage> page(findPage(name)->make(host));
    page->resize(587, 380);
    page->show();
    page->activateWindow();
    if (!QTest::qWaitForWindowActive(page.get()))
        qWarning("page window not active");
    page->enter();
    return page;
}

inline QStringList split(const QString &list)
{
    return list.isEmpty() ? QStringList() : list.split(u'|');
}

// Enters `values` in `fields` as a user does: a button clicked, a month list's index chosen,
// any other field typed and left. Money is set, so that a figure at full precision reaches the
// report; a result field, or a value after "=", is given as the field's text. "Reset" resets.
inline void fill(CalculatorPage *page, const QStringList &fields, const QStringList &values)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i] == u"Reset")
            page->Reset();
        else if (auto *button = page->findChild<QAbstractButton *>(fields[i]))
            button->click();
        else if (auto *months = page->findChild<QComboBox *>(fields[i]))
            months->setCurrentIndex(values[i].toInt());
        else if (auto *money = page->findChild<TNumEdit *>(fields[i]))
            money->setValue(values[i].toDouble());
        else if (auto *edit = find<QLineEdit>(page, fields[i]); edit->isReadOnly())
            edit->setText(values[i]);
        else if (values[i].startsWith(u'='))
            edit->setText(values[i].mid(1));
        else
            type(edit, values[i]);
    }
}

} // namespace clvn::test
