#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "settings/SettingsBackend.h"

namespace lh::test {

// Settings in memory, typed like the registry. Records every write ("General/AutoSaveTime") and
// refuses the keys a test lists.
class MemorySettingsBackend final : public settings::SettingsBackend {
public:
    using Value = std::variant<std::uint32_t, std::string, settings::Bytes>;

    std::map<std::string, std::map<std::string, Value>, std::less<>> keys;
    std::set<std::string, std::less<>> refused;      // keys that cannot be opened
    std::vector<std::string> writes;                 // "key/value" in write order
    std::map<std::string, std::string> userStrings;  // "keyPath/name" -> text

    std::uint32_t dword(const std::string& key, const std::string& name) const {
        return std::get<std::uint32_t>(keys.at(key).at(name));
    }
    bool wasWritten(const std::string& keyAndName) const {
        return std::find(writes.begin(), writes.end(), keyAndName) != writes.end();
    }

    std::unique_ptr<settings::SettingsKey> openKey(std::string_view path, bool create) override {
        if (refused.count(path) != 0 || (!create && keys.find(path) == keys.end())) {
            return nullptr;
        }
        keys[std::string(path)];  // created when missing
        return std::make_unique<Key>(*this, std::string(path));
    }
    std::optional<std::string> readUserString(std::string_view keyPath,
                                              std::string_view name) override {
        const auto it = userStrings.find(std::string(keyPath) + "/" + std::string(name));
        return it == userStrings.end() ? std::nullopt : std::optional(it->second);
    }

private:
    class Key final : public settings::SettingsKey {
        using Name = std::string_view;
        using Dword = std::uint32_t;
        using Bytes = settings::Bytes;

    public:
        Key(MemorySettingsBackend& backend, std::string name)
            : m_backend(backend), m_name(std::move(name)) {}

        std::optional<Dword> readDword(Name n) override { return read<Dword>(n); }
        void writeDword(Name n, Dword v) override { write(n, v); }
        std::optional<std::string> readString(Name n) override { return read<std::string>(n); }
        void writeString(Name n, Name v) override { write(n, std::string(v)); }
        std::optional<Bytes> readBinary(Name n) override { return read<Bytes>(n); }
        void writeBinary(Name n, const Bytes& v) override { write(n, v); }

    private:
        template <typename T>
        std::optional<T> read(std::string_view name) {
            const auto& values = m_backend.keys[m_name];
            const auto v = values.find(std::string(name));
            return v == values.end() || !std::holds_alternative<T>(v->second)
                       ? std::nullopt
                       : std::optional(std::get<T>(v->second));
        }
        void write(std::string_view name, Value value) {
            m_backend.keys[m_name][std::string(name)] = std::move(value);
            m_backend.writes.push_back(m_name + "/" + std::string(name));
        }

        MemorySettingsBackend& m_backend;
        std::string m_name;
    };
};

}  // namespace lh::test
