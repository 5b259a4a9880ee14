// The main window's tool bar, menus and menu page, built by hand in the
// program's fixed layout; the calculators' items come from the page descriptors.

#include "app/Main.h"

#include "app/Icons.h"
#include "app/Links.h"
#include "app/Pages.h"
#include "app/help/HelpTopics.h"
#include "app/help/HelpWindow.h"
#include "widgets/Guard.h"
#include "widgets/Hint.h"
#include "widgets/Identity.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

// Keys of the tool bar's commands, shown in the buttons' tool tips. Print,
// Preferences and Exit carry theirs on their menu items and F1 is the context help key; Reset
// and the menu page have no menu item, so the window itself takes their keys.
const QKeySequence kPrintKey(Qt::CTRL | Qt::Key_P);
const QKeySequence kResetKey(Qt::CTRL | Qt::Key_R);
const QKeySequence kMenuKey(Qt::CTRL | Qt::Key_M);
const QKeySequence kHelpKey(Qt::Key_F1);
const QKeySequence kExitKey(Qt::CTRL | Qt::Key_Q);
const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
// The desktop's usual Configure key; QKeySequence::Preferences has none on
// most Linux desktops.
const QKeySequence kPrefsKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Comma);

// The logo on the menu page opens About when clicked.
class ClickableLabel : public QLabel
{
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick)
            guard(onClick);
    }
};

} // namespace

void TfrmMain::buildToolBar(QWidget *panel)
{
    // `spoken` is what a screen reader says for a button that shows only an
    // icon; `key`, shown in the tool tip, is the button's key.
    auto tool = [panel](const QString &name, const QString &hint, int x, int width,
                        const QString &spoken = {}, const QKeySequence &key = {}) {
        auto *b = new QToolButton(panel);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setIconSize(QSize(24, 24));
        b->setGeometry(x, 2, width, 29);
        b->setFocusPolicy(Qt::NoFocus);
        setHint(b, hint);
        if (!key.isEmpty())
            b->setToolTip(b->toolTip() + u" ("_s + key.toString(QKeySequence::NativeText) + u')');
        if (!spoken.isEmpty())
            b->setAccessibleName(spoken);
        return b;
    };
    // The window's own key for a button that no menu item stands for.
    auto windowKey = [this](QToolButton *b, const QKeySequence &key) {
        auto *a = new QAction(this);
        a->setObjectName(b->objectName() + u"Key"_s);
        a->setShortcut(key);
        addAction(a);
        connect(a, &QAction::triggered, b, [b] {
            if (b->isEnabled())
                b->click();
        });
    };
    m_btnMenu = tool(u"btnMenu"_s, u"Go to Calculator Menu"_s, 4, 64, {}, kMenuKey);
    m_btnMenu->setText(QStringLiteral(" Menu"));
    windowKey(m_btnMenu, kMenuKey);
    m_btnPrint = tool(u"btnPrint"_s, u"Print this page"_s, 72, 32, u"Print"_s, kPrintKey);
    setToolIcon(m_btnPrint, ToolIcon::Print, palette());
    m_btnReset = tool(u"btnReset"_s, u"Reset this calculator to default values"_s, 106, 32,
                      u"Reset"_s, kResetKey);
    setToolIcon(m_btnReset, ToolIcon::Reset, palette());
    windowKey(m_btnReset, kResetKey);
    auto *btnUpdate =
        tool(u"btnUpdate"_s, u"Check for New Version ..."_s, 146, 32, u"Check for New Version"_s);
    setToolIcon(btnUpdate, ToolIcon::Update, palette());
    auto *btnPrefs = tool(u"btnPrefs"_s, u"Click to Configure Preferences ..."_s, 180, 32,
                          u"Preferences"_s, kPrefsKey);
    setToolIcon(btnPrefs, ToolIcon::Prefs, palette());
    auto *btnHelp = tool(u"btnHelp"_s, u"Click for Help"_s, 214, 32, u"Help"_s, kHelpKey);
    setToolIcon(btnHelp, ToolIcon::Help, palette());
    auto *btnCalculators =
        tool(u"btnCalculators"_s, u"Click to display Calculator menu."_s, 256, 130);
    btnCalculators->setText(QStringLiteral("Calculator Menu"));
    btnCalculators->setPopupMode(QToolButton::InstantPopup);
    auto *btnOpen = tool(u"btnOpen"_s, u"Open a scenario file"_s, 392, 32, u"Open"_s,
                         QKeySequence(QKeySequence::Open));
    setToolIcon(btnOpen, ToolIcon::Open, palette());
    auto *btnSave = tool(u"btnSave"_s, u"Save this scenario"_s, 426, 32, u"Save"_s,
                         QKeySequence(QKeySequence::Save));
    setToolIcon(btnSave, ToolIcon::Save, palette());
    bindCommand(btnOpen, [this] { MnuFileOpenClick(); });
    bindCommand(btnSave, [this] { MnuFileSaveClick(); });
    auto *btnExit = tool(u"btnExit"_s, u"Exit Calvenor"_s, 576, 32, u"Exit"_s, kExitKey);
    setToolIcon(btnExit, ToolIcon::Exit, palette());

    m_btnMenu->setEnabled(false);
    m_btnPrint->setEnabled(false);
    m_btnReset->setEnabled(false);

    bindCommand(m_btnMenu, [this] { gotoChosenCalculator(m_btnMenu); });
    bindCommand(m_btnPrint, [this] { Print(); });
    bindCommand(m_btnReset, [this] { Reset(); });
    bindCommand(btnUpdate, [this] { ShowUpdate(); });
    bindCommand(btnPrefs, [this] { mnuPreferencesSetValuesClick(); });
    bindCommand(btnHelp, [this] { btnHelpClick(); });
    bindCommand(btnExit, [this] { close(); });
}

QAction *TfrmMain::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = caption == u"-"_s ? menu->addSeparator() : menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

void TfrmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MnuMain"));

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    buildFileItems(file);
    QAction *printSetup = addItem(file, u"MnuFilePrintSetup"_s, u"Print Setup..."_s);
    // Kept for the menu's shape; the print set-up dialog covers page setup.
    addItem(file, u"mnuFilePageSetup"_s, u"Page Setup..."_s)->setVisible(false);
    m_mnuFilePrint = addItem(file, u"MnuFilePrint"_s, u"&Print"_s);
    m_mnuFilePrint->setEnabled(false);
    m_mnuFilePrint->setShortcut(kPrintKey);
    m_mnuFileExportCSV = addItem(file, u"MnuFileExportCSV"_s, u"&Export to CSV..."_s);
    m_mnuFileExportCSV->setEnabled(false);
    // A page's table comes and goes with its calculations: look when the menu opens.
    connect(file, &QMenu::aboutToShow, this, [this] { updateExportEnabled(); });
    bindCommand(m_mnuFileExportCSV, [this] { MnuFileExportCSVClick(); });
    addItem(file, u"N5"_s, u"-"_s);
    QAction *exit = addItem(file, u"MnuFileExit"_s, u"E&xit"_s);
    exit->setShortcut(kExitKey);
    bindCommand(printSetup, [this] { MnuFilePrintSetupClick(); });
    bindCommand(m_mnuFilePrint, [this] { Print(); });
    bindCommand(exit, [this] { close(); });

    // Reset asks nothing: it can be taken back instead.
    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_mnuEditUndoReset = addItem(edit, u"mnuEditUndoReset"_s, u"&Undo Reset"_s);
    m_mnuEditUndoReset->setShortcut(kUndoKey);
    m_mnuEditUndoReset->setEnabled(false);
    bindCommand(m_mnuEditUndoReset, [this] { UndoReset(); });

    m_mnuCalculators = bar->addMenu(QStringLiteral("&Calculators"));
    m_mnuCalculators->setObjectName(QStringLiteral("MnuCalculators"));
    m_mnuPopup = new QMenu(this);
    m_mnuPopup->setObjectName(QStringLiteral("MnuPopup"));
    m_mnuPopCalcs = new QMenu(this);
    m_mnuPopCalcs->setObjectName(QStringLiteral("mnuPopCalcs"));
    bool setApart = false;
    for (Destination &d : m_destinations) {
        if (d.desc->apart && !setApart) {
            setApart = true;
            addItem(m_mnuCalculators, u"N12"_s, u"-"_s);
            addItem(m_mnuPopup, u"N13"_s, u"-"_s);
            addItem(m_mnuPopCalcs, u"N14"_s, u"-"_s);
        }
        d.mnu = addItem(m_mnuCalculators, d.desc->menuItemName, d.desc->menuItem);
        d.pop = addItem(m_mnuPopup, u"mnuPop"_s + d.desc->key, d.desc->menuItem);
        d.popCalcs = addItem(m_mnuPopCalcs, u"mnuPopCalcs"_s + d.desc->key, d.desc->menuItem);
    }

    QMenu *internet = bar->addMenu(QStringLiteral("&Internet"));
    internet->setObjectName(QStringLiteral("mnuInternet"));
    QMenu *web = internet->addMenu(QStringLiteral("&Tolvane on the Web"));
    web->setObjectName(QStringLiteral("mnuInternetWeb"));
    web->menuAction()->setObjectName(QStringLiteral("mnuInternetWeb"));
    QAction *home = addItem(web, u"mnuInternetWebURL"_s, u"&Home Page"_s);
    QAction *freeware = addItem(web, u"TolvaneFreewarePage1"_s, u"Tolvane' &Freeware Page"_s);
    addItem(web, u"N3"_s, u"-"_s);
    QAction *suggest = addItem(web, u"SuggestionBox1"_s, u"&Suggestion Box"_s);
    QMenu *email = internet->addMenu(QStringLiteral("Contact Tolvane by &Email"));
    email->setObjectName(QStringLiteral("mnuInternetEmail"));
    email->menuAction()->setObjectName(QStringLiteral("mnuInternetEmail"));
    QAction *mailSuggest = addItem(email, u"mnuInternetEmailURL"_s, u"Send &Suggestions"_s);
    QAction *mailSupport = addItem(email, u"ContactTechSupport1"_s, u"Contact &Tech Support"_s);
    addItem(internet, u"N10"_s, u"-"_s);
    QAction *update =
        addItem(internet, u"mnuInternetCheckForUpdate"_s, u"Check for &New Version ..."_s);
    bindCommand(update, [this] { ShowUpdate(); });
    bindCommand(home, [this] { openLinkOrSay(Link::UrlTolvane); });
    bindCommand(freeware, [this] { openLinkOrSay(Link::UrlFreeware); });
    bindCommand(suggest, [this] { openLinkOrSay(Link::UrlSuggest); });
    bindCommand(mailSuggest, [this] { openLinkOrSay(Link::UrlEmailSuggest); });
    bindCommand(mailSupport, [this] { openLinkOrSay(Link::UrlEmailSupport); });

    QMenu *prefs = bar->addMenu(QStringLiteral("&Preferences"));
    prefs->setObjectName(QStringLiteral("mnuPreferences"));
    QAction *setValues = addItem(prefs, u"mnuPreferencesSetValues"_s, u"&Configure Defaults ..."_s);
    setValues->setShortcut(kPrefsKey);
    bindCommand(setValues, [this] { mnuPreferencesSetValuesClick(); });

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MnuHelp"));
    QAction *contents = addItem(help, u"MnuHelpContents"_s, u"&Contents"_s);
    QAction *search = addItem(help, u"MnuHelpSearch"_s, u"&Search for Help On..."_s);
    QAction *how = addItem(help, u"MnuHelpHow"_s, u"&How to Use Help"_s);
    addItem(help, u"N1"_s, u"-"_s);
    QAction *glossary = addItem(help, u"MnuHelpGlossary"_s, u"Home Buyer's &Glossary"_s);
    addItem(help, u"N11"_s, u"-"_s);
    QAction *disclaimer = addItem(help, u"MnuHelpDisclaimer"_s, u"&Disclaimer..."_s);
    QAction *about = addItem(help, u"MnuHelpAbout"_s, u"&About..."_s);
    bindCommand(contents, [this] { m_help->showContents(); });
    bindCommand(search, [this] { m_help->showSearch(); });
    bindCommand(how, [this] { m_help->showHowToUseHelp(); });
    bindCommand(glossary, [this] { m_help->showTopic(help::TopicGlossary); });
    bindCommand(disclaimer, [this] { MnuHelpDisclaimerClick(); });
    bindCommand(about, [this] { MnuHelpAboutClick(); });

    // The context menu's tail after its ten calculators.
    addItem(m_mnuPopup, u"N2"_s, u"-"_s);
    QAction *popGlossary = addItem(m_mnuPopup, u"MnuPopGlossary"_s, u"Home Buyer's &Glossary"_s);
    addItem(m_mnuPopup, u"N6"_s, u"-"_s);
    QAction *popDisclaimer = addItem(m_mnuPopup, u"MnuPopDisclaimer"_s, u"&Disclaimer..."_s);
    addItem(m_mnuPopup, u"N4"_s, u"-"_s);
    QAction *popHelp = addItem(m_mnuPopup, u"MnuPopHelp"_s, u"Help"_s);
    // Shown only: the context help key takes F1 wherever the focus is.
    popHelp->setShortcut(kHelpKey);
    popHelp->setShortcutContext(Qt::WidgetShortcut);
    addItem(m_mnuPopup, u"N9"_s, u"-"_s);
    QAction *popExit = addItem(m_mnuPopup, u"MnuPopExit"_s, u"E&xit"_s);
    bindCommand(popGlossary, [this] { m_help->showTopic(help::TopicGlossary); });
    bindCommand(popDisclaimer, [this] { MnuHelpDisclaimerClick(); });
    bindCommand(popHelp, [this] { btnHelpClick(); });
    bindCommand(popExit, [this] { close(); });

    // The drop-down of the tool bar's "Calculator Menu" button.
    addItem(m_mnuPopCalcs, u"N8"_s, u"-"_s);
    QAction *calcsGlossary =
        addItem(m_mnuPopCalcs, u"mnuPopCalcsGlossary"_s, u"Home Buyer's &Glossary"_s);
    QAction *calcsDisclaimer =
        addItem(m_mnuPopCalcs, u"mnuPopCalcsDisclaimer"_s, u"&Disclaimer ..."_s);
    bindCommand(calcsGlossary, [this] { m_help->showTopic(help::TopicGlossary); });
    bindCommand(calcsDisclaimer, [this] { MnuHelpDisclaimerClick(); });
    if (auto *btn = findChild<QToolButton *>(QStringLiteral("btnCalculators")))
        btn->setMenu(m_mnuPopCalcs);
}

QWidget *TfrmMain::buildMenuPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Menu"));

    auto *logo = new ClickableLabel(page);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(productLogo(96));
    logo->setGeometry(97, 28, 96, 96);
    logo->setCursor(Qt::PointingHandCursor);
    logo->onClick = [this] { MnuHelpAboutClick(); };

    auto *name = new QLabel(productName(), page);
    name->setObjectName(QStringLiteral("Label13"));
    QFont big(QStringLiteral("Arial"));
    big.setPixelSize(28);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(20, 130, 250, 36);

    auto *memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->viewport()->setAutoFillBackground(false);
    memo->setPlainText(QStringLiteral("This suite of real estate calculators is \n"
                                      "designed to help you better estimate the \n"
                                      "effects of the financial subtleties involved \n"
                                      "in a real estate transaction.\n"
                                      "\n"
                                      "Please consult your own qualified \n"
                                      "financial advisor before making financial \n"
                                      "decisions."));
    memo->setGeometry(30, 172, 250, 124);

    // The ten in a column on the right; the pages set apart below the text
    // on the left, a little tighter so that three fit, and the ten keep
    // their places.
    int y = 22;
    int apartY = 298;
    for (Destination &d : m_destinations) {
        d.button = new QPushButton(d.desc->button, page);
        d.button->setObjectName(u"btn"_s + d.desc->key);
        d.button->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
        setHint(d.button, d.desc->buttonHint);
        if (d.desc->apart) {
            d.button->setGeometry(35, apartY, 220, 25);
            apartY += 27;
            continue;
        }
        d.button->setGeometry(320, y, 220, 30);
        y += 34;
    }
    return page;
}

} // namespace clvn
