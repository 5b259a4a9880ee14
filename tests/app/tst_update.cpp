// The update check end to end against HTTPS servers run inside this test on
// 127.0.0.1 with a test-only self-signed certificate (tests/app/data) that
// the client is told to trust. Nothing outside the loopback address is
// contacted.

#include "app/Main.h"
#include "app/Update.h"
#include "app/WebFileInfo.h"
#include "calculators/CalculatorPage.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include <sys/stat.h>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

QSslCertificate testCertificate()
{
    QFile f(QStringLiteral(CLVN_TEST_DATA_DIR "/loopback-test.crt"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("test certificate missing");
    return QSslCertificate(f.readAll(), QSsl::Pem);
}

QSslKey testKey()
{
    QFile f(QStringLiteral(CLVN_TEST_DATA_DIR "/loopback-test.key"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("test key missing");
    return QSslKey(f.readAll(), QSsl::Rsa, QSsl::Pem);
}

// What the server answers on one path.
struct Route
{
    enum Mode
    {
        Normal,   // status line, headers, Content-Length, body
        NoLength, // no Content-Length: the body ends when the connection closes
        Silent,   // accepts the request and never answers
        Trickle,  // announces a large body and sends one byte every 100 ms
        Hold,     // sends the headers and the first 64 KiB, then nothing
        Chunked,  // Transfer-Encoding: chunked, 64 KiB a chunk, then the last chunk
        Endless   // a body without end, for 10 s at most
    };
    int status = 200;
    QByteArray reason = "OK";
    QByteArray body;
    QByteArray location;
    Mode mode = Normal;
    // More header lines, each ending in CRLF.
    QByteArray headers;
    // When set, only this much of the body is sent, then the connection drops
    // without a TLS close.
    qsizetype cutAt = -1;
};

// A small HTTPS server on 127.0.0.1 with an ephemeral port.
class TestServer : public QObject
{
public:
    TestServer()
    {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(testCertificate());
        tls.setPrivateKey(testKey());
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        m_server.setSslConfiguration(tls);
        m_server.setHandshakeTimeout(5000);
        connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, &TestServer::accept);
        if (!m_server.listen(QHostAddress::LocalHost, 0))
            qFatal("cannot listen on 127.0.0.1");
    }
    ~TestServer() override
    {
        for (const QPointer<QSslSocket> &s : m_sockets)
            delete s.data();
    }

    QString url(const QString &path) const
    {
        return u"https://127.0.0.1:"_s + QString::number(m_server.serverPort()) + path;
    }
    // The expected text with %PORT% filled in.
    QString fill(QString text) const
    {
        return text.replace(u"%PORT%"_s, QString::number(m_server.serverPort()));
    }
    Route &route(const QString &path) { return m_routes[path]; }
    int hits(const QString &path) const { return m_hits.value(path); }
    int totalHits() const
    {
        int n = 0;
        for (int h : m_hits)
            n += h;
        return n;
    }

private:
    void accept()
    {
        while (QTcpSocket *tcp = m_server.nextPendingConnection()) {
            auto *socket = qobject_cast<QSslSocket *>(tcp);
            QVERIFY(socket);
            m_sockets << socket;
            connect(socket, &QSslSocket::readyRead, this, [this, socket] { read(socket); });
        }
    }

    void read(QSslSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> first = buffer.left(buffer.indexOf("\r\n")).split(' ');
        buffer.clear();
        const QString path = QString::fromLatin1(first.value(1));
        ++m_hits[path];
        const Route route =
            m_routes.value(path, Route{404, "Not Found", "missing", {}, {}, {}, -1});
        answer(socket, route);
    }

    static QByteArray head(const Route &r, qint64 length)
    {
        QByteArray h = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + r.reason + "\r\n";
        if (!r.location.isEmpty())
            h += "Location: " + r.location + "\r\n";
        if (length >= 0)
            h += "Content-Length: " + QByteArray::number(length) + "\r\n";
        if (r.mode == Route::Chunked)
            h += "Transfer-Encoding: chunked\r\n";
        return h + r.headers + "Connection: close\r\n\r\n";
    }

    // Writes `data`, then closes cleanly, or drops the connection once all
    // of it has left when the body is cut.
    static void send(QSslSocket *socket, const QByteArray &data, bool cut)
    {
        socket->write(data);
        if (!cut) {
            socket->disconnectFromHost();
            return;
        }
        connect(socket, &QSslSocket::encryptedBytesWritten, socket, [socket] {
            if (socket->bytesToWrite() == 0 && socket->encryptedBytesToWrite() == 0)
                socket->abort();
        });
    }

    void answer(QSslSocket *socket, const Route &r)
    {
        const bool cut = r.cutAt >= 0;
        const QByteArray body = cut ? r.body.left(r.cutAt) : r.body;
        switch (r.mode) {
        case Route::Normal:
            send(socket, head(r, r.body.size()) + body, cut);
            break;
        case Route::NoLength:
            send(socket, head(r, -1) + body, cut);
            break;
        case Route::Chunked: {
            QByteArray chunks;
            for (qsizetype at = 0; at < body.size(); at += 64 * 1024) {
                const QByteArray piece = body.mid(at, 64 * 1024);
                chunks += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
            }
            send(socket, head(r, -1) + chunks + (cut ? QByteArray() : "0\r\n\r\n"), cut);
            break;
        }
        case Route::Endless: {
            // Keeps 256 KiB in flight while the client reads.
            socket->write(head(r, -1));
            auto feed = [socket] {
                if (socket->encryptedBytesToWrite() + socket->bytesToWrite() < 256 * 1024)
                    socket->write(QByteArray(64 * 1024, 'z'));
            };
            connect(socket, &QSslSocket::encryptedBytesWritten, socket, feed);
            feed();
            QTimer::singleShot(10000, socket, &QSslSocket::abort);
            break;
        }
        case Route::Silent:
            break;
        case Route::Trickle: {
            socket->write(head(r, 100000));
            auto *timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            timer->start(100);
            break;
        }
        case Route::Hold: {
            // In pieces, as a real server's data arrives, then nothing more.
            socket->write(head(r, r.body.size()));
            auto *timer = new QTimer(socket);
            auto sent = std::make_shared<qsizetype>(0);
            connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body = r.body] {
                socket->write(body.mid(*sent, 8 * 1024));
                *sent += 8 * 1024;
                if (*sent >= 64 * 1024)
                    timer->stop();
            });
            timer->start(20);
            break;
        }
        }
    }

    QSslServer m_server;
    QHash<QString, Route> m_routes;
    QHash<QString, int> m_hits;
    QHash<QSslSocket *, QByteArray> m_buffers;
    QList<QPointer<QSslSocket>> m_sockets;
};

struct Box
{
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

// Answers every message box as it opens, in order, with the scripted
// buttons (then OK or the first button), and records title and text.
class BoxScript : public QObject
{
public:
    explicit BoxScript(QList<QMessageBox::StandardButton> answers = {})
        : m_answers(std::move(answers))
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &BoxScript::poll);
        m_timer.start();
    }
    QList<Box> boxes;
    QStringList titlesAndTexts() const
    {
        QStringList out;
        for (const Box &b : boxes)
            out << b.title + u" | "_s + b.text;
        return out;
    }

private:
    void poll()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible() || box->property("answered").toBool())
                continue;
            box->setProperty("answered", true);
            const QVariant message = box->property("messageText");
            boxes << Box{box->windowTitle(), message.isValid() ? message.toString() : box->text(),
                         box->textFormat()};
            const QMessageBox::StandardButton want =
                m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
            QAbstractButton *button = box->button(want);
            if (!button)
                button = box->buttons().value(0);
            QTimer::singleShot(0, button, &QAbstractButton::click);
        }
    }

    QList<QMessageBox::StandardButton> m_answers;
    QTimer m_timer;
};

QString page(const QString &version, const QString &url = u"https://127.0.0.1/dl/clvn105.exe"_s,
             const QString &extra = {})
{
    return u"<HTML><HEAD>\n"
           u"<META HTTP-EQUIV=\"author\" CONTENT=\"Tolvane Software\">\n"
           u"<META HTTP-EQUIV=\"email\" CONTENT=\"support@tolvane.com\">\n"
           u"<META HTTP-EQUIV=\"date\" CONTENT=\"Nov 07, 1999\">\n"
           u"<META HTTP-EQUIV=\"name\" CONTENT=\"Calvenor\">\n"
           u"<META HTTP-EQUIV=\"readme\" CONTENT=\"Faster schedules.\">\n"
           u"<META HTTP-EQUIV=\"runparams\" CONTENT=\"/silent\">\n"
           u"<META HTTP-EQUIV=\"url\" CONTENT=\""_s +
           url + u"\">\n"_s + extra + u"<META HTTP-EQUIV=\"version\" CONTENT=\""_s + version +
           u"\">\n</HEAD></HTML>\n"_s;
}

QByteArray bytes(const QString &s)
{
    return s.toUtf8();
}

const QString kInfo = u"/info.htm"_s;

WebFileLimits shortLimits()
{
    WebFileLimits l;
    l.silenceMs = 2000;
    l.pageDeadlineMs = 4000;
    return l;
}

// A page that contributes nothing, so the main window builds fast.
std::vector<CalculatorPage *> noPages(CalculatorHost &)
{
    return {};
}

bool anyVisible(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName && w->isVisible())
            return true;
    return false;
}

} // namespace

class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void readsThePage_data();
    void readsThePage();
    void httpFailures_data();
    void httpFailures();
    void transportFailures_data();
    void transportFailures();
    void followsRedirects_data();
    void followsRedirects();
    void failedRedirectedFetchIsAFailure();
    void fetchesOncePerRun();
    void escCancelsTheWait();
    void missingConfiguration_data();
    void missingConfiguration();
    void updateProcedureChecksFirst_data();
    void updateProcedureChecksFirst();

    void windowStartsUnknown();
    void windowShowsTheCheck_data();
    void windowShowsTheCheck();
    void windowReportsFailures_data();
    void windowReportsFailures();
    void reopening_data();
    void reopening();
    void download_data();
    void download();
    void downloadFailures_data();
    void downloadFailures();
    void downloadCancelled();

private:
    std::unique_ptr<TfrmMain> makeMain(TestServer &server, const QString &folder,
                                       const WebFileLimits &limits = {});
    QSslCertificate m_cert;
};

void TestUpdate::initTestCase()
{
    // The save dialog keeps its history in the user's configuration: this
    // test reads and writes its own.
    QStandardPaths::setTestModeEnabled(true);
    test::pinLocale();
    QVERIFY(QSslSocket::supportsSsl());
    m_cert = testCertificate();
    QVERIFY(!m_cert.isNull());
}

std::unique_ptr<TfrmMain> TestUpdate::makeMain(TestServer &server, const QString &folder,
                                               const WebFileLimits &limits)
{
    MainOptions options;
    options.programFolder = folder;
    options.closeDraw = [] { return 1; };
    options.makePages = noPages;
    options.setUpUpdateCheck = [&, limits](TWebFileInfo &info) {
        info.HomeURL = QUrl(server.url(kInfo));
        info.limits = limits;
        info.setTrustedCertificates({m_cert});
    };
    return std::make_unique<TfrmMain>(options);
}

// ---------------------------------------------------------------------------
// The information page as the component reads it.

void TestUpdate::readsThePage_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("readMe");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("lastError");

    const QDate nov7(1999, 11, 7);
    QTest::newRow("every tag") << page(u"1.0.05"_s) << true << u"1.0.05"_s << u"Nov 07, 1999"_s
                               << nov7 << u"Faster schedules."_s << u"clvn105.exe"_s << QString();
    QTest::newRow("missing tags") << u"<META HTTP-EQUIV=\"version\" CONTENT=\"1.1\">\n"_s << true
                                  << u"1.1"_s << QString() << QDate() << QString() << QString()
                                  << QString();
    QTest::newRow("CRLF lines") << page(u"1.0.05"_s).replace(u"\n"_s, u"\r\n"_s) << true
                                << u"1.0.05"_s << u"Nov 07, 1999"_s << nov7
                                << u"Faster schedules."_s << u"clvn105.exe"_s << QString();
    QTest::newRow("repeated tag: last wins")
        << page(u"1.0.05"_s, u"https://127.0.0.1/dl/clvn105.exe"_s,
                u"<META HTTP-EQUIV=\"readme\" CONTENT=\"Second word.\">\n"_s)
        << true << u"1.0.05"_s << u"Nov 07, 1999"_s << nov7 << u"Second word."_s << u"clvn105.exe"_s
        << QString();
    QTest::newRow("empty HTTP-EQUIV is not the empty tenth tag")
        << page(u"1.0.05"_s, u"https://127.0.0.1/dl/clvn105.exe"_s,
                u"<META HTTP-EQUIV=\"\" CONTENT=\"https://127.0.0.1/evil.exe\">\n"_s)
        << true << u"1.0.05"_s << u"Nov 07, 1999"_s << nov7 << u"Faster schedules."_s
        << u"clvn105.exe"_s << QString();
    QTest::newRow("malformed date")
        << page(u"1.0.05"_s).replace(u"Nov 07, 1999"_s, u"Smarch 1999"_s) << true << u"1.0.05"_s
        << u"Smarch 1999"_s << QDate() << u"Faster schedules."_s << u"clvn105.exe"_s << QString();
    // A page without a version is read: there is nothing newer on it.
    QTest::newRow("lower-case content= gives no version")
        << page(u"1.0.05"_s).replace(u"CONTENT="_s, u"content="_s) << true << QString() << QString()
        << QDate() << QString() << QString() << QString();
    QTest::newRow("version without closing quote")
        << u"<META HTTP-EQUIV=\"version\" CONTENT=\"1.0.05>\n"_s << true << QString() << QString()
        << QDate() << QString() << QString() << QString();
    QTest::newRow("empty page") << QString() << true << QString() << QString() << QDate()
                                << QString() << QString() << QString();
    QTest::newRow("version with a right-to-left override")
        << page(u"1.0.0\u202E5"_s) << false << QString() << QString() << QDate() << QString()
        << QString() << u"The update page gave an invalid version"_s;
}

void TestUpdate::readsThePage()
{
    QFETCH(QString, body);
    QFETCH(bool, ok);
    TestServer server;
    server.route(kInfo).body = bytes(body);
    TWebFileInfo info;
    info.HomeURL = QUrl(server.url(kInfo));
    info.setTrustedCertificates({m_cert});
    BoxScript boxes;

    QCOMPARE(info.GetInfo(nullptr), ok);
    QCOMPARE(info.state(), ok ? 1 : 0);
    QTEST(info.values().version, "version");
    QTEST(info.values().dateText, "dateText");
    QTEST(info.values().date, "date");
    QTEST(info.values().readMe, "readMe");
    QTEST(info.values().defaultFileName, "fileName");
    QTEST(info.lastError(), "lastError");
    QVERIFY(info.values().readMeFileUrl.isEmpty());
    QCOMPARE(boxes.titlesAndTexts(), QStringList());
    QCOMPARE(server.hits(kInfo), 1);
    if (qstrcmp(QTest::currentDataTag(), "every tag") == 0) {
        QCOMPARE(info.values().author, u"Tolvane Software"_s);
        QCOMPARE(info.values().email, u"support@tolvane.com"_s);
        QCOMPARE(info.values().productName, u"Calvenor"_s);
        QCOMPARE(info.values().runParams, u"/silent"_s);
        QCOMPARE(info.values().downloadUrl, u"https://127.0.0.1/dl/clvn105.exe"_s);
        QVERIFY(info.isNewer(info.values().version));
    }
}

// Failures the server reports with an HTTP status: the status box comes first.
void TestUpdate::httpFailures_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    QTest::addColumn<QString>("lastError");

    QTest::newRow("404") << 404 << QByteArray("Not Found") << u"Not Found"_s;
    QTest::newRow("500") << 500 << QByteArray("Internal Server Error")
                         << u"Internal Server Error"_s;
    QTest::newRow("500 with an empty reason phrase") << 500 << QByteArray() << u"HTTP status 500"_s;
    QTest::newRow("204 is not a page") << 204 << QByteArray("No Content") << u"No Content"_s;
}

void TestUpdate::httpFailures()
{
    QFETCH(int, status);
    QFETCH(QByteArray, reason);
    QFETCH(QString, lastError);
    TestServer server;
    Route &r = server.route(kInfo);
    r.status = status;
    r.reason = reason;
    r.body = status == 204 ? QByteArray() : bytes(page(u"9.9"_s));
    TWebFileInfo info;
    info.HomeURL = QUrl(server.url(kInfo));
    info.setTrustedCertificates({m_cert});
    BoxScript boxes;

    QVERIFY(!info.GetInfo(nullptr));
    QCOMPARE(info.state(), 0);
    QCOMPARE(info.lastError(), lastError);
    QVERIFY(info.values().version.isEmpty());
    QCOMPARE(boxes.titlesAndTexts(), QStringList{u"Calvenor | "_s + QString::number(status)});
    QVERIFY(!anyVisible(u"frmWait"_s));
}

// Failures below HTTP: each ends in the "Exception" box with its reason.
void TestUpdate::transportFailures_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("lastError");

    QTest::newRow("connection refused") << u"refused"_s << u"Connection refused"_s;
    QTest::newRow("no certificate trusted") << u"untrusted"_s << u"SSL handshake failed*"_s;
    QTest::newRow("silent server") << u"silent"_s << u"No answer from the server for 2 s"_s;
    QTest::newRow("trickling server") << u"trickle"_s << u"No complete answer within 4 s"_s;
    QTest::newRow("10 MB page with Content-Length")
        << u"big"_s << u"The answer is larger than 256 KiB"_s;
    QTest::newRow("10 MB page without Content-Length")
        << u"big-nolength"_s << u"The answer is larger than 256 KiB"_s;
    QTest::newRow("HTTP redirect loop")
        << u"http-loop"_s << u"Redirect loop: https://127.0.0.1:%PORT%/a was already visited"_s;
    QTest::newRow("page-tag redirect loop")
        << u"tag-loop"_s << u"Redirect loop: https://127.0.0.1:%PORT%/t1 was already visited"_s;
    QTest::newRow("six redirects") << u"six"_s << u"More than 5 redirects"_s;
    QTest::newRow("HTTP redirect to http")
        << u"to-http"_s << u"Only https addresses are fetched, not http://127.0.0.1:%PORT%/x"_s;
    QTest::newRow("HTTP redirect to file:")
        << u"to-file"_s << u"Only https addresses are fetched, not file:///etc/passwd"_s;
    QTest::newRow("page tag redirect to http")
        << u"tag-http"_s << u"Only https addresses are fetched, not http://127.0.0.1:%PORT%/x"_s;
    QTest::newRow("home address is http")
        << u"home-http"_s << u"Only https addresses are fetched, not http://127.0.0.1:%PORT%/x"_s;
    QTest::newRow("page that unpacks to 16 MiB")
        << u"bomb"_s << u"The answer could not be unpacked: it is too large or damaged"_s;
}

void TestUpdate::transportFailures()
{
    QFETCH(QString, scenario);
    QFETCH(QString, lastError);
    TestServer server;
    TWebFileInfo info;
    info.HomeURL = QUrl(server.url(kInfo));
    // Short waits only where the wait is the point: a slow machine must not
    // turn the other rows into timeouts.
    if (scenario == u"silent"_s || scenario == u"trickle"_s)
        info.limits = shortLimits();
    info.setTrustedCertificates({m_cert});
    const QByteArray big(10 * 1024 * 1024, 'x');
    auto redirect = [&](const QString &from, const QString &to) {
        Route &r = server.route(from);
        r.status = 302;
        r.reason = "Found";
        r.location = to.toUtf8();
    };
    auto tag = [&](const QString &to) {
        return bytes(u"<META HTTP-EQUIV=\"redirect\" CONTENT=\""_s + to + u"\">\n"_s +
                     u"<META HTTP-EQUIV=\"version\" CONTENT=\"9\">\n"_s);
    };

    QTcpServer closed;
    if (scenario == u"refused"_s) {
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        info.HomeURL = QUrl(u"https://127.0.0.1:"_s + QString::number(closed.serverPort()) + kInfo);
        closed.close();
    } else if (scenario == u"untrusted"_s) {
        server.route(kInfo).body = bytes(page(u"9"_s));
        info.setTrustedCertificates({});
    } else if (scenario == u"silent"_s) {
        server.route(kInfo).mode = Route::Silent;
    } else if (scenario == u"trickle"_s) {
        server.route(kInfo).mode = Route::Trickle;
    } else if (scenario == u"big"_s) {
        server.route(kInfo).body = big;
    } else if (scenario == u"big-nolength"_s) {
        server.route(kInfo).body = big;
        server.route(kInfo).mode = Route::NoLength;
    } else if (scenario == u"http-loop"_s) {
        redirect(kInfo, u"/a"_s);
        redirect(u"/a"_s, u"/b"_s);
        redirect(u"/b"_s, u"/a"_s);
    } else if (scenario == u"tag-loop"_s) {
        server.route(kInfo).body = tag(server.url(u"/t1"_s));
        server.route(u"/t1"_s).body = tag(server.url(u"/t2"_s));
        server.route(u"/t2"_s).body = tag(u"/t1"_s);
    } else if (scenario == u"six"_s) {
        redirect(kInfo, u"/r1"_s);
        for (int i = 1; i <= 5; ++i)
            redirect(u"/r"_s + QString::number(i), u"/r"_s + QString::number(i + 1));
        server.route(u"/r6"_s).body = bytes(page(u"9"_s));
    } else if (scenario == u"to-http"_s) {
        redirect(kInfo, server.fill(u"http://127.0.0.1:%PORT%/x"_s));
    } else if (scenario == u"to-file"_s) {
        redirect(kInfo, u"file:///etc/passwd"_s);
    } else if (scenario == u"tag-http"_s) {
        server.route(kInfo).body = tag(server.fill(u"http://127.0.0.1:%PORT%/x"_s));
    } else if (scenario == u"home-http"_s) {
        info.HomeURL = QUrl(server.fill(u"http://127.0.0.1:%PORT%/x"_s));
    } else if (scenario == u"bomb"_s) {
        // qCompress gives a zlib stream after a four-byte length.
        server.route(kInfo).body = qCompress(QByteArray(16 * 1024 * 1024, 'x')).mid(4);
        server.route(kInfo).headers = "Content-Encoding: deflate\r\n";
    }
    BoxScript boxes;
    // Start just past a whole second of the monotonic clock, where a coarse
    // timer would end the wait early: it must last its full time.
    QElapsedTimer clock;
    clock.start();
    if (scenario == u"silent"_s) {
        QThread::msleep(ulong(1020 - clock.msecsSinceReference() % 1000));
        clock.start();
    }

    QVERIFY(!info.GetInfo(nullptr));
    if (scenario == u"silent"_s)
        QVERIFY2(clock.elapsed() >= info.limits.silenceMs,
                 qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(info.state(), 0);
    QVERIFY(info.values().version.isEmpty());
    const QString expected = server.fill(lastError);
    if (expected.endsWith(u'*'))
        QVERIFY2(info.lastError().startsWith(expected.chopped(1)), qPrintable(info.lastError()));
    else
        QCOMPARE(info.lastError(), expected);
    QCOMPARE(boxes.titlesAndTexts(),
             QStringList{u"Exception | Error retrieving update information.\rException: "_s +
                         info.lastError() + u'.'});
    QVERIFY(!anyVisible(u"frmWait"_s));
    if (scenario == u"home-http"_s)
        QCOMPARE(server.totalHits(), 0);
    if (scenario == u"six"_s)
        QCOMPARE(server.hits(u"/r5"_s), 1); // five redirects were followed, the sixth refused
    if (scenario == u"six"_s)
        QCOMPARE(server.hits(u"/r6"_s), 0);
}

void TestUpdate::followsRedirects_data()
{
    QTest::addColumn<int>("httpHops");
    QTest::addColumn<bool>("viaTag");
    QTest::addColumn<bool>("endlessBody");

    QTest::newRow("one HTTP redirect") << 1 << false << false;
    QTest::newRow("a page redirect tag") << 0 << true << false;
    QTest::newRow("four HTTP redirects and a tag: five in all") << 4 << true << false;
    QTest::newRow("five HTTP redirects") << 5 << false << false;
    QTest::newRow("a redirect with an endless body") << 1 << false << true;
}

void TestUpdate::followsRedirects()
{
    QFETCH(int, httpHops);
    QFETCH(bool, viaTag);
    QFETCH(bool, endlessBody);
    TestServer server;
    QString from = kInfo;
    for (int i = 1; i <= httpHops; ++i) {
        Route &r = server.route(from);
        r.status = 301;
        r.reason = "Moved Permanently";
        r.mode = endlessBody ? Route::Endless : Route::Normal;
        from = u"/hop"_s + QString::number(i);
        r.location = from.toUtf8();
    }
    if (viaTag) {
        server.route(from).body =
            bytes(u"<META HTTP-EQUIV=\"version\" CONTENT=\"0.1\">\n"
                  u"<META HTTP-EQUIV=\"redirect\" CONTENT=\"/final.htm\">\n"_s);
        from = u"/final.htm"_s;
    }
    server.route(from).body = bytes(page(u"1.0.05"_s));
    TWebFileInfo info;
    info.HomeURL = QUrl(server.url(kInfo));
    info.limits = shortLimits();
    info.setTrustedCertificates({m_cert});
    BoxScript boxes;

    QVERIFY2(info.GetInfo(nullptr), qPrintable(info.lastError()));
    QCOMPARE(info.values().version, u"1.0.05"_s);
    QCOMPARE(info.values().redirect, QString());
    QCOMPARE(server.hits(from), 1);
    QCOMPARE(server.totalHits(), httpHops + (viaTag ? 1 : 0) + 1);
    QCOMPARE(boxes.boxes.size(), 0);
}

// The redirected page fails: the check fails and nothing of the first page
// is kept, so the next opening tries again.
void TestUpdate::failedRedirectedFetchIsAFailure()
{
    TestServer server;
    server.route(kInfo).body = bytes(page(u"1.0.05"_s, u"https://127.0.0.1/dl/a.exe"_s,
                                          u"<META HTTP-EQUIV=\"redirect\" CONTENT=\"/gone\">\n"_s));
    TWebFileInfo info;
    info.HomeURL = QUrl(server.url(kInfo));
    info.setTrustedCertificates({m_cert});
    BoxScript boxes;

    QVERIFY(!info.GetInfo(nullptr));
    QCOMPARE(info.state(), 0);
    QCOMPARE(info.lastError(), u"Not Found"_s);
    QVERIFY(info.values().version.isEmpty());
    QVERIFY(info.values().downloadUrl.isEmpty());
    QCOMPARE(boxes.titlesAndTexts(), QStringList{u"Calvenor | 404"_s});

    server.route(u"/gone"_s).body = bytes(page(u"1.0.06"_s));
    QVERIFY(info.GetInfo(nullptr));
    QCOMPARE(info.values().version, u"1.0.06"_s);
    QCOMPARE(server.hits(kInfo), 2);
}

void TestUpdate::fetchesOncePerRun()
{
    TestServer server;
    server.route(kInfo).body = bytes(page(u"1.0.05"_s));
    TWebFileInfo info;
    info.HomeURL = QUrl(server.url(kInfo));
    info.setTrustedCertificates({m_cert});
    QVERIFY(!info.hasNetworkClient());
    QVERIFY(info.GetInfo(nullptr));
    QVERIFY(info.hasNetworkClient());
    server.route(kInfo).body = bytes(page(u"2.0"_s));
    QVERIFY(info.GetInfo(nullptr));
    QCOMPARE(info.values().version, u"1.0.05"_s);
    QCOMPARE(server.hits(kInfo), 1);
    // Requests go direct, whatever the system's proxy settings.
    auto *client = info.findChild<QNetworkAccessManager *>();
    QVERIFY(client);
    QCOMPARE(client->proxy().type(), QNetworkProxy::NoProxy);
}

void TestUpdate::escCancelsTheWait()
{
    TestServer server;
    server.route(kInfo).mode = Route::Silent;
    TWebFileInfo info;
    info.HomeURL = QUrl(server.url(kInfo));
    info.setTrustedCertificates({m_cert});
    BoxScript boxes;
    QString caption;
    QString text;
    test::WindowAnswerer esc(u"frmWait"_s, [&](QWidget *w) {
        caption = w->windowTitle();
        const QLabel *label = w->findChild<QLabel *>(u"lblWait"_s);
        text = label->textFormat() == Qt::PlainText ? label->text() : u"not plain text"_s;
        QTimer::singleShot(50, w, [w] { QTest::keyClick(w, Qt::Key_Escape); });
    });

    QVERIFY(!info.GetInfo(nullptr));
    QCOMPARE(esc.count(), 1);
    QCOMPARE(caption, u"Please Wait"_s);
    QCOMPARE(text, u"Checking For Update..."_s);
    QVERIFY(info.lastRequestCancelled());
    QCOMPARE(info.state(), 0);
    QCOMPARE(boxes.boxes.size(), 0);
    QVERIFY(!anyVisible(u"frmWait"_s));
}

void TestUpdate::missingConfiguration_data()
{
    QTest::addColumn<bool>("noAddress");
    QTest::addColumn<QString>("box");

    QTest::newRow("no home address")
        << true
        << u"Missing Home URL | Can not retrieve version information\rbecause no home url was "
           u"provided."_s;
    QTest::newRow("no tags")
        << false
        << u"Missing Tag Information | Can not retrieve version information\rbecause no tag "
           u"information was provided."_s;
}

void TestUpdate::missingConfiguration()
{
    QFETCH(bool, noAddress);
    QFETCH(QString, box);
    TWebFileInfo info;
    if (noAddress)
        info.HomeURL = QUrl();
    else
        info.InfoTagNames = InfoTags{{}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    BoxScript boxes;
    QVERIFY(!info.GetInfo(nullptr));
    QCOMPARE(boxes.titlesAndTexts(), QStringList{box});
    QVERIFY(!info.hasNetworkClient());
}

// The update procedure on its own: it checks first and stops with a box.
void TestUpdate::updateProcedureChecksFirst_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("no connection")
        << QString()
        << QStringList{u"Exception | Error retrieving update information.\rException: Connection "
                       u"refused."_s,
                       u"Connection Error | Could not retrieve version information from the "
                       u"Internet.\rError: \"Connection refused.\""_s};
    QTest::newRow("same version") << u"1.0.04"_s
                                  << QStringList{
                                         u"No Update Found | There is no update available."_s};
}

void TestUpdate::updateProcedureChecksFirst()
{
    QFETCH(QString, version);
    TestServer server;
    TWebFileInfo info;
    info.setTrustedCertificates({m_cert});
    QTcpServer closed;
    if (version.isEmpty()) {
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        info.HomeURL = QUrl(u"https://127.0.0.1:"_s + QString::number(closed.serverPort()) + kInfo);
        closed.close();
    } else {
        server.route(kInfo).body = bytes(page(version));
        info.HomeURL = QUrl(server.url(kInfo));
    }
    int opened = 0;
    info.openFile = [&](const QUrl &) { return ++opened > 0; };
    BoxScript boxes;

    QVERIFY(!info.Update(nullptr));
    QTEST(boxes.titlesAndTexts(), "boxes");
    QCOMPARE(opened, 0);
}

// ---------------------------------------------------------------------------
// The update window, opened from the running main window.

void TestUpdate::windowStartsUnknown()
{
    TWebFileInfo info;
    TfrmUpdate window(info);
    QCOMPARE(window.windowTitle(), u"Tolvane Software's Update Center"_s);
    auto text = [&](const char *name) {
        return window.findChild<QLabel *>(QString::fromLatin1(name))->text();
    };
    QCOMPARE(text("lblCurrentVersion"), u"1.0.04"_s);
    QCOMPARE(text("lblCurrentCompileDate"), u"November 7, 1999"_s);
    QCOMPARE(text("lblVersion"), u"Status Unknown"_s);
    QCOMPARE(text("lblUpdateStatus"), u"Update Status:  Unknown"_s);
    QCOMPARE(text("lblAppName"), u" Calvenor"_s);
    QCOMPARE(text("lblDeveloper"), u" Tolvane Software"_s);
    QCOMPARE(text("lblVersionCaption"), u"Newest Version on Server:"_s);
    auto *retrieve = window.findChild<QPushButton *>(u"btnRetrieveUpdate"_s);
    auto *check = window.findChild<QPushButton *>(u"btnCheckForUpdate"_s);
    auto *close = window.findChild<QPushButton *>(u"btnClose"_s);
    QCOMPARE(retrieve->text(), u" &Retrieve Update"_s);
    QCOMPARE(check->text(), u"Check for &Update"_s);
    QCOMPARE(close->text(), u" &Close Update Center"_s);
    QVERIFY(retrieve->isHidden());
    QVERIFY(check->isHidden());
    for (const char *hidden : {"lblDate", "lblReadMe", "lblURL"})
        QVERIFY(window.findChild<QLabel *>(QString::fromLatin1(hidden))->isHidden());
    // Page text is never read as markup, whichever label shows it.
    for (const QLabel *label : window.findChildren<QLabel *>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
    QVERIFY(!info.hasNetworkClient());
}

struct Seen
{
    QString version, status, date, readMe, url;
    bool retrieveVisible = false;
    QColor statusColour, versionColour;
    bool hiddenStillHidden = false;
    bool checkOk = false;
    int openings = 0;
};

// Clicks Close as soon as the window's check has ended, after noting what
// it shows; `then` may do more first.
static test::WindowAnswerer *inspectUpdateWindow(Seen &seen,
                                                 std::function<void(TfrmUpdate *)> then = {})
{
    return new test::WindowAnswerer(u"frmUpdate"_s, [&seen, then](QWidget *w) {
        auto *u = static_cast<TfrmUpdate *>(w);
        auto inspect = [&seen, u, then](bool ok) {
            auto label = [u](const char *n) {
                return u->findChild<QLabel *>(QString::fromLatin1(n));
            };
            ++seen.openings;
            seen.checkOk = ok;
            seen.version = label("lblVersion")->text();
            seen.status = label("lblUpdateStatus")->text();
            seen.date = label("lblDate")->text();
            seen.readMe = label("lblReadMe")->text();
            seen.url = label("lblURL")->text();
            seen.statusColour = label("lblUpdateStatus")->palette().color(QPalette::WindowText);
            seen.versionColour = label("lblVersion")->palette().color(QPalette::WindowText);
            seen.hiddenStillHidden = label("lblDate")->isHidden() &&
                                     label("lblReadMe")->isHidden() && label("lblURL")->isHidden();
            seen.retrieveVisible = u->findChild<QPushButton *>(u"btnRetrieveUpdate"_s)->isVisible();
            QTimer::singleShot(0, u, [u, then] {
                if (then)
                    then(u);
                if (u->isVisible())
                    u->findChild<QPushButton *>(u"btnClose"_s)->click();
            });
        };
        if (u->checkDone())
            inspect(u->checkOk());
        else
            QObject::connect(u, &TfrmUpdate::checkFinished, u, inspect);
    });
}

void TestUpdate::windowShowsTheCheck_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("viaMenu");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("retrieve");

    QTest::newRow("newer, tool button") << u"1.0.05"_s << false << u"Update Information"_s << true;
    QTest::newRow("newer by the second field, menu")
        << u"1.1.00"_s << true << u"Update Information"_s << true;
    QTest::newRow("same, menu") << u"1.0.04"_s << true << u"No Updated Version Available"_s
                                << false;
    QTest::newRow("older, tool button")
        << u"0.9.99"_s << false << u"No Updated Version Available"_s << false;
    QTest::newRow("shorter, tool button")
        << u"1"_s << false << u"No Updated Version Available"_s << false;
    QTest::newRow("empty, menu") << QString() << true << u"No Updated Version Available"_s << false;
}

void TestUpdate::windowShowsTheCheck()
{
    QFETCH(QString, server);
    QFETCH(bool, viaMenu);
    TestServer http;
    http.route(kInfo).body = bytes(page(server, u"https://127.0.0.1/dl/clvn<b>.exe"_s));
    QTemporaryDir folder;
    auto main = makeMain(http, folder.path());
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    // The network client is made on first use, not with the window.
    QCOMPARE(main->findChildren<QNetworkAccessManager *>().size(), 0);
    auto *button = main->findChild<QToolButton *>(u"btnUpdate"_s);
    auto *item = main->findChild<QAction *>(u"mnuInternetCheckForUpdate"_s);
    QVERIFY(button->isEnabled());
    QVERIFY(item->isEnabled());
    QCOMPARE(item->text(), u"Check for &New Version ..."_s);
    BoxScript boxes;
    Seen seen;
    std::unique_ptr<test::WindowAnswerer> answer(inspectUpdateWindow(seen));

    if (viaMenu)
        item->trigger();
    else
        QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(seen.openings, 1);
    QVERIFY(seen.checkOk);
    QCOMPARE(seen.version, server);
    QTEST(seen.status, "status");
    QTEST(seen.retrieveVisible, "retrieve");
    QCOMPARE(seen.date, u"Nov 07, 1999"_s);
    QCOMPARE(seen.readMe, u"Faster schedules."_s);
    QCOMPARE(seen.url, u"https://127.0.0.1/dl/clvn<b>.exe"_s);
    QVERIFY(seen.hiddenStillHidden);
    QCOMPARE(seen.statusColour, QColor(Qt::red));
    QCOMPARE(seen.versionColour, QColor(Qt::blue));
    QCOMPARE(boxes.boxes.size(), 0);
    QCOMPARE(main->findChildren<QNetworkAccessManager *>().size(), 1);
    QVERIFY(!anyVisible(u"frmUpdate"_s));
}

void TestUpdate::windowReportsFailures_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("boxes");

    const QString none = u"<html>nothing here</html>"_s;
    QTest::newRow("404") << 404 << QByteArray("Not Found") << none
                         << QStringList{u"Calvenor | 404"_s,
                                        u"Calvenor | Get Info failed due to:\r\nNot Found"_s};
    QTest::newRow("500 with markup in its reason")
        << 500 << QByteArray("<b>Oops</b>") << none
        << QStringList{u"Calvenor | 500"_s, u"Calvenor | Get Info failed due to:\r\n<b>Oops</b>"_s};
    QTest::newRow("reason with control characters")
        << 404 << QByteArray("Not\x1b[8m Found\x7f") << none
        << QStringList{u"Calvenor | 404"_s,
                       u"Calvenor | Get Info failed due to:\r\nNot[8m Found"_s};
    QTest::newRow("a version of 250 KiB of digits")
        << 200 << QByteArray("OK") << page(u"2."_s + QString(250 * 1024, u'1'))
        << QStringList{u"Calvenor | Get Info failed due to:\r\nThe update page gave an invalid "
                       u"version"_s};
    // Lines are cut at 200 characters.
    const QString refused =
        u"Only https addresses are fetched, not http://a/"_s + QString(300, u'x');
    QTest::newRow("a page redirect tag of 200 KiB")
        << 200 << QByteArray("OK")
        << u"<META HTTP-EQUIV=\"redirect\" CONTENT=\"http://a/"_s + QString(200 * 1024, u'x') +
               u"\">\n"_s
        << QStringList{u"Exception | Error retrieving update information.\r"_s +
                           QString(u"Exception: "_s + refused).left(199) + u"…"_s,
                       u"Calvenor | Get Info failed due to:\r\n"_s + refused.left(199) + u"…"_s};
}

void TestUpdate::windowReportsFailures()
{
    QFETCH(int, status);
    QFETCH(QByteArray, reason);
    QFETCH(QString, body);
    TestServer http;
    Route &r = http.route(kInfo);
    r.status = status;
    r.reason = reason;
    r.body = bytes(body);
    QTemporaryDir folder;
    auto main = makeMain(http, folder.path());
    BoxScript boxes;
    Seen seen;
    std::unique_ptr<test::WindowAnswerer> answer(inspectUpdateWindow(seen));

    main->ShowUpdate();

    QTEST(boxes.titlesAndTexts(), "boxes");
    // The window is active again after each box: still one request.
    QCOMPARE(http.hits(kInfo), 1);
    for (const Box &b : boxes.boxes)
        QCOMPARE(b.format, Qt::PlainText);
    QVERIFY(!seen.checkOk);
    QCOMPARE(seen.version, u"Status Unknown"_s);
    QCOMPARE(seen.status, u"Update Status:  Unknown"_s);
    QVERIFY(!seen.retrieveVisible);
    QVERIFY(!anyVisible(u"frmWait"_s));
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
    TestServer http;
    http.route(kInfo).body = bytes(page(u"1.0.05"_s));
    if (!firstSucceeds) {
        http.route(kInfo).status = 503;
        http.route(kInfo).reason = "Service Unavailable";
    }
    QTemporaryDir folder;
    auto main = makeMain(http, folder.path());
    BoxScript boxes;
    Seen seen;
    std::unique_ptr<test::WindowAnswerer> answer(inspectUpdateWindow(seen));

    main->ShowUpdate();
    http.route(kInfo).status = 200;
    http.route(kInfo).reason = "OK";
    answer.reset(inspectUpdateWindow(seen));
    main->ShowUpdate();

    QCOMPARE(seen.openings, 2);
    QTEST(http.hits(kInfo), "requests");
    QVERIFY(seen.checkOk);
    QCOMPARE(seen.version, u"1.0.05"_s);
    QVERIFY(seen.retrieveVisible);
}

// The way to the update: questions, save dialog, download, install.
void TestUpdate::download_data()
{
    QTest::addColumn<bool>("viewReadMe");
    QTest::addColumn<QString>("chosenName");
    QTest::addColumn<QString>("savedName");
    QTest::addColumn<bool>("install");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("chunked");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QStringList>("lastBoxes");

    const QString installQuestion =
        u"Install Update | Do you want to install the update now?\rThis will close Calvenor."_s;
    QTest::newRow("installed: the program closes")
        << false << u"clvn105.exe"_s << u"clvn105.exe"_s << true << true << false << false
        << QStringList{installQuestion};
    QTest::newRow("read-me shown, no extension gets .EXE, install declined")
        << true << u"update"_s << u"update.EXE"_s << false << true << false << false
        << QStringList{installQuestion};
    QTest::newRow("installer does not start, the file came in chunks")
        << false << u"clvn105.exe"_s << u"clvn105.exe"_s << true << false << true << false
        << QStringList{installQuestion, u"Error | Can not start program."_s};
    QTest::newRow("no extension where update.EXE exists: asked first")
        << false << u"update"_s << u"update.EXE"_s << false << true << false << true
        << QStringList{u"Save As | update.EXE already exists.\nDo you want to replace it?"_s,
                       installQuestion};
}

void TestUpdate::download()
{
    QFETCH(bool, viewReadMe);
    QFETCH(QString, chosenName);
    QFETCH(QString, savedName);
    QFETCH(bool, install);
    QFETCH(bool, opens);
    QFETCH(bool, chunked);
    QFETCH(bool, exists);
    QFETCH(QStringList, lastBoxes);

    TestServer http;
    // Larger than the page limit: downloads have their own.
    QByteArray payload(300 * 1024, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(i * 7 % 251);
    http.route(u"/dl/clvn105.exe"_s).body = payload;
    http.route(u"/dl/clvn105.exe"_s).mode = chunked ? Route::Chunked : Route::Normal;
    // The read-me is shown as plain text without control or direction characters.
    http.route(kInfo).body = bytes(
        page(u"1.0.05"_s, http.url(u"/dl/clvn105.exe"_s),
             u"<META HTTP-EQUIV=\"readme\" CONTENT=\"<b>Faster</b>\x1b \u202Eschedules.\">\n"_s));
    QTemporaryDir folder;
    QTemporaryDir target;
    if (exists) {
        QFile old(target.filePath(savedName));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    }
    auto main = makeMain(http, folder.path());
    QList<QUrl> opened;
    main->webFileInfo().openFile = [&](const QUrl &url) {
        opened << url;
        return opens;
    };
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));

    QList<QMessageBox::StandardButton> answers{viewReadMe ? QMessageBox::Yes : QMessageBox::No,
                                               QMessageBox::Yes,
                                               install ? QMessageBox::Yes : QMessageBox::No};
    if (exists)
        answers.insert(2, QMessageBox::Yes);
    BoxScript boxes(answers);
    QString proposed;
    test::WindowAnswerer save(u"SaveDialog1"_s, [&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        proposed = dialog->selectedFiles().value(0);
        dialog->setDirectory(target.path());
        dialog->selectFile(target.filePath(chosenName));
        QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); });
    });
    QString readMe;
    test::WindowAnswerer readMeWindow(u"frmReadMe"_s, [&](QWidget *w) {
        readMe = w->windowTitle() + u" | "_s +
                 w->findChild<QPlainTextEdit *>(u"memReadMe"_s)->toPlainText();
        QTimer::singleShot(0, w->findChild<QPushButton *>(u"btnOK"_s), &QPushButton::click);
    });
    Seen seen;
    std::unique_ptr<test::WindowAnswerer> answer(inspectUpdateWindow(
        seen, [](TfrmUpdate *u) { u->findChild<QPushButton *>(u"btnRetrieveUpdate"_s)->click(); }));

    QTest::mouseClick(main->findChild<QToolButton *>(u"btnUpdate"_s), Qt::LeftButton);

    const QString available = u"Update Available | Current version is 1.0.04.\rVersion 1.0.05 "
                              u"is available.\r"_s;
    QStringList expected{available + u"Would you like to view the ReadMe file?"_s,
                         available + u"Download the update?"_s};
    expected += lastBoxes;
    QCOMPARE(boxes.titlesAndTexts(), expected);
    QCOMPARE(QFileInfo(proposed).fileName(), u"clvn105.exe"_s);
    QCOMPARE(readMe, viewReadMe ? u"Read Me | <b>Faster</b> schedules."_s : QString());

    const QString saved = target.filePath(savedName);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), payload);
    QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{savedName});
    QCOMPARE(opened, install ? QList<QUrl>{QUrl::fromLocalFile(saved)} : QList<QUrl>{});

    const bool exits = install && opens;
    QCOMPARE(main->isVisible(), !exits);
    // Closing through the normal path writes the defaults.
    QCOMPARE(QFile::exists(folder.filePath(u"CLVN.INI"_s)), exits);
    QVERIFY(!anyVisible(u"WebDlProgress"_s));
}

void TestUpdate::downloadFailures_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("box");

    QTest::newRow("download address is http")
        << u"http"_s
        << u"Download Error | Error occurred while downloading update.\rError: \"Only https "
           u"addresses are fetched, not http://127.0.0.1:%PORT%/dl/a.exe.\""_s;
    QTest::newRow("download 404")
        << u"404"_s
        << u"Download Error | Error occurred while downloading update.\rError: \"Not Found.\""_s;
    QTest::newRow("download over the size limit")
        << u"big"_s
        << u"Download Error | Error occurred while downloading update.\rError: \"The answer is "
           u"larger than 100 KiB.\""_s;
    QTest::newRow("download redirected to file:")
        << u"file"_s
        << u"Download Error | Error occurred while downloading update.\rError: \"Only https "
           u"addresses are fetched, not file:///etc/passwd.\""_s;
    QTest::newRow("cut off without a length: the good copy stays")
        << u"cut"_s
        << u"Download Error | Error occurred while downloading update.\rError: \"The server did "
           u"not "
           u"say how large the file is, so it may be incomplete.\""_s;
    QTest::newRow("download over a limit of whole MiB")
        << u"mib"_s
        << u"Download Error | Error occurred while downloading update.\rError: \"The answer is "
           u"larger than 1 MiB.\""_s;
    QTest::newRow("the chosen name is a named pipe")
        << u"fifo"_s
        << u"Download Error | Error occurred while downloading update.\rError: \"%DIR%/a.exe is "
           u"not a regular file.\""_s;
}

void TestUpdate::downloadFailures()
{
    QFETCH(QString, scenario);
    QFETCH(QString, box);
    TestServer http;
    QString address = http.url(u"/dl/a.exe"_s);
    if (scenario == u"http"_s) {
        address = http.fill(u"http://127.0.0.1:%PORT%/dl/a.exe"_s);
    } else if (scenario == u"big"_s) {
        http.route(u"/dl/a.exe"_s).body = QByteArray(300 * 1024, 'x');
        http.route(u"/dl/a.exe"_s).mode = Route::NoLength;
    } else if (scenario == u"file"_s) {
        Route &r = http.route(u"/dl/a.exe"_s);
        r.status = 302;
        r.reason = "Found";
        r.location = "file:///etc/passwd";
    } else if (scenario == u"cut"_s) {
        // Half of 1 MiB, then the connection drops without a TLS close.
        Route &r = http.route(u"/dl/a.exe"_s);
        r.body = QByteArray(1024 * 1024, 'y');
        r.mode = Route::NoLength;
        r.cutAt = 512 * 1024;
    } else if (scenario == u"mib"_s) {
        http.route(u"/dl/a.exe"_s).body = QByteArray(1536 * 1024, 'y');
    }
    http.route(kInfo).body = bytes(page(u"1.0.05"_s, address));
    QTemporaryDir folder;
    QTemporaryDir target;
    WebFileLimits limits;
    if (scenario == u"big"_s)
        limits.maxDownloadBytes = 100 * 1024;
    else if (scenario == u"mib"_s)
        limits.maxDownloadBytes = 1024 * 1024;
    // Where a file is already there, the save dialog asks first.
    const QString chosen = target.filePath(u"a.exe"_s);
    const bool existing = scenario == u"cut"_s || scenario == u"fifo"_s;
    if (scenario == u"cut"_s) {
        QFile good(chosen);
        QVERIFY(good.open(QIODevice::WriteOnly) && good.write("good copy") == 9);
    } else if (scenario == u"fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(chosen).constData(), 0600), 0);
    }
    auto main = makeMain(http, folder.path(), limits);
    int opened = 0;
    main->webFileInfo().openFile = [&](const QUrl &) { return ++opened > 0; };

    BoxScript boxes({QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes});
    test::WindowAnswerer save(u"SaveDialog1"_s, [&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        dialog->selectFile(chosen);
        QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); });
    });
    Seen seen;
    std::unique_ptr<test::WindowAnswerer> answer(inspectUpdateWindow(
        seen, [](TfrmUpdate *u) { u->findChild<QPushButton *>(u"btnRetrieveUpdate"_s)->click(); }));

    main->ShowUpdate();

    QCOMPARE(boxes.titlesAndTexts().size(), existing ? 4 : 3);
    QCOMPARE(boxes.titlesAndTexts().last(), http.fill(box).replace(u"%DIR%"_s, target.path()));
    QCOMPARE(boxes.boxes.last().format, Qt::PlainText);
    // Nothing is written or left behind, nothing is opened.
    const QStringList files = QDir(target.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(files, scenario == u"cut"_s ? QStringList{u"a.exe"_s} : QStringList());
    if (scenario == u"cut"_s) {
        QFile good(chosen);
        QVERIFY(good.open(QIODevice::ReadOnly));
        QCOMPARE(good.readAll(), QByteArray("good copy"));
    }
    if (scenario == u"fifo"_s)
        QVERIFY(!QFileInfo(chosen).isFile());
    QCOMPARE(opened, 0);
}

void TestUpdate::downloadCancelled()
{
    TestServer http;
    Route &dl = http.route(u"/dl/a.exe"_s);
    dl.body = QByteArray(1024 * 1024, 'x');
    dl.mode = Route::Hold;
    http.route(kInfo).body = bytes(page(u"1.0.05"_s, http.url(u"/dl/a.exe"_s)));
    QTemporaryDir folder;
    QTemporaryDir target;
    auto main = makeMain(http, folder.path());
    int opened = 0;
    main->webFileInfo().openFile = [&](const QUrl &) { return ++opened > 0; };

    BoxScript boxes({QMessageBox::No, QMessageBox::Yes});
    test::WindowAnswerer save(u"SaveDialog1"_s, [&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        dialog->selectFile(target.filePath(u"a.exe"_s));
        QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); });
    });
    QString caption;
    QString label;
    int progressAtCancel = -1;
    test::WindowAnswerer progress(u"WebDlProgress"_s, [&](QWidget *w) {
        caption = w->windowTitle();
        const QLabel *shown = w->findChild<QLabel *>(u"lblDownloading"_s);
        label = shown->textFormat() == Qt::PlainText ? shown->text() : u"not plain text"_s;
        auto *cancel = w->findChild<QPushButton *>(u"btnCancel"_s);
        QCOMPARE(cancel->text(), u"&Cancel"_s);
        // Cancel once part of the file has arrived.
        auto *poll = new QTimer(w);
        QObject::connect(poll, &QTimer::timeout, w, [&, w, cancel, poll] {
            auto *bar = w->findChild<QProgressBar *>(u"pbDownload"_s);
            if (bar->value() <= 0)
                return;
            progressAtCancel = bar->value();
            poll->stop();
            cancel->click();
        });
        poll->start(10);
    });
    Seen seen;
    std::unique_ptr<test::WindowAnswerer> answer(inspectUpdateWindow(
        seen, [](TfrmUpdate *u) { u->findChild<QPushButton *>(u"btnRetrieveUpdate"_s)->click(); }));

    main->ShowUpdate();

    QCOMPARE(caption, u"Download Progress"_s);
    QCOMPARE(label, u"Downloading Update"_s);
    QVERIFY(progressAtCancel > 0 && progressAtCancel < 1000);
    // Two questions, then nothing: a cancel is not an error to report.
    QCOMPARE(boxes.boxes.size(), 2);
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(opened, 0);
    QVERIFY(!anyVisible(u"WebDlProgress"_s));
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
