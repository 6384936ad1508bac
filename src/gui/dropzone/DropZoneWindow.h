#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "gui/dropzone/ClockPainter.h"

namespace lh::platform {
class Clock;
}

namespace lh::gui {

// What was dropped, as it left the drop event: local file names (from file: URLs), or else the
// text or the first remote address offered.
struct DroppedData {
    bool hasFiles = false;
    std::vector<std::string> files;
    std::string text;
};

// The DropZone: an 86 x 86 round clock, frameless, without a task-bar button, repainted every
// second from the clock it is given. It is a window of its own (no parent), so it stays when the
// main window hides. Dragging it with the left button moves it once the pointer has gone the
// drag distance (so a double click still arrives); what a double click, a right click or a drop
// means is its owner's (the signals).
class DropZoneWindow : public QWidget {
    Q_OBJECT

public:
    struct Look {
        HandColours hands;
        int opacity = 255;  // 0..255
        // The compositor draws window transparency (Wayland): the face is cut out by alpha and
        // made translucent by painting; otherwise by the window's shape and opacity.
        bool alphaShaped = false;
    };

    DropZoneWindow(const platform::Clock& clock, Look look);

    // While this says so, drops are refused (a modal dialog must be answered first).
    void setRefuseDrops(std::function<bool()> refuse) { m_refuseDrops = std::move(refuse); }

signals:
    void doubleClicked();
    // A right click at `globalPos` (screen pixels).
    void menuRequested(QPoint globalPos);
    // Something was dropped; emitted after the drop event has returned to its source.
    void dropped(const DroppedData& data);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool acceptsDrop(QDropEvent& event) const;

    const platform::Clock& m_clock;
    Look m_look;
    QTimer m_tick;
    std::function<bool()> m_refuseDrops;
    bool m_leftDown = false;
    bool m_moving = false;        // the drag distance was passed
    bool m_movingByHand = false;  // the window system cannot move it: follow the pointer
    QPoint m_pressGlobal;
    QPoint m_pressOffset;  // where in the window the button went down
};

}  // namespace lh::gui
