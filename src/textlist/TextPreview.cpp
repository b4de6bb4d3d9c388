#include "textlist/TextPreview.h"

#include "pages/LengthCounter.h"
#include "pages/PageForm.h"
#include "pages/PageKeys.h"
#include "textlist/TextlistWidgets.h"
#include "wall_link/TextTools.h"
#include "wall_link/WallSink.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSyntaxHighlighter>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

using textlist::named;
using textlist::setFill;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kHeaderDefault(255, 0, 0);
const QColor kLineDefault(192, 192, 192);
const QColor kBoxDefault(255, 255, 255);
const QColor kBeyondWall(160, 160, 160);
constexpr int kRulerWidth = 18;
constexpr int kEditorExtraWidth = 13;

const QStringList kDefaultLines{
    {}, {}, {}, QStringLiteral("      Herzlich willkommen"), QStringLiteral("       im Sportzentrum"), {}, {}, {}};

quint32 toWire(const QColor& c)
{
    return texttools::colourValue(c.red(), c.green(), c.blue());
}

QFont monoFont()
{
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSize(9);
    return f;
}

void setTextColour(QWidget* w, const QColor& c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

QColor fromWire(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void paintSwatch(QToolButton* b, const QColor& colour)
{
    b->setProperty("colour", colour);
    b->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;").arg(colour.name()));
}

// Greys what the wall does not show: characters beyond its columns, lines beyond its rows.
class WallCut final : public QSyntaxHighlighter
{
public:
    WallCut(QTextDocument* document, const WallSink& wall) : QSyntaxHighlighter(document), m_wall(wall) {}

protected:
    void highlightBlock(const QString& text) override
    {
        const WallTextSize size = m_wall.textSize();
        QTextCharFormat beyond;
        beyond.setForeground(kBeyondWall);
        const int length = static_cast<int>(text.size());
        if (currentBlock().blockNumber() >= size.rows)
            setFormat(0, length, beyond);
        else if (length > size.columns)
            setFormat(size.columns, length - size.columns, beyond);
    }

private:
    const WallSink& m_wall;
};

QToolButton* swatch(QWidget* parent, const QString& name, const QString& hint, const QColor& colour)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setFixedSize(40, 20);
    paintSwatch(b, colour);
    return b;
}

QColor swatchColour(const QToolButton* b)
{
    return b->property("colour").value<QColor>();
}

} // namespace

TTextPreview::TTextPreview(WallSink& wall, QWidget* parent) : QWidget(parent), m_wall(wall)
{
    m_background = named(new QWidget(this), QStringLiteral("LbBlackBackground"));
    setFill(m_background, Qt::black);

    m_header = named(new QLineEdit(m_background), QStringLiteral("EdKopfzeile"));
    QFont headerFont(QStringLiteral("Liberation Sans Narrow"));
    headerFont.setStyleHint(QFont::SansSerif);
    headerFont.setBold(true);
    m_header->setFont(headerFont);
    QPalette edPal = m_header->palette();
    edPal.setColor(QPalette::Text, kNavy);
    m_header->setPalette(edPal);

    m_headerMark = named(new QLabel(QStringLiteral("K"), m_background), QStringLiteral("Label2"));
    QFont kFont = m_headerMark->font();
    kFont.setBold(true);
    m_headerMark->setFont(kFont);
    m_separator = named(new QWidget(m_background), QStringLiteral("PnTextLinie"));
    m_separator->setFixedHeight(8);

    m_columnRuler = named(new QLabel(m_background), QStringLiteral("Label1"));
    m_columnRuler->setFont(monoFont());
    m_rowRuler = named(new QLabel(m_background), QStringLiteral("Label3"));
    m_rowRuler->setFont(monoFont());
    m_rowRuler->setWordWrap(true);
    m_rowRuler->setFixedWidth(kRulerWidth);
    m_rowRuler->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    m_editor = named(new QPlainTextEdit(m_background), QStringLiteral("MTextbox"));
    m_editor->setFont(monoFont());
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->setFrameStyle(QFrame::NoFrame);
    m_editor->document()->setDocumentMargin(0);
    QPalette mPal = m_editor->palette();
    mPal.setColor(QPalette::Text, kNavy);
    m_editor->setPalette(mPal);
    m_wallCut = new WallCut(m_editor->document(), m_wall);
    m_headerLength = new TLengthCounter(
        m_header, [this] { return m_wall.textSize().columns; }, m_background);

    auto* keysHint = named(new QLabel(QStringLiteral("(^A markieren, ^C kopieren, ^V einfügen)"), m_background),
                           QStringLiteral("Label8"));
    setTextColour(keysHint, Qt::lightGray);

    auto* colours = named(new QGroupBox(QStringLiteral("Farbe"), m_background), QStringLiteral("GroupBox2"));
    setTextColour(colours, Qt::white);
    m_headerColour = swatch(colours, QStringLiteral("PnFarbeHeader"),
                            QStringLiteral("Klicken, um Textfarbe einzustellen"), kHeaderDefault);
    m_lineColour = swatch(colours, QStringLiteral("PnTextLinienfarbe"),
                          QStringLiteral("Klicken, um Linienfarbe einzustellen"), kLineDefault);
    m_boxColour =
        swatch(colours, QStringLiteral("PnFarbeBox"), QStringLiteral("Klicken um Textfarbe einzustellen"), kBoxDefault);
    auto* swatches = new QHBoxLayout(colours);
    swatches->addWidget(m_headerColour);
    swatches->addWidget(m_lineColour);
    swatches->addWidget(m_boxColour);
    swatches->addStretch();

    auto* preview = new QGridLayout(m_background);
    preview->setHorizontalSpacing(2);
    preview->setVerticalSpacing(2);
    preview->addWidget(m_header, 0, 1, Qt::AlignLeft);
    preview->addWidget(m_headerMark, 0, 2);
    preview->addWidget(m_headerLength, 0, 3, Qt::AlignLeft);
    preview->addWidget(m_separator, 1, 1);
    preview->addWidget(m_columnRuler, 2, 1);
    preview->addWidget(m_rowRuler, 3, 0);
    preview->addWidget(m_editor, 3, 1, Qt::AlignLeft);
    preview->addWidget(keysHint, 4, 1);
    preview->addWidget(colours, 5, 1, 1, 2);
    preview->setRowStretch(3, 1);
    preview->setColumnStretch(3, 1);

    auto* modes = named(new QGroupBox(QStringLiteral("Zeit von der Zeitleiste der Zeitmessung ..."), this),
                        QStringLiteral("GroupBox3"));
    m_timeBarAuto =
        named(new QRadioButton(QStringLiteral("automatisch ein bei laufender Zeit"), modes), QStringLiteral("RBAuto"));
    m_timeBarOn =
        named(new QRadioButton(QStringLiteral("permanent eingeschaltet"), modes), QStringLiteral("RBPermanentEin"));
    m_timeBarOff = named(new QRadioButton(QStringLiteral("permanent aus"), modes), QStringLiteral("RBPermanentAus"));
    m_timeBarOff->setChecked(true);
    auto* modeColumn = new QVBoxLayout(modes);
    modeColumn->addWidget(m_timeBarAuto);
    modeColumn->addWidget(m_timeBarOn);
    modeColumn->addWidget(m_timeBarOff);

    QToolButton* erase = pagewidgets::button(this, QStringLiteral("SBErase"), QStringLiteral("Löschen"),
                                             QStringLiteral("Anzeigetafel löschen"));
    m_send = pagewidgets::button(this, QStringLiteral("SBSend"), QStringLiteral("Anzeigen"),
                                 QStringLiteral("Text anzeigen"));
    pagekeys::bindButton(this, shortcuts::Action::Show, m_send);
    pagekeys::bindButton(this, shortcuts::Action::Erase, erase);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(erase);
    buttons->addWidget(m_send);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(modes, 1);
    bottom->addLayout(buttons);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_background, 1);
    column->addLayout(bottom);

    m_colourDialog = named(new QColorDialog(Qt::white, this), QStringLiteral("ColorDialog"));
    m_colourDialog->setOptions(QColorDialog::DontUseNativeDialog);

    // Creation defaults.
    m_header->setText(QStringLiteral("Leichtathletiksportfest am ") +
                      QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    setLines(kDefaultLines);
    mirrorColours();

    connect(m_send, &QToolButton::clicked, this, &TTextPreview::SBSendClick);
    connect(m_header, &QLineEdit::textChanged, this, &TTextPreview::contentChanged);
    connect(m_editor, &QPlainTextEdit::textChanged, this, &TTextPreview::contentChanged);
    connect(erase, &QToolButton::clicked, this, &TTextPreview::SBEraseClick);
    connect(m_headerColour, &QToolButton::clicked, this, [this] { chooseColour(m_headerColour); });
    connect(m_lineColour, &QToolButton::clicked, this, [this] { chooseColour(m_lineColour); });
    connect(m_boxColour, &QToolButton::clicked, this, [this] { chooseColour(m_boxColour); });
    m_editor->installEventFilter(this);
}

void TTextPreview::fitToWall()
{
    // Rulers over the wall's text size, so that the operator sees where a line leaves the wall.
    const int columns = m_wall.textSize().columns;
    const int rows = m_wall.textSize().rows;
    m_columnRuler->setText(QStringLiteral("1234567890").repeated(columns / 10 + 1).left(columns));
    m_rowRuler->setText(QStringLiteral("1 2 3 4 5 6 7 8 9 0 ").repeated(rows / 10 + 1).left(2 * rows));
    const int width = m_columnRuler->fontMetrics().horizontalAdvance(m_columnRuler->text()) + kEditorExtraWidth;
    m_editor->setFixedWidth(width);
    m_header->setFixedWidth(width);
    m_headerLength->refresh();
    m_wallCut->rehighlight();
}

void TTextPreview::focusHeader()
{
    m_header->setFocus(Qt::OtherFocusReason);
}

wallcmd::Bodies TTextPreview::showBodies() const
{
    return wallcmd::textListShow(timeBarMode(), colours(), m_header->text(), lines(), m_wall.textSize().rows);
}

QAbstractButton* TTextPreview::showButton() const
{
    return m_send;
}

void TTextPreview::SBSendClick()
{
    m_wall.send(showBodies());
}

void TTextPreview::SBEraseClick()
{
    m_wall.send(wallcmd::eraseTextList());
}

wallcmd::TimeBarMode TTextPreview::timeBarMode() const
{
    if (m_timeBarAuto->isChecked())
        return wallcmd::TimeBarMode::Automatic;
    if (m_timeBarOn->isChecked())
        return wallcmd::TimeBarMode::On;
    return wallcmd::TimeBarMode::Off;
}

wallcmd::TextListColours TTextPreview::colours() const
{
    // What is sent is what the preview shows.
    return {toWire(m_headerMark->palette().color(QPalette::WindowText)),
            toWire(m_separator->palette().color(QPalette::Window)),
            toWire(m_columnRuler->palette().color(QPalette::WindowText))};
}

void TTextPreview::mirrorColours()
{
    setTextColour(m_headerMark, swatchColour(m_headerColour));
    setTextColour(m_columnRuler, swatchColour(m_boxColour));
    setTextColour(m_rowRuler, m_columnRuler->palette().color(QPalette::WindowText));
    setFill(m_separator, swatchColour(m_lineColour));
}

void TTextPreview::chooseColour(QToolButton* target)
{
    if (m_colourDialog->exec() != QDialog::Accepted)
        return;
    paintSwatch(target, m_colourDialog->currentColor());
    mirrorColours();
    Q_EMIT coloursChanged();
}

void TTextPreview::setColours(const wallcmd::TextListColours& colours)
{
    paintSwatch(m_headerColour, fromWire(colours.header));
    paintSwatch(m_lineColour, fromWire(colours.line));
    paintSwatch(m_boxColour, fromWire(colours.text));
    mirrorColours();
    Q_EMIT coloursChanged();
}

void TTextPreview::setTimeBarMode(wallcmd::TimeBarMode mode)
{
    switch (mode) {
    case wallcmd::TimeBarMode::Automatic:
        m_timeBarAuto->setChecked(true);
        return;
    case wallcmd::TimeBarMode::On:
        m_timeBarOn->setChecked(true);
        return;
    case wallcmd::TimeBarMode::Off:
        m_timeBarOff->setChecked(true);
        return;
    }
}

QString TTextPreview::header() const
{
    return m_header->text();
}

void TTextPreview::setHeader(const QString& header)
{
    m_header->setText(header);
}

QStringList TTextPreview::lines() const
{
    const QString text = m_editor->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList out = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        out.removeLast();
    return out;
}

void TTextPreview::setLines(const QStringList& newLines)
{
    m_editor->setPlainText(newLines.isEmpty() ? QString() : newLines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void TTextPreview::moveCaretToStart()
{
    m_editor->moveCursor(QTextCursor::Start);
}

bool TTextPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress)
        return MTextboxKeyPress(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool TTextPreview::MTextboxKeyPress(QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_A:
        m_editor->selectAll();
        return true;
    case Qt::Key_C: {
        const QString selected = m_editor->textCursor().selection().toPlainText();
        if (!selected.isEmpty())
            QApplication::clipboard()->setText(selected);
        return true;
    }
    case Qt::Key_W:
        m_editor->insertPlainText(QApplication::clipboard()->text());
        return false;
    default:
        return false;
    }
}
