// Unsealing arbitrary text: any status, described, and XML only when ok;
// then the declaration read from it, as reopening reads a file.
#include "declfile/declaration.h"
#include "declfile/seal_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view sealed(reinterpret_cast<const char*>(data), size);
    std::string xml;
    const UnsealStatus status = CSealCodec().Unseal(sealed, xml);
    if (status.Code() < 0 || status.Code() > 4 || status.Describe().empty() || (!status.ok() && !xml.empty()))
        __builtin_trap();
    Declaration declaration;
    const DeclarationStatus read = ReadSealedDeclaration(sealed, declaration);
    if (read.Describe().empty() || (status.ok() != (read.kind() != DeclarationStatus::Kind::kNotSealed)))
        __builtin_trap();
    return 0;
}
