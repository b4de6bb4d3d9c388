#include "wall_link/Cp1252.h"
#include "wall_link/HexBin.h"

#include <QTest>

class TstHexBin final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hexToBin_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("colour") << QStringLiteral("00FFFF00") << QByteArray::fromHex("00FFFF00");
        QTest::newRow("junk and lone digit") << QStringLiteral("0g0F") << QByteArray::fromHex("00");
        QTest::newRow("lower case, spaces") << QStringLiteral("a b\tc d") << QByteArray::fromHex("ABCD");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("umlaut is not a digit") << QStringLiteral("1ä2") << QByteArray::fromHex("12");
    }
    void hexToBin()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(THexBin::HexToBin(text).toHex(), bytes.toHex());
    }

    void pad_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("result");
        QTest::newRow("left") << QStringLiteral("abc") << 5 << true << QStringLiteral("abc  ");
        QTest::newRow("right") << QStringLiteral("abc") << 5 << false << QStringLiteral("  abc");
        QTest::newRow("cut left") << QStringLiteral("abcdef") << 4 << true << QStringLiteral("abcd");
        QTest::newRow("cut right") << QStringLiteral("abcdef") << 4 << false << QStringLiteral("abcd");
        QTest::newRow("zero") << QStringLiteral("abc") << 0 << true << QString();
        QTest::newRow("negative") << QStringLiteral("abc") << -1 << false << QStringLiteral("abc");
    }
    void pad()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, left);
        QFETCH(QString, result);
        QCOMPARE(THexBin::Pad(text, width, left), result);
    }

    void split_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("restAfter");
        QTest::newRow("key = value") << QStringLiteral("=") << true << QStringLiteral(" key = value ")
                                     << QStringLiteral("KEY") << QStringLiteral("value");
        QTest::newRow("first occurrence")
            << QStringLiteral(";") << false << QStringLiteral("a;b;c") << QStringLiteral("a") << QStringLiteral("b;c");
        QTest::newRow("no separator") << QStringLiteral(";") << false << QStringLiteral("\tabc ")
                                      << QStringLiteral("abc") << QString();
        QTest::newRow("empty rest") << QStringLiteral(";") << false << QString() << QString() << QString();
        QTest::newRow("empty separator") << QString() << false << QStringLiteral("a;b") << QString()
                                         << QStringLiteral("a;b");
        QTest::newRow("long separator") << QStringLiteral("CDC;") << false << QStringLiteral("xCDC;y")
                                        << QStringLiteral("x") << QStringLiteral("y");
        // Capitals character by character: a text keeps its length, one wall byte per character.
        QTest::newRow("sharp s has no one-letter capital")
            << QStringLiteral("=") << true << QStringLiteral("straße = x") << QStringLiteral("STRAßE")
            << QStringLiteral("x");
        QTest::newRow("umlauts") << QStringLiteral(";") << true << QStringLiteral("äöüÿ;") << QStringLiteral("ÄÖÜŸ")
                                 << QString();
        QTest::newRow("capital of three characters")
            << QString(QChar(0x20)) << true << QStringLiteral("ŉΰ ") << QStringLiteral("ŉΰ") << QString();
    }
    void split()
    {
        QFETCH(QString, separator);
        QFETCH(bool, upper);
        QFETCH(QString, rest);
        QFETCH(QString, left);
        QFETCH(QString, restAfter);
        QCOMPARE(THexBin::Split(separator, upper, rest), left);
        QCOMPARE(rest, restAfter);
    }

    void trimKeepsInnerAndOtherWhitespace()
    {
        QCOMPARE(THexBin::Trim(QStringLiteral(" \t a b \t")), QStringLiteral("a b"));
        QCOMPARE(THexBin::Trim(QStringLiteral("\na\n")), QStringLiteral("\na\n"));
    }

    void codepageRoundTrip()
    {
        QString all;
        for (int b = 0; b < 256; ++b)
            all += cp1252::decode(QByteArray(1, static_cast<char>(b)));
        const QByteArray back = cp1252::encode(all);
        QCOMPARE(back.size(), 256);
        for (int b = 0; b < 256; ++b)
            QCOMPARE(static_cast<quint8>(back[b]), quint8(b));
        QCOMPARE(cp1252::encode(QStringLiteral("ÄÖÜäöüß€„“")).toHex(), QByteArray("c4d6dce4f6fcdf808493"));
        QCOMPARE(cp1252::encode(QString::fromUtf8("\xF0\x9F\x98\x80x")), QByteArray("?x")); // one emoji, one ?
    }
};

QTEST_APPLESS_MAIN(TstHexBin)
#include "tst_HexBin.moc"
