#pragma once

#include <optional>
#include <string>

namespace formulario {

// What the host flows need from a person. The flows decide every text,
// caption and step; an implementation only shows and asks. The desktop
// program implements it with Qt, the tests with a recording fake.
// All texts are UTF-8.

// The two answers of a yes/no question.
enum class Answer { kNo, kYes };

class HostUi {
public:
    virtual ~HostUi() = default;

    // The output directory dialog, pre-filled with `initial`.
    // The directory text on OK, nothing on Cancel or the close box.
    virtual std::optional<std::string> AskDirectory(const std::string& initial) = 0;

    // The open-file dialog "Buscar Archivo". The chosen path, or nothing.
    virtual std::optional<std::string> ChooseFile() = 0;

    // A plain message box: no icon, one OK button, the caption given.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

    // A question with the buttons "Sí" and "No", `byDefault` the one Enter
    // presses; Escape and the close box answer "No". True for "Sí".
    virtual bool AskYesNo(const std::string& text, const std::string& caption, Answer byDefault) = 0;

    // The application's warning box: title "Formulario7316", warning icon.
    virtual void ShowWarning(const std::string& text) = 0;

    // Replaces the page shown by a page text built in memory.
    virtual void ShowPage(const std::string& html) = 0;
};

}  // namespace formulario
