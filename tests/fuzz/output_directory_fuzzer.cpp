// The output directory rules on arbitrary NITs and chosen directories. Only
// the checks and the composition run: nothing is created on disk.
#include "host/output_directory.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace formulario;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string nit = input.substr(0, split);
    const std::string chosen = split == std::string::npos ? std::string() : input.substr(split + 1);
    const OutputPlace place{"/tmp/", "/"};
    if (!IsPlainFileName(nit))
        return 0;
    if (nit.find('/') != std::string::npos)
        __builtin_trap();
    TaxpayerDirectory(chosen, nit, place);
    TaxpayerDirectory(place.defaultDirectory, nit, place);
    return 0;
}
