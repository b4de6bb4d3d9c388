#include "feeds/LynxMessage.h"
#include "shell/ClientFixture.h"
#include "textlist/StringGrid.h"

#include <QLineEdit>
#include <QUdpSocket>

// The FinishLynx feed as the program is put together: the endpoint opened from the settings, the sender
// prefix taken from the configuration dialog, the list written into the hidden text list window.
class TstLynxEndToEnd final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void messagesReachTheHiddenWindow()
    {
        ClientFixture fx;
        fx.start();
        fx.waitForStartTimer();
        QTRY_VERIFY(fx.app->UDPJson.Active());
        TFormTextbox& w = fx.app->FormTextbox;
        QVERIFY(!w.isVisible());
        const auto* header = w.findChild<QLineEdit*>(QStringLiteral("EdLynxHeader"));
        const auto* grid = w.findChild<TStringGrid*>(QStringLiteral("SGLynx"));
        const quint16 port = fx.app->UDPJson.RxPort;
        QUdpSocket sender;

        fx.editConfig([](const ConfigControls& f) { f.EdJsonIdPrefix->setText(QStringLiteral(" abc ")); });
        const QByteArray plain = R"({"JIDS":"ABC00000001","TL":{"Header":["Lauf 1"],"Lines":{"1":["1","x","4",)"
                                 R"("Name","LV","9,9"]}},"SDIJ":"ABC00000001"})";
        sender.writeDatagram(lynx::encryptMessage(plain), QHostAddress::LocalHost, port);
        QTRY_COMPARE(header->text(), QStringLiteral("Lauf 1"));
        QCOMPARE(grid->cell(3, 1), QStringLiteral("LV"));

        // The prefix is read for every datagram.
        fx.editConfig([](const ConfigControls& f) { f.EdJsonIdPrefix->setText(QStringLiteral("QTX")); });
        QByteArray foreign = plain;
        foreign.replace("Lauf 1", "Lauf 2");
        sender.writeDatagram(foreign, QHostAddress::LocalHost, port);
        sender.writeDatagram(R"({"JIDS":"QTX00000002","TL":{"Lines":{"1":["1","x","5"]}},"SDIJ":"QTX00000002"})",
                             QHostAddress::LocalHost, port);
        QTRY_COMPARE(grid->cell(1, 1), QStringLiteral("5"));
        QCOMPARE(header->text(), QStringLiteral("Lauf 1"));
        QCOMPARE(fx.report.entries.size(), 0);
    }
};

QTEST_MAIN(TstLynxEndToEnd)
#include "tst_LynxEndToEnd.moc"
