#include "gui/uikit/TabMovesFocus.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace lh::gui {

namespace {

bool isCtrlTab(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier;
}

// Types a tab for Ctrl+Tab, before any shortcut or focus change can take the key.
class CtrlTabTypesTab final : public QObject {
public:
    explicit CtrlTabTypesTab(QPlainTextEdit& edit) : QObject(&edit), m_edit(edit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_edit || !isCtrlTab(event)) {
            return false;
        }
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();  // the key comes to the field as a key press
            return true;
        }
        if (!m_edit.isReadOnly()) {
            m_edit.insertPlainText(QStringLiteral("\t"));
        }
        return true;
    }

private:
    QPlainTextEdit& m_edit;
};

}  // namespace

void makeTabMoveFocus(QPlainTextEdit& edit) {
    edit.setTabChangesFocus(true);
    edit.installEventFilter(new CtrlTabTypesTab(edit));
}

}  // namespace lh::gui
