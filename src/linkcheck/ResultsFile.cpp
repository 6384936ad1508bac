#include "linkcheck/ResultsFile.h"

#include <sqlite3.h>

#include <filesystem>

namespace lh::linkcheck {

namespace {

constexpr int kSchemaVersion = 1;
constexpr std::int64_t kSecondsPerDay = 86'400;

// A lost results file only costs a re-check, so writes are not synced: a run keeps thousands.
constexpr const char* kSchema =
    "PRAGMA synchronous=OFF;"
    "PRAGMA journal_mode=MEMORY;"
    "CREATE TABLE IF NOT EXISTS results(address TEXT PRIMARY KEY, verdict TEXT NOT NULL,"
    " code INTEGER NOT NULL, final TEXT NOT NULL, reason TEXT NOT NULL, ms INTEGER NOT NULL,"
    " checked INTEGER NOT NULL);"
    "PRAGMA user_version=1;";

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return m_statement; }
    explicit operator bool() const { return m_statement != nullptr; }

private:
    sqlite3_stmt* m_statement = nullptr;
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const auto* text = sqlite3_column_text(statement, column);
    return text == nullptr ? std::string() : reinterpret_cast<const char*>(text);
}

int userVersion(sqlite3* db) {
    Statement statement(db, "PRAGMA user_version");
    return statement && sqlite3_step(statement.get()) == SQLITE_ROW
               ? sqlite3_column_int(statement.get(), 0)
               : -1;
}

// Whether `db` is a results file of ours, whole: readable, our table, not damaged.
bool sound(sqlite3* db) {
    Statement check(db, "PRAGMA quick_check");
    if (!check || sqlite3_step(check.get()) != SQLITE_ROW || columnText(check.get(), 0) != "ok") {
        return false;
    }
    const int version = userVersion(db);
    return version == 0 || (version == kSchemaVersion &&
                            Statement(db,
                                      "SELECT address, verdict, code, final, reason, ms,"
                                      " checked FROM results LIMIT 0"));
}

sqlite3* openDatabase(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 2000);
    return db;
}

class SqliteResultsFile final : public ResultsFile {
public:
    explicit SqliteResultsFile(sqlite3* db) : m_db(db) {}
    ~SqliteResultsFile() override { sqlite3_close(m_db); }
    SqliteResultsFile(const SqliteResultsFile&) = delete;
    SqliteResultsFile& operator=(const SqliteResultsFile&) = delete;

    std::optional<LinkResult> recent(std::string_view address,
                                     std::int64_t notBefore) const override {
        Statement select(m_db,
                         "SELECT verdict, code, final, reason, ms, checked FROM results"
                         " WHERE address = ?1 AND checked >= ?2");
        if (!select) {
            return std::nullopt;
        }
        sqlite3_bind_text(select.get(), 1, address.data(), static_cast<int>(address.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_int64(select.get(), 2, notBefore);
        if (sqlite3_step(select.get()) != SQLITE_ROW) {
            return std::nullopt;
        }
        const std::optional<Verdict> verdict = verdictFromName(columnText(select.get(), 0));
        if (!verdict) {
            return std::nullopt;
        }
        LinkResult result;
        result.address = address;
        result.verdict = *verdict;
        result.code = sqlite3_column_int(select.get(), 1);
        result.finalAddress = columnText(select.get(), 2);
        result.reason = columnText(select.get(), 3);
        result.ms = sqlite3_column_int64(select.get(), 4);
        result.checkedAt = sqlite3_column_int64(select.get(), 5);
        result.remembered = true;
        return result;
    }

    void remember(const LinkResult& result) override {
        Statement insert(m_db,
                         "INSERT OR REPLACE INTO results(address, verdict, code, final, reason,"
                         " ms, checked) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
        if (!insert) {
            return;
        }
        const std::string_view verdict = verdictName(result.verdict);
        sqlite3_bind_text(insert.get(), 1, result.address.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert.get(), 2, verdict.data(), static_cast<int>(verdict.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(insert.get(), 3, result.code);
        sqlite3_bind_text(insert.get(), 4, result.finalAddress.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert.get(), 5, result.reason.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert.get(), 6, result.ms);
        sqlite3_bind_int64(insert.get(), 7, result.checkedAt);
        sqlite3_step(insert.get());
    }

private:
    sqlite3* m_db;
};

// `path` opened as a results file, or null when it is not one (or cannot be opened).
sqlite3* openSound(const std::string& path) {
    sqlite3* db = openDatabase(path);
    if (db != nullptr &&
        (!sound(db) || sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK)) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

}  // namespace

std::unique_ptr<ResultsFile> ResultsFile::open(const std::string& path) {
    sqlite3* db = openSound(path);
    if (db == nullptr) {
        // Damaged or not ours: start afresh.
        std::error_code ignored;
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            std::filesystem::remove(path + suffix, ignored);
        }
        db = openSound(path);
    }
    return db == nullptr ? nullptr : std::make_unique<SqliteResultsFile>(db);
}

RunPlan planRun(std::span<const LinkTarget> targets, const ResultsFile* results, std::int64_t now,
                int sinceDays) {
    RunPlan plan;
    const std::int64_t notBefore = now - std::int64_t{sinceDays} * kSecondsPerDay;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const LinkTarget& target = targets[i];
        std::optional<LinkResult> known;
        if (results != nullptr && sinceDays > 0) {
            known = results->recent(target.address, notBefore);
        }
        // Errors may pass and what was skipped depends on the run's rules: both are asked again.
        if (known && (known->verdict == Verdict::Error || known->verdict == Verdict::Skipped)) {
            known.reset();
        }
        if (known) {
            known->index = i;
            known->itemId = target.itemId;
            plan.remembered.push_back(std::move(*known));
        } else {
            plan.toCheck.push_back(target);
        }
    }
    return plan;
}

std::string resultsPathFor(const std::string& dataFilePath) {
    const auto slash = dataFilePath.find_last_of('/');
    const auto dot = dataFilePath.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? dataFilePath.substr(0, dot) : dataFilePath) + ".linkcheck";
}

}  // namespace lh::linkcheck
