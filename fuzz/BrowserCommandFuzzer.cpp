// Feeds arbitrary text to the browser-command splitting. Words that come out, quoted again,
// split into the same words; the field codes of a desktop entry's Exec= value never come back;
// and a planned start keeps the address whole or cut, within the command-line limit.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "browse/BrowserCommand.h"
#include "text/Utf8.h"

namespace {

using Words = std::vector<std::string>;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The words as a command line, each in single quotes ('\'' stands for a quote inside).
std::string singleQuoted(const Words& words) {
    std::string line;
    for (const std::string& word : words) {
        line += line.empty() ? "'" : " '";
        for (const char c : word) {
            line += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        line += '\'';
    }
    return line;
}

// The words as a command line, each in double quotes with " \ $ ` and line feed escaped, and
// tabs between them.
std::string doubleQuoted(const Words& words) {
    std::string line;
    for (const std::string& word : words) {
        line += "\t\"";
        for (const char c : word) {
            if (std::string_view("\"\\$`\n").find(c) != std::string_view::npos) {
                line += '\\';
            }
            line += c;
        }
        line += '"';
    }
    return line;
}

// The words as an Exec= value: "%" doubled, so no word reads as a field code.
std::string execValue(const Words& words) {
    Words escaped;
    for (const std::string& word : words) {
        std::string& e = escaped.emplace_back();
        for (const char c : word) {
            e += c == '%' ? std::string("%%") : std::string(1, c);
        }
    }
    return singleQuoted(escaped);
}

void checkSplit(std::string_view command) {
    const auto words = lh::browse::splitCommand(command);
    if (!words) {
        return;
    }
    check(lh::browse::splitCommand(singleQuoted(*words)) == *words);
    check(lh::browse::splitCommand(doubleQuoted(*words)) == *words);
}

void checkExec(std::string_view exec) {
    const auto words = lh::browse::desktopExecCommand(exec);
    if (!words) {
        return;
    }
    check(!words->empty());
    for (const std::string& word : *words) {
        check(!word.empty());
    }
    check(words->size() <= lh::browse::splitCommand(exec)->size());
    check(lh::browse::desktopExecCommand(execValue(*words)) == *words);
}

void checkPlan(std::string_view address, std::string_view command) {
    const lh::browse::LaunchPlan plan = lh::browse::planOpenUrlWithCommand(address, command);
    if (!plan.ok()) {
        return;
    }
    const auto words = lh::browse::splitCommand(command);
    check(words && !words->empty() && plan.program == words->front());
    check(plan.arguments.size() == words->size());
    const std::string& sent = plan.arguments.back();
    check(address.substr(0, sent.size()) == sent);
    check(address.empty() ||
          (address.front() != '-' &&
           address.find_first_of(std::string_view("\0\n\r", 3)) == std::string_view::npos));
    const std::size_t room = command.size() + 2 < lh::browse::kMaxCommandLine
                                 ? lh::browse::kMaxCommandLine - command.size() - 2
                                 : 0;
    check(sent.size() <= room);
    // Cut only to make room, and then on a character boundary of valid UTF-8.
    check(sent.size() == address.size() ||
          (!lh::text::isValidUtf8(address) || lh::text::isValidUtf8(sent)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkSplit(text);
    checkExec(text);
    // The first line is the browser command, the rest the address.
    const std::size_t eol = std::min(text.find('\n'), text.size());
    checkPlan(text.substr(std::min(eol + 1, text.size())), text.substr(0, eol));
    return 0;
}
