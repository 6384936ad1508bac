#pragma once

class QPlainTextEdit;

namespace lh::gui {

// Makes Tab (and Shift+Tab) in a multi-line comment or memo field move to the next (previous)
// control, as in every one-line field; Ctrl+Tab types a tab character instead.
void makeTabMoveFocus(QPlainTextEdit& edit);

}  // namespace lh::gui
