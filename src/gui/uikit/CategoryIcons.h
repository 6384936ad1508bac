#pragma once

#include <QIcon>

#include <cstdint>

#include "store/Kinds.h"

namespace lh::gui {

// The icon of category `id` with `flags`, as the tree and the category choosers show it, drawn
// in code: 16 x 16 with a 32 x 32 form for high-density screens. The root, "WebFavorite" and
// "Recycle" have their own; every other category shows its class.
QIcon categoryIcon(store::CategoryId id, std::uint8_t flags);

}  // namespace lh::gui
