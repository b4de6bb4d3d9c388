#include "feeds/CrypterPC1.h"
#include "feeds/LynxMessage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The input is cut into datagrams at each 0x00 byte and fed to one collector, plain and wrapped in
// "JSCrypt". The collector must never throw, never pass its bound, and a message that one datagram
// brings alone must come through the encrypted form unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    lynx::TLynxCollector plain;
    lynx::TLynxCollector wrapped;
    for (const QByteArray& datagram : input.split('\0')) {
        const bool alone = plain.collected().isEmpty();
        const auto message = plain.receive(datagram, QStringLiteral("QTX"));
        if (plain.collected().size() > lynx::kMaxCollected)
            std::abort();
        if (TCrypterPC1::decrypt(lynx::kKeyText, TCrypterPC1::encrypt(lynx::kKeyText, datagram)) != datagram)
            std::abort();
        if (!message || !alone)
            continue;
        const auto again = wrapped.receive(lynx::encryptMessage(datagram), QStringLiteral("QTX"));
        if (!again || again->parts.size() != message->parts.size() || again->error != message->error)
            std::abort();
    }
    return 0;
}
