#pragma once

// Builds realistic big databases for the benchmarks: a tree of categories under "WebFavorite"
// holding mostly links, with some File and Remind items; short regular texts, or long varied
// ones (the size of real titles, long query strings, notes in several scripts).

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

// A bushy tree of `count` categories from "WebFavorite" down: each new one goes below a random
// earlier one, favouring recent ones.
inline std::vector<store::CategoryId> generateTree(store::Database& db, std::size_t count,
                                                   std::mt19937& random) {
    db.createDefault();
    std::vector<store::CategoryId> categories;
    categories.push_back(store::kFavoritesId);
    while (categories.size() < count) {
        std::uniform_int_distribution<std::size_t> pick(categories.size() / 2,
                                                        categories.size() - 1);
        store::NewCategory category;
        category.name = "Folder " + std::to_string(categories.size());
        categories.push_back(db.addCategory(categories[pick(random)], category)->id());
    }
    return categories;
}

inline void generateDatabase(store::Database& db, const GeneratedShape& shape) {
    std::mt19937 random(shape.seed);
    const std::vector<store::CategoryId> categories = generateTree(db, shape.categories, random);
    static const char* const kWords[] = {"News",    "Recipes", "Linux", "Travel", "Music",
                                         "Science", "Weather", "Shop",  "Forum",  "Docs"};
    std::uniform_int_distribution<std::size_t> whichCategory(0, categories.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    store::ItemFields item;
    for (std::size_t i = 0; i < shape.items; ++i) {
        const store::CategoryId category = categories[whichCategory(random)];
        item = {};
        item.rate = static_cast<std::uint8_t>(1 + i % 5);
        item.createTime = {2026, static_cast<std::uint8_t>(1 + i % 12), 15, 10, 30, 0, 0};
        const int roll = percent(random);
        std::string title = std::string(kWords[i % 10]) + " - " + kWords[(i / 10) % 10] +
                            " page number " + std::to_string(i);
        item.comment = roll < 30 ? "read later" : "";
        if (roll == 0) {
            item.flags = store::kKindFile;
            item.fileSize = 1000 + i;
            item.location = "/home/user/Documents/archive";
            item.title = "file-" + std::to_string(i) + ".pdf";
        } else if (roll == 1) {
            item.flags = store::kKindRemind | 0x10;
            item.remindTime = {27,
                               static_cast<std::uint8_t>(1 + i % 12),
                               static_cast<std::uint8_t>(1 + i % 28),
                               9,
                               0,
                               0,
                               0};
            item.location = "/usr/share/sounds/bell.wav";
            item.title = std::move(title);
        } else {
            item.address = generatedAddress(i);
            item.title = std::move(title);
        }
        db.addItem(category, item);
    }
}

// `count` words picked at random from a varied vocabulary, joined with `separator`.
inline std::string randomWords(std::mt19937& random, std::size_t count, const char* separator) {
    static const char* const kWords[] = {
        "the",         "Übersicht",   "recipes",    "kernel",      "Ausflüge", "journal",
        "performance", "東京",        "weather",    "guide",       "forum",    "análisis",
        "photography", "archive",     "Москва",     "release",     "notes",    "tutorial",
        "reference",   "documentary", "comparison", "mathematics", "économie", "history"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kWords) - 1);
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0) {
            text += separator;
        }
        text += kWords[pick(random)];
    }
    return text;
}

// Long varied texts: addresses of 40 to 300 bytes, a third with query strings, titles of 2 to 16
// words, a comment on 40% of the items (up to a few hundred bytes; one in 500 of several KB).
inline void generateLongTextDatabase(store::Database& db, const GeneratedShape& shape) {
    std::mt19937 random(shape.seed + 1);
    const std::vector<store::CategoryId> categories = generateTree(db, shape.categories, random);
    std::uniform_int_distribution<std::size_t> whichCategory(0, categories.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<std::size_t> words(2, 16), pathWords(2, 10), noteWords(3, 30);
    store::ItemFields item;
    for (std::size_t i = 0; i < shape.items; ++i) {
        const store::CategoryId category = categories[whichCategory(random)];
        item = {};
        item.rate = static_cast<std::uint8_t>(1 + random() % 5);
        item.createTime = {static_cast<std::uint16_t>(2000 + random() % 27),
                           static_cast<std::uint8_t>(1 + random() % 12),
                           static_cast<std::uint8_t>(1 + random() % 28),
                           static_cast<std::uint8_t>(random() % 24),
                           static_cast<std::uint8_t>(random() % 60),
                           0,
                           0};
        const int roll = percent(random);
        item.title = randomWords(random, words(random), " ");
        if (roll < 40) {
            item.comment = randomWords(random, i % 500 == 0 ? 400 : noteWords(random), " ");
        }
        if (roll % 50 == 1) {
            item.flags = store::kKindFile;
            item.fileSize = random();
            item.location = "/home/user/" + randomWords(random, pathWords(random), "/");
        } else {
            item.address = "https://" + randomWords(random, 2, ".") + ".example/" +
                           randomWords(random, pathWords(random), "/") +
                           "?id=" + std::to_string(i) +
                           (roll % 3 == 0 ? "&q=" + randomWords(random, words(random), "+") : "");
        }
        db.addItem(category, item);
    }
}

}  // namespace lh::bench
