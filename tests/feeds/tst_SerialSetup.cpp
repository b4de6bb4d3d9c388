#include "feeds/SerialSetup.h"

#include <QTest>

using serialsetup::DialogValues;
using serialsetup::LineSettings;
using serialsetup::Parity;

Q_DECLARE_METATYPE(serialsetup::Parity)

class tst_SerialSetup final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromDialog_data();
    void fromDialog();
    void portOff_data();
    void portOff();
    void deviceName_data();
    void deviceName();
};

void tst_SerialSetup::fromDialog_data()
{
    QTest::addColumn<int>("portIndex");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<QString>("dataBits");
    QTest::addColumn<QString>("stopBits");
    QTest::addColumn<int>("parityIndex");
    QTest::addColumn<int>("wantBaud");
    QTest::addColumn<int>("wantData");
    QTest::addColumn<int>("wantStop");
    QTest::addColumn<Parity>("wantParity");

    QTest::newRow("omega defaults") << 1 << "9600"
                                    << "7"
                                    << "1" << 2 << 9600 << 7 << 1 << Parity::Even;
    QTest::newRow("roller defaults") << 3 << "9600"
                                     << "8"
                                     << "1" << 0 << 9600 << 8 << 1 << Parity::None;
    QTest::newRow("last port, fast, two stop, odd") << 20 << "115200"
                                                    << "8"
                                                    << "2" << 1 << 115200 << 8 << 2 << Parity::Odd;
    QTest::newRow("mark") << 1 << "1200"
                          << "7"
                          << "1" << 3 << 1200 << 7 << 1 << Parity::Mark;
    QTest::newRow("space") << 1 << "1200"
                           << "7"
                           << "1" << 4 << 1200 << 7 << 1 << Parity::Space;
    QTest::newRow("nothing chosen") << 2 << ""
                                    << ""
                                    << "" << -1 << 9600 << 8 << 1 << Parity::None;
    QTest::newRow("not numbers") << 2 << "schnell"
                                 << "sieben"
                                 << "x" << 5 << 9600 << 8 << 1 << Parity::None;
}

void tst_SerialSetup::fromDialog()
{
    QFETCH(int, portIndex);
    QFETCH(QString, baud);
    QFETCH(QString, dataBits);
    QFETCH(QString, stopBits);
    QFETCH(int, parityIndex);
    QFETCH(int, wantBaud);
    QFETCH(int, wantData);
    QFETCH(int, wantStop);
    QFETCH(Parity, wantParity);

    const auto settings = serialsetup::fromDialog(DialogValues{portIndex, baud, dataBits, stopBits, parityIndex});
    QVERIFY(settings);
    QCOMPARE(settings->port, portIndex);
    QCOMPARE(settings->baud, wantBaud);
    QCOMPARE(settings->dataBits, wantData);
    QCOMPARE(settings->stopBits, wantStop);
    QCOMPARE(settings->parity, wantParity);
}

void tst_SerialSetup::portOff_data()
{
    QTest::addColumn<int>("portIndex");
    QTest::newRow("ausgeschaltet") << 0;
    QTest::newRow("nothing chosen") << -1;
}

void tst_SerialSetup::portOff()
{
    QFETCH(int, portIndex);
    QVERIFY(!serialsetup::fromDialog(DialogValues{portIndex, "9600", "8", "1", 0}));
}

void tst_SerialSetup::deviceName_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("mapped");
    QTest::addColumn<QString>("device");

#ifdef Q_OS_WIN
    QTest::newRow("COM 1") << 1 << ""
                           << "COM1";
    QTest::newRow("COM 20") << 20 << ""
                            << "COM20";
#else
    QTest::newRow("COM 1") << 1 << ""
                           << "/dev/ttyS0";
    QTest::newRow("COM 20") << 20 << ""
                            << "/dev/ttyS19";
    QTest::newRow("blank mapping is no mapping") << 2 << "  "
                                                 << "/dev/ttyS1";
#endif
    QTest::newRow("mapped") << 1 << "/dev/ttyUSB0"
                            << "/dev/ttyUSB0";
    QTest::newRow("mapped, trimmed") << 4 << " /dev/serial/by-id/usb-timer "
                                     << "/dev/serial/by-id/usb-timer";
}

void tst_SerialSetup::deviceName()
{
    QFETCH(int, port);
    QFETCH(QString, mapped);
    QFETCH(QString, device);
    QCOMPARE(serialsetup::deviceName(port, mapped), device);
    QCOMPARE(serialsetup::deviceSettingName(port), QStringLiteral("SerialDevice%1").arg(port));
}

QTEST_APPLESS_MAIN(tst_SerialSetup)
#include "tst_SerialSetup.moc"
