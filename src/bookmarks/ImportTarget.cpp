#include "bookmarks/ImportTarget.h"

#include "bookmarks/BookmarkImport.h"
#include "bookmarks/BookmarkScanner.h"
#include "items/StoredAddress.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::bookmarks {

namespace {

store::DateTimeStamp stampOf(const platform::LocalTime& t) {
    store::DateTimeStamp stamp;
    stamp.year = static_cast<std::uint16_t>(t.year);
    stamp.month = static_cast<std::uint8_t>(t.month);
    stamp.day = static_cast<std::uint8_t>(t.day);
    stamp.hour = static_cast<std::uint8_t>(t.hour);
    stamp.minute = static_cast<std::uint8_t>(t.minute);
    stamp.second = static_cast<std::uint8_t>(t.second);
    return stamp;
}

}  // namespace

std::string_view trimAndCut(std::string_view text, std::size_t limit) {
    return text::trimTrailingBlanks(text::cutUtf8(text::trimLeadingBlanks(text), limit));
}

ImportTarget::ImportTarget(store::Database& db, const ImportOptions& options, ImportResult& result)
    : m_db(db), m_bulk(db), m_step(db, "Import"), m_options(options), m_result(result) {
    m_ready = db.findCategory(store::kFavoritesId) != nullptr;
    if (!m_ready) {
        m_result.error = "The database has no favourites category to import into.";
    }
    m_now = stampOf(options.clock != nullptr ? options.clock->now() : platform::LocalTime{});
}

ImportTarget::NameMap& ImportTarget::childrenOf(std::uint16_t parentId) {
    const auto [it, isNew] = m_children.try_emplace(parentId);
    if (isNew) {
        // The first child of a name wins, as a walk over the children would find it.
        const store::CategoryRecord* parent = m_db.findCategory(parentId);
        for (auto* c = parent->firstChild(); c != nullptr; c = c->nextSibling()) {
            it->second.try_emplace(c->name(), c->id());
        }
    }
    return it->second;
}

std::uint16_t ImportTarget::findOrCreate(std::string_view rawName, std::uint16_t parentId) {
    const std::string_view name = trimAndCut(rawName, BookmarkScanner::kFolderNameLimit);
    const store::CategoryRecord* parent = m_db.findCategory(parentId);
    if (parent == nullptr) {
        parent = m_db.findCategory(store::kFavoritesId);
        if (parent == nullptr) {
            m_result.error = "The database has no favourites category to import into.";
            return 0;
        }
    }
    NameMap& children = childrenOf(parent->id());
    if (const auto it = children.find(std::string(name)); it != children.end()) {
        // The cache may outlive a category only if something else deleted it meanwhile.
        if (m_db.findCategory(it->second) != nullptr) {
            return it->second;
        }
        children.erase(it);
    }
    // A favourites-class category, whatever its parent's class, shown collapsed.
    store::NewCategory fields;
    fields.name = name;
    fields.categoryClass = store::kClassUrl;
    const store::CategoryRecord* added = m_db.addCategory(parent->id(), fields);
    if (added == nullptr) {
        m_result.error = "No more categories can be added; the import stopped.";
        return 0;
    }
    ++m_result.categoriesAdded;
    children.try_emplace(added->name(), added->id());
    return added->id();
}

bool ImportTarget::addLink(std::string_view rawTitle, std::string_view rawAddress,
                           std::uint16_t categoryId) {
    const std::string_view title = trimAndCut(rawTitle, BookmarkScanner::kTitleLimit);
    const std::string_view address = text::trimBlanks(rawAddress);
    if (title.empty() || address.empty()) {
        ++m_result.linksSkipped;
        return true;
    }
    if (items::storedAddressProblem(address)) {
        return skipped(address.size() > items::kAddressMaxBytes ? SkippedLink::TooLong
                                                                : SkippedLink::Refused);
    }
    if (m_db.containsAddress(store::kRootId, address)) {
        ++m_result.duplicatesSkipped;
        return true;
    }
    store::ItemFields item;
    item.address = address;
    item.title = title;
    item.flags = store::kKindUrl;
    item.rate = m_options.rate;
    item.createTime = m_now;
    if (m_db.addItem(categoryId, item) == nullptr) {
        m_result.error = "The category to import into is gone; the import stopped.";
        return false;
    }
    ++m_result.itemsAdded;
    return true;
}

bool ImportTarget::folder(std::string_view name) {
    const std::uint16_t parent = m_stack.empty() ? store::kFavoritesId : m_stack.back();
    if (trimAndCut(name, BookmarkScanner::kFolderNameLimit).empty()) {
        m_stack.push_back(parent);  // its list end closes this level, not the parent's
        return true;
    }
    const std::uint16_t id = findOrCreate(name, parent);
    if (id == 0) {
        return false;
    }
    m_stack.push_back(id);
    return true;
}

bool ImportTarget::link(std::string_view title, std::string_view address) {
    return addLink(title, address, m_stack.empty() ? store::kFavoritesId : m_stack.back());
}

bool ImportTarget::skipped(SkippedLink why) {
    ++(why == SkippedLink::TooLong ? m_result.tooLongSkipped : m_result.linksSkipped);
    return true;
}

bool ImportTarget::listEnd() {
    if (!m_stack.empty()) {
        m_stack.pop_back();
    }
    return true;
}

}  // namespace lh::bookmarks
