#pragma once

#include <QIcon>

namespace lh::gui {

// The category icons of the tree and the category choosers, drawn in code: 16 x 16 with a
// 32 x 32 form for high-density screens. `index` is a place in the strip of
// tree::categoryIconIndex(); places without a picture of their own show a plain folder.
QIcon categoryIcon(int index);

}  // namespace lh::gui
