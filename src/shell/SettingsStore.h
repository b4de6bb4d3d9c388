#pragma once

#include "shell/Regstry.h"
#include "shell/Settings.h"

// The settings of one program in the per-user store: reads them all and saves them all, in the orders of
// Settings.
class SettingsStore final
{
public:
    // settingsRoot empty: the platform's per-user store; otherwise a private folder (tests).
    explicit SettingsStore(QString programName = QStringLiteral("BrisalClient"), QString settingsRoot = {});

    // Never fails: missing or unreadable values give their defaults.
    Settings read() const;
    // Saves every value in order. A store file that cannot be read as settings at all is first renamed
    // with the date (never overwritten); the returned German note names both files, empty otherwise.
    // Throws OperatorError with a German text naming the file at the first value that cannot be stored;
    // the later ones keep what they held.
    QString write(const Settings& settings, const QDateTime& now = QDateTime::currentDateTime());
    // Where the settings are kept.
    QString storeFile() const;

private:
    QString keyPath(SettingsGroup group) const;

    TRegstry m_registry;
};
