#include "shell/SettingsStore.h"

#include "shell/OperatorError.h"

#include "wall_link/PermutationTable.h"

#include <QFile>
#include <QFileInfo>

std::optional<QString> setAsideFile(const QString& file, const QDateTime& now)
{
    const QString aside = file + now.toString(QStringLiteral("'.'yyyy-MM-dd_HH-mm-ss"));
    if (!QFile::rename(file, aside))
        return std::nullopt;
    return aside;
}

SettingsStore::SettingsStore(QString programName, QString settingsRoot)
    : m_programName(std::move(programName)), m_registry(settingsRoot)
{
    m_registry.IniFileName = QStringLiteral("Software\\ZEL\\") + m_programName;
#ifdef Q_OS_WIN
    // The registry is no folder: the per-user settings folder stands in for it.
    if (settingsRoot.isEmpty()) {
        m_folder = userSettingsDir();
        return;
    }
#endif
    m_folder = QFileInfo(storeFile()).absolutePath();
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

QString SettingsStore::storeFile() const
{
    return m_registry.storeFile(keyPath(SettingsGroup::Main));
}

QString SettingsStore::write(const Settings& settings, const QDateTime& now)
{
    QString note;
    const QString file = storeFile();
    if (m_registry.storeIsJunk(keyPath(SettingsGroup::Main))) {
        const std::optional<QString> aside = setAsideFile(file, now);
        if (!aside)
            throw OperatorError(
                QStringLiteral("Die Einstellungsdatei \"%1\" ist unlesbar und kann nicht beiseitegelegt "
                               "werden. Bitte die Datei umbenennen oder löschen.")
                    .arg(file));
        note = QStringLiteral("Die Einstellungsdatei \"%1\" war unlesbar. Sie wurde als \"%2\" aufbewahrt; die "
                              "Einstellungen werden neu gespeichert.")
                   .arg(file, *aside);
    }
    try {
        for (const SettingsEntry& entry : settings.entries(now))
            m_registry.WriteString(keyPath(entry.group), entry.key, entry.value);
    } catch (const OperatorError&) {
        throw OperatorError(QStringLiteral("Die Einstellungen können nicht in \"%1\" gespeichert werden. Bitte "
                                           "prüfen, ob Ordner und Datei beschreibbar sind; sonst gelten beim "
                                           "nächsten Start die zuvor gespeicherten Einstellungen.")
                                .arg(file));
    }
    return note;
}

QString SettingsStore::besideStore(const QString& suffix) const
{
    return m_folder + QLatin1Char('/') + m_programName + suffix;
}
