#pragma once

// Runs Consult and Modify over a sealed text, as if the user had chosen a
// file holding it, with a host that answers every question at once.

#include "declfile/reopen.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

class SilentUi : public HostUi {
public:
    explicit SilentUi(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return path_; }
    void ShowMessage(const std::string&, const std::string&) override {}
    void ShowWarning(const std::string&) override {}
    void ShowPage(const std::string& html) override
    {
        if (html.rfind("<html>", 0) != 0)
            __builtin_trap();
    }

private:
    std::string path_;
};

inline void ReopenBothWays(std::string_view sealed)
{
    static const std::string path =
        "/tmp/formulario7316-fuzz-" + std::to_string(::getpid()) + ".dat";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(sealed.data(), static_cast<std::streamsize>(sealed.size()));
    SilentUi ui(path);
    CPageText page;
    Reopen(ReopenMode::Consult, BuildConsultPage, ui, page);
    Reopen(ReopenMode::Modify, BuildModifyPage, ui, page);
}
