#pragma once

#include "app/DModule.h"

#include <QUdpSocket>

#include <memory>

// A UDP socket standing in for the wall on loopback, and a data module whose wall link sends to it.
struct BenchWall
{
    BenchWall()
    {
        wall.bind(QHostAddress::LocalHost, 0);
        QUdpSocket freePort;
        freePort.bind(QHostAddress::LocalHost, 0);
        Ports ports;
        ports.wallRx = freePort.localPort();
        freePort.close();
        ports.wallTx = wall.localPort();
        dm = std::make_unique<TDM>(ports);
        dm->setWallAddressSource([] { return QStringLiteral("127.0.0.1"); });
        dm->UDPVesk.OpenSocket();
    }

    QUdpSocket wall;
    std::unique_ptr<TDM> dm;
};
