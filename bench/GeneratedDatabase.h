#pragma once

// Builds a realistic big database for the benchmarks: a tree of categories under "WebFavorite"
// holding mostly links, with some File and Remind items.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "store/Database.h"

namespace lh::bench {

struct GeneratedShape {
    std::size_t items = 1'000'000;
    std::size_t categories = 5'000;
    std::uint32_t seed = 1;
};

inline std::string generatedAddress(std::size_t n) {
    return "https://www.site" + std::to_string(n % 9973) + ".example.com/articles/" +
           std::to_string(n / 7) + "/page-" + std::to_string(n) + ".html";
}

inline void generateDatabase(store::Database& db, const GeneratedShape& shape) {
    std::mt19937 random(shape.seed);
    db.createDefault();
    std::vector<store::CategoryRecord*> categories;
    categories.push_back(db.findCategory(store::kFavoritesId));
    // A bushy tree: each new category goes below a random earlier one, favouring recent ones.
    while (categories.size() < shape.categories) {
        std::uniform_int_distribution<std::size_t> pick(categories.size() / 2,
                                                        categories.size() - 1);
        auto category = std::make_unique<store::CategoryRecord>();
        category->name = "Folder " + std::to_string(categories.size());
        categories.push_back(db.addCategory(std::move(category), *categories[pick(random)]));
    }
    static const char* const kWords[] = {"News",    "Recipes", "Linux", "Travel", "Music",
                                         "Science", "Weather", "Shop",  "Forum",  "Docs"};
    std::uniform_int_distribution<std::size_t> whichCategory(0, categories.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    for (std::size_t i = 0; i < shape.items; ++i) {
        auto item = std::make_unique<store::ItemRecord>();
        item->categoryId = categories[whichCategory(random)]->id;
        item->rate = static_cast<std::uint8_t>(1 + i % 5);
        item->createTime = {2026, static_cast<std::uint8_t>(1 + i % 12), 15, 10, 30, 0, 0};
        const int roll = percent(random);
        std::string title = std::string(kWords[i % 10]) + " - " + kWords[(i / 10) % 10] +
                            " page number " + std::to_string(i);
        std::string comment = roll < 30 ? "read later" : "";
        if (roll == 0) {
            item->flags = store::kKindFile;
            item->fileSize = 1000 + i;
            item->setTexts("", "/home/user/Documents/archive", "file-" + std::to_string(i) + ".pdf",
                           comment);
        } else if (roll == 1) {
            item->flags = store::kKindRemind | 0x10;
            item->remindTime = {27,
                                static_cast<std::uint8_t>(1 + i % 12),
                                static_cast<std::uint8_t>(1 + i % 28),
                                9,
                                0,
                                0,
                                0};
            item->setTexts("", "/usr/share/sounds/bell.wav", title, comment);
        } else {
            item->setTexts(generatedAddress(i), "", title, comment);
        }
        db.addItem(std::move(item));
    }
}

}  // namespace lh::bench
