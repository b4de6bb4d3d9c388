#include "wall_link/Crypter.h"
#include "wall_link/Frame.h"

#include <QTest>

class TstFrame final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sizes_data()
    {
        QTest::addColumn<int>("bodyLength");
        QTest::addColumn<int>("datagramLength");
        QTest::addColumn<bool>("bodyInClear");
        QTest::newRow("empty") << 0 << 0 << false;
        QTest::newRow("1") << 1 << 17 << false;
        QTest::newRow("255") << 255 << 271 << false;
        QTest::newRow("256") << 256 << 272 << true;
        QTest::newRow("284") << 284 << 300 << true;
        QTest::newRow("285") << 285 << 0 << false;
    }

    void sizes()
    {
        QFETCH(int, bodyLength);
        QFETCH(int, datagramLength);
        QFETCH(bool, bodyInClear);
        TCrypter c;
        QByteArray body(bodyLength, '\0');
        for (int i = 0; i < bodyLength; ++i)
            body[i] = static_cast<char>(i * 7);
        // A fixed key: a random one may start with 0x00, and a 1-byte body would then look unscrambled.
        const QByteArray key = QByteArray::fromHex("0102030405060708090A0B0C0D0E0F");
        const QByteArray datagram = frame::frameBody(c, body, key);
        QCOMPARE(datagram.size(), datagramLength);
        if (datagramLength == 0)
            return;
        QCOMPARE(static_cast<quint8>(datagram[0]), quint8(0xAF));
        QCOMPARE(datagram.mid(1, 15), key);
        QCOMPARE(datagram.mid(16) == body, bodyInClear);
        QCOMPARE(frame::unframe(c, datagram).value(), body);
    }

    void receive_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("empty") << QByteArray() << false << QByteArray();
        QTest::newRow("wrong nibble B5") << QByteArray::fromHex("B5000102") << false << QByteArray();
        QTest::newRow("wrong nibble 0F") << QByteArray::fromHex("0F0001") << false << QByteArray();
        QTest::newRow("shorter than key") << QByteArray::fromHex("AF010203") << true << QByteArray();
        QTest::newRow("header only") << QByteArray::fromHex("A3") << true << QByteArray();
    }

    void receive()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, body);
        TCrypter c;
        const auto got = frame::unframe(c, datagram);
        QCOMPARE(got.has_value(), accepted);
        if (accepted)
            QCOMPARE(got->toHex(), body.toHex());
    }

    void keyLengthZeroUsesTableDefaultKey()
    {
        // What a wall server sends without a key: scrambled under the table's first 15 bytes.
        TCrypter sender;
        const PermutationTable& t = builtInPermutationTable();
        const QByteArray defaultKey(reinterpret_cast<const char*>(t.data()), 15);
        const QByteArray body = QByteArray::fromHex("10FD2008") + "V1";
        const TCrypter::Result scrambled = sender.run(TCrypter::Direction::Encrypt, 1, defaultKey, body);
        QVERIFY(scrambled.done);
        const QByteArray datagram = QByteArray(1, '\xA0') + scrambled.data;

        TCrypter receiver;
        QCOMPARE(frame::unframe(receiver, datagram).value().toHex(), body.toHex());
    }

    void shortKeyFromServer()
    {
        TCrypter sender;
        const TCrypter::Result scrambled =
            sender.run(TCrypter::Direction::Encrypt, 1, QByteArray::fromHex("0102030405"), "Hello");
        QVERIFY(scrambled.done);
        const QByteArray datagram = QByteArray(1, '\xA5') + QByteArray::fromHex("0102030405") + scrambled.data;
        TCrypter receiver;
        QCOMPARE(frame::unframe(receiver, datagram).value(), QByteArray("Hello"));
    }
};

QTEST_APPLESS_MAIN(TstFrame)
#include "tst_Frame.moc"
