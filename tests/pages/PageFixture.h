#pragma once

#include "app/DModule.h"
#include "support/TestSupport.h"
#include "support/WallProbe.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include <memory>

// A data module whose wall link sends to a WallProbe on loopback, as the pages see it in the program.
struct PageFixture
{
    PageFixture()
    {
        Ports ports;
        ports.wallRx = testsupport::freeUdpPort();
        ports.wallTx = probe.port();
        dm = std::make_unique<TDM>(ports);
        dm->UDPVesk.RxPort = ports.wallRx;
        dm->UDPVesk.OpenSocket();
        dm->setWallAddressSource([] { return QStringLiteral("127.0.0.1"); });
    }

    // What reached the wall since the last call, in order.
    QStringList sent() { return probe.drain(*dm); }

    WallProbe probe;
    std::unique_ptr<TDM> dm;
};

template <typename T> T* child(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

inline QString panelText(QWidget& window, const char* name)
{
    return child<QLabel>(window, name)->text();
}

inline void click(QWidget& window, const char* name)
{
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
}
