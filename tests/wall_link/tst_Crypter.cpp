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
                c.KeyStr = key;
                c.KeyType = 1;
                c.Action = TCrypter::TAction::crEncrypt;
                c.DataStr = plain;
                QVERIFY(c.Execute());
                QCOMPARE(c.DataStr.size(), n);
                c.Action = TCrypter::TAction::crDecrypt;
                QVERIFY(c.Execute());
                if (c.DataStr != plain)
                    QFAIL(qPrintable(QStringLiteral("round trip failed at n=%1 first=%2").arg(n).arg(first)));
            }
        }
    }

    void permutationWalkOnKnownTable()
    {
        // From position 10 the entries read 200, 2, 77, 0, 150, 1: for n = 3, P = (2, 0, 1).
        TCrypter c(walkTable());
        c.KeyStr = QByteArray(1, '\x0A');
        c.KeyType = 1;
        c.Action = TCrypter::TAction::crEncrypt;
        c.DataStr = QByteArray("abc");
        QVERIFY(c.Execute());
        QByteArray expected("cab"); // gather: out[k] = in[P[k]]
        for (char& ch : expected)
            ch = static_cast<char>(ch ^ 0x0A);
        QCOMPARE(c.DataStr.toHex(' '), expected.toHex(' '));
    }

    void longestDataWalksTableWithout255()
    {
        const PermutationTable& t = builtInPermutationTable();
        TCrypter c;
        QByteArray plain(255, '\0');
        std::iota(plain.begin(), plain.end(), 0); // byte k holds k, so the output shows P directly
        c.KeyStr = QByteArray(1, '\x07');
        c.KeyType = 1;
        c.DataStr = plain;
        QVERIFY(c.Execute());
        QByteArray expected;
        for (int i = 0; i < 256; ++i) {
            const quint8 v = t[static_cast<size_t>((7 + i) & 0xFF)];
            if (v != 255)
                expected.append(static_cast<char>(v ^ 0x07));
        }
        QCOMPARE(c.DataStr.toHex(), expected.toHex());
    }

    void singleByteIsXorWithFirstKeyByte()
    {
        TCrypter c;
        c.KeyStr = QByteArray::fromHex("5A01");
        c.KeyType = 1;
        c.DataStr = QByteArray::fromHex("C3");
        QVERIFY(c.Execute());
        QCOMPARE(c.DataStr.toHex(), QByteArray("99"));
    }

    void oneByteKeyXorsEveryByte()
    {
        TCrypter c;
        c.KeyStr = QByteArray::fromHex("FF");
        c.KeyType = 1;
        c.DataStr = QByteArray(40, '\x0F');
        QVERIFY(c.Execute());
        QCOMPARE(c.DataStr, QByteArray(40, '\xF0'));
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
        c.KeyStr = bytes(keyLength, 2);
        c.KeyType = static_cast<quint8>(keyType);
        c.Action = static_cast<TCrypter::TAction>(action);
        c.DataStr = data;
        QCOMPARE(c.Execute(), result);
        QCOMPARE(c.DataStr != data, dataChanged);
        QCOMPARE(c.KeyStr.size(), keyLengthAfter);
    }

    void defaultKeys()
    {
        TCrypter c;
        c.KeyType = 1;
        c.DataStr = QByteArray("Heim");
        QVERIFY(c.Execute());
        QCOMPARE(c.KeyStr.size(), 15);
        QVERIFY(!c.KeyStr.contains('\xFF'));

        c.KeyStr.clear();
        c.Action = TCrypter::TAction::crDecrypt;
        QVERIFY(c.Execute());
        const PermutationTable& t = builtInPermutationTable();
        QCOMPARE(c.KeyStr, QByteArray(reinterpret_cast<const char*>(t.data()), 15));
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
