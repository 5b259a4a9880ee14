// The update check end to end against HTTPS servers on 127.0.0.1 that trust
// only the test certificate in tests/app/data: what each server answer shows
// the user, and which file it leaves on disk.

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
#include <QThread>
#include <QToolButton>

#include <sys/stat.h>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

const QString kInfo = u"/info.htm"_s;
const QString kFile = u"/dl/a.exe"_s;

QByteArray testData(const char *name)
{
    QFile f(QStringLiteral(CLVN_TEST_DATA_DIR "/loopback-test.") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test %s", name);
    return f.readAll();
}

// What the server answers on one path.
struct Route
{
    enum Mode
    {
        Normal,   // with Content-Length
        NoLength, // the body ends when the connection closes
        Chunked,  // 64 KiB chunks, then the last chunk
        Silent,   // never answers
        Trickle,  // announces the body, sends `cutAt` bytes, then one byte every 100 ms
        Endless   // a body without end
    };
    int status = 200;
    QByteArray reason = "OK";
    QByteArray body = {};
    Mode mode = Normal;
    QByteArray headers = {}; // each line ending in CRLF
    // Only this much of the body is sent, then the connection drops without a TLS close.
    qsizetype cutAt = -1;
};

Route moved(const QString &to)
{
    return {.status = 302, .reason = "Found", .headers = "Location: " + to.toUtf8() + "\r\n"};
}

class Server : public QObject
{
public:
    Server() : cert(testData("crt"))
    {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(cert);
        tls.setPrivateKey(QSslKey(testData("key"), QSsl::Rsa));
        m_server.setSslConfiguration(tls);
        connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (auto *s = qobject_cast<QSslSocket *>(m_server.nextPendingConnection()))
                connect(s, &QSslSocket::readyRead, this, [this, s] { read(s); });
        });
        if (!m_server.listen(QHostAddress::LocalHost, 0))
            qFatal("cannot listen on 127.0.0.1");
    }
    QString url(const QString &path, const QString &scheme = u"https"_s) const
    {
        return scheme + u"://127.0.0.1:"_s + QString::number(m_server.serverPort()) + path;
    }
    // `text` with %PORT% and %ERROR% filled in.
    QString fill(QString text, const QString &error = {}) const
    {
        return text.replace(u"%PORT%"_s, QString::number(m_server.serverPort()))
            .replace(u"%ERROR%"_s, error);
    }
    QStringList fill(QStringList texts, const QString &error = {}) const
    {
        for (QString &t : texts)
            t = fill(t, error);
        return texts;
    }
    void trust(TWebFileInfo &info) const
    {
        info.HomeURL = QUrl(url(kInfo));
        info.setTrustedCertificates({cert});
    }
    int requests() const
    {
        int n = 0;
        for (int h : hits)
            n += h;
        return n;
    }

    const QSslCertificate cert;
    QHash<QString, Route> routes;
    QHash<QString, int> hits;

private:
    void read(QSslSocket *s)
    {
        const QByteArray request = s->peek(s->bytesAvailable());
        if (!request.contains("\r\n\r\n"))
            return;
        s->readAll();
        disconnect(s, &QSslSocket::readyRead, this, nullptr);
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        ++hits[path];
        answer(s, routes.value(path, Route{.status = 404, .reason = "Not Found", .body = "no"}));
    }

    static void answer(QSslSocket *s, const Route &r)
    {
        if (r.mode == Route::Silent)
            return;
        QByteArray data =
            "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + r.reason + "\r\n" + r.headers;
        if (r.mode == Route::Normal || r.mode == Route::Trickle)
            data += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
        if (r.mode == Route::Chunked)
            data += "Transfer-Encoding: chunked\r\n";
        data += "Connection: close\r\n\r\n";
        const bool cut = r.cutAt >= 0;
        const QByteArray body = cut ? r.body.left(r.cutAt) : r.body;
        if (r.mode != Route::Chunked)
            data += body;
        for (qsizetype at = 0; r.mode == Route::Chunked && at < body.size(); at += 64 * 1024) {
            const QByteArray piece = body.mid(at, 64 * 1024);
            data += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
        }
        if (r.mode == Route::Chunked && !cut)
            data += "0\r\n\r\n";
        s->write(data);
        if (r.mode == Route::Trickle) {
            auto *timer = new QTimer(s);
            connect(timer, &QTimer::timeout, s, [s] { s->write("x"); });
            timer->start(100);
        } else if (r.mode == Route::Endless) {
            // Keeps 256 KiB in flight while the client reads.
            connect(s, &QSslSocket::encryptedBytesWritten, s, [s] {
                if (s->encryptedBytesToWrite() + s->bytesToWrite() < 256 * 1024)
                    s->write(QByteArray(64 * 1024, 'z'));
            });
        } else if (!cut) {
            s->disconnectFromHost();
        } else {
            connect(s, &QSslSocket::encryptedBytesWritten, s, [s] {
                if (s->bytesToWrite() == 0 && s->encryptedBytesToWrite() == 0)
                    s->abort();
            });
        }
    }

    QSslServer m_server;
};

// Prepares the server and the check for one row.
using Setup = std::function<void(Server &, TWebFileInfo &)>;

Setup serve(const Route &r, const QString &path = kInfo)
{
    return [r, path](Server &s, TWebFileInfo &) { s.routes[path] = r; };
}

QByteArray page(const QString &version, const QString &url = u"https://h/dl/clvn<b>.exe"_s,
                const QString &extra = {})
{
    return (u"<HTML><HEAD>\n"
            u"<META HTTP-EQUIV=\"author\" CONTENT=\"Tolvane Software\">\n"
            u"<META HTTP-EQUIV=\"email\" CONTENT=\"support@tolvane.com\">\n"
            u"<META HTTP-EQUIV=\"date\" CONTENT=\"Nov 07, 1999\">\n"
            u"<META HTTP-EQUIV=\"name\" CONTENT=\"Calvenor\">\n"
            u"<META HTTP-EQUIV=\"readme\" CONTENT=\"<b>Faster</b>\x1b \u202Eschedules.\">\n"
            u"<META HTTP-EQUIV=\"runparams\" CONTENT=\"/silent\">\n"
            u"<META HTTP-EQUIV=\"url\" CONTENT=\""_s +
            url + u"\">\n"_s + extra + u"<META HTTP-EQUIV=\"version\" CONTENT=\""_s + version +
            u"\">\n</HEAD></HTML>\n"_s)
        .toUtf8();
}

QByteArray tagTo(const QString &to)
{
    return "<META HTTP-EQUIV=\"redirect\" CONTENT=\"" + to.toUtf8() + "\">\n" +
           "<META HTTP-EQUIV=\"version\" CONTENT=\"0.1\">\n";
}

// Every value read from the page, in declaration order; empty when none is.
QString valuesOf(const WebFileValues &v)
{
    const QString all = QStringList{v.author,
                                    v.email,
                                    v.productName,
                                    v.dateText,
                                    v.date.toString(Qt::ISODate),
                                    v.downloadUrl,
                                    v.readMe,
                                    v.readMeFileUrl,
                                    v.version,
                                    v.redirect,
                                    v.runParams,
                                    v.defaultFileName}
                            .join(u'|');
    return all.count(u'|') == all.size() ? QString() : all;
}

bool anyVisible(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName && w->isVisible())
            return true;
    return false;
}

using Answers = QList<QMessageBox::StandardButton>;

// Answers each message box in turn with `answers` (then OK or the first
// button) and the read-me window with OK; records "title | text" of each.
class Boxes : public QObject
{
public:
    explicit Boxes(Answers answers = {}) : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &Boxes::poll);
        m_timer.start(5);
    }
    QStringList texts;
    // Every box of the program itself shows its text as plain text.
    bool plain = true;

private:
    void poll()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w->property("answered").toBool())
                continue;
            auto *box = qobject_cast<QMessageBox *>(w);
            if (w->objectName() == u"frmReadMe"_s) {
                texts << w->windowTitle() + u" | "_s +
                             test::find<QPlainTextEdit>(w, u"memReadMe"_s)->toPlainText();
                QTimer::singleShot(0, test::find<QPushButton>(w, u"btnOK"_s), &QPushButton::click);
            } else if (box) {
                const QVariant own = box->property("messageText");
                texts << box->windowTitle() + u" | "_s +
                             (own.isValid() ? own.toString() : box->text());
                plain = plain && (!own.isValid() || box->textFormat() == Qt::PlainText);
                QAbstractButton *button =
                    box->button(m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst());
                QTimer::singleShot(0, button ? button : box->buttons().value(0),
                                   &QAbstractButton::click);
            } else {
                continue;
            }
            w->setProperty("answered", true);
        }
    }

    Answers m_answers;
    QTimer m_timer;
};

// What the update window showed once its check had ended.
struct Seen
{
    QString labels; // version | status | date | read-me | address
    bool ok = false, retrieve = false, hiddenStayHidden = false;
    QColor statusColour, versionColour;
};

// Opens the update window with `open`, notes what its check shows, then
// presses Retrieve Update when asked to, and Close.
Seen openUpdate(const std::function<void()> &open, bool retrieve = false)
{
    Seen seen;
    test::WindowAnswerer answer(u"frmUpdate"_s, [&seen, retrieve](QWidget *w) {
        auto *u = static_cast<TfrmUpdate *>(w);
        auto inspect = [&seen, u, retrieve](bool ok) {
            auto label = [u](const char *name) {
                return test::find<QLabel>(u, QLatin1String(name));
            };
            QStringList texts;
            for (const char *name :
                 {"lblVersion", "lblUpdateStatus", "lblDate", "lblReadMe", "lblURL"})
                texts << label(name)->text();
            seen.labels = texts.join(u" | "_s);
            seen.ok = ok;
            seen.retrieve = test::find<QPushButton>(u, u"btnRetrieveUpdate"_s)->isVisible();
            seen.hiddenStayHidden = label("lblDate")->isHidden() &&
                                    label("lblReadMe")->isHidden() && label("lblURL")->isHidden();
            seen.statusColour = label("lblUpdateStatus")->palette().color(QPalette::WindowText);
            seen.versionColour = label("lblVersion")->palette().color(QPalette::WindowText);
            QTimer::singleShot(0, u, [u, retrieve] {
                if (retrieve)
                    test::find<QPushButton>(u, u"btnRetrieveUpdate"_s)->click();
                if (u->isVisible())
                    test::find<QPushButton>(u, u"btnClose"_s)->click();
            });
        };
        if (u->checkDone())
            inspect(u->checkOk());
        else
            QObject::connect(u, &TfrmUpdate::checkFinished, u, inspect);
    });
    open();
    return seen;
}

// The main window without calculator pages, its update check on `server`.
std::function<void(MainOptions &)> on(Server &server, const Setup &setup)
{
    return [&server, setup](MainOptions &o) {
        o.makePages = [](CalculatorHost &) { return std::vector<CalculatorPage *>(); };
        o.setUpUpdateCheck = [&server, setup](TWebFileInfo &info) {
            server.trust(info);
            setup(server, info);
        };
    };
}

enum class Before
{
    Nothing,
    GoodCopy, // a file of "good copy" under the saved name
    Pipe      // a named pipe under the chosen name
};

const QString kException =
    u"Exception | Error retrieving update information.\rException: %ERROR%."_s;

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Before)

class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void check_data();
    void check();
    void escCancelsTheWait();
    void updateChecksFirst_data();
    void updateChecksFirst();
    void windowStartsUnknown();
    void window_data();
    void window();
    void reopening_data();
    void reopening();
    void download_data();
    void download();
};

void TestUpdate::initTestCase()
{
    test::pinLocale();
    QVERIFY(QSslSocket::supportsSsl());
    // The save dialog's history is this run's, never the user's.
    QVERIFY(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                .contains(u"/clvn-test-"_s));
}

void TestUpdate::check_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("atLeastMs"); // the wait must last its full time

    const QString all = u"Tolvane Software|support@tolvane.com|Calvenor|Nov 07, 1999|1999-11-07|"
                        u"https://h/dl/clvn<b>.exe|<b>Faster</b>\x1b \u202Eschedules.||1.0.05||"
                        u"/silent|clvn<b>.exe"_s;
    const QByteArray good = page(u"1.0.05"_s);
    const QByteArray cap = QByteArray(good).leftJustified(256 * 1024, ' ');
    const QByteArray over = QByteArray(good).leftJustified(256 * 1024 + 1, ' ');
    const QString tooLarge = u"The answer is larger than 256 KiB"_s;
    const QStringList failed{kException};
    auto hops = [good](int http, bool tag, Route::Mode mode) {
        return [=](Server &s, TWebFileInfo &) {
            QString from = kInfo;
            for (int i = 1; i <= http; ++i) {
                const QString to = u"/hop"_s + QString::number(i);
                s.routes[from] = moved(to);
                s.routes[from].mode = mode;
                from = to;
            }
            if (tag) {
                s.routes[from] = {.body = tagTo(u"/final"_s)};
                from = u"/final"_s;
            }
            s.routes[from] = {.body = good};
        };
    };
    auto refused = [](Server &, TWebFileInfo &info) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        info.HomeURL = QUrl(u"https://127.0.0.1:"_s + QString::number(closed.serverPort()));
    };

    QTest::newRow("every tag") << serve({.body = good}) << all << QString() << QStringList() << 1
                               << 0;
    QTest::newRow("exactly the 256 KiB cap, announced")
        << serve({.body = cap}) << all << QString() << QStringList() << 1 << 0;
    QTest::newRow("exactly the 256 KiB cap, unannounced")
        << serve({.body = cap, .mode = Route::NoLength}) << all << QString() << QStringList() << 1
        << 0;
    QTest::newRow("256 KiB + 1, announced")
        << serve({.body = over}) << QString() << tooLarge << failed << 1 << 0;
    QTest::newRow("256 KiB + 1, unannounced") << serve({.body = over, .mode = Route::NoLength})
                                              << QString() << tooLarge << failed << 1 << 0;
    QTest::newRow("empty page: nothing newer")
        << serve({}) << QString() << QString() << QStringList() << 1 << 0;
    QTest::newRow("404") << serve({.status = 404, .reason = "Not Found", .body = good}) << QString()
                         << u"Not Found"_s << QStringList{u"Calvenor | 404"_s} << 1 << 0;
    QTest::newRow("500 with an empty reason")
        << serve({.status = 500, .reason = {}, .body = good}) << QString() << u"HTTP status 500"_s
        << QStringList{u"Calvenor | 500"_s} << 1 << 0;
    QTest::newRow("204 is not a page")
        << serve({.status = 204, .reason = "No Content"}) << QString() << u"No Content"_s
        << QStringList{u"Calvenor | 204"_s} << 1 << 0;
    QTest::newRow("connection refused")
        << Setup(refused) << QString() << u"Connection refused"_s << failed << 0 << 0;
    QTest::newRow("no certificate trusted") << Setup([good](Server &s, TWebFileInfo &info) {
        s.routes[kInfo] = {.body = good};
        info.setTrustedCertificates({});
    }) << QString() << u"SSL handshake failed*"_s
                                            << failed << 0 << 0;
    QTest::newRow("silent server") << Setup([](Server &s, TWebFileInfo &info) {
        s.routes[kInfo] = {.mode = Route::Silent};
        info.limits.silenceMs = 500;
    }) << QString() << u"No answer from the server for 0.5 s"_s
                                   << failed << 1 << 500;
    QTest::newRow("trickling server") << Setup([](Server &s, TWebFileInfo &info) {
        s.routes[kInfo] = {.body = QByteArray(100000, 'x'), .mode = Route::Trickle, .cutAt = 0};
        info.limits.pageDeadlineMs = 500;
    }) << QString() << u"No complete answer within 0.5 s"_s
                                      << failed << 1 << 500;
    QTest::newRow("HTTP redirect loop") << Setup([](Server &s, TWebFileInfo &) {
        s.routes[kInfo] = moved(u"/a"_s);
        s.routes[u"/a"_s] = moved(u"/b"_s);
        s.routes[u"/b"_s] = moved(u"/a"_s);
    }) << QString() << u"Redirect loop: https://127.0.0.1:%PORT%/a was already visited"_s
                                        << failed << 3 << 0;
    QTest::newRow("page-tag redirect loop") << Setup([](Server &s, TWebFileInfo &) {
        s.routes[kInfo] = {.body = tagTo(s.url(u"/t1"_s))};
        s.routes[u"/t1"_s] = {.body = tagTo(s.url(u"/t2"_s))};
        s.routes[u"/t2"_s] = {.body = tagTo(u"/t1"_s)};
    }) << QString() << u"Redirect loop: https://127.0.0.1:%PORT%/t1 was already visited"_s
                                            << failed << 3 << 0;
    QTest::newRow("six redirects: the sixth is not followed")
        << Setup(hops(6, false, Route::Normal)) << QString() << u"More than 5 redirects"_s << failed
        << 6 << 0;
    QTest::newRow("HTTP redirect to http") << Setup([](Server &s, TWebFileInfo &) {
        s.routes[kInfo] = moved(s.url(u"/x"_s, u"http"_s));
    }) << QString() << u"Only https addresses are fetched, not http://127.0.0.1:%PORT%/x"_s
                                           << failed << 1 << 0;
    QTest::newRow("HTTP redirect to file:")
        << serve(moved(u"file:///etc/passwd"_s)) << QString()
        << u"Only https addresses are fetched, not file:///etc/passwd"_s << failed << 1 << 0;
    QTest::newRow("page tag redirect to http") << Setup([](Server &s, TWebFileInfo &) {
        s.routes[kInfo] = {.body = tagTo(s.url(u"/x"_s, u"http"_s))};
    }) << QString() << u"Only https addresses are fetched, not http://127.0.0.1:%PORT%/x"_s
                                               << failed << 1 << 0;
    QTest::newRow("home address is http") << Setup([](Server &s, TWebFileInfo &info) {
        info.HomeURL = QUrl(s.url(u"/x"_s, u"http"_s));
    }) << QString() << u"Only https addresses are fetched, not http://127.0.0.1:%PORT%/x"_s
                                          << failed << 0 << 0;
    // qCompress gives a zlib stream after a four-byte length.
    QTest::newRow("page that unpacks to 16 MiB")
        << serve({.body = qCompress(QByteArray(16 * 1024 * 1024, 'x')).mid(4),
                  .headers = "Content-Encoding: deflate\r\n"})
        << QString() << u"The answer could not be unpacked: it is too large or damaged"_s << failed
        << 1 << 0;
    QTest::newRow("one HTTP redirect")
        << Setup(hops(1, false, Route::Normal)) << all << QString() << QStringList() << 2 << 0;
    QTest::newRow("a page redirect tag")
        << Setup(hops(0, true, Route::Normal)) << all << QString() << QStringList() << 2 << 0;
    QTest::newRow("four HTTP redirects and a tag: five in all")
        << Setup(hops(4, true, Route::Normal)) << all << QString() << QStringList() << 6 << 0;
    QTest::newRow("five HTTP redirects")
        << Setup(hops(5, false, Route::Normal)) << all << QString() << QStringList() << 6 << 0;
    QTest::newRow("a redirect with an endless body")
        << Setup(hops(1, false, Route::Endless)) << all << QString() << QStringList() << 2 << 0;
    QTest::newRow("redirected page missing: nothing of the first is kept")
        << serve({.body = page(u"1.0.05"_s, u"https://h/a.exe"_s,
                               u"<META HTTP-EQUIV=\"redirect\" CONTENT=\"/gone\">\n"_s)})
        << QString() << u"Not Found"_s << QStringList{u"Calvenor | 404"_s} << 2 << 0;
    QTest::newRow("no home address")
        << Setup([](Server &, TWebFileInfo &info) { info.HomeURL = QUrl(); }) << QString()
        << QString()
        << QStringList{u"Missing Home URL | Can not retrieve version information\rbecause no "
                       u"home url was provided."_s}
        << 0 << 0;
    QTest::newRow("no tags")
        << Setup([](Server &, TWebFileInfo &info) {
               info.InfoTagNames = InfoTags{{}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
           })
        << QString() << QString()
        << QStringList{u"Missing Tag Information | Can not retrieve version information\rbecause "
                       u"no tag information was provided."_s}
        << 0 << 0;
    QTest::newRow("version with a right-to-left override")
        << serve({.body = page(u"1.0.0\u202E5"_s)}) << QString()
        << u"The update page gave an invalid version"_s << QStringList() << 1 << 0;
    QTest::newRow("version of 250 KiB of digits")
        << serve({.body = page(u"2."_s + QString(250 * 1024, u'1'))}) << QString()
        << u"The update page gave an invalid version"_s << QStringList() << 1 << 0;
}

void TestUpdate::check()
{
    QFETCH(Setup, setup);
    QFETCH(QString, error);
    QFETCH(QStringList, boxes);
    QFETCH(int, atLeastMs);
    Server server;
    TWebFileInfo info;
    server.trust(info);
    setup(server, info);
    Boxes shown;
    // Starts just past a boundary where a coarse timer would end the wait early.
    QElapsedTimer clock;
    clock.start();
    if (atLeastMs) {
        QThread::msleep(ulong(atLeastMs + 20 - clock.msecsSinceReference() % atLeastMs));
        clock.start();
    }

    const bool ok = error.isEmpty() && boxes.isEmpty();
    QCOMPARE(info.GetInfo(nullptr), ok);
    QVERIFY2(clock.elapsed() >= atLeastMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(info.state(), ok ? 1 : 0);
    QTEST(valuesOf(info.values()), "values");
    if (error.endsWith(u'*'))
        QVERIFY2(info.lastError().startsWith(error.chopped(1)), qPrintable(info.lastError()));
    else
        QCOMPARE(info.lastError(), server.fill(error));
    QCOMPARE(shown.texts, server.fill(boxes, info.lastError()));
    QTEST(server.requests(), "requests");
    QVERIFY(!anyVisible(u"frmWait"_s));
    // Requests go direct, whatever the system's proxy settings.
    if (auto *client = info.findChild<QNetworkAccessManager *>())
        QCOMPARE(client->proxy().type(), QNetworkProxy::NoProxy);
}

void TestUpdate::escCancelsTheWait()
{
    Server server;
    server.routes[kInfo] = {.mode = Route::Silent};
    TWebFileInfo info;
    server.trust(info);
    Boxes shown;
    QString wait;
    test::WindowAnswerer esc(u"frmWait"_s, [&](QWidget *w) {
        const QLabel *label = test::find<QLabel>(w, u"lblWait"_s);
        wait = w->windowTitle() + u" | "_s + label->text() +
               (label->textFormat() == Qt::PlainText ? QString() : u" (markup)"_s);
        QTimer::singleShot(0, w, [w] { QTest::keyClick(w, Qt::Key_Escape); });
    });

    QVERIFY(!info.GetInfo(nullptr));
    QCOMPARE(wait, u"Please Wait | Checking For Update..."_s);
    QVERIFY(info.lastRequestCancelled());
    QCOMPARE(info.state(), 0);
    QCOMPARE(shown.texts, QStringList());
    QVERIFY(!anyVisible(u"frmWait"_s));
}

// The update procedure on its own checks first and stops with a box.
void TestUpdate::updateChecksFirst_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("no connection")
        << Setup(
               [](Server &, TWebFileInfo &info) { info.HomeURL = QUrl(u"https://127.0.0.1:1"_s); })
        << QStringList{kException, u"Connection Error | Could not retrieve version information "
                                   u"from the Internet.\rError: \"%ERROR%.\""_s};
    QTest::newRow("same version") << serve({.body = page(u"1.0.04"_s)})
                                  << QStringList{
                                         u"No Update Found | There is no update available."_s};
}

void TestUpdate::updateChecksFirst()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, boxes);
    Server server;
    TWebFileInfo info;
    server.trust(info);
    setup(server, info);
    info.openFile = [](const QUrl &) { return true; };
    Boxes shown;

    QVERIFY(!info.Update(nullptr));
    QCOMPARE(shown.texts, server.fill(boxes, info.lastError()));
}

void TestUpdate::windowStartsUnknown()
{
    TWebFileInfo info;
    TfrmUpdate window(info);
    QCOMPARE(window.windowTitle(), u"Tolvane Software's Update Center"_s);
    const std::pair<const char *, QString> texts[] = {
        {"lblCurrentVersion", u"1.0.04"_s},
        {"lblCurrentCompileDate", u"November 7, 1999"_s},
        {"lblVersion", u"Status Unknown"_s},
        {"lblUpdateStatus", u"Update Status:  Unknown"_s},
        {"lblAppName", u" Calvenor"_s},
        {"lblDeveloper", u" Tolvane Software"_s},
        {"lblVersionCaption", u"Newest Version on Server:"_s},
        {"btnRetrieveUpdate", u" &Retrieve Update"_s},
        {"btnCheckForUpdate", u"Check for &Update"_s},
        {"btnClose", u" &Close Update Center"_s}};
    for (const auto &[name, text] : texts)
        QCOMPARE(test::find<QWidget>(&window, QLatin1String(name))->property("text"), text);
    for (const char *hidden :
         {"btnRetrieveUpdate", "btnCheckForUpdate", "lblDate", "lblReadMe", "lblURL"})
        QVERIFY2(test::find<QWidget>(&window, QLatin1String(hidden))->isHidden(), hidden);
    // Page text is never read as markup, whichever label shows it.
    for (const QLabel *label : window.findChildren<QLabel *>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
    QVERIFY(!info.hasNetworkClient());
}

void TestUpdate::window_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("retrieve");
    QTest::addColumn<QStringList>("boxes");

    const QString tail = u" | Nov 07, 1999 | <b>Faster</b> schedules. | https://h/dl/clvn<b>.exe"_s;
    const QString unknown = u"Status Unknown | Update Status:  Unknown |  |  | "_s;
    const QString none = u"No Updated Version Available"_s;
    const QString info = u"Calvenor | Get Info failed due to:\r\n"_s;
    auto refusal = [](Route r) {
        r.body = "<html>nothing here</html>";
        return serve(r);
    };
    QTest::newRow("newer, tool button")
        << serve({.body = page(u"1.0.05"_s)}) << false << u"1.0.05 | Update Information"_s + tail
        << true << QStringList();
    QTest::newRow("newer by the second field, menu")
        << serve({.body = page(u"1.1.00"_s)}) << true << u"1.1.00 | Update Information"_s + tail
        << true << QStringList();
    QTest::newRow("same version") << serve({.body = page(u"1.0.04"_s)}) << false
                                  << u"1.0.04 | "_s + none + tail << false << QStringList();
    QTest::newRow("empty version, menu") << serve({.body = page(QString())}) << true
                                         << u" | "_s + none + tail << false << QStringList();
    QTest::newRow("404") << refusal({.status = 404, .reason = "Not Found"}) << false << unknown
                         << false << QStringList{u"Calvenor | 404"_s, info + u"Not Found"_s};
    QTest::newRow("500 with markup in its reason")
        << refusal({.status = 500, .reason = "<b>Oops</b>"}) << false << unknown << false
        << QStringList{u"Calvenor | 500"_s, info + u"<b>Oops</b>"_s};
    QTest::newRow("reason with control characters")
        << refusal({.status = 404, .reason = "Not\x1b[8m Found\x7f"}) << false << unknown << false
        << QStringList{u"Calvenor | 404"_s, info + u"Not[8m Found"_s};
    // Lines are cut at 200 characters.
    const QString refused =
        u"Only https addresses are fetched, not http://a/"_s + QString(300, u'x');
    QTest::newRow("a page redirect tag of 200 KiB")
        << serve({.body = tagTo(u"http://a/"_s + QString(200 * 1024, u'x'))}) << false << unknown
        << false
        << QStringList{u"Exception | Error retrieving update information.\r"_s +
                           QString(u"Exception: "_s + refused).left(199) + u"…"_s,
                       info + refused.left(199) + u"…"_s};
}

void TestUpdate::window()
{
    QFETCH(Setup, setup);
    QFETCH(bool, menu);
    QFETCH(QStringList, boxes);
    Server server;
    test::MainFixture main(on(server, setup));
    // The network client is made on first use, not with the window.
    QCOMPARE(main.window->findChildren<QNetworkAccessManager *>().size(), 0);
    auto *item = test::find<QAction>(main.window.get(), u"mnuInternetCheckForUpdate"_s);
    QCOMPARE(item->text(), u"Check for &New Version ..."_s);
    Boxes shown;

    const Seen seen = openUpdate([&] {
        if (menu)
            item->trigger();
        else
            QTest::mouseClick(main.get<QToolButton>(u"btnUpdate"_s), Qt::LeftButton);
    });

    QTEST(seen.labels, "shown");
    QTEST(seen.retrieve, "retrieve");
    QCOMPARE(shown.texts, server.fill(boxes));
    QVERIFY(shown.plain);
    QCOMPARE(seen.ok, boxes.isEmpty());
    QVERIFY(seen.hiddenStayHidden);
    if (seen.ok) {
        QCOMPARE(seen.statusColour, QColor(Qt::red));
        QCOMPARE(seen.versionColour, QColor(Qt::blue));
    }
    // The window is active again after each box: still one request.
    QCOMPARE(server.requests(), 1);
    QVERIFY(!anyVisible(u"frmUpdate"_s) && !anyVisible(u"frmWait"_s));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestUpdate::reopening_data()
{
    QTest::addColumn<bool>("firstSucceeds");
    QTest::addColumn<int>("requests");

    QTest::newRow("after success: no second request") << true << 1;
    QTest::newRow("after failure: asks again") << false << 2;
}

void TestUpdate::reopening()
{
    QFETCH(bool, firstSucceeds);
    Server server;
    server.routes[kInfo] = {.status = firstSucceeds ? 200 : 503, .body = page(u"1.0.05"_s)};
    test::MainFixture main(on(server, [](Server &, TWebFileInfo &) {}));
    Boxes shown;

    openUpdate([&] { main.window->ShowUpdate(); });
    server.routes[kInfo].status = 200;
    const Seen seen = openUpdate([&] { main.window->ShowUpdate(); });

    QTEST(server.requests(), "requests");
    QVERIFY(seen.ok);
    QVERIFY(seen.labels.startsWith(u"1.0.05 | Update Information"_s));
    QVERIFY(seen.retrieve);
}

// From Retrieve Update: the questions, the save dialog, the download and the installer.
void TestUpdate::download_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<Before>("before");
    QTest::addColumn<QString>("chosen"); // in the save dialog
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<bool>("opens");  // the desktop starts the installer
    QTest::addColumn<bool>("cancel"); // on the progress window, once part has come
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("saved"); // the one file in the folder afterwards
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exits");

    using B = QMessageBox::StandardButton;
    const QString available =
        u"Update Available | Current version is 1.0.04.\rVersion 1.0.05 is available.\r"_s;
    const QString view = available + u"Would you like to view the ReadMe file?"_s;
    const QString fetch = available + u"Download the update?"_s;
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
    auto capped = [](Route r, qint64 cap) -> Setup {
        return [r, cap](Server &s, TWebFileInfo &info) {
            s.routes[kFile] = r;
            info.limits.maxDownloadBytes = cap;
        };
    };
    const Setup none = [](Server &, TWebFileInfo &) {};
    const Answers no{B::No, B::Yes, B::Yes};

    QTest::newRow("exactly the cap, installed: the program closes")
        << capped({.body = file}, file.size()) << Before::Nothing << u"a.exe"_s << no << true
        << false << QStringList{view, fetch, install} << u"a.exe"_s << file << true;
    QTest::newRow("read-me shown, no extension gets .EXE, install declined")
        << serve({.body = file}, kFile) << Before::Nothing << u"update"_s
        << Answers{B::Yes, B::Yes, B::No} << true << false
        << QStringList{view, u"Read Me | <b>Faster</b> schedules."_s, fetch, install}
        << u"update.EXE"_s << file << false;
    QTest::newRow("in chunks to exactly the cap, the installer does not start")
        << capped({.body = file, .mode = Route::Chunked}, file.size()) << Before::Nothing
        << u"a.exe"_s << no << false << false
        << QStringList{view, fetch, install, u"Error | Can not start program."_s} << u"a.exe"_s
        << file << false;
    QTest::newRow("no extension where update.EXE exists: asked first")
        << serve({.body = file}, kFile) << Before::GoodCopy << u"update"_s
        << Answers{B::No, B::Yes, B::Yes, B::No} << true << false
        << QStringList{view, fetch, replace(u"update.EXE"_s), install} << u"update.EXE"_s << file
        << false;
    QTest::newRow("download address is http")
        << Setup([](Server &s, TWebFileInfo &) {
               s.routes[kInfo] = {.body = page(u"1.0.05"_s, s.url(kFile, u"http"_s))};
           })
        << Before::Nothing << u"a.exe"_s << no << true << false
        << QStringList{view, fetch,
                       failed(u"Only https addresses are fetched, not "
                              u"http://127.0.0.1:%PORT%/dl/a.exe"_s)}
        << QString() << QByteArray() << false;
    QTest::newRow("download 404") << none << Before::Nothing << u"a.exe"_s << no << true << false
                                  << QStringList{view, fetch, failed(u"Not Found"_s)} << QString()
                                  << QByteArray() << false;
    QTest::newRow("100 KiB + 1 unannounced over a 100 KiB cap")
        << capped({.body = QByteArray(100 * 1024 + 1, 'x'), .mode = Route::NoLength}, 100 * 1024)
        << Before::Nothing << u"a.exe"_s << no << true << false
        << QStringList{view, fetch, failed(u"The answer is larger than 100 KiB"_s)} << QString()
        << QByteArray() << false;
    QTest::newRow("1 MiB + 1 announced over a 1 MiB cap")
        << capped({.body = QByteArray(1024 * 1024 + 1, 'x')}, 1024 * 1024) << Before::Nothing
        << u"a.exe"_s << no << true << false
        << QStringList{view, fetch, failed(u"The answer is larger than 1 MiB"_s)} << QString()
        << QByteArray() << false;
    QTest::newRow("redirected to file:")
        << serve(moved(u"file:///etc/passwd"_s), kFile) << Before::Nothing << u"a.exe"_s << no
        << true << false
        << QStringList{view, fetch,
                       failed(u"Only https addresses are fetched, not file:///etc/passwd"_s)}
        << QString() << QByteArray() << false;
    QTest::newRow("cut off without a length: the good copy stays")
        << serve({.body = QByteArray(100 * 1024, 'y'), .mode = Route::NoLength, .cutAt = 50 * 1024},
                 kFile)
        << Before::GoodCopy << u"a.exe"_s << no << true << false
        << QStringList{view, fetch, replace(u"a.exe"_s),
                       failed(u"The server did not say how large the file is, so it may be "
                              u"incomplete"_s)}
        << u"a.exe"_s << QByteArray("good copy") << false;
    QTest::newRow("the chosen name is a named pipe")
        << serve({.body = file}, kFile) << Before::Pipe << u"a.exe"_s << no << true << false
        << QStringList{view, fetch, replace(u"a.exe"_s),
                       failed(u"%DIR%/a.exe is not a regular file"_s)}
        << QString() << QByteArray() << false;
    QTest::newRow("cancelled while it arrives: no box, no file")
        << serve({.body = QByteArray(1024 * 1024, 'x'), .mode = Route::Trickle, .cutAt = 64 * 1024},
                 kFile)
        << Before::Nothing << u"a.exe"_s << Answers{B::No, B::Yes} << true << true
        << QStringList{view, fetch} << QString() << QByteArray() << false;
}

void TestUpdate::download()
{
    QFETCH(Setup, setup);
    QFETCH(Before, before);
    QFETCH(QString, chosen);
    QFETCH(Answers, answers);
    QFETCH(bool, opens);
    QFETCH(bool, cancel);
    QFETCH(QStringList, boxes);
    QFETCH(QString, saved);
    QFETCH(QByteArray, content);
    QFETCH(bool, exits);
    Server server;
    server.routes[kInfo] = {.body = page(u"1.0.05"_s, server.url(kFile))};
    QTemporaryDir target;
    if (before == Before::GoodCopy) {
        QFile old(target.filePath(saved));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("good copy") == 9);
    } else if (before == Before::Pipe) {
        QCOMPARE(::mkfifo(QFile::encodeName(target.filePath(chosen)).constData(), 0600), 0);
    }
    test::MainFixture main(on(server, setup));
    main.window->webFileInfo().openFile = [&](const QUrl &url) {
        return opens && url == QUrl::fromLocalFile(target.filePath(saved));
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
    QString progress;
    test::WindowAnswerer cancelling(u"WebDlProgress"_s, [&](QWidget *w) {
        progress = w->windowTitle() + u" | "_s +
                   test::find<QLabel>(w, u"lblDownloading"_s)->text() + u" | "_s +
                   test::find<QPushButton>(w, u"btnCancel"_s)->text();
        auto *poll = new QTimer(w);
        QObject::connect(poll, &QTimer::timeout, w, [&, w, poll] {
            const int done = test::find<QProgressBar>(w, u"pbDownload"_s)->value();
            if (!cancel || done <= 0)
                return;
            progress += u" | "_s + (done < 1000 ? u"part"_s : u"all"_s);
            poll->stop();
            test::find<QPushButton>(w, u"btnCancel"_s)->click();
        });
        poll->start(10);
    });

    openUpdate([&] { QTest::mouseClick(main.get<QToolButton>(u"btnUpdate"_s), Qt::LeftButton); },
               true);

    QCOMPARE(shown.texts, server.fill(boxes).replaceInStrings(u"%DIR%"_s, target.path()));
    QVERIFY(shown.plain);
    QCOMPARE(proposed, u"a.exe"_s);
    if (cancel)
        QCOMPARE(progress, u"Download Progress | Downloading Update | &Cancel | part"_s);
    // Nothing half-written is left behind.
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden),
             saved.isEmpty() ? QStringList() : QStringList{saved});
    QFile file(target.filePath(saved));
    QCOMPARE(!saved.isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
             content);
    QCOMPARE(main.window->isVisible(), !exits);
    // Closing through the normal path writes the settings.
    QCOMPARE(QFile::exists(main.folder() + u"/CLVN.INI"_s), exits);
    QVERIFY(!anyVisible(u"WebDlProgress"_s));
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
