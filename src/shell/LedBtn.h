#pragma once

#include "wall_link/LinkState.h"

#include <QToolButton>

enum class TLedBtnColor
{
    LedRed,
    LedBlue,
    LedGreen,
    LedYellow,
    LedMangenta,
    LedGray,
    LedCyan,
    LedWhite
};

// The lamp's colour for the state of the wall link: gray before the first query, red while one is
// unanswered, green once the wall has answered.
TLedBtnColor lampColour(LinkState state);

// A flat button whose picture is a coloured lamp, taken from the program's resources by colour name.
class TLedBtn final : public QToolButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLedBtn)
public:
    explicit TLedBtn(QWidget* parent = nullptr);

    TLedBtnColor ActiveLight() const { return m_light; }
    // Setting the colour it already has changes nothing.
    void setActiveLight(TLedBtnColor light);

    // The resource name of the picture shown now ("GREEN", ...).
    QString pictureName() const { return m_picture; }

    // "RED", "BLUE", "GREEN", "YELLOW", "MANGENTA", "GRAY", "CYAN", "WHITE"; "GRAY" for anything else.
    static QString resourceName(TLedBtnColor light);
    // The lamp picture with that resource name.
    static QPixmap picture(const QString& resourceName);

private:
    TLedBtnColor m_light = TLedBtnColor::LedGreen;
    QString m_picture;
};
