#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::test {

// Keeps its own copy of the database's rows (the sub-categories of each category, the items of
// each chain), changed only by the events, the way a Qt item model follows them: rows counted
// before each change, a move's destination counted with the moving rows still in place. When
// its copy differs from the database afterwards, an event carried a wrong row.
class DatabaseMirror final : public store::DatabaseObserver {
    using Cats = store::CategoryRows;
    using Items = store::ItemRows;
    using Id = store::CategoryId;
    using Row = std::uint32_t;

public:
    explicit DatabaseMirror(store::Database& db) : m_db(db), m_rows(read(db)) {
        m_db.addObserver(this);
    }
    ~DatabaseMirror() override { m_db.removeObserver(this); }

    // The events as short texts, e.g. "items+ 3 0-0", "cats> 1 2-2 to 3@4", "}bulk(replaced)".
    std::vector<std::string> events;

    // Fails the test where the copy differs from the database.
    void expectInStep() const {
        EXPECT_EQ(m_rows, read(m_db)) << "rows ('c' sub-categories, 'i' items)";
    }

    void bulkChangeBegun() override {
        events.push_back("bulk{");
        m_inBulk = true;
    }
    void bulkChangeEnded(bool replaced) override {
        events.push_back(replaced ? "}bulk(replaced)" : "}bulk");
        m_inBulk = false;
        m_rows = read(m_db);
    }

    void categoriesAboutToBeInserted(const Cats& r) override { begin(of(r, '+')); }
    void categoriesInserted(const Cats& r) override { end(of(r, '+')); }
    void categoriesAboutToBeMoved(const Cats& r, Id to, Row at) override {
        begin(of(r, '>', to, at));
    }
    void categoriesMoved(const Cats& r, Id to, Row at) override { end(of(r, '>', to, at)); }
    void categoriesAboutToBeRemoved(const Cats& r) override { begin(of(r, '-')); }
    void categoriesRemoved(const Cats& r) override { end(of(r, '-')); }
    void categoryChanged(const store::CategoryRecord& c, store::CategoryFieldSet fields) override {
        events.push_back("cat~ " + std::to_string(c.id()) + " " + std::to_string(fields));
    }

    void itemsAboutToBeInserted(const Items& r) override { begin(of(r, '+')); }
    void itemsInserted(const Items& r) override { end(of(r, '+')); }
    void itemsAboutToBeMoved(const Items& r, Id to, Row at) override { begin(of(r, '>', to, at)); }
    void itemsMoved(const Items& r, Id to, Row at) override { end(of(r, '>', to, at)); }
    void itemsAboutToBeRemoved(const Items& r) override { begin(of(r, '-')); }
    void itemsRemoved(const Items& r) override { end(of(r, '-')); }
    void itemChanged(const store::ItemRecord& item, store::ItemFieldSet fields) override {
        events.push_back("item~ " + std::to_string(item.id()) + " " + std::to_string(fields));
    }

private:
    // The ids under each category: ('c', id) its sub-categories, ('i', id) its items.
    using Rows = std::map<std::pair<char, Id>, std::vector<std::uint32_t>>;
    // One event, category or item alike: '+' inserted, '>' moved, '-' removed.
    struct Change {
        char kind, op;
        Id owner;
        Row first, last;
        Id to;
        Row at;
        std::string text() const {
            const std::string rows =
                std::to_string(owner) + " " + std::to_string(first) + "-" + std::to_string(last);
            return (kind == 'c' ? "cats" : "items") + std::string(1, op) + " " + rows +
                   (op == '>' ? " to " + std::to_string(to) + "@" + std::to_string(at) : "");
        }
    };
    static Change of(const Cats& r, char op, Id to = 0, Row at = 0) {
        return {'c', op, r.parent, r.first, r.last, to, at};
    }
    static Change of(const Items& r, char op, Id to = 0, Row at = 0) {
        return {'i', op, r.category, r.first, r.last, to, at};
    }

    static Rows read(const store::Database& db) {
        Rows rows;
        store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& c) {
            auto& cats = rows[{'c', c.id()}];
            for (auto* child = c.firstChild(); child != nullptr; child = child->nextSibling()) {
                cats.push_back(child->id());
            }
            auto& items = rows[{'i', c.id()}];
            store::walkItems(c, [&](const store::ItemRecord& item) {
                items.push_back(item.id());
                return false;
            });
            return false;
        });
        return rows;
    }

    void begin(const Change& c) {
        EXPECT_FALSE(m_inBulk) << "an event inside bulk work";
        EXPECT_EQ(m_open, "") << "an about-to event before the last one was done";
        m_open = c.text();
    }
    // Checks the rows as Qt would and follows the change. Rows out of place would take the copy
    // past its ends, so after reporting them it reads the database afresh instead.
    void end(const Change& c) {
        EXPECT_EQ(m_open, c.text()) << "a done event unlike its about-to event";
        m_open.clear();
        events.push_back(c.text());
        auto& from = m_rows[{c.kind, c.owner}];
        // Inserted rows come from the database; a move may not leave them where they are (at
        // their own place or just after it).
        const std::vector<Row> source = c.op == '+' ? read(m_db)[{c.kind, c.owner}] : from;
        const bool valid =
            c.first <= c.last && c.last < source.size() &&
            (c.op != '+' || c.first <= from.size()) &&
            (c.op != '>' || (c.at <= m_rows[{c.kind, c.to}].size() &&
                             !(c.owner == c.to && c.at >= c.first && c.at <= c.last + 1)));
        EXPECT_TRUE(valid) << "rows out of place: " << c.text();
        if (!valid) {
            m_rows = read(m_db);
            return;
        }
        const auto first = source.begin() + c.first, end = source.begin() + c.last + 1;
        if (c.op == '+') {
            from.insert(from.begin() + c.first, first, end);
            if (c.kind == 'c') {
                // Categories put back whole come with their rows, as a view reads them then.
                const Rows now = read(m_db);
                std::for_each(first, end, [&](Row id) { copySubtree(now, static_cast<Id>(id)); });
            }
            return;
        }
        if (c.kind == 'c' && c.op == '-') {
            std::for_each(from.begin() + c.first, from.begin() + c.last + 1,
                          [&](Row id) { forgetSubtree(static_cast<Id>(id)); });
        }
        from.erase(from.begin() + c.first, from.begin() + c.last + 1);
        if (c.op == '>') {
            const Row count = c.last + 1 - c.first;
            auto& into = m_rows[{c.kind, c.to}];
            into.insert(into.begin() + (c.owner == c.to && c.at > c.first ? c.at - count : c.at),
                        first, end);
        }
    }

    void copySubtree(const Rows& now, Id id) {
        for (char kind : {'c', 'i'}) {
            const auto it = now.find({kind, id});
            m_rows[{kind, id}] = it != now.end() ? it->second : std::vector<Row>{};
        }
        for (Row child : m_rows[{'c', id}]) {
            copySubtree(now, static_cast<Id>(child));
        }
    }
    void forgetSubtree(Id id) {
        for (Row child : m_rows[{'c', id}]) {
            forgetSubtree(static_cast<Id>(child));
        }
        m_rows.erase({'c', id});
        m_rows.erase({'i', id});
    }

    store::Database& m_db;
    Rows m_rows;
    std::string m_open;  // the about-to event waiting for its done event
    bool m_inBulk = false;
};

// A URL item's fields.
inline store::ItemFields link(std::string title, std::string address, std::uint32_t flags = 0) {
    return {std::move(address), "", std::move(title), "", 1, flags, 0, {}, {}};
}

// A File item's fields.
inline store::ItemFields fileItem(std::string name, std::string folder, std::uint64_t size = 0) {
    return {"", std::move(folder), std::move(name), "", 1, store::kKindFile, size, {}, {}};
}

// The titles of a category's items, first to last; each item's position must be its row.
inline std::vector<std::string> itemTitles(const store::Database& db, store::CategoryId id) {
    std::vector<std::string> out;
    for (const store::ItemRecord* i = db.findCategory(id)->firstItem(); i != nullptr;
         i = i->next()) {
        EXPECT_EQ(i->position(), out.size());
        out.emplace_back(i->title());
    }
    return out;
}

}  // namespace lh::test
