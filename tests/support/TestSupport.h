#pragma once

#include "support/TestPaths.h"

namespace testsupport {
// A UDP port that was free a moment ago on 127.0.0.1.
quint16 freeUdpPort();
} // namespace testsupport
