#pragma once

#include "host/host_ui.h"

#include <optional>
#include <string>
#include <vector>

// Answers the directory dialog with a scripted text and records every
// message box.
class FakeHostUi : public HostUi {
public:
    struct Message {
        std::string text;
        std::string caption;
    };

    std::optional<std::string> directoryAnswer;
    std::vector<std::string> directoryOffers;
    std::vector<Message> messages;

    std::optional<std::string> AskDirectory(const std::string& initial) override
    {
        directoryOffers.push_back(initial);
        return directoryAnswer;
    }
    std::optional<std::string> ChooseFile() override { return std::nullopt; }
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        messages.push_back({text, caption});
    }
    void ShowWarning(const std::string& text) override { messages.push_back({text, "Formulario7316"}); }
    void ShowPage(const std::string&) override {}
};
