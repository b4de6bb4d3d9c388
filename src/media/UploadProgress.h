#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QAbstractButton;
class QProgressBar;
class QWidget;
class TMediaUpload;

// Shows an upload's progress on the bars of every window that is visible at that moment, and keeps the
// windows' upload controls in step: every "Abbrechen" is on while an upload runs and ends it, and the
// controls that would start another upload or send a page wait meanwhile. At the end of a transfer the
// visible windows show their bars full for a short moment, then empty; a failed or cancelled transfer
// empties them at once.
class TUploadProgress final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUploadProgress)
public:
    explicit TUploadProgress(TMediaUpload& upload, QObject* parent = nullptr);

    static constexpr int kFullMs = 100;

    // bars belong to window; they take part only while window is visible.
    void addWindow(QWidget* window, const QList<QProgressBar*>& bars);
    // cancel ends the running upload; held are disabled while one runs, whatever their own state.
    void addUploadControls(QAbstractButton* cancel, const QList<QWidget*>& held);

    void transferBegins(qint64 total);
    void transferProgress(qint64 count);
    void transferEnds();
    void transferFailed();

private:
    struct Entry
    {
        QPointer<QWidget> window;
        QList<QPointer<QProgressBar>> bars;
    };
    QList<Entry*> visibleEntries();
    int scaled(qint64 bytes) const;
    void uploadBusy(bool busy);
    void emptyAll();

    TMediaUpload& m_upload;
    QList<Entry> m_entries;
    QList<QPointer<QAbstractButton>> m_cancelButtons;
    QList<QPointer<QWidget>> m_held;
    QTimer m_fullFor;
    qint64 m_divisor = 1; // bars count in int; files beyond that are shown in larger steps
};
