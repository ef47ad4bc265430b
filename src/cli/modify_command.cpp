#include "commands.h"

#include "host/reopen.h"
#include "render/modify_page.h"

namespace formulario {

// formulario7316-cli modify [--trace] FILE: the editable page of a sealed
// declaration, in UTF-8; the message the program would show, and status 1,
// when it refuses the file.
int RunModifyCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    return RunReopenCommand(ReopenMode::kModify, BuildModifyPage, arguments, streams);
}

}  // namespace formulario
