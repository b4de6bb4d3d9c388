#pragma once

#include "wall_link/WallSink.h"
#include "wall_view/WallModel.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QWidget;

// Whether a window holds what the wall does not show yet. Every send of the window goes through this
// object (it is the window's wall sink): it keeps the wall as those sends have set it and compares it
// with the wall as it would be if "Anzeigen" were pressed now. The mark on "Anzeigen" is a dot in its
// corner and a line in its tool tip; the window shows nothing else differently.
class TUnsentChanges final : public QObject, public WallSink
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUnsentChanges)
public:
    // What the window holds: the bodies "Anzeigen" would send now (none: nothing to show), and for a
    // picture or video, which one is loaded, since the bodies do not say it.
    struct Held
    {
        wallcmd::Bodies bodies;
        QByteArray media;
    };

    static const QString kNote; // "Änderungen noch nicht angezeigt"

    TUnsentChanges(WallSink& wall, QObject* parent);

    void setHeld(std::function<Held()> held);
    // Marks button while there are unsent changes.
    void markOn(QAbstractButton* button);
    // Compares anew when any text box, up/down control, button, drop-down list or editor inside widget
    // changes.
    void watchInputs(QWidget* widget);
    // Compares anew; for changes that no watched control signals.
    void update();
    bool unsent() const { return m_unsent; }

    void send(const wallcmd::Bodies& bodies) override;
    QString address() const override;
    WallTextSize textSize() const override;

Q_SIGNALS:
    // Once control is back in the event loop, and only when the state differs from the one last told: a
    // handler that changes a value and sends it at once tells nothing.
    void changed(bool unsent);

private:
    bool onAir(const wallcmd::Bodies& bodies) const;
    void showMark();

    WallSink& m_wall;
    WallModel m_sent;       // the wall as this window's sends have set it
    QByteArray m_mediaSent; // the picture or video held when its page went out
    std::function<Held()> m_held;
    bool m_unsent = false;
    bool m_told = false;
    QTimer* m_tell;
    QPointer<QAbstractButton> m_button;
    QWidget* m_dot = nullptr;
};
