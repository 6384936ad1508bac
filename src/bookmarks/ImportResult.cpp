#include "bookmarks/ImportResult.h"

namespace lh::bookmarks {

std::string summaryText(const ImportResult& result) {
    if (!result.error.empty() && result.itemsAdded == 0 && result.categoriesAdded == 0 &&
        result.duplicatesSkipped == 0 && result.linksSkipped == 0 && result.tooLongSkipped == 0) {
        return result.error;
    }
    std::string text = result.cancelled ? "Import cancelled. " : "";
    text += "Imported " + std::to_string(result.itemsAdded) + " links into " +
            std::to_string(result.categoriesAdded) + " new categories; " +
            std::to_string(result.duplicatesSkipped) + " duplicates skipped.";
    if (result.linksSkipped > 0) {
        text += " " + std::to_string(result.linksSkipped) +
                " links skipped (no title, no usable address, or an address not in double "
                "quotes).";
    }
    if (result.tooLongSkipped > 0) {
        text += " " + std::to_string(result.tooLongSkipped) +
                " links skipped for an address longer than 2000 characters.";
    }
    if (!result.error.empty()) {
        text += " " + result.error;
    }
    return text;
}

}  // namespace lh::bookmarks
