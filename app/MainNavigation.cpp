// Navigation between the menu page and the calculator pages, and the frame's
// commands that first take a figure typed and not yet left.

#include "app/Main.h"

#include "app/Pages.h"
#include "app/help/HelpTopics.h"
#include "calculators/CalculatorPage.h"
#include "calculators/TableSource.h"
#include "widgets/Accessibility.h"
#include "widgets/Guard.h"
#include "widgets/RotatedLabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace clvn {

bool TfrmMain::Destination::owns(const QObject *sender) const
{
    return sender && (sender == button || sender == mnu || sender == pop || sender == popCalcs);
}

void TfrmMain::addPages()
{
    std::vector<CalculatorPage *> pages =
        m_options.makePages ? m_options.makePages(*this) : makeCalculatorPages(*this);
    // The stack keeps the descriptors' order whatever order the pages were built in.
    for (Destination &d : m_destinations) {
        for (CalculatorPage *p : pages) {
            if (p->pageName() != d.desc->name)
                continue;
            p->setIdentity(d.desc->title, d.desc->helpTopic);
            m_nbkMain->addWidget(p);
            d.page = p;
            if (!d.desc->keptSection.isEmpty())
                p->restoreState(m_settingsFile->loadState(d.desc->keptSection));
        }
    }
}

void TfrmMain::bindNavigation()
{
    for (Destination &d : m_destinations) {
        bindCommand(d.button, [this, b = d.button] { gotoChosenCalculator(b); });
        for (QAction *a : {d.mnu, d.pop, d.popCalcs})
            bindCommand(a, [this, a] { gotoChosenCalculator(a); });
    }
}

void TfrmMain::bindCommand(QAction *action, std::function<void()> command)
{
    connectGuarded(action, &QAction::triggered, this,
                   [this, command = std::move(command)] { runCommand(command); });
}

void TfrmMain::bindCommand(QAbstractButton *button, std::function<void()> command)
{
    connectGuarded(button, &QAbstractButton::clicked, this,
                   [this, command = std::move(command)] { runCommand(command); });
}

QLineEdit *TfrmMain::pendingField() const
{
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (!edit || edit->window() != this || edit->isReadOnly() || !edit->isModified())
        return nullptr;
    return edit;
}

bool TfrmMain::takePendingEdit()
{
    QLineEdit *edit = pendingField();
    if (!edit)
        return true;
    const int errorsBefore = m_errorCount;
    edit->setModified(false);
    // Taking the focus away is the field's normal way out: it takes the
    // figure and sends left(), on which its page calculates.
    edit->clearFocus();
    return m_errorCount == errorsBefore;
}

void TfrmMain::runCommand(const std::function<void()> &command)
{
    const QPointer<QLineEdit> field = pendingField();
    if (!takePendingEdit())
        return;
    command();
    // Back into the field the figure came from, unless the command moved on
    // (another page, a reset that placed the focus itself).
    if (field && field->isVisible() && field->isEnabled() && !focusWidget())
        field->setFocus(Qt::OtherFocusReason);
}

TfrmMain::Destination *TfrmMain::destinationFor(const QObject *sender)
{
    for (Destination &d : m_destinations)
        if (d.owns(sender))
            return &d;
    return nullptr;
}

void TfrmMain::gotoChosenCalculator(QObject *sender)
{
    if (sender == m_btnMenu) {
        showMenuPage();
        return;
    }
    Destination *d = destinationFor(sender);
    if (!d || !d->page)
        return;
    m_lblCalculatorName->setText(d->page->title());
    EnableMnuCalcItems();
    for (QAction *a : {d->mnu, d->pop, d->popCalcs})
        a->setEnabled(false);
    m_nbkMain->setCurrentWidget(d->page);
    // Enabled before the page's first calculation, so that a failing one
    // still leaves the way back to the menu.
    m_btnMenu->setEnabled(true);
    d->page->enter();
    updateExportEnabled();
}

void TfrmMain::showMenuPage()
{
    m_lblCalculatorName->setText(QStringLiteral("Main Menu"));
    CloseCalculators();
    DisallowPrinting();
    m_btnReset->setEnabled(false);
    m_btnMenu->setEnabled(false);
    updateExportEnabled();
}

void TfrmMain::EnableMnuCalcItems()
{
    // A calculator that this build does not have stays disabled everywhere.
    for (Destination &d : m_destinations) {
        const bool present = d.page != nullptr;
        d.button->setEnabled(present);
        for (QAction *a : {d.mnu, d.pop, d.popCalcs})
            a->setEnabled(present);
    }
}

void TfrmMain::CloseCalculators()
{
    m_nbkMain->setCurrentWidget(m_menuPage);
    EnableMnuCalcItems();
    DisallowPrinting();
}

QString TfrmMain::activePageName() const
{
    const QWidget *w = m_nbkMain->currentWidget();
    return w ? w->objectName() : QString();
}

CalculatorPage *TfrmMain::page(const QString &name) const
{
    for (const Destination &d : m_destinations)
        if (d.desc->name == name)
            return d.page;
    return nullptr;
}

void TfrmMain::Reset()
{
    if (auto *p = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget()))
        p->Reset();
    updateExportEnabled();
}

void TfrmMain::updateExportEnabled()
{
    const auto *table = dynamic_cast<const TableSource *>(m_nbkMain->currentWidget());
    m_mnuFileExportCSV->setEnabled(table && table->hasTable());
}

} // namespace clvn
