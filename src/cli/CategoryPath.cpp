#include "cli/CategoryPath.h"

#include <algorithm>

#include "store/Database.h"

namespace lh::cli {

std::optional<std::vector<std::string>> parseCategoryPath(std::string_view text) {
    std::vector<std::string> names(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '/') {
            names.emplace_back();
        } else if (c != '\\') {
            names.back() += c;
        } else if (i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '\\')) {
            names.back() += text[++i];
        } else {
            return std::nullopt;
        }
    }
    if (std::any_of(names.begin(), names.end(), [](const std::string& n) { return n.empty(); })) {
        return std::nullopt;
    }
    return names;
}

std::string formatCategoryPath(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty()) {
            text += '/';
        }
        for (const char c : name) {
            if (c == '/' || c == '\\') {
                text += '\\';
            }
            text += c;
        }
    }
    return text;
}

std::vector<std::string> categoryNames(const store::CategoryRecord& category) {
    std::vector<std::string> names;
    for (const store::CategoryRecord* c = &category; c != nullptr && c->parent() != nullptr;
         c = c->parent()) {
        names.push_back(c->name());
    }
    std::reverse(names.begin(), names.end());
    return names;
}

CategoryLookup findCategory(const store::Database& db, const std::vector<std::string>& names) {
    const store::CategoryRecord* at = db.root();
    std::vector<std::string> walked;
    for (const std::string& name : names) {
        walked.push_back(name);
        const store::CategoryRecord* child = at->firstChild();
        while (child != nullptr && child->name() != name) {
            child = child->nextSibling();
        }
        if (child == nullptr) {
            return {nullptr, formatCategoryPath(walked)};
        }
        at = child;
    }
    return {at, {}};
}

}  // namespace lh::cli
