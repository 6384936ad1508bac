#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/Kinds.h"

namespace lh::store {
class Database;
class CategoryRecord;
}  // namespace lh::store

namespace lh::cli {

// An ITEM on the command line: "--url ADDRESS" (a link, address compared ignoring case) or
// "PATH:N" (the N-th item of the category at PATH, as `list` numbers them).
struct ItemSelector {
    bool byAddress = false;
    std::string text;
};

// The arguments of an item command: positional words, ITEMs in the order given, the values of
// the options that take one and the flags given. `--url` always names an ITEM here; `edit` reads
// its second one as the new address.
struct ItemArguments {
    std::vector<std::string> positional;  // FILE first
    std::vector<ItemSelector> items;      // "--url X" and the words after FILE that hold ":"
    std::vector<std::pair<std::string, std::string>> values;
    std::set<std::string> flags;
    std::string error;  // non-empty: bad usage

    // The value of `option`, when it was given (the last one wins).
    std::optional<std::string> value(const std::string& option) const;
    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
};

// `valueOptions` take the next word; `flagOptions` stand alone. With `positionalItems`, each word
// after FILE is an ITEM ("PATH:N"), else it stays positional.
ItemArguments parseItemArguments(const std::vector<std::string>& args,
                                 const std::set<std::string>& valueOptions,
                                 const std::set<std::string>& flagOptions, bool positionalItems);

// What a set of ITEMs names: the items, each once, in the order named; or why not.
struct ItemLookup {
    std::vector<store::ItemId> ids;
    std::string error;
};
ItemLookup findItems(const store::Database& db, const std::vector<ItemSelector>& selectors);

// A category PATH argument, checked: the category or why not.
struct PathLookup {
    const store::CategoryRecord* category = nullptr;
    std::string error;
};
PathLookup findPath(const store::Database& db, const std::string& path);

// A decimal number from `least` to `most`, digits only.
std::optional<std::uint32_t> parseNumber(std::string_view text, std::uint32_t least,
                                         std::uint32_t most);

// A --rate value: 1 to 5.
std::optional<std::uint8_t> parseRate(const std::string& text);

}  // namespace lh::cli
