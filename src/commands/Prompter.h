#pragma once

#include <string>

namespace lh::commands {

// Everything the user must answer or read goes through a Prompter: the program's message boxes,
// with their fixed texts. The GUI shows real boxes; tests answer from a script.
class Prompter {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Question, Warning, Stop };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message {
        std::string text;
        std::string caption = "Linkhaven";
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::Information;
        // More words beside `text` (a message box's informative text): the program's own texts
        // stay as they are, and what they leave unsaid goes here.
        std::string detail = {};
    };

    virtual ~Prompter() = default;
    // Shows `message` and waits for the answer. A box closed without a choice answers Cancel
    // (or No where there is no Cancel, Ok where there is only Ok).
    virtual Answer ask(const Message& message) = 0;

    // A plain message with an OK button.
    void tell(const std::string& text, Icon icon = Icon::Information) {
        ask(Message{text, "Linkhaven", Buttons::Ok, icon});
    }
};

}  // namespace lh::commands
