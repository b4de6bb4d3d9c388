#pragma once

#include "remote/RemoteControl.h"
#include "shell/Main.h"

#include <QImage>

#include <functional>

class QDialog;
class TFormAmericanFootball;
class TFormSocker;
class TFormSpielUndSatz;
class TFormTextbox;
class TFormWatch;
class TPageForm;
class WallLink;

// The remote control acting on the program's own windows: a page opened through the launcher's page
// switch, values entered through the windows' methods, "Anzeigen" and "Löschen" pressed as the operator
// presses them. So the operator sees every remote change, and the wall gets exactly what the windows send.
class RemoteWindows final : public RemoteControl
{
public:
    struct Windows
    {
        TFormMain& main;
        TFormWatch& watch;
        TFormSocker& socker;
        TFormAmericanFootball& americanFootball;
        TFormTextbox& textbox;
        TFormSpielUndSatz& spielUndSatz;
        // The other windows the launcher opens, for their "Löschen".
        TPageForm& picture;
        TPageForm& video;
        TPageForm& timing;
    };

    RemoteWindows(const Windows& windows, WallLink& link);

    // The on-air monitor's picture; without one, monitor.png has nothing to show.
    void setPicture(std::function<QImage()> picture) { m_picture = std::move(picture); }
    // Hears when a window comes to hold changes "Anzeigen" has not sent, or no longer does.
    void setUnsentListener(const std::function<void(const QString& page, bool unsent)>& listener);

    RemoteStatus status() const override;
    bool pageEnabled(remote::PageKind page) const override;
    bool apply(const remote::PageCommand& command) override;
    void erase() override;
    QByteArray monitorPng() const override;

private:
    // A window the launcher opens, with its name in the remote control.
    struct Entry
    {
        TFormMain::Page page;
        QDialog* window;
        QString name;
    };
    QList<Entry> entries() const;
    std::optional<Entry> shown() const;
    void enter(const remote::ClockCommand& c);
    void enter(const remote::SoccerCommand& c);
    void enter(const remote::FootballCommand& c);
    void enter(const remote::TextCommand& c);
    void enter(const remote::SetsCommand& c);

    Windows m_windows;
    WallLink& m_link;
    QString m_version; // from the wall's last status reply
    std::function<QImage()> m_picture;
};
