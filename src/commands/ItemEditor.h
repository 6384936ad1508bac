#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CategoryCommands.h"
#include "commands/Prompter.h"
#include "items/StoredAddress.h"
#include "store/DateTimeStamp.h"
#include "store/Kinds.h"

namespace lh::platform {
class Clock;
struct LocalTime;
}  // namespace lh::platform
namespace lh::settings {
struct AppSettings;
}
namespace lh::store {
class Database;
class ItemRecord;
}  // namespace lh::store

namespace lh::commands {

// Texts the item dialogs show.
inline constexpr std::string_view kInputTitleMessage = "Please input title.";
inline constexpr std::string_view kInputUrlMessage = "Please input Url.";
inline constexpr std::string_view kDuplicateUrlMessage = "Duplicate URL";
inline constexpr std::string_view kInputFileNameMessage = "Please input filename.";
inline constexpr std::string_view kInputFilePathMessage = "Please input file path.";
inline constexpr std::string_view kInvalidFilePathMessage = "Invalid file path.";
inline constexpr std::string_view kFileMissingMessage = "The file is not exist!";
inline constexpr std::string_view kDuplicateFileMessage = "Duplicate file.";
inline constexpr std::string_view kNoCategoryMessage = "Seek Current Pointer error!";
inline constexpr std::string_view kCommentTooLongMessage = "Comment length more than 2000!";
inline constexpr std::string_view kRenameFailedMessage =
    "Can't rename the file on disk; the item keeps its name and folder.";

// Limits on item texts, in bytes (cut on a character boundary).
inline constexpr std::size_t kNewTitleMax = 700;
inline constexpr std::size_t kEditedTitleMax = 200;
inline constexpr std::size_t kFileNameMax = 700;
inline constexpr std::size_t kFolderMax = 2000;
inline constexpr std::size_t kCommentMax = 2000;

// The values of the Add Url dialog as the user left them.
struct UrlValues {
    std::string title;
    std::string address;
    std::string memo;
    std::uint8_t rate = 1;
    std::optional<store::CategoryId> category;
};

// The values of the Add File dialog. `names` may list several files separated by "|" (new mode).
struct FileValues {
    std::string names;
    std::string folder;
    std::string memo;
    std::uint8_t rate = 1;
    std::optional<store::CategoryId> category;
    bool mustExist = false;
};

// The values of the Add Bach File dialog; `rows` top to bottom as the list shows them.
struct BatchRow {
    std::string name;
    std::string folder;
};
struct BatchValues {
    std::vector<BatchRow> rows;
    std::string memo;
    std::uint8_t rate = 1;
    std::optional<store::CategoryId> category;
};

// `t` as an item's create time.
store::DateTimeStamp createStamp(const platform::LocalTime& t);
// Moves `item` to category `target` when that is another one: in front of the first item of
// category 4, after the last item elsewhere.
void moveItemToCategory(store::Database& db, const store::ItemRecord& item,
                        store::CategoryId target);

// The control a refusal concerns, for the dialog to focus.
enum class ItemInput { None, Title, Address, FileName, FilePath, Comment };

// What OK of each item dialog does: checks the values, says what is wrong through the prompter,
// and changes the Database only when everything holds (an edit never half-changes an item).
class ItemEditor {
public:
    ItemEditor(store::Database& db, Prompter& prompter, const platform::Clock& clock);

    DialogOutcome addUrl(const UrlValues& values);
    DialogOutcome editUrl(store::ItemId id, const UrlValues& values);
    DialogOutcome addFiles(const FileValues& values);
    DialogOutcome editFile(store::ItemId id, const FileValues& values);
    DialogOutcome addBatch(const BatchValues& values);
    DialogOutcome editComment(store::ItemId id, std::string_view comment);

    // The control the last KeepOpen concerns (None when there is none to focus).
    ItemInput refusedInput() const { return m_refused; }
    // The items the last add made, in the order they were added.
    const std::vector<store::ItemId>& added() const { return m_added; }
    // The files the last addBatch left out.
    struct Skipped {
        std::size_t duplicates = 0;  // already in the database or listed twice
        std::size_t unreadable = 0;  // cannot be opened
    };
    Skipped skipped() const { return m_skipped; }

    // "Save as default" of Add Url: the category (when one is chosen) and the rate.
    static void saveUrlDefaults(settings::AppSettings& settings,
                                std::optional<store::CategoryId> category, std::uint8_t rate);

private:
    void startCall();
    DialogOutcome refuse(std::string_view text, ItemInput input,
                         Prompter::Icon icon = Prompter::Icon::Warning);
    // Checks the title, address and category shared by Add Url's modes; `title` and `address`
    // become their trimmed forms.
    bool checkUrl(const UrlValues& values, std::string_view& title, std::string_view& address);
    bool hasCategory(std::optional<store::CategoryId> category) const;
    // Checks the file name and folder shared by Add File's modes; sets `folder` to its stored form.
    bool checkFolder(std::string_view typed, std::string& folder);
    // True when a File item anywhere in the tree has this name and folder.
    bool containsFile(std::string_view name, std::string_view folder) const;
    // Renames the edited item's file on disk when it is there; false (nothing changed, user told)
    // when the move is not allowed or fails.
    bool renameOnDisk(const store::ItemRecord& item, const std::string& name,
                      const std::string& folder);

    store::Database& m_db;
    Prompter& m_prompter;
    const platform::Clock& m_clock;
    ItemInput m_refused = ItemInput::None;
    std::vector<store::ItemId> m_added;
    Skipped m_skipped;
};

}  // namespace lh::commands
