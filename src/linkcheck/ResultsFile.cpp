#include "linkcheck/ResultsFile.h"

// Placeholder until the SQLite results file lands.
namespace lh::linkcheck {

std::unique_ptr<ResultsFile> ResultsFile::open(const std::string&) {
    return nullptr;
}

RunPlan planRun(std::span<const LinkTarget> targets, const ResultsFile*, std::int64_t, int) {
    return RunPlan{{targets.begin(), targets.end()}, {}};
}

std::string resultsPathFor(const std::string& dataFilePath) {
    const auto slash = dataFilePath.find_last_of('/');
    const auto dot = dataFilePath.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? dataFilePath.substr(0, dot) : dataFilePath) + ".linkcheck";
}

}  // namespace lh::linkcheck
