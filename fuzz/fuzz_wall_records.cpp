// Any bytes after unscrambling reach the virtual wall's record interpreter; none may crash it. Each
// input is applied twice: as a plain body, and as a datagram through unframing first.
#include "wall_link/Crypter.h"
#include "wall_link/Frame.h"
#include "wall_view/WallModel.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TCrypter crypter;
    static WallModel model; // kept across inputs, so that state built by one body meets the next
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int before = model.bodiesApplied();
    model.apply(bytes, static_cast<qint64>(size));
    if (model.recentRecords().size() > WallModel::kRecentRecords || model.bodiesApplied() < before)
        __builtin_trap();
    if (const auto body = frame::unframe(crypter, bytes))
        model.apply(*body, 0);
    return 0;
}
