#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace lh::cli {

// `s` as a JSON string literal, quotes included; bytes that are not UTF-8 become U+FFFD.
std::string jsonString(std::string_view s);

// Builds one JSON object on one line, keys in the order they are added.
class JsonLine {
public:
    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) JsonLine& add(std::string_view key,
                                                                              T value) {
        return addNumber(key, static_cast<std::int64_t>(value));
    }
    JsonLine& add(std::string_view key, std::string_view value);
    JsonLine& add(std::string_view key, const char* value) {
        return add(key, std::string_view(value));
    }
    JsonLine& add(std::string_view key, bool value);
    // An array of strings.
    JsonLine& add(std::string_view key, const std::vector<std::string>& values);
    // The object, e.g. {"a":1,"b":"x"}.
    std::string str() const { return "{" + m_body + "}"; }

private:
    JsonLine& addNumber(std::string_view key, std::int64_t value);
    void key(std::string_view name);
    std::string m_body;
};

}  // namespace lh::cli
