// Reading arbitrary bytes as a draft file.
#include "host/draft_store.h"

using namespace formulario;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const CResult<Draft> read = ReadDraftText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (read.ok()) {
        // What was read is a form's draft, and writes back to the same draft.
        const Draft& draft = *read;
        const CResult<Draft> again = ReadDraftText(DraftText(draft));
        if (!again.ok() || !(*again == draft))
            __builtin_trap();
        for (const DraftField& field : draft.fields)
            if (!IsFormField(field.name, draft.annexRows))
                __builtin_trap();
    }
    return 0;
}
