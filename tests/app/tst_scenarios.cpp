// Scenario files on the real window: a case saved, the program started
// again and the file opened gives every page back; a bad file is refused
// with its message and changes nothing; unsaved changes are asked about.

#include "tests/support/MainFixture.h"

#include "calculators/AmortModel.h"
#include "calculators/AmortPage.h"
#include "calculators/CalculatorPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

// Every page's texts and choices as name=value lines; results too unless `inputsOnly`.
QStringList pageTexts(TfrmMain &window, bool inputsOnly)
{
    // A money field shows its figure unformatted while it has the focus.
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
    QStringList lines;
    for (const PageDescriptor &d : pageDescriptors()) {
        const CalculatorPage *page = window.page(d.name);
        for (const QLineEdit *e : page->findChildren<QLineEdit *>())
            if (!(inputsOnly && e->isReadOnly()))
                lines << d.name + u'.' + e->objectName() + u'=' + e->text();
        for (const QAbstractButton *b : page->findChildren<QAbstractButton *>())
            if (b->isCheckable())
                lines << d.name + u'.' + b->objectName() + u'=' + QString::number(b->isChecked());
        for (const QComboBox *c : page->findChildren<QComboBox *>())
            lines << d.name + u'.' + c->objectName() + u'=' + c->currentText();
        for (const QTableWidget *g : page->findChildren<QTableWidget *>()) {
            if (inputsOnly && g->editTriggers() == QAbstractItemView::NoEditTriggers)
                continue;
            for (int r = 0; r < g->rowCount(); ++r)
                for (int c = 0; c < g->columnCount(); ++c)
                    if (const QTableWidgetItem *item = g->item(r, c))
                        lines << u"%1.%2[%3,%4]=%5"_s.arg(d.name, g->objectName())
                                     .arg(r)
                                     .arg(c)
                                     .arg(item->text());
        }
    }
    lines.sort(); // a panel raised comes last among its siblings
    return lines;
}

const QByteArray kHead = R"({"format": "calvenor-scenario", "version": 1, )";

} // namespace

class TestScenarios : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void badFile_data();
    void badFile();
    void unsavedChanges_data();
    void unsavedChanges();
    void recentList();

private:
    QString path(const QString &name) const { return m_main->folder() + u'/' + name; }
    TfrmMain &window() const { return *m_main->window; }
    std::optional<test::MainFixture> m_main;
};

void TestScenarios::roundTrip()
{
    m_main.emplace();
    m_main->click(u"btnMQ"_s);
    m_main->type(u"edtHousingRatio"_s, u"32"_s);
    m_main->type(u"edtIncome1"_s, u"6000"_s);
    m_main->click(u"btnCMP"_s);
    m_main->type(u"edtCmpRate2"_s, u"5.25"_s);
    m_main->type(u"edtCmpLender2"_s, u"Bank 7"_s);
    m_main->click(u"btnLEC"_s);
    m_main->get<QTableWidget>(u"grdLecB"_s)->item(0, 1)->setText(u"450"_s);
    m_main->get<QComboBox>(u"cbHSPClosingMonth"_s)->setCurrentIndex(3);
    m_main->click(u"btnAmort"_s);
    m_main->type(u"edtMortAmt"_s, u"250000"_s);
    m_main->click(u"btnCalculate"_s);
    m_main->click(u"btnAddExtraPayments"_s);
    m_main->type(u"edtFromPmt"_s, u"2"_s);
    m_main->type(u"edtToPmt"_s, u"13"_s);
    m_main->type(u"edtExtraAmount"_s, u"100"_s);
    m_main->click(u"btnAddExtra"_s);
    test::WindowAnswerer notes(u"dlgScenarioProperties"_s, [](QWidget *w) {
        test::find<QPlainTextEdit>(w, u"edtScenarioNotes"_s)->setPlainText(u"J. Smith"_s);
        test::find<QDialogButtonBox>(w, {})->button(QDialogButtonBox::Ok)->click();
    });
    m_main->get<QAction>(u"mnuFileProperties"_s)->trigger();
    const QStringList inputs = pageTexts(window(), true);
    const QString file = path(u"Smith purchase.clvn"_s);
    QVERIFY(window().saveScenario(file));
    QCOMPARE(window().windowTitle(), u"Smith purchase.clvn — Calvenor"_s);
    QVERIFY(window().openScenario(file));
    QCOMPARE(m_main->text(u"edtCmpLender2"_s), u"Bank 7"_s);
    QCOMPARE(m_main->text(u"edtMortAmt"_s), u"$250,000.00"_s);
    QVERIFY(window().saveScenario(path(u"again.clvn"_s)));
    const QStringList shown = pageTexts(window(), false);

    m_main->restart();
    QVERIFY(window().newScenario());
    QCOMPARE(window().windowTitle(), u"Untitled — Calvenor"_s);
    QCOMPARE_NE(pageTexts(window(), true), inputs);
    QVERIFY(window().openScenario(path(u"again.clvn"_s)));
    QCOMPARE(pageTexts(window(), false), shown);
    QVERIFY(window().saveScenario(path(u"after restart.clvn"_s)));
    QCOMPARE(test::readBytes(path(u"after restart.clvn"_s)),
             test::readBytes(path(u"again.clvn"_s)));
    QCOMPARE(window().activePageName(), u"Amort"_s);
    const auto *amort = qobject_cast<AmortPage *>(window().page(u"Amort"_s));
    double extras = 0;
    for (const TPayment &row : amort->model()->rows())
        extras += row.ExtraPrincipal;
    QCOMPARE(qRound64(extras * 100), 120000);
    QCOMPARE(window().scenarioNotes(), u"J. Smith"_s);
    QCOMPARE(m_main->get<QTableWidget>(u"grdLecB"_s)->item(0, 1)->text(), u"450"_s);
    QCOMPARE(m_main->get<QComboBox>(u"cbHSPClosingMonth"_s)->currentIndex(), 3);
    QCOMPARE(window().recentScenarios().first(), path(u"after restart.clvn"_s));
    // The example the format's description shows opens as it says.
    QVERIFY(window().openScenario(QStringLiteral(CLVN_DOCS_DIR "/examples/Smith-purchase.clvn")));
    QCOMPARE(window().activePageName(), u"CMP"_s);
    QCOMPARE(m_main->text(u"edtCmpLender2"_s), u"Alder Credit Union"_s);
}

void TestScenarios::badFile_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("refusal"); // the page's own message first
    // The reader's own faults, each named with the file; then what only the
    // pages can tell.
    QTest::newRow("empty") << QByteArray() << u"the file is empty"_s << QString();
    QTest::newRow("not JSON") << QByteArray("Loan=1") << u"the file is not a Calvenor scenario"_s
                              << QString();
    QTest::newRow("truncated") << kHead + R"("pages": {"QC)" << u"the file is truncated"_s
                               << QString();
    QTest::newRow("damaged") << kHead + R"("notes" "x"})"
                             << u"the file is damaged (missing name separator at character 55)"_s
                             << QString();
    QTest::newRow("too large") << kHead + QByteArray(Scenario::MaxBytes, ' ') + "}"
                               << u"the file is larger than 1 MiB"_s << QString();
    QTest::newRow("newer version")
        << QByteArray(R"({"format": "calvenor-scenario", "version": 2})")
        << u"it was written by a newer Calvenor (format version 2)"_s << QString();
    QTest::newRow("wrong type")
        << kHead + R"("pages": {"MQ": {"HRatio": null}}})"
        << u"the value of “HRatio” on page “MQ” is neither a number nor a text"_s << QString();
    QTest::newRow("not finite") << kHead + R"("pages": {"MQ": {"HRatio": 1e400}}})"
                                << u"the number at character 78 is not finite"_s << QString();
    QTest::newRow("out of range") << kHead + R"("pages": {"Amort": {"Loan": 1e16}}})"
                                  << u"the value of “Loan” on page “Amort” is out of range"_s
                                  << QString();
    QTest::newRow("unknown page") << kHead + R"("pages": {"XY": {}}})"
                                  << u"it names an unknown page, “XY”"_s << QString();
    QTest::newRow("unknown key") << kHead + R"("pages": {"Amort": {"Colour": 1}}})"
                                 << u"it has an unknown entry, “Colour”, on page “Amort”"_s
                                 << QString();
    QTest::newRow("unknown shared key")
        << kHead + R"("pages": {"Shared": {"Colour": 1}}})"
        << u"it has an unknown entry, “Colour”, on page “Shared”"_s << QString();
    QTest::newRow("shared term not whole")
        << kHead + R"("pages": {"Shared": {"Term": 360.5}}})"
        << u"the value “360.5” of “Term” cannot be used"_s << QString();
    QTest::newRow("choice not on the page")
        << kHead + R"("pages": {"Amort": {"ExtraAll": 2}}})"
        << u"the value “2” of “ExtraAll” on page “Amort” cannot be used"_s << QString();
    QTest::newRow("offers beyond the page")
        << kHead + R"("pages": {"CMP": {"Offers": 9}}})"
        << u"the value “9” of “Offers” on page “CMP” cannot be used"_s << QString();
    QTest::newRow("not a figure") << kHead + R"("pages": {"MQ": {"Income1": "abc"}}})"
                                  << u"the value “abc” of “Income1” on page “MQ” cannot be used"_s
                                  << QString();
    QTest::newRow("refused by the page") << kHead + R"("pages": {"CMP": {"Rate1": -1}}})"
                                         << u"the figures of “Compare Loan Offers” were refused"_s
                                         << u"Offer A, Note Rate (%): it cannot be negative."_s;
}

void TestScenarios::badFile()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    QFETCH(QString, refusal);
    m_main.emplace();
    m_main->click(u"btnMQ"_s);
    m_main->type(u"edtHousingRatio"_s, u"31"_s);
    QVERIFY(window().saveScenario(path(u"good.clvn"_s)));
    const QStringList before = pageTexts(window(), false);
    const QString title = window().windowTitle();
    QVERIFY(test::writeBytes(path(u"bad.clvn"_s), data));
    test::MessageBoxCatcher catcher;
    QVERIFY(!window().openScenario(path(u"bad.clvn"_s)));
    QStringList messages{u"“bad.clvn” could not be opened: "_s + message + u'.'};
    if (!refusal.isEmpty())
        messages.prepend(refusal);
    QCOMPARE(catcher.texts(), messages);
    QCOMPARE(pageTexts(window(), false), before);
    QCOMPARE(window().windowTitle(), title);
    QCOMPARE(window().activePageName(), u"MQ"_s);
    QCOMPARE(window().recentScenarios(), QStringList{path(u"good.clvn"_s)});
}

void TestScenarios::unsavedChanges_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<QString>("saved"); // the housing ratio in the file afterwards
    const auto Save = int(QMessageBox::Save), Discard = int(QMessageBox::Discard),
               Cancel = int(QMessageBox::Cancel);
    for (const char *command : {"New", "Open", "Exit"}) {
        const QString c = QLatin1StringView(command);
        QTest::addRow("%s, Save", command) << c << Save << true << u"33"_s;
        QTest::addRow("%s, Discard", command) << c << Discard << true << u"28"_s;
        QTest::addRow("%s, Cancel", command) << c << Cancel << false << u"28"_s;
    }
}

void TestScenarios::unsavedChanges()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    QFETCH(QString, saved);
    m_main.emplace();
    const QString file = path(u"case.clvn"_s), other = path(u"other.clvn"_s);
    QVERIFY(window().saveScenario(file));
    QVERIFY(window().saveScenario(other));
    QVERIFY(window().openScenario(file));
    m_main->click(u"btnMQ"_s);
    m_main->type(u"edtHousingRatio"_s, u"33"_s);
    QCOMPARE(window().windowTitle(), u"case.clvn * — Calvenor"_s);
    test::MessageBoxCatcher catcher{QMessageBox::StandardButton(answer)};
    if (command == u"New")
        QCOMPARE(window().newScenario(), goesOn);
    else if (command == u"Open")
        QCOMPARE(window().openScenario(other), goesOn);
    else
        QCOMPARE(window().close(), goesOn);
    QCOMPARE(catcher.texts(),
             QStringList{u"The figures of “case.clvn” have changed.\n\rSave them?"_s});
    if (!goesOn) {
        QCOMPARE(window().windowTitle(), u"case.clvn * — Calvenor"_s);
        QCOMPARE(m_main->text(u"edtHousingRatio"_s), u"33"_s);
        QVERIFY(window().isVisible());
    }
    const QByteArray line = "\"HRatio\": " + saved.toLatin1() + ',';
    QVERIFY(test::readBytes(file).contains(line));
}

// The last files, newest first and each once; one opens from the list, and the list clears.
void TestScenarios::recentList()
{
    m_main.emplace();
    for (const char *name : {"a.clvn", "b.clvn", "a.clvn"})
        QVERIFY(window().saveScenario(path(QString::fromLatin1(name))));
    auto *menu = m_main->get<QMenu>(u"mnuFileOpenRecent"_s);
    const auto shown = [menu] {
        emit menu->aboutToShow();
        QStringList items;
        for (const QAction *a : menu->actions())
            if (!a->isSeparator())
                items << a->text() + (a->isEnabled() ? QString() : u" (off)"_s);
        return items;
    };
    QCOMPARE(shown(), (QStringList{u"&1 a.clvn"_s, u"&2 b.clvn"_s, u"&Clear List"_s}));
    menu->findChild<QAction *>(u"mnuFileRecent2"_s)->trigger();
    QCOMPARE(window().windowTitle(), u"b.clvn — Calvenor"_s);
    QCOMPARE(shown(), (QStringList{u"&1 b.clvn"_s, u"&2 a.clvn"_s, u"&Clear List"_s}));
    menu->findChild<QAction *>(u"mnuFileRecentClear"_s)->trigger();
    QCOMPARE(window().recentScenarios(), QStringList());
    QCOMPARE(shown(), QStringList{u"&Clear List (off)"_s});
}

QTEST_MAIN(TestScenarios)
#include "tst_scenarios.moc"
