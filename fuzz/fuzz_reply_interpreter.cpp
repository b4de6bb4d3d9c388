// The wall link's reply path: a datagram (or, with the first byte odd, a plain body) goes through
// unframing and the reply interpreter. Whatever arrives, the link state stays sound.
#include "wall_link/WallLink.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_reply_interpreter";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static WallLink link(Ports{});
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    link.queryLifeSign(); // the endpoint is closed: the query only sets the state to waiting
    if (data[0] & 1)
        link.receive(QStringLiteral("127.0.0.1"), 57001, input);
    else
        link.interpretReply(input);
    const bool status = !(data[0] & 1) && input.startsWith(QByteArrayLiteral("\x10\xFD"));
    if (status && link.state() != LinkState::Up)
        __builtin_trap();
    const WallTextSize text = link.textSize();
    if (text.columns < 0 || text.columns > 255 || text.rows < 0 || text.rows > 255)
        __builtin_trap();
    if (link.detailsRequested()) // only the operator asks for details
        __builtin_trap();
    return 0;
}
