// The help: context topics, the Help menu's requests, index and full-text
// search, and help files that cannot be used.

#include "app/help/HelpTopics.h"
#include "app/help/HelpWindow.h"
#include "tests/support/TestSupport.h"

#include <QDir>
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
const QString kCollection = QStringLiteral(CLVN_HELP_COLLECTION_FILE);
QUrl page(const QString &file)
{
    return QUrl(u"qthelp://com.tolvane.calvenor/doc/"_s + file);
}
} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::pinLocale(); }
    void init() { m_cache.emplace(); }
    // Every context-help number of the help project; an unknown one shows the contents.
    void topicOpensItsPage_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("file");
        const std::pair<int, const char *> topics[] = {
            {5, "overview"}, {20, "qc"},           {30, "mq"},    {35, "preview"},
            {40, "ls"},      {45, "amortextra"},   {50, "amort"}, {70, "ecc"},
            {80, "rc"},      {90, "rvb"},          {100, "bw"},   {120, "ppc"},
            {130, "hsp"},    {140, "preferences"}, {150, "cmp"},  {160, "arm"},
            {170, "lec"},    {5000, "glossary"},   {0, "index"},  {6, "index"},
            {-20, "index"},  {4999, "index"}};
        for (const auto &[topic, file] : topics)
            QTest::addRow("%d", topic) << topic << QString::fromLatin1(file) + u".html"_s;
    }
    void topicOpensItsPage()
    {
        QFETCH(int, topic);
        QFETCH(QString, file);
        test::MessageBoxCatcher boxes;
        auto help = viewer();
        help->showTopic(topic);
        QCOMPARE(help->window()->browser()->source(), page(file));
        QCOMPARE(boxes.count(), 0);
    }
    // Search on an empty window: the contents beside the index, a part typed picks
    // the keyword, Return opens it. How to Use Help; Search again keeps the page;
    // Contents; quit closes; help opens again, links inside; full-text search.
    void menuRequestsAndQuit()
    {
        test::MessageBoxCatcher boxes;
        HelpViewer unused(u"/nonexistent/CLVN.qhc"_s);
        unused.quit(); // before any request: nothing to close, nothing to report
        QVERIFY(!unused.window());
        auto help = viewer();
        help->showSearch();
        HelpWindow *window = help->window();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(help->lastUrl(), page(u"index.html"_s));
        QCOMPARE(window->tabs()->currentWidget(), window->indexFilter()->parentWidget());
        QTRY_VERIFY(window->indexFilter()->hasFocus());
        QHelpIndexModel *model = help->engine()->indexModel();
        QTRY_VERIFY(!model->isCreatingIndex() && model->rowCount() > 0);
        QTest::keyClicks(window->indexFilter(), u"title ins"_s);
        QTRY_COMPARE(help->engine()->indexWidget()->currentIndex().data().toString(),
                     u"Title Insurance"_s);
        QTest::keyClick(window->indexFilter(), Qt::Key_Return);
        QTRY_COMPARE(window->browser()->source(), page(u"glossary.html#titleinsurance"_s));
        help->showHowToUseHelp();
        QCOMPARE(help->lastTopic(), help::TopicHowToUseHelp);
        QCOMPARE(window->browser()->documentTitle(), u"How to Use Help"_s);
        help->showSearch();
        QCOMPARE(window->browser()->source(), page(u"howtohelp.html"_s));
        help->showContents();
        QCOMPARE(help->lastUrl(), page(u"index.html"_s));
        QCOMPARE(window->tabs()->currentWidget(), help->engine()->contentWidget());
        help->quit();
        QVERIFY(!window->isVisible());
        help->showTopic(help::TopicPPC);
        QVERIFY(window->isVisible());
        QCOMPARE(window->browser()->documentTitle(), u"Prepayment Calculator"_s);
        Q_EMIT window->browser()->anchorClicked(QUrl(u"glossary.html#pmi"_s)); // stays in the help
        QCOMPARE(window->browser()->source(), page(u"glossary.html#pmi"_s));
        // Full text: a word in one topic's body and in no keyword, indexed in the cache.
        QHelpSearchEngine *search = help->engine()->searchEngine();
        QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
        window->showSearchTab();
        QVERIFY(indexed.wait(60000));
        QVERIFY(QDir(m_cache->filePath(u"help/.CLVN"_s)).exists());
        QVERIFY(!QDir(QFileInfo(kCollection).absolutePath() + u"/.CLVN"_s).exists());
        auto *line = search->queryWidget()->findChild<QLineEdit *>();
        QTest::keyClicks(line, u"prorated"_s);
        QTest::keyClick(line, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(search->searchResultCount() > 0, 30000);
        QStringList files;
        for (const auto &result : search->searchResults(0, search->searchResultCount()))
            files << result.url().fileName();
        QVERIFY2(files.contains(u"hsp.html"_s), qPrintable(files.join(u' ')));
        QCOMPARE(boxes.count(), 0);
    }
    void unusableCollectionIsReported_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file; "copy": the help without CLVN.qch
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("named");
        const QString damaged = u"The help file is damaged and cannot be read:"_s,
                      qhc = u"CLVN.qhc"_s;
        QTest::newRow("missing") << QByteArray() << u"The help file could not be found:"_s << qhc;
        QTest::newRow("empty file") << QByteArray("") << damaged << qhc;
        QTest::newRow("garbage") << QByteArray("not a help collection\n") << damaged << qhc;
        QTest::newRow("compressed help missing")
            << QByteArray("copy") << u"A part of the help is missing:"_s << u"CLVN.qch"_s;
    }
    void unusableCollectionIsReported()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"CLVN.qhc"_s);
        QVERIFY(content == "copy" ? QFile::copy(kCollection, path)
                                  : content.isNull() || test::writeBytes(path, content));
        test::MessageBoxCatcher boxes;
        auto help = viewer(path);
        help->showTopic(help::TopicQC);
        QTRY_COMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last(), message + u"\n\r"_s + QDir::toNativeSeparators(dir.filePath(named)) +
                                   u"\n\r\n\rPlease reinstall Calvenor to restore it."_s);
        QVERIFY(help->lastUrl().isEmpty() && !help->window());
        help->showContents(); // tried again, told again
        QTRY_COMPARE(boxes.count(), 2);
    }
    // A leftover in the cache that is no help collection, even a newer one, is made again.
    void staleCacheIsReplaced()
    {
        const QString copy = m_cache->filePath(u"help/CLVN.qhc"_s);
        QVERIFY(QDir().mkpath(m_cache->filePath(u"help"_s)) && test::writeBytes(copy, "left over"));
        QFile stale(copy);
        QVERIFY(stale.open(QIODevice::ReadWrite) &&
                stale.setFileTime(QDateTime::currentDateTime().addDays(1),
                                  QFileDevice::FileModificationTime));
        stale.close();
        test::MessageBoxCatcher boxes;
        auto help = viewer();
        help->showTopic(help::TopicECC);
        QCOMPARE(help->window()->browser()->documentTitle(), u"Estimated Closing Costs"_s);
        QCOMPARE(boxes.count(), 0);
        QVERIFY(QFileInfo(copy).size() > 1000);
        QVERIFY(!help->engine()->isReadOnly());
    }

private:
    // A viewer whose writable copy and search index live in a fresh folder.
    std::unique_ptr<HelpViewer> viewer(const QString &collection = kCollection)
    {
        auto made = std::make_unique<HelpViewer>(collection);
        made->setCacheDirectory(m_cache->filePath(u"help"_s));
        return made;
    }
    std::optional<QTemporaryDir> m_cache;
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
