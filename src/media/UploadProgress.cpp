#include "media/UploadProgress.h"

#include "media/FtpClient.h"
#include "wall_link/Sleeper.h"

#include <QProgressBar>
#include <QWidget>

#include <limits>

TUploadProgress::TUploadProgress(TFtpClient& ftp, TSleeper& sleeper, QObject* parent)
    : QObject(parent), m_sleeper(sleeper)
{
    connect(&ftp, &TFtpClient::WorkBegin, this, &TUploadProgress::transferBegins);
    connect(&ftp, &TFtpClient::Work, this, &TUploadProgress::transferProgress);
    connect(&ftp, &TFtpClient::WorkEnd, this, &TUploadProgress::transferEnds);
}

void TUploadProgress::addWindow(QWidget* window, const QList<QProgressBar*>& bars)
{
    Entry e;
    e.window = window;
    for (QProgressBar* b : bars)
        e.bars.append(b);
    m_entries.append(e);
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

void TUploadProgress::transferBegins(qint64 total)
{
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
    // The list is taken anew for every window: a window may be hidden during another one's wait.
    for (int i = 0; i < m_entries.size(); ++i) {
        Entry& e = m_entries[i];
        if (!e.window || !e.window->isVisible() || e.bars.isEmpty() || !e.bars.first())
            continue;
        const int full = e.bars.first()->maximum();
        for (QProgressBar* b : e.bars) {
            if (b)
                b->setValue(full);
        }
        m_sleeper.Sleep(kFullMs);
        for (QProgressBar* b : e.bars) {
            if (b)
                b->setValue(0);
        }
    }
}
