#pragma once

#include <cstdint>

namespace lh::settings {

// The `GeneralCheck` flag word. Bits without a name are kept and saved unchanged.
struct GeneralFlags {
    static constexpr std::uint16_t kShowDetail = 0x0004;
    static constexpr std::uint16_t kStartMinimized = 0x0008;
    static constexpr std::uint16_t kFileMustExist = 0x0010;
    // Named DailyBackup in the stored word; the program reads it as the DropZone's visibility.
    // The daily backup has its own switch, AppSettings::AutoBackup.
    static constexpr std::uint16_t kDailyBackup = 0x0020;
    static constexpr std::uint16_t kAutoSave = 0x0040;
    static constexpr std::uint16_t kSizeInBytes = 0x0080;
    static constexpr std::uint16_t kGridLines = 0x0400;
    static constexpr std::uint16_t kToolbarText = 0x0800;
    static constexpr std::uint16_t kDefault = 0x70E6;

    std::uint16_t value = kDefault;

    bool operator==(const GeneralFlags&) const = default;

    // The detail pane is shown.
    bool showDetail() const { return has(kShowDetail); }
    void setShowDetail(bool on) { set(kShowDetail, on); }
    // The main window is minimised right after start.
    bool startMinimized() const { return has(kStartMinimized); }
    void setStartMinimized(bool on) { set(kStartMinimized, on); }
    // The Add File dialog's "The file must exist" box starts checked.
    bool fileMustExist() const { return has(kFileMustExist); }
    void setFileMustExist(bool on) { set(kFileMustExist, on); }
    // The DropZone window is shown (bit DailyBackup).
    bool dropZoneShown() const { return has(kDailyBackup); }
    void setDropZoneShown(bool on) { set(kDailyBackup, on); }
    // The database is saved every AutoSaveTime.
    bool autoSave() const { return has(kAutoSave); }
    void setAutoSave(bool on) { set(kAutoSave, on); }
    // File sizes are shown in bytes rather than kilobytes.
    bool sizeInBytes() const { return has(kSizeInBytes); }
    void setSizeInBytes(bool on) { set(kSizeInBytes, on); }
    // The item list shows grid lines.
    bool gridLines() const { return has(kGridLines); }
    void setGridLines(bool on) { set(kGridLines, on); }
    // Toolbar buttons show their texts.
    bool toolbarText() const { return has(kToolbarText); }
    void setToolbarText(bool on) { set(kToolbarText, on); }

private:
    bool has(std::uint16_t bit) const { return (value & bit) != 0; }
    void set(std::uint16_t bit, bool on) {
        value = static_cast<std::uint16_t>(on ? (value | bit) : (value & ~bit));
    }
};

}  // namespace lh::settings
