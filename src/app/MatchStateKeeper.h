#pragma once

#include "shell/MatchStateFile.h"

#include <QObject>
#include <QTimer>

class ErrorReport;
class TFormAmericanFootball;
class TFormSocker;
class TFormSpielUndSatz;
class TFormTextbox;

// Keeps the match state in its file: restores the windows from it when built, then writes it after
// every change, a burst of changes (typing, a running game clock) coalesced into one write, and once
// more when it ends if a write is still due. A damaged file and a failed write reach the operator once,
// after the event loop has started; the program runs on either way.
class MatchStateKeeper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchStateKeeper)
public:
    struct Windows
    {
        TFormSocker& socker;
        TFormAmericanFootball& football;
        TFormSpielUndSatz& gameAndSet;
        TFormTextbox& textbox;
    };

    MatchStateKeeper(const Windows& windows, const QString& file, ErrorReport& report);
    ~MatchStateKeeper() override;

    // Writes now if a change is still unwritten.
    void flush();

    static constexpr int kCoalesceMs = 200;

private:
    MatchState collect() const;
    void apply(const MatchState& state);
    void write();
    void tell(const QString& text);

    Windows m_windows;
    MatchStateFile m_file;
    ErrorReport& m_report;
    QTimer m_due;
    bool m_failed = false; // the last write failed and was reported
};
