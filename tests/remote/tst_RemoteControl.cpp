#include "shell/ClientFixture.h"
#include "shell/WindowWatch.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QWebSocket>

Q_DECLARE_METATYPE(wallcmd::Bodies)

namespace {

using Headers = QList<std::pair<QByteArray, QByteArray>>;

struct Answer
{
    int status = 0; // 0: no answer
    QByteArray body;
    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
};

QStringList hex(const wallcmd::Bodies& bodies)
{
    QStringList out;
    for (const QByteArray& body : bodies)
        out << AnsweringWall::hex(body);
    return out;
}

// The whole program with the remote control switched on in its settings, and a client for it.
struct RemoteFixture : ClientFixture
{
    RemoteFixture() { m_http.setProxy(QNetworkProxy::NoProxy); }

    void startRemote(const QString& address = QStringLiteral("127.0.0.1"), const QString& token = {})
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress(address)));
        port = probe.serverPort();
        probe.close();
        host = address;
        store(QStringLiteral("Enabled"), QStringLiteral("1"), QStringLiteral("Remote"));
        store(QStringLiteral("Address"), address, QStringLiteral("Remote"));
        store(QStringLiteral("Port"), QString::number(port), QStringLiteral("Remote"));
        store(QStringLiteral("Token"), token, QStringLiteral("Remote"));
        start();
        QVERIFY(app->Remote.isListening());
        QTRY_COMPARE(app->Link.state(), LinkState::Up);
        wall.clear();
    }

    QUrl url(const QString& path, const QString& scheme = QStringLiteral("http")) const
    {
        return QUrl(QStringLiteral("%1://%2:%3%4").arg(scheme, host).arg(port).arg(path));
    }

    Answer call(const QByteArray& method, const QString& path, const QByteArray& body = {}, const Headers& headers = {})
    {
        QNetworkRequest request(url(path));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
        for (const auto& [name, value] : headers)
            request.setRawHeader(name, value);
        std::unique_ptr<QNetworkReply> reply(m_http.sendCustomRequest(request, method, body));
        // The program answers on this thread's event loop, so the wait must keep it running.
        if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 10000))
            return {};
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll()};
    }
    Answer post(const QString& page, const QByteArray& body) { return call("POST", "/api/v1/" + page, body); }

    // What reached the wall, without the life-sign queries.
    QStringList pageBodies() const
    {
        QStringList out;
        for (const QString& body : wall.bodies()) {
            if (!body.startsWith(QLatin1String("80 ")))
                out << body;
        }
        return out;
    }

    bool checked(const char* button) { return testsupport::control<QToolButton>(main(), button)->isChecked(); }

    QString host;
    quint16 port = 0;

private:
    QNetworkAccessManager m_http;
};

// Messages of the events socket, in order.
struct EventClient
{
    explicit EventClient(const QUrl& url, const QByteArray& authorization = {})
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket,
                         [this](const QString& text) { messages << QJsonDocument::fromJson(text.toUtf8()).object(); });
        QNetworkRequest request(url);
        if (!authorization.isEmpty())
            request.setRawHeader("Authorization", authorization);
        socket.setProxy(QNetworkProxy::NoProxy);
        socket.open(request);
    }
    QStringList events() const
    {
        QStringList out;
        for (const QJsonObject& m : messages)
            out << m.value(QLatin1String("event")).toString() + QLatin1Char(' ') +
                       m.value(m.contains(QLatin1String("page")) ? QLatin1String("page") : QLatin1String("link"))
                           .toString();
        return out;
    }
    QWebSocket socket;
    QList<QJsonObject> messages;
};

} // namespace

// The remote control over real HTTP and WebSocket connections on loopback, against the whole program and
// an answering wall: what each call does to the windows and the wall, who may call, and what is refused.
class tst_RemoteControl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagesActAsTheOperator_data();
    void pagesActAsTheOperator();
    void pageSwitchClosesTheOpenPage();
    void busyLauncherOpensNothing();
    void eraseIsTheOpenPagesLoeschen();
    void tokenRules_data();
    void tokenRules();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void oversizedRequestIsCutOff();
    void silentWallGets503();
    void fiftyRequestsPerSecond();
    void eventsInOrder();
    void statusPageAndMonitor();
    void configurationPage();
};

void tst_RemoteControl::pagesActAsTheOperator_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control"); // a label or line edit of the window and the text it then shows
    QTest::addColumn<QString>("shows");
    QTest::addColumn<wallcmd::Bodies>("sent");
    using namespace wallcmd;
    QTest::newRow("soccer shown") << "soccer"
                                  << QByteArray(R"({"home": "Blau", "guest": "Weiß", "homeGoals": 2, "guestGoals": 1,)"
                                                R"( "show": true})")
                                  << "TFormSocker"
                                  << "PnToreLeft"
                                  << "2" << soccerShow(QStringLiteral("Blau"), QStringLiteral("Weiß"), 2, 1);
    QTest::newRow("soccer entered only") << "soccer" << QByteArray(R"({"guest": "Rot"})") << "TFormSocker"
                                         << "EdVereinRechts"
                                         << "Rot" << Bodies();
    QTest::newRow("football clock set, corrected, run")
        << "football"
        << QByteArray(R"({"home": "Adler", "homePoints": 7, "clock": {"duration": "12:00", "set": true,)"
                      R"( "adjust": -30, "run": true}, "show": true})")
        << "TFormAmericanFootball"
        << "PnGameWatch"
        << "11:30"
        << (footballClock(true, QStringLiteral("11:30")) + footballShow(QStringLiteral("Adler"),
                                                                        QStringLiteral("Gäste"), 7, 0,
                                                                        GameClock::Running, QStringLiteral("11:30")));
    QTest::newRow("time display with its text")
        << "clock" << QByteArray(R"({"text": "Spieltag", "show": true})") << "TFormWatch"
        << "PnWatch"
        << "13:04:05" << clockSecond(QStringLiteral("13:04:05"), QStringLiteral("Spieltag"), true, false);
    QTest::newRow("analog clock") << "clock" << QByteArray(R"({"mode": "analog", "show": true})") << "TFormWatch"
                                  << "PnWatch"
                                  << "13:04:05" << clockSecond(QStringLiteral("13:04:05"), {}, false, true);
    QTest::newRow("text list") << "text"
                               << QByteArray(R"({"header": "100 m", "lines": ["1. Muster"], "headerColour": )"
                                             R"("#00FF00", "timeBar": "on", "show": true})")
                               << "TFormTextbox"
                               << "EdKopfzeile"
                               << "100 m"
                               << textListShow(TimeBarMode::On, {colour::Green, colour::Silver, colour::White},
                                               QStringLiteral("100 m"), {QStringLiteral("1. Muster")}, 8);
    QTest::newRow("game and set") << "sets"
                                  << QByteArray(R"({"home": "A", "homeGames": 3, "homeSets": 1, "show": true})")
                                  << "TFormSpielUndSatz"
                                  << "PnSatzLeft"
                                  << "1" << setsShow(QStringLiteral("A"), QStringLiteral("Gäste"), 3, 0, 1, 0);
}

void tst_RemoteControl::pagesActAsTheOperator()
{
    QFETCH(QString, page);
    QFETCH(QByteArray, body);
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, shows);
    QFETCH(wallcmd::Bodies, sent);
    RemoteFixture f;
    f.store(QStringLiteral("GameAndSetEnabled"), QStringLiteral("1"));
    f.startRemote();
    const Answer a = f.post("pages/" + page, body);
    QCOMPARE(a.status, 200);
    QCOMPARE(a.json().value(QLatin1String("page")).toString(), page);
    QWidget* shown = QApplication::activeModalWidget();
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), window);
    QVERIFY(shown->isModal());
    // The clock page sends at its next new second.
    QTRY_COMPARE(f.pageBodies(), hex(sent));
    auto* label = shown->findChild<QLabel*>(control);
    QCOMPARE(label ? label->text() : child<QLineEdit>(*shown, qPrintable(control))->text(), shows);
}

void tst_RemoteControl::pageSwitchClosesTheOpenPage()
{
    RemoteFixture f;
    f.startRemote();
    // The operator has the text list open, modally from its launcher button; a remote call for the soccer
    // page closes it as a page switch does.
    Answer a;
    WindowWatch watch(WindowWatch::window(f.app->FormTextbox),
                      [&](QWidget&) { a = f.post(QStringLiteral("pages/soccer"), R"({"homeGoals": 3})"); });
    testsupport::control<QToolButton>(f.main(), "SBTextlist")->click();
    QCOMPARE(a.status, 200);
    QVERIFY(!f.app->FormTextbox.isVisible());
    QVERIFY(f.app->FormSocker.isVisible());
    QVERIFY(!f.checked("SBTextlist"));
    QVERIFY(f.checked("SBSocker"));
    QCOMPARE(f.pageBodies(), QStringList()); // closing the text list leaves the wall as it is

    // Another page closes the soccer page, which blanks the wall, and its button comes up.
    f.wall.clear();
    QCOMPARE(f.post(QStringLiteral("pages/football"), R"({"show": true})").status, 200);
    QVERIFY(!f.app->FormSocker.isVisible());
    QVERIFY(f.app->FormAmericanFootball.isVisible());
    QVERIFY(!f.checked("SBSocker"));
    QVERIFY(f.checked("SBAmericanFootball"));
    QCOMPARE(f.pageBodies(),
             hex(wallcmd::erase() + wallcmd::footballShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 0, 0,
                                                          wallcmd::GameClock::Standing, QStringLiteral("00:00"))));
    QCOMPARE(f.call("GET", QStringLiteral("/api/v1/status")).json().value(QLatin1String("page")).toString(),
             QStringLiteral("football"));
    // The operator closes it: the button comes up.
    f.app->FormAmericanFootball.close();
    QVERIFY(!f.checked("SBAmericanFootball"));
}

void tst_RemoteControl::busyLauncherOpensNothing()
{
    RemoteFixture f;
    f.startRemote();
    // While the launcher waits before opening a page, a page switch from outside is refused.
    std::optional<bool> switched;
    QObject::connect(&f.app->Sleeper, &TSleeper::sleeping, &f.main(), [&] {
        if (!switched)
            switched = f.main().switchToPage(TFormMain::Page::Watch);
    });
    WindowWatch watch(WindowWatch::window(f.app->FormSocker), [](QWidget& w) { w.close(); });
    testsupport::control<QToolButton>(f.main(), "SBSocker")->click();
    QCOMPARE(switched, false);
    QCOMPARE(watch.showings(), 1);
    QVERIFY(!f.app->FormWatch.isVisible());
}

void tst_RemoteControl::eraseIsTheOpenPagesLoeschen()
{
    RemoteFixture f;
    f.startRemote();
    // Without a page: the erase sequence.
    QCOMPARE(f.post(QStringLiteral("erase"), {}).status, 200);
    QCOMPARE(f.pageBodies(), hex(wallcmd::erase()));
    // With the clock page sending the time: its "Löschen", which also ends the sending.
    f.wall.clear();
    QCOMPARE(f.post(QStringLiteral("pages/clock"), R"({"show": true})").status, 200);
    QTRY_VERIFY(!f.pageBodies().isEmpty());
    QCOMPARE(f.post(QStringLiteral("erase"), "{}").status, 200);
    f.wall.clear();
    f.clock.advance(1000);
    QTest::qWait(400);
    QCOMPARE(f.pageBodies(), QStringList());
    QVERIFY(child<QToolButton>(f.app->FormWatch, "SBErase")->isChecked());
    QVERIFY(f.app->FormWatch.isVisible());
}

void tst_RemoteControl::tokenRules_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("token");     // in the settings
    QTest::addColumn<QByteArray>("header"); // Authorization
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("status");
    QTest::newRow("loopback, none set, none needed") << "127.0.0.1"
                                                     << "" << QByteArray() << "" << 200;
    QTest::newRow("loopback, set, missing") << "127.0.0.1"
                                            << "geheim" << QByteArray() << "" << 401;
    QTest::newRow("loopback, set, given") << "127.0.0.1"
                                          << "geheim" << QByteArray("Bearer geheim") << "" << 200;
    QTest::newRow("loopback, set, wrong") << "127.0.0.1"
                                          << "geheim" << QByteArray("Bearer geheiM") << "" << 401;
    QTest::newRow("network, none set") << "127.0.0.2"
                                       << "" << QByteArray() << "" << 401;
    QTest::newRow("network, none set, any given") << "127.0.0.2"
                                                  << "" << QByteArray("Bearer ") << "" << 401;
    QTest::newRow("network, set, missing") << "127.0.0.2"
                                           << "geheim" << QByteArray() << "" << 401;
    QTest::newRow("network, set, given") << "127.0.0.2"
                                         << "geheim" << QByteArray("bearer geheim") << "" << 200;
    QTest::newRow("network, set, in the query") << "127.0.0.2"
                                                << "geheim" << QByteArray() << "geheim" << 200;
    QTest::newRow("network, other scheme") << "127.0.0.2"
                                           << "geheim" << QByteArray("Basic geheim") << "" << 401;
}

void tst_RemoteControl::tokenRules()
{
    QFETCH(QString, address);
    QFETCH(QString, token);
    QFETCH(QByteArray, header);
    QFETCH(QString, query);
    QFETCH(int, status);
    RemoteFixture f;
    f.startRemote(address, token);
    const QString suffix = query.isEmpty() ? QString() : QStringLiteral("?token=") + query;
    Headers headers;
    if (!header.isEmpty())
        headers.append({"Authorization", header});
    const Answer get = f.call("GET", QStringLiteral("/api/v1/status") + suffix, {}, headers);
    QCOMPARE(get.status, status);
    const Answer post = f.call("POST", QStringLiteral("/api/v1/pages/soccer") + suffix, R"({"show": true})", headers);
    QCOMPARE(post.status, status);
    QCOMPARE(f.app->FormSocker.isVisible(), status == 200);

    // The events socket is held to the same rule: refused, its upgrade is answered with the status.
    EventClient events(f.url(QStringLiteral("/api/v1/events") + suffix, QStringLiteral("ws")), header);
    if (status == 200) {
        QTRY_COMPARE(events.events().value(0), QStringLiteral("status soccer"));
    } else {
        QTRY_VERIFY(events.socket.error() != QAbstractSocket::UnknownSocketError);
        QVERIFY2(events.socket.errorString().contains(QLatin1String("401")), qPrintable(events.socket.errorString()));
        QCOMPARE(events.messages.size(), 0);
    }
}

void tst_RemoteControl::refusalsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<Headers>("headers");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("field");
    const Headers none;
    QTest::newRow("malformed JSON") << QByteArray("POST") << "pages/soccer" << QByteArray(R"({"show": true)") << none
                                    << 400 << "";
    QTest::newRow("unknown page") << QByteArray("POST") << "pages/bowling" << QByteArray("{}") << none << 404 << "page";
    QTest::newRow("page switched off") << QByteArray("POST") << "pages/sets" << QByteArray(R"({"show": true})") << none
                                       << 404 << "page";
    QTest::newRow("unknown field") << QByteArray("POST") << "pages/soccer"
                                   << QByteArray(R"({"homeGoal": 2, "show": true})") << none << 422 << "homeGoal";
    QTest::newRow("beyond the control") << QByteArray("POST") << "pages/soccer"
                                        << QByteArray(R"({"homeGoals": 100, "show": true})") << none << 422
                                        << "homeGoals";
    QTest::newRow("wrong method") << QByteArray("GET") << "pages/soccer" << QByteArray() << none << 405 << "";
    QTest::newRow("unknown path") << QByteArray("GET") << "pages" << QByteArray() << none << 404 << "";
    QTest::newRow("body over 64 KiB") << QByteArray("POST") << "pages/text"
                                      << QByteArray(R"({"lines": [")") + QByteArray(64 * 1024, 'x') + "\"]}" << none
                                      << 413 << "";
    QTest::newRow("from a foreign web page") << QByteArray("POST") << "pages/soccer" << QByteArray(R"({"show": true})")
                                             << Headers{{"Origin", "http://example.com"}} << 403 << "";
    QTest::newRow("under a foreign host name")
        << QByteArray("POST") << "erase" << QByteArray() << Headers{{"Host", "wall.example.com:8088"}} << 403 << "";
}

void tst_RemoteControl::refusalsChangeNothing()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(Headers, headers);
    QFETCH(int, status);
    QFETCH(QString, field);
    RemoteFixture f;
    f.startRemote();
    const Answer a = f.call(method, QStringLiteral("/api/v1/") + path, body, headers);
    QCOMPARE(a.status, status);
    QCOMPARE(a.json().value(QLatin1String("field")).toString(), field);
    QVERIFY(!a.json().value(QLatin1String("error")).toString().isEmpty());
    QTest::qWait(50);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(f.pageBodies(), QStringList());
}

void tst_RemoteControl::oversizedRequestIsCutOff()
{
    RemoteFixture f;
    f.startRemote();
    // Far beyond what a request may hold: answered and closed long before it is all in.
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, f.port);
    QVERIFY(raw.waitForConnected(5000));
    const qint64 size = 64 * 1024 * 1024;
    raw.write("POST /api/v1/pages/text HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
              "Content-Length: " +
              QByteArray::number(size) + "\r\n\r\n");
    const QByteArray chunk(64 * 1024, 'x');
    QByteArray answer;
    connect(&raw, &QTcpSocket::readyRead, &raw, [&] { answer += raw.readAll(); });
    qint64 written = 0;
    while (written < size && raw.state() == QAbstractSocket::ConnectedState) {
        written += raw.write(chunk);
        (void)QTest::qWaitFor([&] { return raw.bytesToWrite() < 4 * chunk.size(); }, 1000);
    }
    QTRY_VERIFY(raw.state() != QAbstractSocket::ConnectedState);
    QVERIFY(written < size);
    QVERIFY2(answer.startsWith("HTTP/1.1 413"), answer.left(40));
    QCOMPARE(f.call("GET", QStringLiteral("/api/v1/status")).status, 200);
}

void tst_RemoteControl::silentWallGets503()
{
    RemoteFixture f;
    f.startRemote();
    f.wall.answering = false;
    QTRY_COMPARE_WITH_TIMEOUT(f.app->Link.state(), LinkState::Waiting, 6000);
    f.wall.clear();
    for (const QString& call : {QStringLiteral("pages/soccer"), QStringLiteral("erase")})
        QCOMPARE(f.post(call, R"({})").status, 503);
    QCOMPARE(f.call("GET", QStringLiteral("/api/v1/status")).json().value(QLatin1String("link")).toString(),
             QStringLiteral("waiting"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(f.pageBodies(), QStringList());
}

void tst_RemoteControl::fiftyRequestsPerSecond()
{
    RemoteFixture f;
    f.startRemote();
    // The clock stands still: every request falls into the same second.
    for (int i = 0; i < 50; ++i)
        QCOMPARE(f.call("GET", QStringLiteral("/api/v1/status")).status, 200);
    QCOMPARE(f.post(QStringLiteral("pages/soccer"), R"({"show": true})").status, 429);
    QVERIFY(!f.app->FormSocker.isVisible());
    f.clock.advance(1000);
    QCOMPARE(f.call("GET", QStringLiteral("/api/v1/status")).status, 200);
}

void tst_RemoteControl::eventsInOrder()
{
    RemoteFixture f;
    f.startRemote();
    f.wall.answering = false;
    QTRY_COMPARE_WITH_TIMEOUT(f.app->Link.state(), LinkState::Waiting, 6000);
    EventClient events(f.url(QStringLiteral("/api/v1/events"), QStringLiteral("ws")));
    QTRY_COMPARE(events.messages.size(), 1);
    f.wall.answering = true;
    f.app->Link.queryLifeSign();
    QTRY_COMPARE(events.messages.size(), 2);
    QCOMPARE(f.post(QStringLiteral("pages/soccer"), R"({"home": "Blau", "homeGoals": 1, "show": true})").status, 200);
    // A goal entered without "Anzeigen": the window holds what the wall does not show, until it is shown.
    QCOMPARE(f.post(QStringLiteral("pages/soccer"), R"({"homeGoals": 2})").status, 200);
    QTRY_COMPARE(events.messages.last().value(QLatin1String("unsent")), true);
    QCOMPARE(f.call("GET", QStringLiteral("/api/v1/status")).json().value(QLatin1String("unsent")), true);
    QCOMPARE(f.post(QStringLiteral("pages/soccer"), R"({"show": true})").status, 200);
    QTRY_COMPARE(events.messages.last().value(QLatin1String("unsent")), false);
    const QStringList order = events.events();
    QCOMPARE(order.mid(0, 3), (QStringList{"status ", "link up", "sent soccer"}));
    QCOMPARE(order.mid(order.size() - 3), (QStringList{"unsent soccer", "sent soccer", "unsent soccer"}));
    QCOMPARE(events.messages.at(0).value(QLatin1String("link")).toString(), QStringLiteral("waiting"));
    QCOMPARE(
        events.messages.at(2).value(QLatin1String("values")).toObject(),
        QJsonDocument::fromJson(R"({"home": "Blau", "guest": "Gäste", "homeGoals": 1, "guestGoals": 0})").object());
}

void tst_RemoteControl::statusPageAndMonitor()
{
    RemoteFixture f;
    f.startRemote();
    const Answer page = f.call("GET", QStringLiteral("/"));
    QCOMPARE(page.status, 200);
    QVERIFY(page.body.contains("api/v1/monitor.png"));
    // The on-air monitor's picture of what was sent.
    QCOMPARE(f.post(QStringLiteral("pages/soccer"), R"({"homeGoals": 4, "show": true})").status, 200);
    const Answer png = f.call("GET", QStringLiteral("/api/v1/monitor.png"));
    QCOMPARE(png.status, 200);
    QCOMPARE(QImage::fromData(png.body, "PNG").convertToFormat(QImage::Format_RGB32),
             f.app->FormMonitor.picture(TFormMonitor::wallPixels()).convertToFormat(QImage::Format_RGB32));
    f.app->RemoteActions.setPicture({});
    QCOMPARE(f.call("GET", QStringLiteral("/api/v1/monitor.png")).status, 404);
    const QJsonObject status = f.call("GET", QStringLiteral("/api/v1/status")).json();
    QCOMPARE(status.value(QLatin1String("version")).toString(), f.wall.version);
    QCOMPARE(status.value(QLatin1String("columns")).toInt(), f.wall.columns);
    QCOMPARE(status.value(QLatin1String("unsent")).toBool(), false);
    QCOMPARE(status.value(QLatin1String("page")).toString(), QStringLiteral("soccer"));
}

void tst_RemoteControl::configurationPage()
{
    RemoteFixture f;
    f.start();
    QVERIFY(!f.app->Remote.isListening());
    QString shown;
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const int port = probe.serverPort();
    probe.close();
    f.editConfig(
        [&](const ConfigControls& c) {
            c.PageControl->setCurrentWidget(child<QWidget>(*c.PageControl, "TSRemote"));
            auto* token = child<QLineEdit>(*c.PageControl, "EdRemoteToken");
            const QString first = token->text();
            QCOMPARE(first.size(), 32); // generated when none was set
            QTest::mouseClick(child<QPushButton>(*c.PageControl, "SBRenewToken"), Qt::LeftButton);
            QVERIFY(token->text() != first);
            shown = token->text();
            child<QCheckBox>(*c.PageControl, "CBRemoteEnabled")->setChecked(true);
            child<QSpinBox>(*c.PageControl, "UDRemotePort")->setValue(port);
        },
        true);
    QCOMPARE(f.stored(QStringLiteral("Token"), QStringLiteral("Remote")), shown);
    QVERIFY(f.app->Remote.isListening());
    QCOMPARE(f.app->Remote.port(), port);

    // Switched off, it also ends the connections a client keeps open.
    QTcpSocket kept;
    kept.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(kept.waitForConnected(5000));
    kept.write("GET /api/v1/status HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + shown.toLatin1() +
               "\r\n\r\n");
    QByteArray answer;
    QTRY_VERIFY((answer += kept.readAll()).startsWith("HTTP/1.1 200"));
    f.editConfig(
        [](const ConfigControls& c) { child<QCheckBox>(*c.PageControl, "CBRemoteEnabled")->setChecked(false); }, true);
    QVERIFY(!f.app->Remote.isListening());
    QTRY_COMPARE(kept.state(), QAbstractSocket::UnconnectedState);
}

QTEST_MAIN(tst_RemoteControl)
#include "tst_RemoteControl.moc"
