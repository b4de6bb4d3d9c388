#pragma once

#include "wall_link/WallCommands.h"

#include <QWidget>

class QAbstractButton;
class QColorDialog;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSyntaxHighlighter;
class QToolButton;
class TLengthCounter;
class WallSink;

// The text list window's preview of the wall's text box page: header, separator line, box of fixed-width
// lines with rulers over the wall's text size, the three colours, the time bar mode, and the buttons
// that send the page or blank the wall. What the lists lay out arrives through setHeader and setLines.
// What the wall will not show while the operator types is greyed: text beyond the wall's columns and
// lines beyond its rows; a counter beside the header compares it with the columns.
class TTextPreview final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTextPreview)
public:
    explicit TTextPreview(WallSink& wall, QWidget* parent = nullptr);

    // Rulers, editor width and what is greyed after the wall's current text size.
    void fitToWall();
    void focusHeader();

    QString header() const;
    void setHeader(const QString& header);
    // The lines of MTextbox as a line-based editor counts them: a final line break ends the last line
    // rather than starting an empty one. Setting replaces the content.
    QStringList lines() const;
    void setLines(const QStringList& lines);
    // The caret to the start of the lines, nothing selected.
    void moveCaretToStart();

    wallcmd::TimeBarMode timeBarMode() const;
    void setTimeBarMode(wallcmd::TimeBarMode mode);
    wallcmd::TextListColours colours() const;
    // The three swatches as the colour chooser sets them, mirrored into the preview.
    void setColours(const wallcmd::TextListColours& colours);

    // What "Anzeigen" sends now.
    wallcmd::Bodies showBodies() const;
    QAbstractButton* showButton() const;

    void SBSendClick();
    void SBEraseClick();

Q_SIGNALS:
    // The header or the lines changed (typed or set).
    void contentChanged();
    void coloursChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MTextboxKeyPress(QKeyEvent* event);
    void chooseColour(QToolButton* swatch);
    void mirrorColours();

    WallSink& m_wall;
    QWidget* m_background; // LbBlackBackground
    QLineEdit* m_header;   // EdKopfzeile
    TLengthCounter* m_headerLength;
    QLabel* m_headerMark;     // Label2, in the header colour
    QWidget* m_separator;     // PnTextLinie, in the line colour
    QLabel* m_columnRuler;    // Label1, in the box colour
    QLabel* m_rowRuler;       // Label3
    QPlainTextEdit* m_editor; // MTextbox
    QSyntaxHighlighter* m_wallCut;
    QToolButton* m_headerColour; // PnFarbeHeader
    QToolButton* m_lineColour;   // PnTextLinienfarbe
    QToolButton* m_boxColour;    // PnFarbeBox
    QColorDialog* m_colourDialog;
    QRadioButton* m_timeBarAuto; // RBAuto
    QRadioButton* m_timeBarOn;   // RBPermanentEin
    QRadioButton* m_timeBarOff;  // RBPermanentAus
    QToolButton* m_send;         // SBSend
};
