#include "browse/BrowserCommand.h"

#include "text/Utf8.h"

namespace lh::browse {

std::optional<std::vector<std::string>> splitCommand(std::string_view command) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const auto end = command.find('\'', i + 1);
            if (end == std::string_view::npos) {
                return std::nullopt;
            }
            word.append(command.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '"') {
            std::size_t j = i + 1;
            for (; j < command.size() && command[j] != '"'; ++j) {
                const bool escapes =
                    command[j] == '\\' && j + 1 < command.size() &&
                    std::string_view("\"\\$`\n").find(command[j + 1]) != std::string_view::npos;
                if (escapes) {
                    ++j;
                }
                word += command[j];
            }
            if (j >= command.size()) {
                return std::nullopt;
            }
            i = j;
        } else if (c == '\\') {
            if (i + 1 < command.size()) {
                word += command[++i];
            }
        } else {
            word += c;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string quoteProgram(std::string_view program) {
    const auto words = splitCommand(program);
    if (words && words->size() == 1 && words->front() == program) {
        return std::string(program);
    }
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '\\' || c == '$' || c == '`') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\" ";
}

std::optional<std::vector<std::string>> desktopExecCommand(std::string_view exec) {
    auto words = splitCommand(exec);
    if (!words) {
        return std::nullopt;
    }
    std::vector<std::string> out;
    for (const std::string& w : *words) {
        std::string kept;
        bool onlyFieldCode = false;
        for (std::size_t i = 0; i < w.size(); ++i) {
            if (w[i] != '%' || i + 1 >= w.size()) {
                kept += w[i];
                continue;
            }
            const char code = w[++i];
            if (code == '%') {
                kept += '%';
            } else if (std::string_view("uUfFick").find(code) != std::string_view::npos) {
                onlyFieldCode = w.size() == 2;
            }
            // Other (deprecated) field codes are dropped.
        }
        if (!onlyFieldCode && !kept.empty()) {
            out.push_back(std::move(kept));
        }
    }
    if (out.empty()) {
        return std::nullopt;
    }
    return out;
}

namespace {

// `commandLength` is the length of the command as the user sees it.
LaunchPlan plan(std::string_view address, const std::vector<std::string>& browser,
                std::size_t commandLength) {
    LaunchPlan plan;
    if (browser.empty() || browser.front().empty()) {
        plan.error = "No browser program is set.";
        return plan;
    }
    if (address.find_first_of(std::string_view("\0\n\r", 3)) != std::string_view::npos) {
        plan.error = "The address contains a line break or a zero character and was not opened.";
        return plan;
    }
    if (!address.empty() && address.front() == '-') {
        plan.error =
            "The address begins with \"-\", which the browser would take as an option; it was not "
            "opened.";
        return plan;
    }
    const std::size_t room =
        commandLength + 2 < kMaxCommandLine ? kMaxCommandLine - commandLength - 2 : 0;
    plan.program = browser.front();
    plan.arguments.assign(browser.begin() + 1, browser.end());
    plan.arguments.emplace_back(text::cutUtf8(address, room));
    return plan;
}

}  // namespace

LaunchPlan planOpenUrl(std::string_view address, const std::vector<std::string>& browser) {
    std::size_t commandLength = 0;
    for (const std::string& word : browser) {
        commandLength += word.size() + (commandLength == 0 ? 0 : 1);
    }
    return plan(address, browser, commandLength);
}

LaunchPlan planOpenUrlWithCommand(std::string_view address, std::string_view browserCommand) {
    const auto words = splitCommand(browserCommand);
    if (!words) {
        LaunchPlan plan;
        plan.error =
            "The browser command has a quote that is not closed, so nothing was started: " +
            std::string(browserCommand);
        return plan;
    }
    return plan(address, *words, browserCommand.size());
}

}  // namespace lh::browse
