#pragma once

#include <QString>

#include <string_view>

namespace lh::gui {

// A UTF-8 text of the core as a Qt string.
inline QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace lh::gui
