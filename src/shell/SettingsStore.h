#pragma once

#include "shell/Regstry.h"
#include "shell/Settings.h"

#include <optional>

// Keeps an unreadable file of the program instead of overwriting it: renames it with the date and time
// appended ("<file>.2024-03-09_07-05-03"). The new name, or nullopt when it cannot be renamed.
std::optional<QString> setAsideFile(const QString& file, const QDateTime& now);

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
    // A file of this program in the settings folder, beside the settings file: "<folder>/<program><suffix>".
    QString besideStore(const QString& suffix) const;

private:
    QString keyPath(SettingsGroup group) const;

    QString m_programName;
    TRegstry m_registry;
    QString m_folder;
};
