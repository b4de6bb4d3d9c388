#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QProgressBar;
class QWidget;
class TFtpClient;
class TSleeper;

// Shows an upload's progress on the bars of every window that is visible at that moment. Windows are
// served in the order they were added; at the end each visible window shows its bars full for a short
// moment (the event loop running) and then empty.
class TUploadProgress final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUploadProgress)
public:
    TUploadProgress(TFtpClient& ftp, TSleeper& sleeper, QObject* parent = nullptr);

    static constexpr int kFullMs = 100;

    // bars belong to window; they take part only while window is visible.
    void addWindow(QWidget* window, const QList<QProgressBar*>& bars);

    void transferBegins(qint64 total);
    void transferProgress(qint64 count);
    void transferEnds();

private:
    struct Entry
    {
        QPointer<QWidget> window;
        QList<QPointer<QProgressBar>> bars;
    };
    QList<Entry*> visibleEntries();
    int scaled(qint64 bytes) const;

    TSleeper& m_sleeper;
    QList<Entry> m_entries;
    qint64 m_divisor = 1; // bars count in int; files beyond that are shown in larger steps
};
