#include "WallWindow.h"

#include "WallMediaSource.h"
#include "WallServer.h"
#include "wall_view/WallModel.h"
#include "wall_view/WallRenderer.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr int kTickMs = 200; // clocks on the wall move every second; this keeps them on time
constexpr int kShownRecords = 6;
} // namespace

WallWindow::WallWindow(const WallModel& model, const WallServer& server, const WallRenderer& renderer,
                       const WallMediaSource& media, QWidget* parent)
    : QWidget(parent), m_model(model), m_server(server), m_renderer(renderer), m_media(media),
      m_status(new QLabel(this)), m_records(new QLabel(this))
{
    setObjectName(QStringLiteral("WallWindow"));
    setWindowTitle(QStringLiteral("wallsim - virtual wall"));
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(24, 24, 24));
    dark.setColor(QPalette::WindowText, QColor(200, 200, 200));
    setPalette(dark);

    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLabel* label : {m_status, m_records}) {
        label->setFont(mono);
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_status->setObjectName(QStringLiteral("LbStatus"));
    m_records->setObjectName(QStringLiteral("LbRecords"));
    m_records->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int lineHeight = QFontMetrics(mono).lineSpacing();
    m_records->setFixedHeight(lineHeight * kShownRecords + 4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addStretch(1); // the wall is painted into the space above the strip
    layout->addWidget(m_status);
    layout->addWidget(m_records);

    const QSize wall = m_renderer.size();
    resize(wall.width() + 12, wall.height() + 12 + lineHeight * (kShownRecords + 1) + 24);

    connect(&m_tick, &QTimer::timeout, this, &WallWindow::refresh);
    m_tick.start(kTickMs);
    refresh();
}

QRect WallWindow::wallArea() const
{
    const int stripTop = m_status->geometry().top() - 6;
    const QRect room(6, 6, width() - 12, std::max(1, stripTop - 6));
    const QSize scaled = m_renderer.size().scaled(room.size(), Qt::KeepAspectRatio);
    return QRect(room.center() - QPoint(scaled.width() / 2, scaled.height() / 2), scaled);
}

void WallWindow::refresh()
{
    m_image = m_renderer.render(m_model, QDateTime::currentDateTime(), m_media.current());
    const WallServer::Settings& s = m_server.settings();
    const QString page =
        m_model.page()
            ? QStringLiteral("%1 %2").arg(QStringLiteral("%1").arg(*m_model.page(), 2, 16, QLatin1Char('0')).toUpper(),
                                          WallModel::pageName(*m_model.page()))
            : QStringLiteral("start-up texts");
    m_status->setText(QStringLiteral("page %1 | peer %2 | answers %3 columns, %4 rows, \"%5\"%6 | %7 bodies")
                          .arg(page, m_server.peer().isEmpty() ? QStringLiteral("-") : m_server.peer())
                          .arg(s.columns)
                          .arg(s.rows)
                          .arg(s.version, s.silent ? QStringLiteral(" (silent)") : QString())
                          .arg(m_model.bodiesApplied()));
    m_records->setText(m_model.recentRecords()
                           .mid(std::max<qsizetype>(0, m_model.recentRecords().size() - kShownRecords))
                           .join(QLatin1Char('\n')));
    update();
}

void WallWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect area = wallArea();
    p.fillRect(area, Qt::black);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(area, m_image);
}
