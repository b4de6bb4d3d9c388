// Remote control: POST pages/soccer with show over HTTP on loopback against the whole program, to the
// soccer page's datagrams leaving for the wall (the wall link has handed all four to the socket) and to the
// answer.
#include "../tests/shell/AnsweringWall.h"
#include "app/Application.h"
#include "shell/ErrorReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// One real microsecond counts as a millisecond on the monotonic scale, so that the limit of 50 requests
// per second and peer never refuses a request of the benchmark.
class FastClock final : public Clock
{
public:
    FastClock() { m_started.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_started.nsecsElapsed() / 1000; }

private:
    QElapsedTimer m_started;
};

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

// The end of one HTTP answer in what arrived: headers and as many body bytes as they announce.
bool answerComplete(const QByteArray& in)
{
    const qsizetype end = in.indexOf("\r\n\r\n");
    if (end < 0)
        return false;
    const qsizetype at = in.indexOf("Content-Length: ");
    const qsizetype length = in.mid(at + 16, in.indexOf("\r\n", at) - at - 16).toLongLong();
    return in.size() >= end + 4 + length;
}

} // namespace

static void BM_RemoteSoccerToWire(benchmark::State& state)
{
    QTemporaryDir settings;
    AnsweringWall wall;
    FastClock clock;
    RecordingReport report;
    ApplicationSetup setup;
    setup.ports.wallRx = freeUdpPort();
    setup.ports.wallTx = wall.port();
    setup.ports.cosa = freeUdpPort();
    setup.ports.json = freeUdpPort();
    setup.main.settingsRoot = settings.path();
    setup.clock = &clock;
    BrisalClientApp app(setup, report);
    app.FormMain.show();
    QElapsedTimer waited;
    waited.start();
    while (app.Link.state() != LinkState::Up && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!app.Remote.apply({true, QStringLiteral("127.0.0.1"), 0, {}}) || app.Link.state() != LinkState::Up) {
        state.SkipWithError("the program did not come up");
        return;
    }

    int bodies = 0;
    QObject::connect(&wall, &AnsweringWall::received, &wall, [&bodies](const QString& hex) {
        if (!hex.startsWith(QLatin1String("80 ")))
            ++bodies;
    });
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, app.Remote.port());
    client.waitForConnected(5000);
    QByteArray answer;
    QObject::connect(&client, &QTcpSocket::readyRead, &client, [&] { answer += client.readAll(); });

    std::vector<double> wire;
    std::vector<double> answered;
    QElapsedTimer t;
    double wireUs = 0;
    // Emitted once the bodies have left through the socket: the moment they are on the wire.
    QObject::connect(&app.Link, &WallLink::bodiesSent, &wall, [&](const wallcmd::Bodies& sent) {
        wireUs = sent.size() == 4 ? double(t.nsecsElapsed()) / 1000 : wireUs;
    });
    int goals = 0;
    QElapsedTimer total;
    total.start();
    for (auto _ : state) {
        const QByteArray body = QByteArray(R"({"home": "Heim", "guest": "Gäste", "homeGoals": )") +
                                QByteArray::number(++goals % 100) + R"(, "guestGoals": 0, "show": true})";
        const QByteArray request = "POST /api/v1/pages/soccer HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                   "Content-Type: application/json\r\nContent-Length: " +
                                   QByteArray::number(body.size()) + "\r\n\r\n" + body;
        // The window repaints what the previous request changed before this one is timed, as it does
        // between an operator's or a panel's calls; the request rate counts the painting.
        QCoreApplication::processEvents();
        bodies = 0;
        wireUs = 0;
        answer.clear();
        t.start();
        client.write(request);
        double answerUs = 0;
        while (bodies < 4 || !answerComplete(answer)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (answerComplete(answer) && answerUs == 0)
                answerUs = double(t.nsecsElapsed()) / 1000;
        }
        wire.push_back(wireUs);
        answered.push_back(answerUs);
    }
    state.counters["req/s"] = double(state.iterations()) * 1e9 / double(total.nsecsElapsed());
    state.counters["wire_p50_us"] = percentile(wire, 0.5);
    state.counters["wire_p99_us"] = percentile(wire, 0.99);
    state.counters["answer_p50_us"] = percentile(answered, 0.5);
    state.counters["answer_p99_us"] = percentile(answered, 0.99);
}
BENCHMARK(BM_RemoteSoccerToWire)->Iterations(5000)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
