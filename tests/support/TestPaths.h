#pragma once

#include <QString>

namespace testsupport {
// Folder of the built executables (tools), from the environment CTest sets.
QString binaryDir();
QString sourceDir();
} // namespace testsupport
