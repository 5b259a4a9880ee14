// The Loan Estimate check wired to its arithmetic: the sample it starts with, a slip typed into a
// field or a grid and checked, a grid cell that is not a figure, and the form kept between runs.

#include "calculators/LecPage.h"
#include "state/PageState.h"
#include "tests/support/PageFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

const QString kSample = u"All 25 figures check: 24 ok, 1 consistent with the form's rounding. The "
                        u"APR is 4.274% to 4.301% as the uncertain fees are or are not finance "
                        u"charges."_s;

// Types into a grid's cell as a user does: the cell chosen, the text typed, Tab.
void typeCell(test::PageFixture<LecPage> &f, const QString &cell, const QString &text)
{
    const QStringList at = cell.split(u' ');
    auto *grid = f.get<QTableWidget>(at[0]);
    auto *tabs = f.get<QTabWidget>(u"tabLec"_s);
    tabs->setCurrentWidget(grid->parentWidget());
    grid->setFocus();
    grid->setCurrentCell(at[1].toInt(), at[2].toInt());
    QTest::keyClick(grid, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Tab);
}

// The checked row with that caption: as typed, recomputed, verdict.
QString checked(const test::PageFixture<LecPage> &f, const QString &caption)
{
    const auto *grid = f.get<QTableWidget>(u"grdLecCheck"_s);
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0)->text() == caption)
            return QStringList{grid->item(r, 1)->text(), grid->item(r, 2)->text(),
                               grid->item(r, 3)->text()}
                .join(u' ');
    return u"no row"_s;
}

} // namespace

class TestLecPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void cleanup() { m_f.reset(); }
    void wired_data()
    {
        QTest::addColumn<QString>("cell"); // grid, row, column typed into first
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("row");
        QTest::newRow("sample on entering")
            << QString() << QString() << QString() << QString() << kSample
            << u"In 5 Years: total paid"_s << u"$56,582 $56,561 consistent"_s;
        const QString one = u"1 of 25 figures need checking; 23 ok, 1 consistent with the form's "
                            u"rounding. The APR is 4.274% to 4.301% as the uncertain fees are or "
                            u"are not finance charges."_s;
        QTest::newRow("P&I slip") << QString() << u"edtLecPI btnLecCheck"_s << u"761.87"_s
                                  << QString() << one << u"Monthly Principal & Interest"_s
                                  << u"$761.87 $761.78 check this"_s;
        // A line changed changes every total after it: D, J, closing costs, cash to close.
        QTest::newRow("B line changed")
            << u"grdLecB 0 1 450"_s << u"btnLecCheck"_s << QString() << QString()
            << QString(one).replace(u"1 of"_s, u"4 of"_s).replace(u"23 ok"_s, u"20 ok"_s)
            << u"D. Total Loan Costs"_s << u"$5,672 $5,717 check this"_s;
        QTest::newRow("cell not a figure, nothing written")
            << u"grdLecB 1 1 abc"_s << u"btnLecCheck"_s << QString()
            << u"The Loan Estimate cannot be checked: B. Services You Cannot Shop For, row 2, "
               u"Amount: \"abc\" is not a figure."_s
            << kSample << u"D. Total Loan Costs"_s << u"$5,672 $5,672 ok"_s;
    }
    void wired()
    {
        QFETCH(QString, cell);
        QFETCH(QString, steps);
        QFETCH(QString, typed);
        m_f.emplace();
        if (!cell.isEmpty()) {
            typeCell(*m_f, cell.section(u' ', 0, 2), cell.section(u' ', 3));
            QVERIFY(m_f->page->resultsStale());
        }
        test::act(*m_f, steps, typed);
        QFETCH(QString, message);
        QCOMPARE(m_f->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QFETCH(QString, verdict);
        QFETCH(QString, caption);
        QFETCH(QString, row);
        QCOMPARE(m_f->get<QLabel>(u"lblLecVerdict"_s)->text(), verdict);
        QCOMPARE(checked(*m_f, caption), row);
    }

    // The form typed is what the next run starts with, grid cells included.
    void kept()
    {
        m_f.emplace();
        typeCell(*m_f, u"grdLecC 6 0"_s, u"Courier Fee"_s);
        m_f->type(u"edtLecAPR"_s, u"4.3"_s);
        PageState state(LecPage::SettingsSection);
        m_f->page->saveState(state);
        m_f.emplace();
        m_f->page->restoreState(state);
        const auto *c = m_f->get<QTableWidget>(u"grdLecC"_s);
        QCOMPARE(c->item(6, 0)->text() + u' ' + c->item(6, 2)->text() + u' ' +
                     m_f->text(u"edtLecAPR"_s),
                 u"Courier Fee uncertain 4.300"_s);
        // Reset puts back the sample; Undo Reset the grids as they were typed.
        m_f->page->resetUndoably();
        QCOMPARE(c->item(6, 0)->text(), QString());
        m_f->page->undoReset();
        QCOMPARE(c->item(6, 0)->text(), u"Courier Fee"_s);
    }

    // An adjustable product is checked on its rate paths: the form's fixed-rate columns are not.
    void adjustable()
    {
        m_f.emplace();
        m_f->get<QComboBox>(u"cbLecProduct"_s)->setCurrentIndex(1);
        test::act(*m_f, u"btnLecCheck"_s);
        QCOMPARE(checked(*m_f, u"Projected Payments: years"_s),
                 u"1-7, 8-30 1-5, 6, 7, 8-30 check this"_s);
        QCOMPARE(checked(*m_f, u"Monthly Principal & Interest"_s), u"$761.78 $761.78 ok"_s);
        test::act(*m_f, u"edtLecArmFixedMonths btnLecCheck"_s, u"360"_s);
        QCOMPARE(m_f->messages(),
                 QStringList{u"The Loan Estimate cannot be checked: adjustable rate: months at "
                             u"the initial rate must be more than 0 and less than the term."_s});
    }

private:
    std::optional<test::PageFixture<LecPage>> m_f;
};

QTEST_MAIN(TestLecPage)
#include "tst_lecpage.moc"
