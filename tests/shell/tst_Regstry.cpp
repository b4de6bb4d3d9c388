#include "shell/OperatorError.h"
#include "shell/Regstry.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kMain = QStringLiteral("Software\\ZEL\\BrisalClient\\Main");
const QString kJson = QStringLiteral("Software\\ZEL\\BrisalClient\\JSON");

QString thrownText(TRegstry& store, const QString& key, const QString& name, const QString& value)
{
    try {
        store.WriteString(key, name, value);
    } catch (const OperatorError& e) {
        return e.text();
    }
    return QStringLiteral("<nothing thrown>");
}
} // namespace

class tst_Regstry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTripInGroups();
    void readFallbacks_data();
    void readFallbacks();
    void valueEndsAtZeroCharacter();
    void unopenableKeyRaisesRegOpenKey();
    void unstorableValueRaisesRegSetValue();
};

void tst_Regstry::roundTripInGroups()
{
    QTemporaryDir root;
    TRegstry store(root.path());
    store.WriteString(kMain, QStringLiteral("IPServer"), QStringLiteral("192.168.123.201"));
    store.WriteString(kJson, QStringLiteral("RxPrefix"), QStringLiteral("QTX"));
    store.WriteString(kMain, QStringLiteral("WatchText"), QStringLiteral("Grüße, \"Tor\" = 1; ß"));
    QCOMPARE(store.ReadString(kMain, QStringLiteral("IPServer"), {}), QStringLiteral("192.168.123.201"));
    QCOMPARE(store.ReadString(kMain, QStringLiteral("WatchText"), {}), QStringLiteral("Grüße, \"Tor\" = 1; ß"));
    QCOMPARE(store.ReadString(kJson, QStringLiteral("RxPrefix"), {}), QStringLiteral("QTX"));
    // The same names in another group are other values.
    QCOMPARE(store.ReadString(kJson, QStringLiteral("IPServer"), QStringLiteral("none")), QStringLiteral("none"));

    // Where the platform store keeps them: organisation folder, application file, group section.
    QSettings file(root.path() + QStringLiteral("/ZEL/BrisalClient.conf"), QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("Main/IPServer")).toString(), QStringLiteral("192.168.123.201"));
    QCOMPARE(file.value(QStringLiteral("JSON/RxPrefix")).toString(), QStringLiteral("QTX"));
}

void tst_Regstry::readFallbacks_data()
{
    QTest::addColumn<QString>("raw"); // line written into the [Main] section, empty for none
    QTest::addColumn<QString>("read");
    QTest::newRow("missing") << ""
                             << "default";
    QTest::newRow("254 characters") << "Value=" + QString(254, u'x') << QString(254, u'x');
    QTest::newRow("255 characters") << "Value=" + QString(255, u'x') << "default";
    QTest::newRow("not a string but a list") << "Value=a, b"
                                             << "default";
    QTest::newRow("empty value") << "Value="
                                 << "";
}

void tst_Regstry::readFallbacks()
{
    QFETCH(QString, raw);
    QFETCH(QString, read);
    QTemporaryDir root;
    QDir().mkpath(root.path() + QStringLiteral("/ZEL"));
    QFile conf(root.path() + QStringLiteral("/ZEL/BrisalClient.conf"));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("[Main]\n" + raw.toUtf8() + "\n");
    conf.close();
    const TRegstry store(root.path());
    QCOMPARE(store.ReadString(kMain, QStringLiteral("Value"), QStringLiteral("default")), read);
}

void tst_Regstry::valueEndsAtZeroCharacter()
{
    QTemporaryDir root;
    TRegstry store(root.path());
    store.WriteString(kMain, QStringLiteral("Value"), QStringLiteral("abc") + QChar(u'\0') + QStringLiteral("def"));
    QCOMPARE(store.ReadString(kMain, QStringLiteral("Value"), {}), QStringLiteral("abc"));
}

void tst_Regstry::unopenableKeyRaisesRegOpenKey()
{
    // The settings folder cannot be made: its parent is a regular file (root ignores permissions).
    QTemporaryDir dir;
    const QString blocker = dir.path() + QStringLiteral("/file");
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    TRegstry store(blocker);
    QCOMPARE(thrownText(store, kMain, QStringLiteral("IPServer"), QStringLiteral("1.2.3.4")),
             QStringLiteral("RegOpenKey failed!"));
    QCOMPARE(thrownText(store, QStringLiteral("Software"), QStringLiteral("IPServer"), QStringLiteral("1.2.3.4")),
             QStringLiteral("RegOpenKey failed!"));
    // Reading the same place never fails.
    QCOMPARE(store.ReadString(kMain, QStringLiteral("IPServer"), QStringLiteral("127.0.0.1")),
             QStringLiteral("127.0.0.1"));
}

void tst_Regstry::unstorableValueRaisesRegSetValue()
{
    // The folder exists but the settings file cannot be written: a folder stands in its place.
    QTemporaryDir root;
    QVERIFY(QDir().mkpath(root.path() + QStringLiteral("/ZEL/BrisalClient.conf")));
    TRegstry store(root.path());
    QCOMPARE(thrownText(store, kMain, QStringLiteral("IPServer"), QStringLiteral("1.2.3.4")),
             QStringLiteral("RegSetValue failed: Software\\ZEL\\BrisalClient\\MainIPServer set to 1.2.3.4"));
    // A value that looks like a placeholder is quoted as it stands.
    QCOMPARE(thrownText(store, kMain, QStringLiteral("WatchText"), QStringLiteral("%1 %2")),
             QStringLiteral("RegSetValue failed: Software\\ZEL\\BrisalClient\\MainWatchText set to %1 %2"));
}

QTEST_GUILESS_MAIN(tst_Regstry)
#include "tst_Regstry.moc"
