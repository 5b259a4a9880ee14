// Navigation between the menu page and the calculator pages, and the frame's
// commands that first take a figure typed and not yet left.

#include "app/Main.h"

#include "app/Pages.h"
#include "app/help/HelpTopics.h"
#include "calculators/CalculatorPage.h"
#include "calculators/TableSource.h"
#include "state/SettingsFile.h"
#include "widgets/Accessibility.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/RotatedLabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
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
    if (!m_options.makePages) {
        // The program's own pages are built when first opened: building all
        // ten before the window showed more than doubled its start.
        for (Destination &d : m_destinations)
            d.lazy = d.desc->make != nullptr;
        return;
    }
    const std::vector<CalculatorPage *> pages = m_options.makePages(*this);
    for (Destination &d : m_destinations)
        for (CalculatorPage *p : pages)
            if (p->pageName() == d.desc->name)
                placePage(d, p);
}

void TfrmMain::placePage(Destination &d, CalculatorPage *page)
{
    page->setIdentity(d.desc->title, d.desc->helpTopic);
    // The stack keeps the descriptors' order whatever order the pages were built in.
    int index = 1; // after the menu page
    for (const Destination &other : m_destinations) {
        if (&other == &d)
            break;
        if (other.page)
            ++index;
    }
    m_nbkMain->insertWidget(index, page);
    d.page = page;
    watchForEdits(page);
    if (!d.desc->keptSection.isEmpty() && !m_blankCase)
        page->restoreState(m_settingsFile->loadState(d.desc->keptSection));
}

CalculatorPage *TfrmMain::ensurePage(Destination &d)
{
    if (!d.page && d.lazy) {
        d.lazy = false;
        placePage(d, d.desc->make(*this));
        takeWindowFont(m_nbkMain);
        makeAccessible(d.page);
    }
    return d.page;
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
    if (!d || !ensurePage(*d))
        return;
    m_lblCalculatorName->setText(d->page->title());
    EnableMnuCalcItems();
    for (QAction *a : {d->mnu, d->pop, d->popCalcs})
        a->setEnabled(false);
    if (auto *left = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget()))
        left->forgetReset();
    m_nbkMain->setCurrentWidget(d->page);
    // Enabled before the page's first calculation, so that a failing one
    // still leaves the way back to the menu.
    m_btnMenu->setEnabled(true);
    const unsigned long long failures = handledFailures();
    d->page->enter();
    if (handledFailures() == failures)
        d->page->setResultsCurrent();
    updateExportEnabled();
    updateUndoReset();
}

void TfrmMain::showMenuPage()
{
    if (auto *left = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget()))
        left->forgetReset();
    m_lblCalculatorName->setText(QStringLiteral("Main Menu"));
    CloseCalculators();
    DisallowPrinting();
    m_btnReset->setEnabled(false);
    m_btnMenu->setEnabled(false);
    updateExportEnabled();
    updateUndoReset();
}

void TfrmMain::EnableMnuCalcItems()
{
    // A calculator that this build does not have stays disabled everywhere.
    for (Destination &d : m_destinations) {
        const bool present = d.page != nullptr || d.lazy;
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

CalculatorPage *TfrmMain::page(const QString &name)
{
    for (Destination &d : m_destinations)
        if (d.desc->name == name)
            return ensurePage(d);
    return nullptr;
}

void TfrmMain::Reset()
{
    if (auto *p = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget()))
        p->resetUndoably();
    markModified();
    updateExportEnabled();
    updateUndoReset();
}

void TfrmMain::UndoReset()
{
    if (auto *p = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget()))
        p->undoReset();
    markModified();
    updateExportEnabled();
    updateUndoReset();
}

void TfrmMain::updateUndoReset()
{
    const auto *p = qobject_cast<const CalculatorPage *>(m_nbkMain->currentWidget());
    m_mnuEditUndoReset->setEnabled(p && p->canUndoReset());
}

bool TfrmMain::resultsAreCurrent()
{
    const auto *p = qobject_cast<const CalculatorPage *>(m_nbkMain->currentWidget());
    if (!p || !p->resultsStale())
        return true;
    showInfo(this, p->staleNote());
    return false;
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    // A field takes Ctrl+Z for its own typing; with nothing typed to take
    // back there, the key is Undo Reset's.
    if (event->type() == QEvent::ShortcutOverride && m_mnuEditUndoReset->isEnabled() &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo)) {
        const auto *edit = qobject_cast<QLineEdit *>(watched);
        if (edit && edit->window() == this && !edit->isUndoAvailable())
            return true; // not accepted: the shortcut goes to the menu item
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::updateExportEnabled()
{
    const auto *table = dynamic_cast<const TableSource *>(m_nbkMain->currentWidget());
    m_mnuFileExportCSV->setEnabled(table && table->hasTable());
}

} // namespace clvn
