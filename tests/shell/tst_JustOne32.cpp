#include "ClientFixture.h"
#include "shell/Just1_32.h"

#include <QTemporaryDir>
#include <QTest>

class tst_JustOne32 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void secondCopyHandsOverToFirst();
    void lockIsFreeAgainAfterTheFirstEnds();
    void handOverWithoutAFirstCopyFails();
    void handOverRestoresMinimisedMainWindow();
};

void tst_JustOne32::secondCopyHandsOverToFirst()
{
    QTemporaryDir folder;
    TJustOne32 first(QStringLiteral("BrisalClient"), folder.path());
    QVERIFY(!first.previousInstance());
    int raised = 0;
    first.listen([&] { ++raised; });

    TJustOne32 second(QStringLiteral("BrisalClient"), folder.path());
    QVERIFY(second.previousInstance());
    QVERIFY(second.handOver());
    QTRY_COMPARE(raised, 1);

    // Another program name is another lock.
    TJustOne32 other(QStringLiteral("wallsim"), folder.path());
    QVERIFY(!other.previousInstance());
}

void tst_JustOne32::lockIsFreeAgainAfterTheFirstEnds()
{
    QTemporaryDir folder;
    {
        TJustOne32 first(QStringLiteral("BrisalClient"), folder.path());
        first.listen([] {});
        QVERIFY(!first.previousInstance());
    }
    TJustOne32 next(QStringLiteral("BrisalClient"), folder.path());
    QVERIFY(!next.previousInstance());
}

void tst_JustOne32::handOverWithoutAFirstCopyFails()
{
    // A copy that holds the lock but has not started listening: the hand-over gives up in time.
    QTemporaryDir folder;
    TJustOne32 first(QStringLiteral("BrisalClient"), folder.path());
    TJustOne32 second(QStringLiteral("BrisalClient"), folder.path());
    QVERIFY(second.previousInstance());
    QVERIFY(!second.handOver(300));
}

void tst_JustOne32::handOverRestoresMinimisedMainWindow()
{
    QTemporaryDir folder;
    ClientFixture client;
    client.start();
    TJustOne32 first(QStringLiteral("BrisalClient"), folder.path());
    first.listen([&] { client.main().bringToFront(); });
    client.main().showMinimized();
    QTRY_VERIFY(client.main().isMinimized());

    TJustOne32 second(QStringLiteral("BrisalClient"), folder.path());
    QVERIFY(second.previousInstance());
    QVERIFY(second.handOver());
    QTRY_VERIFY(!client.main().isMinimized());
    QVERIFY(client.main().isVisible());
}

QTEST_MAIN(tst_JustOne32)
#include "tst_JustOne32.moc"
