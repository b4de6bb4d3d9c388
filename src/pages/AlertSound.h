#pragma once

// The audible signal at the end of a game clock count. Implementations must return at once and stay
// silent, without an error, where the machine has no sound device.
class AlertSound
{
public:
    virtual ~AlertSound() = default;
    // The system's default alert sound.
    virtual void alert() = 0;
    // A sine tone of the given pitch and length.
    virtual void tone(int hertz, int milliseconds) = 0;
};
