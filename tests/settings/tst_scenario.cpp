// The scenario file alone: what is written and what reads back. The ways a
// file is refused are rows of tst_scenarios, on the window that says them.

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
