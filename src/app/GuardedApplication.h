#pragma once

#include "shell/ErrorReport.h"

#include <QApplication>

// The program's application object. Handlers catch their own errors; an exception that still escapes an
// event handler ends only that event and reaches the general error report instead of ending the program.
class GuardedApplication final : public QApplication
{
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    void setErrorReport(ErrorReport* report) { m_report = report; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (!m_report)
            return QApplication::notify(receiver, event);
        bool handled = false;
        m_report->run([&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }

private:
    ErrorReport* m_report = nullptr;
};
