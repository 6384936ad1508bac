#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lh::browse {

// Opening an address never goes through a shell: the browser command is split into a program
// and its arguments here, the address is added as one more argument, and the process is started
// directly.

// Splits `command` into words as a POSIX shell would, without expanding anything: blanks and tabs
// separate words; '...' quotes literally; "..." quotes with \ escaping only " \ $ ` and newline;
// a \ outside quotes takes the next character literally. Nothing when a quote is not closed.
std::optional<std::vector<std::string>> splitCommand(std::string_view command);

// `program` as the first word of a command line: unchanged when splitCommand reads it back as
// that one word, else in double quotes (with " \ $ ` escaped) followed by one blank.
std::string quoteProgram(std::string_view program);

// The program and arguments of a desktop entry's Exec= value, without its field codes (%u, %U,
// %f, %F, %i, %c, %k; "%%" is a literal "%"). Nothing when the value is malformed.
std::optional<std::vector<std::string>> desktopExecCommand(std::string_view exec);

// The longest command line, browser command and address together, that is ever started.
inline constexpr std::size_t kMaxCommandLine = 1207;

// What to start for an address, or why nothing is started.
struct LaunchPlan {
    std::string program;
    std::vector<std::string> arguments;  // the address is the last one
    std::string error;                   // non-empty: start nothing, tell the user this

    bool ok() const { return error.empty(); }
};

// Plans the start of `browser` (program and arguments) for `address`. The address is cut so that
// the browser's words, two blanks and the address stay within kMaxCommandLine characters.
// Addresses with NUL or line breaks, and addresses beginning with "-" (which a browser would
// read as an option), are refused.
LaunchPlan planOpenUrl(std::string_view address, const std::vector<std::string>& browser);

// planOpenUrl for a browser command line typed by the user (e.g. `"/opt/my browser/run" -new`).
LaunchPlan planOpenUrlWithCommand(std::string_view address, std::string_view browserCommand);

}  // namespace lh::browse
