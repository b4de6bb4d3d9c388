#include "shell/MatchStateFile.h"

#include "shell/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

MatchStateFile::MatchStateFile(QString path) : m_path(std::move(path)) {}

MatchStateFile::Loaded MatchStateFile::read(const MatchState& base, const QDateTime& now) const
{
    QFile file(m_path);
    if (!file.exists())
        return {base, {}};
    std::optional<MatchState> state;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxBytes)
        state = MatchState::fromJson(file.readAll(), base);
    file.close();
    if (state)
        return {*state, {}};
    const std::optional<QString> aside = setAsideFile(m_path, now);
    if (!aside)
        return {base, QStringLiteral("Der gespeicherte Spielstand \"%1\" ist unlesbar und kann nicht beiseitegelegt "
                                     "werden. Namen, Stände und Textliste beginnen mit den Anfangswerten; bitte "
                                     "die Datei umbenennen oder löschen.")
                          .arg(QDir::toNativeSeparators(m_path))};
    return {base, QStringLiteral("Der gespeicherte Spielstand \"%1\" war unlesbar. Er wurde als \"%2\" aufbewahrt; "
                                 "Namen, Stände und Textliste beginnen mit den Anfangswerten.")
                      .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(*aside))};
}

QString MatchStateFile::write(const MatchState& state) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly) && file.write(state.toJson()) >= 0 && file.commit())
        return {};
    return QStringLiteral("Der Spielstand kann nicht in \"%1\" gespeichert werden (%2). Bitte prüfen, ob Ordner "
                          "und Datei beschreibbar sind; nach einem Neustart fehlen sonst Namen und Stände.")
        .arg(QDir::toNativeSeparators(m_path), file.errorString());
}
