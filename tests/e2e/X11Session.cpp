#include "X11Session.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

bool X11Session::available()
{
    for (const char* program : {"xvfb-run", "Xvfb", "xdotool", "import"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return false;
    }
    return true;
}

X11Session::~X11Session()
{
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.terminate();
        if (!m_xvfb.waitForFinished(3000))
            m_xvfb.kill();
        m_xvfb.waitForFinished(1000);
    }
}

bool X11Session::start()
{
    // -displayfd: the server picks a free display and writes its number to our stdout once it is ready.
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_xvfb.waitForStarted(5000))
        return false;
    QByteArray out;
    while (!out.contains('\n') && m_xvfb.waitForReadyRead(10000))
        out += m_xvfb.readAllStandardOutput();
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (!ok)
        return false;
    m_display = QStringLiteral(":%1").arg(number);
    return true;
}

QString X11Session::run(const QString& program, const QStringList& arguments) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QRect X11Session::windowGeometry(const QString& title) const
{
    const QString ids = run(QStringLiteral("xdotool"),
                            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                             QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
    const QString first = ids.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (first.isEmpty())
        return {};
    const QString shell =
        run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), first});
    auto value = [&](const char* key) {
        const QRegularExpression re(QStringLiteral("^%1=(-?\\d+)$").arg(QLatin1String(key)),
                                    QRegularExpression::MultilineOption);
        return re.match(shell).captured(1).toInt();
    };
    return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
}

int X11Session::windowCount(const QString& title) const
{
    const QString ids = run(QStringLiteral("xdotool"),
                            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                             QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
    return int(ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

QImage X11Session::screenshot() const
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("screen.png"));
    run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    return QImage(file);
}
