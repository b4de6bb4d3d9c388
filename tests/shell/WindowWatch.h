#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Modal windows block the code that opens them, so a test cannot look at them from outside. A
// WindowWatch polls from inside whatever event loop runs (every 5 ms) for a visible window that the
// finder returns, and runs the action on it once per showing, usually to look and then close it.
class WindowWatch final : public QObject
{
public:
    using Finder = std::function<QWidget*()>;
    using Action = std::function<void(QWidget&)>;

    WindowWatch(Finder finder, Action action) : m_finder(std::move(finder)), m_action(std::move(action))
    {
        connect(&m_timer, &QTimer::timeout, this, &WindowWatch::poll);
        m_timer.start(5);
    }

    // A window by object name among the visible top-level windows.
    static Finder named(const QString& objectName)
    {
        return [objectName]() -> QWidget* {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && w->objectName() == objectName)
                    return w;
            }
            return nullptr;
        };
    }
    static Finder window(QWidget& w)
    {
        return [&w]() -> QWidget* { return w.isVisible() ? &w : nullptr; };
    }

    int showings() const { return m_showings; }

private:
    void poll()
    {
        QWidget* w = m_finder();
        if (!w) {
            m_seen = nullptr;
            return;
        }
        if (w == m_seen || m_busy)
            return;
        m_seen = w;
        ++m_showings;
        m_busy = true;
        m_action(*w);
        m_busy = false;
        if (!w->isVisible())
            m_seen = nullptr;
    }

    Finder m_finder;
    Action m_action;
    QTimer m_timer;
    QWidget* m_seen = nullptr;
    int m_showings = 0;
    bool m_busy = false;
};
