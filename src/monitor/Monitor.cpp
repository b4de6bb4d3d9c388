#include "monitor/Monitor.h"

#include "pages/Clock.h"
#include "shell/SendLogFormat.h"
#include "wall_link/WallLink.h"
#include "wall_view/WallRenderer.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

constexpr int kTickMs = 500; // the clock pages move every second, and so does "seit N s"
const QColor kGround(24, 24, 24);
const QColor kText(200, 200, 200);
const QColor kAnswering(110, 210, 110);
const QColor kSilent(255, 110, 95);
const QString kNoLink = QStringLiteral("Keine Verbindung zur Wand – Bild kann veraltet sein");
const QString kMediaNote = QStringLiteral("Bilder und Videos zeigt nur die Wand");

// Life-sign and details queries ask the wall something; they change nothing it shows.
bool changesPicture(const QByteArray& body)
{
    const QList<wallcmd::Record> records = wallcmd::splitRecords(body);
    return std::any_of(records.begin(), records.end(),
                       [](const wallcmd::Record& r) { return r.kind != wallcmd::Record::Kind::Query; });
}

// The lamp's meaning in words; since: milliseconds since the last answer, none if there was none.
QString linkText(LinkState state, std::optional<qint64> sinceMs)
{
    if (state == LinkState::Up)
        return QStringLiteral("Wand antwortet");
    if (!sinceMs)
        return state == LinkState::Unknown ? QStringLiteral("Wand noch nicht gefragt")
                                           : QStringLiteral("Wand antwortet nicht");
    return QStringLiteral("Wand antwortet nicht seit %1 s").arg(*sinceMs / 1000);
}

// The picture scaled into the widget at the wall's proportions, with the band across it while the wall
// does not answer.
class MonitorPicture final : public QWidget
{
public:
    MonitorPicture(std::function<QImage(QSize)> source, QLabel* band, QWidget* parent)
        : QWidget(parent), m_source(std::move(source)), m_band(band)
    {
        setMinimumSize(160, 80);
        m_band->setParent(this);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), kGround);
        const QRect area = pictureArea();
        p.drawImage(area.topLeft(), m_source(area.size()));
    }

    void resizeEvent(QResizeEvent*) override
    {
        const QRect area = pictureArea();
        // One line where it fits; a narrow window wraps it at the smallest size.
        QFont font = m_band->font();
        font.setBold(true);
        int px = std::clamp(area.height() / 14, 10, 26);
        for (; px > 10; --px) {
            font.setPixelSize(px);
            if (QFontMetrics(font).horizontalAdvance(m_band->text()) < area.width() * 0.94)
                break;
        }
        font.setPixelSize(px);
        m_band->setFont(font);
        const int height = std::max(area.height() / 4, QFontMetrics(font).lineSpacing() * 2 + 8);
        m_band->setGeometry(area.left(), area.center().y() - height / 2, area.width(), height);
    }

private:
    QRect pictureArea() const
    {
        const QSize scaled = TFormMonitor::wallPixels().scaled(size(), Qt::KeepAspectRatio);
        return QRect(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
    }

    std::function<QImage(QSize)> m_source;
    QLabel* m_band;
};

} // namespace

TFormMonitor::TFormMonitor(WallLink& link, const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowDoesNotAcceptFocus), m_link(link), m_clock(clock),
      m_noLink(new QLabel(kNoLink)), m_linkState(new QLabel(this)), m_lastSendLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("FormMonitor"));
    setWindowTitle(QStringLiteral("Wandmonitor"));
    // Shown at start and updated with every send while the operator types elsewhere.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, kGround);
    dark.setColor(QPalette::WindowText, kText);
    setPalette(dark);

    m_noLink->setObjectName(QStringLiteral("LbNoLink"));
    m_noLink->setAlignment(Qt::AlignCenter);
    m_noLink->setWordWrap(true);
    m_noLink->setStyleSheet(QStringLiteral("background-color: rgba(150, 0, 0, 190); color: white;"));
    m_picture = new MonitorPicture([this](QSize size) { return picture(size); }, m_noLink, this);
    m_picture->setObjectName(QStringLiteral("PnPicture"));
    m_linkState->setObjectName(QStringLiteral("LbLinkState"));
    m_lastSendLabel->setObjectName(QStringLiteral("LbLastSend"));
    m_lastSendLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = m_linkState->font();
    bold.setBold(true);
    m_linkState->setFont(bold);

    auto* status = new QHBoxLayout;
    status->addWidget(m_linkState);
    status->addStretch();
    status->addWidget(m_lastSendLabel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_picture, 1);
    layout->addLayout(status);
    resize(480, 290);

    connect(&m_link, &WallLink::bodiesSent, this, &TFormMonitor::bodiesSent);
    connect(&m_link, &WallLink::stateChanged, this, &TFormMonitor::refresh);
    connect(&m_link, &WallLink::statusReplyReceived, this, [this] {
        m_lastAnswerMs = m_clock.monotonicMs();
        refresh();
    });
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &TFormMonitor::refresh);
    refresh();
}

QImage TFormMonitor::picture(QSize size) const
{
    if (!m_model.page()) {
        // What the wall shows before this program's first page is not known here.
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        QFont font = p.font();
        font.setPixelSize(std::max(8, size.height() / 14));
        p.setFont(font);
        p.setPen(kText);
        p.drawText(image.rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Seit dem Programmstart wurde keine Seite gesendet."));
        return image;
    }
    WallMedia media;
    media.picture = {QImage(), kMediaNote, QStringLiteral("BILD")};
    media.video = {QImage(), kMediaNote, QStringLiteral("VIDEO")};
    media.live = {QImage(), kMediaNote, QStringLiteral("LIVEBILD")};
    media.camera = {QImage(), kMediaNote, QStringLiteral("KAMERA")};
    const WallTextSize text = m_link.textSize();
    return WallRenderer(size, text.columns, text.rows).render(m_model, m_clock.now(), media);
}

void TFormMonitor::bodiesSent(const wallcmd::Bodies& bodies)
{
    const qint64 nowMs = m_clock.now().toMSecsSinceEpoch();
    bool changed = false;
    for (const QByteArray& body : bodies) {
        m_model.apply(body, nowMs);
        changed = changed || changesPicture(body);
    }
    if (!changed)
        return;
    m_lastSend = m_clock.now();
    refresh();
}

void TFormMonitor::refresh()
{
    const LinkState state = m_link.state();
    const std::optional<qint64> since =
        m_lastAnswerMs ? std::optional<qint64>(m_clock.monotonicMs() - *m_lastAnswerMs) : std::nullopt;
    m_linkState->setText(linkText(state, since));
    QPalette colour = m_linkState->palette();
    colour.setColor(QPalette::WindowText, state == LinkState::Up ? kAnswering : kSilent);
    m_linkState->setPalette(colour);
    m_noLink->setVisible(state != LinkState::Up);
    QString sent = QStringLiteral("Noch nichts gesendet");
    if (m_lastSend) {
        sent = QStringLiteral("Zuletzt gesendet: ") + m_lastSend->toString(QStringLiteral("HH:mm:ss"));
        if (m_model.page())
            sent += QStringLiteral(" (%1)").arg(SendLogFormat::pageName(*m_model.page()));
    }
    m_lastSendLabel->setText(sent);
    m_picture->update();
}

void TFormMonitor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_tick.start();
    refresh();
}

void TFormMonitor::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_tick.stop();
}

void TFormMonitor::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    Q_EMIT closed();
}
