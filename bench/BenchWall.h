#pragma once

#include "wall_link/WallLink.h"

#include <QUdpSocket>

#include <memory>

// A UDP socket standing in for the wall on loopback, and a wall link that sends to it.
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
        link = std::make_unique<WallLink>(ports);
        link->open();
    }

    QUdpSocket wall;
    std::unique_ptr<WallLink> link;
};
