#include "feeds/LynxMessage.h"
#include "shell/ClientFixture.h"
#include "textlist/StringGrid.h"
#include "wall_link/WallCommands.h"

#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QUdpSocket>
#include <QWindow>

namespace {

// A click as the window system delivers it, so that a window blocked by a modal one does not get it.
void systemClick(QWidget* button)
{
    QWidget* window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button->mapTo(window, button->rect().center()));
}

} // namespace

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

    // A result list that arrived while the text list window was hidden is whole when the operator opens
    // it; handed to the standings (usable while the text list window is modal), the best three go below
    // the preview and, sent, to the wall.
    void resultsReachTheStandingsAndTheWall()
    {
        ClientFixture fx;
        fx.start();
        QTRY_VERIFY(fx.app->UDPJson.Active());
        TFormTextbox& w = fx.app->FormTextbox;
        TFormWertung& standings = fx.app->FormWertung;
        QUdpSocket sender;
        sender.writeDatagram(R"({"JIDS":"QTX00000003","TL":{"Header":["100 m"],"Lines":{)"
                             R"("1":["1","x","7","Anna","A","12,31"],"2":["2","x","8","Bert","B","12,05"],)"
                             R"("3":["3","x","9","Cleo","C","12,40"],"4":["4","x","5","Dora","D","12,05"]}},)"
                             R"("SDIJ":"QTX00000003"})",
                             QHostAddress::LocalHost, fx.app->UDPJson.RxPort);
        const auto* lynx = w.findChild<TStringGrid*>(QStringLiteral("SGLynx"));
        QTRY_COMPARE(lynx->cell(2, 4), QStringLiteral("Dora"));

        QStringList lynxNames;
        QStringList preview;
        WindowWatch watch(WindowWatch::window(w), [&](QWidget&) {
            for (int row = 1; row <= 4; ++row)
                lynxNames << lynx->cell(2, row);
            auto* workflow = child<QTreeWidget>(w, "TVWorkflow");
            workflow->setCurrentItem(workflow->topLevelItem(TFormTextbox::LynxErgebnisse));
            QTest::mouseClick(child<QToolButton>(w, "SBSendToZwWertung"), Qt::LeftButton);
            QVERIFY(QTest::qWaitForWindowExposed(&standings));
            systemClick(child<QToolButton>(standings, "SBPrintMWList"));
            preview = w.lines();
            QTest::mouseClick(child<QToolButton>(w, "SBSend"), Qt::LeftButton);
            w.close();
        });
        fx.wall.clear();
        QTest::mouseClick(child<QToolButton>(fx.main(), "SBTextlist"), Qt::LeftButton);
        QCOMPARE(watch.showings(), 1);
        QCOMPARE(lynxNames, (QStringList{"Anna", "Bert", "Cleo", "Dora"}));
        QCOMPARE(preview.mid(5), (QStringList{"#1. Bert B                 12,05", "#1. Dora D                 12,05",
                                              "#3. Anna A                 12,31"}));

        const wallcmd::Bodies expected = wallcmd::textListShow(wallcmd::TimeBarMode{}, {}, {}, preview, 8);
        QStringList lineBodies;
        for (const QByteArray& body : expected.mid(2))
            lineBodies << AnsweringWall::hex(body);
        QTRY_VERIFY(fx.wall.bodies().size() >= lineBodies.size());
        QStringList sent = fx.wall.bodies();
        sent.removeAll(QStringLiteral("80 FD"));
        QCOMPARE(sent.mid(sent.size() - lineBodies.size()), lineBodies);
        QCOMPARE(fx.report.entries.size(), 0);
    }
};

QTEST_MAIN(TstLynxEndToEnd)
#include "tst_LynxEndToEnd.moc"
