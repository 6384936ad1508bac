#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "linkcheck/LinkCheck.h"

namespace lh::linkcheck {

// The results of earlier runs, kept beside the data file in "<stem>.linkcheck" (a small SQLite
// database: address, verdict, code, final address, checked time). Never part of the .lhd file.
// A missing or damaged results file is simply started afresh.
class ResultsFile {
public:
    // Opens (or creates) the results file at `path`; a damaged file is replaced by an empty one.
    // Null only when nothing can be written there (the run then goes on without memory).
    static std::unique_ptr<ResultsFile> open(const std::string& path);
    virtual ~ResultsFile() = default;

    // The latest result for `address` checked at or after `notBefore` (seconds since the epoch).
    virtual std::optional<LinkResult> recent(std::string_view address,
                                             std::int64_t notBefore) const = 0;
    // Keeps `result` as the latest for its address.
    virtual void remember(const LinkResult& result) = 0;
};

// What a run has to do: the targets to check, and the ones with a result of the last `sinceDays`
// days (marked `remembered`, their `index` and `itemId` those of the target). `results` may be
// null; `sinceDays` 0 checks everything.
struct RunPlan {
    std::vector<LinkTarget> toCheck;
    std::vector<LinkResult> remembered;
};
RunPlan planRun(std::span<const LinkTarget> targets, const ResultsFile* results, std::int64_t now,
                int sinceDays);

// "/dir/Default.lhd" -> "/dir/Default.linkcheck".
std::string resultsPathFor(const std::string& dataFilePath);

}  // namespace lh::linkcheck
