// Consult and Modify on a file holding arbitrary text.
#include "reopen_target.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReopenBothWays(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
