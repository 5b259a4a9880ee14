#pragma once

#include "calculators/CalculatorHost.h"
#include "finance/MortLib.h"
#include "state/BuyerValues.h"
#include "state/Scenario.h"
#include "state/SettingsFile.h"

#include <QMainWindow>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace clvn {

enum class Link;
class CalculatorPage;
class ContextHelpKey;
class CsvExporter;
struct PageDescriptor;
class HelpViewer;
class PrintDispatcher;
class TWebFileInfo;
class TRotatedLabel;

// Controls that a platform's class font or a style sheet keeps from the
// window's own font take their parent's, below `root`.
void takeWindowFont(QWidget *root);

// What a test or the program start hands the main window.
struct MainOptions
{
    // Folder of the program file with its trailing separator; empty means
    // the folder of the running executable.
    QString programFolder;
    // Draws 0..4 for the closing window (shown on 0); empty means a
    // clock-seeded uniform draw.
    std::function<int()> closeDraw;
    // Builds the calculator pages; empty means the program's own pages.
    std::function<std::vector<CalculatorPage *>(CalculatorHost &)> makePages;
    // Tests only: points the update check elsewhere (address, bounds,
    // trusted certificates); empty means the program's own settings.
    std::function<void(TWebFileInfo &)> setUpUpdateCheck;
};

// The whole program is this one window: a tool bar, a rotated title strip,
// the page stack with the menu page and the calculators, and a status bar.
class TfrmMain : public QMainWindow, public CalculatorHost
{
    Q_OBJECT

public:
    explicit TfrmMain(MainOptions options = {}, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // CalculatorHost
    BuyerValues &buyerValues() override { return m_buyerValues; }
    TMortgage &mortgage() override { return m_mortgage; }
    ExtraPaymentState &extraPayment() override { return m_extraPayment; }
    SettingsFile &settingsFile() override { return *m_settingsFile; }
    void AllowPrinting() override;
    void DisallowPrinting() override;
    void setResetEnabled(bool enabled) override;
    QWidget *dialogParent() override { return this; }

    void EnableMnuCalcItems();
    void CloseCalculators();
    // Navigation: `sender` is one of the controls bound to it.
    void gotoChosenCalculator(QObject *sender);
    void Reset();
    // Takes the last Reset of the active page back (once).
    void UndoReset();
    void btnHelpClick();
    void AppOnException(std::exception_ptr error);

    QString ProgramFolder() const { return m_programFolder; }
    QString activePageName() const;
    // The page named, built now if it was not yet (pages are built when first
    // opened, so the window shows sooner).
    CalculatorPage *page(const QString &name);
    HelpViewer &helpViewer() { return *m_help; }
    TWebFileInfo &webFileInfo() { return *m_webFileInfo; }
    // Opens the update window; closes the program when it started an installer.
    void ShowUpdate();
    CsvExporter &csvExporter() { return *m_csv; }
    // File > Export to CSV... is enabled exactly while the active page lists a table.
    void updateExportEnabled();

    // The open case: its file (empty while untitled), notes and whether it
    // changed since it was opened, saved or begun.
    QString scenarioPath() const { return m_scenarioPath; }
    QString scenarioNotes() const { return m_notes; }
    bool isScenarioModified() const { return m_modified; }
    // File > New, and Open and Save without their file dialogs. New and Open
    // ask about unsaved changes first; each says itself what went wrong.
    bool newScenario();
    bool openScenario(const QString &path);
    bool saveScenario(const QString &path);
    // The recently used files, newest first.
    QStringList recentScenarios() const;

    // Shown once, after the window is up, when the settings file held values
    // that could not be read.
    void reportSettingsProblems();

    // A figure typed into the focused field of this window and not yet
    // left is taken through the field's own leaving, so its page calculates
    // as if the user had tabbed away. Every command of the frame (tool
    // buttons, menus, navigation) and the exit save run this first. False
    // when that calculation failed: the command must not act on the page.
    bool takePendingEdit();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // A page's controls in the frame, built from its descriptor.
    struct Destination
    {
        const PageDescriptor *desc = nullptr;
        QPushButton *button = nullptr;
        QAction *mnu = nullptr;
        QAction *pop = nullptr;
        QAction *popCalcs = nullptr;
        CalculatorPage *page = nullptr;
        // The page is the program's own, not yet built: built when first opened.
        bool lazy = false;

        // Whether `sender` is one of the controls that open this page.
        bool owns(const QObject *sender) const;
    };

    void FormCreate();
    void buildFrame();
    void buildMenus();
    void buildToolBar(QWidget *panel);
    QWidget *buildMenuPage();
    void bindNavigation();
    void addPages();
    void placePage(Destination &d, CalculatorPage *page);
    CalculatorPage *ensurePage(Destination &d);
    Destination *destinationFor(const QObject *sender);
    void showMenuPage();

    bool FormCloseQuery();
    void FormClose();
    void MnuHelpAboutClick();
    void MnuHelpDisclaimerClick();
    void mnuPreferencesSetValuesClick();
    void MnuFilePrintSetupClick();
    void Print();
    void MnuFileExportCSVClick();
    // False, having said why, while the active page's results are out of date.
    bool resultsAreCurrent();
    void updateUndoReset();
    void openLinkOrSay(Link link);

    // Scenario files (MainScenario.cpp).
    void buildFileItems(QMenu *file);
    QStringList scenarioPages() const;
    Scenario gatherScenario();
    PageState freshState(const Destination &d);
    // What is wrong with `s` for these pages, touching none of them; a
    // newer minor version's unknown keys go into `kept`.
    QString checkScenario(const Scenario &s, Scenario &kept);
    // The buyer's figures the pages copy in, from `s`.
    void putShared(const Scenario &s);
    // Puts `s` on the pages and calculates each.
    void applyScenario(const Scenario &s);
    // False when the page refused a figure, having said which.
    bool calculateQuietly(CalculatorPage &page);
    bool loadScenario(const QString &path, const Scenario &s);
    // openScenario() without the question about unsaved changes.
    bool openFile(const QString &path);
    bool maybeSave();
    void markModified();
    void watchForEdits(QWidget *page);
    void updateTitle();
    // The case is now `file` (empty: a new, unnamed case), with nothing unsaved.
    void takeFile(const QString &file);
    void storeRecent(const QStringList &files);
    void rememberRecent(const QString &path);
    void fillRecentMenu();
    void MnuFileOpenClick();
    bool MnuFileSaveClick();
    bool MnuFileSaveAsClick();
    void MnuFilePropertiesClick();

    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    // Binds a command of the frame: it runs after takePendingEdit().
    void bindCommand(QAction *action, std::function<void()> command);
    void bindCommand(QAbstractButton *button, std::function<void()> command);
    void runCommand(const std::function<void()> &command);
    QLineEdit *pendingField() const;

    MainOptions m_options;
    QString m_programFolder;
    BuyerValues m_buyerValues;
    TMortgage m_mortgage;
    ExtraPaymentState m_extraPayment;
    std::unique_ptr<SettingsFile> m_settingsFile;
    LoadReport m_loadReport;
    std::unique_ptr<HelpViewer> m_help;
    std::unique_ptr<PrintDispatcher> m_printer;
    std::unique_ptr<ContextHelpKey> m_contextHelp;
    std::unique_ptr<CsvExporter> m_csv;

    std::vector<Destination> m_destinations;
    QStackedWidget *m_nbkMain = nullptr;
    QWidget *m_menuPage = nullptr;
    TRotatedLabel *m_lblCalculatorName = nullptr;
    QLabel *m_statusText = nullptr;
    QToolButton *m_btnMenu = nullptr;
    QToolButton *m_btnPrint = nullptr;
    QToolButton *m_btnReset = nullptr;
    QAction *m_mnuFilePrint = nullptr;
    QAction *m_mnuFileExportCSV = nullptr;
    QAction *m_mnuEditUndoReset = nullptr;
    QMenu *m_mnuCalculators = nullptr;
    QMenu *m_mnuPopup = nullptr;
    QMenu *m_mnuPopCalcs = nullptr;
    bool m_inErrorHandler = false;
    // Errors the application-wide handler has reported in this run.
    int m_errorCount = 0;
    bool m_placed = false;
    TWebFileInfo *m_webFileInfo = nullptr;
    bool m_closingForUpdate = false;
    QMenu *m_mnuFileOpenRecent = nullptr;
    QString m_scenarioPath;
    QString m_notes;
    // Entries of the file opened that this version does not know, written back.
    Scenario m_keptFromFile;
    bool m_modified = false;
    // A case was opened, saved or begun with New: its changes are asked about at exit.
    bool m_tracked = false;
    // Begun with New: pages built from now on start empty, not with the
    // figures the settings file keeps.
    bool m_blankCase = false;
};

} // namespace clvn
