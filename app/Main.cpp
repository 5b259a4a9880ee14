#include "app/Main.h"

#include "app/About.h"
#include "app/Centre.h"
#include "app/ContextHelp.h"
#include "app/CsvExport.h"
#include "app/Disclaim.h"
#include "app/Icons.h"
#include "app/Links.h"
#include "app/Pages.h"
#include "app/WebFileInfo.h"
#include "app/WindowPlace.h"
#include "app/help/HelpTopics.h"
#include "app/help/HelpWindow.h"
#include "app/settings/Prefs.h"
#include "calculators/CalculatorPage.h"
#include "calculators/TableSource.h"
#include "reports/Print.h"
#include "widgets/Accessibility.h"
#include "widgets/ExtraRoom.h"
#include "widgets/Guard.h"
#include "widgets/HelpContext.h"
#include "widgets/Identity.h"
#include "widgets/Messages.h"
#include "widgets/RotatedLabel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

const QString kWelcome = QStringLiteral(" Welcome to Tolvane Software's Calvenor!");

} // namespace

// A platform's font for a class of controls (headers, buttons) or a style
// sheet's reaches past the window's own font, so a larger system font
// clipped their texts: such controls take their parent's font as the rest do.
void takeWindowFont(QWidget *root)
{
    const QList<QWidget *> all = root->findChildren<QWidget *>();
    for (QWidget *w : all) {
        QWidget *parent = w->parentWidget();
        if (parent && !w->isWindow() && !w->testAttribute(Qt::WA_SetFont) &&
            w->font() != parent->font())
            w->setFont(parent->font());
    }
}

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
    // Every window and dialog takes the application's icon unless it sets its
    // own; this one is drawn first.
    setAppIconAfterFirstPaint(*this);
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
    takeWindowFont(this);
    // Named now for whoever looks before a page shows, and again as each
    // window and page shows (the filter lives as long as the window).
    makeAccessible(this);
    new AccessibleWindows(this);
    QApplication::instance()->installEventFilter(this);
    centreDialogsOver(this);
    QApplication::restoreOverrideCursor();
}

void TfrmMain::buildFrame()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
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

    // Drawn for 612 x 413, also the smallest it gets; past that the page
    // stack, the tool bar and the title strip take the extra room.
    ExtraRoom &room = *new ExtraRoom(client, QSize(612, 413));
    room.grow(panel1, 1, 0).grow(panel2, 0, 1).grow(m_lblCalculatorName, 0, 1).grow(m_nbkMain);

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

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    // The drawn size is the one it opens at, unless the last run left another.
    ensurePolished();
    layout()->activate();
    setMinimumSize(layout()->totalMinimumSize());
    resize(minimumSize());
    m_placed = restoreWindowPlace(*this, *m_settingsFile);
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

void TfrmMain::MnuFileExportCSVClick()
{
    auto *p = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget());
    const auto *table = dynamic_cast<const TableSource *>(p);
    if (table && resultsAreCurrent())
        m_csv->exportTable(this, *table, p->title());
}

void TfrmMain::btnHelpClick()
{
    auto *p = qobject_cast<CalculatorPage *>(m_nbkMain->currentWidget());
    m_help->showTopic(p ? p->helpTopic() : help::TopicMenu);
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

void TfrmMain::MnuFilePrintSetupClick()
{
    m_printer->PrintSetup();
}

void TfrmMain::Print()
{
    if (!m_nbkMain->isVisible() || !resultsAreCurrent())
        return;
    printPage(*m_printer, m_nbkMain->currentWidget());
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
    if (event->type() == QEvent::PaletteChange)
        redrawToolIcons(*this, palette());
    return QMainWindow::event(event);
}

void TfrmMain::contextMenuEvent(QContextMenuEvent *event)
{
    m_mnuPopup->exec(event->globalPos());
}

} // namespace clvn
