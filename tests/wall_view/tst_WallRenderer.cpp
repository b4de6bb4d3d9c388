// The virtual wall's pictures, drawn from the exact sequences the client sends.
#include "wall_link/WallCommands.h"
#include "wall_view/WallModel.h"
#include "wall_view/WallRenderer.h"

#include <QTest>
#include <QtMath>

namespace {

const QSize kWall(768, 384);
const QDateTime kNow(QDate(2026, 5, 1), QTime(15, 0, 0));

int countColour(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            n += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
    return n;
}

int countColour(const QImage& image, QRgb colour)
{
    return countColour(image, image.rect(), colour);
}

// The smallest rectangle holding every pixel of the colour.
QRect extent(const QImage& image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Pixels that differ by more than edge smoothing does: the glyph cache may round the first drawing of
// a text a little differently from later ones.
int clearlyDifferent(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            n += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q)) > 96 ? 1 : 0;
        }
    }
    return n;
}

QRect band(qreal top, qreal bottom, qreal left = 0, qreal right = 1)
{
    return QRectF(QPointF(kWall.width() * left, kWall.height() * top),
                  QPointF(kWall.width() * right, kWall.height() * bottom))
        .toRect();
}

QImage render(const wallcmd::Bodies& bodies, const QDateTime& now = kNow, const WallMedia& media = {},
              qint64 arrivedMs = kNow.toMSecsSinceEpoch())
{
    WallModel model;
    for (const QByteArray& body : bodies)
        model.apply(body, arrivedMs);
    return WallRenderer(kWall, 32, 8).render(model, now, media);
}

constexpr QRgb kYellow = 0xFFFF00;
constexpr QRgb kBlue = 0x0000FF;
constexpr QRgb kCyan = 0x00FFFF;
constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kGreen = 0x00FF00;
constexpr QRgb kMagenta = 0xFF00FF;

} // namespace

class tst_WallRenderer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blankIsAllBlack_data()
    {
        QTest::addColumn<wallcmd::Bodies>("bodies");
        QTest::newRow("erase after a score")
            << (wallcmd::soccerShow(QStringLiteral("Heim"), QStringLiteral("Gast"), 1, 0) + wallcmd::erase());
        QTest::newRow("text list erase") << (wallcmd::clockSecond(QStringLiteral("12:00:00"), {}, true, false) +
                                             wallcmd::eraseTextList());
        QTest::newRow("page the wall does not have") << wallcmd::Bodies{wallcmd::pageSelect(0x04)};
    }
    void blankIsAllBlack()
    {
        QFETCH(wallcmd::Bodies, bodies);
        const QImage image = render(bodies);
        QCOMPARE(image.size(), kWall);
        QCOMPARE(countColour(image, 0x000000), kWall.width() * kWall.height());
    }

    void timeDisplayInFieldColours()
    {
        const QImage image =
            render(wallcmd::clockSecond(QStringLiteral("14:05:33"), QStringLiteral("Stadion"), true, false));
        QVERIFY(countColour(image, band(0.08, 0.66), kYellow) > 2000);
        QCOMPARE(countColour(image, band(0.68, 1.0), kYellow), 0);
        QVERIFY(countColour(image, band(0.70, 0.92), kBlue) > 500);
        QCOMPARE(countColour(image, band(0.0, 0.68), kBlue), 0);
        // The timing display's empty small line leaves the lower part dark.
        const QImage timing = render(wallcmd::timingTime(QStringLiteral("1:02,3")));
        QVERIFY(countColour(timing, kYellow) > 2000);
        QCOMPARE(countColour(timing, band(0.68, 1.0), 0x000000), band(0.68, 1.0).width() * band(0.68, 1.0).height());
    }

    void soccerNamesCyanScoresWhite()
    {
        const QImage image = render(wallcmd::soccerShow(QStringLiteral("Heim"), QStringLiteral("G\u00e4ste"), 2, 0));
        QVERIFY(countColour(image, band(0, 0.32, 0, 0.5), kCyan) > 500);
        QVERIFY(countColour(image, band(0, 0.32, 0.5, 1), kCyan) > 500);
        QCOMPARE(countColour(image, band(0.34, 1.0), kCyan), 0);
        QVERIFY(countColour(image, band(0.34, 1.0, 0, 0.42), kWhite) > 2000);
        QVERIFY(countColour(image, band(0.34, 1.0, 0.58, 1), kWhite) > 2000);
    }

    // The longest names the page windows allow stay on their own half, whole and apart.
    void longNamesAreNotClipped_data()
    {
        QTest::addColumn<wallcmd::Bodies>("bodies");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("soccer, 12 characters")
            << wallcmd::soccerShow(QStringLiteral("WWWWWWWWWWWW"), QStringLiteral("MMMMMMMMMMMM"), 99, 99) << kCyan;
        QTest::newRow("football, 14 characters")
            << wallcmd::footballShow(QStringLiteral("WWWWWWWWWWWWWW"), QStringLiteral("MMMMMMMMMMMMMM"), 999, 999,
                                     wallcmd::GameClock::Running, QStringLiteral("15:00"))
            << kCyan;
    }
    void longNamesAreNotClipped()
    {
        QFETCH(wallcmd::Bodies, bodies);
        QFETCH(QRgb, colour);
        const QImage image = render(bodies);
        const QRect home = extent(image.copy(0, 0, kWall.width() / 2, kWall.height()), colour);
        const QRect guest = extent(image.copy(kWall.width() / 2, 0, kWall.width() / 2, kWall.height()), colour);
        QVERIFY(home.isValid() && guest.isValid());
        QVERIFY2(home.left() > 2 && home.right() < kWall.width() / 2 - 2, qPrintable(QString::number(home.right())));
        QVERIFY2(guest.left() > 2 && guest.right() < kWall.width() / 2 - 3, qPrintable(QString::number(guest.right())));
    }

    void setsNamesStayBesideTheirScores()
    {
        const QImage image =
            render(wallcmd::setsShow(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"), QStringLiteral("Gast"), 3, 4, 1, 0));
        // Names left of the score columns, which start at 60 % of the width.
        QVERIFY(extent(image.copy(0, 0, kWall.width() * 0.59, kWall.height()), kRed).left() > 2);
        QVERIFY(countColour(image, band(0.2, 0.95, 0.58, 0.60), kRed) == 0);
        QVERIFY(countColour(image, band(0.2, 0.95, 0.60, 1.0), kRed) > 1000);
    }

    void footballClockColour_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QRgb>("shown");
        QTest::addColumn<QRgb>("absent");
        QTest::newRow("running green") << true << kGreen << kRed;
        QTest::newRow("standing red") << false << kRed << kGreen;
    }
    void footballClockColour()
    {
        QFETCH(bool, running);
        QFETCH(QRgb, shown);
        QFETCH(QRgb, absent);
        wallcmd::Bodies bodies = wallcmd::footballShow(QStringLiteral("Heim"), QStringLiteral("Gast"), 14, 7,
                                                       wallcmd::GameClock::Running, QStringLiteral("12:00"));
        bodies << wallcmd::footballClock(running, QStringLiteral("11:59"));
        const QImage image = render(bodies);
        QVERIFY(countColour(image, band(0.68, 1.0), shown) > 500);
        QCOMPARE(countColour(image, absent), 0);
        QCOMPARE(countColour(image, band(0, 0.68), shown), 0);
    }

    void setsAreaShowsTheUpload()
    {
        WallMedia media;
        media.setsArea = QImage(160, 90, QImage::Format_RGB32);
        media.setsArea.fill(kMagenta);
        const wallcmd::Bodies bodies = wallcmd::setsShow(QStringLiteral("Heim"), QStringLiteral("Gast"), 3, 4, 1, 0);
        const QImage with = render(bodies, kNow, media);
        QVERIFY(countColour(with, band(0.1, 0.9, 0.62, 0.98), kMagenta) > 10000);
        QCOMPARE(countColour(with, band(0, 1, 0, 0.60), kMagenta), 0);
        QCOMPARE(countColour(render(bodies), kMagenta), 0);
    }

    void textListLineOnItsRow()
    {
        wallcmd::TextListColours colours;
        colours.header = wallcmd::colour::Red;
        colours.line = wallcmd::colour::Blue;
        colours.text = wallcmd::colour::Green;
        const QImage image = render(wallcmd::textListShow(wallcmd::TimeBarMode::Off, colours, QStringLiteral("Kopf"),
                                                          {QString(), QString(), QStringLiteral("Zeile drei")}, 8));
        const WallRenderer renderer(kWall, 32, 8);
        for (int row = 1; row <= 8; ++row) {
            const int green = countColour(image, renderer.textListRow(row, false).toRect(), kGreen);
            if (row == 3)
                QVERIFY2(green > 200, qPrintable(QString::number(green)));
            else
                QCOMPARE(green, 0);
        }
        QVERIFY(countColour(image, renderer.textListRow(0, false).toRect(), kRed) > 100);
        // The separator runs across the wall between the header and the first line.
        const QRectF header = renderer.textListRow(0, false);
        const int separatorY = qRound((header.bottom() + renderer.textListRow(1, false).top()) / 2);
        QVERIFY(countColour(image, QRect(0, separatorY - 1, kWall.width(), 3), kBlue) > kWall.width() * 0.9);
    }

    void textListCutsAtTheColumns()
    {
        const QImage image =
            render(wallcmd::textListShow(wallcmd::TimeBarMode::Off, {}, QString(), {QString(40, QLatin1Char('W'))}, 8));
        const QRect line = extent(image, kWhite);
        QVERIFY(line.isValid());
        QVERIFY(line.right() < kWall.width() - 2);
        QVERIFY(line.left() > 2);
    }

    void textListTimeBar_data()
    {
        QTest::addColumn<wallcmd::TimeBarMode>("mode");
        QTest::addColumn<qint64>("sinceTimeMs");
        QTest::addColumn<bool>("shown");
        QTest::newRow("off") << wallcmd::TimeBarMode::Off << qint64{0} << false;
        QTest::newRow("on") << wallcmd::TimeBarMode::On << qint64{600000} << true;
        QTest::newRow("automatic, time running") << wallcmd::TimeBarMode::Automatic << qint64{500} << true;
        QTest::newRow("automatic, time stopped") << wallcmd::TimeBarMode::Automatic << qint64{60000} << false;
    }
    void textListTimeBar()
    {
        QFETCH(wallcmd::TimeBarMode, mode);
        QFETCH(qint64, sinceTimeMs);
        QFETCH(bool, shown);
        wallcmd::Bodies bodies = wallcmd::timingTime(QStringLiteral("9,87"));
        bodies << wallcmd::textListShow(mode, {}, QStringLiteral("Lauf 1"), {QStringLiteral("Bahn 3")}, 8);
        const QImage image = render(bodies, kNow.addMSecs(sinceTimeMs));
        const WallRenderer renderer(kWall, 32, 8);
        if (shown)
            QVERIFY(countColour(image, renderer.textListRow(9, true).toRect(), kYellow) > 100);
        else
            QCOMPARE(countColour(image, kYellow), 0);
    }

    void analogClockShowsTheTime()
    {
        // At 3 o'clock the hour hand points right and the minute hand up; nothing points left.
        const QImage image =
            render({wallcmd::pageSelect(wallcmd::page::AnalogClock)}, QDateTime(QDate(2026, 5, 1), QTime(15, 0, 0)));
        const QPoint c(kWall.width() / 2, kWall.height() / 2);
        const int r = static_cast<int>(kWall.height() * 0.46);
        QCOMPARE(image.pixel(c.x() + r * 4 / 10, c.y()) & 0xFFFFFF, kWhite);
        QCOMPARE(image.pixel(c.x() - r * 4 / 10, c.y()) & 0xFFFFFF, QRgb{0});
        // The second hand, in red, lies over the minute hand at the full minute ...
        QCOMPARE(image.pixel(c.x(), c.y() - r * 6 / 10) & 0xFFFFFF, kRed);
        // ... and points down at half a minute, when the minute hand has moved on by three degrees.
        const QImage later =
            render({wallcmd::pageSelect(wallcmd::page::AnalogClock)}, QDateTime(QDate(2026, 5, 1), QTime(15, 0, 30)));
        QCOMPARE(later.pixel(c.x(), c.y() + r * 6 / 10) & 0xFFFFFF, kRed);
        const qreal minute = qDegreesToRadians(3.0);
        QCOMPARE(later.pixel(qRound(c.x() + r * 0.6 * qSin(minute)), qRound(c.y() - r * 0.6 * qCos(minute))) & 0xFFFFFF,
                 kWhite);
    }

    void startupShowsTheRunningClock()
    {
        const QDateTime later = kNow.addSecs(1);
        // "00:00:00" is the wall's running clock: the picture changes with the time.
        QVERIFY(clearlyDifferent(render({}, kNow), render({}, later)) > 500);
        QVERIFY(countColour(render({}, kNow), band(0.1, 0.7), kWhite) > 2000);
        // Any other large text stands still; a page-select ends the start-up screen.
        const wallcmd::Bodies fixed = wallcmd::startupTexts(QStringLiteral("Hallo"), QStringLiteral("Fu\u00dfzeile"));
        QCOMPARE(clearlyDifferent(render(fixed, kNow), render(fixed, later)), 0);
        QVERIFY(countColour(render(fixed), band(0.7, 0.92), 0xC0C0C0) > 200);
        QCOMPARE(countColour(render(fixed + wallcmd::eraseTextList()), 0x000000), kWall.width() * kWall.height());
    }

    void mediaPages_data()
    {
        QTest::addColumn<wallcmd::Bodies>("bodies");
        QTest::addColumn<int>("which"); // index into the WallMedia shots
        QTest::newRow("picture") << wallcmd::pictureShow() << 0;
        QTest::newRow("video") << wallcmd::videoShow() << 1;
        QTest::newRow("live") << wallcmd::liveVideoShow() << 2;
        QTest::newRow("camera") << wallcmd::cameraShow() << 3;
    }
    void mediaPages()
    {
        QFETCH(wallcmd::Bodies, bodies);
        QFETCH(int, which);
        // Without media: the labelled placeholder, grey on black, nothing else.
        WallMedia none;
        MediaShot* noneShots[] = {&none.picture, &none.video, &none.live, &none.camera};
        noneShots[which]->note = QStringLiteral("nothing here");
        const QImage placeholder = render(bodies, kNow, none);
        QVERIFY(countColour(placeholder, 0x969696) > 1000);
        QCOMPARE(countColour(placeholder, kMagenta), 0);

        // With media: the image fills the wall's height, centred.
        WallMedia media;
        MediaShot* shots[] = {&media.picture, &media.video, &media.live, &media.camera};
        shots[which]->image = QImage(320, 160, QImage::Format_RGB32);
        shots[which]->image.fill(kMagenta);
        const QImage shown = render(bodies, kNow, media);
        QCOMPARE(countColour(shown, kMagenta), kWall.width() * kWall.height());
    }
};

QTEST_MAIN(tst_WallRenderer)
#include "tst_WallRenderer.moc"
