#include "app/help/HelpWindow.h"

#include "app/help/HelpTopics.h"
#include "widgets/Guard.h"
#include "widgets/HelpContext.h"
#include "widgets/Messages.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace clvn {

namespace {

const QString helpScheme = QStringLiteral("qthelp");

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

// ---------------------------------------------------------------- HelpBrowser

HelpBrowser::HelpBrowser(QHelpEngineCore *engine, QWidget *parent)
    : QTextBrowser(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("helpBrowser"));
    // Links are followed here so that help pages stay in this browser and
    // web or mail links go to the desktop.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this,
            [this](const QUrl &link) { guard([&] { followLink(link); }); });
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    if (name.scheme() == helpScheme)
        return m_engine->fileData(name);
    return QTextBrowser::loadResource(type, name);
}

void HelpBrowser::followLink(const QUrl &link)
{
    const QUrl target = link.isRelative() ? source().resolved(link) : link;
    if (target.scheme() == helpScheme)
        setSource(target);
    else
        QDesktopServices::openUrl(target);
}

// ----------------------------------------------------------------- HelpWindow

HelpWindow::HelpWindow(QHelpEngine *engine, QWidget *parent) : QWidget(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Calvenor Help"));
    // F1 in the help window: help on the help window.
    setHelpContext(this, help::TopicHowToUseHelp);
    setWindowFlag(Qt::Window);
    resize(820, 580);

    m_browser = new HelpBrowser(engine, this);
    // The views have no caption beside them; a screen reader says these.
    m_browser->setAccessibleName(QStringLiteral("Help Topic"));

    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("helpToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_back = toolBar->addAction(QStringLiteral("Back"));
    m_back->setObjectName(QStringLiteral("actHelpBack"));
    m_back->setEnabled(false);
    m_forward = toolBar->addAction(QStringLiteral("Forward"));
    m_forward->setObjectName(QStringLiteral("actHelpForward"));
    m_forward->setEnabled(false);
    QAction *home = toolBar->addAction(QStringLiteral("Contents"));
    home->setObjectName(QStringLiteral("actHelpContents"));
    connectGuarded(m_back, &QAction::triggered, this, [this] { m_browser->backward(); });
    connectGuarded(m_forward, &QAction::triggered, this, [this] { m_browser->forward(); });
    connectGuarded(home, &QAction::triggered, this, [this] {
        if (m_homeUrl.isValid())
            showPage(m_homeUrl);
    });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connectGuarded(m_browser, &QTextBrowser::sourceChanged, this, [this] { syncContents(); });

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("helpTabs"));

    QHelpContentWidget *contents = engine->contentWidget();
    contents->setObjectName(QStringLiteral("helpContents"));
    contents->setHeaderHidden(true);
    contents->setAccessibleName(QStringLiteral("Contents"));
    m_tabs->addTab(contents, QStringLiteral("&Contents"));
    connect(contents, &QHelpContentWidget::linkActivated, this,
            [this](const QUrl &url) { guard([&] { showPage(url); }); });
    connectGuarded(engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        m_engine->contentWidget()->expandAll();
        syncContents();
    });

    m_tabs->addTab(buildIndexTab(), QStringLiteral("&Index"));

    // The search widgets and the full-text index are made on first use.
    m_searchTab = new QWidget(this);
    m_searchTab->setObjectName(QStringLiteral("helpSearchTab"));
    m_searchLayout = new QVBoxLayout(m_searchTab);
    m_searchLayout->setContentsMargins(4, 4, 4, 4);
    m_tabs->addTab(m_searchTab, QStringLiteral("&Search"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        guard([&] {
            if (m_tabs->widget(index) == m_searchTab)
                ensureSearchTab();
        });
    });

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 570});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter, 1);
}

QWidget *HelpWindow::buildIndexTab()
{
    auto *tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("helpIndexTab"));
    auto *label = new QLabel(QStringLiteral("&Look for:"), tab);
    m_indexFilter = new QLineEdit(tab);
    m_indexFilter->setObjectName(QStringLiteral("helpIndexFilter"));
    m_indexFilter->setClearButtonEnabled(true);
    label->setBuddy(m_indexFilter);

    QHelpIndexWidget *index = m_engine->indexWidget();
    index->setObjectName(QStringLiteral("helpIndex"));
    index->setAccessibleName(QStringLiteral("Keywords"));

    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(label);
    layout->addWidget(m_indexFilter);
    layout->addWidget(index, 1);

    connect(m_indexFilter, &QLineEdit::textChanged, this,
            [index](const QString &text) { guard([&] { index->filterIndices(text); }); });
    connectGuarded(m_indexFilter, &QLineEdit::returnPressed, this,
                   [index] { index->activateCurrentItem(); });
    // The keyword list is built in the background; apply what was typed meanwhile.
    connectGuarded(m_engine->indexModel(), &QHelpIndexModel::indexCreated, this, [this, index] {
        if (!m_indexFilter->text().isEmpty())
            index->filterIndices(m_indexFilter->text());
    });
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink &document, const QString &) {
                guard([&] { showPage(document.url); });
            });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink> &documents, const QString &) {
                guard([&] {
                    if (!documents.isEmpty())
                        showPage(documents.first().url);
                });
            });
    return tab;
}

void HelpWindow::ensureSearchTab()
{
    if (m_searchReady)
        return;
    m_searchReady = true;
    QHelpSearchEngine *search = m_engine->searchEngine();
    QHelpSearchQueryWidget *query = search->queryWidget();
    query->setObjectName(QStringLiteral("helpSearchQuery"));
    QHelpSearchResultWidget *results = search->resultWidget();
    results->setObjectName(QStringLiteral("helpSearchResults"));
    // Qt's search widgets come without names for their inner controls.
    for (QLineEdit *box : query->findChildren<QLineEdit *>())
        box->setAccessibleName(QStringLiteral("Search For"));
    for (QWidget *list : results->findChildren<QAbstractScrollArea *>())
        list->setAccessibleName(QStringLiteral("Search Results"));
    m_searchLayout->addWidget(query);
    m_searchLayout->addWidget(results, 1);
    connectGuarded(query, &QHelpSearchQueryWidget::search, this,
                   [search, query] { search->search(query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, this,
            [this](const QUrl &url) { guard([&] { showPage(url); }); });
    // Brings the index up to date with the collection; it is kept on disk, so
    // only the first use ever does the full work.
    search->scheduleIndexDocumentation();
}

void HelpWindow::showPage(const QUrl &url)
{
    if (!url.isValid())
        return;
    m_browser->setSource(url, QTextDocument::HtmlResource);
}

void HelpWindow::syncContents()
{
    QHelpContentWidget *contents = m_engine->contentWidget();
    QUrl page = m_browser->source();
    page.setFragment(QString());
    const QModelIndex index = contents->indexOf(page);
    if (index.isValid())
        contents->setCurrentIndex(index);
}

void HelpWindow::showContentsTab()
{
    m_tabs->setCurrentWidget(m_engine->contentWidget());
}

void HelpWindow::showIndexTab()
{
    m_tabs->setCurrentWidget(m_indexFilter->parentWidget());
    m_indexFilter->setFocus(Qt::OtherFocusReason);
    m_indexFilter->selectAll();
}

void HelpWindow::showSearchTab()
{
    m_tabs->setCurrentWidget(m_searchTab);
    ensureSearchTab();
    m_engine->searchEngine()->queryWidget()->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::present()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

// ----------------------------------------------------------------- HelpViewer

QString HelpViewer::locateCollection(const QString &programFolder)
{
    const QString beside = programFolder + QStringLiteral("CLVN.qhc");
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("../share/calvenor/CLVN.qhc"));
    if (QFileInfo(installed).isFile())
        return installed;
    return beside;
}

HelpViewer::HelpViewer(QString collectionFile, QObject *parent)
    : QObject(parent), m_collectionFile(std::move(collectionFile))
{
}

HelpViewer::~HelpViewer() = default;

QString HelpViewer::cacheDirectory() const
{
    if (!m_cacheDir.isEmpty())
        return m_cacheDir;
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        base = QDir::tempPath() + QStringLiteral("/calvenor");
    return base + QStringLiteral("/help");
}

void HelpViewer::showContents()
{
    guard([&] { request(help::TopicContents, &HelpWindow::showContentsTab); });
}

void HelpViewer::showHowToUseHelp()
{
    guard([&] { request(help::TopicHowToUseHelp, nullptr); });
}

void HelpViewer::showTopic(int topic)
{
    guard([&] { request(topic, nullptr); });
}

void HelpViewer::showSearch()
{
    guard([&] {
        const bool empty = !m_window || m_window->browser()->source().isEmpty();
        if (empty) {
            request(help::TopicContents, &HelpWindow::showIndexTab);
            return;
        }
        m_window->present();
        m_window->showIndexTab();
    });
}

void HelpViewer::quit()
{
    guard([&] {
        if (m_window)
            m_window->close();
    });
}

void HelpViewer::request(int topic, void (HelpWindow::*tab)())
{
    m_lastTopic = topic;
    m_lastUrl = QUrl();
    if (!ensureWindow())
        return;
    const QUrl url = lookUp(topic);
    m_window->showPage(url);
    m_window->present();
    if (tab)
        (m_window.get()->*tab)();
    m_lastUrl = url;
    Q_EMIT topicShown(topic, url);
}

QUrl HelpViewer::urlForTopic(int topic)
{
    if (!ensureEngine())
        return {};
    return lookUp(topic);
}

QUrl HelpViewer::lookUp(int topic) const
{
    const QList<QHelpLink> links = m_engine->documentsForIdentifier(help::topicIdentifier(topic));
    if (!links.isEmpty())
        return links.first().url;
    if (topic != help::TopicContents)
        return lookUp(help::TopicContents);
    return {};
}

bool HelpViewer::ensureWindow()
{
    if (m_window)
        return true;
    if (!ensureEngine())
        return false;
    m_window = std::make_unique<HelpWindow>(m_engine.get());
    m_window->setHomeUrl(lookUp(help::TopicContents));
    return true;
}

bool HelpViewer::ensureEngine()
{
    if (m_engine)
        return true;

    const QFileInfo source(m_collectionFile);
    const QString reinstall = QStringLiteral("\n\r\n\rPlease reinstall Calvenor to restore it.");
    const QString damaged = QStringLiteral("The help file is damaged and cannot be read:\n\r") +
                            nativePath(m_collectionFile) + reinstall;
    if (m_collectionFile.isEmpty() || !source.isFile()) {
        report(QStringLiteral("The help file could not be found:\n\r") +
               nativePath(m_collectionFile) + reinstall);
        return false;
    }

    // Read the installed collection without touching it: the program's
    // folder may be read-only.
    QHelpEngineCore installed(source.absoluteFilePath());
    installed.setReadOnly(true);
    if (!installed.setupData() || installed.registeredDocumentations().isEmpty()) {
        report(damaged);
        return false;
    }
    QStringList documents;
    const QStringList namespaces = installed.registeredDocumentations();
    for (const QString &name : namespaces) {
        const QString document = installed.documentationFileName(name);
        if (!QFileInfo(document).isFile()) {
            report(QStringLiteral("A part of the help is missing:\n\r") + nativePath(document) +
                   reinstall);
            return false;
        }
        documents << document;
    }

    // The engine works on a writable copy, where the search index can live.
    // A copy that does not open (cut short by a crash, say) is made again;
    // failing that, the installed file serves read-only, without search index.
    m_engine = openEngine(writableCopy(installed, documents, false));
    if (!m_engine)
        m_engine = openEngine(writableCopy(installed, documents, true));
    if (!m_engine)
        m_engine = openEngine(source.absoluteFilePath(), true);
    if (!m_engine) {
        report(damaged);
        return false;
    }
    return true;
}

std::unique_ptr<QHelpEngine> HelpViewer::openEngine(const QString &collection, bool readOnly)
{
    if (collection.isEmpty())
        return {};
    auto engine = std::make_unique<QHelpEngine>(collection);
    engine->setUsesFilterEngine(true);
    engine->setReadOnly(readOnly);
    if (!engine->setupData() || engine->registeredDocumentations().isEmpty())
        return {};
    return engine;
}

QString HelpViewer::writableCopy(QHelpEngineCore &source, const QStringList &documents, bool renew)
{
    const QString dir = cacheDirectory();
    const QString copy = dir + QStringLiteral("/") + QFileInfo(m_collectionFile).fileName();
    const QFileInfo copyInfo(copy);

    // A copy older than the installed help belongs to another build: drop it
    // together with its search index.
    bool fresh = !renew && copyInfo.isFile();
    QStringList inputs = documents;
    inputs << m_collectionFile;
    for (const QString &input : inputs) {
        if (fresh && QFileInfo(input).lastModified() > copyInfo.lastModified())
            fresh = false;
    }
    if (fresh)
        return copy;

    QDir(dir).removeRecursively();
    if (!QDir().mkpath(dir) || !source.copyCollectionFile(copy))
        return {};
    return copy;
}

void HelpViewer::report(const QString &text) const
{
    showInfo(qobject_cast<QWidget *>(parent()), text);
}

} // namespace clvn
