// Upload speed and memory of the client's own upload path: stages FILE as the video pages do
// (TMediaUpload::stage into the staging folder, $TMPDIR) and uploads the staged copy with
// TMediaUpload::SendVideoTo to the FTP server at HOST:PORT, while the event loop runs. Prints one line
// of key=value figures: the transfer time from the start of the FTP session to the stored file, its
// speed, the CPU time the process spent meanwhile, and the process's resident memory before staging and its peaks after staging and after
// uploading. bench/upload-speed runs it beside `curl -T` against the same server.
#include "media/MediaUpload.h"
#include "wall_link/Ports.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <sys/resource.h>

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: bench_upload FILE HOST PORT\n");
        return 2;
    }
    const QString source = args[1];
    Ports ports;
    ports.ftp = args[3].toUShort();
    TMediaUpload upload(ports);

    const long rssBefore = residentKiB();
    const QString staged = TMediaUpload::videoCopyPath(source);
    try {
        TMediaUpload::stage(source, staged);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "staging failed: %s\n", e.what());
        return 1;
    }
    const long peakStaged = peakKiB();

    QElapsedTimer clock;
    double cpuAtStart = 0;
    QObject::connect(&upload, &TMediaUpload::uploadStarted, &app, [&] {
        clock.start();
        cpuAtStart = cpuSeconds();
    });
    QString error;
    qint64 ms = 0;
    double cpu = 0;
    upload.SendVideoTo(args[2], staged, nullptr, [&](const QString& e) {
        ms = clock.elapsed();
        cpu = cpuSeconds() - cpuAtStart;
        error = e;
        app.quit();
    });
    app.exec();
    QFile::remove(staged);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "upload failed: %s\n", qPrintable(error));
        return 1;
    }
    const qint64 bytes = QFileInfo(source).size();
    std::printf("bytes=%lld seconds=%.3f MBps=%.1f cpu_seconds=%.3f rss_before_KiB=%ld "
                "peak_after_staging_KiB=%ld peak_after_upload_KiB=%ld\n",
                static_cast<long long>(bytes), static_cast<double>(ms) / 1000.0,
                static_cast<double>(bytes) / 1e6 / (static_cast<double>(ms) / 1000.0), cpu, rssBefore, peakStaged,
                peakKiB());
    return 0;
}
