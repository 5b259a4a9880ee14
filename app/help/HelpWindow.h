#pragma once

// The help window: contents, keyword index and full-text search on the left,
// the topic on the right, all served from the compiled help collection
// (CLVN.qhc beside the program). HelpViewer is what the main window talks to;
// it creates the engine and the window on the first request.

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <memory>

class QAction;
class QHelpEngine;
class QHelpEngineCore;
class QLineEdit;
class QTabWidget;
class QVBoxLayout;

namespace clvn {

// A text browser that reads qthelp:// pages and their style sheets from the
// help engine; other schemes go to the desktop's default handler when clicked.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit HelpBrowser(QHelpEngineCore *engine, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    void followLink(const QUrl &link);

    QHelpEngineCore *m_engine;
};

class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // The engine must outlive the window.
    explicit HelpWindow(QHelpEngine *engine, QWidget *parent = nullptr);

    void showPage(const QUrl &url);
    void showContentsTab();
    // Index tab with the keyboard focus in its filter line.
    void showIndexTab();
    // Search tab; the full-text index is built the first time.
    void showSearchTab();
    // Shows the window, raised and active.
    void present();

    HelpBrowser *browser() const { return m_browser; }
    QTabWidget *tabs() const { return m_tabs; }
    QLineEdit *indexFilter() const { return m_indexFilter; }
    QUrl homeUrl() const { return m_homeUrl; }
    void setHomeUrl(const QUrl &url) { m_homeUrl = url; }

private:
    QWidget *buildIndexTab();
    void ensureSearchTab();
    void syncContents();

    QHelpEngine *m_engine;
    QTabWidget *m_tabs = nullptr;
    QWidget *m_searchTab = nullptr;
    QVBoxLayout *m_searchLayout = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    HelpBrowser *m_browser = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QUrl m_homeUrl;
    bool m_searchReady = false;
};

class HelpViewer : public QObject
{
    Q_OBJECT
public:
    // collectionFile: the path of CLVN.qhc.
    explicit HelpViewer(QString collectionFile, QObject *parent = nullptr);

    // Where CLVN.qhc is for a program in `programFolder` (with its trailing
    // separator): beside the program as in a build tree, else in the
    // installed data folder ../share/calvenor/; when neither holds it, the
    // path beside the program, so the message names where it was expected.
    static QString locateCollection(const QString &programFolder);
    ~HelpViewer() override;

    void showContents(); // MnuHelpContents
    // MnuHelpSearch: the keyword index with the focus in its filter; the page
    // shown stays, or is the contents when the window was empty.
    void showSearch();
    void showHowToUseHelp();   // MnuHelpHow
    void showTopic(int topic); // context help; an unknown number shows the contents
    void quit();               // FormClose: close the window

    // Seam for tests: the last request and the page it showed (empty when
    // the help could not be opened).
    int lastTopic() const { return m_lastTopic; }
    QUrl lastUrl() const { return m_lastUrl; }

    // The page of a topic number; the contents page for an unknown number.
    // Opens the help engine when needed; empty when the help cannot be opened.
    QUrl urlForTopic(int topic);

    QString collectionFile() const { return m_collectionFile; }
    // Where the writable copy of the collection and its search index live;
    // defaults to the user's cache folder.
    void setCacheDirectory(const QString &dir) { m_cacheDir = dir; }
    QString cacheDirectory() const;

    // Null until the first request that opened the help.
    HelpWindow *window() const { return m_window.get(); }
    QHelpEngine *engine() const { return m_engine.get(); }

Q_SIGNALS:
    void topicShown(int topic, const QUrl &url);

private:
    void request(int topic, void (HelpWindow::*tab)());
    bool ensureWindow();
    bool ensureEngine();
    QString writableCopy(QHelpEngineCore &source, const QStringList &documents, bool renew);
    static std::unique_ptr<QHelpEngine> openEngine(const QString &collection,
                                                   bool readOnly = false);
    void report(const QString &text) const;
    QUrl lookUp(int topic) const;

    QString m_collectionFile;
    QString m_cacheDir;
    // The engine outlives the window: members are destroyed in reverse order.
    std::unique_ptr<QHelpEngine> m_engine;
    std::unique_ptr<HelpWindow> m_window;
    int m_lastTopic = 0;
    QUrl m_lastUrl;
};

} // namespace clvn
