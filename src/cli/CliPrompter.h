#pragma once

#include <string>
#include <vector>

#include "commands/Prompter.h"

namespace lh::cli {

// The commands' message boxes without a screen: notices are kept for the command to report, and
// every question gets the answer the command line gave.
class CliPrompter final : public commands::Prompter {
public:
    explicit CliPrompter(Answer questions = Answer::No) : m_answer(questions) {}

    Answer ask(const Message& message) override {
        if (message.buttons == Buttons::Ok) {
            notices.push_back(message.text);
            return Answer::Ok;
        }
        return m_answer;
    }

    std::vector<std::string> notices;

private:
    Answer m_answer;
};

}  // namespace lh::cli
