#include "feeds/CosaMessages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The input is cut into datagrams at every 0x00 byte. The receiver must stay bounded and every payload
// it completes, like any byte sequence at all, must parse into a message of bounded size.
namespace {

// Rows beyond the 1000 a count may ask for per list must each be paid for with a field of the payload.
void checkBounded(const cosa::Message& m, const QByteArray& payload)
{
    if (m.lines.size() > cosa::kMaxFreeLines || m.rows.size() > 3 * cosa::kMaxEntries + payload.size() ||
        m.gridRows < static_cast<int>(m.rows.size()) || m.gridRows < 0) {
        std::abort();
    }
}

// The head alone must tell what the whole message does to the list grid.
void checkListEffect(const cosa::Message& m, const QByteArray& payload)
{
    const bool list =
        m.kind == cosa::Kind::StartList || m.kind == cosa::Kind::ResultList || m.kind == cosa::Kind::MedalList;
    const cosa::ListEffect expected = !list              ? cosa::ListEffect::None
                                      : m.rows.isEmpty() ? cosa::ListEffect::Part
                                                         : cosa::ListEffect::Whole;
    if (cosa::listEffect(payload) != expected) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    cosa::CosaReceiver receiver;
    for (const QByteArray& datagram : input.split('\0')) {
        for (const QByteArray& payload : receiver.feed(datagram)) {
            if (payload.size() < 2 || !payload.endsWith(';')) {
                std::abort();
            }
            const cosa::Message m = cosa::parseMessage(payload);
            checkBounded(m, payload);
            checkListEffect(m, payload);
        }
        if (receiver.buffer().size() > cosa::CosaReceiver::kMaxMessageBytes) {
            std::abort();
        }
    }
    checkBounded(cosa::parseMessage(input), input);
    return 0;
}
