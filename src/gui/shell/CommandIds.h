#pragma once

namespace lh::gui {

// The program's command ids. Other parts of the program, the stored toolbar buttons and the
// favourites menu rely on these numbers.
enum class CommandId : int {
    NewDatabase = 32780,
    OpenDatabase = 32781,
    SaveDatabase = 32782,
    SaveDatabaseAs = 32783,
    ImportFavoritesFolder = 32830,
    ImportFirefox = 32832,
    ImportBookmarkFile = 32831,
    ExportBookmarkFile = 32833,
    Exit = 57665,

    NewCategory = 32773,
    DeleteCategory = 32774,
    MoveCategory = 32775,
    CategoryProperties = 32776,

    SelectAll = 32824,
    InvertSelection = 32825,
    Find = 32826,
    FindNext = 32827,

    AddUrl = 32789,
    MoveUp = 32812,
    MoveDown = 32813,
    ItemProperty = 32802,
    DeleteItems = 32819,

    Detail = 32784,
    DropZone = 32778,
    ShowText = 32786,
    CustomizeToolbar = 32787,
    Grid = 32785,
    Columns = 32788,

    Options = 32779,
    CheckForUpdate = 32794,

    UserManual = 32791,
    HomePage = 32790,
    About = 57664,

    OpenHide = 32777,
};

// Favourites-menu entries carry the item's menu id; these numbers are what the entries used to be.
inline constexpr int kFavouritesFirstCommand = 39002;

}  // namespace lh::gui
