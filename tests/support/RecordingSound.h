#pragma once

#include "pages/AlertSound.h"

#include <QStringList>

// A silent alert sound that notes what it was asked to play: "alert", "tone 400 800".
class RecordingSound final : public AlertSound
{
public:
    void alert() override { events << QStringLiteral("alert"); }
    void tone(int hertz, int milliseconds) override
    {
        events << QStringLiteral("tone %1 %2").arg(hertz).arg(milliseconds);
    }

    QStringList events;
};
