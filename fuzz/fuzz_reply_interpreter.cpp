// The wall link's reply path in the data module: a datagram (or, with the first byte odd, a plain body)
// goes through unframing and the reply interpreter. Whatever arrives, the link state stays sound.
#include "app/DModule.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_reply_interpreter";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static TDM dm(Ports{});
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    dm.setLinkLight(TLedBtnColor::LedRed);
    if (data[0] & 1)
        dm.UDPVeskReceive(QStringLiteral("127.0.0.1"), 57001, input);
    else
        dm.interpretReply(input);
    const bool status = !(data[0] & 1) && input.startsWith(QByteArrayLiteral("\x10\xFD"));
    if (status && dm.linkLight() != TLedBtnColor::LedGreen)
        __builtin_trap();
    if (dm.wallColumns() < 0 || dm.wallColumns() > 255 || dm.wallRows() < 0 || dm.wallRows() > 255)
        __builtin_trap();
    if (dm.detailsRequested()) // only the operator asks for details
        __builtin_trap();
    return 0;
}
