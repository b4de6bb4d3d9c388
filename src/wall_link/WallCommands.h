#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The vocabulary of the wall: command records and the exact sequences of bodies each page sends.
// A body is one datagram; every sequence is sent in order, one SendMessageTo per body.
//
// Records (no length, no terminator; a record that ends in text runs to the end of the body):
//   D0 page                  page-select
//   C0 field 00 BB GG RR     colour; the colour value is 0x00BBGGRR, sent most significant byte first
//   C1 option value          option (0x40: time bar mode of the text list)
//   10 field text...         text, Windows-1252; numbers as decimal without leading zeros
//   EE sub text...           server control
//   80 code                  query; the wall answers 10 FD columns rows version...
namespace wallcmd {

using Bodies = QList<QByteArray>;

// The first byte of each record.
namespace lead {
constexpr quint8 PageSelect = 0xD0;
constexpr quint8 Colour = 0xC0;
constexpr quint8 Option = 0xC1;
constexpr quint8 Text = 0x10;
constexpr quint8 ServerControl = 0xEE;
constexpr quint8 Query = 0x80;
} // namespace lead

namespace page {
constexpr quint8 Blank = 0x00;
constexpr quint8 Time = 0x01;
constexpr quint8 Soccer = 0x02;
constexpr quint8 Football = 0x03;
constexpr quint8 Picture = 0x05;
constexpr quint8 Video = 0x06;
constexpr quint8 LiveVideo = 0x07;
constexpr quint8 GameAndSet = 0x08;
constexpr quint8 AnalogClock = 0x09;
constexpr quint8 TextList = 0x0B;
constexpr quint8 Camera = 0x0D;
constexpr quint8 MediaStop = 0xF6;
} // namespace page

namespace field {
constexpr quint8 TimeLarge = 0x11;
constexpr quint8 TimeSmall = 0x12;
constexpr quint8 SoccerHomeName = 0x21;
constexpr quint8 SoccerGuestName = 0x22;
constexpr quint8 SoccerHomeGoals = 0x23;
constexpr quint8 SoccerGuestGoals = 0x24;
constexpr quint8 FootballHomeName = 0x31;
constexpr quint8 FootballGuestName = 0x32;
constexpr quint8 FootballHomeScore = 0x33;
constexpr quint8 FootballGuestScore = 0x34;
constexpr quint8 FootballClock = 0x35;
constexpr quint8 ListHeader = 0x41;
constexpr quint8 ListHeaderLine = 0x42;
constexpr quint8 ListLines = 0x43;
constexpr quint8 SetsHomeName = 0x51;
constexpr quint8 SetsGuestName = 0x52;
constexpr quint8 SetsHomeGames = 0x53;
constexpr quint8 SetsGuestGames = 0x54;
constexpr quint8 SetsHomeSets = 0x55;
constexpr quint8 SetsGuestSets = 0x56;
constexpr quint8 SetsMediaArea = 0x57;
} // namespace field

// Colours as the controls hold them: 0x00BBGGRR.
namespace colour {
constexpr quint32 Yellow = 0x0000FFFF;
constexpr quint32 Blue = 0x00FF0000;
constexpr quint32 Cyan = 0x00FFFF00;
constexpr quint32 White = 0x00FFFFFF;
constexpr quint32 Red = 0x000000FF;
constexpr quint32 Green = 0x0000FF00;
constexpr quint32 Silver = 0x00C0C0C0;
} // namespace colour

constexpr quint8 kOptionTimeBar = 0x40;
enum class TimeBarMode : quint8
{
    Off = 0x00,
    On = 0x01,
    Automatic = 0x02
};

constexpr quint8 kQueryLifeSign = 0xFD;
constexpr quint8 kQueryDetails = 0xFE;
constexpr quint8 kStatusReplyField = 0xFD; // the text field of the wall's status reply
constexpr quint8 kControlServer = 0xEE;
constexpr quint8 kControlStartupLarge = 0xA1;
constexpr quint8 kControlStartupSmall = 0xA2;

// Records
QByteArray pageSelect(quint8 pageCode);
QByteArray colourRecord(quint8 fieldId, quint32 colour);
QByteArray optionRecord(quint8 optionId, quint8 value);
QByteArray textRecord(quint8 fieldId, const QString& text);
QByteArray serverControl(quint8 subCode, const QString& text);
QByteArray query(quint8 code);

// Sequences
Bodies erase();
Bodies eraseTextList();
// Clock page on a new second; digital is the show button, analog the analog-clock button.
Bodies clockSecond(const QString& time, const QString& smallText, bool digital, bool analog);
Bodies timingTime(const QString& time);
Bodies soccerShow(const QString& home, const QString& guest, int homeGoals, int guestGoals);

enum class GameClock
{
    Hidden,
    Running,
    Standing
};
Bodies footballShow(const QString& home, const QString& guest, int homeScore, int guestScore, GameClock clock,
                    const QString& clockText);
Bodies footballClock(bool running, const QString& clockText);

Bodies setsShow(const QString& home, const QString& guest, int homeGames, int guestGames, int homeSets, int guestSets);
Bodies setsClearMedia();
Bodies setsVideoPrelude(); // followed by the video upload

struct TextListColours
{
    quint32 header = colour::Red;
    quint32 line = colour::Silver;
    quint32 text = colour::White;
};
// One body per wall row: line n of lines, an empty line as nothing after the number, a missing line as
// one space. No line bodies when rows is 0 or less.
Bodies textListShow(TimeBarMode mode, const TextListColours& colours, const QString& header, const QStringList& lines,
                    int rows);

Bodies pictureShow();
Bodies videoShow(); // followed by the video upload
Bodies liveVideoShow();
Bodies cameraShow();
Bodies lifeSignQuery();
Bodies detailsQuery();
Bodies closeServer();
Bodies shutdownServer();
Bodies startupTexts(const QString& large, const QString& small);

// One record of a body as the wall reads it.
struct Record
{
    enum class Kind
    {
        PageSelect,
        Colour,
        Option,
        Text,
        ServerControl,
        Query,
        CutShort, // a known lead byte without the bytes its record needs
        Unknown   // a lead byte the wall does not know
    };
    Kind kind = Kind::Unknown;
    quint8 lead = 0;
    quint8 id = 0;      // page code, field, option, control sub-code or query code
    quint32 colour = 0; // Colour: 0x00BBGGRR
    quint8 value = 0;   // Option
    QByteArray text;    // Text and ServerControl: the bytes to the end of the body, still encoded
};
// The records of a body in order. A record cut short or of an unknown kind is the last one: without
// knowing its length nothing after it can be read safely.
QList<Record> splitRecords(const QByteArray& body);

// Status reply: 10 FD columns rows version...
struct StatusReply
{
    bool hasSize = false; // false when the body is too short to carry columns and rows
    int columns = 0;
    int rows = 0;
    QString version;
};
std::optional<StatusReply> parseStatusReply(const QByteArray& body);
QByteArray statusReply(int columns, int rows, const QString& version);

} // namespace wallcmd
