#include "media/Image.h"
#include "media/MediaRig.h"
#include "pages/PageFixture.h"
#include "pages/SpielUndSatz.h"
#include "shell/ErrorReport.h"
#include "support/RecordingPlayer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

namespace {

using Action = TFormSpielUndSatz::ImageAction;

} // namespace

// The game-and-set window on a recording wall; its uploads go to a real FTP server on loopback and its
// files are staged in a private folder. The open dialog answers through its chooser, the preview plays
// into a recording player.
class TstSpielUndSatz final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_staging.isValid() && m_chosen.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_staging.path()));
        if (!FtpServer::available())
            QSKIP("pyftpdlib is not installed");
    }
    void init()
    {
        m_fx = std::make_unique<MediaPageFixture>();
        m_player = RecordingPlayer();
        m_fx->media.Preview.setLibrary(m_player);
        m_fx->media.Open.chooser = [this](const TOpenDialog& d) {
            m_dialogs << d.Title + QLatin1Char('|') + d.Filter;
            return m_answer;
        };
        m_dialogs.clear();
        m_answer.clear();
        for (const QString& name : QDir(m_staging.path()).entryList(QDir::Files))
            QFile::remove(m_staging.filePath(name));
        m_w = std::make_unique<TFormSpielUndSatz>(m_fx->wall, m_fx->media, m_report);
        m_report.entries.clear();
    }
    void cleanup()
    {
        m_w.reset();
        m_server.reset();
        m_fx.reset();
    }

    // Typed names and counts stepped with the arrows go out as the six bodies of the score page; names
    // stop at 20 characters, games at 99, sets at 999, and the panels show what the counters hold.
    void showSequence_data()
    {
        QTest::addColumn<QString>("home");  // entered over the default; empty: the default stays
        QTest::addColumn<QString>("guest"); // likewise
        QTest::addColumn<int>("steps");     // arrow steps on each of the four counters
        QTest::addColumn<QString>("sentHome");
        QTest::addColumn<QString>("sentGuest");
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("sets");
        QTest::newRow("defaults") << QString() << QString() << 0 << "Heim"
                                  << "Gäste" << 0 << 0;
        QTest::newRow("umlauts") << "Blau-Weiß Köln"
                                 << "Süd Österreich" << 3 << "Blau-Weiß Köln"
                                 << "Süd Österreich" << 3 << 3;
        QTest::newRow("longest name, top counts") << "Spielvereinigung Fürth"
                                                  << "A" << 99 << "Spielvereinigung Für"
                                                  << "A" << 99 << 99;
        QTest::newRow("games stop at 99") << QString() << QString() << 100 << "Heim"
                                          << "Gäste" << 99 << 100;
        QTest::newRow("sets stop at 999") << QString() << QString() << 1000 << "Heim"
                                          << "Gäste" << 99 << 999;
        QTest::newRow("nothing below 0") << QString() << QString() << -1 << "Heim"
                                         << "Gäste" << 0 << 0;
    }
    void showSequence()
    {
        QFETCH(QString, home);
        QFETCH(QString, guest);
        QFETCH(int, steps);
        QFETCH(QString, sentHome);
        QFETCH(QString, sentGuest);
        QFETCH(int, games);
        QFETCH(int, sets);
        for (const auto& [name, text] : {std::pair{"EdVereinLinks", home}, std::pair{"EdVereinRechts", guest}}) {
            if (text.isEmpty())
                continue;
            child<QLineEdit>(*m_w, name)->setText(text);
        }
        for (const char* ud : {"UDToreLinks", "UDToreRechts", "UDSatzLeft", "UDSatzRight"})
            child<QSpinBox>(*m_w, ud)->stepBy(steps);
        QCOMPARE(panelText(*m_w, "PnToreLeft"), QString::number(games));
        QCOMPARE(panelText(*m_w, "PnToreRight"), QString::number(games));
        QCOMPARE(panelText(*m_w, "PnSatzLeft"), QString::number(sets));
        QCOMPARE(panelText(*m_w, "PnSatzRight"), QString::number(sets));
        click(*m_w, "SBSend");
        QCOMPARE(m_fx->sent(), WallProbe::hex(wallcmd::setsShow(sentHome, sentGuest, games, games, sets, sets)));
    }

    // "Löschen" and hiding blank the wall; hiding leaves a preview video playing.
    void eraseAndHide()
    {
        show();
        m_player.playing = true;
        click(*m_w, "SBErase");
        QCOMPARE(m_fx->sent(), WallProbe::hex(wallcmd::erase()));
        m_w->hide();
        QCOMPARE(m_fx->sent(), WallProbe::hex(wallcmd::erase()));
        QVERIFY(m_player.playing);
    }

    void firstActionSelectedOnShow()
    {
        auto* actions = child<QComboBox>(*m_w, "CBImageAction");
        QCOMPARE(actions->currentIndex(), 0);
        actions->setCurrentIndex(-1);
        show();
        QCOMPARE(actions->currentIndex(), 0);
        QCOMPARE(m_fx->sent(), QStringList());
    }

    // Both erase actions empty the preview, stop the local video and clear the wall's media area.
    void clearMedia_data()
    {
        QTest::addColumn<int>("action");
        QTest::newRow("1: Bild löschen") << static_cast<int>(Action::ErasePicture);
        QTest::newRow("2: Video löschen") << static_cast<int>(Action::EraseVideo);
    }
    void clearMedia()
    {
        QFETCH(int, action);
        show();
        child<TImage>(*m_w, "ImJpgSatzUndSpiel")->setPicture(QImage(4, 4, QImage::Format_RGB32));
        m_player.playing = true;
        run(static_cast<Action>(action));
        QCOMPARE(m_fx->sent(), WallProbe::hex(wallcmd::setsClearMedia()));
        QVERIFY(child<TImage>(*m_w, "ImJpgSatzUndSpiel")->picture().isNull());
        QVERIFY(!child<TImage>(*m_w, "ImJpgSatzUndSpiel")->isVisible());
        QVERIFY(!child<QWidget>(*m_w, "PnVideoSatzUndSpiel")->isVisible());
        QVERIFY(!m_player.playing);
        QCOMPARE(selected(), action);
    }

    // "3: Bild laden" looks for the chosen name as .jpg and moves on to "4. Bild anzeigen", also after
    // "cancel"; an unreadable picture is reported and the list stays.
    void loadPicture_data()
    {
        QTest::addColumn<QString>("answer"); // in the chosen folder; empty: "cancel"
        QTest::addColumn<QSize>("picture");  // what the preview holds afterwards
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("reports");
        QTest::newRow("Start.jpeg loads Start.jpg") << "Start.jpeg" << QSize(80, 60) << 3 << 0;
        QTest::newRow("cancel") << QString() << QSize() << 3 << 0;
        QTest::newRow("missing file") << "Fehlt.jpg" << QSize() << 3 << 0;
        QTest::newRow("not a picture") << "Kaputt.jpg" << QSize() << 2 << 1;
    }
    void loadPicture()
    {
        QFETCH(QString, answer);
        QFETCH(QSize, picture);
        QFETCH(int, next);
        QFETCH(int, reports);
        QVERIFY(QImage(80, 60, QImage::Format_RGB32).save(m_chosen.filePath(QStringLiteral("Start.jpg")), "JPG"));
        writeFile(m_chosen.filePath(QStringLiteral("Kaputt.jpg")), "kein Bild");
        m_answer = answer.isEmpty() ? QString() : m_chosen.filePath(answer);
        show();
        auto* image = child<TImage>(*m_w, "ImJpgSatzUndSpiel");
        image->setPicture(QImage(4, 4, QImage::Format_RGB32)); // emptied first
        m_player.playing = true;
        run(Action::LoadPicture);
        QCOMPARE(m_dialogs, QStringList{QStringLiteral("Bild öffnen ...|Bilder *.jpg|*.jpg")});
        QCOMPARE(image->picture().size(), picture.isValid() ? picture : QSize(0, 0));
        QVERIFY(image->isVisible());
        QVERIFY(!child<QWidget>(*m_w, "PnVideoSatzUndSpiel")->isVisible());
        QVERIFY(!m_player.playing);
        QCOMPARE(selected(), next);
        QCOMPARE(m_report.entries.size(), reports);
        QCOMPARE(m_fx->sent(), QStringList());
    }

    // "4. Bild anzeigen" uploads the preview as BrisalClient.jpg and sends nothing; a failed upload is
    // reported. The list stays either way.
    void showPicture_data()
    {
        QTest::addColumn<bool>("server");
        QTest::newRow("uploaded") << true;
        QTest::newRow("no FTP server") << false;
    }
    void showPicture()
    {
        QFETCH(bool, server);
        server ? startServer() : noServer();
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        child<TImage>(*m_w, "ImJpgSatzUndSpiel")->setPicture(picture);
        run(Action::ShowPicture);
        QVERIFY(uploadEnds());
        QCOMPARE(m_fx->sent(), QStringList());
        QCOMPARE(selected(), static_cast<int>(Action::ShowPicture));
        QCOMPARE(m_report.entries.size(), server ? 0 : 1);
        if (server) {
            QImage uploaded;
            QVERIFY(uploaded.loadFromData(m_server->content(QStringLiteral("BrisalClient.jpg")), "JPG"));
            QCOMPARE(uploaded.size(), QSize(64, 48));
        }
    }

    // "5: Video laden" stages clip.mp4 as BrisalClient.mp4, plays it in the preview and moves on to
    // "6: Video anzeigen", also after "cancel"; a failed copy is reported and the list stays.
    void loadVideo_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("copy"); // the video copy path afterwards, in the staging folder
        QTest::addColumn<bool>("pictureKept");
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("reports");
        QTest::newRow("clip.mp4") << "clip.mp4"
                                  << "BrisalClient.mp4" << false << 5 << 0;
        QTest::newRow("cancel") << QString() << QString() << true << 5 << 0;
        QTest::newRow("missing file") << "fehlt.avi"
                                      << "BrisalClient.avi" << false << 4 << 1;
    }
    void loadVideo()
    {
        QFETCH(QString, answer);
        QFETCH(QString, copy);
        QFETCH(bool, pictureKept);
        QFETCH(int, next);
        QFETCH(int, reports);
        writeFile(m_chosen.filePath(QStringLiteral("clip.mp4")), "mp4 clip");
        m_answer = answer.isEmpty() ? QString() : m_chosen.filePath(answer);
        show();
        auto* image = child<TImage>(*m_w, "ImJpgSatzUndSpiel");
        image->setPicture(QImage(4, 4, QImage::Format_RGB32));
        run(Action::LoadVideo);
        QCOMPARE(m_dialogs, QStringList{QStringLiteral("Video öffnen ...|Videos *.*|*.*")});
        const QString copyPath = copy.isEmpty() ? QString() : m_staging.filePath(copy);
        QCOMPARE(m_w->videoCopyPath(), copyPath);
        QCOMPARE(QFile::exists(copyPath), reports == 0 && !copy.isEmpty());
        QCOMPARE(m_player.loaded, reports == 0 && !copy.isEmpty() ? QStringList{copyPath} : QStringList());
        QCOMPARE(!image->picture().isNull(), pictureKept);
        QVERIFY(!image->isVisible());
        QVERIFY(child<QWidget>(*m_w, "PnVideoSatzUndSpiel")->isVisible());
        QCOMPARE(selected(), next);
        QCOMPARE(m_report.entries.size(), reports);
        QCOMPARE(m_fx->sent(), QStringList());
    }

    // "6: Video anzeigen" pauses with "Anzeigen" disabled, stops the wall's media, uploads the staged
    // copy and enables "Anzeigen" again; without a staged copy it sends nothing.
    void showVideo_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("server");
        QTest::newRow("staged and uploaded") << true << true;
        QTest::newRow("no FTP server") << true << false;
        QTest::newRow("nothing loaded") << false << true;
    }
    void showVideo()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, server);
        server ? startServer() : noServer();
        const QByteArray clip(200000, 'v');
        writeFile(m_chosen.filePath(QStringLiteral("clip.mp4")), clip);
        if (loaded) {
            m_answer = m_chosen.filePath(QStringLiteral("clip.mp4"));
            run(Action::LoadVideo);
        }
        auto* send = child<QToolButton>(*m_w, "SBSend");
        QList<int> pauses;
        QList<bool> sendEnabled;
        connect(&m_fx->sleeper, &TSleeper::sleeping, this, [&](int ms) {
            pauses << ms;
            sendEnabled << send->isEnabled();
        });
        m_player.playing = true;
        run(Action::ShowVideo);
        QVERIFY(uploadEnds());
        QVERIFY(!m_player.playing);
        QCOMPARE(pauses.value(0), TFormSpielUndSatz::kVideoPauseMs);
        QCOMPARE(sendEnabled.value(0), false);
        QVERIFY(send->isEnabled());
        QCOMPARE(m_fx->sent(), loaded ? WallProbe::hex(wallcmd::setsVideoPrelude()) : QStringList());
        QCOMPARE(m_report.entries.size(), loaded && !server ? 1 : 0);
        if (loaded && server)
            QCOMPARE(m_server->content(QStringLiteral("BrisalClient.mp4")), clip);
        QCOMPARE(selected(), static_cast<int>(Action::ShowVideo));
    }

private:
    void show()
    {
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    }
    void run(Action action)
    {
        child<QComboBox>(*m_w, "CBImageAction")->setCurrentIndex(static_cast<int>(action));
        m_dialogs.clear();
        click(*m_w, "SBDoImage");
    }
    bool uploadEnds()
    {
        return QTest::qWaitFor([this] { return !m_fx->media.Upload.busy(); }, 20000);
    }
    int selected() const { return child<QComboBox>(*m_w, "CBImageAction")->currentIndex(); }
    void startServer()
    {
        m_server = std::make_unique<FtpServer>(QStringLiteral("TORVEK"), QStringLiteral("mirtelo.kq"));
        QVERIFY(m_server->start());
        m_fx->ports.ftp = m_server->port();
    }
    void noServer() { m_fx->ports.ftp = FtpServer::freeTcpPort(); }

    QTemporaryDir m_staging;
    QTemporaryDir m_chosen;
    RecordingReport m_report;
    RecordingPlayer m_player;
    std::unique_ptr<MediaPageFixture> m_fx;
    std::unique_ptr<FtpServer> m_server;
    std::unique_ptr<TFormSpielUndSatz> m_w;
    QString m_answer;
    QStringList m_dialogs;
};

QTEST_MAIN(TstSpielUndSatz)
#include "tst_SpielUndSatz.moc"
