#include "feeds/SerialFrames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// First byte picks the protocol (its low bit), the rest is the line. Both decoders must accept any
// byte sequence, keep the frame buffer bounded and never produce a time text longer than 8 characters.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const auto protocol = (data[0] & 1) != 0 ? serialframes::Protocol::Rollertime : serialframes::Protocol::OmegaUnt;
    serialframes::FrameCollector collector;
    for (size_t i = 1; i < size; ++i) {
        const auto frame = collector.take(static_cast<char>(data[i]), protocol);
        if (collector.buffer().size() >= serialframes::FrameCollector::kMaxFrame) {
            std::abort();
        }
        if (!frame) {
            continue;
        }
        for (const auto& message : {serialframes::omegaUntFrame(*frame), serialframes::rollertimeFrame(*frame)}) {
            if (message && message->text.size() > 8) {
                std::abort();
            }
        }
    }
    // The decoders also take frames that never passed the collector.
    const QByteArray raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)serialframes::omegaUntFrame(raw);
    (void)serialframes::rollertimeFrame(raw);
    return 0;
}
