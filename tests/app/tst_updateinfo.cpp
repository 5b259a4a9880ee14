// The text rules of the update check: META lines, version comparison, the
// page's date and the proposed download name. Expected values are worked out
// by hand from the rules written above each function in app/UpdateInfo.h.

#include "app/UpdateInfo.h"

#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestUpdateInfo : public QObject
{
    Q_OBJECT

private slots:
    void readsOneLine_data();
    void readsOneLine();
    void readsAPage_data();
    void readsAPage();
    void comparesVersions_data();
    void comparesVersions();
    void readsDates_data();
    void readsDates();
    void namesTheDownload_data();
    void namesTheDownload();
};

void TestUpdateInfo::readsOneLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("carries");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << u"<META HTTP-EQUIV=\"version\" CONTENT=\"1.0.05\">"_s << true
                           << u"version"_s << u"1.0.05"_s;
    QTest::newRow("meta words in any case")
        << u"<meta http-equiv=\"date\" CONTENT=\"Nov 07, 1999\">"_s << true << u"date"_s
        << u"Nov 07, 1999"_s;
    QTest::newRow("tag keeps its case")
        << u"<META HTTP-EQUIV=\"Version\" CONTENT=\"2\">"_s << true << u"Version"_s << u"2"_s;
    QTest::newRow("empty value") << u"<META HTTP-EQUIV=\"readme\" CONTENT=\"\">"_s << true
                                 << u"readme"_s << QString();
    QTest::newRow("text around the tag")
        << u"  junk <META HTTP-EQUIV=\"url\" NAME=x CONTENT=\"https://h/a.exe\"> tail"_s << true
        << u"url"_s << u"https://h/a.exe"_s;
    QTest::newRow("lower-case content=")
        << u"<META HTTP-EQUIV=\"version\" content=\"1.0.05\">"_s << false << QString() << QString();
    QTest::newRow("empty tag name")
        << u"<META HTTP-EQUIV=\"\" CONTENT=\"evil.exe\">"_s << false << QString() << QString();
    QTest::newRow("tag without closing quote")
        << u"<META HTTP-EQUIV=\"version CONTENT=1.0.05>"_s << false << QString() << QString();
    QTest::newRow("value without closing quote")
        << u"<META HTTP-EQUIV=\"version\" CONTENT=\"1.0.05>"_s << false << QString() << QString();
    QTest::newRow("CONTENT before the tag")
        << u"<META CONTENT=\"1.0.05\" HTTP-EQUIV=\"version\">"_s << false << QString() << QString();
    QTest::newRow("no META") << u"<TITLE>version 1.0.05</TITLE>"_s << false << QString()
                             << QString();
    QTest::newRow("space before the equals sign")
        << u"<META HTTP-EQUIV =\"version\" CONTENT=\"1.0.05\">"_s << false << QString()
        << QString();
}

void TestUpdateInfo::readsOneLine()
{
    QFETCH(QString, line);
    QFETCH(bool, carries);
    const std::optional<InfoLine> info = readInfoLine(line);
    QCOMPARE(info.has_value(), carries);
    if (carries) {
        QFETCH(QString, tag);
        QFETCH(QString, value);
        QCOMPARE(info->tag, tag);
        QCOMPARE(info->value, value);
    }
}

void TestUpdateInfo::readsAPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("count");

    const QString v = u"<META HTTP-EQUIV=\"version\" CONTENT=\"%1\">"_s;
    const QString u = u"<META HTTP-EQUIV=\"url\" CONTENT=\"%1\">"_s;
    QTest::newRow("LF") << v.arg(u"1.1"_s) + u"\n"_s + u.arg(u"https://h/a.exe"_s) << u"1.1"_s
                        << u"https://h/a.exe"_s << 2;
    QTest::newRow("CRLF") << v.arg(u"1.1"_s) + u"\r\n"_s + u.arg(u"https://h/a.exe"_s) << u"1.1"_s
                          << u"https://h/a.exe"_s << 2;
    QTest::newRow("CR alone") << v.arg(u"1.1"_s) + u"\r"_s + u.arg(u"https://h/b.exe"_s) << u"1.1"_s
                              << u"https://h/b.exe"_s << 2;
    QTest::newRow("repeated tag: last wins")
        << v.arg(u"1.1"_s) + u"\n"_s + v.arg(u"1.2"_s) + u"\n"_s + v.arg(u"1.0"_s) << u"1.0"_s
        << QString() << 1;
    QTest::newRow("wrong case of the tag is not the tag")
        << u"<META HTTP-EQUIV=\"VERSION\" CONTENT=\"9\">"_s << QString() << QString() << 0;
    QTest::newRow("unknown tags are dropped")
        << u"<META HTTP-EQUIV=\"colour\" CONTENT=\"blue\">\n"_s + v.arg(u"3"_s) << u"3"_s
        << QString() << 1;
    QTest::newRow("empty tag never matches the empty tenth tag")
        << u"<META HTTP-EQUIV=\"\" CONTENT=\"x.exe\">"_s << QString() << QString() << 0;
    QTest::newRow("two META on one line: the first counts")
        << v.arg(u"1"_s) + v.arg(u"2"_s) << u"1"_s << QString() << 1;
}

void TestUpdateInfo::readsAPage()
{
    QFETCH(QString, page);
    QFETCH(QString, version);
    QFETCH(QString, url);
    QFETCH(int, count);
    // The program's ten names, the tenth one empty.
    const QStringList tags = {u"author"_s, u"email"_s,    u"date"_s,      u"url"_s,     u"name"_s,
                              u"readme"_s, u"redirect"_s, u"runparams"_s, u"version"_s, QString()};
    const QHash<QString, QString> values = readInfoPage(page, tags);
    QCOMPARE(values.value(u"version"_s), version);
    QCOMPARE(values.value(u"url"_s), url);
    QCOMPARE(values.size(), count);
    QVERIFY(!values.contains(QString()));
}

void TestUpdateInfo::comparesVersions_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("newer");

    QTest::newRow("1.0.05 is newer") << u"1.0.04"_s << u"1.0.05"_s << true;
    QTest::newRow("1.1.00: first differing field decides") << u"1.0.04"_s << u"1.1.00"_s << true;
    QTest::newRow("same") << u"1.0.04"_s << u"1.0.04"_s << false;
    QTest::newRow("older 0.9.99") << u"1.0.04"_s << u"0.9.99"_s << false;
    QTest::newRow("2 is newer than 1.9.99") << u"1.9.99"_s << u"2"_s << true;
    QTest::newRow("fields compare as numbers: 1.0.4 equals 1.0.04")
        << u"1.0.04"_s << u"1.0.4"_s << false;
    QTest::newRow("1.0.10 is newer than 1.0.9") << u"1.0.9"_s << u"1.0.10"_s << true;
    // A shorter server version: its missing fields count as 0.
    QTest::newRow("shorter: 1 is not newer") << u"1.0.04"_s << u"1"_s << false;
    QTest::newRow("shorter: 1.0 is not newer") << u"1.0.04"_s << u"1.0"_s << false;
    QTest::newRow("shorter: 1.1 is newer") << u"1.0.04"_s << u"1.1"_s << true;
    QTest::newRow("shorter: 2 is newer") << u"1.0.04"_s << u"2"_s << true;
    QTest::newRow("empty is not newer") << u"1.0.04"_s << QString() << false;
    QTest::newRow("letters count 0: 1.0.x") << u"1.0.04"_s << u"1.0.x"_s << false;
    QTest::newRow("letters count 0: x.9") << u"1.0.04"_s << u"x.9"_s << false;
    QTest::newRow("running letters count 0") << u"1.0.beta"_s << u"1.0.1"_s << true;
    QTest::newRow("field too large to read counts 0")
        << u"1.0.04"_s << u"1.0.99999999999"_s << false;
    QTest::newRow("longer server version: extra fields are not looked at")
        << u"1.0.04"_s << u"1.0.04.1"_s << false;
}

void TestUpdateInfo::comparesVersions()
{
    QFETCH(QString, running);
    QFETCH(QString, server);
    QFETCH(bool, newer);
    QCOMPARE(isNewerVersion(running, server), newer);
}

void TestUpdateInfo::readsDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    QTest::newRow("Nov 07, 1999") << u"Nov 07, 1999"_s << QDate(1999, 11, 7);
    QTest::newRow("nov 07, 1999") << u"nov 07, 1999"_s << QDate(1999, 11, 7);
    QTest::newRow("NOV 7, 1999: day with a space") << u"NOV 7, 1999"_s << QDate(1999, 11, 7);
    QTest::newRow("Jan 31, 2001") << u"Jan 31, 2001"_s << QDate(2001, 1, 31);
    QTest::newRow("Dec 25, 2026") << u"Dec 25, 2026"_s << QDate(2026, 12, 25);
    QTest::newRow("long month name") << u"February 03, 2000"_s << QDate(2000, 2, 3);
    QTest::newRow("empty") << QString() << QDate();
    QTest::newRow("unknown month") << u"Xyz 07, 1999"_s << QDate();
    QTest::newRow("month straddling two names") << u"ANF 07, 1999"_s << QDate();
    QTest::newRow("no comma") << u"Nov 07 1999"_s << QDate();
    QTest::newRow("day not a number") << u"Nov ab, 1999"_s << QDate();
    QTest::newRow("day that does not exist") << u"Feb 30, 1999"_s << QDate();
    QTest::newRow("two-digit year") << u"Nov 07, 99"_s << QDate();
    QTest::newRow("signed year") << u"Nov 07, -999"_s << QDate();
    QTest::newRow("day missing") << u"Nov, 1999"_s << QDate();
}

void TestUpdateInfo::readsDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(readInfoDate(text), date);
}

void TestUpdateInfo::namesTheDownload_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain") << u"https://www.tolvane.com/dl/clvn105.exe"_s << u"clvn105.exe"_s;
    QTest::newRow("query dropped") << u"https://h/dl/clvn105.zip?from=app"_s << u"clvn105.zip"_s;
    QTest::newRow("fragment dropped") << u"https://h/dl/clvn105.zip#top"_s << u"clvn105.zip"_s;
    QTest::newRow("percent-decoded")
        << u"https://h/dl/Calvenor%20105.exe"_s << u"Calvenor 105.exe"_s;
    QTest::newRow("trailing slash names nothing") << u"https://h/dl/"_s << QString();
    QTest::newRow("dot-dot names nothing") << u"https://h/dl/.."_s << QString();
    QTest::newRow("encoded slash cannot name a folder")
        << u"https://h/dl/a%2F..%2Fb.exe"_s << u"b.exe"_s;
    QTest::newRow("backslash becomes underscore")
        << u"https://h/dl/..\\..\\x.exe"_s << u".._.._x.exe"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestUpdateInfo::namesTheDownload()
{
    QFETCH(QString, address);
    QFETCH(QString, name);
    QCOMPARE(defaultFileName(address), name);
}

QTEST_GUILESS_MAIN(TestUpdateInfo)
#include "tst_updateinfo.moc"
