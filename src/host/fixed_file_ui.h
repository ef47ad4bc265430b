#pragma once

#include "host/host_ui.h"

#include <string>
#include <utility>

// A person who has already chosen the file: a file named on the command line
// or handed over by the file manager. Everything else goes to `inner`.
class FixedFileUi : public HostUi {
public:
    FixedFileUi(HostUi& inner, std::string path) : m_inner(inner), m_path(std::move(path)) {}

    std::optional<std::string> AskDirectory(const std::string& initial) override
    {
        return m_inner.AskDirectory(initial);
    }
    std::optional<std::string> ChooseFile() override { return m_path; }
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        m_inner.ShowMessage(text, caption);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        return m_inner.AskYesNo(text, caption);
    }
    void ShowWarning(const std::string& text) override { m_inner.ShowWarning(text); }
    void ShowPage(const std::string& html) override { m_inner.ShowPage(html); }

private:
    HostUi& m_inner;
    std::string m_path;
};
