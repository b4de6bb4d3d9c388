#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The operator's settings: every key of the settings store with its group, default and type, how a
// stored text becomes a value and which texts are saved. Stored as strings per user under
// "Software\ZEL\<program>\Main" and "...\JSON".
enum class SettingsGroup
{
    Main,
    Json,
    Remote
};

// What happens to the wall server when the client ends.
enum class CloseAction
{
    KeepRunning = 0, // the stored number
    CloseServer = 1,
    Shutdown = 2
};

struct SettingsEntry
{
    SettingsGroup group;
    QString key;
    QString value;
    bool operator==(const SettingsEntry&) const = default;
};

struct Settings
{
    // The stored text of a key as the store holds it; nullopt when it is missing or not a string.
    using Lookup = std::function<std::optional<QString>(SettingsGroup, const QString& key)>;

    QString wallAddress = QStringLiteral("127.0.0.1"); // "IPServer"
    QString watchText;                                 // "WatchText", the clock page's small line
    QString serverLargeText;                           // "ServerLargeText"
    QString serverSmallText;                           // "ServerSmallText"
    int countDirectionIndex = 0;                       // "AFCountDirectionIndex", into countDirectionItems()
    int serialPortIndex = 0;                           // "SerialPortIndex", into serialPortItems(); 0 is off
    int serialProtocolIndex = 0;                       // "SerialProtocolIndex", into serialProtocolItems()
    int baudIndex = 3;                                 // "SerialBaudIndex", into baudItems()
    int dataBitsIndex = 0;                             // "SerialDataIndex", into dataBitsItems()
    int parityIndex = 2;                               // "SerialParityIndex", into parityItems()
    int stopBitsIndex = 0;                             // "SerialStopIndex", into stopBitsItems()
    int mainLeft = 25;                                 // "MainLeftPos"
    int mainTop = 370;                                 // "MainTopPos"
    // "OnCloseDoServerAction"; none chosen saves nothing, so the stored value stays.
    std::optional<CloseAction> closeAction = CloseAction::KeepRunning;
    bool useCosa = true;                      // "UseCosaServer"
    bool useLynx = true;                      // "UseUdpLynxSever"
    QString rxPrefix = QStringLiteral("QTX"); // "RxPrefix" under JSON, the FinishLynx sender prefix
    // "GameAndSetEnabled": the main window's game-and-set button works; not offered in the dialog, set by
    // integrators of venues that count games and sets.
    bool gameAndSetEnabled = false;
    // The on-air monitor window: shown or not ("MonitorVisible") and where it stands.
    bool monitorVisible = false; // off, so the launcher starts alone
    int monitorLeft = 300;       // "MonitorLeftPos", beside the launcher's default place
    int monitorTop = 370;        // "MonitorTopPos"
    int monitorWidth = 480;      // "MonitorWidth"
    int monitorHeight = 290;     // "MonitorHeight"
    // "GameClockKeepsTime": the football game clock counts on while its window is closed.
    bool gameClockKeepsTime = false;
    // "SerialDevice<n>": the device behind "COM n" where the operator chose one (empty: the default);
    // only the numbers with a stored value.
    QMap<int, QString> serialDevices;
    // Group "Remote": the HTTP and WebSocket remote control, off unless switched on. Port: a number
    // from 1 to 65535, anything else gives the default. Token: empty until generated (the dialog's page
    // does so when it first shows one).
    bool remoteEnabled = false;                          // "Enabled"
    QString remoteAddress = QStringLiteral("127.0.0.1"); // "Address"
    int remotePort = 8088;                               // "Port"
    QString remoteToken;                                 // "Token"

    // Every key in the reading order; missing or unusable texts give the defaults. Item indexes that are
    // not numbers, negative or beyond their list become -1 (no entry chosen); the prefix is trimmed and
    // in capitals.
    static Settings read(const Lookup& stored);
    // What saving stores, in the saving order, starting with "LastUsed" (now as "dd.MM.yyyy HH:mm:ss").
    QList<SettingsEntry> entries(const QDateTime& now) const;

    // The choices of the list settings, in their order.
    static const QStringList& serialPortItems();
    static const QStringList& serialProtocolItems();
    static const QStringList& baudItems();
    static const QStringList& dataBitsItems();
    static const QStringList& parityItems();
    static const QStringList& stopBitsItems();
    static const QStringList& countDirectionItems();
    // The text of an item, empty for -1 or beyond the list.
    static QString itemText(const QStringList& items, int index);

    // A stored text as it is read: up to its first zero character; longer than kMaxValueLength gives the
    // fallback.
    static QString storedText(const std::optional<QString>& stored, const QString& fallback);
    static constexpr qsizetype kMaxValueLength = 254;

    static QString groupName(SettingsGroup group);

    bool operator==(const Settings&) const = default;
};
