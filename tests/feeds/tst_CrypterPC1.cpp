#include "feeds/CrypterPC1.h"

#include <QTest>

class TestCrypterPC1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decryptsKnownVectors_data();
    void decryptsKnownVectors();
    void roundTrip_data();
    void roundTrip();
    void oddLetterAndCountAreHonoured();
};

void TestCrypterPC1::decryptsKnownVectors_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("letters");
    QTest::addColumn<QByteArray>("plain");
    // Computed with a separate transcription of the published 128-bit routine.
    QTest::newRow("word") << QByteArray("mirtelo.kq") << QByteArray("hpelhbdnel") << QByteArray("Hallo");
    QTest::newRow("id member") << QByteArray("mirtelo.kq") << QByteArray("embmeiongnehbpoddohcaimijopkmifakcpebgjbmped")
                               << QByteArray(R"({"JIDS":"QTX12345678"})");
}

void TestCrypterPC1::decryptsKnownVectors()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, letters);
    QFETCH(QByteArray, plain);
    QCOMPARE(TCrypterPC1::decrypt(key, letters), plain);
    QCOMPARE(TCrypterPC1::encrypt(key, plain), letters);
}

void TestCrypterPC1::roundTrip_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    QTest::newRow("every byte") << QByteArray("mirtelo.kq") << all;
    QTest::newRow("empty") << QByteArray("mirtelo.kq") << QByteArray();
    QTest::newRow("full 16-byte key") << QByteArray("0123456789abcdef")
                                      << QByteArray("Gr\xfc\xdf"
                                                    "e\0x",
                                                    7);
    QTest::newRow("key longer than 16 is cut") << QByteArray("0123456789abcdefXYZ") << QByteArray("text");
    QTest::newRow("empty key") << QByteArray() << QByteArray(R"({"TL":{}})");
}

void TestCrypterPC1::roundTrip()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    const QByteArray letters = TCrypterPC1::encrypt(key, plain);
    QCOMPARE(letters.size(), plain.size() * 2);
    for (const char c : letters)
        QVERIFY(c >= 'a' && c <= 'p');
    QCOMPARE(TCrypterPC1::decrypt(key, letters), plain);
    if (!plain.isEmpty())
        QVERIFY(letters != TCrypterPC1::encrypt("other key", plain));
    if (key.size() > TCrypterPC1::kKeySize)
        QCOMPARE(letters, TCrypterPC1::encrypt(key.left(TCrypterPC1::kKeySize), plain));
}

void TestCrypterPC1::oddLetterAndCountAreHonoured()
{
    const QByteArray letters = TCrypterPC1::encrypt("mirtelo.kq", "Hallo");
    QCOMPARE(TCrypterPC1::decrypt("mirtelo.kq", letters + 'c'), QByteArray("Hallo"));
    QCOMPARE(TCrypterPC1::decrypt("mirtelo.kq", letters, 5), QByteArray("Ha"));
    QCOMPARE(TCrypterPC1::decrypt("mirtelo.kq", letters, 100), QByteArray("Hallo"));
    // Letters outside a..p still give one byte per pair, never a crash.
    QCOMPARE(TCrypterPC1::decrypt("mirtelo.kq", QByteArray("ZZ\xff\x00", 4)).size(), 2);
}

QTEST_GUILESS_MAIN(TestCrypterPC1)
#include "tst_CrypterPC1.moc"
