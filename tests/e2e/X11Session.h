#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>

// A virtual X display (Xvfb) for end-to-end tests of the real program, with the two things tests do
// on it: find a top-level window by its title and take a screenshot of the whole screen.
class X11Session
{
public:
    // Whether this machine has what the session needs (Xvfb, xvfb-run's package, xdotool, import).
    static bool available();

    X11Session() = default;
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // Starts Xvfb on a free display number (1280 x 800, 24 bit). False when it does not come up.
    bool start();
    QString display() const { return m_display; }

    // Geometry of the first top-level window with exactly this title, or an empty rectangle.
    QRect windowGeometry(const QString& title) const;
    int windowCount(const QString& title) const;
    QImage screenshot() const;

private:
    QString run(const QString& program, const QStringList& arguments) const;

    QProcess m_xvfb;
    QString m_display;
};
