#include "commands/LinkTargets.h"

#include "commands/ItemEditor.h"
#include "items/ItemKind.h"
#include "items/StoredAddress.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/Ascii.h"

namespace lh::commands {

namespace {

void addLinks(const store::CategoryRecord& category, std::vector<LinkTarget>& out) {
    store::walkItems(category, [&out](const store::ItemRecord& item) {
        if (items::kindOf(item) == items::ItemKind::Url && !item.address().empty()) {
            out.push_back({item.id(), std::string(item.address())});
        }
        return false;
    });
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::vector<LinkTarget> linksOf(const store::Database& db, store::CategoryId category,
                                bool withSubcategories) {
    std::vector<LinkTarget> links;
    const store::CategoryRecord* start = db.findCategory(category);
    if (start == nullptr) {
        return links;
    }
    addLinks(*start, links);
    if (withSubcategories) {
        store::walkDescendants(*start, [&links](const store::CategoryRecord& c) {
            addLinks(c, links);
            return false;
        });
    }
    return links;
}

std::optional<std::string> newAddressProblem(std::string_view address) {
    const bool web =
        startsWithIgnoringCase(address, "http://") || startsWithIgnoringCase(address, "https://");
    if (!web) {
        return std::string(kNotWebAddressMessage);
    }
    if (const auto problem = items::storedAddressProblem(address)) {
        return std::string(*problem);
    }
    return std::nullopt;
}

DialogOutcome useNewAddress(ItemEditor& editor, const store::Database& db, Prompter& prompter,
                            store::ItemId id, std::string_view address) {
    const store::ItemRecord* item = db.findItem(id);
    if (item == nullptr) {
        return DialogOutcome::Close;
    }
    if (const auto problem = newAddressProblem(address)) {
        prompter.tell(*problem, Prompter::Icon::Warning);
        return DialogOutcome::KeepOpen;
    }
    UrlValues values;
    values.title = std::string(item->title());
    values.address = std::string(address);
    values.memo = std::string(item->comment());
    values.rate = item->rate();
    values.category = item->categoryId();
    return editor.editUrl(id, values);
}

}  // namespace lh::commands
