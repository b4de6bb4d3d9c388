#pragma once

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

class WallModel;

// A picture or video frame a media page can show now; without an image the page shows a labelled
// placeholder with the note (why there is nothing to show).
struct MediaShot
{
    QImage image;
    QString note;
    QString label{}; // the placeholder's caption instead of the page's own, when set
};

// What the media side has for each media page at the moment of drawing.
struct WallMedia
{
    MediaShot picture; // page 05
    MediaShot video;   // page 06
    MediaShot live;    // page 07
    MediaShot camera;  // page 0D
    QImage setsArea;   // picture and video area of the game-and-set page; none: the score takes the width
};

// Draws the wall as the model says, at the wall's own pixel size: black ground, the colours the records
// gave. Pure painting into a QImage, so that tests and screenshots need no window.
class WallRenderer final
{
public:
    WallRenderer(QSize size, int columns, int rows);

    QImage render(const WallModel& model, const QDateTime& now, const WallMedia& media = {}) const;

    QSize size() const { return m_size; }

    // Where the text list draws a row: 0 the header, 1..rows the lines, rows + 1 the time bar.
    QRectF textListRow(int row, bool timeBar) const;
    // Whether the text list shows its time bar: always, never, or while a running time comes in.
    static bool timeBarShown(const WallModel& model, const QDateTime& now);

    // Colour of a field as a record gives it (0x00BBGGRR), white while no record has set one.
    static QColor colourOf(const std::optional<quint32>& recordColour);

private:
    void drawStartup(QPainter& p, const WallModel& model, const QDateTime& now) const;
    void drawTime(QPainter& p, const WallModel& model) const;
    void drawAnalogClock(QPainter& p, const QDateTime& now) const;
    void drawTeams(QPainter& p, const WallModel& model, quint8 firstField, qreal nameTop, qreal nameBottom,
                   qreal scoreTop, qreal scoreBottom, bool colon) const;
    void drawSoccer(QPainter& p, const WallModel& model) const;
    void drawFootball(QPainter& p, const WallModel& model) const;
    void drawGameAndSet(QPainter& p, const WallModel& model, const QImage& area) const;
    void drawTextList(QPainter& p, const WallModel& model, const QDateTime& now) const;
    void drawMedia(QPainter& p, const MediaShot& shot, const QString& pageLabel) const;

    QSize m_size;
    int m_columns;
    int m_rows;
    QFont m_sans;
    QFont m_mono;
};
