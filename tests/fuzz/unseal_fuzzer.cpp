// Unsealing arbitrary text: any status, described, and XML only when ok;
// then the declaration read from it, as reopening reads a file.
#include "declfile/declaration.h"
#include "declfile/seal_codec.h"

using namespace formulario;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view sealed(reinterpret_cast<const char*>(data), size);
    const CResult<std::string> xml = CSealCodec().Unseal(sealed);
    const CStatus& status = xml.status();
    if (status.Code() < 0 || status.Code() > 4 || status.Describe().empty())
        __builtin_trap();
    // Reading the declaration fails for an unsealing cause exactly when unsealing failed.
    const CResult<Declaration> read = ReadSealedDeclaration(sealed);
    const bool unsealingCause = read.status().cause() >= Cause::kCheckMismatch
        && read.status().cause() <= Cause::kNoMemoryToDecode;
    if (read.status().Describe().empty() || (!xml.ok() && !(read.status() == status)) || (xml.ok() && unsealingCause))
        __builtin_trap();
    return 0;
}
