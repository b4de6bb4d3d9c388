#pragma once

#include "wall_link/LinkState.h"
#include "wall_link/WallCommands.h"
#include "wall_view/WallModel.h"

#include <QDateTime>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <optional>

class Clock;
class QLabel;
class WallLink;

// The on-air monitor "Wandmonitor": what the wall shows now, drawn from the bodies that actually left
// for it, with the decoder and renderer of the virtual wall, at the wall's reported text size. Under the
// picture the link state in words and the time of the last send; while the wall does not answer, a band
// across the picture says the picture may be stale. It only displays: it never takes the focus, so
// typing in the launcher or a page window goes on while it updates.
class TFormMonitor final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormMonitor)
public:
    TFormMonitor(WallLink& link, const Clock& clock, QWidget* parent = nullptr);

    // The wall's picture at that pixel size, as the bodies sent so far have set it.
    QImage picture(QSize size) const;
    // The pixel proportions of the wall the picture keeps (those the virtual wall draws at).
    static QSize wallPixels() { return {768, 384}; }

Q_SIGNALS:
    // The operator closed the window.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void bodiesSent(const wallcmd::Bodies& bodies);
    void refresh();

    WallLink& m_link;
    const Clock& m_clock;
    WallModel m_model;
    std::optional<qint64> m_lastAnswerMs; // monotonic
    std::optional<QDateTime> m_lastSend;
    QWidget* m_picture;
    QLabel* m_noLink;
    QLabel* m_linkState;
    QLabel* m_lastSendLabel;
    QTimer m_tick;
};
