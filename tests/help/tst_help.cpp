// The help: topics, Help menu requests, index and search, unusable help files.

#include "app/help/HelpTopics.h"
#include "app/help/HelpWindow.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString collectionFile = QStringLiteral(CLVN_HELP_COLLECTION_FILE);
const QString helpRoot = QStringLiteral("qthelp://com.tolvane.calvenor/doc/");
} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::pinLocale(); }
    void init() { QVERIFY(QFileInfo(collectionFile).isFile() && m_cache.emplace().isValid()); }
    void topicOpensItsPage_data();
    void topicOpensItsPage();
    void menuRequestsAndQuit();
    void indexFindsKeyword_data();
    void indexFindsKeyword();
    void fullTextSearchFindsWord();
    void unusableCollectionIsReported_data();
    void unusableCollectionIsReported();
    void staleCacheIsReplaced_data();
    void staleCacheIsReplaced();

private:
    static QUrl page(const QString &file) { return QUrl(helpRoot + file); }
    // A viewer whose writable copy and search index live in a fresh folder.
    std::unique_ptr<HelpViewer> makeViewer(const QString &collection = collectionFile)
    {
        auto viewer = std::make_unique<HelpViewer>(collection);
        viewer->setCacheDirectory(m_cache->filePath(u"help"_s));
        return viewer;
    }
    std::optional<QTemporaryDir> m_cache;
};

// Every context-help number of the help project; an unknown one shows the contents.
void TestHelp::topicOpensItsPage_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::newRow("5") << 5 << u"overview.html"_s << u"Overview and the Main Menu"_s;
    QTest::newRow("20") << 20 << u"qc.html"_s << u"Quick Calculator"_s;
    QTest::newRow("30") << 30 << u"mq.html"_s << u"Mortgage Qualifier"_s;
    QTest::newRow("35 print preview") << 35 << u"preview.html"_s << u"Print Preview"_s;
    QTest::newRow("40") << 40 << u"ls.html"_s << u"Loan Spread Calculator"_s;
    QTest::newRow("45 extra payments")
        << 45 << u"amortextra.html"_s << u"Extra Principal Payments"_s;
    QTest::newRow("50") << 50 << u"amort.html"_s << u"Loan Amortizations"_s;
    QTest::newRow("70") << 70 << u"ecc.html"_s << u"Estimated Closing Costs"_s;
    QTest::newRow("80") << 80 << u"rc.html"_s << u"Refinancing Calculator"_s;
    QTest::newRow("90") << 90 << u"rvb.html"_s << u"Rent vs. Buy Calculator"_s;
    QTest::newRow("100") << 100 << u"bw.html"_s << u"Biweekly Payments"_s;
    QTest::newRow("120") << 120 << u"ppc.html"_s << u"Prepayment Calculator"_s;
    QTest::newRow("130") << 130 << u"hsp.html"_s << u"Home Seller's Proceeds"_s;
    QTest::newRow("140") << 140 << u"preferences.html"_s << u"Preferences"_s;
    QTest::newRow("150") << 150 << u"cmp.html"_s << u"Compare Loan Offers"_s;
    QTest::newRow("5000") << 5000 << u"glossary.html"_s << u"Home Buyer's Glossary"_s;
    const QString contents = u"Calvenor Help Contents"_s;
    for (int unknown : {0, 6, -20, 4999})
        QTest::addRow("unknown %d", unknown) << unknown << u"index.html"_s << contents;
}

void TestHelp::topicOpensItsPage()
{
    QFETCH(int, topic);
    QFETCH(QString, file);
    QFETCH(QString, title);
    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer();
    QSignalSpy shown(viewer.get(), &HelpViewer::topicShown);
    viewer->showTopic(topic);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0), (QVariantList{topic, page(file)}));
    QVERIFY(viewer->window()->isVisible());
    QCOMPARE(viewer->window()->browser()->source(), page(file));
    QCOMPARE(viewer->window()->browser()->documentTitle(), title);
    QCOMPARE(catcher.count(), 0);
}

// How to Use Help, Search (the index, focus in its filter, the page stays),
// Contents; quit closes the window; help opens again after it, links inside.
void TestHelp::menuRequestsAndQuit()
{
    test::MessageBoxCatcher catcher;
    HelpViewer unused(u"/nonexistent/CLVN.qhc"_s);
    unused.quit(); // before any request: nothing to close, nothing to report
    QVERIFY(!unused.window());
    auto viewer = makeViewer();
    viewer->showHowToUseHelp();
    HelpWindow *window = viewer->window();
    QCOMPARE(viewer->lastTopic(), help::TopicHowToUseHelp);
    QCOMPARE(window->browser()->documentTitle(), u"How to Use Help"_s);
    QVERIFY(QTest::qWaitForWindowActive(window));
    viewer->showSearch();
    QCOMPARE(window->tabs()->currentWidget(), window->indexFilter()->parentWidget());
    QTRY_VERIFY(window->indexFilter()->hasFocus());
    QCOMPARE(window->browser()->source(), page(u"howtohelp.html"_s));
    viewer->showContents();
    QCOMPARE(viewer->lastUrl(), page(u"index.html"_s));
    QCOMPARE(window->tabs()->currentWidget(), viewer->engine()->contentWidget());
    viewer->quit();
    QVERIFY(!window->isVisible());
    viewer->showTopic(help::TopicPPC);
    QVERIFY(window->isVisible());
    QCOMPARE(window->browser()->documentTitle(), u"Prepayment Calculator"_s);
    Q_EMIT window->browser()->anchorClicked(QUrl(u"glossary.html#pmi"_s)); // stays in the help
    QCOMPARE(window->browser()->source(), page(u"glossary.html#pmi"_s));
    QCOMPARE(catcher.count(), 0);
}

void TestHelp::indexFindsKeyword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("anchor"); // in the glossary
    QTest::newRow("PMI") << u"PMI"_s << u"PMI"_s << u"pmi"_s;
    QTest::newRow("escrow") << u"escrow"_s << u"Escrow"_s << u"escrow"_s;
    QTest::newRow("title ins") << u"title ins"_s << u"Title Insurance"_s << u"titleinsurance"_s;
}

// Search on an empty window shows the contents beside the index; typing picks
// the keyword, Return opens its page.
void TestHelp::indexFindsKeyword()
{
    QFETCH(QString, typed);
    QFETCH(QString, keyword);
    QFETCH(QString, anchor);
    auto viewer = makeViewer();
    viewer->showSearch();
    HelpWindow *window = viewer->window();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(viewer->lastUrl(), page(u"index.html"_s));
    QHelpIndexModel *model = viewer->engine()->indexModel();
    QTRY_VERIFY(!model->isCreatingIndex() && model->rowCount() > 0);
    QTest::keyClicks(window->indexFilter(), typed);
    QTRY_COMPARE(viewer->engine()->indexWidget()->currentIndex().data().toString(), keyword);
    QTest::keyClick(window->indexFilter(), Qt::Key_Return);
    QTRY_COMPARE(window->browser()->source(), page(u"glossary.html#"_s + anchor));
}

// A word in the body of one topic and in no keyword.
void TestHelp::fullTextSearchFindsWord()
{
    auto viewer = makeViewer();
    viewer->showContents();
    QHelpSearchEngine *search = viewer->engine()->searchEngine();
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    viewer->window()->showSearchTab(); // builds the index, in the cache, not beside the help
    QVERIFY(indexed.wait(60000));
    QVERIFY(QDir(m_cache->filePath(u"help/.CLVN"_s)).exists());
    QVERIFY(!QDir(QFileInfo(collectionFile).absolutePath() + u"/.CLVN"_s).exists());
    auto *line = search->queryWidget()->findChild<QLineEdit *>();
    QTest::keyClicks(line, u"prorated"_s);
    QTest::keyClick(line, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(search->searchResultCount() > 0, 30000);
    QStringList files;
    for (const auto &result : search->searchResults(0, search->searchResultCount()))
        files << result.url().fileName();
    QVERIFY2(files.contains(u"hsp.html"_s), qPrintable(files.join(u' ')));
}

void TestHelp::unusableCollectionIsReported_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file; "copy": the help without CLVN.qch
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("named");
    const QString damaged = u"The help file is damaged and cannot be read:"_s, qhc = u"CLVN.qhc"_s;
    QTest::newRow("missing") << QByteArray() << u"The help file could not be found:"_s << qhc;
    QTest::newRow("garbage") << QByteArray("not a help collection\n") << damaged << qhc;
    QTest::newRow("empty file") << QByteArray("") << damaged << qhc;
    QTest::newRow("compressed help missing")
        << QByteArray("copy") << u"A part of the help is missing:"_s << u"CLVN.qch"_s;
}

void TestHelp::unusableCollectionIsReported()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QString, named);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"CLVN.qhc"_s);
    QFile file(path);
    QVERIFY(content == "copy" ? QFile::copy(collectionFile, path)
                              : content.isNull() || (file.open(QIODevice::WriteOnly) &&
                                                     file.write(content) == content.size()));
    file.close();
    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer(path);
    QSignalSpy shown(viewer.get(), &HelpViewer::topicShown);
    viewer->showTopic(help::TopicQC);
    QTRY_COMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last(), message + u"\n\r"_s + QDir::toNativeSeparators(dir.filePath(named)) +
                                 u"\n\r\n\rPlease reinstall Calvenor to restore it."_s);
    QVERIFY(viewer->lastUrl().isEmpty() && !viewer->window() && shown.isEmpty());
    // Every request tries again and says so again; nothing crashes.
    viewer->showContents();
    viewer->showSearch();
    viewer->showHowToUseHelp();
    QTRY_COMPARE(catcher.count(), 4);
}

void TestHelp::staleCacheIsReplaced_data()
{
    QTest::addColumn<QDateTime>("stamp");
    QTest::newRow("copy of an earlier build") << QDateTime(QDate(2001, 1, 1), QTime(0, 0));
    QTest::newRow("damaged copy, newer") << QDateTime::currentDateTime().addDays(1);
}

// A leftover in the cache that is no help collection at all is made again.
void TestHelp::staleCacheIsReplaced()
{
    QFETCH(QDateTime, stamp);
    const QString copy = m_cache->filePath(u"help/CLVN.qhc"_s);
    QVERIFY(QDir().mkpath(m_cache->filePath(u"help"_s)));
    QFile stale(copy);
    QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write("left over") == 9 && stale.flush());
    QVERIFY(stale.setFileTime(stamp, QFileDevice::FileModificationTime));
    stale.close();
    test::MessageBoxCatcher catcher;
    auto viewer = makeViewer();
    viewer->showTopic(help::TopicECC);
    QCOMPARE(viewer->window()->browser()->documentTitle(), u"Estimated Closing Costs"_s);
    QCOMPARE(catcher.count(), 0);
    QVERIFY(QFileInfo(copy).size() > 1000);
    QVERIFY(!viewer->engine()->isReadOnly());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
