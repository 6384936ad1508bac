#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace lh::test {

// Sets environment variables for the length of a test and puts back what was there.
class ScopedEnvironment {
public:
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            (void)(value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str()));
        }
    }
    void set(const std::string& name, const std::string& value) {
        save(name);
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    void unset(const std::string& name) {
        save(name);
        ::unsetenv(name.c_str());
    }

private:
    void save(const std::string& name) {
        const char* old = std::getenv(name.c_str());
        m_saved.try_emplace(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
    }

    std::map<std::string, std::optional<std::string>> m_saved;
};

}  // namespace lh::test
