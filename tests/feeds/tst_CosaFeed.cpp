#include "feeds/CosaFeed.h"
#include "media/Image.h"
#include "pages/PageFixture.h"
#include "shell/ErrorReport.h"
#include "support/RecordingPlayer.h"
#include "support/TestSupport.h"
#include "textlist/StringGrid.h"
#include "textlist/Textbox.h"
#include "wall_link/UDPVesk.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QUdpSocket>

#include <memory>

namespace {

QByteArray cosaFrame(const QByteArray& payload)
{
    return "CDC;" + payload + ";CDC";
}

} // namespace

// The liveboard feed against the real text list window; the wall is a probe on loopback and the feed's
// endpoint a real UDP socket.
class TstCosaFeed final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_staging.isValid() && m_files.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_staging.path()));
    }
    void init()
    {
        m_fx = std::make_unique<MediaPageFixture>();
        m_fx->media.Preview.setLibrary(m_player);
        m_w = std::make_unique<TFormTextbox>(m_fx->wall, m_fx->media, m_report);
        m_feed = std::make_unique<TCosaFeed>(*m_w);
        m_endpoint.RxPort = testsupport::freeUdpPort();
        m_endpoint.OpenSocket();
        connect(&m_endpoint, &TUDPVesk::OnReceive, m_feed.get(), &TCosaFeed::UDPCosaReceive);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        knownState();
        QCOMPARE(m_fx->sent(), QStringList());
    }
    // The state that every message is measured against.
    void knownState()
    {
        m_w->setLines({QStringLiteral("alt")});
        m_w->clearTimetable();
        m_w->addTimetableEntry(QStringLiteral("alt"), QStringLiteral("alt"));
        m_w->showList(QStringLiteral("alt"), {QStringList(5, QStringLiteral("x"))});
        m_w->ShowTab(TFormTextbox::BildZeigen);
    }
    void cleanup()
    {
        m_endpoint.CloseSocket();
        m_feed.reset();
        m_w.reset();
        m_fx.reset();
        m_player = RecordingPlayer();
        m_report.entries.clear();
    }

    void keywords_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("timetable");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QStringList>("grid");
        const QStringList alt{"alt"};
        const QStringList altTable{"1|alt|alt"};
        const QStringList altGrid{"x|x|x|x|x"};
        const int bild = TFormTextbox::TSBild;
        const int zeitplan = TFormTextbox::TSZeitplan;
        const int liste = TFormTextbox::TSStartlist;
        QTest::newRow("free") << QByteArray("FREE;3;Hallo;Welt;!") << zeitplan << QStringList{"Hallo", "Welt", "!"}
                              << altTable << "alt" << altGrid;
        QTest::newRow("free twelve keeps nine")
            << QByteArray("FREE;12;1;2;3;4;5;6;7;8;9;10;11;12") << zeitplan
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"} << altTable << "alt" << altGrid;
        QTest::newRow("free zero") << QByteArray("FREE;0;a") << bild << alt << altTable << "alt" << altGrid;
        QTest::newRow("small keyword with blanks")
            << QByteArray(" free\t;1;klein") << zeitplan << QStringList{"klein"} << altTable << "alt" << altGrid;
        QTest::newRow("utf8") << QByteArray("FREE;1;M\xc3\xbcller \xe2\x82\xac \xe2\x86\x92") << zeitplan
                              << QStringList{"Müller € ?"} << altTable << "alt" << altGrid;
        QTest::newRow("malformed utf8") << QByteArray("FREE;1;M\xfcller") << bild << alt << altTable << "alt"
                                        << altGrid;
        QTest::newRow("unknown keyword") << QByteArray("XFREE;1;a") << bild << alt << altTable << "alt" << altGrid;
        QTest::newRow("sced") << QByteArray("SCED;2;10:00;100 m;10:30;200 m") << zeitplan << alt
                              << QStringList{"1|10:00|100 m", "2|10:30|200 m"} << "alt" << altGrid;
        QTest::newRow("sced empty time") << QByteArray("SCED;2;;100 m;10:30") << zeitplan << alt
                                         << QStringList{"1|100 m|10:30"} << "alt" << altGrid;
        QTest::newRow("sced zero") << QByteArray("SCED;0") << bild << alt << altTable << "alt" << altGrid;
        QTest::newRow("strt") << QByteArray("STRT;Vorlauf;Lauf 1;1;3;12;Muster;LV1") << liste << alt << altTable
                              << "Vorlauf; Lauf 1" << QStringList{"3|12|Muster|LV1|"};
        QTest::newRow("strt zero changes the header only")
            << QByteArray("STRT;Vorlauf;Lauf 1;0") << bild << alt << altTable << "Vorlauf; Lauf 1" << altGrid;
        QTest::newRow("strt title 1 empty") << QByteArray("STRT;;Lauf 1;0") << bild << alt << altTable << "" << altGrid;
        QTest::newRow("rslt") << QByteArray("RSLT;100 m;Finale;2;1; Muster\x01;LV1;10,1;2;Beispiel;LV2;10,2") << liste
                              << alt << altTable << "100 m; Finale"
                              << QStringList{"1||Muster|LV1|10,1", "2||Beispiel|LV2|10,2"};
        QTest::newRow("medl") << QByteArray("MEDL;100 m;;1;0;2;A;X;10,1;B;Y;10,3;C;Z;10,4") << liste << alt << altTable
                              << "100 m" << QStringList{"G||A|X|10,1", "B||B|Y|10,3", "B||C|Z|10,4"};
        QTest::newRow("medl negative count holds every row") << QByteArray("MEDL;T;;2;-1;0;A;X;1;B;Y;2") << liste << alt
                                                             << altTable << "T" << QStringList{"G||A|X|1", "G||B|Y|2"};
        QTest::newRow("medl all zero clears")
            << QByteArray("MEDL;T;U;0;0;0") << liste << alt << altTable << "T; U" << QStringList{"||||"};
    }
    void keywords()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, page);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, timetable);
        QFETCH(QString, header);
        QFETCH(QStringList, grid);
        m_feed->UDPCosaReceive(QString(), 0, cosaFrame(payload));
        QCOMPARE(m_w->currentPage(), page);
        QCOMPARE(m_w->lines(), lines);
        QCOMPARE(timetableOf(), timetable);
        QCOMPARE(child<QLineEdit>(*m_w, "EdPnHeader")->text(), header);
        QCOMPARE(gridOf(), grid);
        QCOMPARE(m_fx->sent(), QStringList());
        QVERIFY(m_report.entries.isEmpty());
    }

    // Over the real endpoint: a message in three datagrams, two in one, junk, and a message that never ends.
    void datagrams()
    {
        send({"xx CD", "C;FREE;2;a", ";b;CDC"});
        QTRY_COMPARE(m_w->lines(), (QStringList{"a", "b"}));
        send({cosaFrame("FREE;1;erste") + cosaFrame("SCED;1;9:00;zweite")});
        QTRY_COMPARE(timetableOf(), QStringList{"1|9:00|zweite"});
        QCOMPARE(m_w->lines(), QStringList{"erste"});

        const QByteArray filler(30000, 'y');
        send({"CDC;FREE;1;endlos", filler, filler, filler, ";CDC", cosaFrame("FREE;1;danach")});
        QTRY_COMPARE(m_w->lines(), QStringList{"danach"});
    }

    // A burst of datagrams leaves out the lists that a later one replaces, and ends as the messages one by one.
    void burstEndsAsOneByOne_data()
    {
        QTest::addColumn<QList<QByteArray>>("payloads");
        using L = QList<QByteArray>;
        QTest::newRow("lists between others") << L{"STRT;A;;2;1;7;N;L;2;8;O;M",         "FREE;1;frei", "RSLT;B;;0",
                                                   "RSLT;C;;3;1;P;Q;1;2;R;S;2;3;T;U;3", "STRT;D;E;0",  "SCED;1;9:00;x"};
        QTest::newRow("medal list without rows keeps the count")
            << L{"RSLT;C;;3;1;P;Q;1;2;R;S;2;3;T;U;3", "MEDL;M;;0;0;0", "FREE;1;frei"};
        QTest::newRow("blank between lists") << L{"STRT;A;;2;1;7;N;L;2;8;O;M", "BLNK", "STRT;B;;1;1;9;P;Q"};
        QTest::newRow("pages around a picture")
            << L{"FREE;1;a", "PICT;fehlt", "RSLT;C;;1;1;P;Q;1", "SCED;1;9:00;x", "VIDEO;fehlt", "FREE;1;b"};
        QTest::newRow("last list without rows") << L{"RSLT;C;;1;1;P;Q;1", "RSLT;D;;2;1;R;S;2;2;T;U;3", "RSLT;E;;0"};
    }
    void burstEndsAsOneByOne()
    {
        QFETCH(QList<QByteArray>, payloads);
        QList<QByteArray> datagrams;
        for (const QByteArray& payload : payloads)
            datagrams << cosaFrame(payload);
        for (const QByteArray& d : datagrams)
            m_feed->UDPCosaReceive(QString(), 0, d);
        const QStringList oneByOne = stateOf();
        knownState();
        m_feed->UDPCosaReceiveBurst(datagrams);
        QCOMPARE(stateOf(), oneByOne);
    }

    void blankReachesTheWall_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("BLNK") << QByteArray("BLNK");
        QTest::newRow("HOME") << QByteArray("HOME");
        QTest::newRow("small") << QByteArray(" blnk ");
    }
    void blankReachesTheWall()
    {
        QFETCH(QByteArray, payload);
        send({cosaFrame(payload)});
        QStringList sent;
        QTRY_VERIFY(!(sent += m_fx->sent()).isEmpty());
        QCOMPARE(sent, QStringList{"D0 00"});
    }

    void hiddenWindowDropsMessages()
    {
        m_w->hide();
        m_feed->UDPCosaReceive(QString(), 0,
                               cosaFrame("BLNK") + cosaFrame("FREE;1;neu") + cosaFrame("STRT;T;;1;1;2;N;L"));
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QCOMPARE(m_fx->sent(), QStringList());
        QCOMPARE(m_w->lines(), QStringList{"alt"});
        QCOMPARE(child<QLineEdit>(*m_w, "EdPnHeader")->text(), QStringLiteral("alt"));
        QCOMPARE(gridOf(), QStringList{"x|x|x|x|x"});
    }

    void picture()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(m_files.filePath(QStringLiteral("Sieger.jpg")), "JPG"));
        m_w->ShowTab(TFormTextbox::CosaZeitplan);
        m_feed->UDPCosaReceive(QString(), 0,
                               cosaFrame("PICT;" + m_files.filePath(QStringLiteral("Sieger.bmp")).toUtf8()));
        QCOMPARE(m_w->currentPage(), int(TFormTextbox::TSBild));
        QCOMPARE(shownPicture()->picture().size(), QSize(40, 30));
        QVERIFY(child<QToolButton>(*m_w, "SBShowPicture")->isEnabled());
        QCOMPARE(m_fx->sent(), QStringList()); // nothing goes to the wall by itself

        // A name without an extension gets ".jpg".
        shownPicture()->setPicture(QImage());
        m_feed->UDPCosaReceive(QString(), 0, cosaFrame("PICT;" + m_files.filePath(QStringLiteral("Sieger")).toUtf8()));
        QCOMPARE(shownPicture()->picture().size(), QSize(40, 30));
        QVERIFY(child<QToolButton>(*m_w, "SBShowPicture")->isEnabled());

        // A camera file keeps its own JPEG extension, in any case.
        QVERIFY(image.scaled(20, 10).save(m_files.filePath(QStringLiteral("Ziel.JPG")), "JPG"));
        m_feed->UDPCosaReceive(QString(), 0,
                               cosaFrame("PICT;" + m_files.filePath(QStringLiteral("Ziel.JPG")).toUtf8()));
        QCOMPARE(shownPicture()->picture().size(), QSize(20, 10));

        // A name that does not exist only turns the button off.
        m_w->ShowTab(TFormTextbox::CosaZeitplan);
        m_feed->UDPCosaReceive(QString(), 0, cosaFrame("PICT;" + m_files.filePath(QStringLiteral("Fehlt")).toUtf8()));
        QVERIFY(!child<QToolButton>(*m_w, "SBShowPicture")->isEnabled());
        QCOMPARE(m_w->currentPage(), int(TFormTextbox::TSZeitplan));

        // An unreadable picture is reported; the button stays off.
        QFile broken(m_files.filePath(QStringLiteral("Kaputt.jpg")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("kein Bild");
        broken.close();
        m_feed->UDPCosaReceive(QString(), 0, cosaFrame("PICT;" + broken.fileName().toUtf8()));
        QVERIFY(!child<QToolButton>(*m_w, "SBShowPicture")->isEnabled());
        QCOMPARE(m_report.entries.size(), 1);
    }

    void video()
    {
        const QString source = m_files.filePath(QStringLiteral("Lauf.mp4"));
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("video bytes");
        file.close();
        const QString copy = m_staging.filePath(QStringLiteral("BrisalClient.mp4"));

        m_feed->UDPCosaReceive(QString(), 0, cosaFrame("VIDEO;" + source.toUtf8()));
        QCOMPARE(m_w->currentPage(), int(TFormTextbox::TSVideo));
        QCOMPARE(m_w->videoCopyPath(), copy);
        QFile staged(copy);
        QVERIFY(staged.open(QIODevice::ReadOnly));
        QCOMPARE(staged.readAll(), QByteArray("video bytes"));
        QCOMPARE(m_player.loaded, QStringList{copy});
        QVERIFY(m_player.playing);
        QVERIFY(child<QToolButton>(*m_w, "SBShowVideo")->isEnabled());
        QCOMPARE(m_fx->sent(), QStringList());

        m_feed->UDPCosaReceive(QString(), 0,
                               cosaFrame("VIDEO;" + m_files.filePath(QStringLiteral("fehlt.mp4")).toUtf8()));
        QVERIFY(!child<QToolButton>(*m_w, "SBShowVideo")->isEnabled());

        // A preview that cannot play leaves the button off; the copy is staged all the same.
        m_player.fail = true;
        QVERIFY(QFile::remove(copy));
        m_feed->UDPCosaReceive(QString(), 0, cosaFrame("VIDEO;" + source.toUtf8()));
        QVERIFY(!child<QToolButton>(*m_w, "SBShowVideo")->isEnabled());
        QCOMPARE(m_w->videoCopyPath(), copy);
        QVERIFY(QFile::exists(copy));
        QVERIFY(m_report.entries.isEmpty());
    }

private:
    TImage* shownPicture() { return child<TImage>(*m_w, "ImShowPicture"); }
    void send(const QList<QByteArray>& datagrams)
    {
        for (const QByteArray& d : datagrams)
            QCOMPARE(m_sender.writeDatagram(d, QHostAddress::LocalHost, m_endpoint.RxPort), d.size());
    }
    QStringList timetableOf() const
    {
        QStringList entries;
        const auto* timetable = m_w->findChild<QTreeWidget*>(QStringLiteral("LVZeitplan"));
        for (int i = 0; i < timetable->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = timetable->topLevelItem(i);
            entries << item->text(0) + '|' + item->text(1) + '|' + item->text(2);
        }
        return entries;
    }
    // Everything a message can change, for comparing two ways to the same end.
    QStringList stateOf()
    {
        return QStringList{
            QString::number(m_w->currentPage()),          m_w->lines().join('/'), timetableOf().join('/'),
            child<QLineEdit>(*m_w, "EdPnHeader")->text(), gridOf().join('/'),     m_fx->sent().join('/')};
    }
    QStringList gridOf() const
    {
        QStringList rows;
        const auto* grid = m_w->findChild<TStringGrid*>(QStringLiteral("SGLIF"));
        for (int r = 1; r < grid->RowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c)
                cells << grid->cell(c, r);
            rows << cells.join('|');
        }
        return rows;
    }

    QTemporaryDir m_staging;
    QTemporaryDir m_files;
    RecordingPlayer m_player;
    RecordingReport m_report;
    QUdpSocket m_sender;
    std::unique_ptr<MediaPageFixture> m_fx;
    TUDPVesk m_endpoint;
    std::unique_ptr<TFormTextbox> m_w;
    std::unique_ptr<TCosaFeed> m_feed;
};

QTEST_MAIN(TstCosaFeed)
#include "tst_CosaFeed.moc"
