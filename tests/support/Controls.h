#pragma once

#include <QObject>

// A control by its objectName; a missing one ends the test program with its name.
template <typename T> T* child(QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}
