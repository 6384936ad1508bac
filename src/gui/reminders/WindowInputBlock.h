#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace lh::gui {

// Keeps the user's input away from one window's own contents (its panes, menu bar and toolbars,
// and its shortcuts) while it is on. The window's dialogs are windows of their own and stay
// answerable; disabling the window instead would disable them too, since a disabled widget
// disables its children, windows included.
class WindowInputBlock : public QObject {
    Q_OBJECT

public:
    explicit WindowInputBlock(QWidget& window, QObject* parent = nullptr);
    ~WindowInputBlock() override;

    void setOn(bool on);
    bool isOn() const { return m_on; }
    // Called when a click or key meant for the window is held back (to show what blocks it).
    void setOnRefused(std::function<void()> onRefused) { m_onRefused = std::move(onRefused); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isForWindow(QObject* watched, const QEvent& event) const;

    QWidget& m_window;
    bool m_on = false;
    std::function<void()> m_onRefused;
};

}  // namespace lh::gui
