#include "shell/Settings.h"

#include <QHash>
#include <QTest>

namespace {

using Entries = QList<std::pair<QString, QString>>; // "Group/Key", value

Settings readFrom(const QHash<QString, QString>& store)
{
    return Settings::read([&store](SettingsGroup group, const QString& key) -> std::optional<QString> {
        const QString path = Settings::groupName(group) + QLatin1Char('/') + key;
        if (!store.contains(path))
            return std::nullopt;
        return store.value(path);
    });
}

Entries written(const Settings& settings)
{
    Entries out;
    for (const SettingsEntry& e : settings.entries(QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3))))
        out.append({Settings::groupName(e.group) + QLatin1Char('/') + e.key, e.value});
    return out;
}

} // namespace

// The settings' keys, defaults and rules, without a store: a stored text per key in, the value out;
// values in, the texts to save out, in their order.
class tst_SettingsModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyStoreGivesDefaults();
    void readRules_data();
    void readRules();
    void writeOrderAndTexts();
    void noCloseActionIsNotSaved();
};

void tst_SettingsModel::emptyStoreGivesDefaults()
{
    const Settings s = readFrom({});
    QCOMPARE(s, Settings());
    QCOMPARE(Settings::itemText(Settings::serialPortItems(), s.serialPortIndex), QStringLiteral("ausgeschaltet"));
    const QStringList lists{Settings::itemText(Settings::serialProtocolItems(), s.serialProtocolIndex),
                            Settings::itemText(Settings::baudItems(), s.baudIndex),
                            Settings::itemText(Settings::dataBitsItems(), s.dataBitsIndex),
                            Settings::itemText(Settings::parityItems(), s.parityIndex),
                            Settings::itemText(Settings::stopBitsItems(), s.stopBitsIndex)};
    QCOMPARE(lists, (QStringList{"OMEGA UNT", "9600", "7", "Even", "1"}));
}

void tst_SettingsModel::readRules_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved"); // the key's text when the settings read are saved again
    QTest::newRow("address as it stands") << "Main/IPServer"
                                          << " wall "
                                          << " wall ";
    QTest::newRow("254 characters") << "Main/WatchText" << QString(254, u'x') << QString(254, u'x');
    QTest::newRow("255 characters give the default") << "Main/IPServer" << QString(255, u'1') << "127.0.0.1";
    QTest::newRow("text ends at a zero character")
        << "Main/ServerSmallText" << QStringLiteral("ab") + QChar(u'\0') + "c"
        << "ab";
    QTest::newRow("index not a number") << "Main/SerialBaudIndex"
                                        << "abc"
                                        << "-1";
    QTest::newRow("index negative") << "Main/SerialParityIndex"
                                    << "-3"
                                    << "-1";
    QTest::newRow("index beyond the list") << "Main/SerialPortIndex"
                                           << "21"
                                           << "-1";
    QTest::newRow("last port") << "Main/SerialPortIndex"
                               << "20"
                               << "20";
    QTest::newRow("direction beyond the list") << "Main/AFCountDirectionIndex"
                                               << "2"
                                               << "-1";
    QTest::newRow("position not a number") << "Main/MainTopPos"
                                           << "oben"
                                           << "370";
    QTest::newRow("position negative") << "Main/MainLeftPos"
                                       << "-40"
                                       << "-40";
    QTest::newRow("close action 2") << "Main/OnCloseDoServerAction"
                                    << "2"
                                    << "2";
    QTest::newRow("close action 7 keeps running") << "Main/OnCloseDoServerAction"
                                                  << "7"
                                                  << "0";
    QTest::newRow("close action not a number") << "Main/OnCloseDoServerAction"
                                               << "x"
                                               << "0";
    QTest::newRow("feed off") << "Main/UseCosaServer"
                              << "0"
                              << "0";
    QTest::newRow("feed any other number") << "Main/UseUdpLynxSever"
                                           << "-5"
                                           << "1";
    QTest::newRow("feed not a number") << "Main/UseCosaServer"
                                       << "nein"
                                       << "1";
    QTest::newRow("prefix trimmed and capital") << "JSON/RxPrefix"
                                                << " qtx "
                                                << "QTX";
    QTest::newRow("game and set on") << "Main/GameAndSetEnabled"
                                     << "1"
                                     << "1";
    QTest::newRow("game and set not a number") << "Main/GameAndSetEnabled"
                                               << "ja"
                                               << "0";
    QTest::newRow("monitor shown") << "Main/MonitorVisible"
                                   << "1"
                                   << "1";
    QTest::newRow("monitor size not a number") << "Main/MonitorWidth"
                                               << "breit"
                                               << "480";
    QTest::newRow("game clock keeps time") << "Main/GameClockKeepsTime"
                                           << "1"
                                           << "1";
    QTest::newRow("game clock keeps time not a number") << "Main/GameClockKeepsTime"
                                                        << "ja"
                                                        << "0";
    QTest::newRow("serial device kept as stored") << "Main/SerialDevice20"
                                                  << "/dev/serial/by-id/usb-FTDI-if00"
                                                  << "/dev/serial/by-id/usb-FTDI-if00";
    QTest::newRow("serial device beyond the ports is another value") << "Main/SerialDevice21"
                                                                     << "/dev/ttyUSB0"
                                                                     << "";
    QTest::newRow("remote on") << "Remote/Enabled"
                               << "1"
                               << "1";
    QTest::newRow("remote address trimmed") << "Remote/Address"
                                            << " 0.0.0.0 "
                                            << "0.0.0.0";
    QTest::newRow("remote port not a number") << "Remote/Port"
                                              << "achtzig"
                                              << "8088";
    QTest::newRow("remote port beyond 65535") << "Remote/Port"
                                              << "65536"
                                              << "8088";
    QTest::newRow("remote port 0") << "Remote/Port"
                                   << "0"
                                   << "8088";
    QTest::newRow("remote token as stored") << "Remote/Token"
                                            << "abc-_123"
                                            << "abc-_123";
    QTest::newRow("prefix under Main is another value") << "Main/RxPrefix"
                                                        << "abc"
                                                        << "";
}

void tst_SettingsModel::readRules()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, saved);
    const Entries out = written(readFrom({{key, stored}}));
    const auto it = std::find_if(out.begin(), out.end(), [&key](const auto& e) { return e.first == key; });
    QCOMPARE(it == out.end() ? QString() : it->second, saved);
}

void tst_SettingsModel::writeOrderAndTexts()
{
    Settings s;
    s.wallAddress = QStringLiteral("192.168.123.201");
    s.watchText = QStringLiteral("Spieltag");
    s.serverLargeText = QStringLiteral("00:00:00");
    s.serverSmallText = QStringLiteral("Grüße");
    s.countDirectionIndex = 1;
    s.serialPortIndex = 3;
    s.serialProtocolIndex = 1;
    s.baudIndex = -1;
    s.dataBitsIndex = 1;
    s.parityIndex = 4;
    s.stopBitsIndex = 1;
    s.mainLeft = 300;
    s.mainTop = 10;
    s.closeAction = CloseAction::CloseServer;
    s.useCosa = false;
    s.rxPrefix = QStringLiteral(" lif ");
    s.gameAndSetEnabled = true;
    s.monitorVisible = true;
    s.monitorLeft = 700;
    s.monitorTop = 20;
    s.monitorWidth = 320;
    s.monitorHeight = 200;
    s.gameClockKeepsTime = true;
    s.serialDevices = {{12, QStringLiteral("/dev/ttyUSB0")}, {2, QString()}};
    s.remoteEnabled = true;
    s.remoteAddress = QStringLiteral("0.0.0.0");
    s.remotePort = 9000;
    s.remoteToken = QStringLiteral("t0k3n");
    const Entries expected{{"Main/LastUsed", "09.03.2024 07:05:03"},
                           {"Main/IPServer", "192.168.123.201"},
                           {"Main/AFCountDirectionIndex", "1"},
                           {"Main/WatchText", "Spieltag"},
                           {"Main/MainLeftPos", "300"},
                           {"Main/MainTopPos", "10"},
                           {"Main/ServerLargeText", "00:00:00"},
                           {"Main/ServerSmallText", "Grüße"},
                           {"Main/SerialPortIndex", "3"},
                           {"Main/SerialProtocolIndex", "1"},
                           {"Main/SerialBaudIndex", "-1"},
                           {"Main/SerialDataIndex", "1"},
                           {"Main/SerialParityIndex", "4"},
                           {"Main/SerialStopIndex", "1"},
                           {"Main/OnCloseDoServerAction", "1"},
                           {"Main/UseCosaServer", "0"},
                           {"Main/UseUdpLynxSever", "1"},
                           {"JSON/RxPrefix", "LIF"},
                           {"Main/GameAndSetEnabled", "1"},
                           {"Main/MonitorVisible", "1"},
                           {"Main/MonitorLeftPos", "700"},
                           {"Main/MonitorTopPos", "20"},
                           {"Main/MonitorWidth", "320"},
                           {"Main/MonitorHeight", "200"},
                           {"Main/GameClockKeepsTime", "1"},
                           {"Main/SerialDevice2", ""},
                           {"Main/SerialDevice12", "/dev/ttyUSB0"},
                           {"Remote/Enabled", "1"},
                           {"Remote/Address", "0.0.0.0"},
                           {"Remote/Port", "9000"},
                           {"Remote/Token", "t0k3n"}};
    QCOMPARE(written(s), expected);
}

void tst_SettingsModel::noCloseActionIsNotSaved()
{
    Settings s;
    s.closeAction.reset();
    const Entries out = written(s);
    QCOMPARE(out.size(), written(Settings()).size() - 1);
    QVERIFY(
        std::none_of(out.begin(), out.end(), [](const auto& e) { return e.first.endsWith("OnCloseDoServerAction"); }));
}

QTEST_GUILESS_MAIN(tst_SettingsModel)
#include "tst_SettingsModel.moc"
