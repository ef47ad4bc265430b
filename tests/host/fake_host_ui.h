#pragma once

#include "host/host_ui.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

using namespace formulario;

// The one stand-in for a person in the tests: answers the dialogs with scripted
// texts, records every message (warnings marked) and page shown.
class FakeHostUi : public HostUi {
public:
    struct Message {
        std::string text, caption;
        bool warning = false;
    };

    std::optional<std::string> directoryAnswer;
    std::optional<std::string> fileAnswer;
    bool yesAnswer = false;
    std::vector<Answer> questionDefaults;  // of each question asked
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
    // Records the question, its caption "question: caption", and answers it.
    bool AskYesNo(const std::string& text, const std::string& caption, Answer byDefault) override
    {
        messages.push_back({text, "question: " + caption});
        questionDefaults.push_back(byDefault);
        return yesAnswer;
    }
    void ShowWarning(const std::string& text) override { messages.push_back({text, "Formulario7316", true}); }
    void ShowPage(const std::string& html) override
    {
        pages.push_back(html);
        if (onPage)
            onPage(html);
    }

    // The messages shown since the last call: "caption: text", "warning: text".
    std::string TakeShown()
    {
        std::string shown;
        for (const auto& message : messages)
            shown += (message.warning ? "warning" : message.caption) + ": " + message.text;
        messages.clear();
        return shown;
    }
};
