#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

class QLabel;
class WallMediaSource;
class WallModel;
class WallRenderer;
class WallServer;

// The virtual wall's window: the wall drawn at its own proportions, scaled to the window, with a
// status strip underneath (what came last, from whom, and what the wall answers with).
class WallWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WallWindow)
public:
    WallWindow(const WallModel& model, const WallServer& server, const WallRenderer& renderer,
               const WallMediaSource& media, QWidget* parent = nullptr);

    // Draws the wall anew and refreshes the status strip.
    void refresh();

    QImage wallImage() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect wallArea() const;

    const WallModel& m_model;
    const WallServer& m_server;
    const WallRenderer& m_renderer;
    const WallMediaSource& m_media;
    QImage m_image;
    QLabel* m_status;
    QLabel* m_records;
    QTimer m_tick;
};
