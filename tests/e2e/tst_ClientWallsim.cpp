#include "X11Session.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("Brisal Client");

// Pixels of a lit green lamp inside the rectangle.
int greenLampPixels(const QImage& screen, const QRect& area)
{
    int count = 0;
    const QRect r = area.intersected(screen.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            count += c.green() > 140 && c.red() < 110 && c.blue() < 110;
        }
    }
    return count;
}

QStringList logLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

// The real programs: BrisalClient under a virtual display with wallsim as its wall on 127.0.0.1,
// both on the fixed ports.
class tst_ClientWallsim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void startQueriesTheWallAndLampTurnsGreen();
    void secondStartHandsOverToTheFirst();

private:
    QProcessEnvironment environment() const;
    void startWall();
    void startClient(QProcess& client);

    X11Session m_x;
    QTemporaryDir m_home;
    QProcess m_wall;
    QProcess m_client;
    QString m_log;
};

void tst_ClientWallsim::initTestCase()
{
    if (!X11Session::available())
        QSKIP("no virtual display here (xvfb-run, Xvfb, xdotool and import are needed)");
    for (const char* program : {"/tools/wallsim/wallsim", "/src/app/BrisalClient"}) {
        if (!QFile::exists(testsupport::binaryDir() + QLatin1String(program)))
            QSKIP("wallsim or BrisalClient not built");
    }
    QVERIFY(m_home.isValid());
    QVERIFY(m_x.start());
}

void tst_ClientWallsim::cleanup()
{
    for (QProcess* p : {&m_client, &m_wall}) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
            p->waitForFinished(2000);
        }
    }
}

QProcessEnvironment tst_ClientWallsim::environment() const
{
    // A private settings store and lock folder, so a client the developer runs is not disturbed.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_x.display());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("runtime")));
    QDir().mkpath(m_home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(m_home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return env;
}

void tst_ClientWallsim::startWall()
{
    m_log = m_home.filePath(QStringLiteral("wall.log"));
    QFile::remove(m_log);
    m_wall.setProcessEnvironment(environment());
    m_wall.setProcessChannelMode(QProcess::MergedChannels);
    m_wall.start(testsupport::binaryDir() + QStringLiteral("/tools/wallsim/wallsim"),
                 {QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                  QStringLiteral("57001"), QStringLiteral("--headless"), QStringLiteral("--columns"),
                  QStringLiteral("40"), QStringLiteral("--log"), m_log});
    QVERIFY(m_wall.waitForStarted(5000));
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += m_wall.readAll()).contains("listening"), 10000);
}

void tst_ClientWallsim::startClient(QProcess& client)
{
    client.setProcessEnvironment(environment());
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(testsupport::binaryDir() + QStringLiteral("/src/app/BrisalClient"), {});
    QVERIFY(client.waitForStarted(5000));
}

void tst_ClientWallsim::startQueriesTheWallAndLampTurnsGreen()
{
    startWall();
    startClient(m_client);
    QRect window;
    QTRY_VERIFY_WITH_TIMEOUT(!(window = m_x.windowGeometry(kTitle)).isEmpty(), 15000);
    // Stored position of a first start, once the start timer has read the settings (the window shows at
    // 40, 40 first).
    QTRY_COMPARE_WITH_TIMEOUT((window = m_x.windowGeometry(kTitle)).topLeft(), QPoint(25, 370), 5000);
    // Without any operator action the start timer's life-sign query reaches the wall...
    QTRY_VERIFY_WITH_TIMEOUT(logLines(m_log).contains(QStringLiteral("80 FD")), 10000);
    QCOMPARE(logLines(m_log).first(), QStringLiteral("80 FD"));
    // ...and the wall's answer lights the lamp in the window's top right corner.
    const QRect corner(window.right() - 60, window.top(), 61, 70);
    QTRY_VERIFY_WITH_TIMEOUT(greenLampPixels(m_x.screenshot(), corner) >= 20, 10000);
    QCOMPARE(m_client.state(), QProcess::Running);
}

void tst_ClientWallsim::secondStartHandsOverToTheFirst()
{
    startWall();
    startClient(m_client);
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.windowGeometry(kTitle).isEmpty(), 15000);
    QProcess second;
    startClient(second);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(m_x.windowCount(kTitle), 1);
    QCOMPARE(m_client.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_ClientWallsim)
#include "tst_ClientWallsim.moc"
