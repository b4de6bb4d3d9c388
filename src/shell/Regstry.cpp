#include "shell/Regstry.h"

#include "shell/OperatorError.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <memory>
#include <optional>

namespace {

// More than any settings file of this program holds; a larger file is judged by its beginning.
constexpr qint64 kMaxStoreBytes = 1024 * 1024;

struct KeyParts
{
    QString organisation;
    QString application;
    QString group;
};

// "Software\ZEL\BrisalClient\Main" -> ZEL, BrisalClient, Main.
std::optional<KeyParts> splitKeyPath(const QString& keyPath)
{
    const QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() < 3)
        return std::nullopt;
    return KeyParts{parts.at(1), parts.at(2), parts.mid(3).join(QLatin1Char('/'))};
}

std::unique_ptr<QSettings> openStore(const QString& root, const KeyParts& key)
{
    auto settings = root.isEmpty()
                        ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, key.organisation,
                                                      key.application)
                        : std::make_unique<QSettings>(root + QLatin1Char('/') + key.organisation + QLatin1Char('/') +
                                                          key.application + QStringLiteral(".conf"),
                                                      QSettings::IniFormat);
    if (!key.group.isEmpty())
        settings->beginGroup(key.group);
    return settings;
}

// A settings file can only be written when its folder exists or can be made.
bool canOpenKey(const QSettings& settings)
{
    if (settings.format() != QSettings::IniFormat && settings.format() != QSettings::NativeFormat)
        return true;
    const QString folder = QFileInfo(settings.fileName()).absolutePath();
    return QFileInfo(folder).isDir() || QDir().mkpath(folder);
}

} // namespace

TRegstry::TRegstry(QString settingsRoot) : m_root(std::move(settingsRoot)) {}

void TRegstry::WriteString(const QString& keyPath, const QString& name, const QString& value)
{
    const std::optional<KeyParts> key = splitKeyPath(keyPath);
    if (!key)
        throw OperatorError(QStringLiteral("RegOpenKey failed!"));
    const std::unique_ptr<QSettings> settings = openStore(m_root, *key);
    if (!canOpenKey(*settings))
        throw OperatorError(QStringLiteral("RegOpenKey failed!"));
    settings->setValue(name, value);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        throw OperatorError(QStringLiteral("RegSetValue failed: %1 set to %2").arg(keyPath + name, value));
}

std::optional<QString> TRegstry::storedValue(const QString& keyPath, const QString& name) const
{
    const std::optional<KeyParts> key = splitKeyPath(keyPath);
    if (!key)
        return std::nullopt;
    const std::unique_ptr<QSettings> settings = openStore(m_root, *key);
    if (settings->status() != QSettings::NoError)
        return std::nullopt;
    const QVariant stored = settings->value(name);
    if (!stored.isValid() || stored.typeId() != QMetaType::QString)
        return std::nullopt;
    return stored.toString();
}

QString TRegstry::storeFile(const QString& keyPath) const
{
    const std::optional<KeyParts> key = splitKeyPath(keyPath);
    return key ? openStore(m_root, *key)->fileName() : QString();
}

bool TRegstry::storeIsJunk(const QString& keyPath) const
{
    // Qt reads a file it cannot parse as empty and replaces it on the next write. Such a file has a line
    // that is neither a section, a comment nor a key with its value (the registry is no file: never junk).
    QFile file(storeFile(keyPath));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& raw : file.read(kMaxStoreBytes).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[') ? !line.endsWith(']') : !line.contains('='))
            return true;
    }
    return false;
}

QString TRegstry::ReadString(const QString& keyPath, const QString& name, const QString& fallback) const
{
    return Settings::storedText(storedValue(keyPath, name), fallback);
}
