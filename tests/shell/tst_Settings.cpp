#include "ClientFixture.h"
#include "pages/AmericanFootball.h"
#include "support/Controls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

// One piece of the program's state as text, so that a table can name what to look at.
QString observe(ClientFixture& c, const QString& what)
{
    const ConfigControls f = c.configControls();
    if (what == QLatin1String("address"))
        return f.EdWallIpAddress->text();
    if (what == QLatin1String("baud"))
        return QString::number(f.CBBaud->currentIndex());
    if (what == QLatin1String("port"))
        return QString::number(f.CBSerialPort->currentIndex());
    if (what == QLatin1String("left"))
        return QString::number(c.main().x());
    if (what == QLatin1String("onClose"))
        return f.RBServerClose->isChecked()         ? QStringLiteral("close")
               : f.RBServerShutdown->isChecked()    ? QStringLiteral("shutdown")
               : f.RBServerKeepRunning->isChecked() ? QStringLiteral("keep")
                                                    : QStringLiteral("none");
    if (what == QLatin1String("cosa"))
        return QStringLiteral("%1 %2").arg(f.CBUseCosaServer->isChecked()).arg(c.app->UDPCosa.Active());
    if (what == QLatin1String("prefix"))
        return f.EdJsonIdPrefix->text();
    if (what == QLatin1String("timingMenu"))
        return QString::number(testsupport::control<QAction>(c.main(), "Zeitmesstechnik1")->isEnabled());
    if (what == QLatin1String("direction"))
        return QString::number(c.app->FormAmericanFootball.countDirectionIndex());
    return QStringLiteral("?");
}

} // namespace

// The settings store as the main window uses it: defaults on a first start, a full round trip, the
// fallbacks for bad stored values, and a store that cannot be written.
class tst_Settings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartDefaults();
    void fullRoundTrip();
    void storedValues_data();
    void storedValues();
    void noRadioCheckedKeepsStoredAction();
    void writeFailureClosesAnyway_data();
    void writeFailureClosesAnyway();
    void junkSettingsFileIsSetAside();
};

void tst_Settings::firstStartDefaults()
{
    ClientFixture client;
    client.start();
    const ConfigControls f = client.configControls();
    QCOMPARE(f.EdWallIpAddress->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(f.EdWatchText->text(), QString());
    QCOMPARE(f.EdServerLargeText->text(), QString());
    QCOMPARE(f.EdServerSmallText->text(), QString());
    const QStringList lists{f.CBSerialPort->currentText(), f.CBSerialProtocol->currentText(), f.CBBaud->currentText(),
                            f.CBData->currentText(),       f.CBParity->currentText(),         f.CBStop->currentText()};
    QCOMPARE(lists, (QStringList{"ausgeschaltet", "OMEGA UNT", "9600", "7", "Even", "1"}));
    QCOMPARE(client.main().pos(), QPoint(25, 370));
    QVERIFY(f.RBServerKeepRunning->isChecked());
    QVERIFY(f.CBUseCosaServer->isChecked());
    QVERIFY(f.CBUseUdpLynx->isChecked());
    QVERIFY(client.app->Link.endpoint().Active());
    QVERIFY(client.app->UDPCosa.Active());
    QVERIFY(client.app->UDPJson.Active());
    QCOMPARE(f.EdJsonIdPrefix->text(), QStringLiteral("QTX"));
    QCOMPARE(client.app->FormAmericanFootball.countDirectionIndex(), 0);
    QVERIFY(!testsupport::control<QAction>(client.main(), "Zeitmesstechnik1")->isEnabled());
    QVERIFY(client.report.entries.isEmpty());
}

void tst_Settings::fullRoundTrip()
{
    ClientFixture first;
    first.start();
    // Entered and cancelled: in force, and stored when the program closes.
    first.editConfig([](const ConfigControls& f) {
        f.EdWallIpAddress->setText(QStringLiteral("127.0.0.5"));
        f.EdWatchText->setText(QStringLiteral("Spieltag"));
        f.EdServerLargeText->setText(QStringLiteral("00:00:00"));
        f.EdServerSmallText->setText(QStringLiteral("Willkommen in der Halle"));
        f.CBSerialPort->setCurrentIndex(3);
        f.CBSerialProtocol->setCurrentIndex(1);
        f.CBBaud->setCurrentIndex(0); // not the protocol's preset: reading must not re-apply presets
        f.CBData->setCurrentIndex(1);
        f.CBParity->setCurrentIndex(4);
        f.CBStop->setCurrentIndex(1);
        f.RBServerShutdown->setChecked(true);
        f.CBUseCosaServer->setChecked(false);
        f.CBUseUdpLynx->setChecked(true);
        f.EdJsonIdPrefix->setText(QStringLiteral(" lif "));
    });
    first.app->FormAmericanFootball.setCountDirectionIndex(1);
    first.main().move(300, 200);
    QVERIFY(first.main().close());

    const QList<std::pair<QString, QString>> stored{
        {"IPServer", "127.0.0.5"},       {"WatchText", "Spieltag"},
        {"ServerLargeText", "00:00:00"}, {"ServerSmallText", "Willkommen in der Halle"},
        {"AFCountDirectionIndex", "1"},  {"SerialPortIndex", "3"},
        {"SerialProtocolIndex", "1"},    {"SerialBaudIndex", "0"},
        {"SerialDataIndex", "1"},        {"SerialParityIndex", "4"},
        {"SerialStopIndex", "1"},        {"MainLeftPos", "300"},
        {"MainTopPos", "200"},           {"OnCloseDoServerAction", "2"},
        {"UseCosaServer", "0"},          {"UseUdpLynxSever", "1"}};
    for (const auto& [key, value] : stored)
        QCOMPARE(first.stored(key), value);
    QCOMPARE(first.stored(QStringLiteral("RxPrefix"), QStringLiteral("JSON")), QStringLiteral("LIF"));
    static const QRegularExpression lastUsed(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
    QVERIFY2(lastUsed.match(first.stored(QStringLiteral("LastUsed"))).hasMatch(),
             qPrintable(first.stored(QStringLiteral("LastUsed"))));

    // A new start with that store shows all of it again.
    ClientFixture second;
    second.start(true, {}, first.settings.path());
    const ConfigControls g = second.configControls();
    QCOMPARE(g.EdWallIpAddress->text(), QStringLiteral("127.0.0.5"));
    QCOMPARE(g.EdWatchText->text(), QStringLiteral("Spieltag"));
    QCOMPARE(g.EdServerLargeText->text(), QStringLiteral("00:00:00"));
    QCOMPARE(g.EdServerSmallText->text(), QStringLiteral("Willkommen in der Halle"));
    QCOMPARE(second.app->FormAmericanFootball.countDirectionIndex(), 1);
    const QList<int> indexes{g.CBSerialPort->currentIndex(), g.CBSerialProtocol->currentIndex(),
                             g.CBBaud->currentIndex(),       g.CBData->currentIndex(),
                             g.CBParity->currentIndex(),     g.CBStop->currentIndex()};
    QCOMPARE(indexes, (QList<int>{3, 1, 0, 1, 4, 1}));
    QCOMPARE(second.main().pos(), QPoint(300, 200));
    QVERIFY(g.RBServerShutdown->isChecked());
    QVERIFY(!g.CBUseCosaServer->isChecked());
    QVERIFY(!second.app->UDPCosa.Active());
    QVERIFY(second.app->UDPJson.Active());
    QCOMPARE(g.EdJsonIdPrefix->text(), QStringLiteral("LIF"));
    QVERIFY(testsupport::control<QAction>(second.main(), "Zeitmesstechnik1")->isEnabled());
}

void tst_Settings::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("shown");
    QTest::newRow("baud not a number") << "SerialBaudIndex"
                                       << "abc"
                                       << "baud"
                                       << "-1";
    QTest::newRow("baud beyond the list") << "SerialBaudIndex"
                                          << "8"
                                          << "baud"
                                          << "-1";
    QTest::newRow("baud negative") << "SerialBaudIndex"
                                   << "-3"
                                   << "baud"
                                   << "-1";
    QTest::newRow("on close 7") << "OnCloseDoServerAction"
                                << "7"
                                << "onClose"
                                << "keep";
    QTest::newRow("on close 1") << "OnCloseDoServerAction"
                                << "1"
                                << "onClose"
                                << "close";
    QTest::newRow("on close not a number") << "OnCloseDoServerAction"
                                           << "x"
                                           << "onClose"
                                           << "keep";
    QTest::newRow("prefix trimmed and capital") << "JSON/RxPrefix"
                                                << " qtx "
                                                << "prefix"
                                                << "QTX";
    QTest::newRow("left not a number") << "MainLeftPos"
                                       << "links"
                                       << "left"
                                       << "25";
    QTest::newRow("cosa off") << "UseCosaServer"
                              << "0"
                              << "cosa"
                              << "0 0";
    QTest::newRow("cosa any other number") << "UseCosaServer"
                                           << "5"
                                           << "cosa"
                                           << "1 1";
    QTest::newRow("cosa not a number") << "UseCosaServer"
                                       << "nein"
                                       << "cosa"
                                       << "1 1";
    QTest::newRow("address over 254 characters") << "IPServer" << QString(255, u'1') << "address"
                                                 << "127.0.0.1";
    QTest::newRow("serial port chosen") << "SerialPortIndex"
                                        << "2"
                                        << "timingMenu"
                                        << "1";
    QTest::newRow("serial port beyond the list") << "SerialPortIndex"
                                                 << "21"
                                                 << "port"
                                                 << "-1";
    QTest::newRow("direction beyond the list") << "AFCountDirectionIndex"
                                               << "2"
                                               << "direction"
                                               << "-1";
}

void tst_Settings::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, what);
    QFETCH(QString, shown);
    ClientFixture client;
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    if (slash > 0)
        client.store(key.mid(slash + 1), value, key.left(slash));
    else
        client.store(key, value);
    client.start();
    QCOMPARE(observe(client, what), shown);
}

void tst_Settings::noRadioCheckedKeepsStoredAction()
{
    ClientFixture client;
    client.store(QStringLiteral("RxPrefix"), QStringLiteral(" qtx "), QStringLiteral("JSON"));
    client.store(QStringLiteral("OnCloseDoServerAction"), QStringLiteral("1"));
    client.start();
    client.editConfig([](const ConfigControls& f) {
        for (QRadioButton* r : {f.RBServerKeepRunning, f.RBServerShutdown, f.RBServerClose}) {
            r->setAutoExclusive(false);
            r->setChecked(false);
        }
    });
    client.main().WriteToIni();
    QCOMPARE(client.stored(QStringLiteral("OnCloseDoServerAction")), QStringLiteral("1"));
    QCOMPARE(client.stored(QStringLiteral("RxPrefix"), QStringLiteral("JSON")), QStringLiteral("QTX"));
}

void tst_Settings::writeFailureClosesAnyway_data()
{
    QTest::addColumn<bool>("folderBlocked");
    QTest::newRow("settings folder cannot be made") << true;
    QTest::newRow("settings file cannot be written") << false;
}

// Settings that cannot be stored are reported once, in German, naming the file; the program ends all the
// same, with the close command to the wall server.
void tst_Settings::writeFailureClosesAnyway()
{
    QFETCH(bool, folderBlocked);
    QTemporaryDir place;
    QString root = place.path();
    if (folderBlocked) {
        root += QStringLiteral("/file");
        QFile f(root);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(root + QStringLiteral("/ZEL/BrisalClient.conf")));
    }
    ClientFixture client;
    client.start(true, {}, root);
    client.editConfig([](const ConfigControls& f) { f.RBServerClose->setChecked(true); });
    QVERIFY(client.main().close());
    QVERIFY(!client.main().isVisible());
    QCOMPARE(client.report.entries.size(), 1);
    const QString text = client.report.entries.first().text;
    const QString expected =
        QStringLiteral("Die Einstellungen können nicht in \"%1/ZEL/BrisalClient.conf\" gespeichert werden.").arg(root);
    QVERIFY2(text.startsWith(expected), qPrintable(text));
    QCOMPARE(client.report.entries.first().icon, ErrorReport::Icon::Critical);
    QTRY_VERIFY(client.wall.bodies().join(QLatin1Char(',')).contains(QStringLiteral("EE EE")));
}

// A settings file that cannot be read as settings gives the defaults and is kept under a dated name
// before the settings are stored anew.
void tst_Settings::junkSettingsFileIsSetAside()
{
    ClientFixture client;
    const QByteArray junk("\x01\x7F junk throughout\n[no section\nno value\n");
    QVERIFY(QDir().mkpath(client.settings.path() + QStringLiteral("/ZEL")));
    QFile file(client.settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(junk) == junk.size());
    file.close();
    client.start();
    QCOMPARE(client.configControls().EdWallIpAddress->text(), QStringLiteral("127.0.0.1"));
    QVERIFY(client.main().close());
    QVERIFY(!client.main().isVisible());
    const QStringList aside =
        QDir(client.settings.path() + QStringLiteral("/ZEL")).entryList({QStringLiteral("BrisalClient.conf.*")});
    QCOMPARE(aside.size(), 1);
    QFile kept(client.settings.path() + QStringLiteral("/ZEL/") + aside.first());
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), junk);
    QCOMPARE(client.stored(QStringLiteral("IPServer")), QStringLiteral("127.0.0.1"));
    QCOMPARE(client.report.entries.size(), 1);
    QCOMPARE(client.report.entries.first().icon, ErrorReport::Icon::Warning);
    QVERIFY(client.report.entries.first().text.contains(aside.first()));
}

QTEST_MAIN(tst_Settings)
#include "tst_Settings.moc"
