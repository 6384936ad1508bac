#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lh::settings {

// Bytes of a binary value.
using Bytes = std::vector<std::uint8_t>;

// One open key of the settings store. Closing it is destroying it. Reads give nothing when the
// value is missing or has another type; failed writes are ignored (the settings are never worth
// an error message).
class SettingsKey {
public:
    virtual ~SettingsKey() = default;
    // A 32-bit number value.
    virtual std::optional<std::uint32_t> readDword(std::string_view name) = 0;
    virtual void writeDword(std::string_view name, std::uint32_t value) = 0;
    // A text value (UTF-8), whole; the caller cuts it to its field's size.
    virtual std::optional<std::string> readString(std::string_view name) = 0;
    virtual void writeString(std::string_view name, std::string_view value) = 0;
    // A binary value, whole.
    virtual std::optional<Bytes> readBinary(std::string_view name) = 0;
    virtual void writeBinary(std::string_view name, const Bytes& value) = 0;
};

}  // namespace lh::settings
