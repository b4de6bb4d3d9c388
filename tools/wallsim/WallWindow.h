#pragma once

#include <QWidget>

class QPlainTextEdit;
class WallModel;
class WallServer;

// The virtual wall's window: lists what the wall received.
class WallWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WallWindow)
public:
    WallWindow(const WallModel& model, const WallServer& server, QWidget* parent = nullptr);

    void bodyApplied(const QByteArray& body);

private:
    const WallModel& m_model;
    const WallServer& m_server;
    QPlainTextEdit* m_received;
};
