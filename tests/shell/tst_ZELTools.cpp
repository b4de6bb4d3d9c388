#include "wall_link/ZELTools.h"

#include <QTest>

class tst_ZELTools : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timeToMs_data();
    void timeToMs();
    void isIpAddress_data();
    void isIpAddress();
    void trimText_data();
    void trimText();
    void tempFolderEndsWithSeparator();
};

void tst_ZELTools::timeToMs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("minutes seconds tenths") << "1:02,3" << qint64(62300);
    QTest::newRow("dot as comma") << "12.5" << qint64(12500);
    QTest::newRow("minutes seconds") << "1:02" << qint64(62000);
    QTest::newRow("hours minutes seconds") << "2:3:4" << qint64(7384000);
    QTest::newRow("one hour") << "1:00:00" << qint64(3600000);
    QTest::newRow("plain digits unscaled") << "75" << qint64(75);
    QTest::newRow("four fraction digits unscaled") << "1,2345" << qint64(3345);
    QTest::newRow("half second") << "0,5" << qint64(500);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("no digits") << "abc" << qint64(0);
    QTest::newRow("letters ignored") << "1m:02s,3" << qint64(62300);
    QTest::newRow("leading separator adds nothing") << ":5" << qint64(5000);
    QTest::newRow("comma only") << "," << qint64(0);
    QTest::newRow("two commas") << "1,2,3" << qint64(1002003);
    QTest::newRow("huge saturates") << "99999999999999999999999:9" << std::numeric_limits<qint64>::max();
    QTest::newRow("huge plain saturates") << "999999999999999999999999" << std::numeric_limits<qint64>::max();
}

void tst_ZELTools::timeToMs()
{
    QFETCH(QString, text);
    QFETCH(qint64, ms);
    QCOMPARE(TZELTools::TimeToMs(text), ms);
}

void tst_ZELTools::isIpAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("typical") << "192.168.123.201" << true;
    QTest::newRow("black 192.168.0.10") << "192.168.0.10" << true;
    QTest::newRow("empty first group") << ".1.2.3" << true;
    QTest::newRow("empty inner group") << "1..2.3" << true;
    QTest::newRow("empty group 192..0.1") << "192..0.1" << true;
    QTest::newRow("leading zeros") << "001.002.003.004" << true;
    QTest::newRow("all zero") << "0.0.0.0" << true;
    QTest::newRow("max") << "255.255.255.255" << true;
    QTest::newRow("trailing dot") << "1.2.3." << false;
    QTest::newRow("group over 255") << "1.2.3.256" << false;
    QTest::newRow("192.168.0.256") << "192.168.0.256" << false;
    QTest::newRow("three groups") << "192.168.0" << false;
    QTest::newRow("192.168.0.1.") << "192.168.0.1." << false;
    QTest::newRow("five groups") << "1.2.3.4.5" << false;
    QTest::newRow("four digits") << "1234.1.1.1" << false;
    QTest::newRow("blank") << "1.2.3. 4" << false;
    QTest::newRow("trailing blank") << "1.2.3.4 " << false;
    QTest::newRow("name") << "localhost" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dots only") << "..." << false;
}

void tst_ZELTools::isIpAddress()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(TZELTools::IsIpAddress(text), valid);
}

void tst_ZELTools::trimText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("spaces both sides") << "  Meier  "
                                       << "Meier";
    QTest::newRow("trailing tabs and spaces") << "Meier\t \t"
                                              << "Meier";
    QTest::newRow("leading tab stays") << "\tMeier"
                                       << "\tMeier";
    QTest::newRow("inner spaces stay") << " Hans  Meier "
                                       << "Hans  Meier";
    QTest::newRow("only blanks") << " \t "
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_ZELTools::trimText()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(TZELTools::TrimText(text), trimmed);
}

void tst_ZELTools::tempFolderEndsWithSeparator()
{
    const QString folder = TZELTools::TempFolder();
    QVERIFY(folder.endsWith(QLatin1Char('/')));
    QVERIFY(QFileInfo(folder).isDir());
}

QTEST_GUILESS_MAIN(tst_ZELTools)
#include "tst_ZELTools.moc"
