#include "gui/dropzone/DropZoneWindow.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "commands/DropZonePlacement.h"
#include "gui/dropzone/ClockPictures.h"
#include "platform/Clock.h"

namespace lh::gui {

namespace {

constexpr int kTickMs = 1000;

DroppedData droppedData(const QMimeData& mime) {
    DroppedData data;
    QString remote;
    for (const QUrl& url : mime.urls()) {
        if (url.isLocalFile()) {
            data.hasFiles = true;
            data.files.push_back(url.toLocalFile().toStdString());
        } else if (remote.isEmpty()) {
            remote = url.toString();
        }
    }
    if (!data.hasFiles) {
        data.text = (remote.isEmpty() ? mime.text() : remote).toStdString();
    }
    return data;
}

// `picture` with its magenta pixels see-through and the others at `opacity`.
QImage translucentPicture(const QImage& picture, int opacity) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            line[x] = line[x] == kKeyColour
                          ? qRgba(0, 0, 0, 0)
                          : qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), opacity);
        }
    }
    return out;
}

}  // namespace

DropZoneWindow::DropZoneWindow(const platform::Clock& clock, Look look)
    : QWidget(nullptr), m_clock(clock), m_look(look) {
    setObjectName("dropZoneWindow");
    setWindowTitle(QStringLiteral("DropZone"));
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if (!m_look.alphaShaped) {
        flags |= Qt::WindowStaysOnTopHint;  // elsewhere that is the compositor's choice
    }
    setWindowFlags(flags);
    setFixedSize(commands::kDropZoneSize, commands::kDropZoneSize);
    setAcceptDrops(true);
    // The shape takes the pointer too: clicks beside the face go to what lies below.
    setMask(clockShape());
    if (m_look.alphaShaped) {
        setAttribute(Qt::WA_TranslucentBackground);
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setWindowOpacity(m_look.opacity / 255.0);  // without a compositor nothing happens
    }
    connect(&m_tick, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_tick.start(kTickMs);
}

void DropZoneWindow::paintEvent(QPaintEvent*) {
    // Drawn at the screen's density, so that it stays sharp.
    const int scale = std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())));
    const QImage picture = clockPicture(m_clock.now(), m_look.hands, scale);
    QPainter p(this);
    if (m_look.alphaShaped) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRectF(rect()), translucentPicture(picture, m_look.opacity));
    } else {
        p.drawImage(QRectF(rect()), picture);
    }
}

// --- Moving, clicks ----------------------------------------------------------------------------

void DropZoneWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_leftDown = true;
        m_moving = false;
        m_movingByHand = false;
        m_pressGlobal = event->globalPosition().toPoint();
        m_pressOffset = m_pressGlobal - pos();
    }
}

void DropZoneWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!m_leftDown || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    if (!m_moving) {
        if ((global - m_pressGlobal).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        m_moving = true;
        // The window system moves it from here (and ends the press); some cannot.
        m_movingByHand = windowHandle() == nullptr || !windowHandle()->startSystemMove();
    }
    if (m_movingByHand) {
        move(global - m_pressOffset);
    }
}

void DropZoneWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftDown = false;
        m_moving = false;
        m_movingByHand = false;
    }
}

void DropZoneWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftDown = false;
        emit doubleClicked();
    }
}

// --- Drops -------------------------------------------------------------------------------------

bool DropZoneWindow::acceptsDrop(QDropEvent& event) const {
    const QMimeData* mime = event.mimeData();
    // Always as a copy: a source told "moved" may delete what it dragged.
    const bool usable = mime != nullptr && (mime->hasUrls() || mime->hasText()) &&
                        (event.possibleActions() & Qt::CopyAction) != 0 &&
                        !(m_refuseDrops && m_refuseDrops());
    if (!usable) {
        event.ignore();
        return false;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return true;
}

void DropZoneWindow::dragEnterEvent(QDragEnterEvent* event) {
    acceptsDrop(*event);
}

void DropZoneWindow::dragMoveEvent(QDragMoveEvent* event) {
    acceptsDrop(*event);
}

void DropZoneWindow::dropEvent(QDropEvent* event) {
    if (!acceptsDrop(*event)) {
        return;
    }
    // The source waits until the drop event returns: what the drop opens comes after.
    QMetaObject::invokeMethod(
        this, [this, data = droppedData(*event->mimeData())] { emit dropped(data); },
        Qt::QueuedConnection);
}

}  // namespace lh::gui
