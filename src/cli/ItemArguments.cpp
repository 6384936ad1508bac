#include "cli/ItemArguments.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "cli/CategoryPath.h"
#include "store/CategoryNames.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/CaseFold.h"

namespace lh::cli {

namespace {

std::optional<std::uint32_t> parsePositiveNumber(std::string_view text) {
    return parseNumber(text, 1, UINT32_MAX);
}

std::string placeOf(const store::Database& db, const store::ItemRecord& item) {
    return formatCategoryPath(store::categoryNames(*db.findCategory(item.categoryId()))) + ":" +
           std::to_string(item.position() + 1);
}

ItemLookup findByAddress(const store::Database& db, const std::string& address) {
    std::vector<const store::ItemRecord*> found;
    store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& c) {
        store::walkItems(c, [&](const store::ItemRecord& item) {
            if (item.kind() == store::kKindUrl &&
                text::equalsIgnoringCase(item.address(), address)) {
                found.push_back(&item);
            }
            return false;
        });
        return false;
    });
    if (found.empty()) {
        return {{}, "no link has the address " + address};
    }
    if (found.size() > 1) {
        std::string places;
        for (const store::ItemRecord* item : found) {
            places += (places.empty() ? "" : ", ") + placeOf(db, *item);
        }
        return {{},
                std::to_string(found.size()) + " links have the address " + address + ": " +
                    places + "; name one as PATH:N"};
    }
    return {{found.front()->id()}, {}};
}

ItemLookup findByPlace(const store::Database& db, const std::string& text) {
    const std::size_t colon = text.rfind(':');
    const auto number =
        colon == std::string::npos ? std::nullopt : parsePositiveNumber(text.substr(colon + 1));
    if (!number) {
        return {{}, "an ITEM is --url ADDRESS or PATH:N, not " + text};
    }
    const PathLookup path = findPath(db, text.substr(0, colon));
    if (path.category == nullptr) {
        return {{}, path.error};
    }
    const store::ItemRecord* item = path.category->firstItem();
    for (std::uint32_t i = 1; item != nullptr && i < *number; ++i) {
        item = item->next();
    }
    if (item == nullptr) {
        return {{},
                text + ": the category holds " + std::to_string(path.category->itemCount()) +
                    " item(s)"};
    }
    return {{item->id()}, {}};
}

}  // namespace

std::optional<std::string> ItemArguments::value(const std::string& option) const {
    std::optional<std::string> found;
    for (const auto& [name, v] : values) {
        if (name == option) {
            found = v;
        }
    }
    return found;
}

ItemArguments parseItemArguments(const std::vector<std::string>& args,
                                 const std::set<std::string>& valueOptions,
                                 const std::set<std::string>& flagOptions, bool positionalItems) {
    ItemArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--url" || valueOptions.count(a) != 0) {
            if (i + 1 == args.size()) {
                parsed.error = a + " needs a value";
                return parsed;
            }
            if (a == "--url") {
                parsed.items.push_back({true, args[++i]});
            } else {
                parsed.values.emplace_back(a, args[++i]);
            }
        } else if (flagOptions.count(a) != 0) {
            parsed.flags.insert(a);
        } else if (a.starts_with("--")) {
            parsed.error = "unknown option " + a;
            return parsed;
        } else if (positionalItems && !parsed.positional.empty()) {
            parsed.items.push_back({false, a});
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

ItemLookup findItems(const store::Database& db, const std::vector<ItemSelector>& selectors) {
    ItemLookup all;
    for (const ItemSelector& selector : selectors) {
        ItemLookup one =
            selector.byAddress ? findByAddress(db, selector.text) : findByPlace(db, selector.text);
        if (!one.error.empty()) {
            return one;
        }
        if (std::find(all.ids.begin(), all.ids.end(), one.ids.front()) == all.ids.end()) {
            all.ids.push_back(one.ids.front());
        }
    }
    return all;
}

PathLookup findPath(const store::Database& db, const std::string& path) {
    const auto names = parseCategoryPath(path);
    if (!names) {
        return {nullptr, "not a category path: " + path};
    }
    const CategoryLookup found = findCategory(db, *names);
    if (found.category == nullptr) {
        return {nullptr, "no category " + found.missing};
    }
    return {found.category, {}};
}

std::optional<std::uint32_t> parseNumber(std::string_view text, std::uint32_t least,
                                         std::uint32_t most) {
    std::uint32_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < least || n > most) {
        return std::nullopt;
    }
    return n;
}

std::optional<std::uint8_t> parseRate(const std::string& text) {
    const auto n = parsePositiveNumber(text);
    if (!n || *n > 5) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*n);
}

}  // namespace lh::cli
