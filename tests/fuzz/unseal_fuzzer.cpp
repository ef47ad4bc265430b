// Unsealing arbitrary text: any status, described, and XML only when ok.
#include "declfile/seal_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    std::string xml;
    const UnsealStatus status = CSealCodec().Unseal(std::string_view(reinterpret_cast<const char*>(data), size), xml);
    if (status.Code() < 0 || status.Code() > 4 || status.Describe().empty() || (!status.ok() && !xml.empty()))
        __builtin_trap();
    return 0;
}
