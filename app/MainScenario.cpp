// Scenario files: File > New, Open, Open Recent, Save, Save As and
// Properties, the window title, and the question about unsaved changes.
// A file is applied to the pages through their own saveState/restoreState;
// anything wrong with it leaves every page as it was.

#include "app/Main.h"

#include "app/Pages.h"
#include "calculators/CalculatorPage.h"
#include "reports/CommonParts.h"
#include "state/Scenario.h"
#include "widgets/Guard.h"
#include "widgets/Identity.h"
#include "widgets/Messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

// The buyer's last loan and ratios, which pages copy in when they open:
// a scenario carries them so that its pages open on its own figures.
const QString kShared = u"Shared"_s;
// The payment follows from the loan and is left out.
const QStringList kSharedKeys = {u"Loan"_s, u"Interest"_s, u"Term"_s, u"HRatio"_s, u"DRatio"_s};
// The settings file's section of the recently used files.
const QString kRecentSection = u"RecentFiles"_s;
constexpr int kMaxRecent = 8;
const QString kFilter = u"Calvenor scenarios (*.clvn)"_s;

QString quoted(const QString &text)
{
    return u"“"_s + text + u"”"_s;
}

const SettingsKey *sharedKey(const QString &key)
{
    for (const SettingsKey &k : settingsKeys())
        if (kSharedKeys.contains(QLatin1StringView(k.key)) && key == QLatin1StringView(k.key))
            return &k;
    return nullptr;
}

} // namespace

QStringList TfrmMain::scenarioPages() const
{
    QStringList names{kShared};
    for (const Destination &d : m_destinations)
        names << d.desc->name;
    return names;
}

Scenario TfrmMain::gatherScenario()
{
    Scenario s = m_keptFromFile;
    s.pages.clear();
    s.notes = m_notes;
    s.activePage = findPage(activePageName()) ? activePageName() : QString();
    PageState shared(kShared);
    for (const QString &key : kSharedKeys) {
        const SettingsKey *k = sharedKey(key);
        shared.setNumber(key, k->real ? m_buyerValues.*(k->real) : m_buyerValues.*(k->whole));
    }
    s.pages.push_back(shared);
    for (Destination &d : m_destinations) {
        CalculatorPage *page = ensurePage(d);
        if (!page)
            continue;
        PageState state(d.desc->name);
        page->saveState(state);
        s.pages.push_back(std::move(state));
    }
    return s;
}

PageState TfrmMain::freshState(const Destination &d)
{
    PageState state(d.desc->name);
    if (d.desc->make) {
        const std::unique_ptr<CalculatorPage> fresh(d.desc->make(*this));
        fresh->saveState(state);
    }
    return state;
}

QString TfrmMain::checkScenario(const Scenario &s, Scenario &kept)
{
    // A newer minor version's keys are kept to be written back; of this
    // version they are faults.
    const auto unknownKey = [&](const QString &page, const QString &key,
                                const QString &text) -> QString {
        if (s.minor <= Scenario::Minor)
            return u"it has an unknown entry, "_s + quoted(key) + u", on page "_s + quoted(page);
        kept.unknownKeys[page].insert(key, Scenario::jsonValue(text));
        return {};
    };
    if (const PageState *shared = s.page(kShared)) {
        for (const auto &[key, text] : shared->lines()) {
            const SettingsKey *k = sharedKey(key);
            if (!k) {
                if (const QString problem = unknownKey(kShared, key, text); !problem.isEmpty())
                    return problem;
            } else if (k->real ? !shared->number(key) : !shared->integer(key)) {
                return u"the value "_s + quoted(text) + u" of "_s + quoted(key) +
                       u" cannot be used"_s;
            }
        }
    }
    // Each page's lines go into a page of the same kind built for the
    // purpose: what it keeps of each line must be the line itself. A key it
    // does not know, or a value it did not take, is refused, and the pages
    // shown are not touched.
    const BuyerValues buyer = m_buyerValues;
    const TMortgage mortgage = m_mortgage;
    const ExtraPaymentState extra = m_extraPayment;
    const bool printing = m_btnPrint->isEnabled(), reset = m_btnReset->isEnabled();
    putShared(s);
    QString problem;
    for (const Destination &d : m_destinations) {
        const PageState *given = s.page(d.desc->name);
        if (!given || !d.desc->make || !problem.isEmpty())
            continue;
        const std::unique_ptr<CalculatorPage> page(d.desc->make(*this));
        PageState before(d.desc->name), after(d.desc->name);
        page->saveState(before);
        guard([&] { page->restoreState(*given); });
        page->saveState(after);
        for (const auto &[key, text] : given->lines()) {
            if (!before.contains(key) && !after.contains(key))
                problem = unknownKey(d.desc->name, key, text);
            else if (after.text(key) != text)
                problem = u"the value "_s + quoted(text) + u" of "_s + quoted(key) +
                          u" on page "_s + quoted(d.desc->name) + u" cannot be used"_s;
            if (!problem.isEmpty())
                break;
        }
        // A figure the page refuses when it calculates is refused as if
        // typed, with the page's own message.
        if (problem.isEmpty() && !calculateQuietly(*page))
            problem = u"the figures of "_s + quoted(d.desc->title) + u" were refused"_s;
    }
    m_buyerValues = buyer;
    m_mortgage = mortgage;
    m_extraPayment = extra;
    printing ? AllowPrinting() : DisallowPrinting();
    setResetEnabled(reset);
    return problem;
}

void TfrmMain::putShared(const Scenario &s)
{
    const PageState *shared = s.page(kShared);
    for (const QString &key : kSharedKeys) {
        const SettingsKey *k = sharedKey(key);
        if (shared && k->real)
            m_buyerValues.*(k->real) = shared->number(key).value_or(m_buyerValues.*(k->real));
        else if (shared)
            m_buyerValues.*(k->whole) = shared->integer(key).value_or(m_buyerValues.*(k->whole));
    }
}

void TfrmMain::applyScenario(const Scenario &s)
{
    putShared(s);
    // A page or key the file leaves out takes the value of a new case.
    const auto put = [&](Destination &d) {
        const PageState fresh = freshState(d);
        const PageState *given = s.page(d.desc->name);
        guard([&] {
            d.page->restoreState(fresh);
            if (given)
                d.page->restoreState(*given);
        });
    };
    for (Destination &d : m_destinations) {
        if (!ensurePage(d))
            continue;
        d.page->forgetReset();
        put(d);
    }
    Destination *active = nullptr;
    for (Destination &d : m_destinations)
        if (d.desc->name == s.activePage && d.page)
            active = &d;
    if (active) {
        // Entering a page copies the buyer's figures in; the file's own win.
        gotoChosenCalculator(active->button);
        put(*active);
    } else {
        showMenuPage();
    }
    // Every page shows what its inputs give, the open one last, so that
    // figures the pages share are its own.
    for (Destination &d : m_destinations)
        if (d.page && &d != active)
            calculateQuietly(*d.page);
    if (active)
        calculateQuietly(*active->page);
    updateExportEnabled();
    updateUndoReset();
}

bool TfrmMain::calculateQuietly(CalculatorPage &page)
{
    // A page whose figures give no results yet (nothing typed) stays as it
    // is, quietly; only a figure the page refuses is said, and counts.
    std::exception_ptr refused;
    const ExceptionHandler shown = setExceptionHandler([&refused](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const InputRefused &) {
            refused = e;
        } catch (...) {
        }
    });
    // Each page builds its schedule from its own figures, not one another
    // page left in the shared one.
    m_mortgage = TMortgage();
    page.calculateRestored();
    setExceptionHandler(shown);
    if (refused)
        handleException(refused);
    return !refused;
}

bool TfrmMain::loadScenario(const QString &path, const Scenario &s)
{
    Scenario kept = s;
    kept.pages.clear();
    const QString problem = checkScenario(s, kept);
    if (!problem.isEmpty()) {
        showInfo(this,
                 quoted(QFileInfo(path).fileName()) + u" could not be opened: "_s + problem + u'.');
        return false;
    }
    applyScenario(s);
    m_keptFromFile = kept;
    m_notes = s.notes;
    report::setCaseNotes(m_notes);
    m_blankCase = false;
    return true;
}

bool TfrmMain::openScenario(const QString &path)
{
    return maybeSave() && openFile(path);
}

bool TfrmMain::openFile(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    Scenario s;
    if (const QString problem = readScenarioFile(file, scenarioPages(), s); !problem.isEmpty()) {
        showInfo(this, problem);
        return false;
    }
    if (!loadScenario(file, s))
        return false;
    takeFile(file);
    return true;
}

bool TfrmMain::newScenario()
{
    if (!maybeSave())
        return false;
    // Every page is built afresh when next opened, as on a first start but
    // without the figures the settings file keeps.
    showMenuPage();
    for (Destination &d : m_destinations) {
        if (!d.page || !d.desc->make)
            continue;
        m_nbkMain->removeWidget(d.page);
        delete d.page;
        d.page = nullptr;
        d.lazy = true;
    }
    m_blankCase = true;
    m_mortgage = TMortgage();
    m_extraPayment = {};
    m_keptFromFile = {};
    m_notes.clear();
    report::setCaseNotes(m_notes);
    takeFile(QString());
    return true;
}

bool TfrmMain::saveScenario(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (const QString problem = writeScenarioFile(file, gatherScenario()); !problem.isEmpty()) {
        showInfo(this, problem);
        return false;
    }
    takeFile(file);
    showStatusNote(this, fileWrittenNote(u"Saved"_s, file));
    return true;
}

void TfrmMain::takeFile(const QString &file)
{
    m_scenarioPath = file;
    m_tracked = true;
    m_modified = false;
    if (!file.isEmpty())
        rememberRecent(file);
    updateTitle();
}

bool TfrmMain::MnuFileSaveClick()
{
    return m_scenarioPath.isEmpty() ? MnuFileSaveAsClick() : saveScenario(m_scenarioPath);
}

bool TfrmMain::MnuFileSaveAsClick()
{
    const QString start = m_scenarioPath.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                              : m_scenarioPath;
    QString path = QFileDialog::getSaveFileName(this, u"Save Scenario As"_s, start, kFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".clvn"_s;
    return saveScenario(path);
}

void TfrmMain::MnuFileOpenClick()
{
    if (!maybeSave())
        return;
    const QString start = m_scenarioPath.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                              : QFileInfo(m_scenarioPath).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, u"Open Scenario"_s, start, kFilter);
    if (!path.isEmpty())
        openFile(path);
}

void TfrmMain::MnuFilePropertiesClick()
{
    QDialog dialog(this);
    dialog.setObjectName(u"dlgScenarioProperties"_s);
    dialog.setWindowTitle(u"Case"_s);
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(u"&Borrower and notes"_s, &dialog);
    auto *notes = new QPlainTextEdit(m_notes, &dialog);
    notes->setObjectName(u"edtScenarioNotes"_s);
    notes->setTabChangesFocus(true);
    label->setBuddy(notes);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(notes);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || notes->toPlainText() == m_notes)
        return;
    m_notes = notes->toPlainText();
    report::setCaseNotes(m_notes);
    markModified();
}

bool TfrmMain::maybeSave()
{
    if (!m_modified)
        return true;
    const QString name =
        m_scenarioPath.isEmpty() ? u"Untitled"_s : QFileInfo(m_scenarioPath).fileName();
    QMessageBox box(QMessageBox::Warning, applicationTitle(),
                    u"The figures of "_s + quoted(name) + u" have changed.\n\rSave them?"_s,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return MnuFileSaveClick();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void TfrmMain::markModified()
{
    if (m_modified)
        return;
    m_modified = true;
    updateTitle();
}

void TfrmMain::watchForEdits(QWidget *page)
{
    // What the user does, not what the program writes: a restore is no edit.
    for (QLineEdit *edit : page->findChildren<QLineEdit *>())
        connect(edit, &QLineEdit::textEdited, this, [this] { markModified(); });
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>())
        connect(button, &QAbstractButton::clicked, this, [this] { markModified(); });
    for (QComboBox *box : page->findChildren<QComboBox *>())
        connect(box, &QComboBox::activated, this, [this] { markModified(); });
}

void TfrmMain::updateTitle()
{
    // A run started without a file keeps the program's own title until a
    // case is opened, saved or begun with New.
    if (!m_tracked) {
        setWindowTitle(applicationTitle());
        return;
    }
    const QString name =
        m_scenarioPath.isEmpty() ? u"Untitled"_s : QFileInfo(m_scenarioPath).fileName();
    setWindowTitle(name + (m_modified ? u" *"_s : QString()) + u" — "_s + productName());
}

QStringList TfrmMain::recentScenarios() const
{
    const PageState state = m_settingsFile->loadState(kRecentSection);
    QStringList files;
    for (int i = 1; i <= kMaxRecent; ++i)
        if (const QString file = state.text(u"File"_s + QString::number(i)); !file.isEmpty())
            files << file;
    return files;
}

void TfrmMain::storeRecent(const QStringList &files)
{
    PageState state(kRecentSection);
    for (int i = 0; i < kMaxRecent; ++i)
        state.set(u"File"_s + QString::number(i + 1), files.value(i));
    try {
        m_settingsFile->saveState(state);
    } catch (const std::exception &) {
        // Only a convenience: the list is there again next time it can be written.
    }
}

void TfrmMain::rememberRecent(const QString &path)
{
    QStringList files = recentScenarios();
    files.removeAll(path);
    files.prepend(path);
    storeRecent(files.mid(0, kMaxRecent));
}

void TfrmMain::fillRecentMenu()
{
    m_mnuFileOpenRecent->clear();
    const QStringList files = recentScenarios();
    int n = 0;
    for (const QString &file : files) {
        ++n;
        QAction *a = m_mnuFileOpenRecent->addAction(u"&"_s + QString::number(n) + u' ' +
                                                    QFileInfo(file).fileName());
        a->setObjectName(u"mnuFileRecent"_s + QString::number(n));
        a->setToolTip(file);
        bindCommand(a, [this, file] { openScenario(file); });
    }
    m_mnuFileOpenRecent->addSeparator();
    QAction *clear = m_mnuFileOpenRecent->addAction(u"&Clear List"_s);
    clear->setObjectName(u"mnuFileRecentClear"_s);
    clear->setEnabled(!files.isEmpty());
    bindCommand(clear, [this] { storeRecent({}); });
}

void TfrmMain::buildFileItems(QMenu *file)
{
    QAction *fileNew = addItem(file, u"mnuFileNew"_s, u"&New"_s);
    fileNew->setShortcut(QKeySequence::New);
    QAction *open = addItem(file, u"mnuFileOpen"_s, u"&Open..."_s);
    open->setShortcut(QKeySequence::Open);
    m_mnuFileOpenRecent = file->addMenu(u"Open &Recent"_s);
    m_mnuFileOpenRecent->setObjectName(u"mnuFileOpenRecent"_s);
    m_mnuFileOpenRecent->menuAction()->setObjectName(u"mnuFileOpenRecent"_s);
    connect(m_mnuFileOpenRecent, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    QAction *save = addItem(file, u"mnuFileSave"_s, u"&Save"_s);
    save->setShortcut(QKeySequence::Save);
    QAction *saveAs = addItem(file, u"mnuFileSaveAs"_s, u"Save &As..."_s);
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction *properties = addItem(file, u"mnuFileProperties"_s, u"Proper&ties..."_s);
    addItem(file, u"N20"_s, u"-"_s);
    bindCommand(fileNew, [this] { newScenario(); });
    bindCommand(open, [this] { MnuFileOpenClick(); });
    bindCommand(save, [this] { MnuFileSaveClick(); });
    bindCommand(saveAs, [this] { MnuFileSaveAsClick(); });
    bindCommand(properties, [this] { MnuFilePropertiesClick(); });
    fillRecentMenu();
}

} // namespace clvn
