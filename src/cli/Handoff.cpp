#include "cli/Handoff.h"

#include <charconv>
#include <set>

#include "platform/LocalSocket.h"

namespace lh::cli {

namespace {

constexpr std::size_t kMaxMessage = 64u << 20;  // a reply may carry a long listing
constexpr std::size_t kMaxArgs = 100'000;

void putField(std::string& bytes, std::string_view field) {
    bytes += std::to_string(field.size());
    bytes += '\n';
    bytes += field;
}

// Reads fields from the front of the bytes.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : m_rest(bytes) {}

    // A decimal number ended by `end`.
    Decoded number(std::size_t& value, char end) {
        const std::size_t stop = m_rest.find(end);
        if (stop == std::string_view::npos) {
            return m_rest.size() > 20 ? Decoded::Invalid : Decoded::Incomplete;
        }
        const auto [ptr, error] = std::from_chars(m_rest.data(), m_rest.data() + stop, value);
        if (error != std::errc() || ptr != m_rest.data() + stop || stop == 0) {
            return Decoded::Invalid;
        }
        m_rest.remove_prefix(stop + 1);
        return Decoded::Complete;
    }
    Decoded field(std::string& value) {
        std::size_t size = 0;
        if (const Decoded d = number(size, '\n'); d != Decoded::Complete) {
            return d;
        }
        if (size > kMaxMessage) {
            return Decoded::Invalid;
        }
        if (m_rest.size() < size) {
            return Decoded::Incomplete;
        }
        value.assign(m_rest.substr(0, size));
        m_rest.remove_prefix(size);
        return Decoded::Complete;
    }
    Decoded word(std::string_view expected) {
        if (m_rest.size() < expected.size()) {
            return expected.starts_with(m_rest) ? Decoded::Incomplete : Decoded::Invalid;
        }
        if (!m_rest.starts_with(expected)) {
            return Decoded::Invalid;
        }
        m_rest.remove_prefix(expected.size());
        return Decoded::Complete;
    }

private:
    std::string_view m_rest;
};

#define LH_READ(step)                                       \
    if (const Decoded d = (step); d != Decoded::Complete) { \
        return d;                                           \
    }

// The value options of every command: the word after one is not a positional argument.
const std::set<std::string_view> kValueOptions = {
    "--title", "--comment", "--rate", "--category", "--to",
    "--url",   "--browser", "--type", "--fields",   "--at"};

}  // namespace

std::string encodeRequest(const RunRequest& request) {
    std::string bytes = "run " + std::string(request.onlyAsk ? "ask" : "do") + " " +
                        std::to_string(request.args.size()) + "\n";
    putField(bytes, request.folder);
    for (const std::string& arg : request.args) {
        putField(bytes, arg);
    }
    return bytes;
}

Decoded decodeRequest(std::string_view bytes, RunRequest& request) {
    if (bytes.size() > kMaxMessage) {
        return Decoded::Invalid;
    }
    FieldReader in(bytes);
    LH_READ(in.word("run "));
    RunRequest r;
    const Decoded ask = in.word("ask ");
    if (ask == Decoded::Invalid) {
        LH_READ(in.word("do "));
    } else if (ask == Decoded::Incomplete) {
        return Decoded::Incomplete;
    }
    r.onlyAsk = ask == Decoded::Complete;
    std::size_t count = 0;
    LH_READ(in.number(count, '\n'));
    if (count == 0 || count > kMaxArgs) {
        return Decoded::Invalid;
    }
    LH_READ(in.field(r.folder));
    r.args.resize(count);
    for (std::string& arg : r.args) {
        LH_READ(in.field(arg));
    }
    request = std::move(r);
    return Decoded::Complete;
}

std::string encodeReply(const RunReply& reply) {
    switch (reply.kind) {
        case RunReply::Kind::NotMine:
            return "not-mine\n";
        case RunReply::Kind::Busy:
            return "busy\n";
        case RunReply::Kind::Done:
            break;
    }
    std::string bytes = "done " + std::to_string(reply.code) + "\n";
    putField(bytes, reply.out);
    putField(bytes, reply.err);
    return bytes;
}

Decoded decodeReply(std::string_view bytes, RunReply& reply) {
    for (const auto& [text, kind] : {std::pair{"not-mine\n", RunReply::Kind::NotMine},
                                     std::pair{"busy\n", RunReply::Kind::Busy}}) {
        if (FieldReader(bytes).word(text) == Decoded::Complete) {
            reply = {kind, 0, {}, {}};
            return Decoded::Complete;
        }
    }
    FieldReader in(bytes);
    LH_READ(in.word("done "));
    RunReply r{RunReply::Kind::Done, 0, {}, {}};
    std::size_t code = 0;
    LH_READ(in.number(code, '\n'));
    if (code > 255) {
        return Decoded::Invalid;
    }
    r.code = static_cast<int>(code);
    LH_READ(in.field(r.out));
    LH_READ(in.field(r.err));
    reply = std::move(r);
    return Decoded::Complete;
}

std::string pathFrom(const std::string& folder, const std::string& path) {
    return folder.empty() || path.empty() || path.front() == '/' ? path : folder + "/" + path;
}

std::optional<std::string> writtenFile(const std::vector<std::string>& args) {
    static const std::set<std::string_view> kFirstIsWritten = {
        "add-url",     "add-file",         "edit",           "move",       "delete", "new",
        "import-html", "import-favorites", "import-firefox", "export-html"};
    if (args.empty()) {
        return std::nullopt;
    }
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (kValueOptions.count(args[i]) != 0) {
            ++i;
        } else if (!args[i].starts_with("--")) {
            positional.push_back(args[i]);
        }
    }
    const std::size_t at = kFirstIsWritten.count(args[0]) != 0 ? 0
                           : args[0] == "resave"               ? 1
                                                               : positional.size();
    if (at >= positional.size()) {
        return std::nullopt;
    }
    return positional[at];
}

std::optional<RunReply> SocketInstanceLink::ask(const RunRequest& request) {
    const auto whole = [](std::string_view answer) {
        RunReply ignored;
        return decodeReply(answer, ignored) != Decoded::Incomplete;
    };
    // An import of a large file may take the window a while.
    const platform::LocalExchange exchange = platform::exchangeLocal(
        platform::instanceSocketPath(), encodeRequest(request), whole, std::chrono::minutes(10));
    if (exchange.status == platform::LocalExchange::Status::NoListener) {
        return std::nullopt;
    }
    RunReply reply;
    if (exchange.status != platform::LocalExchange::Status::Answered ||
        decodeReply(exchange.answer, reply) != Decoded::Complete) {
        reply = {RunReply::Kind::Busy, 0, {}, {}};  // a window that did not answer: never race it
    }
    return reply;
}

}  // namespace lh::cli
