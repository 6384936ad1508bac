#pragma once

#include <cstdint>

namespace lh::settings {

// The `OtherFlag` word (byte 0 is the low byte). Bits without a name are kept and saved.
struct OtherFlags {
    static constexpr std::uint32_t kDefault = 0x000C641F;
    static constexpr std::uint32_t kHideWhenMinimized = 0x2000;  // byte 1, bit 5
    static constexpr std::uint32_t kMinimizeOnClose = 0x4000;    // byte 1, bit 6

    std::uint32_t value = kDefault;

    bool operator==(const OtherFlags&) const = default;

    // Double click on a URL item: 0 properties, 1 comment, 2 or 3 browse (byte 0, bits 6-7).
    int urlDoubleClick() const { return field(6); }
    void setUrlDoubleClick(int action) { setField(6, action); }
    // Double click on a File item (byte 1, bits 0-1).
    int fileDoubleClick() const { return field(8); }
    void setFileDoubleClick(int action) { setField(8, action); }
    // Double click on a Remind item (byte 1, bits 2-3).
    int remindDoubleClick() const { return field(10); }
    void setRemindDoubleClick(int action) { setField(10, action); }
    // Minimising hides the main window to the tray.
    bool hideWhenMinimized() const { return (value & kHideWhenMinimized) != 0; }
    void setHideWhenMinimized(bool on) { set(kHideWhenMinimized, on); }
    // The caption's close button minimises instead of closing.
    bool minimizeOnClose() const { return (value & kMinimizeOnClose) != 0; }
    void setMinimizeOnClose(bool on) { set(kMinimizeOnClose, on); }

private:
    int field(int shift) const { return static_cast<int>((value >> shift) & 3u); }
    void setField(int shift, int action) {
        value = (value & ~(3u << shift)) | ((static_cast<std::uint32_t>(action) & 3u) << shift);
    }
    void set(std::uint32_t bit, bool on) { value = on ? (value | bit) : (value & ~bit); }
};

}  // namespace lh::settings
