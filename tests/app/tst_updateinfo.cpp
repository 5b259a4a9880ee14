// The text rules of the update check: META lines, version comparison, the
// page's date, the proposed download name and the length limits, worked out by hand.

#include "app/UpdateInfo.h"
#include "app/WebDialogs.h"

#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestUpdateInfo : public QObject
{
    Q_OBJECT

private slots:
    void readsAPage_data();
    void readsAPage();
    void comparesVersions_data();
    void comparesVersions();
    void readsDates_data();
    void readsDates();
    void namesTheDownload_data();
    void namesTheDownload();
    void limits_data();
    void limits();
};

void TestUpdateInfo::readsAPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("count");
    auto meta = [](const QString &tag, const QString &value) -> QString {
        return u"<META HTTP-EQUIV=\""_s + tag + u"\" CONTENT=\""_s + value + u"\">"_s;
    };

    const QString v = meta(u"version"_s, u"1.1"_s);
    const QString u = meta(u"url"_s, u"https://h/a.exe"_s);
    QTest::newRow("LF") << v + u"\n"_s + u << u"1.1"_s << u"https://h/a.exe"_s << 2;
    QTest::newRow("CRLF") << v + u"\r\n"_s + u << u"1.1"_s << u"https://h/a.exe"_s << 2;
    QTest::newRow("CR alone") << v + u"\r"_s + u << u"1.1"_s << u"https://h/a.exe"_s << 2;
    QTest::newRow("META words in any case")
        << u"<meta http-equiv=\"version\" CONTENT=\"1.1\">"_s << u"1.1"_s << QString() << 1;
    QTest::newRow("empty value") << meta(u"version"_s, {}) << QString() << QString() << 1;
    QTest::newRow("text around the tag")
        << u"  junk <META HTTP-EQUIV=\"url\" NAME=x CONTENT=\"https://h/a.exe\"> tail"_s
        << QString() << u"https://h/a.exe"_s << 1;
    QTest::newRow("repeated tag: last wins")
        << v + u"\n"_s + meta(u"version"_s, u"1.2"_s) + u"\n"_s + meta(u"version"_s, u"1.0"_s)
        << u"1.0"_s << QString() << 1;
    QTest::newRow("unknown tags are dropped")
        << meta(u"colour"_s, u"blue"_s) + u"\n"_s + v << u"1.1"_s << QString() << 1;
    QTest::newRow("two META on one line: the first counts")
        << meta(u"version"_s, u"1"_s) + v << u"1"_s << QString() << 1;
    const std::pair<const char *, QString> unread[] = {
        {"wrong case of the tag is not the tag", meta(u"VERSION"_s, u"9"_s)},
        {"empty tag never matches the empty tenth tag", meta({}, u"x.exe"_s)},
        {"lower-case content=", u"<META HTTP-EQUIV=\"version\" content=\"1\">"_s},
        {"tag without closing quote", u"<META HTTP-EQUIV=\"version CONTENT=1>"_s},
        {"value without closing quote", u"<META HTTP-EQUIV=\"version\" CONTENT=\"1>"_s},
        {"CONTENT before the tag", u"<META CONTENT=\"1\" HTTP-EQUIV=\"version\">"_s},
        {"no META", u"<TITLE>version 1.0.05</TITLE>"_s},
        {"space before the equals sign", u"<META HTTP-EQUIV =\"version\" CONTENT=\"1\">"_s}};
    for (const auto &[name, line] : unread)
        QTest::newRow(name) << line << QString() << QString() << 0;
}

void TestUpdateInfo::readsAPage()
{
    QFETCH(QString, page);
    // The program's ten names, the tenth one empty.
    const QHash<QString, QString> values =
        readInfoPage(page, {u"author"_s, u"email"_s, u"date"_s, u"url"_s, u"name"_s, u"readme"_s,
                            u"redirect"_s, u"runparams"_s, u"version"_s, QString()});
    QTEST(values.value(u"version"_s), "version");
    QTEST(values.value(u"url"_s), "url");
    QTEST(int(values.size()), "count");
    QVERIFY(!values.contains(QString()));
}

void TestUpdateInfo::comparesVersions_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("newer");

    // The first differing field decides, as a number; letters, fields too
    // large to read and missing fields count 0; extra fields are not read.
    const std::pair<const char *, const char *> newer[] = {
        {"1.0.04", "1.0.05"}, {"1.0.04", "1.1.00"}, {"1.9.99", "2"},
        {"1.0.9", "1.0.10"},  {"1.0.04", "1.1"},    {"1.0.beta", "1.0.1"}};
    const std::pair<const char *, const char *> notNewer[] = {
        {"1.0.04", "1.0.04"},  {"1.0.04", "0.9.99"}, {"1.0.04", "1.0.4"},
        {"1.0.04", "1"},       {"1.0.04", "1.0"},    {"1.0.04", ""},
        {"1.0.04", "1.0.x"},   {"1.0.04", "x.9"},    {"1.0.04", "1.0.99999999999"},
        {"1.0.04", "1.0.04.1"}};
    for (const auto &[running, server] : newer)
        QTest::addRow("%s < %s", running, server)
            << QString::fromLatin1(running) << QString::fromLatin1(server) << true;
    for (const auto &[running, server] : notNewer)
        QTest::addRow("%s >= '%s'", running, server)
            << QString::fromLatin1(running) << QString::fromLatin1(server) << false;
}

void TestUpdateInfo::comparesVersions()
{
    QFETCH(QString, running);
    QFETCH(QString, server);
    QTEST(isNewerVersion(running, server), "newer");
}

void TestUpdateInfo::readsDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    const std::tuple<QString, QDate> dates[] = {
        {u"Nov 07, 1999"_s, {1999, 11, 7}},  {u"nov 07, 1999"_s, {1999, 11, 7}},
        {u"NOV 7, 1999"_s, {1999, 11, 7}},   {u"Jan 31, 2001"_s, {2001, 1, 31}},
        {u"Dec 25, 2026"_s, {2026, 12, 25}}, {u"February 03, 2000"_s, {2000, 2, 3}}};
    for (const auto &[text, date] : dates)
        QTest::newRow(qPrintable(text)) << text << date;
    for (const QString &bad :
         {u""_s, u"Xyz 07, 1999"_s, u"ANF 07, 1999"_s, u"Nov 07 1999"_s, u"Nov ab, 1999"_s,
          u"Feb 30, 1999"_s, u"Nov 07, 99"_s, u"Nov 07, -999"_s, u"Nov, 1999"_s})
        QTest::newRow(qPrintable(u"no date: \""_s + bad + u'"')) << bad << QDate();
}

void TestUpdateInfo::readsDates()
{
    QFETCH(QString, text);
    QTEST(readInfoDate(text), "date");
}

void TestUpdateInfo::namesTheDownload_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");

    // Query and fragment dropped, percent-decoded; never a folder's name.
    const std::pair<const char *, const char *> names[] = {
        {"c105.exe", "c105.exe"},
        {"c105.zip?from=app", "c105.zip"},
        {"c105.zip#top", "c105.zip"},
        {"Calvenor%20105.exe", "Calvenor 105.exe"},
        {"", ""},
        {"..", ""},
        {"a%2F..%2Fb.exe", "b.exe"},
        {"..\\..\\x.exe", ".._.._x.exe"}};
    for (const auto &[path, name] : names)
        QTest::addRow("/dl/%s", path)
            << u"https://h/dl/"_s + QLatin1String(path) << QString::fromLatin1(name);
    QTest::newRow("no address") << QString() << QString();
}

void TestUpdateInfo::namesTheDownload()
{
    QFETCH(QString, address);
    QTEST(defaultFileName(address), "name");
}

void TestUpdateInfo::limits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // as a line of the update window
    QTest::addColumn<bool>("version");  // accepted as a version
    // Each limit from both sides: the longest text kept whole, one more cut or refused.
    const QString version = u"1."_s + QString(30, u'0');
    QTest::newRow("32-character version") << version << version << true;
    QTest::newRow("33-character version") << version + u'1' << version + u'1' << false;
    const QString line(200, u'x');
    QTest::newRow("200-character line") << line << line << false;
    QTest::newRow("201-character line") << line + u'y' << line.left(199) + u'…' << false;
}

void TestUpdateInfo::limits()
{
    QFETCH(QString, text);
    QTEST(shownText(text, kMaxLineLength), "shown");
    QTEST(isVersionNumber(text), "version");
}

QTEST_GUILESS_MAIN(TestUpdateInfo)
#include "tst_updateinfo.moc"
