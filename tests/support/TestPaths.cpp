#include "support/TestPaths.h"

namespace testsupport {

QString binaryDir()
{
    return qEnvironmentVariable("BRISAL_BINARY_DIR");
}

QString sourceDir()
{
    return qEnvironmentVariable("BRISAL_SOURCE_DIR");
}

} // namespace testsupport
