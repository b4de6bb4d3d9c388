#pragma once

#include "media/MediaModule.h"
#include "support/Controls.h"
#include "support/RecordingWallSink.h"
#include "wall_link/Ports.h"
#include "wall_link/Sleeper.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QWidget>

// The wall as the pages see it, recording what they send.
struct PageFixture
{
    // What the page sent since the last call, in order.
    QStringList sent() { return wall.take(); }

    RecordingWallSink wall;
};

// The same plus the media parts that the text list and media windows use.
struct MediaPageFixture : PageFixture
{
    Ports ports;
    TSleeper sleeper;
    TMediaModule media{sleeper, ports};
};

inline QString panelText(QWidget& window, const char* name)
{
    return child<QLabel>(window, name)->text();
}

inline void click(QWidget& window, const char* name)
{
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
}
