#include "wall_view/WallRenderer.h"

#include "wall_link/WallCommands.h"
#include "wall_view/WallModel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kLabel(150, 150, 150); // small captions the wall adds itself
const QColor kFrame(60, 60, 60);    // placeholder frame
const QColor kStartupSmall(192, 192, 192);

QFont withPixelSize(QFont font, int px)
{
    font.setPixelSize(std::max(1, px));
    return font;
}

// The largest pixel size at which every text fits the box; paired fields share it so they match.
int fittingPixelSize(const QFont& font, const QStringList& texts, const QSizeF& box)
{
    auto fits = [&](int px, qreal* scale) {
        const QFontMetricsF fm(withPixelSize(font, px));
        qreal widest = 1;
        for (const QString& t : texts)
            widest = std::max(widest, fm.horizontalAdvance(t));
        *scale = std::min(box.width() / widest, box.height() / fm.height());
        return *scale >= 1.0;
    };
    int px = std::max(1, static_cast<int>(box.height()));
    qreal scale = 1;
    if (!fits(px, &scale))
        px = std::max(1, static_cast<int>(px * scale));
    // Advances do not scale exactly with the size; step down until it really fits.
    while (px > 1 && !fits(px, &scale))
        --px;
    return px;
}

void drawFitted(QPainter& p, const QRectF& box, const QString& text, const QFont& font, int px, const QColor& colour,
                Qt::Alignment align = Qt::AlignCenter)
{
    if (text.isEmpty())
        return;
    p.setFont(withPixelSize(font, px));
    p.setPen(colour);
    p.drawText(box, static_cast<int>(align | Qt::TextSingleLine), text);
}

// One text alone in its box, as large as it fits.
void drawAlone(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour,
               Qt::Alignment align = Qt::AlignCenter)
{
    drawFitted(p, box, text, font, fittingPixelSize(font, {text}, box.size()), colour, align);
}

QRectF fraction(const QSize& size, qreal left, qreal top, qreal right, qreal bottom)
{
    return QRectF(QPointF(size.width() * left, size.height() * top),
                  QPointF(size.width() * right, size.height() * bottom));
}

void drawImageFitted(QPainter& p, const QRectF& box, const QImage& image)
{
    const QSizeF scaled = QSizeF(image.size()).scaled(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.center() - QPointF(scaled.width() / 2, scaled.height() / 2), scaled);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, image);
}

} // namespace

WallRenderer::WallRenderer(QSize size, int columns, int rows)
    : m_size(size), m_columns(std::max(1, columns)), m_rows(std::max(0, rows))
{
    m_sans = QFont(QStringLiteral("DejaVu Sans"));
    m_sans.setStyleHint(QFont::SansSerif);
    m_sans.setBold(true);
    m_mono = QFont(QStringLiteral("DejaVu Sans Mono"));
    m_mono.setStyleHint(QFont::Monospace);
    m_mono.setFixedPitch(true);
}

QColor WallRenderer::colourOf(const std::optional<quint32>& recordColour)
{
    if (!recordColour)
        return QColor(255, 255, 255);
    const quint32 v = *recordColour;
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

QImage WallRenderer::render(const WallModel& model, const QDateTime& now, const WallMedia& media) const
{
    QImage image(m_size, QImage::Format_RGB32);
    image.fill(kBlack);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!model.page()) {
        drawStartup(p, model, now);
        return image;
    }
    using namespace wallcmd::page;
    switch (*model.page()) {
    case Time:
        drawTime(p, model);
        break;
    case AnalogClock:
        drawAnalogClock(p, now);
        break;
    case Soccer:
        drawSoccer(p, model);
        break;
    case Football:
        drawFootball(p, model);
        break;
    case GameAndSet:
        drawGameAndSet(p, model, media.setsArea);
        break;
    case TextList:
        drawTextList(p, model, now);
        break;
    case Picture:
        drawMedia(p, media.picture, QStringLiteral("PICTURE"));
        break;
    case Video:
        drawMedia(p, media.video, QStringLiteral("VIDEO"));
        break;
    case LiveVideo:
        drawMedia(p, media.live, QStringLiteral("LIVE VIDEO"));
        break;
    case Camera:
        drawMedia(p, media.camera, QStringLiteral("CAMERA"));
        break;
    default: // blank, and pages the wall does not have
        break;
    }
    return image;
}

void WallRenderer::drawStartup(QPainter& p, const WallModel& model, const QDateTime& now) const
{
    // "00:00:00" stands for the wall computer's running clock.
    const QString large = model.startupLarge() == QLatin1String("00:00:00") ? now.toString(QStringLiteral("HH:mm:ss"))
                                                                            : model.startupLarge();
    drawAlone(p, fraction(m_size, 0.05, 0.12, 0.95, 0.66), large, m_sans, QColor(255, 255, 255));
    drawAlone(p, fraction(m_size, 0.05, 0.72, 0.95, 0.90), model.startupSmall(), m_sans, kStartupSmall);
}

void WallRenderer::drawTime(QPainter& p, const WallModel& model) const
{
    const WallModel::Field large = model.field(wallcmd::field::TimeLarge);
    const WallModel::Field small = model.field(wallcmd::field::TimeSmall);
    drawAlone(p, fraction(m_size, 0.04, 0.08, 0.96, 0.66), large.text, m_sans, colourOf(large.colour));
    drawAlone(p, fraction(m_size, 0.04, 0.70, 0.96, 0.92), small.text, m_sans, colourOf(small.colour));
}

void WallRenderer::drawAnalogClock(QPainter& p, const QDateTime& now) const
{
    const QPointF centre(m_size.width() / 2.0, m_size.height() / 2.0);
    const qreal r = std::min(m_size.width(), m_size.height()) * 0.46;
    const QColor white(255, 255, 255);
    p.setPen(QPen(white, r * 0.03));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
    for (int i = 0; i < 60; ++i) {
        const bool hour = i % 5 == 0;
        const qreal a = qDegreesToRadians(i * 6.0);
        const QPointF dir(qSin(a), -qCos(a));
        p.setPen(QPen(white, hour ? r * 0.035 : r * 0.012, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(centre + dir * (r * (hour ? 0.80 : 0.88)), centre + dir * (r * 0.93));
    }
    const QTime t = now.time();
    auto hand = [&](qreal degrees, qreal length, qreal width, const QColor& colour) {
        const qreal a = qDegreesToRadians(degrees);
        const QPointF dir(qSin(a), -qCos(a));
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre - dir * (r * 0.10), centre + dir * length);
    };
    hand((t.hour() % 12 + t.minute() / 60.0) * 30.0, r * 0.52, r * 0.06, white);
    hand((t.minute() + t.second() / 60.0) * 6.0, r * 0.78, r * 0.04, white);
    hand(t.second() * 6.0, r * 0.86, r * 0.015, QColor(255, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(centre, r * 0.035, r * 0.035);
}

void WallRenderer::drawTeams(QPainter& p, const WallModel& model, quint8 firstField, qreal nameTop, qreal nameBottom,
                             qreal scoreTop, qreal scoreBottom, bool colon) const
{
    // The four fields in order: home name, guest name, home score, guest score.
    const WallModel::Field home = model.field(firstField);
    const WallModel::Field guest = model.field(firstField + 1);
    const WallModel::Field homeScore = model.field(firstField + 2);
    const WallModel::Field guestScore = model.field(firstField + 3);

    const QRectF homeName = fraction(m_size, 0.03, nameTop, 0.48, nameBottom);
    const QRectF guestName = fraction(m_size, 0.52, nameTop, 0.97, nameBottom);
    // Both names at one size, and never larger than a six-letter name would be, so short names match.
    const int namePx = fittingPixelSize(m_sans, {home.text, guest.text, QStringLiteral("Xxxxxx")}, homeName.size());
    drawFitted(p, homeName, home.text, m_sans, namePx, colourOf(home.colour));
    drawFitted(p, guestName, guest.text, m_sans, namePx, colourOf(guest.colour));

    const QRectF homeBox = fraction(m_size, 0.05, scoreTop, 0.43, scoreBottom);
    const QRectF guestBox = fraction(m_size, 0.57, scoreTop, 0.95, scoreBottom);
    const int scorePx =
        fittingPixelSize(m_sans, {homeScore.text, guestScore.text, QStringLiteral("00")}, homeBox.size());
    drawFitted(p, homeBox, homeScore.text, m_sans, scorePx, colourOf(homeScore.colour));
    drawFitted(p, guestBox, guestScore.text, m_sans, scorePx, colourOf(guestScore.colour));
    if (colon)
        drawFitted(p, fraction(m_size, 0.43, scoreTop, 0.57, scoreBottom), QStringLiteral(":"), m_sans, scorePx,
                   colourOf(homeScore.colour));
}

void WallRenderer::drawSoccer(QPainter& p, const WallModel& model) const
{
    drawTeams(p, model, wallcmd::field::SoccerHomeName, 0.07, 0.30, 0.36, 0.94, true);
}

void WallRenderer::drawFootball(QPainter& p, const WallModel& model) const
{
    drawTeams(p, model, wallcmd::field::FootballHomeName, 0.04, 0.24, 0.27, 0.66, false);
    const WallModel::Field clock = model.field(wallcmd::field::FootballClock);
    drawAlone(p, fraction(m_size, 0.25, 0.70, 0.75, 0.96), clock.text, m_sans, colourOf(clock.colour));
}

void WallRenderer::drawGameAndSet(QPainter& p, const WallModel& model, const QImage& area) const
{
    using namespace wallcmd::field;
    // With a picture or video in the area the score moves to the left and the area takes the right.
    const qreal w = area.isNull() ? 1.0 : 0.60;
    auto col = [&](qreal a, qreal b, qreal top, qreal bottom) { return fraction(m_size, a * w, top, b * w, bottom); };
    const QRectF setsLabel = col(0.60, 0.78, 0.05, 0.19);
    const QRectF gamesLabel = col(0.80, 0.98, 0.05, 0.19);
    const int labelPx =
        fittingPixelSize(m_sans, {QStringLiteral("S\u00e4tze"), QStringLiteral("Spiele")}, setsLabel.size());
    drawFitted(p, setsLabel, QStringLiteral("S\u00e4tze"), m_sans, labelPx, kLabel);
    drawFitted(p, gamesLabel, QStringLiteral("Spiele"), m_sans, labelPx, kLabel);

    const WallModel::Field names[] = {model.field(SetsHomeName), model.field(SetsGuestName)};
    const WallModel::Field sets[] = {model.field(SetsHomeSets), model.field(SetsGuestSets)};
    const WallModel::Field games[] = {model.field(SetsHomeGames), model.field(SetsGuestGames)};
    const qreal rowTop[] = {0.22, 0.60};
    const qreal rowHeight = 0.34;

    const QSizeF nameBox = col(0.03, 0.58, 0, rowHeight).size();
    const int namePx = fittingPixelSize(m_sans, {names[0].text, names[1].text, QStringLiteral("Xxxxxx")}, nameBox);
    const QSizeF numberBox = col(0.60, 0.78, 0, rowHeight).size();
    const int numberPx = fittingPixelSize(
        m_sans, {sets[0].text, sets[1].text, games[0].text, games[1].text, QStringLiteral("00")}, numberBox);
    for (int i = 0; i < 2; ++i) {
        const qreal top = rowTop[i];
        drawFitted(p, col(0.03, 0.58, top, top + rowHeight), names[i].text, m_sans, namePx, colourOf(names[i].colour),
                   Qt::AlignLeft | Qt::AlignVCenter);
        drawFitted(p, col(0.60, 0.78, top, top + rowHeight), sets[i].text, m_sans, numberPx, colourOf(sets[i].colour));
        drawFitted(p, col(0.80, 0.98, top, top + rowHeight), games[i].text, m_sans, numberPx,
                   colourOf(games[i].colour));
    }
    if (!area.isNull())
        drawImageFitted(p, fraction(m_size, 0.62, 0.05, 0.98, 0.95), area);
}

bool WallRenderer::timeBarShown(const WallModel& model, const QDateTime& now)
{
    const quint8 mode = model.timeBarMode();
    return mode == static_cast<quint8>(wallcmd::TimeBarMode::On) ||
           (mode == static_cast<quint8>(wallcmd::TimeBarMode::Automatic) &&
            model.runningTimeReceived(now.toMSecsSinceEpoch()));
}

QRectF WallRenderer::textListRow(int row, bool timeBar) const
{
    // Header, half a row for the separator, the text rows, and the time bar when it shows.
    const qreal units = 1.5 + m_rows + (timeBar ? 1.25 : 0.0);
    const QRectF area = fraction(m_size, 0.01, 0.02, 0.99, 0.98);
    const qreal ch = area.height() / units;
    qreal top = area.top();
    if (row > m_rows)
        top += ch * (1.75 + m_rows);
    else if (row > 0)
        top += ch * (0.5 + row);
    return QRectF(area.left(), top, area.width(), ch);
}

void WallRenderer::drawTextList(QPainter& p, const WallModel& model, const QDateTime& now) const
{
    using namespace wallcmd::field;
    const bool timeBar = timeBarShown(model, now);
    const QRectF header = textListRow(0, timeBar);
    const qreal cw = header.width() / m_columns;
    const qreal ch = header.height();
    const int px = fittingPixelSize(m_mono, {QStringLiteral("W")}, QSizeF(cw, ch));
    QFont font = withPixelSize(m_mono, px);
    // Widen the glyphs to fill their cells, as the characters of a wall's text matrix do.
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('W'));
    if (advance > 0)
        font.setStretch(std::clamp(static_cast<int>(cw * 0.92 / advance * 100), 50, 200));
    p.setFont(font);

    // Every character in its own cell, so the grid holds whatever the font's metrics; the text runs
    // from the given column, and what passes the last column is not shown.
    auto drawRow = [&](const QRectF& row, int firstColumn, const QString& text, const QColor& colour) {
        p.setPen(colour);
        const qsizetype n = std::min<qsizetype>(text.size(), m_columns - firstColumn);
        for (qsizetype i = 0; i < n; ++i)
            p.drawText(QRectF(row.left() + (firstColumn + i) * cw, row.top(), cw, ch), Qt::AlignCenter,
                       QString(text.at(i)));
    };

    const WallModel::Field headerField = model.field(ListHeader);
    drawRow(header, 0, headerField.text, colourOf(headerField.colour));
    const qreal rule = std::max(2.0, ch * 0.10);
    const QColor lineColour = colourOf(model.field(ListHeaderLine).colour);
    p.fillRect(QRectF(header.left(), header.bottom() + ch * 0.25 - rule / 2, header.width(), rule), lineColour);

    const QColor textColour = colourOf(model.field(ListLines).colour);
    for (int n = 1; n <= m_rows; ++n)
        drawRow(textListRow(n, timeBar), 0, model.line(n), textColour);

    if (timeBar) {
        const QRectF bar = textListRow(m_rows + 1, timeBar);
        p.fillRect(QRectF(bar.left(), bar.top() - ch * 0.15, bar.width(), std::max(1.0, rule / 2)), lineColour);
        // The running time stands right-aligned, as on a scoreboard.
        const WallModel::Field time = model.field(TimeLarge);
        const QString text = time.text.right(m_columns);
        drawRow(bar, m_columns - static_cast<int>(text.size()), text, colourOf(time.colour));
    }
}

void WallRenderer::drawMedia(QPainter& p, const MediaShot& shot, const QString& pageLabel) const
{
    const QRectF whole(QPointF(0, 0), QSizeF(m_size));
    if (!shot.image.isNull()) {
        drawImageFitted(p, whole, shot.image);
        return;
    }
    const QRectF frame = fraction(m_size, 0.06, 0.08, 0.94, 0.92);
    p.setPen(QPen(kFrame, std::max(2.0, m_size.height() * 0.008)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    p.drawLine(frame.topLeft(), frame.bottomRight());
    p.drawLine(frame.topRight(), frame.bottomLeft());
    const QString label = shot.label.isEmpty() ? pageLabel : shot.label;
    const QRectF labelBox = fraction(m_size, 0.15, 0.30, 0.85, 0.55);
    const QRectF noteBox = fraction(m_size, 0.12, 0.60, 0.88, 0.72);
    // Black under the texts so the cross does not run through them.
    const int labelPx = fittingPixelSize(m_sans, {label}, labelBox.size());
    const int notePx = fittingPixelSize(m_sans, {shot.note}, noteBox.size());
    const QFontMetricsF lm(withPixelSize(m_sans, labelPx));
    const QFontMetricsF nm(withPixelSize(m_sans, notePx));
    auto clearUnder = [&](const QRectF& box, const QFontMetricsF& fm, const QString& text) {
        if (text.isEmpty())
            return;
        const qreal tw = fm.horizontalAdvance(text) + fm.height() * 0.6;
        p.fillRect(QRectF(box.center().x() - tw / 2, box.center().y() - fm.height() / 2, tw, fm.height()), kBlack);
    };
    clearUnder(labelBox, lm, label);
    clearUnder(noteBox, nm, shot.note);
    drawFitted(p, labelBox, label, m_sans, labelPx, kLabel);
    drawFitted(p, noteBox, shot.note, m_sans, notePx, kLabel);
}
