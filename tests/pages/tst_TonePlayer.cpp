#include "pages/SystemAlertSound.h"
#include "pages/TonePlayer.h"

#include <QTest>
#include <QtEndian>

class TstTonePlayer final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void samplesAreTheRequestedTone()
    {
        const QByteArray pcm = TonePlayer::sineSamples(400, 800, 44100);
        QCOMPARE(pcm.size(), 44100 * 8 / 10 * 2);
        const auto* s = reinterpret_cast<const uchar*>(pcm.constData());
        const int n = int(pcm.size() / 2);
        int crossings = 0;
        int peak = 0;
        qint16 previous = qFromLittleEndian<qint16>(s);
        for (int i = 1; i < n; ++i) {
            const qint16 v = qFromLittleEndian<qint16>(s + 2 * i);
            if ((previous < 0) != (v < 0))
                ++crossings;
            peak = qMax(peak, qAbs(int(v)));
            previous = v;
        }
        // 400 periods a second for 0.8 s cross zero twice per period.
        QVERIFY2(qAbs(crossings - 640) <= 2, qPrintable(QString::number(crossings)));
        QVERIFY(peak > 15000 && peak < 32767);
        // Faded in and out, so the tone starts and ends without a click.
        QVERIFY(qAbs(qFromLittleEndian<qint16>(s)) < 100);
        QVERIFY(qAbs(qFromLittleEndian<qint16>(s + 2 * (n - 1))) < 100);
    }

    void nonsenseGivesNoSamples_data()
    {
        QTest::addColumn<int>("hertz");
        QTest::addColumn<int>("ms");
        QTest::newRow("no pitch") << 0 << 800;
        QTest::newRow("no length") << 400 << 0;
        QTest::newRow("negative") << -400 << -1;
    }
    void nonsenseGivesNoSamples()
    {
        QFETCH(int, hertz);
        QFETCH(int, ms);
        QVERIFY(TonePlayer::sineSamples(hertz, ms).isEmpty());
        TonePlayer player;
        QVERIFY(!player.play(hertz, ms));
    }

    // With or without a sound device: no crash, no wait, and a started tone ends by itself.
    void playingReturnsAtOnce()
    {
        SystemAlertSound sound;
        sound.alert();
        sound.tone(400, 800);
        TonePlayer player;
        if (player.play(400, 200))
            QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 5000);
        else
            QVERIFY(!player.isPlaying());
    }
};

QTEST_MAIN(TstTonePlayer)
#include "tst_TonePlayer.moc"
