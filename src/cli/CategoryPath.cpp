#include "cli/CategoryPath.h"

#include <algorithm>

#include "store/CategoryNames.h"

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

CategoryLookup findCategory(const store::Database& db, const std::vector<std::string>& names) {
    std::size_t reached = 0;
    if (const store::CategoryRecord* found = store::findCategoryByNames(db, names, &reached)) {
        return {found, {}};
    }
    return {nullptr, formatCategoryPath({names.begin(), names.begin() + static_cast<std::ptrdiff_t>(
                                                                            reached + 1)})};
}

}  // namespace lh::cli
