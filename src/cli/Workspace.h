#pragma once

#include <string>

#include "store/Database.h"

namespace lh::cli {

// Where a command that changes a database file does its work: a database of its own, loaded from
// the file and saved back (linkhaven-cli), or the database a running window has open, which the
// window then saves (a command handed to it).
class Workspace {
public:
    virtual ~Workspace() = default;

    virtual store::Database& db() = 0;
    // Loads the file at `path` into db().
    [[nodiscard]] virtual store::LoadOutcome load(const std::string& path,
                                                  platform::IoError& error) = 0;
    // Writes db() to `path`, crash-safely.
    [[nodiscard]] virtual bool save(const std::string& path, platform::IoError& error) = 0;
    // Makes db() the default database and writes it to `path`.
    [[nodiscard]] virtual bool createDefault(const std::string& path, platform::IoError& error) = 0;
};

// linkhaven-cli's own: a database that lives as long as the command.
class FileWorkspace final : public Workspace {
public:
    store::Database& db() override { return m_db; }
    store::LoadOutcome load(const std::string& path, platform::IoError& error) override {
        return m_db.load(path, error);
    }
    bool save(const std::string& path, platform::IoError& error) override {
        return m_db.save(path, error);
    }
    bool createDefault(const std::string& path, platform::IoError& error) override {
        return m_db.createDefault(path, error);
    }

private:
    store::Database m_db;
};

}  // namespace lh::cli
