// linkhaven-cli find: the hits of the window's Find and Find Next, all at once.

#include <optional>
#include <sstream>

#include "cli/CategoryPath.h"
#include "cli/CliContext.h"
#include "cli/Json.h"
#include "items/Finder.h"
#include "store/CategoryNames.h"
#include "store/Database.h"

namespace lh::cli {

namespace {

std::optional<items::FindType> parseType(const std::string& name) {
    if (name == "url") {
        return items::FindType::Url;
    }
    if (name == "file") {
        return items::FindType::File;
    }
    if (name == "remind") {
        return items::FindType::Remind;
    }
    return std::nullopt;
}

// "title,address,comment" as field bits; nothing for an unknown name or an address outside URL
// searches.
std::optional<unsigned> parseFields(const std::string& list, items::FindType type) {
    unsigned fields = 0;
    std::istringstream names(list);
    for (std::string name; std::getline(names, name, ',');) {
        if (name == "title") {
            fields |= items::kFindTitle;
        } else if (name == "address" && type == items::FindType::Url) {
            fields |= items::kFindAddress;
        } else if (name == "comment") {
            fields |= items::kFindComment;
        } else {
            return std::nullopt;
        }
    }
    return fields == 0 ? std::nullopt : std::optional(fields);
}

int cmdFind(Context& c) {
    std::vector<std::string> positional;
    std::string typeName = "url";
    std::optional<std::string> fieldList;
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        const std::string& a = c.args[i];
        if ((a == "--type" || a == "--fields") && i + 1 < c.args.size()) {
            (a == "--type" ? typeName : fieldList.emplace()) = c.args[++i];
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2 || positional[1].empty()) {
        return usageError(c, "find takes FILE and a TEXT that is not empty");
    }
    const auto type = parseType(typeName);
    if (!type) {
        return usageError(c, "--type is url, file or remind");
    }
    const unsigned all = items::kFindTitle | items::kFindComment |
                         (*type == items::FindType::Url ? items::kFindAddress : 0u);
    const auto fields = fieldList ? parseFields(*fieldList, *type) : std::optional(all);
    if (!fields) {
        return usageError(c, "--fields lists title, comment and (for url) address");
    }
    store::Database db;
    if (int code = loadOrReport(c, db, positional[0]); code != kExitOk) {
        return code;
    }
    items::Finder finder(db);
    for (auto hit = finder.find(positional[1], *type, *fields); hit;
         hit = finder.findNext(*fields)) {
        const store::ItemRecord& item = *db.findItem(hit->item);
        c.out << JsonLine()
                     .add("category", store::categoryNames(*db.findCategory(hit->category)))
                     .add("title", item.title())
                     .add("address", item.address())
                     .str()
              << "\n";
    }
    return kExitOk;
}

}  // namespace

std::vector<Command> findCommands() {
    return {
        {"find",
         "find FILE TEXT [--type url|file|remind] [--fields title,address,comment]\n"
         "                       print the items Find and Find Next show, one line each",
         cmdFind},
    };
}

}  // namespace lh::cli
