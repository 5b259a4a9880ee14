// The Adjustable Rate page wired to its arithmetic: the worked 5/1 example it starts with, a
// refusal naming its field, and its inputs kept between runs through the settings file.

#include "calculators/ArmPage.h"
#include "state/PageState.h"
#include "state/SettingsFile.h"
#include "tests/support/PageFixture.h"

#include <QApplication>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
const QString kResults = u"edtArmFirstPayment edtArmPaymentAfterChange edtArmHighestPayment "
                         u"edtArmHighestAt edtArmAPR edtArmFiveYearTotal "
                         u"edtArmFixedBreakEvenIndex edtArmFixedBreakEvenWorst"_s;
const QString kExample = u"$2,431.53 $2,949.91 $3,885.30 85 4.578 $146,752 107 84 "
                         u"Years 8-30=$2,147 min / $3,885 max"_s;
} // namespace

class TestArmPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void cleanup() { m_f.reset(); }
    void wired_data()
    {
        QTest::addColumn<QString>("stored"); // lines of the section before the run
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown"); // the results, then the last projected column
        QTest::addColumn<QString>("written");
        QTest::newRow("worked 5/1 example")
            << QString() << QString() << QString() << QString() << kExample
            << u"Loan=550001 Floor=none FixedRate=4.125 Rounding=1"_s;
        QTest::newRow("refused term named, nothing written")
            << QString() << u"edtArmTerm"_s << u"0"_s
            << u"The adjustable-rate loan cannot be calculated: term must be 1..1200 months."_s
            << kExample << u"Term=0"_s;
        QTest::newRow("term not whole named, nothing written")
            << QString() << u"edtArmTerm"_s << u"360.5"_s
            << u"Term in Months: \"360.5\" is not a whole number."_s << kExample << u"Term=360.5"_s;
        QTest::newRow("stored commentary example read")
            << u"Loan=100000\nInitialRate=9\nFixedMonths=12\nIndex=10\nMargin=2\nRounding=0\n"
               u"Prepaid=0\nFixedRate=9\nFixedPrepaid=0"_s
            << QString() << QString() << QString()
            << u"$804.62 $950.09 $1,175.91 37 11.527 $57,933 13 13 Years 4-30=$388 min / "
               u"$1,176 max"_s
            << u"Loan=100000 InitialRate=9 Rounding=0"_s;
    }
    void wired()
    {
        QFETCH(QString, stored);
        QFETCH(QString, steps);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        m_f.emplace([&stored](test::FakeHost &host) {
            QVERIFY(test::writeBytes(host.settingsFile().path(),
                                     "[Adjustable Rate]\n" + stored.toUtf8() + '\n'));
        });
        m_f->page->restoreState(m_f->host.settingsFile().loadState(ArmPage::SettingsSection));
        m_f->page->enter(); // as the main window restores a page before showing it
        test::act(*m_f, steps, typed);
        QCOMPARE(m_f->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) // back in the field to mend it
            QCOMPARE(QApplication::focusWidget(), m_f->get(steps));
        auto *projected = m_f->get<QTableWidget>(u"grdArmProjected"_s);
        const int last = projected->columnCount() - 1;
        QCOMPARE(test::shownText(*m_f, kResults) + u' ' +
                     projected->horizontalHeaderItem(last)->text() + u'=' +
                     projected->item(0, last)->text(),
                 shown);
        PageState kept(ArmPage::SettingsSection);
        m_f->page->saveState(kept);
        m_f->host.settingsFile().saveState(kept);
        QSettings file(m_f->host.settingsFile().path(), QSettings::IniFormat);
        file.beginGroup(u"Adjustable Rate"_s);
        for (const QString &line : written.split(u' '))
            QCOMPARE(file.value(line.section(u'=', 0, 0)).toString(), line.section(u'=', 1));
    }

    // Export and Copy take the schedule of the path chosen: payment 73 with the index unchanged,
    // then in the worst case.
    void scheduleShownIsExported()
    {
        m_f.emplace();
        const auto row73 = [this] {
            return QString::fromUtf8(csvText(m_f->page->tableData())).split(u"\r\n"_s).value(73);
        };
        QCOMPARE(row73(), u"73,5.250,2949.91,2110.85,839.06,481641.38"_s);
        m_f->get<QTabWidget>(u"tabArm"_s)->setCurrentIndex(2);
        QTest::mouseClick(m_f->get<QRadioButton>(u"rgArmCaseItem1"_s), Qt::LeftButton);
        QCOMPARE(row73(), u"73,7.375,3579.32,2966.33,612.99,482044.69"_s);
    }

private:
    std::optional<test::PageFixture<ArmPage>> m_f;
};

QTEST_MAIN(TestArmPage)
#include "tst_armpage.moc"
