// linkhaven-cli check-links: which links of a category still lead somewhere.

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <map>

#include "cli/CliContext.h"
#include "cli/ItemArguments.h"
#include "cli/Json.h"
#include "linkcheck/LinkChecker.h"
#include "linkcheck/ResultsFile.h"
#include "store/CategoryNames.h"
#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::cli {

namespace {

constexpr const char* kDefaultPath = "WebFavorite";

struct CheckArguments {
    std::string file;
    std::string path = kDefaultPath;
    bool recursive = false;
    int sinceDays = 7;
    linkcheck::CheckOptions options;
    std::string error;
};

CheckArguments parseCheckArguments(const std::vector<std::string>& args) {
    const ItemArguments a =
        parseItemArguments(args, {"--jobs", "--per-host", "--since-days", "--resolve"},
                           {"--recursive", "--allow-private"}, false);
    CheckArguments parsed;
    if (!a.error.empty() || a.positional.empty() || a.positional.size() > 2 || !a.items.empty()) {
        parsed.error = a.error.empty() ? "check-links takes FILE and a PATH" : a.error;
        return parsed;
    }
    parsed.file = a.positional[0];
    if (a.positional.size() > 1) {
        parsed.path = a.positional[1];
    }
    parsed.recursive = a.has("--recursive");
    parsed.options.allowPrivate = a.has("--allow-private");
    const auto number = [&](const char* option, std::uint32_t least, std::uint32_t most,
                            int& into) {
        if (const auto text = a.value(option)) {
            const auto n = parseNumber(*text, least, most);
            if (!n) {
                parsed.error = std::string(option) + " takes a number from " +
                               std::to_string(least) + " to " + std::to_string(most);
            }
            into = static_cast<int>(n.value_or(0));
        }
    };
    number("--jobs", 1, 1024, parsed.options.maxInFlight);
    number("--per-host", 1, 64, parsed.options.perHost);
    number("--since-days", 0, 3650, parsed.sinceDays);
    for (const auto& [option, value] : a.values) {
        if (option != "--resolve") {
            continue;
        }
        if (std::count(value.begin(), value.end(), ':') < 2) {
            parsed.error = "--resolve takes HOST:PORT:ADDRESS";
        }
        parsed.options.resolve.push_back(value);
    }
    return parsed;
}

// The links under `category`, and each one's item.
void collectLinks(const store::CategoryRecord& category, bool recursive,
                  std::vector<linkcheck::LinkTarget>& targets,
                  std::vector<const store::ItemRecord*>& items) {
    const auto collect = [&](const store::CategoryRecord& c) {
        store::walkItems(c, [&](const store::ItemRecord& item) {
            if (item.kind() == store::kKindUrl) {
                targets.push_back({item.id(), std::string(item.address())});
                items.push_back(&item);
            }
            return false;
        });
        return false;
    };
    collect(category);
    if (recursive) {
        store::walkDescendants(category, collect);
    }
}

std::string resultLine(const store::Database& db, const store::ItemRecord& item,
                       const linkcheck::LinkResult& r) {
    return JsonLine()
        .add("category", store::categoryNames(*db.findCategory(item.categoryId())))
        .add("title", item.title())
        .add("address", r.address)
        .add("verdict", linkcheck::verdictName(r.verdict))
        .add("code", r.code)
        .add("final", r.finalAddress)
        .add("ms", r.ms)
        .add("reason", r.reason)
        .add("remembered", r.remembered)
        .str();
}

int cmdCheckLinks(Context& c) {
    const CheckArguments a = parseCheckArguments(c.args);
    if (!a.error.empty()) {
        return usageError(c, a.error);
    }
    store::Database db;
    if (int code = loadOrReport(c, db, a.file); code != kExitOk) {
        return code;
    }
    const PathLookup path = findPath(db, a.path);
    if (path.category == nullptr) {
        return fail(c, a.file, path.error);
    }
    std::vector<linkcheck::LinkTarget> targets;
    std::vector<const store::ItemRecord*> items;
    collectLinks(*path.category, a.recursive, targets, items);

    const auto started = std::chrono::steady_clock::now();
    const auto results = linkcheck::ResultsFile::open(linkcheck::resultsPathFor(c.path(a.file)));
    const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    const linkcheck::RunPlan plan = linkcheck::planRun(targets, results.get(), now, a.sinceDays);
    std::array<int, 5> counts{};
    for (const linkcheck::LinkResult& r : plan.remembered) {
        ++counts[static_cast<std::size_t>(r.verdict)];
        c.out << resultLine(db, *items[r.index], r) << "\n";
    }
    // The checked links are numbered within the plan: find their items by id.
    std::map<store::ItemId, const store::ItemRecord*> byId;
    for (const store::ItemRecord* item : items) {
        byId[item->id()] = item;
    }
    const std::atomic<bool> never{false};
    linkcheck::checkLinks(
        plan.toCheck, a.options,
        [&](const linkcheck::LinkResult& r) {
            ++counts[static_cast<std::size_t>(r.verdict)];
            c.out << resultLine(db, *byId.at(r.itemId), r) << std::endl;
            if (results) {
                results->remember(r);
            }
        },
        never);
    JsonLine summary;
    summary.add("links", targets.size())
        .add("checked", plan.toCheck.size())
        .add("remembered", plan.remembered.size());
    for (const auto verdict :
         {linkcheck::Verdict::Ok, linkcheck::Verdict::Moved, linkcheck::Verdict::Dead,
          linkcheck::Verdict::Error, linkcheck::Verdict::Skipped}) {
        summary.add(linkcheck::verdictName(verdict), counts[static_cast<std::size_t>(verdict)]);
    }
    summary.add("ms", std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - started)
                          .count());
    c.out << summary.str() << "\n";
    return kExitOk;
}

}  // namespace

std::vector<Command> linkCommands() {
    return {
        {"check-links",
         "check-links FILE [PATH] [--recursive] [--jobs N] [--per-host N] [--since-days N]\n"
         "            [--allow-private] [--resolve HOST:PORT:ADDRESS]...\n"
         "                       check the links of a category (default WebFavorite): one line\n"
         "                       each as it finishes (verdict ok, moved, dead, error or skipped)\n"
         "                       and a summary; results are kept in FILE's .linkcheck beside it,\n"
         "                       and links checked in the last N days (default 7) are not asked\n"
         "                       again; FILE is only read",
         cmdCheckLinks},
    };
}

}  // namespace lh::cli
