// Serial timing: from a frame's end byte written into a pty to the time display body leaving the wall
// socket, through the real path (socat line, TSerialTiming, TFormZMT with "Anzeigen" down, the wall link, UDP).
#include "../tests/feeds/SocatPair.h"
#include "BenchWall.h"
#include "feeds/SerialFrames.h"
#include "feeds/SerialTiming.h"
#include "pages/ZMT.h"
#include "wall_link/Frame.h"
#include "wall_link/WallCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QToolButton>
#include <QUdpSocket>

#include <benchmark/benchmark.h>

namespace {

QByteArray omegaFrame(int n)
{
    const QByteArray text = QByteArray::number(n % 100000).rightJustified(8, ' ');
    return QByteArray("\x01\x14R\x02", 4) + text + QByteArray(1, 0x04);
}

} // namespace

// CPU part alone: collect a frame byte by byte, decode it, build and frame both bodies.
static void BM_FrameToDatagrams(benchmark::State& state)
{
    TCrypter crypter;
    serialframes::FrameCollector collector;
    const QByteArray frame = omegaFrame(12345);
    for (auto _ : state) {
        for (const char c : frame) {
            if (const auto complete = collector.take(c, serialframes::Protocol::OmegaUnt)) {
                const auto message = serialframes::omegaUntFrame(*complete);
                for (const QByteArray& body : wallcmd::timingTime(message->text)) {
                    QByteArray datagram = frame::frameBody(crypter, body, TCrypter::randomKey());
                    benchmark::DoNotOptimize(datagram);
                }
            }
        }
    }
}
BENCHMARK(BM_FrameToDatagrams)->Unit(benchmark::kMicrosecond);

// Writing the whole frame at once: the end byte enters the line at the write. Manual time per frame:
// write to the first datagram (the time body) arriving at the wall socket.
static void BM_PtyToSocket(benchmark::State& state)
{
    SocatPair line;
    if (!SocatPair::available() || !line.start()) {
        state.SkipWithError("socat is not available");
        return;
    }
    BenchWall bench;
    QUdpSocket& wall = bench.wall;
    TSerialTiming timing;
    TFormZMT zmt(*bench.link);
    zmt.show();
    zmt.findChild<QToolButton*>(QStringLiteral("SBSend"))->click();
    timing.setDisplay([&zmt] { return zmt.isVisible(); },
                      [&zmt](const QString& text, bool force) { zmt.HandleTimeMessage(text, force); });
    timing.setProtocolSource([] { return 0; });
    timing.setDeviceMapping([&line](int) { return line.deviceA(); });
    if (!timing.openPort({1, QStringLiteral("9600"), QStringLiteral("8"), QStringLiteral("1"), 0})) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    QSerialPort device(line.deviceB());
    device.open(QIODevice::WriteOnly);
    QCoreApplication::processEvents();
    char buffer[512];
    while (wall.hasPendingDatagrams())
        wall.readDatagram(buffer, sizeof buffer);

    int n = 0;
    for (auto _ : state) {
        const QByteArray frame = omegaFrame(++n);
        QElapsedTimer clock;
        clock.start();
        device.write(frame);
        device.flush();
        while (!wall.hasPendingDatagrams())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        // The second body of the pair follows at once; take both so the next round starts clean.
        for (int got = 0; got < 2;) {
            if (wall.hasPendingDatagrams()) {
                wall.readDatagram(buffer, sizeof buffer);
                ++got;
            } else {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
        }
    }
    timing.closePort();
}
BENCHMARK(BM_PtyToSocket)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
