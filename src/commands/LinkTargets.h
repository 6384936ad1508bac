#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CategoryCommands.h"
#include "commands/Prompter.h"
#include "store/Kinds.h"

namespace lh::store {
class Database;
}

namespace lh::commands {

class ItemEditor;

inline constexpr std::string_view kNotWebAddressMessage =
    "Only a web address (http or https) can replace a link's address.";

// A link item and the address it holds when a check begins.
struct LinkTarget {
    store::ItemId id = store::kNoItemId;
    std::string address;
    bool operator==(const LinkTarget&) const = default;
};

// The link items of `category` with an address, in list order; with `withSubcategories`, then
// those of every category below it (a category, then everything below it, then its next one).
// Nothing when there is no such category.
std::vector<LinkTarget> linksOf(const store::Database& db, store::CategoryId category,
                                bool withSubcategories);

// Why `address` may not replace a link's address after a check (a server chose it): it must be
// a web address that the stored-address rule accepts. Nothing when it may.
std::optional<std::string> newAddressProblem(std::string_view address);

// "Use new address": link `id` takes `address`, through the item editor's own checks, keeping its
// title, memo, rate and category. A refusal is told through `prompter` and changes nothing; a
// link that is gone is left alone.
DialogOutcome useNewAddress(ItemEditor& editor, const store::Database& db, Prompter& prompter,
                            store::ItemId id, std::string_view address);

}  // namespace lh::commands
