// The scenario file alone: what is written, what reads back, and every way a
// file is refused, with the message the user reads.

#include "state/Scenario.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestScenario : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void refused_data();
    void refused();
    void newerMinorKept();

private:
    const QStringList m_pages = {u"QC"_s, u"Amort"_s};
};

void TestScenario::roundTrip()
{
    Scenario s;
    s.notes = u"J. Smith\n“first” offer"_s;
    s.activePage = u"Amort"_s;
    PageState amort(u"Amort"_s);
    for (const auto &[key, text] : {std::pair{u"Loan"_s, u"100000"_s},
                                    {u"Interest"_s, u"8.75"_s},
                                    {u"ExtraAmount"_s, u"0.00"_s},
                                    {u"Lender"_s, u"007"_s}})
        amort.set(key, text);
    s.pages.push_back(amort);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Smith.clvn"_s);
    QCOMPARE(writeScenarioFile(path, s), QString());
    const QByteArray text = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    // Numbers in their own form, texts that are not quite numbers as texts.
    QVERIFY(text.contains("\"Interest\": 8.75"));
    QVERIFY(text.contains("\"ExtraAmount\": \"0.00\""));
    Scenario back;
    QCOMPARE(readScenarioFile(path, m_pages, back), QString());
    QCOMPARE(back.notes, s.notes);
    QCOMPARE(back.activePage, s.activePage);
    QVERIFY(back.page(u"Amort"_s));
    QCOMPARE(back.page(u"Amort"_s)->lines(), PageState::Lines({{u"ExtraAmount"_s, u"0.00"_s},
                                                               {u"Interest"_s, u"8.75"_s},
                                                               {u"Lender"_s, u"007"_s},
                                                               {u"Loan"_s, u"100000"_s}}));
}

void TestScenario::refused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    const QByteArray head = R"({"format": "calvenor-scenario", "version": 1, )";
    QTest::newRow("empty") << QByteArray() << u"the file is empty"_s;
    QTest::newRow("too large") << head + QByteArray(Scenario::MaxBytes, ' ') + "}"
                               << u"the file is larger than 1 MiB"_s;
    QTest::newRow("not JSON") << QByteArray("[Loan]\nLoan=1\n")
                              << u"the file is not a Calvenor scenario"_s;
    QTest::newRow("truncated") << head + R"("pages": {"QC": {"Lo)" << u"the file is truncated"_s;
    QTest::newRow("damaged") << head + R"("notes" "x"})"
                             << u"the file is damaged (missing name separator at character 55)"_s;
    QTest::newRow("other JSON") << QByteArray(R"({"format": "x", "version": 1})")
                                << u"the file is not a Calvenor scenario"_s;
    QTest::newRow("newer version") << QByteArray(R"({"format": "calvenor-scenario", "version": 2})")
                                   << u"it was written by a newer Calvenor (format version 2)"_s;
    QTest::newRow("no version") << QByteArray(R"({"format": "calvenor-scenario"})")
                                << u"its format version is missing or not valid"_s;
    QTest::newRow("notes a number")
        << head + R"("notes": 5})" << u"the entry “notes” is not a text"_s;
    QTest::newRow("value a list")
        << head + R"("pages": {"QC": {"Loan": [1]}}})"
        << u"the value of “Loan” on page “QC” is neither a number nor a text"_s;
    QTest::newRow("value a truth")
        << head + R"("pages": {"QC": {"Loan": true}}})"
        << u"the value of “Loan” on page “QC” is neither a number nor a text"_s;
    QTest::newRow("not finite") << head + R"("pages": {"QC": {"Loan": 1e999}}})"
                                << u"the number at character 76 is not finite"_s;
    QTest::newRow("out of range") << head + R"("pages": {"QC": {"Loan": -2e15}}})"
                                  << u"the value of “Loan” on page “QC” is out of range"_s;
    QTest::newRow("unknown page") << head + R"("pages": {"XYZ": {}}})"
                                  << u"it names an unknown page, “XYZ”"_s;
    QTest::newRow("unknown entry")
        << head + R"("colour": "red"})" << u"it has an unknown entry, “colour”"_s;
    QTest::newRow("unknown open page")
        << head + R"("activePage": "XYZ"})" << u"the open page “XYZ” is unknown"_s;
}

void TestScenario::refused()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    Scenario s;
    s.notes = u"as it was"_s;
    QCOMPARE(parseScenario(data, m_pages, s), message);
    QCOMPARE(s.notes, u"as it was"_s);
}

void TestScenario::newerMinorKept()
{
    const QByteArray newer = R"({"format": "calvenor-scenario", "version": 1, "minor": 4,
        "colour": "red", "pages": {"LEC": {"Rate": 5}, "QC": {"Loan": 1}}})";
    Scenario s;
    QCOMPARE(parseScenario(newer, m_pages, s), QString());
    const QByteArray written = scenarioText(s);
    for (const char *kept : {"\"colour\": \"red\"", "\"LEC\": {", "\"minor\": 4"})
        QVERIFY2(written.contains(kept), kept);
}

QTEST_GUILESS_MAIN(TestScenario)
#include "tst_scenario.moc"
