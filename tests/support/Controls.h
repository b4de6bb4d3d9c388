#pragma once

#include <QObject>
#include <QString>

namespace testsupport {
// The control of that objectName inside window; a missing one ends the test program with its name.
template <typename T> T* control(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}
} // namespace testsupport

template <typename T> T* child(const QObject& window, const char* name)
{
    return testsupport::control<T>(window, name);
}
