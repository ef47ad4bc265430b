#include "commands.h"

#include "host/reopen.h"
#include "render/consult_page.h"

#include <ostream>

namespace formulario {

namespace {

// The reopen flow's person at a command line: the page goes to standard
// output and every message to standard error.
class CCommandLineUi : public HostUi {
public:
    explicit CCommandLineUi(CommandStreams& streams) : m_streams(streams) {}

    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return std::nullopt; }
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        m_streams.err << caption << ": " << text << '\n';
    }
    bool AskYesNo(const std::string&, const std::string&, Answer) override { return false; }
    void ShowWarning(const std::string& text) override { m_streams.err << text << '\n'; }
    void ShowPage(const std::string& html) override { m_streams.out << html; }

private:
    CommandStreams& m_streams;
};

}  // namespace

int RunReopenCommand(ReopenMode mode, const PageBuilder& build, const CommandArguments& arguments,
                     CommandStreams& streams)
{
    const bool trace = !arguments.empty() && arguments.front() == "--trace";
    if (arguments.size() != (trace ? 2u : 1u) || arguments.back().empty()) {
        streams.err << "usage: formulario7316-cli " << (mode == ReopenMode::kConsult ? "consult" : "modify")
                    << " [--trace] FILE\n";
        return kExitUsage;
    }
    CCommandLineUi ui(streams);
    CPageText page;
    return Reopen(mode, build, arguments.back(), ui, page, trace ? &streams.err : nullptr) ? 0 : 1;
}

// formulario7316-cli consult [--trace] FILE: the read-only page of a sealed
// declaration, in UTF-8; the message the program would show, and status 1,
// when it refuses the file. --trace writes the reader's trace to the error
// stream.
int RunConsultCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    return RunReopenCommand(ReopenMode::kConsult, BuildConsultPage, arguments, streams);
}

}  // namespace formulario
