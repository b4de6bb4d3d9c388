#include "support/ScreenShot.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

namespace testsupport {

bool shootWindow(QWidget& window, const QString& file)
{
    return shootArea(window.frameGeometry().adjusted(-4, -4, 4, 4), file);
}

bool shootArea(const QRect& area, const QString& file)
{
    QTemporaryDir dir;
    const QString screen = dir.filePath(QStringLiteral("screen.png"));
    if (QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), screen}) != 0)
        return false;
    const bool ok = QImage(screen).copy(area).save(file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
    return ok;
}

QString screenshotFolder(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return {};
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    return out;
}

} // namespace testsupport
