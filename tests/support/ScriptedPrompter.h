#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/FileChooser.h"
#include "commands/Prompter.h"

namespace lh::test {

// Answers message boxes from a queue and records every message shown. A box that comes when no
// answer is queued fails the test (it would have blocked a user).
class ScriptedPrompter final : public commands::Prompter {
public:
    std::deque<Answer> answers;
    std::vector<Message> shown;
    // Called with each message as it shows (may be empty).
    std::function<void(const Message&)> onShow;

    Answer ask(const Message& message) override {
        shown.push_back(message);
        if (onShow) {
            onShow(message);
        }
        if (message.buttons == Buttons::Ok && answers.empty()) {
            return Answer::Ok;  // a plain notice needs no scripted answer
        }
        if (answers.empty()) {
            throw std::logic_error("unexpected question: " + message.text);
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out(shown.size());
        std::transform(shown.begin(), shown.end(), out.begin(), [](auto& m) { return m.text; });
        return out;
    }
};

// Answers file dialogs from a queue (nothing = the user cancelled) and records each request.
class ScriptedFileChooser final : public commands::FileChooser {
public:
    std::deque<std::optional<std::string>> answers;
    std::vector<std::pair<std::string, Request>> requests;  // kind ("open", "save", "folder")

    std::optional<std::string> chooseFileToOpen(const Request& r) override {
        return next("open", r);
    }
    std::optional<std::string> chooseFileToSave(const Request& r) override {
        return next("save", r);
    }
    std::optional<std::string> chooseFolder(const Request& r) override { return next("folder", r); }

private:
    std::optional<std::string> next(const char* kind, const Request& r) {
        requests.emplace_back(kind, r);
        if (answers.empty()) {
            throw std::logic_error(std::string("unexpected ") + kind + " dialog: " + r.title);
        }
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace lh::test
