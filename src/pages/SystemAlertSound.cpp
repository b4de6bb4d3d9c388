#include "pages/SystemAlertSound.h"

#include <QApplication>

void SystemAlertSound::alert()
{
    QApplication::beep();
}

void SystemAlertSound::tone(int hertz, int milliseconds)
{
    m_player.play(hertz, milliseconds);
}
