#include "media/UploadProgress.h"

#include "media/MediaUpload.h"

#include <QAbstractButton>
#include <QProgressBar>
#include <QWidget>

#include <limits>

TUploadProgress::TUploadProgress(TMediaUpload& upload, QObject* parent) : QObject(parent), m_upload(upload)
{
    m_fullFor.setSingleShot(true);
    m_fullFor.setInterval(kFullMs);
    connect(&m_fullFor, &QTimer::timeout, this, &TUploadProgress::emptyAll);
    connect(&upload.Ftp, &TFtpClient::WorkBegin, this, &TUploadProgress::transferBegins);
    connect(&upload.Ftp, &TFtpClient::Work, this, &TUploadProgress::transferProgress);
    connect(&upload.Ftp, &TFtpClient::WorkEnd, this, &TUploadProgress::transferEnds);
    connect(&upload.Ftp, &TFtpClient::finished, this, [this](const QString& error) {
        if (!error.isEmpty())
            transferFailed();
    });
    connect(&upload, &TMediaUpload::busyChanged, this, &TUploadProgress::uploadBusy);
}

void TUploadProgress::addWindow(QWidget* window, const QList<QProgressBar*>& bars)
{
    Entry e;
    e.window = window;
    for (QProgressBar* b : bars)
        e.bars.append(b);
    m_entries.append(e);
}

void TUploadProgress::addUploadControls(QAbstractButton* cancel, const QList<QWidget*>& held)
{
    m_cancelButtons.append(cancel);
    cancel->setEnabled(m_upload.busy());
    connect(cancel, &QAbstractButton::clicked, &m_upload, &TMediaUpload::cancel);
    for (QWidget* w : held) {
        m_held.append(w);
        w->setEnabled(!m_upload.busy());
    }
}

QList<TUploadProgress::Entry*> TUploadProgress::visibleEntries()
{
    QList<Entry*> visible;
    for (Entry& e : m_entries) {
        if (e.window && e.window->isVisible())
            visible.append(&e);
    }
    return visible;
}

int TUploadProgress::scaled(qint64 bytes) const
{
    return static_cast<int>(bytes / m_divisor);
}

void TUploadProgress::uploadBusy(bool busy)
{
    for (QAbstractButton* b : std::as_const(m_cancelButtons)) {
        if (b)
            b->setEnabled(busy);
    }
    for (QWidget* w : std::as_const(m_held)) {
        if (w)
            w->setEnabled(!busy);
    }
}

void TUploadProgress::transferBegins(qint64 total)
{
    m_fullFor.stop();
    m_divisor = total / std::numeric_limits<int>::max() + 1;
    for (Entry* e : visibleEntries()) {
        for (QProgressBar* b : e->bars) {
            if (!b)
                continue;
            b->setVisible(true);
            b->setRange(0, scaled(total));
            b->setValue(0);
        }
    }
}

void TUploadProgress::transferProgress(qint64 count)
{
    for (Entry* e : visibleEntries()) {
        for (QProgressBar* b : e->bars) {
            if (b)
                b->setValue(scaled(count));
        }
    }
}

void TUploadProgress::transferEnds()
{
    for (Entry* e : visibleEntries()) {
        if (e->bars.isEmpty() || !e->bars.first())
            continue;
        const int full = e->bars.first()->maximum();
        for (QProgressBar* b : e->bars) {
            if (b)
                b->setValue(full);
        }
    }
    m_fullFor.start();
}

void TUploadProgress::transferFailed()
{
    m_fullFor.stop();
    emptyAll();
}

void TUploadProgress::emptyAll()
{
    // Windows hidden meanwhile too; bars that show nothing stay untouched.
    for (Entry& e : m_entries) {
        for (QProgressBar* b : e.bars) {
            if (b && b->value() > 0)
                b->setValue(0);
        }
    }
}
