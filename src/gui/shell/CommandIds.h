#pragma once

namespace lh::gui {

// Every command id of the program, in one place: the main menu, the tree's context menu, the
// toolbar and the tray menu. The stored toolbar buttons keep these numbers, so they never change.
// (The favourites menu's entries are numbered from store::kFavouritesCommandBase.)
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

    // The tree's context menu: the same four commands on the right-clicked category.
    TreeNewCategory = 32796,
    TreeDeleteCategory = 32797,
    TreeMoveCategory = 32798,
    TreeCategoryProperties = 32799,

    Undo = 32850,
    Redo = 32851,
    SelectAll = 32824,
    InvertSelection = 32825,
    Find = 32826,
    FindNext = 32827,

    AddUrl = 32789,
    AddFile = 32800,
    AddRemind = 32801,
    AddBatchFile = 32817,
    MoveUp = 32812,
    MoveDown = 32813,
    ItemProperty = 32802,
    DeleteItems = 32819,

    // The item list's context menus.
    BrowseUrl = 32803,
    ItemComment = 32804,
    OpenFile = 32805,
    CopyFile = 32829,
    OpenFileFolder = 32816,

    Detail = 32784,
    DropZone = 32778,
    ShowText = 32786,
    CustomizeToolbar = 32787,
    Grid = 32785,
    Columns = 32788,

    Options = 32779,
    CheckLinks = 32900,
    CheckForUpdate = 32794,

    UserManual = 32791,
    HomePage = 32790,
    About = 57664,

    OpenHide = 32777,
};

}  // namespace lh::gui
