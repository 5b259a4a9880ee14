// The help: topic numbers to pages, the contents, index and search tabs, the
// integrity of the compiled help, and the failures of a missing or damaged
// collection file.

#include "app/help/HelpTopics.h"
#include "app/help/HelpWindow.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

const QString collectionFile = QStringLiteral(CLVN_HELP_COLLECTION_FILE);
const QString helpRoot = QStringLiteral("qthelp://com.tolvane.calvenor/doc/");

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void topicForPage_data();
    void topicForPage();
    void topicOpensItsPage_data();
    void topicOpensItsPage();
    void contentsOpensContentsTab();
    void howToUseHelp();
    void searchFocusesIndexFilter();
    void indexFilterOpensKeyword_data();
    void indexFilterOpensKeyword();
    void glossaryIsIndexed();
    void fullTextSearchFindsWord_data();
    void fullTextSearchFindsWord();
    void linksInPagesResolve();
    void clickedLinkStaysInHelp();
    void quitClosesWindow();
    void quitBeforeAnyRequestIsHarmless();
    void unusableCollectionIsReported_data();
    void unusableCollectionIsReported();
    void missingDocumentationIsReported();
    void staleCacheIsReplaced_data();
    void staleCacheIsReplaced();
    void renderToPng();

private:
    std::unique_ptr<HelpViewer> makeViewer(const QString &collection = collectionFile);

    std::unique_ptr<QTemporaryDir> m_cache;
};

void TestHelp::initTestCase()
{
    test::pinLocale();
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(QFileInfo(collectionFile).isFile(), qPrintable(collectionFile));
}

void TestHelp::init()
{
    m_cache = std::make_unique<QTemporaryDir>();
    QVERIFY(m_cache->isValid());
}

void TestHelp::cleanup()
{
    m_cache.reset();
}

std::unique_ptr<HelpViewer> TestHelp::makeViewer(const QString &collection)
{
    auto viewer = std::make_unique<HelpViewer>(collection);
    viewer->setCacheDirectory(m_cache->path() + QStringLiteral("/help"));
    return viewer;
}

// The main window's context-help table: page name to topic number.
void TestHelp::topicForPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("topic");
    QTest::newRow("Menu") << u"Menu"_s << 5;
    QTest::newRow("QC") << u"QC"_s << 20;
    QTest::newRow("MQ") << u"MQ"_s << 30;
    QTest::newRow("LS") << u"LS"_s << 40;
    QTest::newRow("Amort") << u"Amort"_s << 50;
    QTest::newRow("ECC") << u"ECC"_s << 70;
    QTest::newRow("RC") << u"RC"_s << 80;
    QTest::newRow("RVB") << u"RVB"_s << 90;
    QTest::newRow("BW") << u"BW"_s << 100;
    QTest::newRow("PPC") << u"PPC"_s << 120;
    QTest::newRow("HSP") << u"HSP"_s << 130;
    QTest::newRow("unknown page") << u"Nowhere"_s << help::TopicContents;
    QTest::newRow("case matters") << u"qc"_s << help::TopicContents;
}

void TestHelp::topicForPage()
{
    QFETCH(QString, page);
    QFETCH(int, topic);
    QCOMPARE(help::topicForPage(page), topic);
}

void TestHelp::topicOpensItsPage_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("phrase");

    QTest::newRow("5 menu") << 5 << u"overview.html"_s << u"Overview and the Main Menu"_s
                            << u"Everything happens in one main window"_s;
    QTest::newRow("20 QC") << 20 << u"qc.html"_s << u"Quick Calculator"_s
                           << u"Give it any three and it finds the fourth."_s;
    QTest::newRow("30 MQ") << 30 << u"mq.html"_s << u"Mortgage Qualifier"_s
                           << u"carries a loan of 142,792.19"_s;
    QTest::newRow("40 LS") << 40 << u"ls.html"_s << u"Loan Spread Calculator"_s
                           << u"a table of eleven rows by seven columns"_s;
    QTest::newRow("50 Amort") << 50 << u"amort.html"_s << u"Loan Amortizations"_s
                              << u"Press Re-Calculate."_s;
    QTest::newRow("70 ECC") << 70 << u"ecc.html"_s << u"Estimated Closing Costs"_s
                            << u"Cash Required at Closing = down payment"_s;
    QTest::newRow("80 RC") << 80 << u"rc.html"_s << u"Refinancing Calculator"_s
                           << u"Months Until You Will Sell"_s;
    QTest::newRow("90 RVB") << 90 << u"rvb.html"_s << u"Rent vs. Buy Calculator"_s
                            << u"Should you keep renting or buy?"_s;
    QTest::newRow("100 BW") << 100 << u"bw.html"_s << u"Biweekly Payments"_s
                            << u"26 half payments a year add up to 13 monthly payments"_s;
    QTest::newRow("120 PPC") << 120 << u"ppc.html"_s << u"Prepayment Calculator"_s
                             << u"the loan is paid off with payment 238"_s;
    QTest::newRow("130 HSP") << 130 << u"hsp.html"_s << u"Home Seller's Proceeds"_s
                             << u"costs 9,088.33 and a net of 90,911.67"_s;
    QTest::newRow("140 preferences") << 140 << u"preferences.html"_s << u"Preferences"_s
                                     << u"Restore Defaults puts the factory values"_s;
    QTest::newRow("5000 glossary") << 5000 << u"glossary.html"_s << u"Home Buyer's Glossary"_s
                                   << u"Private Mortgage Insurance (PMI)"_s;
    QTest::newRow("unknown 0") << 0 << u"index.html"_s << u"Calvenor Help Contents"_s
                               << u"Pick a topic below"_s;
    QTest::newRow("unknown 6") << 6 << u"index.html"_s << u"Calvenor Help Contents"_s
                               << u"Pick a topic below"_s;
    QTest::newRow("unknown -20") << -20 << u"index.html"_s << u"Calvenor Help Contents"_s
                                 << u"Pick a topic below"_s;
    QTest::newRow("unknown 4999") << 4999 << u"index.html"_s << u"Calvenor Help Contents"_s
                                  << u"Pick a topic below"_s;
}

void TestHelp::topicOpensItsPage()
{
    QFETCH(int, topic);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, phrase);

    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer();
    QSignalSpy shown(viewer.get(), &HelpViewer::topicShown);
    viewer->showTopic(topic);

    const QUrl expected(helpRoot + file);
    QCOMPARE(viewer->lastTopic(), topic);
    QCOMPARE(viewer->lastUrl(), expected);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toInt(), topic);
    QCOMPARE(shown.at(0).at(1).toUrl(), expected);

    HelpWindow *window = viewer->window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QCOMPARE(window->windowTitle(), u"Calvenor Help"_s);
    QCOMPARE(window->browser()->source(), expected);
    QCOMPARE(window->browser()->documentTitle(), title);
    QVERIFY2(window->browser()->toPlainText().simplified().contains(phrase), qPrintable(phrase));
    QCOMPARE(catcher.count(), 0);
}

void TestHelp::contentsOpensContentsTab()
{
    auto viewer = makeViewer();
    viewer->showTopic(help::TopicGlossary);
    viewer->window()->tabs()->setCurrentIndex(1);
    viewer->showContents();

    QCOMPARE(viewer->lastTopic(), help::TopicContents);
    QCOMPARE(viewer->lastUrl(), QUrl(helpRoot + u"index.html"_s));
    QCOMPARE(viewer->window()->browser()->documentTitle(), u"Calvenor Help Contents"_s);
    QCOMPARE(viewer->window()->tabs()->currentWidget(), viewer->engine()->contentWidget());
    // The contents tree follows the page shown.
    QTRY_COMPARE(viewer->engine()->contentWidget()->currentIndex().data().toString(),
                 u"Calvenor Help Contents"_s);
}

void TestHelp::howToUseHelp()
{
    auto viewer = makeViewer();
    QSignalSpy shown(viewer.get(), &HelpViewer::topicShown);
    viewer->showHowToUseHelp();

    QCOMPARE(viewer->lastTopic(), help::TopicHowToUseHelp);
    QCOMPARE(viewer->lastUrl(), QUrl(helpRoot + u"howtohelp.html"_s));
    QCOMPARE(viewer->window()->browser()->documentTitle(), u"How to Use Help"_s);
    QVERIFY(viewer->window()->browser()->toPlainText().contains(u"The tabs"_s));
    QCOMPARE(shown.count(), 1);
}

void TestHelp::searchFocusesIndexFilter()
{
    auto viewer = makeViewer();
    viewer->showSearch();
    HelpWindow *window = viewer->window();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(window->tabs()->currentWidget(), window->indexFilter()->parentWidget());
    QTRY_VERIFY(window->indexFilter()->hasFocus());
    // An empty window gets the contents page beside the index.
    QCOMPARE(viewer->lastUrl(), QUrl(helpRoot + u"index.html"_s));

    // With a page already shown, the search request keeps it.
    viewer->showTopic(help::TopicRC);
    viewer->showSearch();
    QCOMPARE(window->browser()->source(), QUrl(helpRoot + u"rc.html"_s));
    QCOMPARE(window->tabs()->currentWidget(), window->indexFilter()->parentWidget());
}

void TestHelp::indexFilterOpensKeyword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");

    QTest::newRow("PMI") << u"PMI"_s << u"PMI"_s << u"glossary.html#pmi"_s;
    QTest::newRow("escrow") << u"escrow"_s << u"Escrow"_s << u"glossary.html#escrow"_s;
    QTest::newRow("APR") << u"APR"_s << u"APR"_s << u"glossary.html#apr"_s;
    QTest::newRow("title ins") << u"title ins"_s << u"Title Insurance"_s
                               << u"glossary.html#titleinsurance"_s;
    QTest::newRow("extra payments") << u"extra pay"_s << u"Extra payments"_s << u"amort.html"_s;
    QTest::newRow("refinancing calc")
        << u"refinancing c"_s << u"Refinancing Calculator"_s << u"rc.html"_s;
}

void TestHelp::indexFilterOpensKeyword()
{
    QFETCH(QString, typed);
    QFETCH(QString, keyword);
    QFETCH(QString, page);

    auto viewer = makeViewer();
    viewer->showSearch();
    HelpWindow *window = viewer->window();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QHelpIndexModel *model = viewer->engine()->indexModel();
    QTRY_VERIFY(!model->isCreatingIndex() && model->rowCount() > 0);

    QTest::keyClicks(window->indexFilter(), typed);
    QHelpIndexWidget *index = viewer->engine()->indexWidget();
    QTRY_COMPARE(index->currentIndex().data().toString(), keyword);
    QTest::keyClick(window->indexFilter(), Qt::Key_Return);
    QTRY_COMPARE(window->browser()->source(), QUrl(helpRoot + page));
}

void TestHelp::glossaryIsIndexed()
{
    auto viewer = makeViewer();
    viewer->showContents();
    QHelpEngine *engine = viewer->engine();
    QTRY_VERIFY(!engine->indexModel()->isCreatingIndex() && engine->indexModel()->rowCount() > 0);

    const QStringList keywords = engine->indexModel()->stringList();
    const QStringList terms{u"APR"_s,
                            u"Amortization"_s,
                            u"Escrow"_s,
                            u"PMI"_s,
                            u"LTV"_s,
                            u"Points"_s,
                            u"Closing Costs"_s,
                            u"Equity"_s,
                            u"Refinancing"_s,
                            u"Biweekly Payments"_s,
                            u"Prepayment"_s,
                            u"Title Insurance"_s,
                            u"Appraisal"_s,
                            u"Debt Ratio (Back-End Ratio)"_s,
                            u"Housing Ratio (Front-End Ratio)"_s};
    for (const QString &term : terms) {
        QVERIFY2(keywords.contains(term), qPrintable(term));
        const QList<QHelpLink> links = engine->documentsForKeyword(term);
        QVERIFY2(!links.isEmpty(), qPrintable(term));
        QCOMPARE(links.first().url.fileName(), u"glossary.html"_s);
        QVERIFY2(!links.first().url.fragment().isEmpty(), qPrintable(term));
    }

    int glossaryEntries = 0;
    for (const QString &keyword : keywords) {
        const QList<QHelpLink> links = engine->documentsForKeyword(keyword);
        if (!links.isEmpty() && links.first().url.fileName() == u"glossary.html"_s)
            ++glossaryEntries;
    }
    QVERIFY2(glossaryEntries >= 40, qPrintable(QString::number(glossaryEntries)));
}

void TestHelp::fullTextSearchFindsWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("page");
    // Words that appear in the body of one topic and in no keyword.
    QTest::newRow("prorated") << u"prorated"_s << u"hsp.html"_s;
    QTest::newRow("upkeep") << u"upkeep"_s << u"rvb.html"_s;
    QTest::newRow("forged") << u"forged"_s << u"glossary.html"_s;
}

void TestHelp::fullTextSearchFindsWord()
{
    QFETCH(QString, word);
    QFETCH(QString, page);

    auto viewer = makeViewer();
    viewer->showContents();
    HelpWindow *window = viewer->window();
    QHelpSearchEngine *search = viewer->engine()->searchEngine();
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);

    // The index is built when the Search tab is first opened, in the cache.
    QTabBar *bar = window->tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QCOMPARE(window->tabs()->currentIndex(), 2);
    QVERIFY(indexed.wait(60000));
    QVERIFY(QDir(m_cache->path() + u"/help/.CLVN"_s).exists());
    QVERIFY(!QDir(QFileInfo(collectionFile).absolutePath() + u"/.CLVN"_s).exists());

    auto *line = search->queryWidget()->findChild<QLineEdit *>();
    QVERIFY(line);
    QTest::keyClicks(line, word);
    QTest::keyClick(line, Qt::Key_Return);
    QVERIFY(searched.count() > 0 || searched.wait(30000));
    QVERIFY(search->searchResultCount() > 0);
    const auto results = search->searchResults(0, search->searchResultCount());
    QStringList pages;
    for (const auto &result : results)
        pages << result.url().fileName();
    QVERIFY2(pages.contains(page), qPrintable(pages.join(u' ')));
}

// Every link of every page and every index entry leads to a page of the help,
// and every #fragment to an anchor of that page.
void TestHelp::linksInPagesResolve()
{
    auto viewer = makeViewer();
    QVERIFY(viewer->urlForTopic(help::TopicContents).isValid());
    QHelpEngine *engine = viewer->engine();
    QList<QUrl> pages;
    for (const char16_t *file :
         {u"index.html", u"overview.html", u"howtohelp.html", u"preferences.html", u"qc.html",
          u"mq.html", u"ls.html", u"amort.html", u"ecc.html", u"rc.html", u"rvb.html", u"bw.html",
          u"ppc.html", u"hsp.html", u"glossary.html"})
        pages << QUrl(helpRoot + QString::fromUtf16(file));

    auto anchorsOf = [engine](const QUrl &page) {
        QStringList names;
        const QString text = QString::fromUtf8(engine->fileData(page));
        static const QRegularExpression name(u"<a name=\"([^\"]+)\""_s);
        for (const auto &m : name.globalMatch(text))
            names << m.captured(1);
        return names;
    };
    auto check = [&](const QUrl &from, const QUrl &target) {
        QUrl file = target;
        file.setFragment(QString());
        QVERIFY2(!engine->fileData(file).isEmpty(),
                 qPrintable(from.toString() + u" -> "_s + target.toString()));
        if (target.hasFragment())
            QVERIFY2(anchorsOf(file).contains(target.fragment()),
                     qPrintable(from.toString() + u" -> "_s + target.toString()));
    };

    static const QRegularExpression href(u"href=\"([^\"]+)\""_s);
    for (const QUrl &page : pages) {
        const QString text = QString::fromUtf8(engine->fileData(page));
        QVERIFY2(text.contains(u"<title>"_s), qPrintable(page.toString()));
        for (const auto &m : href.globalMatch(text))
            check(page, page.resolved(QUrl(m.captured(1))));
    }
    QTRY_VERIFY(!engine->indexModel()->isCreatingIndex() && engine->indexModel()->rowCount() > 0);
    for (const QString &keyword : engine->indexModel()->stringList()) {
        const QList<QHelpLink> links = engine->documentsForKeyword(keyword);
        QVERIFY2(!links.isEmpty(), qPrintable(keyword));
        check(QUrl(keyword), links.first().url);
    }
}

void TestHelp::clickedLinkStaysInHelp()
{
    auto viewer = makeViewer();
    viewer->showTopic(help::TopicQC);
    HelpBrowser *browser = viewer->window()->browser();
    Q_EMIT browser->anchorClicked(QUrl(u"glossary.html#amortization"_s));
    QCOMPARE(browser->source(), QUrl(helpRoot + u"glossary.html#amortization"_s));
    QCOMPARE(browser->documentTitle(), u"Home Buyer's Glossary"_s);
    QVERIFY(browser->isBackwardAvailable());
    browser->backward();
    QCOMPARE(browser->source(), QUrl(helpRoot + u"qc.html"_s));
}

void TestHelp::quitClosesWindow()
{
    auto viewer = makeViewer();
    viewer->showTopic(help::TopicBW);
    QVERIFY(viewer->window()->isVisible());
    viewer->quit();
    QVERIFY(!viewer->window()->isVisible());
    // Help can be asked for again after it was closed.
    viewer->showTopic(help::TopicPPC);
    QVERIFY(viewer->window()->isVisible());
    QCOMPARE(viewer->window()->browser()->documentTitle(), u"Prepayment Calculator"_s);
}

void TestHelp::quitBeforeAnyRequestIsHarmless()
{
    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer(u"/nonexistent/CLVN.qhc"_s);
    viewer->quit();
    QVERIFY(!viewer->window());
    QCOMPARE(catcher.count(), 0);
}

void TestHelp::unusableCollectionIsReported_data()
{
    QTest::addColumn<QByteArray>("content"); // empty name: no file at all
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << false << u"The help file could not be found:"_s;
    QTest::newRow("garbage") << QByteArray("this is not a help collection\n") << true
                             << u"The help file is damaged and cannot be read:"_s;
    QTest::newRow("empty file") << QByteArray() << true
                                << u"The help file is damaged and cannot be read:"_s;
}

void TestHelp::unusableCollectionIsReported()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"CLVN.qhc"_s);
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer(path);
    QSignalSpy shown(viewer.get(), &HelpViewer::topicShown);
    viewer->showTopic(help::TopicQC);
    QTRY_COMPARE(catcher.count(), 1);
    QVERIFY2(catcher.last().startsWith(message), qPrintable(catcher.last()));
    QVERIFY2(catcher.last().contains(QDir::toNativeSeparators(path)), qPrintable(catcher.last()));
    QCOMPARE(viewer->lastTopic(), help::TopicQC);
    QVERIFY(viewer->lastUrl().isEmpty());
    QVERIFY(!viewer->window());
    QCOMPARE(shown.count(), 0);

    // Every request tries again and says so again; nothing crashes.
    viewer->showContents();
    viewer->showSearch();
    viewer->showHowToUseHelp();
    QTRY_COMPARE(catcher.count(), 4);
}

void TestHelp::missingDocumentationIsReported()
{
    // A collection without the compressed help it registers.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"CLVN.qhc"_s);
    QVERIFY(QFile::copy(collectionFile, path));

    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer(path);
    viewer->showTopic(help::TopicGlossary);
    QTRY_COMPARE(catcher.count(), 1);
    QVERIFY2(catcher.last().startsWith(u"A part of the help is missing:"_s),
             qPrintable(catcher.last()));
    QVERIFY2(catcher.last().contains(u"CLVN.qch"_s), qPrintable(catcher.last()));
    QVERIFY(!viewer->window());
}

void TestHelp::staleCacheIsReplaced_data()
{
    QTest::addColumn<bool>("older");
    QTest::newRow("copy of an earlier build") << true;
    QTest::newRow("damaged copy, newer") << false;
}

void TestHelp::staleCacheIsReplaced()
{
    QFETCH(bool, older);

    // A leftover in the cache that is no help collection at all.
    const QString cacheDir = m_cache->path() + u"/help"_s;
    QVERIFY(QDir().mkpath(cacheDir));
    QFile stale(cacheDir + u"/CLVN.qhc"_s);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("left over");
    QVERIFY(stale.flush());
    const QDateTime stamp =
        older ? QDateTime(QDate(2001, 1, 1), QTime(0, 0)) : QDateTime::currentDateTime().addDays(1);
    QVERIFY(stale.setFileTime(stamp, QFileDevice::FileModificationTime));
    stale.close();

    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer();
    viewer->showTopic(help::TopicECC);
    QCOMPARE(viewer->lastUrl(), QUrl(helpRoot + u"ecc.html"_s));
    QCOMPARE(viewer->window()->browser()->documentTitle(), u"Estimated Closing Costs"_s);
    QCOMPARE(catcher.count(), 0);
    QVERIFY(QFileInfo(cacheDir + u"/CLVN.qhc"_s).size() > 1000);
    QVERIFY(!viewer->engine()->isReadOnly());
}

void TestHelp::renderToPng()
{
    auto viewer = makeViewer();
    viewer->showTopic(help::TopicECC);
    HelpWindow *window = viewer->window();
    QTRY_VERIFY(!viewer->engine()->contentModel()->isCreatingContents());
    QTest::qWait(50);
    const QString shot = QDir::tempPath() + u"/clvn_help_ecc.png"_s;
    QVERIFY(window->grab().save(shot));

    viewer->showSearch();
    QTest::keyClicks(window->indexFilter(), u"mort"_s);
    QTest::qWait(50);
    QVERIFY(window->grab().save(QDir::tempPath() + u"/clvn_help_index.png"_s));

    QHelpSearchEngine *search = viewer->engine()->searchEngine();
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
    window->showSearchTab();
    QVERIFY(indexed.wait(60000));
    auto *line = search->queryWidget()->findChild<QLineEdit *>();
    QVERIFY(line);
    QTest::keyClicks(line, u"escrow"_s);
    QTest::keyClick(line, Qt::Key_Return);
    QVERIFY(searched.count() > 0 || searched.wait(30000));
    QTest::qWait(50);
    QVERIFY(window->grab().save(QDir::tempPath() + u"/clvn_help_search.png"_s));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
