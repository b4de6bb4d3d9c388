#include "SocatPair.h"
#include "feeds/TimingMode.h"
#include "shell/ClientFixture.h"
#include "shell/WindowWatch.h"
#include "support/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSerialPort>
#include <QToolButton>

namespace {

QStringList timeBodies(const QString& text)
{
    QStringList hex;
    for (const QByteArray& body : wallcmd::timingTime(text))
        hex << AnsweringWall::hex(body);
    return hex;
}

QByteArray omegaTime(const QByteArray& text)
{
    return QByteArray("\x01\x14R\x02", 4) + text + QByteArray(1, 0x04);
}

// What reached the wall apart from the life-sign queries.
QStringList pageBodies(const AnsweringWall& wall)
{
    QStringList pages;
    for (const QString& body : wall.bodies()) {
        if (!body.startsWith(QLatin1String("80 ")))
            pages << body;
    }
    return pages;
}

} // namespace

class tst_TimingMode final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void portUnusableShowsTheErrorBox_data();
    void portUnusableShowsTheErrorBox();
    void unansweredEchoOpensNothing();
    void framesFromTheLineReachTheWall();
    void chosenDeviceIsTheLineThatOpens();
};

void tst_TimingMode::portUnusableShowsTheErrorBox_data()
{
    QTest::addColumn<int>("portIndex");
    QTest::addColumn<QStringList>("detail"); // what the box says after the three lines
    QTest::newRow("ausgeschaltet") << 0 << QStringList{"keine Schnittstelle gewählt"};
    QTest::newRow("device does not exist")
        << 2 << QStringList{"COM 2", "ttyGibtEsNicht", "gibt es nicht", "angeschlossen"};
}

void tst_TimingMode::portUnusableShowsTheErrorBox()
{
    QFETCH(int, portIndex);
    QFETCH(QStringList, detail);
    ClientFixture fx;
    fx.store(QStringLiteral("SerialDevice2"), fx.settings.filePath(QStringLiteral("ttyGibtEsNicht")));
    fx.start();
    fx.wall.answering = false; // the lamp turns green only through the ICMP check
    fx.app->Link.queryLifeSign();
    QCOMPARE(fx.lamp(), TLedBtnColor::LedRed);
    WindowWatch zmtShown(WindowWatch::window(fx.app->FormZMT), [](QWidget& w) { w.close(); });

    fx.editConfig([portIndex](const ConfigControls& f) { f.CBSerialPort->setCurrentIndex(portIndex); });
    testsupport::control<QToolButton>(fx.main(), "SBZMT")->setChecked(true);
    fx.main().SBZMTClick();

    QCOMPARE(fx.report.entries.size(), 1);
    const QString text = fx.report.entries.first().text;
    QVERIFY2(text.startsWith(TTimingMode::kPortError + QStringLiteral("\n\n")), qPrintable(text));
    for (const QString& part : detail)
        QVERIFY2(text.contains(part), qPrintable(part));
    QCOMPARE(fx.report.entries.first().icon, ErrorReport::Icon::Critical);
    QCOMPARE(TTimingMode::kPortError.split(QLatin1Char('\n')),
             (QStringList{"Dieser Modus kann nicht benutzt werden, weil",
                          "die serielle Schnittstelle nicht funktioniert", "oder falsch konfiguriert ist."}));
    QCOMPARE(zmtShown.showings(), 0);
    QVERIFY(!fx.app->SerialTiming.isOpen());
    QVERIFY(!testsupport::control<QToolButton>(fx.main(), "SBZMT")->isChecked());
    QCOMPARE(fx.lamp(), TLedBtnColor::LedGreen);
}

void tst_TimingMode::unansweredEchoOpensNothing()
{
    ClientFixture fx;
    fx.start();
    WindowWatch zmtShown(WindowWatch::window(fx.app->FormZMT), [](QWidget& w) { w.close(); });
    fx.editConfig([](const ConfigControls& f) {
        f.CBSerialPort->setCurrentIndex(0);
        f.EdWallIpAddress->setText(QStringLiteral("198.51.100.7")); // documentation range: never answers
    });
    testsupport::control<QToolButton>(fx.main(), "SBZMT")->setChecked(true);
    fx.main().SBZMTClick();

    QCOMPARE(fx.report.texts(), QStringList{});
    QCOMPARE(zmtShown.showings(), 0);
    QVERIFY(!testsupport::control<QToolButton>(fx.main(), "SBZMT")->isChecked());
    QVERIFY(fx.lamp() != TLedBtnColor::LedGreen);
}

void tst_TimingMode::framesFromTheLineReachTheWall()
{
    if (!SocatPair::available())
        QSKIP("socat is not installed");
    SocatPair line;
    QVERIFY(line.start());

    ClientFixture fx;
    // COM 1 with "OMEGA UNT" and 8N1 line settings (a pty takes no others), mapped to the pty.
    fx.store(QStringLiteral("SerialPortIndex"), QStringLiteral("1"));
    fx.store(QStringLiteral("SerialProtocolIndex"), QStringLiteral("0"));
    fx.store(QStringLiteral("SerialDataIndex"), QStringLiteral("1"));
    fx.store(QStringLiteral("SerialParityIndex"), QStringLiteral("0"));
    fx.store(QStringLiteral("SerialDevice1"), line.deviceA());
    fx.start();
    QVERIFY(testsupport::control<QAction>(fx.main(), "Zeitmesstechnik1")->isEnabled());
    testsupport::control<QLabel>(fx.main(), "SBarPanel")->setText(QStringLiteral("alt"));

    QSerialPort device(line.deviceB());
    QVERIFY2(device.open(QIODevice::WriteOnly), qPrintable(device.errorString()));
    auto write = [&device](const QByteArray& bytes) {
        device.write(bytes);
        device.flush();
    };

    TFormZMT& zmt = fx.app->FormZMT;
    auto* panel = zmt.findChild<QLabel*>(QStringLiteral("PnWatch"));
    auto* send = zmt.findChild<QToolButton*>(QStringLiteral("SBSend"));
    QVERIFY(panel && send);

    WindowWatch watch(WindowWatch::window(zmt), [&](QWidget& window) {
        const auto closeWindow = qScopeGuard([&window] { window.close(); });
        QVERIFY(fx.app->SerialTiming.isOpen());
        QCOMPARE(window.y(), fx.main().y());
        QCOMPARE(fx.main().statusText(), QString());

        // Sending off: the display follows, the wall hears nothing.
        write(omegaTime("   12.34"));
        QTRY_COMPARE(panel->text(), QStringLiteral("   12.34"));
        QCOMPARE(pageBodies(fx.wall), QStringList{});

        QTest::mouseClick(send, Qt::LeftButton);
        QVERIFY(send->isChecked());
        write(omegaTime("   12.35") + omegaTime("   12.35") + QByteArray("\x01\x02\x0C\x04", 4) +
              QByteArray("\x02I123456\x03", 9) + omegaTime("   12.36"));
        QTRY_COMPARE(pageBodies(fx.wall),
                     timeBodies("00:00:00") + timeBodies("   12.35") + timeBodies("") + timeBodies("   12.36"));

        // The line goes away mid-run: the port closes once, the operator reads why, the window stays usable.
        device.close();
        line.kill();
        QTRY_COMPARE(fx.main().statusText(), TSerialTiming::lostText(1));
        QVERIFY(!fx.app->SerialTiming.isOpen());
        QTest::mouseClick(send, Qt::LeftButton);
        QVERIFY(!send->isChecked());
        QCOMPARE(panel->text(), QStringLiteral("00:00:00"));
    });

    testsupport::control<QAction>(fx.main(), "Zeitmesstechnik1")->trigger();

    QCOMPARE(watch.showings(), 1);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(!zmt.isVisible());
    QVERIFY(!fx.app->SerialTiming.isOpen());
    QVERIFY(!testsupport::control<QToolButton>(fx.main(), "SBZMT")->isChecked());
    QVERIFY(fx.report.entries.isEmpty());
    QCOMPARE(fx.main().statusText(), TSerialTiming::lostText(1));
}

void tst_TimingMode::chosenDeviceIsTheLineThatOpens()
{
    if (!SocatPair::available())
        QSKIP("socat is not installed");
    SocatPair line;
    QVERIFY(line.start());
    ClientFixture fx;
    fx.start();
    QVERIFY(!testsupport::control<QAction>(fx.main(), "Zeitmesstechnik1")->isEnabled());

    // The operator picks COM 1, types the device path (a pty takes 8N1 only) and stores it with OK.
    fx.editConfig(
        [&line](const ConfigControls& f) {
            QVERIFY(f.PageControl->isTabVisible(f.PageControl->indexOf(f.TSZMT)));
            f.CBSerialPort->setCurrentIndex(1);
            auto* device = testsupport::control<QComboBox>(*f.TSZMT, "CBSerialDevice");
            device->lineEdit()->clear();
            QTest::keyClicks(device->lineEdit(), line.deviceA());
            f.CBData->setCurrentIndex(1);
            f.CBParity->setCurrentIndex(0);
        },
        true);
    QCOMPARE(fx.stored(QStringLiteral("SerialDevice1")), line.deviceA());
    QCOMPARE(fx.stored(QStringLiteral("SerialPortIndex")), QStringLiteral("1"));

    bool openWhileShown = false;
    WindowWatch watch(WindowWatch::window(fx.app->FormZMT), [&](QWidget& window) {
        openWhileShown = fx.app->SerialTiming.isOpen();
        window.close();
    });
    testsupport::control<QAction>(fx.main(), "Zeitmesstechnik1")->trigger();
    QCOMPARE(watch.showings(), 1);
    QVERIFY(openWhileShown);
    QVERIFY(fx.report.entries.isEmpty());
}

QTEST_MAIN(tst_TimingMode)
#include "tst_TimingMode.moc"
