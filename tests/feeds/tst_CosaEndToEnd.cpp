#include "shell/ClientFixture.h"

#include <QUdpSocket>

// The liveboard feed as the program is put together: the endpoint opened from the settings, the text list
// window shown, and a blank command on its way to the (answering) test wall.
class TstCosaEndToEnd final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void messagesReachTheWindowAndTheWall()
    {
        ClientFixture fx;
        fx.start();
        TFormTextbox& w = fx.app->FormTextbox;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const quint16 port = fx.app->UDPCosa.RxPort;

        QUdpSocket sender;
        sender.writeDatagram("CDC;FREE;2;Hallo;", QHostAddress::LocalHost, port);
        sender.writeDatagram("Welt;CDC", QHostAddress::LocalHost, port);
        QTRY_COMPARE(w.lines(), (QStringList{"Hallo", "Welt"}));

        const int erased = fx.wall.count(QStringLiteral("D0 00"));
        sender.writeDatagram("CDC;BLNK;CDC", QHostAddress::LocalHost, port);
        QTRY_COMPARE(fx.wall.count(QStringLiteral("D0 00")), erased + 1);
    }
};

QTEST_MAIN(TstCosaEndToEnd)
#include "tst_CosaEndToEnd.moc"
