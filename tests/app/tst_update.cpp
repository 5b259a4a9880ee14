// The update check end to end against an HTTPS server on 127.0.0.1 that only
// the test certificate in tests/app/data makes trusted: what each server
// answer shows the user, and which file it leaves on disk.

#include "app/Main.h"
#include "app/Update.h"
#include "app/WebFileInfo.h"
#include "calculators/CalculatorPage.h"
#include "tests/support/MainFixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSslKey>
#include <QSslServer>
#include <QStandardPaths>
#include <QToolButton>

#include <sys/stat.h>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

// One path's answer. Normal has a Content-Length; NoLength ends the body by
// closing; Trickle announces the body, sends `cutAt` bytes, then a byte every
// 100 ms. With `cutAt` the connection drops without a TLS close once that
// much is sent.
struct Route
{
    enum Mode
    {
        Normal,
        NoLength,
        Chunked,
        Silent,
        Trickle
    };
    QByteArray head = "200 OK"; // status and reason
    QByteArray body = {};
    Mode mode = Normal;
    QByteArray headers = {}; // each line ending in CRLF
    qsizetype cutAt = -1;
};

Route moved(const QString &to, const QByteArray &body = {})
{
    return {.head = "302 Found", .body = body, .headers = "Location: " + to.toUtf8() + "\r\n"};
}

struct Server : QObject
{
    explicit Server(QObject *parent) : QObject(parent)
    {
        QFile crt(QStringLiteral(CLVN_TEST_DATA_DIR "/loopback-test.crt"));
        QFile key(QStringLiteral(CLVN_TEST_DATA_DIR "/loopback-test.key"));
        if (!crt.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
            qFatal("missing test certificate");
        cert = QSslCertificate(crt.readAll());
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(cert);
        tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
        m_server.setSslConfiguration(tls);
        connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (auto *s = qobject_cast<QSslSocket *>(m_server.nextPendingConnection()))
                connect(s, &QSslSocket::readyRead, this, [this, s] {
                    const QByteArray request = s->peek(s->bytesAvailable());
                    if (!request.contains("\r\n\r\n"))
                        return;
                    s->readAll();
                    disconnect(s, &QSslSocket::readyRead, this, nullptr);
                    hits << QString::fromLatin1(request.split(' ').value(1));
                    answer(s, routes.value(hits.last(), {.head = "404 Not Found", .body = "no"}));
                });
        });
        if (!m_server.listen(QHostAddress::LocalHost, 0))
            qFatal("cannot listen on 127.0.0.1");
    }
    QString url(const QString &path, const QString &scheme = u"https"_s) const
    {
        return scheme + u"://127.0.0.1:"_s + QString::number(m_server.serverPort()) + path;
    }
    // Forgets the last row's routes, requests and connections.
    void reset()
    {
        routes.clear();
        hits.clear();
        qDeleteAll(m_server.findChildren<QSslSocket *>());
    }

    QSslCertificate cert;
    QHash<QString, Route> routes;
    QStringList hits; // the paths asked for
    QSslServer m_server;

    static void answer(QSslSocket *s, const Route &r)
    {
        if (r.mode == Route::Silent)
            return;
        QByteArray data = "HTTP/1.1 " + r.head + "\r\n" + r.headers;
        if (r.mode == Route::Normal || r.mode == Route::Trickle)
            data += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
        if (r.mode == Route::Chunked)
            data += "Transfer-Encoding: chunked\r\n";
        data += "Connection: close\r\n\r\n";
        const bool cut = r.cutAt >= 0;
        QByteArray body = cut ? r.body.left(r.cutAt) : r.body;
        if (r.mode == Route::Chunked) // in one chunk
            body = QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n0\r\n\r\n";
        s->write(data + body);
        if (r.mode == Route::Trickle) {
            auto *timer = new QTimer(s);
            connect(timer, &QTimer::timeout, s, [s] { s->write("x"); });
            timer->start(100);
        } else if (cut) {
            connect(s, &QSslSocket::encryptedBytesWritten, s, [s] {
                if (s->bytesToWrite() == 0 && s->encryptedBytesToWrite() == 0)
                    s->abort();
            });
        } else {
            s->disconnectFromHost();
        }
    }
};

Server *server = nullptr; // this run's, made by initTestCase
const QString kInfo = u"/info.htm"_s;
const QString kFile = u"/dl/a.exe"_s;

// Prepares the server and the check for one row.
using Setup = std::function<void(TWebFileInfo &)>;

Setup serve(const QHash<QString, Route> &routes, const WebFileLimits &limits = {})
{
    return [=](TWebFileInfo &info) {
        server->routes.insert(routes);
        info.limits = limits;
    };
}
Setup at(const Route &r, const WebFileLimits &limits = {}, const QString &path = kInfo)
{
    return serve({{path, r}}, limits);
}
Setup dl(const Route &r, const WebFileLimits &limits = {})
{
    return at(r, limits, kFile);
}
Setup home(const QString &url)
{
    return [url](TWebFileInfo &info) { info.HomeURL = QUrl(url); };
}

void prepare(TWebFileInfo &info, const Setup &setup)
{
    info.HomeURL = QUrl(server->url(kInfo));
    info.setTrustedCertificates({server->cert});
    setup(info);
}

QByteArray page(const QString &version, const QString &url = u"https://h/dl/clvn<b>.exe"_s)
{
    return "<META HTTP-EQUIV=\"author\" CONTENT=\"Tolvane Software\">\n"
           "<META HTTP-EQUIV=\"email\" CONTENT=\"support@tolvane.com\">\n"
           "<META HTTP-EQUIV=\"date\" CONTENT=\"Nov 07, 1999\">\n"
           "<META HTTP-EQUIV=\"name\" CONTENT=\"Calvenor\">\n"
           "<META HTTP-EQUIV=\"readme\" CONTENT=\"<b>Faster</b>\x1b \u202Eschedules.\">\n"
           "<META HTTP-EQUIV=\"runparams\" CONTENT=\"/silent\">\n"
           "<META HTTP-EQUIV=\"url\" CONTENT=\"" +
           url.toUtf8() + "\">\n<META HTTP-EQUIV=\"version\" CONTENT=\"" + version.toUtf8() +
           "\">\n";
}

QByteArray tagTo(const QString &to)
{
    return "<META HTTP-EQUIV=\"redirect\" CONTENT=\"" + to.toUtf8() + "\">\n";
}

using Answers = QList<QMessageBox::StandardButton>;

// Answers each message box in turn with `answers` (then OK or the first
// button) and the read-me window with OK; records "title | text" of each,
// marked when a box of the program's own could show markup.
struct Boxes : QObject
{
    explicit Boxes(Answers answers = {})
    {
        connect(&timer, &QTimer::timeout, this, [this, answers]() mutable {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                const bool readMe = w->objectName() == u"frmReadMe"_s;
                if (!(box || readMe) || !w->isVisible() || w->property("answered").toBool())
                    continue;
                w->setProperty("answered", true);
                if (readMe) {
                    texts << w->windowTitle() + u" | "_s +
                                 test::find<QPlainTextEdit>(w, u"memReadMe"_s)->toPlainText();
                    QTimer::singleShot(0, test::find<QPushButton>(w, u"btnOK"_s),
                                       &QPushButton::click);
                    continue;
                }
                const QVariant own = box->property("messageText");
                const bool rich = own.isValid() && box->textFormat() != Qt::PlainText;
                texts << box->windowTitle() + (rich ? u" (rich)"_s : QString()) + u" | "_s +
                             (own.isValid() ? own.toString() : box->text());
                QAbstractButton *b =
                    box->button(answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst());
                QTimer::singleShot(0, b ? b : box->buttons().value(0), &QAbstractButton::click);
            }
        });
        timer.start(5);
    }
    QStringList texts;
    QTimer timer;
};

// Opens the update window with `open` and returns what its check showed
// (version | status | date | read-me | address), then presses Retrieve
// Update when asked to and offered, and Close. Checks what every check
// shows alike: the fixed captions, and page text never read as markup.
QString openUpdate(const std::function<void()> &open, bool retrieve = false)
{
    QString seen;
    test::WindowAnswerer answer(u"frmUpdate"_s, [&seen, retrieve](QWidget *w) {
        auto *u = static_cast<TfrmUpdate *>(w);
        auto inspect = [&seen, u, retrieve](bool ok) {
            QStringList texts;
            for (const char *name :
                 {"lblVersion", "lblUpdateStatus", "lblDate", "lblReadMe", "lblURL",
                  "lblCurrentVersion", "lblCurrentCompileDate", "lblAppName", "lblDeveloper",
                  "lblVersionCaption", "btnRetrieveUpdate", "btnCheckForUpdate", "btnClose"})
                texts << test::find<QWidget>(u, QLatin1String(name))->property("text").toString();
            seen = texts.mid(0, 5).join(u" | "_s);
            auto *button = test::find<QPushButton>(u, u"btnRetrieveUpdate"_s);
            const bool offered = button->isVisible();
            QTimer::singleShot(0, u, [u, button, press = retrieve && offered] {
                if (press)
                    button->click();
                if (u->isVisible())
                    test::find<QPushButton>(u, u"btnClose"_s)->click();
            });
            QCOMPARE(offered, texts[1] == u"Update Information"_s);
            QCOMPARE(u->windowTitle() + u'|' + texts.mid(5).join(u'|'),
                     u"Tolvane Software's Update Center|1.0.04|November 7, 1999| Calvenor| Tolvane "
                     u"Software|Newest Version on Server:| &Retrieve Update|Check for &Update| "
                     u"&Close Update Center"_s);
            for (const char *name : {"btnCheckForUpdate", "lblDate", "lblReadMe", "lblURL"})
                QVERIFY2(test::find<QWidget>(u, QLatin1String(name))->isHidden(), name);
            for (const QLabel *l : u->findChildren<QLabel *>())
                QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
            auto colour = [u](const QString &name) {
                return test::find<QLabel>(u, name)->palette().color(QPalette::WindowText).name();
            };
            if (ok) // status in red (darkened to read), version in blue
                QCOMPARE(colour(u"lblUpdateStatus"_s) + colour(u"lblVersion"_s),
                         u"#cc0000#0000ff"_s);
        };
        if (u->checkDone())
            inspect(u->checkOk());
        else
            QObject::connect(u, &TfrmUpdate::checkFinished, u, inspect);
    });
    open();
    return seen;
}

const QString kException =
    u"Exception | Error retrieving update information.\rException: %ERROR%."_s;

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        test::pinLocale();
        QVERIFY(QSslSocket::supportsSsl());
        // The save dialog's history is this run's, never the user's.
        QVERIFY(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    .contains(u"/clvn-test-"_s));
        server = new Server(this);
    }
    void init() { server->reset(); }
    void check_data();
    void check();
    void window_data();
    void window();
};

void TestUpdate::check_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("atLeastMs"); // the wait lasts its full time
    auto row = [](const char *name, const Setup &setup, const QString &error, int requests,
                  const QStringList &boxes = {kException}, int atLeastMs = 0) {
        QTest::newRow(name) << setup << error << requests << boxes << atLeastMs;
    };
    const QByteArray good = page(u"1.0.04"_s);
    const QByteArray cap = QByteArray(good).leftJustified(256 * 1024, ' ');
    const QString tooLarge = u"The answer is larger than 256 KiB"_s;
    const QString http = server->url(u"/x"_s, u"http"_s);
    const QString invalid = u"The update page gave an invalid version"_s;
    const QString loop = u"Redirect loop: %1 was already visited"_s;
    auto hops = [good](int count, bool tag, const QByteArray &body = {}) {
        QHash<QString, Route> routes;
        QString from = kInfo;
        for (int i = 1; i <= count; ++i) {
            const QString to = u"/hop"_s + QString::number(i);
            routes[std::exchange(from, to)] = moved(to, body);
        }
        if (tag)
            routes[std::exchange(from, u"/end"_s)] = {.body = tagTo(u"/end"_s) + page(u"0.1"_s)};
        routes[from] = {.body = good};
        return serve(routes);
    };
    const Setup untrusted = [good](TWebFileInfo &info) {
        server->routes[kInfo] = {.body = good};
        info.setTrustedCertificates({});
    };
    // Checks the wait window's text, then presses Esc on it.
    const Setup esc = [](TWebFileInfo &info) {
        server->routes[kInfo] = {.mode = Route::Silent};
        (new test::WindowAnswerer(u"frmWait"_s, [](QWidget *w) {
            const QLabel *label = test::find<QLabel>(w, u"lblWait"_s);
            QTimer::singleShot(0, w, [w] { QTest::keyClick(w, Qt::Key_Escape); });
            QCOMPARE(w->windowTitle() + u" | "_s + label->text(),
                     u"Please Wait | Checking For Update..."_s);
        }))->setParent(&info);
    };
    const Setup noTags = [](TWebFileInfo &info) {
        info.InfoTagNames = InfoTags{{}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    };
    const QString missing = u" | Can not retrieve version information\rbecause no "_s;

    row("every tag", at({.body = good}), {}, 1, {});
    row("256 KiB exactly, announced", at({.body = cap}), {}, 1, {});
    row("256 KiB exactly, unannounced", at({.body = cap, .mode = Route::NoLength}), {}, 1, {});
    // Announced too large, refused before any of it is read.
    row("256 KiB + 1, announced", at({.body = cap + ' ', .cutAt = 0}), tooLarge, 1);
    row("256 KiB + 1, unannounced", at({.body = cap + ' ', .mode = Route::NoLength}), tooLarge, 1);
    row("500 with an empty reason", at({.head = "500 ", .body = good}), u"HTTP status 500"_s, 1,
        {u"Calvenor | 500"_s});
    row("204 is not a page", at({.head = "204 No Content"}), u"No Content"_s, 1,
        {u"Calvenor | 204"_s});
    row("connection refused", home(u"https://127.0.0.1:1/"_s), u"Connection refused"_s, 0);
    row("no certificate trusted", untrusted, u"SSL handshake failed*"_s, 0);
    row("silent server", at({.mode = Route::Silent}, {.silenceMs = 200}),
        u"No answer from the server for 0.2 s"_s, 1, {kException}, 200);
    row("trickling server",
        at({.body = QByteArray(100000, 'x'), .mode = Route::Trickle, .cutAt = 0},
           {.pageDeadlineMs = 200}),
        u"No complete answer within 0.2 s"_s, 1, {kException}, 200);
    row("Esc on the wait window cancels without a box", esc, u"Cancelled"_s, 1, {});
    row("HTTP redirect loop",
        serve({{kInfo, moved(u"/a"_s)}, {u"/a"_s, moved(u"/b"_s)}, {u"/b"_s, moved(u"/a"_s)}}),
        loop.arg(server->url(u"/a"_s)), 3);
    row("page-tag redirect loop",
        serve({{kInfo, {.body = tagTo(server->url(u"/t1"_s))}},
               {u"/t1"_s, {.body = tagTo(server->url(u"/t2"_s))}},
               {u"/t2"_s, {.body = tagTo(u"/t1"_s)}}}),
        loop.arg(server->url(u"/t1"_s)), 3);
    row("six redirects: the sixth is not followed", hops(6, false), u"More than 5 redirects"_s, 6);
    row("four HTTP redirects and a tag: five in all", hops(4, true), {}, 6, {});
    row("five HTTP redirects", hops(5, false), {}, 6, {});
    row("a redirect's body is not read", hops(1, false, QByteArray(300 * 1024, 'z')), {}, 2, {});
    row("HTTP redirect to http", at(moved(http)),
        u"Only https addresses are fetched, not "_s + http, 1);
    // qCompress gives a zlib stream after a four-byte length.
    row("page that unpacks to 16 MiB",
        at({.body = qCompress(QByteArray(16 << 20, 'x')).mid(4),
            .headers = "Content-Encoding: deflate\r\n"}),
        u"The answer could not be unpacked: it is too large or damaged"_s, 1);
    row("redirected page missing: nothing of the first is kept",
        at({.body = tagTo(u"/gone"_s) + page(u"1.0.05"_s)}), u"Not Found"_s, 2,
        {u"Calvenor | 404"_s});
    row("no home address", home({}), {}, 0,
        {u"Missing Home URL"_s + missing + u"home url was provided."_s});
    row("no tags", noTags, {}, 0,
        {u"Missing Tag Information"_s + missing + u"tag information was provided."_s});
    row("version with an RTL override", at({.body = page(u"1.0.0\u202E5"_s)}), invalid, 1, {});
    row("250 KiB version", at({.body = page(u"2."_s + QString(250 * 1024, u'1'))}), invalid, 1, {});
}

void TestUpdate::check()
{
    QFETCH(Setup, setup);
    QFETCH(QString, error);
    QFETCH(QStringList, boxes);
    QFETCH(int, atLeastMs);
    QFETCH(int, requests);
    TWebFileInfo info;
    prepare(info, setup);
    Boxes shown;
    QElapsedTimer clock; // started just past where a coarse timer would end a wait early
    clock.start();
    if (atLeastMs)
        QTest::qSleep(int(atLeastMs + 20 - clock.msecsSinceReference() % atLeastMs));
    clock.start();

    // The update procedure checks first, and stops there with a box.
    const bool ok = error.isEmpty() && boxes.isEmpty();
    QVERIFY(!info.Update(nullptr));
    QVERIFY2(clock.elapsed() >= atLeastMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(info.state(), ok ? 1 : 0);
    // Every value read, in declaration order; none after a failure.
    const WebFileValues &v = info.values();
    QCOMPARE(
        QStringList({v.author, v.email, v.productName, v.dateText, v.date.toString(Qt::ISODate),
                     v.downloadUrl, v.readMe, v.readMeFileUrl, v.version, v.redirect, v.runParams,
                     v.defaultFileName})
            .join(u'|'),
        ok ? u"Tolvane Software|support@tolvane.com|Calvenor|Nov 07, 1999|1999-11-07|https://h/dl/clvn<b>.exe|<b>Faster</b>\x1b \u202Eschedules.||1.0.04||/silent|clvn<b>.exe"_s
           : QString(11, u'|'));
    const QString last = info.lastError(); // a trailing * stands for any text
    QCOMPARE(error.endsWith(u'*') ? last.left(error.size() - 1) + u'*' : last, error);
    QCOMPARE(info.lastRequestCancelled(), error == u"Cancelled"_s);
    boxes << (ok ? u"No Update Found | There is no update available."_s
                 : u"Connection Error | Could not retrieve version information from the "
                   u"Internet.\r"_s +
                       (error.isEmpty() ? u"Error unknown."_s : u"Error: \"%ERROR%.\""_s));
    QCOMPARE(shown.texts, boxes.replaceInStrings(u"%ERROR%"_s, info.lastError()));
    if (!info.lastRequestCancelled()) // Esc may come before the request is sent
        QCOMPARE(server->hits.size(), requests);
    if (!info.lastRequestCancelled() && !atLeastMs) { // asked again: anew only after a failure
        QVERIFY(!info.Update(nullptr));
        QCOMPARE(server->hits.size(), (ok ? 1 : 2) * requests);
    }
    for (const QWidget *w : QApplication::topLevelWidgets()) // the wait window is gone
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    if (auto *client = info.findChild<QNetworkAccessManager *>()) // requests go direct
        QCOMPARE(client->proxy().type(), QNetworkProxy::NoProxy);
}

// From the main window: what the check shows; then from Retrieve Update the
// questions, the save dialog, the download and the installer.
void TestUpdate::window_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("saved"); // the one file in the folder afterwards
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("before"); // a file saved earlier, or "|": a named pipe
    QTest::addColumn<QString>("chosen");    // in the save dialog; none: opened from the menu
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<bool>("installs"); // the desktop starts it and the program closes
    using B = QMessageBox::StandardButton;
    const QString offered =
        u"1.0.05 | Update Information | Nov 07, 1999 | <b>Faster</b> schedules. | "_s;
    auto look = [](const char *name, const Setup &setup, const QString &shown,
                   const QStringList &boxes = {}) {
        QTest::newRow(name) << setup << shown << boxes << QString() << QByteArray() << QByteArray()
                            << QString() << Answers() << false;
    };
    auto fetch = [offered](const char *name, const Setup &setup, const QStringList &boxes,
                           const QString &saved = {}, const QByteArray &content = {},
                           bool installs = false, const QByteArray &before = {},
                           const QString &chosen = u"a.exe"_s,
                           const Answers &answers = {B::No, B::Yes, B::Yes}) {
        QTest::newRow(name) << setup << offered + server->url(kFile) << boxes << saved << content
                            << before << chosen << answers << installs;
    };
    const QString rest = u" | Nov 07, 1999 | <b>Faster</b> schedules. | https://h/dl/clvn<b>.exe"_s;
    const QString unknown = u"Status Unknown | Update Status:  Unknown |  |  | "_s;
    const QString getInfo = u"Calvenor | Get Info failed due to:\r\n"_s;
    // Lines are cut at 200 characters.
    const QString refused =
        u"Only https addresses are fetched, not http://a/"_s + QString(300, u'x');

    look("same version", at({.body = page(u"1.0.04"_s)}),
         u"1.0.04 | No Updated Version Available"_s + rest);
    look("empty version", at({.body = page(QString())}),
         u" | No Updated Version Available"_s + rest);
    look("404: nothing of its page is read", at({.head = "404 Not Found", .body = page(u"2"_s)}),
         unknown, {u"Calvenor | 404"_s, getInfo + u"Not Found"_s});
    look("reason with markup and control characters",
         at({.head = "500 <b>Oops</b>\x1b[8m\x7f", .body = "<html>nothing here</html>"}), unknown,
         {u"Calvenor | 500"_s, getInfo + u"<b>Oops</b>[8m"_s});
    look("a page redirect tag of 200 KiB",
         at({.body = tagTo(u"http://a/"_s + QString(200 * 1024, u'x'))}), unknown,
         {u"Exception | Error retrieving update information.\r"_s +
              QString(u"Exception: "_s + refused).left(199) + u"…"_s,
          getInfo + refused.left(199) + u"…"_s});

    const QString available =
        u"Update Available | Current version is 1.0.04.\rVersion 1.0.05 is available.\r"_s;
    const QString view = available + u"Would you like to view the ReadMe file?"_s;
    const QString get = available + u"Download the update?"_s;
    const QString install =
        u"Install Update | Do you want to install the update now?\rThis will close Calvenor."_s;
    auto replace = [](const QString &name) -> QString {
        return u"Save As | "_s + name + u" already exists.\nDo you want to replace it?"_s;
    };
    auto failed = [](const QString &error) -> QString {
        return u"Download Error | Error occurred while downloading update.\rError: \""_s + error +
               u".\""_s;
    };
    // Larger than the page cap: downloads have their own.
    QByteArray file(300 * 1024, '\0');
    for (int i = 0; i < file.size(); ++i)
        file[i] = char(i * 7 % 251);
    const WebFileLimits fits{.maxDownloadBytes = file.size()};
    const QString http = server->url(kFile, u"http"_s);

    fetch("exactly the cap: installed, the program closes", dl({.body = file}, fits),
          {view, get, install}, u"a.exe"_s, file, true);
    fetch("in chunks to exactly the cap: the installer does not start",
          dl({.body = file, .mode = Route::Chunked}, fits),
          {view, get, install, u"Error | Can not start program."_s}, u"a.exe"_s, file);
    fetch("read-me; .EXE added, replacing asked; install declined", dl({.body = file}),
          {view, u"Read Me | <b>Faster</b> schedules."_s, get, replace(u"update.EXE"_s), install},
          u"update.EXE"_s, file, false, "good copy", u"update"_s, {B::Yes, B::Yes, B::Yes, B::No});
    fetch("download redirected to http", dl(moved(http)),
          {view, get, failed(u"Only https addresses are fetched, not "_s + http)});
    fetch("download 404", dl({.head = "404 Not Found"}), {view, get, failed(u"Not Found"_s)});
    fetch("100 KiB + 1 unannounced over a 100 KiB cap",
          dl({.body = QByteArray(100 * 1024 + 1, 'x'), .mode = Route::NoLength},
             {.maxDownloadBytes = 100 * 1024}),
          {view, get, failed(u"The answer is larger than 100 KiB"_s)});
    fetch("1 MiB + 1 announced over a 1 MiB cap",
          dl({.body = QByteArray((1 << 20) + 1, 'x'), .cutAt = 0}, {.maxDownloadBytes = 1 << 20}),
          {view, get, failed(u"The answer is larger than 1 MiB"_s)});
    fetch("cut off without a length: the good copy stays",
          dl({.body = QByteArray(100 * 1024, 'y'), .mode = Route::NoLength, .cutAt = 50 * 1024}),
          {view, get, replace(u"a.exe"_s),
           failed(u"The server did not say how large the file is, so it may be incomplete"_s)},
          u"a.exe"_s, "good copy", false, "good copy");
    fetch("the chosen name is a named pipe", dl({.body = file}),
          {view, get, replace(u"a.exe"_s), failed(u"%DIR%/a.exe is not a regular file"_s)}, {}, {},
          false, "|");
    // Cancelled on the progress window once part has come.
    const Setup cancel = [](TWebFileInfo &info) {
        dl({.body = QByteArray(1 << 20, 'x'), .mode = Route::Trickle, .cutAt = 64 * 1024})(info);
        (new test::WindowAnswerer(u"WebDlProgress"_s, [](QWidget *w) {
            QCOMPARE(w->windowTitle() + u" | "_s +
                         test::find<QLabel>(w, u"lblDownloading"_s)->text() + u" | "_s +
                         test::find<QPushButton>(w, u"btnCancel"_s)->text(),
                     u"Download Progress | Downloading Update | &Cancel"_s);
            auto *poll = new QTimer(w);
            QObject::connect(poll, &QTimer::timeout, w, [w, poll] {
                const int done = test::find<QProgressBar>(w, u"pbDownload"_s)->value();
                if (done > 0 && done < 1000) {
                    poll->stop();
                    test::find<QPushButton>(w, u"btnCancel"_s)->click();
                }
            });
            poll->start(10);
        }))->setParent(&info);
    };
    fetch("cancelled while it arrives: no box, no file", cancel, {view, get}, {}, {}, false, {},
          u"a.exe"_s, {B::No, B::Yes});
}

void TestUpdate::window()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, boxes);
    QFETCH(QString, saved);
    QFETCH(QByteArray, before);
    QFETCH(QString, chosen);
    QFETCH(Answers, answers);
    QFETCH(bool, installs);
    QTemporaryDir target;
    if (before == "|")
        QCOMPARE(::mkfifo(QFile::encodeName(target.filePath(chosen)).constData(), 0600), 0);
    else if (!before.isEmpty())
        QVERIFY(test::writeBytes(target.filePath(saved), before));
    test::MainFixture main([setup](MainOptions &o) { // no calculator pages
        o.makePages = [](CalculatorHost &) { return std::vector<CalculatorPage *>(); };
        o.setUpUpdateCheck = [setup](TWebFileInfo &info) {
            server->routes[kInfo] = {.body = page(u"1.0.05"_s, server->url(kFile))};
            prepare(info, setup);
        };
    });
    // The network client is made on first use, not with the window.
    QCOMPARE(main.window->findChildren<QNetworkAccessManager *>().size(), 0);
    auto *item = test::find<QAction>(main.window.get(), u"mnuInternetCheckForUpdate"_s);
    QCOMPARE(item->text(), u"Check for &New Version ..."_s);
    main.window->webFileInfo().openFile = [&](const QUrl &url) {
        return installs && url == QUrl::fromLocalFile(target.filePath(saved));
    };
    Boxes shown(answers);
    QString proposed;
    test::WindowAnswerer save(u"SaveDialog1"_s, [&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->setDirectory(target.path());
        dialog->selectFile(target.filePath(chosen));
        QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); });
    });
    const QString seen = openUpdate(
        [&] {
            if (chosen.isEmpty())
                item->trigger();
            else
                QTest::mouseClick(main.get<QToolButton>(u"btnUpdate"_s), Qt::LeftButton);
        },
        true);

    QTEST(seen, "shown");
    QCOMPARE(shown.texts, boxes.replaceInStrings(u"%DIR%"_s, target.path()));
    // The window is active again after each box: still one request.
    QCOMPARE(server->hits.count(kInfo), 1);
    QCOMPARE(proposed, chosen.isEmpty() ? QString() : u"a.exe"_s);
    // Nothing half-written is left behind.
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden),
             saved.isEmpty() ? QStringList() : QStringList{saved});
    QTEST(saved.isEmpty() ? QByteArray() : test::readBytes(target.filePath(saved)), "content");
    QCOMPARE(main.window->isVisible(), !installs);
    // Closing through the normal path writes the settings.
    QCOMPARE(QFile::exists(main.folder() + u"/CLVN.INI"_s), installs);
    for (const QWidget *w : QApplication::topLevelWidgets()) // every other window is gone
        QVERIFY2(!w->isVisible() || w == main.window.get(), qPrintable(w->objectName()));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
