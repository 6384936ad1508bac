#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace lh::gui {

// Files put on the clipboard the way file managers copy them, so that they paste there:
// text/uri-list, and x-special/gnome-copied-files ("copy", then one file URL a line). The
// caller owns the result.
QMimeData* copiedFilesMimeData(const std::vector<std::string>& paths);

}  // namespace lh::gui
