#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "items/ItemKind.h"
#include "store/DateTimeStamp.h"

namespace lh::store {
class ItemRecord;
}

namespace lh::items {

// What a column of the item list shows: the codes the stored column layouts use.
enum class FieldCode : std::uint8_t {
    Image = 1,
    Rate = 2,
    Title = 3,
    Address = 4,
    Comment = 5,
    CreateTime = 6,
    FileSize = 7,
    Location = 8,
    RemindTime = 9,
    RowImage = 17,
};

// The text of `item` in a list column showing `code`; empty for the picture columns (image,
// rate) and for codes without a text.
std::string cellText(const store::ItemRecord& item, FieldCode code);

// The number of full stars `rate` shows: 1 to 5; anything else shows as one star.
int shownStars(std::uint8_t rate);

// "2024-03-05 07:08:09" (list cells).
std::string listTimeText(const store::DateTimeStamp& time);
// "2024-3-5 7:8:9" (detail values).
std::string detailTimeText(const store::DateTimeStamp& time);
// A remind time as the list shows it, by the schedule bits of `flags`: one time
// "24-03-05 07:08", every year "03-05 07:08", else "07:08".
std::string listRemindText(std::uint32_t flags, const store::DateTimeStamp& time);
// A remind time as the detail pane of a Remind item shows it: custom weekdays "07:08", every
// year "03-05 07:08", else "24-03-05 07:08".
std::string detailRemindText(std::uint32_t flags, const store::DateTimeStamp& time);

// A file size: "?" when its high 32 bits read as a negative number (a damaged record), else the
// byte count, or with `inKilobytes` the whole kilobytes followed by "KB".
std::string fileSizeText(std::uint64_t size, bool inKilobytes);

// The detail pane's row names for items of `kind`.
std::span<const std::string_view> detailRowNames(ItemKind kind);
// The detail pane's values of `item`, one per row name of its own kind. `sizeInBytes`: File
// items show their size in bytes rather than kilobytes.
std::vector<std::string> detailValues(const store::ItemRecord& item, bool sizeInBytes);

}  // namespace lh::items
