#pragma once

#include "shell/OperatorError.h"

#include <QHash>
#include <QList>
#include <QString>

#include <exception>
#include <functional>

class QWidget;

// The program's general error report and its other operator message boxes. The program shows real
// message boxes; tests hand in a recorder so that nothing blocks.
class ErrorReport
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Critical
    };

    virtual ~ErrorReport() = default;

    // One message box; an empty caption means the program's name.
    void showMessage(Icon icon, const QString& caption, const QString& text, bool onTop = false)
    {
        if (m_shown)
            m_shown(icon, caption, text);
        present(icon, caption, text, onTop);
    }

    // Hears of every message before it shows (the send log keeps them); an empty function: no one.
    using Listener = std::function<void(Icon icon, const QString& caption, const QString& text)>;
    void setListener(Listener listener) { m_shown = std::move(listener); }

    // An error that ended an operator's action: a message box with its text.
    void report(const QString& text) { showMessage(Icon::Critical, QString(), text); }

    // Runs one operator action; an exception ends it and is reported here instead of crossing the event
    // loop. True when the action ran to its end.
    template <class Action> bool run(Action&& action) noexcept
    {
        try {
            action();
            return true;
        } catch (const OperatorError& e) {
            report(e.text());
        } catch (const std::exception& e) {
            report(QString::fromUtf8(e.what()));
        } catch (...) {
            report(QStringLiteral("Unbekannter Fehler"));
        }
        return false;
    }

protected:
    virtual void present(Icon icon, const QString& caption, const QString& text, bool onTop) = 0;

private:
    Listener m_shown;
};

// Keeps a storm of reports to one box at a time per kind (icon and caption; a reporter that wants kinds of
// its own keeps its own instance). A modal box runs the event loop, so feeds go on reporting while it is
// open: those reports are counted instead of stacking boxes, and when the box closes one box follows with
// the latest text and the count, "… (12 weitere)".
class CoalescingReport final : public ErrorReport
{
public:
    explicit CoalescingReport(ErrorReport& target) : m_target(target) {}

protected:
    void present(Icon icon, const QString& caption, const QString& text, bool onTop) override;

private:
    struct Held
    {
        QString latest;
        int count = 0;
    };

    ErrorReport& m_target;
    QHash<QString, Held> m_open; // by kind, while its box is open
};

// Real message boxes, parented to the active window.
class MessageBoxReport final : public ErrorReport
{
protected:
    void present(Icon icon, const QString& caption, const QString& text, bool onTop) override;
};

// Keeps every message for tests to read.
class RecordingReport final : public ErrorReport
{
public:
    struct Entry
    {
        Icon icon;
        QString caption;
        QString text;
        bool onTop;
    };
    QStringList texts() const
    {
        QStringList all;
        for (const Entry& e : entries)
            all << e.text;
        return all;
    }

    QList<Entry> entries;

protected:
    void present(Icon icon, const QString& caption, const QString& text, bool onTop) override
    {
        entries.append({icon, caption, text, onTop});
    }
};
