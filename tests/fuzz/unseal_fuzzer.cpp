// Unsealing arbitrary text: any result code, never a crash.
#include "declfile/seal_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string xml;
    const int code = CSealCodec().Unseal(
        std::string_view(reinterpret_cast<const char*>(data), size), xml);
    if (code < 0 || code > 4 || (code != kUnsealOk && !xml.empty()))
        __builtin_trap();
    return 0;
}
