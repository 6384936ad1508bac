#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lh::store {

// Where the data file is and how its path is shown and chosen. Pure functions of their inputs.

inline constexpr std::string_view kDefaultDataFileName = "Default.lhd";
// The filter of every database file dialog.
inline constexpr std::string_view kDatabaseFilter = "Linkhaven Files (*.lhd)";
// The name the save dialog proposes for an untitled database.
inline constexpr std::string_view kUntitledName = "Untitled.lhd";

// True when the text after the last '.' of the path's file name is "lhd" in any letter case.
bool hasDatabaseExtension(std::string_view path);

// The data file named on the command line: the first argument with the database extension,
// made absolute against `currentFolder` when relative. Nothing when no argument qualifies.
std::optional<std::string> dataFileFromCommandLine(const std::vector<std::string>& args,
                                                   std::string_view currentFolder);

// The default data file in the user's data folder (`dataHome`/Linkhaven/Default.lhd); empty
// when `dataHome` is empty.
std::string defaultDataFile(std::string_view dataHome);

// The data file to open at start: `current` (from the command line) when set, else the
// remembered `remotefile` when it is an absolute path, else `defaultPath`.
std::string locateDataFile(std::string_view current, const std::optional<std::string>& remotefile,
                           std::string_view defaultPath);

// The main window's title: "<file name> -- Linkhaven", or "Untitled.lhd  Linkhaven".
std::string windowTitle(std::string_view dataFile);

// A path chosen in a save dialog, made a database name: trailing blanks go, and ".lhd" is
// appended unless the name already ends in ".lhd" in any letter case (notes -> notes.lhd,
// notes.LHD stays, notes.txt -> notes.txt.lhd).
std::string normaliseExtension(std::string_view chosen);

}  // namespace lh::store
