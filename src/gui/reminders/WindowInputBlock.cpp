#include "gui/reminders/WindowInputBlock.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace lh::gui {

namespace {

// What the user does to a widget; paint, resize and timer events still reach the window.
bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

bool isRefusal(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::KeyPress;
}

}  // namespace

WindowInputBlock::WindowInputBlock(QWidget& window, QObject* parent)
    : QObject(parent), m_window(window) {}

WindowInputBlock::~WindowInputBlock() {
    setOn(false);
}

void WindowInputBlock::setOn(bool on) {
    if (on == m_on) {
        return;
    }
    m_on = on;
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool WindowInputBlock::isForWindow(QObject* watched, const QEvent& event) const {
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
        return widget->window() == &m_window;
    }
    // Shortcuts go to their action, not to a widget: they belong to the window that is active.
    return event.type() == QEvent::Shortcut && QApplication::activeWindow() == &m_window;
}

bool WindowInputBlock::eventFilter(QObject* watched, QEvent* event) {
    if (!isInput(event->type()) || !isForWindow(watched, *event)) {
        return false;
    }
    if (isRefusal(event->type()) && m_onRefused) {
        m_onRefused();
    }
    event->accept();
    return true;
}

}  // namespace lh::gui
