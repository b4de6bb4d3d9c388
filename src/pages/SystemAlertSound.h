#pragma once

#include "pages/AlertSound.h"
#include "pages/TonePlayer.h"

// The real signal: the desktop's alert and a generated tone on the default audio output. Both are
// silent where the machine has no sound device.
class SystemAlertSound final : public AlertSound
{
public:
    void alert() override;
    void tone(int hertz, int milliseconds) override;

private:
    TonePlayer m_player;
};
