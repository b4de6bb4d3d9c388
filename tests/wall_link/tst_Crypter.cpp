#include "wall_link/Crypter.h"

#include <QTest>

#include <numeric>

namespace {
QByteArray bytes(int n, int seed)
{
    QByteArray out(n, '\0');
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<char>((i * 37 + seed * 11 + 5) & 0xFF);
    return out;
}

// A table that is the identity except for a known run at position s, so the walk is predictable.
PermutationTable walkTable()
{
    PermutationTable t{};
    std::iota(t.begin(), t.end(), 0);
    // positions 10.. read 200, 2, 77, 0, 150, 1 ...
    auto swapValues = [&t](quint8 a, quint8 b) {
        auto ia = std::find(t.begin(), t.end(), a);
        auto ib = std::find(t.begin(), t.end(), b);
        std::iter_swap(ia, ib);
    };
    const quint8 want[] = {200, 2, 77, 0, 150, 1};
    for (int i = 0; i < 6; ++i)
        swapValues(t[static_cast<size_t>(10 + i)], want[i]);
    return t;
}
} // namespace

class TstCrypter final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTripEveryLengthAndFirstKeyByte()
    {
        TCrypter c;
        for (int n = 1; n <= 255; ++n) {
            const QByteArray plain = bytes(n, n);
            for (int first = 0; first < 256; ++first) {
                QByteArray key = bytes(15, first);
                key[0] = static_cast<char>(first);
                const TCrypter::Result scrambled = c.run(TCrypter::Direction::Encrypt, 1, key, plain);
                QVERIFY(scrambled.done);
                QCOMPARE(scrambled.data.size(), n);
                const TCrypter::Result back = c.run(TCrypter::Direction::Decrypt, 1, key, scrambled.data);
                QVERIFY(back.done);
                if (back.data != plain)
                    QFAIL(qPrintable(QStringLiteral("round trip failed at n=%1 first=%2").arg(n).arg(first)));
            }
        }
    }

    void permutationWalkOnKnownTable()
    {
        // From position 10 the entries read 200, 2, 77, 0, 150, 1: for n = 3, P = (2, 0, 1).
        TCrypter c(walkTable());
        const TCrypter::Result r = c.run(TCrypter::Direction::Encrypt, 1, QByteArray(1, '\x0A'), QByteArray("abc"));
        QVERIFY(r.done);
        QByteArray expected("cab"); // gather: out[k] = in[P[k]]
        for (char& ch : expected)
            ch = static_cast<char>(ch ^ 0x0A);
        QCOMPARE(r.data.toHex(' '), expected.toHex(' '));
    }

    void longestDataWalksTableWithout255()
    {
        const PermutationTable& t = builtInPermutationTable();
        TCrypter c;
        QByteArray plain(255, '\0');
        std::iota(plain.begin(), plain.end(), 0); // byte k holds k, so the output shows P directly
        const TCrypter::Result r = c.run(TCrypter::Direction::Encrypt, 1, QByteArray(1, '\x07'), plain);
        QVERIFY(r.done);
        QByteArray expected;
        for (int i = 0; i < 256; ++i) {
            const quint8 v = t[static_cast<size_t>((7 + i) & 0xFF)];
            if (v != 255)
                expected.append(static_cast<char>(v ^ 0x07));
        }
        QCOMPARE(r.data.toHex(), expected.toHex());
    }

    void singleByteIsXorWithFirstKeyByte()
    {
        TCrypter c;
        const TCrypter::Result r =
            c.run(TCrypter::Direction::Encrypt, 1, QByteArray::fromHex("5A01"), QByteArray::fromHex("C3"));
        QVERIFY(r.done);
        QCOMPARE(r.data.toHex(), QByteArray("99"));
    }

    void oneByteKeyXorsEveryByte()
    {
        TCrypter c;
        const TCrypter::Result r =
            c.run(TCrypter::Direction::Encrypt, 1, QByteArray::fromHex("FF"), QByteArray(40, '\x0F'));
        QVERIFY(r.done);
        QCOMPARE(r.data, QByteArray(40, '\xF0'));
    }

    void refusals_data()
    {
        QTest::addColumn<int>("dataLength");
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<int>("keyType");
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("result");
        QTest::addColumn<bool>("dataChanged");
        QTest::addColumn<int>("keyLengthAfter");
        QTest::newRow("data 256") << 256 << 3 << 1 << 0 << false << false << 3;
        QTest::newRow("data 256, empty key not defaulted") << 256 << 0 << 1 << 0 << false << false << 0;
        QTest::newRow("key 256") << 10 << 256 << 1 << 0 << false << false << 256;
        QTest::newRow("decrypt data 256") << 256 << 0 << 1 << 1 << false << false << 0;
        QTest::newRow("unknown action") << 10 << 3 << 1 << 7 << false << false << 3;
        QTest::newRow("key type 2, key defaulted") << 10 << 0 << 2 << 0 << false << false << 15;
        QTest::newRow("key type 0x80 as 0") << 10 << 3 << 0x80 << 0 << true << false << 3;
        QTest::newRow("key type 0x81 as 1") << 10 << 3 << 0x81 << 0 << true << true << 3;
        QTest::newRow("empty data, key defaulted") << 0 << 0 << 1 << 0 << true << false << 15;
        QTest::newRow("empty data decrypt, key defaulted") << 0 << 0 << 1 << 1 << true << false << 15;
    }

    void refusals()
    {
        QFETCH(int, dataLength);
        QFETCH(int, keyLength);
        QFETCH(int, keyType);
        QFETCH(int, action);
        QFETCH(bool, result);
        QFETCH(bool, dataChanged);
        QFETCH(int, keyLengthAfter);
        TCrypter c;
        const QByteArray data = bytes(dataLength, 1);
        const TCrypter::Result r =
            c.run(static_cast<TCrypter::Direction>(action), static_cast<quint8>(keyType), bytes(keyLength, 2), data);
        QCOMPARE(r.done, result);
        QCOMPARE(r.data != data, dataChanged);
        QCOMPARE(r.key.size(), keyLengthAfter);
    }

    void defaultKeys()
    {
        TCrypter c;
        const TCrypter::Result sent = c.run(TCrypter::Direction::Encrypt, 1, {}, QByteArray("Heim"));
        QVERIFY(sent.done);
        QCOMPARE(sent.key.size(), 15);
        QVERIFY(!sent.key.contains('\xFF'));

        const TCrypter::Result received = c.run(TCrypter::Direction::Decrypt, 1, {}, sent.data);
        QVERIFY(received.done);
        const PermutationTable& t = builtInPermutationTable();
        QCOMPARE(received.key, QByteArray(reinterpret_cast<const char*>(t.data()), 15));
    }

    void randomKeysNeverHoldFF()
    {
        QByteArray all;
        for (int i = 0; i < 2000; ++i)
            all += TCrypter::randomKey();
        QVERIFY(!all.contains('\xFF'));
        QVERIFY(all.contains('\xFE')); // the whole range 0..254 is drawn from
        QVERIFY(all.contains('\0'));
    }
};

QTEST_APPLESS_MAIN(TstCrypter)
#include "tst_Crypter.moc"
