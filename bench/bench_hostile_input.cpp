// Hostile input: the whole program (the composition root with real message boxes, offscreen, in this
// process) under floods of random and near-valid datagrams on the COSA port, the FinishLynx port and the wall
// port, and under valid COSA lists with the text list window open. A sender thread floods each port with a
// fixed count of datagrams, never more in flight than the port's receive buffer holds, so the figure is what
// the program handles, not what the kernel drops. Counters of each flood:
//   handled_per_s    datagrams the program acted on per second of wall-clock time
//   per_cpu_s        the same per second of the program thread's CPU time (what one free core would handle)
//   peak_growth_MiB  peak resident memory (VmHWM, reset before the flood) above the resident memory before it
//   worst_gap_ms     longest gap between two ticks of a 10 ms timer in the program's event loop
//   worst_busy_ms    longest CPU time of the program's thread between two ticks (the gap without the waits
//                    for a core on a loaded machine)
//   per_burst        datagrams taken off the socket per wake-up
//   boxes            message boxes shown; unhandled: datagrams not acted on when the flood ended
//
//   bench_hostile_input [--count=N] [--valid=N] [--free-ports] [benchmark flags]
//
// --count: hostile datagrams per port (100000); --valid: valid COSA lists (20000); --free-ports: any free
// ports instead of 11991, 65443 and 57000 (when another program holds them).
#include "app/Application.h"
#include "app/GuardedApplication.h"
#include "feeds/LynxMessage.h"
#include "shell/ErrorReport.h"
#include "textlist/StringGrid.h"
#include "wall_link/Crypter.h"
#include "wall_link/Frame.h"
#include "wall_link/WallCommands.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

using Rng = std::mt19937;
using Generator = std::function<QByteArray(Rng&)>;

// In flight: inside a loopback UDP socket's default receive buffer (208 KiB of kernel memory, which holds
// each datagram in up to twice its size plus about 1 KiB), and at most one wake-up's worth of datagrams
// beyond the one being read.
constexpr qint64 kInFlightBytes = 160 * 1024;
constexpr qint64 kDatagramOverhead = 1024;
constexpr int kInFlightDatagrams = 2 * TUDPVesk::kDatagramsPerWake;
// No datagram handled for this long: the ones in flight are given up on and the flood goes on.
constexpr qint64 kStallNs = 2'000'000'000;

int uniform(Rng& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool chance(Rng& rng, int percent)
{
    return uniform(rng, 1, 100) <= percent;
}

QByteArray randomBytes(Rng& rng, int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = static_cast<char>(rng() & 0xFF);
    return bytes;
}

QByteArray word(Rng& rng)
{
    static const char* const kWords[] = {"Anna",  "Bert",   "Cleo", "Dora", "Müller", "Özdemir", "TSV",       "LG Süd",
                                         "10,23", "1:02,5", "DNF",  "Lauf", "100 m",  "Finale",  "Weitsprung"};
    QByteArray w = kWords[uniform(rng, 0, static_cast<int>(std::size(kWords)) - 1)];
    if (chance(rng, 30))
        w += QByteArray::number(uniform(rng, 0, 999));
    return w;
}

// One to three edits of the kind a broken or hostile sender makes.
QByteArray mutate(Rng& rng, QByteArray bytes)
{
    static const char* const kTokens[] = {";",  "CDC;", ";CDC", "99999999", "-5", "\xC3", "\xF0\x9F\x98\x80",
                                          "\"", "{",    "}",    "[",        "]",  ",",    ":",
                                          "\\", "null", "0",    "\xAF"};
    const int edits = uniform(rng, 1, 3);
    for (int i = 0; i < edits && !bytes.isEmpty(); ++i) {
        const int at = uniform(rng, 0, static_cast<int>(bytes.size()) - 1);
        switch (uniform(rng, 0, 4)) {
        case 0:
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << uniform(rng, 0, 7)));
            break;
        case 1:
            bytes.remove(at, uniform(rng, 1, 16));
            break;
        case 2:
            bytes.insert(at, bytes.mid(at, uniform(rng, 1, 64)));
            break;
        case 3:
            bytes.insert(at, kTokens[uniform(rng, 0, static_cast<int>(std::size(kTokens)) - 1)]);
            break;
        default:
            bytes.truncate(at);
            break;
        }
    }
    return bytes;
}

// A COSA message as the liveboard sends it, with rows of random words.
QByteArray cosaMessage(Rng& rng, int rows)
{
    QByteArray m = "CDC;";
    switch (uniform(rng, 0, 6)) {
    case 0:
        m += "FREE;" + QByteArray::number(rows);
        for (int i = 0; i < rows; ++i)
            m += ';' + word(rng);
        break;
    case 1:
        m += "SCED;" + QByteArray::number(rows);
        for (int i = 0; i < rows; ++i)
            m += ";1" + QByteArray::number(i % 10) + ":00;" + word(rng);
        break;
    case 2:
    case 3:
        m += (chance(rng, 50) ? "STRT;" : "RSLT;") + word(rng) + ';' + word(rng) + ';' + QByteArray::number(rows);
        for (int i = 0; i < rows; ++i)
            m += ';' + QByteArray::number(i + 1) + ';' + word(rng) + ';' + word(rng) + ';' + word(rng);
        break;
    case 4:
        m += "MEDL;" + word(rng) + ';' + word(rng) + ";1;1;" + QByteArray::number(rows);
        for (int i = 0; i < rows + 2; ++i)
            m += ';' + word(rng) + ';' + word(rng) + ';' + word(rng);
        break;
    case 5:
        m += (chance(rng, 50) ? "PICT;" : "VIDEO;") + word(rng);
        break;
    default:
        m += chance(rng, 50) ? "BLNK" : "HOME";
        break;
    }
    return m + ";CDC";
}

QByteArray hostileCosa(Rng& rng)
{
    const int kind = uniform(rng, 1, 100);
    if (kind <= 30)
        return randomBytes(rng, uniform(rng, 1, chance(rng, 10) ? 8192 : 1400));
    if (kind <= 70)
        return mutate(rng, cosaMessage(rng, uniform(rng, 0, 40)));
    if (kind <= 80) // a message left open: the receiver keeps it until its bound
        return "CDC;RSLT;" + word(rng) + ';' + word(rng) + ";5;" + randomBytes(rng, uniform(rng, 0, 2000));
    if (kind <= 88) // a count far beyond the fields present
        return "CDC;RSLT;a;b;" + QByteArray::number(uniform(rng, 1000, 2000000000)) + ";1;x;y;z;CDC";
    if (kind <= 95) // thousands of empty fields
        return "CDC;MEDL;a;b;9999;9999;9999" + QByteArray(uniform(rng, 1000, 8000), ';') + "CDC";
    return randomBytes(rng, uniform(rng, 8193, 20000)); // cut by the socket
}

QByteArray lynxMessage(Rng& rng, int lines, bool wrongType = false)
{
    const QByteArray id = "QTX" + QByteArray::number(uniform(rng, 10000000, 99999999));
    QByteArray m = R"({"JIDS":")" + id + R"(","TL":{"Header":[")" + word(rng) + R"("],"Lines":{)";
    for (int i = 0; i < lines; ++i) {
        m += (i ? ",\"" : "\"") + QByteArray::number(i) + R"(":[")" + QByteArray::number(i + 1) + R"(","x",")" +
             word(rng) + R"(",")" + word(rng) + R"(",")" + word(rng) + R"(",)";
        m += wrongType && i == lines - 1 ? QByteArray("12.5") : '"' + word(rng) + '"';
        m += ']';
    }
    return m + R"(}},"SDIJ":")" + id + R"("})";
}

QByteArray hostileLynx(Rng& rng)
{
    const int kind = uniform(rng, 1, 100);
    if (kind <= 25)
        return randomBytes(rng, uniform(rng, 1, chance(rng, 10) ? 8192 : 1400));
    if (kind <= 50)
        return mutate(rng, lynxMessage(rng, uniform(rng, 0, 30)));
    if (kind <= 65) { // cut short: the collector waits for the rest
        const QByteArray m = lynxMessage(rng, uniform(rng, 1, 30));
        return m.left(uniform(rng, 1, static_cast<int>(m.size()) - 1));
    }
    if (kind <= 75) // a string where a number stands: the feed reports it
        return lynxMessage(rng, uniform(rng, 1, 10), true);
    if (kind <= 85)
        return R"({"JSCrypt":")" + randomBytes(rng, uniform(rng, 1, 4000)).toBase64() + R"("})";
    if (kind <= 95) { // many empty strings and lines
        QByteArray m = R"({"JIDS":"QTX00000001","TL":{"Lines":{"1":[)";
        m += QByteArray(uniform(rng, 100, 1500), 'x').replace("x", R"("",)");
        return m + R"(""]}},"SDIJ":"QTX00000001"})";
    }
    return randomBytes(rng, uniform(rng, 8193, 20000));
}

QByteArray hostileWall(Rng& rng, const TCrypter& crypter)
{
    const int kind = uniform(rng, 1, 100);
    if (kind <= 30)
        return randomBytes(rng, uniform(rng, 1, 600));
    if (kind <= 55)
        return frame::frameBody(crypter, randomBytes(rng, uniform(rng, 1, 255)), TCrypter::randomKey());
    if (kind <= 85) { // status replies of the wrong length
        QByteArray body =
            wallcmd::statusReply(uniform(rng, 0, 255), uniform(rng, 0, 255), QString::fromLatin1(word(rng)));
        if (chance(rng, 50))
            body.truncate(uniform(rng, 0, static_cast<int>(body.size())));
        else
            body += randomBytes(rng, uniform(rng, 1, 200));
        return frame::frameBody(crypter, body, TCrypter::randomKey());
    }
    if (kind <= 98)
        return mutate(
            rng, frame::frameBody(crypter, wallcmd::statusReply(32, 8, QStringLiteral("Wand")), TCrypter::randomKey()));
    return randomBytes(rng, uniform(rng, 8193, 20000));
}

// Valid result lists of 8 to 30 rows, one per datagram; the last one's first name is kept in name.
QByteArray validCosa(Rng& rng, int index, QByteArray& name)
{
    const int rows = uniform(rng, 8, 30);
    name = "Läufer" + QByteArray::number(index);
    QByteArray m = "CDC;RSLT;100 m;Lauf " + QByteArray::number(index) + ';' + QByteArray::number(rows);
    for (int i = 0; i < rows; ++i)
        m += ';' + QByteArray::number(i + 1) + ';' + (i == 0 ? name : word(rng)) + ';' + word(rng) + ';' + word(rng);
    return m + ";CDC";
}

qint64 procStatusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

qint64 threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Makes the peak resident size start again from the present one.
void resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// What the program has acted on so far; the sender waits on it instead of polling, so that its own wake-up
// latency does not limit the rate.
struct Progress
{
    void add(qint64 datagrams)
    {
        {
            // Under the lock, so that the sender cannot miss the change between its check and its wait.
            const std::lock_guard lock(mutex);
            handled += datagrams;
        }
        changed.notify_one();
    }

    std::atomic<qint64> handled{0};
    std::mutex mutex;
    std::condition_variable changed;
};

// Sends count datagrams of gen to port on loopback from its own thread, keeping in flight no more than the
// receive buffer holds. Datagrams that stay unhandled for
// kStall (dropped, or held by a handler that waits for the operator) are given up on and counted.
class Sender
{
public:
    Sender(quint16 port, qint64 count, Generator gen, Progress& progress)
        : m_port(port), m_count(count), m_gen(std::move(gen)), m_progress(progress)
    {}

    void run()
    {
        m_clock.start();
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(m_port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        Rng rng(20240611u + m_port);
        for (qint64 i = 0; i < m_count; ++i) {
            const QByteArray datagram = m_gen(rng);
            const qint64 weight = 2 * datagram.size() + kDatagramOverhead;
            waitWhile(
                [&] { return m_inFlight.size() >= kInFlightDatagrams || m_inFlightBytes + weight > kInFlightBytes; });
            if (::sendto(fd, datagram.constData(), static_cast<size_t>(datagram.size()), 0,
                         reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0) {
                ++m_unhandled;
                continue;
            }
            m_inFlight.push_back(weight);
            m_inFlightBytes += weight;
            ++m_sent;
        }
        waitWhile([&] { return !m_inFlight.empty(); });
        ::close(fd);
    }

    qint64 sent() const { return m_sent; }
    qint64 unhandled() const { return m_unhandled; }
    // From the first send to the last datagram handled.
    qint64 nanoseconds() const { return m_lastProgress; }

private:
    template <class Busy> void waitWhile(Busy busy)
    {
        qint64 stalledSince = m_clock.nsecsElapsed();
        for (;;) {
            const qint64 done = m_progress.handled.load() + m_unhandled;
            if (done > m_retired) {
                m_lastProgress = stalledSince = m_clock.nsecsElapsed();
                for (; m_retired < done && !m_inFlight.empty(); ++m_retired) {
                    m_inFlightBytes -= m_inFlight.front();
                    m_inFlight.pop_front();
                }
            }
            if (!busy())
                return;
            if (m_clock.nsecsElapsed() - stalledSince > kStallNs) {
                m_unhandled += static_cast<qint64>(m_inFlight.size());
                continue;
            }
            std::unique_lock lock(m_progress.mutex);
            m_progress.changed.wait_for(lock, std::chrono::milliseconds(1),
                                        [&] { return m_progress.handled.load() + m_unhandled > m_retired; });
        }
    }

    quint16 m_port;
    qint64 m_count;
    Generator m_gen;
    Progress& m_progress;
    QElapsedTimer m_clock;
    std::deque<qint64> m_inFlight;
    qint64 m_inFlightBytes = 0;
    qint64 m_retired = 0;
    qint64 m_sent = 0;
    qint64 m_unhandled = 0;
    qint64 m_lastProgress = 0;
};

// Counts the message boxes the program shows.
class BoxCounter final : public QObject
{
public:
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
            ++shown;
        return false;
    }
};

// The program as main() builds it, with its settings and send log in a temporary folder.
struct Program
{
    explicit Program(const Ports& ports)
    {
        ApplicationSetup setup;
        setup.ports = ports;
        setup.main.settingsRoot = folder.path();
        setup.main.helpFile = folder.path() + QStringLiteral("/BrisalClient.chm");
        setup.main.logFolder = folder.path() + QStringLiteral("/Protokoll");
        client = std::make_unique<BrisalClientApp>(setup, report);
        client->FormMain.show();
    }

    QTemporaryDir folder;
    MessageBoxReport report;
    std::unique_ptr<BrisalClientApp> client;
};

Program* g_program = nullptr;
qint64 g_hostileCount = 100000;
qint64 g_validCount = 20000;

enum class Target
{
    Cosa,
    Lynx,
    Wall
};

TUDPVesk& endpoint(Target target)
{
    switch (target) {
    case Target::Cosa:
        return g_program->client->UDPCosa;
    case Target::Lynx:
        return g_program->client->UDPJson;
    case Target::Wall:
        break;
    }
    return g_program->client->Link.endpoint();
}

void closeMessageBoxes()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            box->done(QMessageBox::Ok);
    }
}

// One flood of count datagrams of gen to target, with the text list window open; the figures go to state.
void flood(benchmark::State& state, Target target, qint64 count, Generator gen)
{
    BrisalClientApp& client = *g_program->client;
    if (!client.FormTextbox.isVisible())
        client.FormTextbox.show();
    TUDPVesk& port = endpoint(target);
    if (!port.Active()) {
        state.SkipWithError("port not bound (another program holds it? try --free-ports)");
        return;
    }
    QCoreApplication::processEvents();

    Progress progress;
    QObject counter;
    // After the program's own receivers: a datagram counts once it has been acted on (the COSA feed acts on
    // each burst of datagrams, the others on each datagram).
    if (target == Target::Cosa)
        QObject::connect(&port, &TUDPVesk::OnReceiveBurst, &counter,
                         [&](const QList<QByteArray>& datagrams) { progress.add(datagrams.size()); });
    else
        QObject::connect(&port, &TUDPVesk::OnReceive, &counter, [&] { progress.add(1); });
    qint64 bursts = 0;
    QObject::connect(&port, &TUDPVesk::OnReceiveBurst, &counter, [&] { ++bursts; });
    QObject::connect(&port, &TUDPVesk::OnError, &counter, [&](int, const QString& text) {
        if (text.startsWith(QLatin1String("UDPOnReceive")))
            progress.add(1);
    });
    BoxCounter boxes;
    qApp->installEventFilter(&boxes);

    std::atomic<bool> done{false};
    QElapsedTimer sinceTick;
    qint64 worstGapNs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    // The longest wait between two ticks, and the longest the thread was busy between two ticks: on a loaded
    // machine the first includes waiting for a core, the second is what the operator waits with one.
    qint64 worstBusyNs = 0;
    qint64 tickCpuNs = 0;
    QObject::connect(&probe, &QTimer::timeout, &counter, [&] {
        const qint64 cpu = threadCpuNs();
        if (!done) {
            worstGapNs = std::max(worstGapNs, sinceTick.nsecsElapsed());
            worstBusyNs = std::max(worstBusyNs, cpu - tickCpuNs);
        }
        sinceTick.start();
        tickCpuNs = cpu;
    });

    qint64 nanoseconds = 1;
    qint64 cpuNanoseconds = 0;
    qint64 growthKiB = 0;
    qint64 sent = 0;
    qint64 unhandled = 0;
    // The flood runs in the timed loop, so that the CPU column is the program's thread.
    for (auto _ : state) {
        const qint64 rssBefore = procStatusKiB("VmRSS:");
        resetPeakMemory();
        Sender sender(port.RxPort, count, gen, progress);
        QEventLoop loop;
        sinceTick.start();
        tickCpuNs = threadCpuNs();
        probe.start();
        const qint64 cpuBefore = threadCpuNs();
        std::thread thread([&] {
            sender.run();
            done = true;
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        // Boxes left open by the flood are closed once it is over (the coalescing report may follow with one
        // more), so that the stack of event loops unwinds to here.
        QTimer closer;
        closer.setInterval(5);
        QObject::connect(&closer, &QTimer::timeout, &counter, [&] {
            if (done)
                closeMessageBoxes();
        });
        closer.start();
        loop.exec();
        cpuNanoseconds = threadCpuNs() - cpuBefore;
        thread.join();
        probe.stop();
        nanoseconds = std::max<qint64>(sender.nanoseconds(), 1);
        growthKiB = procStatusKiB("VmHWM:") - rssBefore;
        sent = sender.sent();
        unhandled = sender.unhandled();
        state.SetIterationTime(static_cast<double>(nanoseconds) / 1e9);
    }
    qApp->removeEventFilter(&boxes);

    const double taken = static_cast<double>(progress.handled.load());
    state.counters["sent"] = static_cast<double>(sent);
    state.counters["unhandled"] = static_cast<double>(unhandled);
    state.counters["handled_per_s"] = taken * 1e9 / static_cast<double>(nanoseconds);
    // What one core would handle: the wall-clock rate shrinks with the share of the CPU the program gets.
    state.counters["per_cpu_s"] = taken * 1e9 / static_cast<double>(std::max<qint64>(cpuNanoseconds, 1));
    state.counters["peak_growth_MiB"] = static_cast<double>(growthKiB) / 1024.0;
    state.counters["worst_gap_ms"] = static_cast<double>(worstGapNs) / 1e6;
    state.counters["worst_busy_ms"] = static_cast<double>(worstBusyNs) / 1e6;
    state.counters["boxes"] = boxes.shown;
    state.counters["per_burst"] = taken / static_cast<double>(std::max<qint64>(bursts, 1));
}

void BM_HostileCosa(benchmark::State& state)
{
    flood(state, Target::Cosa, g_hostileCount, hostileCosa);
}

void BM_HostileLynx(benchmark::State& state)
{
    flood(state, Target::Lynx, g_hostileCount, hostileLynx);
}

void BM_HostileWall(benchmark::State& state)
{
    auto crypter = std::make_shared<TCrypter>();
    flood(state, Target::Wall, g_hostileCount, [crypter](Rng& rng) { return hostileWall(rng, *crypter); });
}

// Valid result lists with the text list window open; the last one sent must be the one shown.
void BM_ValidCosaWindowOpen(benchmark::State& state)
{
    auto lastName = std::make_shared<QByteArray>();
    auto index = std::make_shared<int>(0);
    flood(state, Target::Cosa, g_validCount,
          [lastName, index](Rng& rng) { return validCosa(rng, ++*index, *lastName); });
    QCoreApplication::processEvents();
    const auto* grid = g_program->client->FormTextbox.findChild<TStringGrid*>(QStringLiteral("SGLIF"));
    if (grid->cell(2, 1) != QString::fromUtf8(*lastName))
        state.SkipWithError("the last list is not the one shown");
}

void registerFloods()
{
    for (auto [name, function] :
         {std::pair{"BM_ValidCosaWindowOpen", &BM_ValidCosaWindowOpen}, std::pair{"BM_HostileCosa", &BM_HostileCosa},
          std::pair{"BM_HostileLynx", &BM_HostileLynx}, std::pair{"BM_HostileWall", &BM_HostileWall}}) {
        benchmark::RegisterBenchmark(name, function)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
}

quint16 freePort()
{
    QUdpSocket socket;
    socket.bind(QHostAddress::AnyIPv4, 0);
    return socket.localPort();
}

// The warning the program writes for each bad message is dropped here, not printed between the figures.
void dropMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        std::abort();
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    Ports ports;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--count="))
            g_hostileCount = arg.mid(8).toLongLong();
        else if (arg.startsWith("--valid="))
            g_validCount = arg.mid(8).toLongLong();
        else if (arg == "--free-ports")
            ports = Ports{freePort(), freePort(), freePort(), freePort(), ports.ftp};
    }
    GuardedApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qInstallMessageHandler(dropMessage);
    Program program(ports);
    app.setErrorReport(&program.report);
    g_program = &program;
    // The start timer reads the settings and opens the feeds.
    QElapsedTimer start;
    start.start();
    while (start.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    registerFloods();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_program = nullptr;
    return 0;
}
