#include "SocatPair.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QtCore/qtestsupport_core.h>

SocatPair::SocatPair() = default;

SocatPair::~SocatPair()
{
    kill();
}

bool SocatPair::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty();
}

bool SocatPair::start()
{
    if (!m_dir.isValid()) {
        return false;
    }
    QFile::remove(deviceA());
    QFile::remove(deviceB());
    const auto end = [](const QString& link) { return QStringLiteral("pty,raw,echo=0,link=%1").arg(link); };
    m_socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_socat.start(QStringLiteral("socat"), {end(deviceA()), end(deviceB())});
    if (!m_socat.waitForStarted(5000)) {
        return false;
    }
    return QTest::qWaitFor([this] { return QFileInfo::exists(deviceA()) && QFileInfo::exists(deviceB()); }, 10000);
}

void SocatPair::kill()
{
    if (m_socat.state() != QProcess::NotRunning) {
        m_socat.kill();
        m_socat.waitForFinished(5000);
    }
}
