#include "feeds/SerialFrames.h"

#include <QTest>

using serialframes::Protocol;

Q_DECLARE_METATYPE(serialframes::Protocol)

namespace {

// What the timing display is asked to do, one line per call: the quoted text, or "blank" for the
// forced empty text.
QStringList run(Protocol protocol, const QByteArray& bytes)
{
    serialframes::FrameCollector collector;
    QStringList calls;
    for (const char c : bytes) {
        const auto frame = collector.take(c, protocol);
        if (!frame) {
            continue;
        }
        const auto message = protocol == Protocol::OmegaUnt ? serialframes::omegaUntFrame(*frame)
                                                            : serialframes::rollertimeFrame(*frame);
        if (!message) {
            continue;
        }
        calls << (message->force ? (message->text.isEmpty() ? QStringLiteral("blank") : "force " + message->text)
                                 : QLatin1Char('\'') + message->text + QLatin1Char('\''));
    }
    return calls;
}

QByteArray omega(const QByteArray& kindAndText)
{
    return QByteArray(1, 0x01) + kindAndText + QByteArray(1, 0x04);
}

QByteArray omegaTime(char kind, const QByteArray& text)
{
    return omega(QByteArray("\x14", 1) + kind + QByteArray(1, 0x02) + text);
}

QByteArray roller(const QByteArray& kindAndText)
{
    return QByteArray(1, 0x02) + kindAndText + QByteArray(1, 0x03);
}

} // namespace

class tst_SerialFrames final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void frames_data();
    void frames();
    void oversizedPartialFrameIsDropped();
    void protocolIndexes();
};

void tst_SerialFrames::frames_data()
{
    QTest::addColumn<Protocol>("protocol");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("calls");

    const auto O = Protocol::OmegaUnt;
    const auto R = Protocol::Rollertime;

    QTest::newRow("omega R time") << O << omegaTime('R', "   12.34") << QStringList{"'   12.34'"};
    QTest::newRow("omega separators after blanks") << O << omegaTime('R', "  :  .12") << QStringList{"'      12'"};
    QTest::newRow("omega colon comma point in a run") << O << omegaTime('R', " : , . 1") << QStringList{"'       1'"};
    QTest::newRow("omega separator after digit stays") << O << omegaTime('R', " 1:02,34") << QStringList{"' 1:02,34'"};
    QTest::newRow("omega S drops three") << O << omegaTime('S', "01 1:02.345") << QStringList{"'1:02.345'"};
    QTest::newRow("omega R cut to eight") << O << omegaTime('R', "123456789ABCDEF") << QStringList{"'12345678'"};
    QTest::newRow("omega S of a long text") << O << omegaTime('S', "01 1:02.345XYZW") << QStringList{"'1:02.345'"};
    QTest::newRow("omega short field without end byte") << O << omegaTime('R', "12.34") << QStringList{"'12.34'"};
    QTest::newRow("omega S shorter than three") << O << omegaTime('S', "ab") << QStringList{"''"};
    QTest::newRow("omega text after the last 02")
        << O << omegaTime('R', QByteArray("xx\x02yy\x02   12.34")) << QStringList{"'   12.34'"};
    QTest::newRow("omega other time kind") << O << omegaTime('X', "   12.34") << QStringList{};
    QTest::newRow("omega time frame of five bytes") << O << omega(QByteArray("\x14R\x02", 3)) << QStringList{};
    QTest::newRow("omega blank") << O << omega(QByteArray("\x02\x0C", 2)) << QStringList{"blank"};
    QTest::newRow("omega blank twice") << O << omega(QByteArray("\x02\x0C", 2)).repeated(2)
                                       << QStringList{"blank", "blank"};
    QTest::newRow("omega 02 without 0C") << O << omega(QByteArray("\x02\x0D", 2)) << QStringList{};
    QTest::newRow("omega other kind") << O << omega(QByteArray("\x15R\x02   12.34", 11)) << QStringList{};
    QTest::newRow("omega junk before start")
        << O << QByteArray("xy\x04\x03 ") + omega(QByteArray("\x02\x0C", 2)) << QStringList{"blank"};
    QTest::newRow("omega new start discards partial")
        << O << QByteArray("\x01\x78\x78", 3) + omegaTime('R', "   12.34") << QStringList{"'   12.34'"};
    QTest::newRow("omega end right after start is dropped")
        << O << QByteArray("\x01\x04\x02\x0C\x04", 5) << QStringList{"blank"};
    QTest::newRow("omega same time twice")
        << O << omegaTime('R', "   12.34").repeated(2) << QStringList{"'   12.34'", "'   12.34'"};
    QTest::newRow("omega frames of the other protocol") << O << roller("I123456") + roller("B") << QStringList{};

    QTest::newRow("roller time") << R << roller("I123456") << QStringList{"'12:34:56'"};
    QTest::newRow("roller leading blanks") << R << roller("I  3456") << QStringList{"'   34:56'"};
    QTest::newRow("roller blank before each colon") << R << roller("I1 3 56") << QStringList{"'1  3  56'"};
    QTest::newRow("roller short I frame") << R << roller("I12345") << QStringList{};
    QTest::newRow("roller only six digits count") << R << roller("I1234567") << QStringList{"'12:34:56'"};
    QTest::newRow("roller blank") << R << roller("B") << QStringList{"blank"};
    QTest::newRow("roller other kind") << R << roller("X123456") << QStringList{};
    QTest::newRow("roller new start discards partial")
        << R << QByteArray("\x02I12", 4) + roller("I654321") << QStringList{"'65:43:21'"};
    QTest::newRow("roller end right after start is dropped") << R
                                                             << QByteArray("\x02\x03"
                                                                           "B\x03",
                                                                           4)
                                                             << QStringList{"blank"};
    QTest::newRow("roller junk before start") << R << QByteArray("\x01\x04zz") + roller("B") << QStringList{"blank"};
    QTest::newRow("roller frames of the other protocol")
        << R << omegaTime('R', "   12.34") + omega(QByteArray("\x02\x0C", 2)) << QStringList{};
}

void tst_SerialFrames::frames()
{
    QFETCH(Protocol, protocol);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, calls);
    QCOMPARE(run(protocol, bytes), calls);
}

void tst_SerialFrames::oversizedPartialFrameIsDropped()
{
    serialframes::FrameCollector collector;
    QByteArray noise(1, 0x01);
    noise += QByteArray(100000, 'x');
    for (const char c : noise) {
        QVERIFY(!collector.take(c, Protocol::OmegaUnt));
        QVERIFY(collector.buffer().size() < serialframes::FrameCollector::kMaxFrame);
    }
    // The end byte of the oversized frame completes nothing; the next frame is whole again.
    QVERIFY(!collector.take(0x04, Protocol::OmegaUnt));
    QCOMPARE(run(Protocol::OmegaUnt, QByteArray(1, 0x01) + QByteArray(300, 'x') + omegaTime('R', "   12.34")),
             QStringList{"'   12.34'"});

    // A frame up to the limit still counts.
    const QByteArray longest = omegaTime('R', QByteArray(serialframes::FrameCollector::kMaxFrame - 14, 'x') +
                                                  QByteArray(1, 0x02) + "   12.34");
    QCOMPARE(longest.size(), serialframes::FrameCollector::kMaxFrame);
    QCOMPARE(run(Protocol::OmegaUnt, longest), QStringList{"'   12.34'"});
    QCOMPARE(run(Protocol::OmegaUnt, omegaTime('R', QByteArray(serialframes::FrameCollector::kMaxFrame - 13, 'x') +
                                                        QByteArray(1, 0x02) + "   12.34")),
             QStringList{});
}

void tst_SerialFrames::protocolIndexes()
{
    QCOMPARE(serialframes::protocolFromIndex(0), std::optional{Protocol::OmegaUnt});
    QCOMPARE(serialframes::protocolFromIndex(1), std::optional{Protocol::Rollertime});
    QVERIFY(!serialframes::protocolFromIndex(-1));
    QVERIFY(!serialframes::protocolFromIndex(2));
}

QTEST_APPLESS_MAIN(tst_SerialFrames)
#include "tst_SerialFrames.moc"
