// Consult and Modify on a correctly sealed file holding arbitrary XML, so the
// reader and both page builders see every shape of declaration.
#include "declfile/seal.h"
#include "reopen_target.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto sealed = SealDeclaration(std::string_view(reinterpret_cast<const char*>(data), size));
    if (sealed)
        ReopenBothWays(*sealed);
    return 0;
}
