#include "feeds/SerialTiming.h"

#include "SocatPair.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int kOmega = 0;
constexpr int kRoller = 1;

// The settings a pty accepts: it ignores data bits and parity and refuses most other combinations.
serialsetup::DialogValues pty8N1(int port = 1)
{
    return {port, QStringLiteral("9600"), QStringLiteral("8"), QStringLiteral("1"), 0};
}

QByteArray omegaTime(const QByteArray& text)
{
    return QByteArray("\x01\x14R\x02", 4) + text + QByteArray(1, 0x04);
}

} // namespace

class tst_SerialTiming final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void framesArriveAcrossTheLine();
    void bytesOneByOne();
    void hiddenDisplayDropsFrames();
    void protocolIsReadAtEachNotification();
    void openingEmptiesTheFrameBuffer();
    void farEndGoneClosesThePortOnce();
    void portOffOrMissingDoesNotOpen_data();
    void portOffOrMissingDoesNotOpen();

private:
    void write(const QByteArray& bytes);

    std::unique_ptr<SocatPair> m_line;
    std::unique_ptr<QSerialPort> m_device; // the timing device's end of the line
    std::unique_ptr<TSerialTiming> m_timing;
    QStringList m_shown;
    bool m_visible = true;
    int m_protocol = kOmega;
};

void tst_SerialTiming::init()
{
    if (!SocatPair::available()) {
        QSKIP("socat is not installed");
    }
    m_shown.clear();
    m_visible = true;
    m_protocol = kOmega;
    m_line = std::make_unique<SocatPair>();
    QVERIFY(m_line->start());

    m_timing = std::make_unique<TSerialTiming>();
    m_timing->setDisplay([this] { return m_visible; },
                         [this](const QString& text, bool force) { m_shown << (force ? "!" : "") + text; });
    m_timing->setProtocolSource([this] { return m_protocol; });
    m_timing->setDeviceMapping([this](int port) { return port == 1 ? m_line->deviceA() : QString(); });

    m_device = std::make_unique<QSerialPort>(m_line->deviceB());
    m_device->setBaudRate(9600);
    QVERIFY2(m_device->open(QIODevice::WriteOnly), qPrintable(m_device->errorString()));
}

void tst_SerialTiming::cleanup()
{
    m_timing.reset();
    m_device.reset();
    m_line.reset();
}

void tst_SerialTiming::write(const QByteArray& bytes)
{
    QCOMPARE(m_device->write(bytes), bytes.size());
    QVERIFY(m_device->waitForBytesWritten(5000) || m_device->bytesToWrite() == 0);
}

void tst_SerialTiming::framesArriveAcrossTheLine()
{
    QVERIFY2(m_timing->openPort(pty8N1()), qPrintable(m_timing->errorString()));
    write(omegaTime("   12.34") + "noise" + QByteArray("\x01\x02\x0C\x04", 4) + omegaTime(" 1:02.34"));
    QTRY_COMPARE(m_shown, (QStringList{"   12.34", "!", " 1:02.34"}));
    m_timing->closePort();
    QVERIFY(!m_timing->isOpen());
}

void tst_SerialTiming::bytesOneByOne()
{
    m_protocol = kRoller;
    QVERIFY(m_timing->openPort(pty8N1()));
    const QByteArray frame("\x02I  3456\x03", 9);
    for (const char c : frame) {
        write(QByteArray(1, c));
        QTest::qWait(0);
    }
    QTRY_COMPARE(m_shown, QStringList{"   34:56"});
}

void tst_SerialTiming::hiddenDisplayDropsFrames()
{
    QSignalSpy received(&m_timing->SerialPort, &TSerialLine::charactersAvailable);
    QVERIFY(m_timing->openPort(pty8N1()));
    m_visible = false;
    // A frame that completes later is still whole: characters are collected while hidden.
    write(omegaTime("   12.34") + QByteArray("\x01\x14R\x02   56", 9));
    QTRY_VERIFY(!received.isEmpty());
    m_visible = true;
    write(".78" + QByteArray(1, 0x04));
    QTRY_COMPARE(m_shown, QStringList{"   56.78"});
}

void tst_SerialTiming::protocolIsReadAtEachNotification()
{
    QSignalSpy received(&m_timing->SerialPort, &TSerialLine::charactersAvailable);
    QVERIFY(m_timing->openPort(pty8N1()));
    m_protocol = 2; // nothing valid chosen: nothing is read, and nothing is lost
    write(QByteArray("\x02I123456\x03", 9));
    QTRY_VERIFY(!received.isEmpty());
    QVERIFY(m_shown.isEmpty());
    m_protocol = kRoller;
    write(QByteArray("\x02I654321\x03", 9));
    QTRY_COMPARE(m_shown, (QStringList{"12:34:56", "65:43:21"}));
}

void tst_SerialTiming::openingEmptiesTheFrameBuffer()
{
    QSignalSpy received(&m_timing->SerialPort, &TSerialLine::charactersAvailable);
    QVERIFY(m_timing->openPort(pty8N1()));
    write(QByteArray("\x01\x14R\x02   ", 7));
    QTRY_VERIFY(!received.isEmpty());
    m_timing->closePort();
    QVERIFY(m_timing->openPort(pty8N1()));
    write("12.34" + QByteArray(1, 0x04) + omegaTime("   00.01"));
    QTRY_COMPARE(m_shown, QStringList{"   00.01"});
}

void tst_SerialTiming::farEndGoneClosesThePortOnce()
{
    QSignalSpy lost(m_timing.get(), &TSerialTiming::lineLost);
    QVERIFY(m_timing->openPort(pty8N1()));
    write(omegaTime("   12.34"));
    QTRY_COMPARE(m_shown, QStringList{"   12.34"});

    m_device.reset();
    m_line->kill();
    QTRY_COMPARE(lost.count(), 1);
    QCOMPARE(lost.first().first().toString(),
             QStringLiteral("Die Verbindung zur Zeitmessanlage an COM 1 ist unterbrochen."));
    QVERIFY(!m_timing->isOpen());
    // No error storm after closing: the loop stays idle and nothing more is reported.
    for (int i = 0; i < 10000; ++i) {
        QCoreApplication::processEvents();
    }
    QCOMPARE(lost.count(), 1);

    // A new line works again.
    QVERIFY(m_line->start());
    m_device = std::make_unique<QSerialPort>(m_line->deviceB());
    QVERIFY(m_device->open(QIODevice::WriteOnly));
    QVERIFY(m_timing->openPort(pty8N1()));
    write(omegaTime("   99.99"));
    QTRY_COMPARE(m_shown, (QStringList{"   12.34", "   99.99"}));
}

void tst_SerialTiming::portOffOrMissingDoesNotOpen_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("ausgeschaltet") << 0;
    QTest::newRow("no device behind COM 2") << 2;
}

void tst_SerialTiming::portOffOrMissingDoesNotOpen()
{
    QFETCH(int, port);
    m_timing->setDeviceMapping([this](int) { return m_line->deviceA() + "-gibt-es-nicht"; });
    QVERIFY(!m_timing->openPort(pty8N1(port)));
    QVERIFY(!m_timing->isOpen());
    QVERIFY(!m_timing->errorString().isEmpty());
}

QTEST_GUILESS_MAIN(tst_SerialTiming)
#include "tst_SerialTiming.moc"
