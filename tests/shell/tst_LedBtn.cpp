#include "shell/LedBtn.h"

#include <QTest>

class tst_LedBtn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void colours_data();
    void colours();
    void newLampIsGreen();
    void picturesDiffer();
};

void tst_LedBtn::colours_data()
{
    QTest::addColumn<int>("light");
    QTest::addColumn<QString>("resource");
    QTest::newRow("red") << int(TLedBtnColor::LedRed) << "RED";
    QTest::newRow("blue") << int(TLedBtnColor::LedBlue) << "BLUE";
    QTest::newRow("green") << int(TLedBtnColor::LedGreen) << "GREEN";
    QTest::newRow("yellow") << int(TLedBtnColor::LedYellow) << "YELLOW";
    QTest::newRow("magenta") << int(TLedBtnColor::LedMangenta) << "MANGENTA";
    QTest::newRow("gray") << int(TLedBtnColor::LedGray) << "GRAY";
    QTest::newRow("cyan") << int(TLedBtnColor::LedCyan) << "CYAN";
    QTest::newRow("white") << int(TLedBtnColor::LedWhite) << "WHITE";
    QTest::newRow("outside the list") << 42 << "GRAY";
}

void tst_LedBtn::colours()
{
    QFETCH(int, light);
    QFETCH(QString, resource);
    TLedBtn lamp;
    lamp.setActiveLight(TLedBtnColor(light));
    QCOMPARE(int(lamp.ActiveLight()), light);
    QCOMPARE(lamp.pictureName(), resource);
    const QImage shown = lamp.icon().pixmap(16, 16).toImage();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown, TLedBtn::picture(resource).toImage());
}

void tst_LedBtn::newLampIsGreen()
{
    TLedBtn lamp;
    QCOMPARE(lamp.ActiveLight(), TLedBtnColor::LedGreen);
    QCOMPARE(lamp.pictureName(), QStringLiteral("GREEN"));
}

void tst_LedBtn::picturesDiffer()
{
    // Eight different lamps, and the centre of each has the hue its name says.
    const QStringList names{"RED", "BLUE", "GREEN", "YELLOW", "MANGENTA", "GRAY", "CYAN", "WHITE"};
    QSet<QByteArray> distinct;
    for (const QString& name : names) {
        const QImage image = TLedBtn::picture(name).toImage();
        QCOMPARE(image.size(), QSize(16, 16));
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    QCOMPARE(distinct.size(), names.size());
    const QColor green = TLedBtn::picture(QStringLiteral("GREEN")).toImage().pixelColor(10, 10);
    QVERIFY(green.green() > 2 * green.red() && green.green() > 2 * green.blue());
    const QColor red = TLedBtn::picture(QStringLiteral("RED")).toImage().pixelColor(10, 10);
    QVERIFY(red.red() > 2 * red.green() && red.red() > 2 * red.blue());
    const QColor gray = TLedBtn::picture(QStringLiteral("GRAY")).toImage().pixelColor(10, 10);
    QVERIFY(qAbs(gray.red() - gray.green()) < 10 && qAbs(gray.green() - gray.blue()) < 10);
}

QTEST_MAIN(tst_LedBtn)
#include "tst_LedBtn.moc"
