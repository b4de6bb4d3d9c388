#include "ClientFixture.h"
#include "WindowWatch.h"
#include "feeds/SerialSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// Counts the sockets an endpoint opens: every open gives it a new read notifier as a child.
class OpenCounter final : public QObject
{
public:
    explicit OpenCounter(QObject& endpoint) { endpoint.installEventFilter(this); }
    int opens = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded)
            ++opens;
        return false;
    }
};

} // namespace

// The configuration dialog in the running program: address check and life-sign query, the protocol
// presets, "Einstellen", and what OK and cancelling do.
class tst_Config : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addressColour_data();
    void addressColour();
    void typingQueriesEachTextAsItStands();
    void noQueryWhileMainWindowHidden();
    void protocolPresets();
    void startupTextsBytes_data();
    void startupTextsBytes();
    void cancelKeepsAddressInUseButUnstored();
    void okTrimsPrefixStoresAndReopensFeeds();
    void cancelKeepsValuesUnstoredOkReopensFeedsOnce();
    void pagesAndLastShownPage();
    void deviceChooserFollowsThePort();
};

void tst_Config::addressColour_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("black");
    QTest::newRow("valid") << "192.168.0.10" << true;
    QTest::newRow("group over 255") << "192.168.0.256" << false;
    QTest::newRow("three groups") << "192.168.0" << false;
    QTest::newRow("trailing dot") << "192.168.0.1." << false;
    QTest::newRow("five groups") << "1.2.3.4.5" << false;
    QTest::newRow("four digits") << "1234.1.1.1" << false;
    QTest::newRow("blank") << "192.168. 0.1" << false;
    QTest::newRow("empty inner group") << "192..0.1" << true;
    QTest::newRow("empty first group") << ".168.0.1" << true;
    QTest::newRow("host name") << "wall" << false;
}

void tst_Config::addressColour()
{
    QFETCH(QString, address);
    QFETCH(bool, black);
    TFormConfig dialog;
    const ConfigControls config(dialog);
    config.EdWallIpAddress->setText(QStringLiteral("1.1.1.1"));
    config.EdWallIpAddress->setText(address);
    QCOMPARE(config.EdWallIpAddress->palette().color(QPalette::Text), black ? QColor(Qt::black) : QColor(Qt::red));
    // Back to a valid one: black again.
    config.EdWallIpAddress->setText(QStringLiteral("10.0.0.1"));
    QCOMPARE(config.EdWallIpAddress->palette().color(QPalette::Text), QColor(Qt::black));
}

void tst_Config::typingQueriesEachTextAsItStands()
{
    ClientFixture client;
    client.start();
    // The start query has been answered: nothing else is on its way.
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    client.wall.clear();
    client.config().show();
    QLineEdit* edit = client.configControls().EdWallIpAddress;
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("23"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTRY_COMPARE(client.wall.bodies().size(), 3);
    QCOMPARE(client.wall.bodies(), QStringList(3, QStringLiteral("80 FD")));
    const QList<QHostAddress> expected{QHostAddress(QStringLiteral("127.0.0.12")),
                                       QHostAddress(QStringLiteral("127.0.0.123")),
                                       QHostAddress(QStringLiteral("127.0.0.12"))};
    QCOMPARE(client.wall.destinations(), expected);
    client.config().hide();
}

void tst_Config::noQueryWhileMainWindowHidden()
{
    ClientFixture client;
    client.start(false);
    client.app->Link.endpoint().OpenSocket();
    client.configControls().EdWallIpAddress->setText(QStringLiteral("127.0.0.1 "));
    client.configControls().EdWallIpAddress->setText(QStringLiteral("127.0.0.1"));
    // Only the marker sent afterwards reaches the wall.
    client.app->Link.send({QByteArrayLiteral("\x7E\x7E")});
    QTRY_COMPARE(client.wall.bodies(), QStringList{QStringLiteral("7E 7E")});
    QCOMPARE(client.lamp(), TLedBtnColor::LedGray);
}

void tst_Config::protocolPresets()
{
    TFormConfig dialog;
    const ConfigControls config(dialog);
    dialog.show();
    config.PageControl->setTabVisible(config.PageControl->indexOf(config.TSZMT), true);
    config.PageControl->setCurrentWidget(config.TSZMT);
    auto parameters = [&] {
        return QStringList{config.CBBaud->currentText(), config.CBData->currentText(), config.CBParity->currentText(),
                           config.CBStop->currentText()};
    };
    config.CBBaud->setCurrentIndex(0);
    config.CBStop->setCurrentIndex(1);
    config.CBSerialProtocol->setFocus();
    QTest::keyClick(config.CBSerialProtocol, Qt::Key_Down);
    QCOMPARE(config.CBSerialProtocol->currentText(), QStringLiteral("Rollertime/Sportissimo"));
    QCOMPARE(parameters(), (QStringList{"9600", "8", "None", "1"}));
    QTest::keyClick(config.CBSerialProtocol, Qt::Key_Up);
    QCOMPARE(config.CBSerialProtocol->currentText(), QStringLiteral("OMEGA UNT"));
    QCOMPARE(parameters(), (QStringList{"9600", "7", "Even", "1"}));
    // The operator may change them afterwards; setting the list in code presets nothing.
    config.CBParity->setCurrentIndex(0);
    config.CBSerialProtocol->setCurrentIndex(1);
    QCOMPARE(parameters(), (QStringList{"9600", "7", "None", "1"}));
}

void tst_Config::startupTextsBytes_data()
{
    QTest::addColumn<QString>("large");
    QTest::addColumn<QString>("small");
    QTest::addColumn<QStringList>("bodies");
    QTest::newRow("running clock, no footer") << "00:00:00"
                                              << "" << QStringList{"EE A1 30 30 3A 30 30 3A 30 30", "EE A2"};
    QTest::newRow("both empty") << ""
                                << "" << QStringList{"EE A1", "EE A2"};
    QTest::newRow("umlaut footer") << "Hallo"
                                   << "Grüße" << QStringList{"EE A1 48 61 6C 6C 6F", "EE A2 47 72 FC DF 65"};
}

void tst_Config::startupTextsBytes()
{
    QFETCH(QString, large);
    QFETCH(QString, small);
    QFETCH(QStringList, bodies);
    ClientFixture client;
    client.start(false);
    client.app->Link.endpoint().OpenSocket();
    client.configControls().EdServerLargeText->setText(large);
    client.configControls().EdServerSmallText->setText(small);
    QTest::mouseClick(client.configControls().SBServerStartupSettings, Qt::LeftButton);
    QTRY_COMPARE(client.wall.bodies().size(), 2);
    QCOMPARE(client.wall.bodies(), bodies);
}

void tst_Config::cancelKeepsAddressInUseButUnstored()
{
    ClientFixture client;
    client.start();
    WindowWatch watch(WindowWatch::window(client.config()), [&](QWidget& dialog) {
        client.configControls().EdWallIpAddress->setText(QStringLiteral("127.0.0.2"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    client.main().Konfiguration2Click();
    QCOMPARE(watch.showings(), 1);
    QVERIFY(!client.config().isVisible());
    QCOMPARE(client.stored(QStringLiteral("IPServer")), QString());
    client.app->Link.send(wallcmd::erase());
    QTRY_VERIFY(client.wall.bodies().contains(QStringLiteral("10 12")));
    const qsizetype erase = client.wall.bodies().indexOf(QStringLiteral("D0 00"));
    QCOMPARE(client.wall.destinations().at(erase), QHostAddress(QStringLiteral("127.0.0.2")));
}

void tst_Config::okTrimsPrefixStoresAndReopensFeeds()
{
    ClientFixture client;
    client.start();
    QVERIFY(client.app->UDPCosa.Active());
    WindowWatch watch(WindowWatch::window(client.config()), [&](QWidget&) {
        const ConfigControls f = client.configControls();
        f.EdJsonIdPrefix->setText(QStringLiteral("  abc "));
        f.CBUseCosaServer->setChecked(false);
        f.EdWatchText->setText(QStringLiteral("Anpfiff"));
        QTest::mouseClick(f.BBOk, Qt::LeftButton);
    });
    client.main().Konfiguration2Click();
    QCOMPARE(watch.showings(), 1);
    QCOMPARE(client.configControls().EdJsonIdPrefix->text(), QStringLiteral("ABC"));
    QCOMPARE(client.stored(QStringLiteral("RxPrefix"), QStringLiteral("JSON")), QStringLiteral("ABC"));
    QCOMPARE(client.stored(QStringLiteral("WatchText")), QStringLiteral("Anpfiff"));
    QCOMPARE(client.stored(QStringLiteral("UseCosaServer")), QStringLiteral("0"));
    QVERIFY(!client.app->UDPCosa.Active());
    QVERIFY(client.app->UDPJson.Active());
    QVERIFY(client.report.entries.isEmpty());
}

void tst_Config::cancelKeepsValuesUnstoredOkReopensFeedsOnce()
{
    ClientFixture client;
    client.start();
    OpenCounter cosa(client.app->UDPCosa);
    OpenCounter json(client.app->UDPJson);
    client.editConfig([](const ConfigControls& f) {
        f.EdWatchText->setText(QStringLiteral("Halbzeit"));
        f.EdJsonIdPrefix->setText(QStringLiteral(" abc"));
        f.RBServerClose->setChecked(true);
        f.CBSerialPort->setCurrentIndex(2);
        f.CBUseCosaServer->setChecked(false);
    });
    const Settings& inForce = client.main().settings();
    QCOMPARE(inForce.watchText, QStringLiteral("Halbzeit"));
    QCOMPARE(inForce.rxPrefix, QStringLiteral(" abc")); // as entered: only OK trims it
    QVERIFY(inForce.closeAction == CloseAction::CloseServer);
    QCOMPARE(inForce.serialPortIndex, 2);
    QVERIFY(!inForce.useCosa);
    QVERIFY(QSettings(client.settingsFile(), QSettings::IniFormat).allKeys().isEmpty());
    QCOMPARE(cosa.opens + json.opens, 0);
    QVERIFY(client.app->UDPCosa.Active()); // the receivers follow the check boxes on OK only

    // Reopening shows what was cancelled; OK stores it and reopens each receiver once.
    client.editConfig(
        [](const ConfigControls& f) {
            QCOMPARE(f.EdWatchText->text(), QStringLiteral("Halbzeit"));
            f.CBUseCosaServer->setChecked(true);
        },
        true);
    QCOMPARE(client.stored(QStringLiteral("WatchText")), QStringLiteral("Halbzeit"));
    QCOMPARE(client.stored(QStringLiteral("OnCloseDoServerAction")), QStringLiteral("1"));
    QCOMPARE(client.stored(QStringLiteral("RxPrefix"), QStringLiteral("JSON")), QStringLiteral("ABC"));
    QCOMPARE(cosa.opens, 1);
    QCOMPARE(json.opens, 1);
    QVERIFY(client.app->UDPCosa.Active());
    QVERIFY(testsupport::control<QAction>(client.main(), "Zeitmesstechnik1")->isEnabled());
}

void tst_Config::pagesAndLastShownPage()
{
    TFormConfig dialog;
    const ConfigControls config(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Konfiguration"));
    QTabWidget& pages = *config.PageControl;
    QStringList captions;
    for (int i = 0; i < pages.count(); ++i)
        captions << pages.tabText(i) + (pages.isTabVisible(i) ? QString() : QStringLiteral(" (hidden)"));
    QCOMPARE(captions,
             (QStringList{"Videowand", "Uhr", "Zeitmesstechnik", "Server Startup", "UDP Server", "Fernsteuerung"}));
    QCOMPARE(pages.currentWidget(), config.TSUdpServer);
    QVERIFY(config.BBOk->isDefault());
    QCOMPARE(config.EdWatchText->maxLength(), 25);
    QCOMPARE(config.EdServerLargeText->maxLength(), 10);
    QCOMPARE(config.EdServerSmallText->maxLength(), 25);

    // Enter closes with OK; the page last shown is the one shown next time.
    WindowWatch watch(WindowWatch::window(dialog), [&](QWidget& shown) {
        pages.setCurrentWidget(config.TSClock);
        QTest::keyClick(&shown, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(pages.currentWidget(), config.TSClock);
}

void tst_Config::deviceChooserFollowsThePort()
{
    TFormConfig dialog;
    const ConfigControls config(dialog);
    auto* device = child<QComboBox>(dialog, "CBSerialDevice");
    Settings loaded;
    loaded.serialPortIndex = 1;
    loaded.serialDevices = {{1, QStringLiteral("/dev/ttyUSB0")}, {3, QStringLiteral("/dev/ttyACM0")}};
    dialog.loadSettings(loaded);
    dialog.show();
    QVERIFY(device->isEditable());
    QCOMPARE(device->currentText(), QStringLiteral("/dev/ttyUSB0"));

    // Another number shows its own device, or the default as a hint; what was typed stays with its number.
    config.CBSerialPort->setCurrentIndex(2);
    QCOMPARE(device->currentText(), QString());
    QCOMPARE(device->lineEdit()->placeholderText(), serialsetup::deviceName(2, {}));
    QTest::keyClicks(device->lineEdit(), QStringLiteral(" /tmp/ttyB "));
    config.CBSerialPort->setCurrentIndex(1);
    QCOMPARE(device->currentText(), QStringLiteral("/dev/ttyUSB0"));
    device->setEditText(QString()); // back to the default
    config.CBSerialPort->setCurrentIndex(0);
    QVERIFY(!device->isEnabled());
    QCOMPARE(device->currentText(), QString());

    Settings saved;
    dialog.saveSettings(saved);
    QCOMPARE(
        saved.serialDevices,
        (QMap<int, QString>{{1, QString()}, {2, QStringLiteral("/tmp/ttyB")}, {3, QStringLiteral("/dev/ttyACM0")}}));
    // Loading again forgets what was typed and not kept.
    dialog.loadSettings(loaded);
    dialog.saveSettings(saved);
    QCOMPARE(saved.serialDevices, loaded.serialDevices);
}

QTEST_MAIN(tst_Config)
#include "tst_Config.moc"
