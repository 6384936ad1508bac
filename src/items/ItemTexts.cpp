#include "items/ItemTexts.h"

#include <array>
#include <cstdio>

#include "store/ItemRecord.h"
#include "store/RemindKey.h"

namespace lh::items {

namespace {

using store::DateTimeStamp;

constexpr std::array<std::string_view, 5> kUrlRows = {"Rate", "Title", "URL", "Comment",
                                                      "Create Time"};
constexpr std::array<std::string_view, 6> kFileRows = {"Rate",      "File Name", "File Size",
                                                       "Save Path", "Comment",   "Create Time"};
constexpr std::array<std::string_view, 6> kRemindRows = {"Rate",    "Title",       "remind Time",
                                                         "Comment", "Create Time", "Remind Sound"};
constexpr std::array<std::string_view, 8> kMixedRows = {
    "Rate",        "Title(File Name)", "URL",       "Comment",
    "Create Time", "Remind Time",      "File Size", "Save Path"};

// printf into a short string; every format here fits in 48 bytes.
template <typename... Args>
std::string format(const char* pattern, Args... args) {
    std::array<char, 48> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), pattern, args...);
    return n > 0 ? std::string(buffer.data()) : std::string();
}

std::string fullTime(const char* pattern, const DateTimeStamp& t) {
    return format(pattern, int{t.year}, int{t.month}, int{t.day}, int{t.hour}, int{t.minute},
                  int{t.second});
}

std::string onceRemind(const DateTimeStamp& t) {
    return format("%02d-%02d-%02d %02d:%02d", int{t.year}, int{t.month}, int{t.day}, int{t.hour},
                  int{t.minute});
}

std::string yearlyRemind(const DateTimeStamp& t) {
    return format("%02d-%02d %02d:%02d", int{t.month}, int{t.day}, int{t.hour}, int{t.minute});
}

std::string dailyRemind(const DateTimeStamp& t) {
    return format("%02d:%02d", int{t.hour}, int{t.minute});
}

bool sizeUnknown(std::uint64_t size) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(size >> 32)) < 0;
}

std::string stars(const store::ItemRecord& item) {
    return format("%d Star", int{item.rate()});
}

}  // namespace

std::string cellText(const store::ItemRecord& item, FieldCode code) {
    switch (code) {
        case FieldCode::Title:
            return std::string(item.title());
        case FieldCode::Address:
            return std::string(item.address());
        case FieldCode::Comment:
            return std::string(item.comment());
        case FieldCode::CreateTime:
            return listTimeText(item.createTime());
        case FieldCode::FileSize:
            return fileSizeText(item.fileSize(), false);
        case FieldCode::Location:
            return std::string(item.location());
        case FieldCode::RemindTime:
            return listRemindText(item.flags(), item.remindTime());
        case FieldCode::Image:
        case FieldCode::Rate:
        case FieldCode::RowImage:
            break;
    }
    return {};
}

int shownStars(std::uint8_t rate) {
    return rate == 0 || rate > 5 ? 1 : rate;
}

std::string listTimeText(const DateTimeStamp& time) {
    return fullTime("%04d-%02d-%02d %02d:%02d:%02d", time);
}

std::string detailTimeText(const DateTimeStamp& time) {
    return fullTime("%d-%d-%d %d:%d:%d", time);
}

std::string listRemindText(std::uint32_t flags, const DateTimeStamp& time) {
    switch (flags & store::kScheduleMask) {
        case store::kScheduleOnce:
            return onceRemind(time);
        case store::kScheduleYearly:
            return yearlyRemind(time);
        default:
            return dailyRemind(time);
    }
}

std::string detailRemindText(std::uint32_t flags, const DateTimeStamp& time) {
    switch (flags & store::kScheduleMask) {
        case store::kScheduleWeekdays:
            return dailyRemind(time);
        case store::kScheduleYearly:
            return yearlyRemind(time);
        default:
            return onceRemind(time);
    }
}

std::string fileSizeText(std::uint64_t size, bool inKilobytes) {
    if (sizeUnknown(size)) {
        return "?";
    }
    return inKilobytes ? std::to_string(size / 1024) + "KB" : std::to_string(size);
}

std::span<const std::string_view> detailRowNames(ItemKind kind) {
    switch (kind) {
        case ItemKind::Url:
            return kUrlRows;
        case ItemKind::File:
            return kFileRows;
        case ItemKind::Remind:
            return kRemindRows;
        case ItemKind::Mixed:
            break;
    }
    return kMixedRows;
}

std::vector<std::string> detailValues(const store::ItemRecord& item, bool sizeInBytes) {
    const std::string created = detailTimeText(item.createTime());
    const std::string title(item.title());
    const std::string address(item.address());
    const std::string comment(item.comment());
    const std::string location(item.location());
    switch (kindOf(item)) {
        case ItemKind::Url:
            return {stars(item), title, address, comment, created};
        case ItemKind::File:
            return {stars(item), title,   fileSizeText(item.fileSize(), !sizeInBytes),
                    location,    comment, created};
        case ItemKind::Remind:
            return {stars(item), title,   detailRemindText(item.flags(), item.remindTime()),
                    comment,     created, location};
        case ItemKind::Mixed:
            break;
    }
    return {stars(item),
            title,
            address,
            comment,
            created,
            detailTimeText(item.remindTime()),
            fileSizeText(item.fileSize(), false),
            location};
}

}  // namespace lh::items
