// The table interface on the real Loan Amortizations page: the CSV written
// for a spreadsheet (parsed back and compared with the schedule to the cent,
// whatever the locale), its quoting, a target that cannot be written, and
// the rows Ctrl+C puts on the clipboard.

#include "calculators/AmortModel.h"
#include "calculators/TableSource.h"
#include "tests/calculators/AmortDriver.h"
#include "tests/support/TestSupport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

// RFC 4180 read back: quoted fields may hold commas, quotes (doubled) and
// line breaks; records end with CRLF.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (quoted) {
            if (c == u'"' && k + 1 < text.size() && text[k + 1] == u'"') {
                field += u'"';
                ++k;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && k + 1 < text.size() && text[k + 1] == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++k;
        } else {
            field += c;
        }
    }
    return records;
}

const QString kHeadings =
    u"PMT,Principal,Interest,Principal To Date,Interest To Date,Extra Principal,Balance"_s;

} // namespace

class TestTableExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void cleanup() { test::pinLocale(); }
    void csvMatchesSchedule_data();
    void csvMatchesSchedule();
    void quoting_data();
    void quoting();
    void unwritableTarget_data();
    void unwritableTarget();
    void copy_data();
    void copy();
    void nothingToOfferAfterReset();
};

void TestTableExport::csvMatchesSchedule_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("extra");        // mode|from|to|amount, or none
    QTest::addColumn<QString>("shownBalance"); // the grid's first balance, in the locale
    // First rows: the worked schedule of the amortization page tests
    // (independent Python recomputation, cents half up per row).
    QTest::addColumn<QString>("firstRecord");
    QTest::addColumn<int>("records");
    QTest::newRow("en_US no extras") << u"en_US"_s << QString() << u"$99,942.47"_s
                                     << u"1,57.53,729.17,57.53,729.17,0.00,99942.47"_s << 360;
    QTest::newRow("de_DE no extras") << u"de_DE"_s << QString() << u"99.942,47\u00a0€"_s
                                     << u"1,57.53,729.17,57.53,729.17,0.00,99942.47"_s << 360;
    QTest::newRow("en_US 100 on all payments")
        << u"en_US"_s << u"rbAllPmts|||100"_s << u"$99,842.47"_s
        << u"1,157.53,729.17,157.53,729.17,100.00,99842.47"_s << 238;
    QTest::newRow("de_DE 100 on all payments")
        << u"de_DE"_s << u"rbAllPmts|||100"_s << u"99.842,47\u00a0€"_s
        << u"1,157.53,729.17,157.53,729.17,100.00,99842.47"_s << 238;
    QTest::newRow("de_DE 500 on payment 12")
        << u"de_DE"_s << u"rbOnePmt|12||500"_s << u"99.942,47\u00a0€"_s
        << u"1,57.53,729.17,57.53,729.17,0.00,99942.47"_s << 353;
}

void TestTableExport::csvMatchesSchedule()
{
    QFETCH(QString, locale);
    QFETCH(QString, extra);
    QFETCH(QString, shownBalance);
    QFETCH(QString, firstRecord);
    QFETCH(int, records);
    QLocale::setDefault(QLocale(locale));
    test::AmortDriver amort;
    amort.page->enter();
    amort.addExtra(extra);
    // The grid shows the locale's money; the file must not.
    QCOMPARE(amort.page->model()->index(0, 6).data().toString(), shownBalance);
    QVERIFY(amort.page->hasTable());

    QTemporaryDir dir;
    const QString path = dir.filePath(u"schedule.csv"_s);
    QCOMPARE(saveCsv(amort.page->tableData(), path), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QStringList> parsed = parseCsv(bytes);
    QCOMPARE(parsed.size(), records + 1);
    QCOMPARE(parsed[0].join(u','), kHeadings);
    QCOMPARE(parsed[1].join(u','), firstRecord);

    const std::vector<TPayment> &rows = amort.host->mortgage().Payments();
    const QRegularExpression money(u"^-?[0-9]+\\.[0-9]{2}$"_s);
    for (int r = 0; r < records; ++r) {
        const QStringList &f = parsed[r + 1];
        const TPayment &p = rows[std::size_t(r)];
        QCOMPARE(f.size(), 7);
        QCOMPARE(f[0], QString::number(p.Number));
        const double figures[] = {p.Principal,      p.Interest,       p.PrincipalToDate,
                                  p.InterestToDate, p.ExtraPrincipal, p.Balance};
        for (int c = 1; c < 7; ++c) {
            QVERIFY2(money.match(f[c]).hasMatch(), qPrintable(f[c]));
            QCOMPARE(qRound64(f[c].toDouble() * 100), qRound64(figures[c - 1] * 100));
        }
    }
    // The paying-off row ends the file.
    if (records < 360)
        QCOMPARE(parsed.last().last(), u"0.00"_s);
}

void TestTableExport::quoting_data()
{
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QString>("text"); // a text cell
    QTest::addColumn<double>("value"); // a number cell with 2 decimals
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("csv");
    QTest::newRow("comma in a heading")
        << QStringList{u"Rate, %"_s, u"Plain"_s} << u"x"_s << 1.5 << u"en_US"_s
        << QByteArray("\"Rate, %\",Plain\r\nx,1.50\r\n");
    QTest::newRow("quotes doubled")
        << QStringList{u"The \"best\" rate"_s, u"B"_s} << u"say \"no\""_s << 2.0 << u"en_US"_s
        << QByteArray("\"The \"\"best\"\" rate\",B\r\n\"say \"\"no\"\"\",2.00\r\n");
    QTest::newRow("line break in a text")
        << QStringList{u"A"_s, u"B"_s} << u"two\nlines"_s << 0.0 << u"en_US"_s
        << QByteArray("A,B\r\n\"two\nlines\",0.00\r\n");
    QTest::newRow("no grouping or comma decimal in de_DE")
        << QStringList{u"A"_s, u"B"_s} << u"\u00e9t\u00e9"_s << 1234567.891 << u"de_DE"_s
        << QByteArray("A,B\r\n\xc3\xa9t\xc3\xa9,1234567.89\r\n");
    QTest::newRow("minus zero is zero") << QStringList{u"A"_s, u"B"_s} << u"a"_s << -0.004
                                        << u"en_US"_s << QByteArray("A,B\r\na,0.00\r\n");
    QTest::newRow("negative amount") << QStringList{u"A"_s, u"B"_s} << u"a"_s << -12.5 << u"en_US"_s
                                     << QByteArray("A,B\r\na,-12.50\r\n");
}

void TestTableExport::quoting()
{
    QFETCH(QStringList, headings);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QByteArray, csv);
    QLocale::setDefault(QLocale(locale));
    TableData table;
    table.headings = headings;
    table.rows.push_back({TableCell::label(text), TableCell::number(value, 2)});
    QCOMPARE(csvText(table), csv);
    // And it reads back as written.
    const QList<QStringList> parsed = parseCsv(csv);
    QCOMPARE(parsed[0], headings);
    QCOMPARE(parsed[1][0], text);
}

void TestTableExport::unwritableTarget_data()
{
    QTest::addColumn<QString>("target"); // relative to a fresh folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder missing") << u"missing/schedule.csv"_s << u"No such file or directory"_s;
    QTest::newRow("target is a folder") << u"taken"_s << u"refers to a directory"_s;
}

void TestTableExport::unwritableTarget()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    test::AmortDriver amort;
    amort.page->enter();
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"taken"_s));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QString error = saveCsv(amort.page->tableData(), dir.filePath(target));
    QVERIFY2(error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
    // Nothing half-written: the folder holds what it held.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(QDir(dir.filePath(u"taken"_s)).isEmpty());
}

void TestTableExport::copy_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QList<int>>("clicked"); // rows clicked, the second with Shift
    QTest::addColumn<int>("lines");          // heading included
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<QString>("lastRow");
    // Rows as the page's worked schedule shows them (see csvMatchesSchedule).
    QTest::newRow("none selected: every row")
        << u"en_US"_s << QList<int>{} << 361 << u"1\t57.53\t729.17\t57.53\t729.17\t0.00\t99942.47"_s
        << u"360\t781.00\t5.70\t99999.03\t183212.97\t0.00\t0.97"_s;
    QTest::newRow("rows 2 to 4") << u"en_US"_s << QList<int>{1, 3} << 4
                                 << u"2\t57.95\t728.75\t115.48\t1457.92\t0.00\t99884.52"_s
                                 << u"4\t58.80\t727.90\t232.66\t2914.14\t0.00\t99767.34"_s;
    QTest::newRow("one row in de_DE") << u"de_DE"_s << QList<int>{1} << 2
                                      << u"2\t57,95\t728,75\t115,48\t1457,92\t0,00\t99884,52"_s
                                      << u"2\t57,95\t728,75\t115,48\t1457,92\t0,00\t99884,52"_s;
}

void TestTableExport::copy()
{
    QFETCH(QString, locale);
    QFETCH(QList<int>, clicked);
    QFETCH(int, lines);
    QFETCH(QString, firstRow);
    QFETCH(QString, lastRow);
    QLocale::setDefault(QLocale(locale));
    test::AmortDriver amort;
    amort.page->enter();
    auto *view = amort.child<QTableView>(u"grdAmortization"_s);
    for (int k = 0; k < clicked.size(); ++k) {
        const QModelIndex index = view->model()->index(clicked[k], 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton,
                          k == 0 ? Qt::NoModifier : Qt::ShiftModifier,
                          view->visualRect(index).center());
    }
    QCOMPARE(int(view->selectionModel()->selectedRows().size()),
             clicked.isEmpty() ? 0 : clicked.last() - clicked.first() + 1);
    QGuiApplication::clipboard()->clear();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.endsWith(u'\n'));
    const QStringList got = copied.chopped(1).split(u'\n');
    QCOMPARE(got.size(), lines);
    QCOMPARE(got.first(), QString(kHeadings).replace(u',', u'\t'));
    QCOMPARE(got[1], firstRow);
    QCOMPARE(got.last(), lastRow);
    for (const QString &line : got)
        QCOMPARE(line.count(u'\t'), 6);
}

void TestTableExport::nothingToOfferAfterReset()
{
    test::AmortDriver amort;
    amort.page->enter();
    amort.page->Reset();
    QVERIFY(!amort.page->hasTable());
    QVERIFY(amort.page->tableData().rows.empty());
    QGuiApplication::clipboard()->setText(u"kept"_s);
    auto *view = amort.child<QTableView>(u"grdAmortization"_s);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);
    // A new calculation offers the table again.
    amort.calculate(QString());
    QVERIFY(amort.page->hasTable());
    QCOMPARE(int(amort.page->tableData().rows.size()), 360);
}

QTEST_MAIN(TestTableExport)
#include "tst_tableexport.moc"
