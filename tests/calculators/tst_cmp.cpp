// The Compare Loan Offers page driven as a user drives it: typing into the
// offers' fields, leaving them with Tab, adding and removing offers, reading
// the grid, the sentences and the CSV, and the offers kept between runs.
// The arithmetic itself is held in tests/finance.

#include "calculators/CmpPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestCmp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        test::recordErrors(m_errors);
    }
    void init()
    {
        m_errors.clear();
        m_host = std::make_unique<test::FakeHost>();
        open();
    }
    void cleanup() { m_page.reset(); } // before the host it uses

    void shown_data();
    void shown();
    void refused_data();
    void refused();
    void addAndRemove();
    void csv();
    void keptBetweenRuns_data();
    void keptBetweenRuns();

private:
    void open()
    {
        m_page = std::make_unique<CmpPage>(*m_host);
        m_page->setFont(QFont(u"Arial"_s, 8));
        m_page->resize(587, 380);
        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_page->enter();
    }
    QLineEdit *field(const QString &name) const { return m_page->findChild<QLineEdit *>(name); }
    QTableWidget *grid() const { return m_page->findChild<QTableWidget *>(u"grdCompare"_s); }
    // "field=text ..." typed and left with Tab; "+" clicks Add Offer, "-" Remove Offer.
    void type(const QString &steps)
    {
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"+" || step == u"-") {
                m_page
                    ->findChild<QPushButton *>(step == u"+" ? u"btnCmpAddOffer"_s
                                                            : u"btnCmpRemoveOffer"_s)
                    ->click();
                continue;
            }
            QLineEdit *edit = field(step.section(u'=', 0, 0));
            QVERIFY2(edit, qPrintable(step));
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, step.section(u'=', 1).replace(u'_', u' '));
            QTest::keyClick(edit, Qt::Key_Tab);
        }
    }
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
    QString sentences() const { return m_page->findChild<QLabel *>(u"lblCmpBreakEven"_s)->text(); }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<CmpPage> m_page;
    QStringList m_errors;
};

void TestCmp::shown_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("gridRow");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QString>("sentences");
    const QString pays57 =
        u"Offer B costs $4,200.00 more at closing and pays for itself after payment 57."_s;
    QTest::newRow("start: the lower APR is marked")
        << QString() << int(CmpPage::Apr) << u"6.924% 6.685%*"_s << pays57;
    QTest::newRow("more financed is the better")
        << QString() << int(CmpPage::AmountFinanced) << u"$298,500.00* $294,300.00"_s << pays57;
    QTest::newRow("a lender's name heads its column and its sentence")
        << u"edtCmpLender2=Bank_Two"_s << -1 << u"Offer A Bank Two"_s
        << u"Bank Two costs $4,200.00 more at closing and pays for itself after payment 57."_s;
    QTest::newRow("third offer with insurance")
        << u"+"_s << int(CmpPage::InsuredPayments) << u"0* 0* 106"_s
        << u"Offer B costs $4,200.00 more at closing than Offer A and pays for itself after "
           u"payment 57.\nOffer A costs $500.00 more at closing than Offer C and pays for itself "
           u"never, within the term.\nOffer B costs $4,700.00 more at closing than Offer C and "
           u"pays for itself after payment 100."_s;
    QTest::newRow("insurance ends at the middle with a small home value")
        << u"+ edtCmpHomeValue=200000"_s << int(CmpPage::InsuredPayments) << u"0* 0* 180"_s
        << QString();
    QTest::newRow("the same cash at closing")
        << u"edtCmpPoints2=0 edtCmpFees2=1500"_s << int(CmpPage::CashAtClosing)
        << u"$3,500.00 $3,500.00"_s << u"The offers cost the same at closing."_s;
    QTest::newRow("rate 0") << u"edtCmpRate1=0 edtCmpTerm1=300"_s << int(CmpPage::Payment)
                            << u"$1,000.00* $1,896.20"_s << QString();
}

void TestCmp::shown()
{
    QFETCH(QString, typed);
    QFETCH(int, gridRow);
    QFETCH(QString, cells);
    QFETCH(QString, sentences);
    type(typed);
    QCOMPARE(m_errors, QStringList());
    QCOMPARE(row(gridRow), cells);
    if (!sentences.isEmpty())
        QCOMPARE(this->sentences(), sentences);
}

void TestCmp::refused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");
    QTest::newRow("term 0") << u"edtCmpTerm1=0"_s << u"unusable-figures"_s;
    QTest::newRow("term over the limit") << u"edtCmpTerm2=1201"_s << u"unusable-figures"_s;
    QTest::newRow("loan 0") << u"edtCmpLoan1=0"_s << u"unusable-figures"_s;
    QTest::newRow("negative fees") << u"edtCmpFees2=-1"_s << u"unusable-figures"_s;
    QTest::newRow("negative home value") << u"edtCmpHomeValue=-5"_s << u"unusable-figures"_s;
    QTest::newRow("points leave no amount financed")
        << u"edtCmpPoints1=100"_s << u"unusable-figures"_s;
    QTest::newRow("fractional term") << u"edtCmpTerm1=12.5"_s << u"unidentified"_s;
}

// One message, and the grid, the sentences and the names stay as they were.
void TestCmp::refused()
{
    QFETCH(QString, typed);
    QFETCH(QString, error);
    QStringList before;
    for (int r = -1; r < CmpPage::RowCount; ++r)
        before << row(r);
    const QString said = sentences();
    // A new name typed but not yet taken: the failing calculation must not show it.
    field(typed.section(u'=', 0, 0))->setFocus();
    field(u"edtCmpLender1"_s)->setText(u"Renamed"_s);
    type(typed);
    QCOMPARE(m_errors, QStringList{error});
    QStringList after;
    for (int r = -1; r < CmpPage::RowCount; ++r)
        after << row(r);
    QCOMPARE(after, before);
    QCOMPARE(sentences(), said);
}

void TestCmp::addAndRemove()
{
    auto *add = m_page->findChild<QPushButton *>(u"btnCmpAddOffer"_s);
    auto *remove = m_page->findChild<QPushButton *>(u"btnCmpRemoveOffer"_s);
    QString seen;
    const auto look = [&] {
        seen += u"%1%2%3 "_s.arg(m_page->offerCount())
                    .arg(add->isEnabled() ? u"+"_s : QString())
                    .arg(remove->isEnabled() ? u"-"_s : QString());
    };
    look();
    for (int i = 0; i < 2; ++i) {
        add->click();
        look();
    }
    QVERIFY(field(u"edtCmpLoan4"_s)->isVisible());
    QCOMPARE(row(-1), u"Offer A Offer B Offer C Offer D"_s);
    for (int i = 0; i < 2; ++i) {
        remove->click();
        look();
    }
    QCOMPARE(seen, u"2+ 3+- 4- 3+- 2+ "_s);
    QVERIFY(!field(u"edtCmpLoan3"_s)->isVisible());
    QCOMPARE(row(-1), u"Offer A Offer B"_s);
    QCOMPARE(m_errors, QStringList());
}

// The table as CSV: a heading record, then each result with its figures as numbers.
void TestCmp::csv()
{
    QVERIFY(m_page->hasTable());
    const QStringList lines = QString::fromUtf8(csvText(m_page->tableData())).split(u"\r\n"_s);
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
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // edtCmpRate1 edtCmpLender2 offers
    QTest::addColumn<QString>("written");
    QTest::newRow("typed offers are kept")
        << QString() << u"edtCmpRate1=7.125 edtCmpLender2=Bank_Two +"_s << u"6.875 0 2"_s
        << u"Rate1=7.125|Lender2=Bank Two|Offers=3|Loan3=285000|MI3=95"_s;
    QTest::newRow("stored offers are read")
        << u"Offers=3\nRate1=5.5\nLender2=Credit Union"_s << QString() << u"5.500 Credit Union 3"_s
        << u"Rate1=5.5|Lender2=Credit Union|Offers=3"_s;
    // A text that does not read leaves the start value and stays as written.
    QTest::newRow("unreadable values kept as written")
        << u"Offers=9\nRate1=six\nLoan2=lots"_s << QString() << u"6.875 0 2"_s
        << u"Rate1=six|Loan2=lots|Offers=9"_s;
    QTest::newRow("unreadable value changed by the user is written")
        << u"Rate1=six"_s << u"edtCmpRate1=6"_s << u"6.875 0 2"_s << u"Rate1=6"_s;
}

void TestCmp::keptBetweenRuns()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, written);
    const QString path = m_host->settingsFile().path();
    if (!stored.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Loan Offers]\n" + stored.toUtf8() + '\n');
        file.close();
        m_page.reset();
        open();
    }
    // What the page holds before typing; "0" for an unnamed lender.
    const QString lender = field(u"edtCmpLender2"_s)->text();
    QCOMPARE(u"%1 %2 %3"_s.arg(field(u"edtCmpRate1"_s)->text(), lender.isEmpty() ? u"0"_s : lender)
                 .arg(m_page->offerCount()),
             shown);
    type(typed);
    m_page->saveOwnSettings();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith(u"[Loan Offers]"_s));
    for (const QString &line : written.split(u'|'))
        QVERIFY2(text.contains(u'\n' + line + u'\n'), qPrintable(line + u" not in\n"_s + text));
    QCOMPARE(m_errors, QStringList());
}

QTEST_MAIN(TestCmp)
#include "tst_cmp.moc"
