#include "shell/SettingsStore.h"

SettingsStore::SettingsStore(QString programName, QString settingsRoot) : m_registry(std::move(settingsRoot))
{
    m_registry.IniFileName = QStringLiteral("Software\\ZEL\\") + programName;
}

QString SettingsStore::keyPath(SettingsGroup group) const
{
    return m_registry.IniFileName + QLatin1Char('\\') + Settings::groupName(group);
}

Settings SettingsStore::read() const
{
    return Settings::read(
        [this](SettingsGroup group, const QString& key) { return m_registry.storedValue(keyPath(group), key); });
}

void SettingsStore::write(const Settings& settings, const QDateTime& now)
{
    for (const SettingsEntry& entry : settings.entries(now))
        m_registry.WriteString(keyPath(entry.group), entry.key, entry.value);
}

QString SettingsStore::readMain(const QString& name, const QString& fallback) const
{
    return m_registry.ReadString(keyPath(SettingsGroup::Main), name, fallback);
}
