#pragma once

#include <QString>

namespace testsupport {
// A UDP port that was free a moment ago on 127.0.0.1.
quint16 freeUdpPort();
// Folder of the built executables (tools), from the environment CTest sets.
QString binaryDir();
QString sourceDir();
} // namespace testsupport
