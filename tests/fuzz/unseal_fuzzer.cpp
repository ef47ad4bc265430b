// Unsealing arbitrary text: any result code, and XML only with code 0.
#include "declfile/seal_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    std::string xml;
    const int code = CSealCodec().Unseal(std::string_view(reinterpret_cast<const char*>(data), size), xml);
    if (code < 0 || code > 4 || (code != kUnsealOk && !xml.empty()))
        __builtin_trap();
    return 0;
}
