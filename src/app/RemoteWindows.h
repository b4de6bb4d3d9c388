#pragma once

#include "remote/RemoteControl.h"

#include <QImage>

#include <functional>

class QDialog;
class TFormAmericanFootball;
class TFormMain;
class TFormSocker;
class TFormSpielUndSatz;
class TFormTextbox;
class TFormWatch;
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
        QDialog& picture;
        QDialog& video;
        QDialog& timing;
    };

    RemoteWindows(const Windows& windows, WallLink& link);

    // The on-air monitor's picture; without one, monitor.png has nothing to show.
    void setPicture(std::function<QImage()> picture) { m_picture = std::move(picture); }

    RemoteStatus status() const override;
    bool pageEnabled(remote::PageKind page) const override;
    bool apply(const remote::PageCommand& command) override;
    void erase() override;
    QByteArray monitorPng() const override;

private:
    QDialog* shownWindow() const;
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
