// The Compare Loan Offers page driven as a user drives it: typing into the
// offers' fields, leaving them with Tab, adding and removing offers, reading
// the grid, the sentences and the CSV, and the offers kept between runs.
// The arithmetic itself is held in tests/finance.

#include "calculators/CmpPage.h"
#include "tests/support/PageFixture.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
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
    void cleanup() { f.reset(); }
    void shown_data();
    void shown();
    void refused_data();
    void refused();
    void addAndRemove();
    void csv();
    void keptBetweenRuns_data();
    void keptBetweenRuns();

private:
    QPushButton *button(const QString &name) const { return f->get<QPushButton>(name); }
    QTableWidget *grid() const { return f->get<QTableWidget>(u"grdCompare"_s); }
    // What the grid shows in row `row`: each shown column's text, a best
    // figure marked with '*'; the header row is row -1.
    QString row(int row) const
    {
        QStringList cells;
        for (int c = 0; c < grid()->columnCount(); ++c) {
            if (grid()->isColumnHidden(c))
                continue;
            if (row < 0) {
                cells << grid()->horizontalHeaderItem(c)->text();
                continue;
            }
            const QTableWidgetItem *item = grid()->item(row, c);
            cells << item->text() + (item->font().bold() ? u"*"_s : QString());
        }
        return cells.join(u' ');
    }
    QStringList rows() const
    {
        QStringList all;
        for (int r = -1; r < CmpPage::RowCount; ++r)
            all << row(r);
        return all;
    }
    QString sentences() const { return f->get<QLabel>(u"lblCmpBreakEven"_s)->text(); }

    std::optional<test::PageFixture<CmpPage>> f;
};

void TestCmp::shown_data()
{
    QTest::addColumn<bool>("third"); // Add Offer clicked first
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("gridRow");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QString>("sentences");
    const QString pays57 =
        u"Offer B costs $4,200.00 more at closing and pays for itself after payment 57."_s;
    QTest::newRow("start: the lower APR is marked")
        << false << QStringList() << QStringList() << int(CmpPage::Apr) << u"6.924% 6.685%*"_s
        << pays57;
    QTest::newRow("more financed is the better")
        << false << QStringList() << QStringList() << int(CmpPage::AmountFinanced)
        << u"$298,500.00* $294,300.00"_s << pays57;
    QTest::newRow("a lender's name heads its column and its sentence")
        << false << QStringList{u"edtCmpLender2"_s} << QStringList{u"Bank Two"_s} << -1
        << u"Offer A Bank Two"_s
        << u"Bank Two costs $4,200.00 more at closing and pays for itself after payment 57."_s;
    QTest::newRow("third offer with insurance")
        << true << QStringList() << QStringList() << int(CmpPage::InsuredPayments) << u"0* 0* 106"_s
        << u"Offer B costs $4,200.00 more at closing than Offer A and pays for itself after "
           u"payment 57.\nOffer A costs $500.00 more at closing than Offer C and pays for itself "
           u"never, within the term.\nOffer B costs $4,700.00 more at closing than Offer C and "
           u"pays for itself after payment 100."_s;
    QTest::newRow("the same cash at closing")
        << false << QStringList{u"edtCmpPoints2"_s, u"edtCmpFees2"_s}
        << QStringList{u"0"_s, u"1500"_s} << int(CmpPage::CashAtClosing) << u"$3,500.00 $3,500.00"_s
        << u"The offers cost the same at closing."_s;
}

void TestCmp::shown()
{
    QFETCH(bool, third);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(int, gridRow);
    QFETCH(QString, cells);
    QFETCH(QString, sentences);
    if (third)
        button(u"btnCmpAddOffer"_s)->click();
    test::typeAll(*f, fields, typed);
    QCOMPARE(f->failures, QStringList());
    QCOMPARE(row(gridRow), cells);
    QCOMPARE(this->sentences(), sentences);
}

void TestCmp::refused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("failure");
    QTest::newRow("term 0") << u"edtCmpTerm1"_s << u"0"_s << test::kUnusableFigures;
    QTest::newRow("fractional term") << u"edtCmpTerm1"_s << u"12.5"_s << test::kUnidentified;
}

// One message, and the grid, the sentences and the names stay as they were.
void TestCmp::refused()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, failure);
    const QStringList before = rows();
    const QString said = sentences();
    // A new name typed but not yet taken: the failing calculation must not show it.
    f->get(field)->setFocus();
    f->get(u"edtCmpLender1"_s)->setText(u"Renamed"_s);
    f->type(field, typed);
    QCOMPARE(f->failures, QStringList{failure});
    QCOMPARE(rows(), before);
    QCOMPARE(sentences(), said);
}

void TestCmp::addAndRemove()
{
    QPushButton *add = button(u"btnCmpAddOffer"_s), *remove = button(u"btnCmpRemoveOffer"_s);
    QString seen;
    const auto look = [&] {
        seen += u"%1%2%3 "_s.arg(f->page->offerCount())
                    .arg(add->isEnabled() ? u"+"_s : QString())
                    .arg(remove->isEnabled() ? u"-"_s : QString());
    };
    look();
    for (int i = 0; i < 2; ++i) {
        add->click();
        look();
    }
    QVERIFY(f->get(u"edtCmpLoan4"_s)->isVisible());
    QCOMPARE(row(-1), u"Offer A Offer B Offer C Offer D"_s);
    for (int i = 0; i < 2; ++i) {
        remove->click();
        look();
    }
    QCOMPARE(seen, u"2+ 3+- 4- 3+- 2+ "_s);
    QVERIFY(!f->get(u"edtCmpLoan3"_s)->isVisible());
    QCOMPARE(row(-1), u"Offer A Offer B"_s);
    QCOMPARE(f->failures, QStringList());
}

// The table as CSV: a heading record, then each result with its figures as numbers.
void TestCmp::csv()
{
    QVERIFY(f->page->hasTable());
    const QStringList lines = QString::fromUtf8(csvText(f->page->tableData())).split(u"\r\n"_s);
    QCOMPARE(lines.size(), CmpPage::RowCount + 2);
    QCOMPARE(lines[0], u"Result,Offer A,Offer B"_s);
    QCOMPARE(lines[1], u"Monthly Principal & Interest,1970.79,1896.20"_s);
    QCOMPARE(lines[3], u"APR,6.924,6.685"_s);
    QCOMPARE(lines[6], u"Total of Payments,709480.08,682636.71"_s);
    QCOMPARE(lines[7], u"Total Interest Percentage,136.493,127.546"_s);
    QCOMPARE(lines[11], u"Payments with Insurance,0,0"_s);
}

void TestCmp::keptBetweenRuns_data()
{
    QTest::addColumn<QString>("stored"); // lines of the section before the run
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("shown");   // rate 1, lender 2, offers, before typing
    QTest::addColumn<QStringList>("written"); // a third offer added for the first row
    QTest::newRow("typed offers are kept")
        << QString() << QStringList{u"edtCmpRate1"_s, u"edtCmpLender2"_s}
        << QStringList{u"7.125"_s, u"Bank Two"_s} << QStringList{u"6.875"_s, QString(), u"2"_s}
        << QStringList{u"Rate1=7.125"_s, u"Lender2=Bank Two"_s, u"Offers=3"_s, u"Loan3=285000"_s,
                       u"MI3=95"_s};
    QTest::newRow("stored offers are read")
        << u"Offers=3\nRate1=5.5\nLender2=Credit Union"_s << QStringList() << QStringList()
        << QStringList{u"5.500"_s, u"Credit Union"_s, u"3"_s}
        << QStringList{u"Rate1=5.5"_s, u"Lender2=Credit Union"_s, u"Offers=3"_s};
    // A text that does not read leaves the start value and stays as written.
    QTest::newRow("unreadable values kept as written")
        << u"Offers=9\nRate1=six\nLoan2=lots"_s << QStringList() << QStringList()
        << QStringList{u"6.875"_s, QString(), u"2"_s}
        << QStringList{u"Rate1=six"_s, u"Loan2=lots"_s, u"Offers=9"_s};
    QTest::newRow("unreadable value changed by the user is written")
        << u"Rate1=six"_s << QStringList{u"edtCmpRate1"_s} << QStringList{u"6"_s}
        << QStringList{u"6.875"_s, QString(), u"2"_s} << QStringList{u"Rate1=6"_s};
}

void TestCmp::keptBetweenRuns()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, written);
    const QString path = f->host.settingsFile().path();
    if (!stored.isEmpty()) {
        f.reset();
        f.emplace([&stored](test::FakeHost &host) {
            QFile file(host.settingsFile().path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Loan Offers]\n" + stored.toUtf8() + '\n');
        });
    }
    QCOMPARE((QStringList{f->text(u"edtCmpRate1"_s), f->text(u"edtCmpLender2"_s),
                          QString::number(f->page->offerCount())}),
             shown);
    test::typeAll(*f, fields, typed);
    if (written.contains(u"Offers=3"_s) && stored.isEmpty())
        button(u"btnCmpAddOffer"_s)->click();
    f->page->saveOwnSettings();
    QFile file(f->host.settingsFile().path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith(u"[Loan Offers]"_s));
    for (const QString &line : written)
        QVERIFY2(text.contains(u'\n' + line + u'\n'), qPrintable(line + u" not in\n"_s + text));
    QCOMPARE(f->failures, QStringList());
}

QTEST_MAIN(TestCmp)
#include "tst_cmp.moc"
