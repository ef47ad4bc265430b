#pragma once

#include "host/host_ui.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The one stand-in for a person in the tests: answers the directory and file
// dialogs with scripted texts and records every message and page shown.
// Warnings are recorded with the application's caption.
class FakeHostUi : public HostUi {
public:
    struct Message {
        std::string text;
        std::string caption;
    };

    std::optional<std::string> directoryAnswer;
    std::optional<std::string> fileAnswer;
    std::vector<std::string> directoryOffers;
    std::vector<Message> messages;
    std::vector<std::string> pages;
    std::function<void(const std::string&)> onPage;  // also told of each page, when set

    std::optional<std::string> AskDirectory(const std::string& initial) override
    {
        directoryOffers.push_back(initial);
        return directoryAnswer;
    }
    std::optional<std::string> ChooseFile() override { return fileAnswer; }
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        messages.push_back({text, caption});
    }
    void ShowWarning(const std::string& text) override { messages.push_back({text, "Formulario7316"}); }
    void ShowPage(const std::string& html) override
    {
        pages.push_back(html);
        if (onPage)
            onPage(html);
    }
};
