#include "shell/Settings.h"

#include "feeds/SerialSetup.h"

namespace {

// Numbers are decimal; the stored default stands in for a missing value, the fallback for a text that
// is not a number.
int number(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : fallback;
}

int itemIndex(int index, const QStringList& items)
{
    return index >= 0 && index < items.size() ? index : -1;
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

Settings Settings::read(const Lookup& stored)
{
    auto text = [&](const QString& key, const QString& fallback) {
        return storedText(stored(SettingsGroup::Main, key), fallback);
    };
    auto numberOf = [&](const QString& key, const QString& storedDefault, int fallback) {
        return number(text(key, storedDefault), fallback);
    };
    auto indexOf = [&](const QString& key, const QString& storedDefault, const QStringList& items) {
        return itemIndex(numberOf(key, storedDefault, -1), items);
    };

    Settings s;
    s.wallAddress = text(QStringLiteral("IPServer"), QStringLiteral("127.0.0.1"));
    s.watchText = text(QStringLiteral("WatchText"), QString());
    s.serverLargeText = text(QStringLiteral("ServerLargeText"), QString());
    s.serverSmallText = text(QStringLiteral("ServerSmallText"), QString());
    s.countDirectionIndex =
        indexOf(QStringLiteral("AFCountDirectionIndex"), QStringLiteral("0"), countDirectionItems());
    s.serialPortIndex = indexOf(QStringLiteral("SerialPortIndex"), QStringLiteral("0"), serialPortItems());
    s.serialProtocolIndex = indexOf(QStringLiteral("SerialProtocolIndex"), QStringLiteral("0"), serialProtocolItems());
    s.baudIndex = indexOf(QStringLiteral("SerialBaudIndex"), QStringLiteral("3"), baudItems());
    s.dataBitsIndex = indexOf(QStringLiteral("SerialDataIndex"), QStringLiteral("0"), dataBitsItems());
    s.parityIndex = indexOf(QStringLiteral("SerialParityIndex"), QStringLiteral("2"), parityItems());
    s.stopBitsIndex = indexOf(QStringLiteral("SerialStopIndex"), QStringLiteral("0"), stopBitsItems());
    s.mainLeft = numberOf(QStringLiteral("MainLeftPos"), QStringLiteral("25"), 25);
    s.mainTop = numberOf(QStringLiteral("MainTopPos"), QStringLiteral("370"), 370);
    switch (numberOf(QStringLiteral("OnCloseDoServerAction"), QStringLiteral("0"), 0)) {
    case 1:
        s.closeAction = CloseAction::CloseServer;
        break;
    case 2:
        s.closeAction = CloseAction::Shutdown;
        break;
    default:
        s.closeAction = CloseAction::KeepRunning;
        break;
    }
    s.useCosa = numberOf(QStringLiteral("UseCosaServer"), QStringLiteral("1"), 1) != 0;
    s.useLynx = numberOf(QStringLiteral("UseUdpLynxSever"), QStringLiteral("1"), 1) != 0;
    s.rxPrefix =
        storedText(stored(SettingsGroup::Json, QStringLiteral("RxPrefix")), QStringLiteral("QTX")).trimmed().toUpper();
    s.gameAndSetEnabled = numberOf(QStringLiteral("GameAndSetEnabled"), QStringLiteral("0"), 0) != 0;
    s.monitorVisible = numberOf(QStringLiteral("MonitorVisible"), QStringLiteral("0"), 0) != 0;
    s.monitorLeft = numberOf(QStringLiteral("MonitorLeftPos"), QStringLiteral("300"), 300);
    s.monitorTop = numberOf(QStringLiteral("MonitorTopPos"), QStringLiteral("370"), 370);
    s.monitorWidth = numberOf(QStringLiteral("MonitorWidth"), QStringLiteral("480"), 480);
    s.monitorHeight = numberOf(QStringLiteral("MonitorHeight"), QStringLiteral("290"), 290);
    s.gameClockKeepsTime = numberOf(QStringLiteral("GameClockKeepsTime"), QStringLiteral("0"), 0) != 0;
    for (int port = 1; port < serialPortItems().size(); ++port) {
        const QString key = serialsetup::deviceSettingName(port);
        if (stored(SettingsGroup::Main, key))
            s.serialDevices.insert(port, text(key, QString()));
    }
    auto remote = [&](const QString& key, const QString& fallback) {
        return storedText(stored(SettingsGroup::Remote, key), fallback);
    };
    s.remoteEnabled = number(remote(QStringLiteral("Enabled"), QStringLiteral("0")), 0) != 0;
    s.remoteAddress = remote(QStringLiteral("Address"), QStringLiteral("127.0.0.1")).trimmed();
    s.remotePort = number(remote(QStringLiteral("Port"), QStringLiteral("8088")), 8088);
    if (s.remotePort < 1 || s.remotePort > 65535)
        s.remotePort = 8088;
    s.remoteToken = remote(QStringLiteral("Token"), QString()).trimmed();
    return s;
}

QList<SettingsEntry> Settings::entries(const QDateTime& now) const
{
    QList<SettingsEntry> out;
    auto main = [&](const QString& key, const QString& value) { out.append({SettingsGroup::Main, key, value}); };
    auto mainNumber = [&](const QString& key, int value) { main(key, QString::number(value)); };

    main(QStringLiteral("LastUsed"), now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
    main(QStringLiteral("IPServer"), wallAddress);
    mainNumber(QStringLiteral("AFCountDirectionIndex"), countDirectionIndex);
    main(QStringLiteral("WatchText"), watchText);
    mainNumber(QStringLiteral("MainLeftPos"), mainLeft);
    mainNumber(QStringLiteral("MainTopPos"), mainTop);
    main(QStringLiteral("ServerLargeText"), serverLargeText);
    main(QStringLiteral("ServerSmallText"), serverSmallText);
    mainNumber(QStringLiteral("SerialPortIndex"), serialPortIndex);
    mainNumber(QStringLiteral("SerialProtocolIndex"), serialProtocolIndex);
    mainNumber(QStringLiteral("SerialBaudIndex"), baudIndex);
    mainNumber(QStringLiteral("SerialDataIndex"), dataBitsIndex);
    mainNumber(QStringLiteral("SerialParityIndex"), parityIndex);
    mainNumber(QStringLiteral("SerialStopIndex"), stopBitsIndex);
    if (closeAction)
        mainNumber(QStringLiteral("OnCloseDoServerAction"), static_cast<int>(*closeAction));
    main(QStringLiteral("UseCosaServer"), flag(useCosa));
    main(QStringLiteral("UseUdpLynxSever"), flag(useLynx));
    out.append({SettingsGroup::Json, QStringLiteral("RxPrefix"), rxPrefix.trimmed().toUpper()});
    main(QStringLiteral("GameAndSetEnabled"), flag(gameAndSetEnabled));
    main(QStringLiteral("MonitorVisible"), flag(monitorVisible));
    mainNumber(QStringLiteral("MonitorLeftPos"), monitorLeft);
    mainNumber(QStringLiteral("MonitorTopPos"), monitorTop);
    mainNumber(QStringLiteral("MonitorWidth"), monitorWidth);
    mainNumber(QStringLiteral("MonitorHeight"), monitorHeight);
    main(QStringLiteral("GameClockKeepsTime"), flag(gameClockKeepsTime));
    for (auto it = serialDevices.cbegin(); it != serialDevices.cend(); ++it)
        main(serialsetup::deviceSettingName(it.key()), it.value());
    auto remote = [&](const QString& key, const QString& value) { out.append({SettingsGroup::Remote, key, value}); };
    remote(QStringLiteral("Enabled"), flag(remoteEnabled));
    remote(QStringLiteral("Address"), remoteAddress);
    remote(QStringLiteral("Port"), QString::number(remotePort));
    remote(QStringLiteral("Token"), remoteToken);
    return out;
}

const QStringList& Settings::serialPortItems()
{
    static const QStringList items = [] {
        QStringList ports{QStringLiteral("ausgeschaltet")};
        for (int n = 1; n <= 20; ++n)
            ports << QStringLiteral("COM %1").arg(n);
        return ports;
    }();
    return items;
}

const QStringList& Settings::serialProtocolItems()
{
    static const QStringList items{QStringLiteral("OMEGA UNT"), QStringLiteral("Rollertime/Sportissimo")};
    return items;
}

const QStringList& Settings::baudItems()
{
    static const QStringList items{QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
                                   QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
                                   QStringLiteral("57600"), QStringLiteral("115200")};
    return items;
}

const QStringList& Settings::dataBitsItems()
{
    static const QStringList items{QStringLiteral("7"), QStringLiteral("8")};
    return items;
}

const QStringList& Settings::parityItems()
{
    static const QStringList items{QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even"),
                                   QStringLiteral("Mark"), QStringLiteral("Space")};
    return items;
}

const QStringList& Settings::stopBitsItems()
{
    static const QStringList items{QStringLiteral("1"), QStringLiteral("2")};
    return items;
}

const QStringList& Settings::countDirectionItems()
{
    static const QStringList items{QStringLiteral("rückwärts"), QStringLiteral("vorwärts")};
    return items;
}

QString Settings::itemText(const QStringList& items, int index)
{
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

QString Settings::storedText(const std::optional<QString>& stored, const QString& fallback)
{
    if (!stored || stored->size() > kMaxValueLength)
        return fallback;
    const qsizetype zero = stored->indexOf(QChar(u'\0'));
    return zero >= 0 ? stored->left(zero) : *stored;
}

QString Settings::groupName(SettingsGroup group)
{
    switch (group) {
    case SettingsGroup::Json:
        return QStringLiteral("JSON");
    case SettingsGroup::Remote:
        return QStringLiteral("Remote");
    case SettingsGroup::Main:
        break;
    }
    return QStringLiteral("Main");
}
