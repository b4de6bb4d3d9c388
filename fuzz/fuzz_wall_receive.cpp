// Any datagram from the network goes through unframing and unscrambling, then the status reply parser.
#include "wall_link/Crypter.h"
#include "wall_link/Frame.h"
#include "wall_link/WallCommands.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TCrypter crypter;
    const QByteArray datagram(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto body = frame::unframe(crypter, datagram)) {
        (void)wallcmd::parseStatusReply(*body);
        // Whatever came in must survive the way back out unchanged.
        const QByteArray again = frame::frameBody(crypter, *body, TCrypter::randomKey());
        if (!again.isEmpty()) {
            const auto back = frame::unframe(crypter, again);
            if (!back || *back != *body)
                __builtin_trap();
        }
    }
    return 0;
}
