#include "app/Main.h"

#include "app/About.h"
#include "app/Centre.h"
#include "app/Close.h"
#include "app/ContextHelp.h"
#include "app/CsvExport.h"
#include "app/Disclaim.h"
#include "app/Icons.h"
#include "app/Links.h"
#include "app/Pages.h"
#include "app/Update.h"
#include "app/WebFileInfo.h"
#include "app/help/HelpTopics.h"
#include "app/help/HelpWindow.h"
#include "app/settings/Prefs.h"
#include "calculators/CalculatorPage.h"
#include "calculators/TableSource.h"
#include "finance/Errors.h"
#include "reports/Print.h"
#include "widgets/Accessibility.h"
#include "widgets/Guard.h"
#include "widgets/HelpContext.h"
#include "widgets/Hint.h"
#include "widgets/Identity.h"
#include "widgets/Messages.h"
#include "widgets/RotatedLabel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

const QString kWelcome = QStringLiteral(" Welcome to Tolvane Software's Calvenor!");
const QString kFloatMessage =
    QStringLiteral("Valid results cannot be calculated using\n\rthe variables you have entered."
                   "\n\r\n\rPlease try again with reasonable values.");
const QString kOtherMessage = QStringLiteral("An unidentified error has occurred.");

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

// A page's controls in the frame, built from its descriptor.
struct TfrmMain::Destination
{
    const PageDescriptor *desc = nullptr;
    QPushButton *button = nullptr;
    QAction *mnu = nullptr;
    QAction *pop = nullptr;
    QAction *popCalcs = nullptr;
    CalculatorPage *page = nullptr;

    bool owns(const QObject *sender) const
    {
        return sender && (sender == button || sender == mnu || sender == pop || sender == popCalcs);
    }
};

TfrmMain::TfrmMain(MainOptions options, QWidget *parent)
    : QMainWindow(parent), m_options(std::move(options))
{
    setObjectName(QStringLiteral("frmMain"));
    for (const PageDescriptor &d : pageDescriptors())
        m_destinations.push_back({&d});
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    setExceptionHandler({});
}

void TfrmMain::FormCreate()
{
    setWindowTitle(applicationTitle());
    // Every window and dialog takes the application's icon unless it sets its own.
    QApplication::setWindowIcon(appIcon());
    m_programFolder = m_options.programFolder;
    if (m_programFolder.isEmpty())
        m_programFolder = QCoreApplication::applicationDirPath();
    if (!m_programFolder.endsWith(u'/'))
        m_programFolder += u'/';

    m_settingsFile =
        std::make_unique<SettingsFile>(SettingsFile::forProgramFolder(m_programFolder));
    m_loadReport = m_settingsFile->load(m_buyerValues);

    setExceptionHandler([this](std::exception_ptr e) { AppOnException(e); });
    m_help = std::make_unique<HelpViewer>(HelpViewer::locateCollection(m_programFolder));
    m_printer = std::make_unique<PrintDispatcher>(this);
    setHelpContext(this, help::TopicMenu);
    m_contextHelp = std::make_unique<ContextHelpKey>(
        [this](int topic) { m_help->showTopic(topic); }, help::TopicMenu);
    m_webFileInfo = new TWebFileInfo(this);
    if (m_options.setUpUpdateCheck)
        m_options.setUpUpdateCheck(*m_webFileInfo);
    m_csv = std::make_unique<CsvExporter>();

    buildFrame();
    addPages();
    bindNavigation();
    showMenuPage();
    QApplication::restoreOverrideCursor();
}

void TfrmMain::buildFrame()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(612, 413);
    setCentralWidget(client);

    auto *panel1 = new QWidget(client);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(0, 0, 612, 33);
    buildToolBar(panel1);

    auto *panel2 = new QWidget(client);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(0, 33, 25, 380);
    panel2->setAutoFillBackground(true);
    QPalette caption = panel2->palette();
    caption.setColor(QPalette::Window, QColor(0, 84, 166));
    panel2->setPalette(caption);
    m_lblCalculatorName = new TRotatedLabel(panel2);
    m_lblCalculatorName->setObjectName(QStringLiteral("lblCalculatorName"));
    m_lblCalculatorName->setGeometry(0, 0, 25, 380);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    m_lblCalculatorName->setFont(titleFont);
    m_lblCalculatorName->setTextColor(Qt::white);
    m_lblCalculatorName->setText(QStringLiteral("Main Menu"));

    m_nbkMain = new QStackedWidget(client);
    m_nbkMain->setObjectName(QStringLiteral("nbkMain"));
    m_nbkMain->setGeometry(25, 33, 587, 380);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    status->setFixedHeight(19);
    m_statusText = new QLabel(kWelcome, status);
    m_statusText->setObjectName(QStringLiteral("StatusText"));
    status->addWidget(m_statusText, 1);
    setStatusBar(status);

    buildMenus();
    m_menuPage = buildMenuPage();
    m_nbkMain->addWidget(m_menuPage);

    // The window has a fixed client size: not resizable, minimise box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmMain::buildToolBar(QWidget *panel)
{
    auto tool = [panel](const QString &name, const QString &hint, int x, int width) {
        auto *b = new QToolButton(panel);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setIconSize(QSize(24, 24));
        b->setGeometry(x, 2, width, 29);
        b->setFocusPolicy(Qt::NoFocus);
        setHint(b, hint);
        return b;
    };
    m_btnMenu = tool(u"btnMenu"_s, u"Go to Calculator Menu"_s, 4, 64);
    m_btnMenu->setText(QStringLiteral(" Menu"));
    m_btnPrint = tool(u"btnPrint"_s, u"Print this page"_s, 72, 32);
    m_btnPrint->setIcon(toolIcon(ToolIcon::Print));
    m_btnReset = tool(u"btnReset"_s, u"Reset this calculator to default values"_s, 106, 32);
    m_btnReset->setIcon(toolIcon(ToolIcon::Reset));
    auto *btnUpdate = tool(u"btnUpdate"_s, u"Check for New Version ..."_s, 146, 32);
    btnUpdate->setIcon(toolIcon(ToolIcon::Update));
    auto *btnPrefs = tool(u"btnPrefs"_s, u"Click to Configure Preferences ..."_s, 180, 32);
    btnPrefs->setIcon(toolIcon(ToolIcon::Prefs));
    auto *btnHelp = tool(u"btnHelp"_s, u"Click for Help"_s, 214, 32);
    btnHelp->setIcon(toolIcon(ToolIcon::Help));
    auto *btnCalculators =
        tool(u"btnCalculators"_s, u"Click to display Calculator menu."_s, 256, 130);
    btnCalculators->setText(QStringLiteral("Calculator Menu"));
    btnCalculators->setPopupMode(QToolButton::InstantPopup);
    auto *btnExit = tool(u"btnExit"_s, u"Exit Calvenor"_s, 576, 32);
    btnExit->setIcon(toolIcon(ToolIcon::Exit));

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
    QAction *printSetup = addItem(file, u"MnuFilePrintSetup"_s, u"Print Setup..."_s);
    // Kept for the menu's shape; the print set-up dialog covers page setup.
    addItem(file, u"mnuFilePageSetup"_s, u"Page Setup..."_s)->setVisible(false);
    m_mnuFilePrint = addItem(file, u"MnuFilePrint"_s, u"&Print"_s);
    m_mnuFilePrint->setEnabled(false);
    m_mnuFileExportCSV = addItem(file, u"MnuFileExportCSV"_s, u"&Export to CSV..."_s);
    m_mnuFileExportCSV->setEnabled(false);
    // A page's table comes and goes with its calculations: look when the menu opens.
    connect(file, &QMenu::aboutToShow, this, [this] { updateExportEnabled(); });
    bindCommand(m_mnuFileExportCSV, [this] { MnuFileExportCSVClick(); });
    addItem(file, u"N5"_s, u"-"_s);
    QAction *exit = addItem(file, u"MnuFileExit"_s, u"E&xit"_s);
    bindCommand(printSetup, [this] { MnuFilePrintSetupClick(); });
    bindCommand(m_mnuFilePrint, [this] { Print(); });
    bindCommand(exit, [this] { close(); });

    m_mnuCalculators = bar->addMenu(QStringLiteral("&Calculators"));
    m_mnuCalculators->setObjectName(QStringLiteral("MnuCalculators"));
    m_mnuPopup = new QMenu(this);
    m_mnuPopup->setObjectName(QStringLiteral("MnuPopup"));
    m_mnuPopCalcs = new QMenu(this);
    m_mnuPopCalcs->setObjectName(QStringLiteral("mnuPopCalcs"));
    for (Destination &d : m_destinations) {
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
    memo->setGeometry(30, 180, 250, 140);

    int y = 22;
    for (Destination &d : m_destinations) {
        d.button = new QPushButton(d.desc->button, page);
        d.button->setObjectName(u"btn"_s + d.desc->key);
        d.button->setGeometry(320, y, 220, 30);
        d.button->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
        setHint(d.button, d.desc->buttonHint);
        y += 34;
    }
    return page;
}

void TfrmMain::addPages()
{
    std::vector<CalculatorPage *> pages =
        m_options.makePages ? m_options.makePages(*this) : makeCalculatorPages(*this);
    // The stack keeps the program's page order whatever order they were built in.
    std::vector<Destination *> order;
    for (Destination &d : m_destinations)
        order.push_back(&d);
    std::sort(order.begin(), order.end(), [](const Destination *a, const Destination *b) {
        return a->desc->stackPosition < b->desc->stackPosition;
    });
    for (Destination *d : order) {
        for (CalculatorPage *p : pages) {
            if (p->pageName() != d->desc->name)
                continue;
            p->setIdentity(d->desc->title, d->desc->helpTopic);
            m_nbkMain->addWidget(p);
            nameFieldsFromLabels(p);
            d->page = p;
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

void TfrmMain::AllowPrinting()
{
    m_btnPrint->setEnabled(true);
    m_mnuFilePrint->setEnabled(true);
}

void TfrmMain::DisallowPrinting()
{
    m_btnPrint->setEnabled(false);
    m_mnuFilePrint->setEnabled(false);
}

void TfrmMain::setResetEnabled(bool enabled)
{
    m_btnReset->setEnabled(enabled);
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

void TfrmMain::MnuFileExportCSVClick()
{
    auto *p = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget());
    const auto *table = dynamic_cast<const TableSource *>(p);
    if (table)
        m_csv->exportTable(this, *table, p->title());
}

void TfrmMain::btnHelpClick()
{
    auto *p = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget());
    m_help->showTopic(p ? p->helpTopic() : help::TopicMenu);
}

void TfrmMain::AppOnException(std::exception_ptr error)
{
    ++m_errorCount;
    bool floatError = false;
    try {
        std::rethrow_exception(error);
    } catch (const FloatError &) {
        floatError = true;
    } catch (...) {
    }
    showInfo(this, floatError ? kFloatMessage : kOtherMessage);
    if (!floatError || m_inErrorHandler)
        return;
    // Put back sane figures on the pages that need them. A failure while
    // recovering must not start the cycle again.
    m_inErrorHandler = true;
    const QWidget *active = m_nbkMain->currentWidget();
    for (const Destination &d : m_destinations) {
        if (!d.page)
            continue;
        try {
            fpe::clearFlags();
            d.page->recoverFromFloatError(d.page == active);
        } catch (...) {
        }
    }
    m_inErrorHandler = false;
    updateExportEnabled();
}

void TfrmMain::reportSettingsProblems()
{
    if (m_loadReport.ok())
        return;
    showInfo(this, ignoredKeysMessage(m_settingsFile->readPath(), m_loadReport.ignoredKeys));
    m_loadReport = {};
}

void TfrmMain::openLinkOrSay(Link link)
{
    const QUrl url = linkUrl(link);
    if (!openUrl(url))
        showInfo(this, u"The desktop could not open\n\r"_s + url.toString());
}

void TfrmMain::MnuHelpAboutClick()
{
    TAboutBox box(this);
    execCentred(box, this);
}

void TfrmMain::MnuHelpDisclaimerClick()
{
    TfrmDisclaim box(this);
    execCentred(box, this);
}

void TfrmMain::mnuPreferencesSetValuesClick()
{
    TfrmPrefs prefs(*m_settingsFile, m_buyerValues, this);
    setHelpContext(&prefs, help::TopicPreferences);
    execCentred(prefs, this);
    repaint();
}

void TfrmMain::ShowUpdate()
{
    bool exitNow = false;
    {
        TfrmUpdate window(*m_webFileInfo, this);
        execCentred(window, this);
        exitNow = window.exitRequested();
    }
    if (!exitNow)
        return;
    // The installer is running: leave by the normal path that keeps the
    // defaults, without the closing window's chance to stay.
    m_closingForUpdate = true;
    close();
}

void TfrmMain::MnuFilePrintSetupClick()
{
    m_printer->PrintSetup();
}

void TfrmMain::Print()
{
    if (!m_nbkMain->isVisible())
        return;
    printPage(*m_printer, m_nbkMain->currentWidget());
}

bool TfrmMain::FormCloseQuery()
{
    int draw = 1;
    if (m_options.closeDraw) {
        draw = m_options.closeDraw();
    } else {
        static std::mt19937 generator(
            static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
        draw = std::uniform_int_distribution<int>(0, 4)(generator);
    }
    if (draw != 0)
        return true;
    TfrmClose thanks(this);
    connect(&thanks, &TfrmClose::suggestionsRequested, this,
            [this] { guard([this] { openLinkOrSay(Link::UrlSuggest); }); });
    execCentred(thanks, this);
    return thanks.quitFlag();
}

void TfrmMain::FormClose()
{
    m_help->quit();
    try {
        m_settingsFile->saveAll(m_buyerValues);
    } catch (const std::exception &e) {
        // The window closes anyway; the user learns that the defaults were not kept.
        showInfo(this,
                 u"Your defaults could not be saved.\n\r\n\r"_s + QString::fromLocal8Bit(e.what()));
    }
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // The exit save keeps a figure typed and not yet left; a calculation
    // that fails on it does not keep the window open.
    takePendingEdit();
    bool allowed = true;
    if (!m_closingForUpdate)
        guard([&] { allowed = FormCloseQuery(); });
    if (!allowed) {
        event->ignore();
        return;
    }
    guard([this] { FormClose(); });
    event->accept();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    // Placed once, before the first showing; later the user's place stands.
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreOnScreen(this);
    }
    QMainWindow::showEvent(event);
}

bool TfrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_statusText->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::contextMenuEvent(QContextMenuEvent *event)
{
    m_mnuPopup->exec(event->globalPos());
}

} // namespace clvn
