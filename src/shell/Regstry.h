#pragma once

#include <QString>

#include <optional>

// Access to the per-user settings store. A key path "Software\ZEL\<program>\<group>" names the
// organisation, the application and the group: on Windows that is the registry key itself, elsewhere
// the platform's settings file for organisation and application (QSettings, native format) with the
// group as its section. Every value is a string.
class TRegstry final
{
public:
    // settingsRoot empty: the platform's per-user store. Otherwise settings files live below that folder
    // (<root>/<organisation>/<application>.conf), which tests use for a private store.
    explicit TRegstry(QString settingsRoot = {});

    // "Software\ZEL\" + program name, set before each read or write pass.
    QString IniFileName;

    // Stores one value; the key is created when missing. Throws OperatorError "RegOpenKey failed!" when
    // the key cannot be opened or created, "RegSetValue failed: <key path><name> set to <value>" when the
    // value cannot be stored.
    void WriteString(const QString& keyPath, const QString& name, const QString& value);
    // The stored value up to its first zero character, or fallback when it is missing, cannot be read or
    // is longer than 254 characters (Settings::storedText). Never fails.
    QString ReadString(const QString& keyPath, const QString& name, const QString& fallback) const;
    // The stored text as it stands; nullopt when it is missing or cannot be read as a string.
    std::optional<QString> storedValue(const QString& keyPath, const QString& name) const;
    // The file that holds the key (on Windows the registry path); empty for a malformed key path.
    QString storeFile(const QString& keyPath) const;
    // True when that file exists but cannot be read as settings.
    bool storeIsJunk(const QString& keyPath) const;

private:
    QString m_root;
};
