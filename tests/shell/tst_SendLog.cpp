#include "shell/SendLog.h"
#include "support/FakeClock.h"
#include "support/TestSupport.h"
#include "wall_link/WallLink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kStamp = QStringLiteral("2026-05-01 13:04:05.000 ");

QStringList linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList stamped(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out << kStamp + line;
    return out;
}

} // namespace

// The send log: bodies decoded into readable lines, the link's state as support needs it, one line per
// event in a file that rotates at its size limit.
class tst_SendLog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_log = std::make_unique<SendLog>(m_dir->path(), m_clock);
        Ports ports;
        ports.wallRx = testsupport::freeUdpPort();
        ports.wallTx = testsupport::freeUdpPort();
        m_link = std::make_unique<WallLink>(ports);
        m_log->connectLink(*m_link);
    }

    void records_data()
    {
        QTest::addColumn<wallcmd::Bodies>("bodies");
        QTest::addColumn<QStringList>("lines");
        using namespace wallcmd;
        QTest::newRow("soccer") << soccerShow(QStringLiteral("Heim"), QStringLiteral("G\u00e4ste"), 2, 0)
                                << QStringList{QStringLiteral("Seite Fu\u00dfball; Farbe 21 00FFFF00; Text 21 'Heim'"),
                                               QStringLiteral("Farbe 22 00FFFF00; Text 22 'G\u00e4ste'"),
                                               QStringLiteral("Farbe 23 00FFFFFF; Text 23 '2'"),
                                               QStringLiteral("Farbe 24 00FFFFFF; Text 24 '0'")};
        QTest::newRow("text list line with a control character")
            << textListShow(TimeBarMode::Automatic, {}, QStringLiteral("Lauf 1"), {QStringLiteral("a\tb")}, 1)
            << QStringList{QStringLiteral("Seite Textliste"),
                           QStringLiteral("Option 40 02; Farbe 41 000000FF; Farbe 42 00C0C0C0; Farbe 43 00FFFFFF; "
                                          "Text 41 'Lauf 1'"),
                           QStringLiteral("Zeile 1 'a\\x09b'")};
        QTest::newRow("video keeps no page of its own")
            << videoShow() << QStringList{QStringLiteral("Medien anhalten"), QStringLiteral("Seite Video")};
        QTest::newRow("cut short, unknown")
            << Bodies{pageSelect(page::Blank) + colourRecord(field::TimeLarge, colour::Red).left(4),
                      query(kQueryDetails) + QByteArray("\x7F\xD0\x01", 3)}
            << QStringList{QStringLiteral("Seite leer; C0 unvollst\u00e4ndig"),
                           QStringLiteral("Abfrage FE; 7F unbekannt, Rest \u00fcbersprungen")};
    }
    void records()
    {
        QFETCH(wallcmd::Bodies, bodies);
        QFETCH(QStringList, lines);
        QStringList described;
        for (const QByteArray& body : bodies)
            described << SendLogFormat::records(body);
        QCOMPARE(described, lines);
    }

    // One line per body that left, with the time and the page in force; a body that could not leave
    // gives the error instead.
    void soccerShowSent()
    {
        const wallcmd::Bodies bodies = wallcmd::soccerShow(QStringLiteral("Heim"), QStringLiteral("G\u00e4ste"), 2, 0);
        m_link->send(bodies);
        m_link->open();
        m_link->send(bodies);
        QStringList expected{QStringLiteral("Verbindungsfehler: Socketfehler: UDP SendData: kein Socket gebunden.")};
        expected << expected.first() << expected.first() << expected.first();
        for (const QByteArray& body : bodies)
            expected << QStringLiteral("Senden [Fu\u00dfball] ") + SendLogFormat::records(body);
        QCOMPARE(linesOf(m_log->filePath()), stamped(expected));
    }

    // The supervision's round trip stays out of the log; an unanswered query and the next answer are in.
    void linkLoss()
    {
        m_link->open();
        const QByteArray reply = wallcmd::statusReply(40, 8, QStringLiteral("1.0"));
        m_link->queryLifeSign();
        m_link->interpretReply(reply);
        m_link->queryLifeSign(); // routine round trip
        m_link->interpretReply(reply);
        m_link->queryLifeSign();
        m_link->queryLifeSign(); // the one before went unanswered
        m_link->queryLifeSign();
        m_link->interpretReply(reply);
        m_link->requestDetails();
        QCOMPARE(
            linesOf(m_log->filePath()),
            stamped({QStringLiteral("Verbindung: Wand antwortet"), QStringLiteral("Verbindung: keine Antwort der Wand"),
                     QStringLiteral("Verbindung: Wand antwortet"), QStringLiteral("Senden [keine Seite] Abfrage FE")}));
    }

    void messagesAndUploadsAreOneLineEach()
    {
        m_log->message(QStringLiteral("Fehler"), QStringLiteral("UDPVesk"), QStringLiteral("Error:\rAdresse belegt"));
        m_log->write(SendLogFormat::uploadEnded(QStringLiteral("/tmp/BrisalClient.jpg"),
                                                QStringLiteral("FTP:\nkeine Verbindung")));
        QCOMPARE(linesOf(m_log->filePath()),
                 stamped({QStringLiteral("Fehler (UDPVesk): Error: / Adresse belegt"),
                          QStringLiteral("Upload fehlgeschlagen: /tmp/BrisalClient.jpg: FTP: / keine Verbindung")}));
    }

    // Every file stays within the limit, the copies hold the lines just before the current file's, and
    // the oldest copy beyond the count is gone. A new log in the same folder continues the file.
    void rotatesAtTheSizeLimit()
    {
        const QString line = QStringLiteral("Zeile %1");
        const qint64 lineBytes = (kStamp + line.arg(10) + QLatin1Char('\n')).toUtf8().size();
        const SendLog::Limits limits{6 * lineBytes, 3};
        QStringList written;
        {
            SendLog log(m_dir->path(), m_clock, limits);
            for (int n = 10; n < 49; ++n) {
                log.write(line.arg(n));
                written << kStamp + line.arg(n);
            }
        }
        SendLog log(m_dir->path(), m_clock, limits);
        log.write(line.arg(49));
        written << kStamp + line.arg(49);

        const QString path = log.filePath();
        QStringList kept;
        for (const QString& file : {path + QStringLiteral(".2"), path + QStringLiteral(".1"), path}) {
            QVERIFY2(QFileInfo(file).size() <= limits.fileBytes, qPrintable(file));
            kept << linesOf(file);
        }
        QVERIFY(!QFile::exists(path + QStringLiteral(".3")));
        QCOMPARE(kept, written.mid(written.size() - 16));
    }

private:
    FakeClock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SendLog> m_log;
    std::unique_ptr<WallLink> m_link;
};

QTEST_GUILESS_MAIN(tst_SendLog)
#include "tst_SendLog.moc"
