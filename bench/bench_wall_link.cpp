// Scramble-and-frame throughput, and the time from calling a page sequence to its last datagram
// arriving at a wall socket on loopback.
#include "BenchWall.h"
#include "wall_link/Crypter.h"
#include "wall_link/Frame.h"
#include "wall_link/WallCommands.h"

#include <QCoreApplication>
#include <QUdpSocket>

#include <benchmark/benchmark.h>

static void BM_ScrambleAndFrame(benchmark::State& state)
{
    TCrypter crypter;
    const QByteArray body(static_cast<qsizetype>(state.range(0)), 'x');
    const QByteArray key = TCrypter::randomKey();
    for (auto _ : state) {
        QByteArray datagram = frame::frameBody(crypter, body, key);
        benchmark::DoNotOptimize(datagram);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScrambleAndFrame)->Arg(1)->Arg(16)->Arg(64)->Arg(128)->Arg(255)->Arg(256)->Arg(284);

static void BM_Unframe(benchmark::State& state)
{
    TCrypter crypter;
    const QByteArray datagram =
        frame::frameBody(crypter, QByteArray(static_cast<qsizetype>(state.range(0)), 'x'), TCrypter::randomKey());
    for (auto _ : state) {
        auto body = frame::unframe(crypter, datagram);
        benchmark::DoNotOptimize(body);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Unframe)->Arg(1)->Arg(255);

// Soccer show (4 bodies) and a full 8-row text list (10 bodies): call to last datagram received.
static void BM_SequenceToWire(benchmark::State& state)
{
    BenchWall bench;
    QUdpSocket& wall = bench.wall;
    WallLink& link = *bench.link;
    const bool textList = state.range(0) == 1;
    const QStringList lines{QStringLiteral("1. Muster Max      10,23"), QStringLiteral("2. Beispiel Eva   10,31")};
    char buffer[512];
    for (auto _ : state) {
        const wallcmd::Bodies bodies =
            textList ? wallcmd::textListShow(wallcmd::TimeBarMode::Off, {}, QStringLiteral("100 m"), lines, 8)
                     : wallcmd::soccerShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 2, 0);
        link.send(bodies);
        for (qsizetype got = 0; got < bodies.size();) {
            if (wall.waitForReadyRead(1000))
                while (wall.hasPendingDatagrams()) {
                    wall.readDatagram(buffer, sizeof buffer);
                    ++got;
                }
        }
    }
    state.SetLabel(textList ? "text list, 10 datagrams" : "soccer, 4 datagrams");
}
BENCHMARK(BM_SequenceToWire)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
