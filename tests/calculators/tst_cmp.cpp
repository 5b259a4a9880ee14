// The Compare Loan Offers page: the grid's marks and headings, the sentences,
// adding and removing offers, the offers kept between runs.

#include "calculators/CmpPage.h"
#include "tests/support/PageFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestCmp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { QCOMPARE(f->failures, QStringList()); }
    void shown_data()
    {
        test::addStepColumns(); // shown: the grid row's cells | the sentences
        QTest::addColumn<int>("gridRow");
        // The lower APR marked best: the report test, against this page.
        QTest::newRow("more financed is the better")
            << QString() << QString() << QString() << QString()
            << u"$298,500.00* $294,300.00|Offer B costs $4,200.00 more at closing and pays for "
               u"itself after payment 45."_s
            << int(CmpPage::AmountFinanced);
        // A new offer starts as a copy of B, then takes its own figures.
        QTest::newRow("third offer with insurance")
            << u"btnCmpAddOffer edtCmpLoan3 edtCmpRate3 edtCmpPoints3 edtCmpFees3 edtCmpMI3"_s
            << u"285000 6.75 0 1000 95"_s << QString() << QString()
            << u"0* 0* 106|Offer B costs $4,200.00 more at closing than Offer A and pays for "
               u"itself after payment 45.\nOffer A costs $500.00 more at closing than Offer C and "
               u"does not pay for itself within 360 payments.\nOffer B costs $4,700.00 more at "
               u"closing than Offer C and pays for itself after payment 62."_s
            << int(CmpPage::InsuredPayments);
        // A premium typed for a loan at 80 % of the home value or less is not charged: said so.
        QTest::newRow("insurance typed but not charged")
            << u"edtCmpHomeValue edtCmpMI1 btnCmpAddOffer edtCmpMI3"_s << u"1000000 50 50"_s
            << QString() << QString()
            << u"0 0 0|Offer B costs $4,200.00 more at closing than Offer A and pays for itself "
               u"after payment 45.\nOffer C costs $4,200.00 more at closing than Offer A and pays "
               u"for itself after payment 45.\nNo mortgage insurance is charged on Offer A and "
               u"Offer C: each loan is at or below 80% of the home value."_s
            << int(CmpPage::InsuredPayments);
        QTest::newRow("the same cash at closing")
            << u"edtCmpPoints2 edtCmpFees2"_s << u"0 1500"_s << QString() << QString()
            << u"$3,500.00 $3,500.00|The offers cost the same at closing."_s
            << int(CmpPage::CashAtClosing);
    }
    void shown()
    {
        test::checkSteps(*f, [this] {
            QFETCH(int, gridRow);
            return QString(row(gridRow) + u'|' + sentences());
        });
    }
    void refused_data()
    {
        QTest::addColumn<QString>("typed"); // into the first term
        QTest::addColumn<QString>("failure");
        const QString term =
            u"Offer A (Renamed), Term in Months: a whole number of months from 1 to 1200 is "
            u"needed."_s;
        QTest::newRow("term 0") << u"0"_s << term;
        QTest::newRow("fractional term") << u"12.5"_s << term;
    }
    // One message, and the grid, the sentences and the names stay as they were.
    void refused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, failure);
        const QString before = table() + row(-1) + sentences();
        // A new name typed but not yet taken: the failing calculation must not show it.
        f->get(u"edtCmpTerm1"_s)->setFocus();
        f->get(u"edtCmpLender1"_s)->setText(u"Renamed"_s);
        f->type(u"edtCmpTerm1"_s, typed);
        QCOMPARE(std::exchange(f->failures, {}), QStringList{failure});
        QCOMPARE(table() + row(-1) + sentences(), before);
    }
    // Insurance with no home value to end it is refused by name, and nothing is written.
    void insuranceWithoutHomeValue()
    {
        f->type(u"edtCmpMI1"_s, u"95"_s);
        const QString before = table() + sentences();
        f->type(u"edtCmpHomeValue"_s, u"0"_s);
        QCOMPARE(f->messages(),
                 QStringList{u"Mortgage insurance needs the home value to know when it ends.\n\r"
                             u"Please enter the home value, the lower of the purchase price and "
                             u"the appraised value,\n\ras an amount above 0."_s});
        QCOMPARE(table() + sentences(), before);
    }
    // Up to four offers: Add Offer greys out at four, Remove Offer at two.
    void addAndRemove()
    {
        QPushButton *add = button(u"btnCmpAddOffer"_s), *remove = button(u"btnCmpRemoveOffer"_s);
        QVERIFY(add->isEnabled() && !remove->isEnabled());
        add->click();
        QVERIFY(add->isEnabled() && remove->isEnabled() && f->page->offerCount() == 3);
        add->click();
        QVERIFY(!add->isEnabled() && f->get(u"edtCmpLoan4"_s)->isVisible());
        QCOMPARE(row(-1), u"Offer A Offer B Offer C Offer D"_s);
        remove->click();
        remove->click();
        QVERIFY(add->isEnabled() && !remove->isEnabled() && !f->get(u"edtCmpLoan3"_s)->isVisible());
        QCOMPARE(row(-1), u"Offer A Offer B"_s);
    }
    void keptBetweenRuns_data()
    {
        QTest::addColumn<QString>("stored"); // lines of the section before the run
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // rate 1, lender 2, offers, before the steps
        QTest::addColumn<QString>("written");
        QTest::newRow("typed offers are kept")
            << QString() << u"edtCmpRate1 edtCmpLender2 btnCmpAddOffer"_s << u"7.125 Zenith"_s
            << u"6.875  2"_s
            << u"Rate1=7.125 Lender2=Zenith Offers=3 Loan3=300000 MI3=0 Lender3="_s;
        QTest::newRow("stored offers are read")
            << u"Offers=3\nRate1=5.5\nLender2=Union"_s << QString() << QString()
            << u"5.500 Union 3"_s << u"Rate1=5.5 Lender2=Union Offers=3"_s;
        // A text that does not read leaves the start value and stays as written.
        QTest::newRow("unreadable values kept as written")
            << u"Offers=9\nRate1=six\nLoan2=lots"_s << QString() << QString() << u"6.875  2"_s
            << u"Rate1=six Loan2=lots Offers=9"_s;
        QTest::newRow("unreadable value changed by the user is written")
            << u"Rate1=six"_s << u"edtCmpRate1"_s << u"6"_s << u"6.875  2"_s << u"Rate1=6"_s;
    }
    void keptBetweenRuns()
    {
        QFETCH(QString, stored);
        QFETCH(QString, steps);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        if (!stored.isEmpty()) {
            f.emplace([&stored](test::FakeHost &host) {
                QVERIFY(test::writeBytes(host.settingsFile().path(),
                                         "[Loan Offers]\n" + stored.toUtf8() + '\n'));
            });
        }
        f->page->restoreState(f->host.settingsFile().loadState(CmpPage::SettingsSection));
        QCOMPARE(test::shownText(*f, u"edtCmpRate1 edtCmpLender2"_s) + u' ' +
                     QString::number(f->page->offerCount()),
                 shown);
        test::act(*f, steps, typed);
        PageState kept(CmpPage::SettingsSection);
        f->page->saveState(kept);
        f->host.settingsFile().saveState(kept);
        QSettings file(f->host.settingsFile().path(), QSettings::IniFormat);
        file.beginGroup(u"Loan Offers"_s);
        for (const QString &line : written.split(u' '))
            QCOMPARE(file.value(line.section(u'=', 0, 0)).toString(), line.section(u'=', 1));
    }

private:
    QPushButton *button(const QString &name) const { return f->get<QPushButton>(name); }
    QTableWidget *grid() const { return f->get<QTableWidget>(u"grdCompare"_s); }
    // What the grid shows in row `row`: each shown column's text, a best
    // figure marked with '*'; the header row is row -1.
    QString row(int row) const
    {
        QStringList cells;
        for (int c = 0; c < grid()->columnCount(); ++c) {
            const auto *item = row < 0 ? grid()->horizontalHeaderItem(c) : grid()->item(row, c);
            if (!grid()->isColumnHidden(c))
                cells << item->text() + (item->font().bold() ? u"*"_s : QString());
        }
        return cells.join(u' ');
    }
    QString table() const { return QString::fromUtf8(csvText(f->page->tableData())); }
    QString sentences() const { return f->get<QLabel>(u"lblCmpBreakEven"_s)->text(); }

    std::optional<test::PageFixture<CmpPage>> f;
};

QTEST_MAIN(TestCmp)
#include "tst_cmp.moc"
