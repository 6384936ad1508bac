// The main window's stored state: toolbar buttons, window placement and pane sizes.

#include <QApplication>
#include <QScreen>
#include <QSplitter>

#include <optional>
#include <vector>

#include "gui/dropzone/DropZone.h"
#include "gui/shell/MainToolbar.h"
#include "gui/shell/MainWindow.h"
#include "gui/tree/CategoryPane.h"
#include "settings/AppSettings.h"
#include "settings/ScreenFit.h"
#include "settings/SettingsStore.h"

namespace lh::gui {

namespace {

bool isToolbarCommand(const settings::ToolbarButton& b) {
    return findToolbarButton(CommandId(b.command)) != nullptr;
}

// `rect` moved (and shrunk) wholly onto the screen it overlaps most; nothing when it is on none.
std::optional<QRect> fittedOnScreens(const QRect& rect) {
    std::vector<settings::ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->availableGeometry();
        screens.push_back({r.left(), r.top(), r.width(), r.height()});
    }
    const auto fitted =
        settings::fitOnScreens({rect.left(), rect.top(), rect.width(), rect.height()}, screens);
    if (!fitted) {
        return std::nullopt;
    }
    return QRect(fitted->left, fitted->top, fitted->width, fitted->height);
}

}  // namespace

void MainWindow::restoreState() {
    const settings::GeneralFlags& flags = m_services.settings.GeneralCheck;
    if (auto stored = m_services.settingsStore.readButtons(isToolbarCommand)) {
        std::vector<ToolbarEntry> entries;
        for (const settings::ToolbarButton& b : *stored) {
            entries.push_back(b.isSeparator() ? ToolbarEntry()
                                              : ToolbarEntry(CommandId(b.command)));
        }
        m_toolbar->setEntries(entries);
    }
    m_toolbar->setShowText(flags.toolbarText());
    m_actions.action(CommandId::ShowText)->setChecked(flags.toolbarText());
    m_actions.action(CommandId::Detail)->setChecked(flags.showDetail());
    m_actions.action(CommandId::Grid)->setChecked(flags.gridLines());
    m_actions.action(CommandId::DropZone)->setChecked(flags.dropZoneShown());
    m_detailPane->setVisible(flags.showDetail());
    m_dropZone->restore();

    const settings::MainLayout layout = m_services.settingsStore.readLayout();
    applyPlacement(layout);
    applyPaneSizes(settings::paneSizes(layout));
}

void MainWindow::applyPlacement(const settings::MainLayout& layout) {
    if (layout.placement) {
        const settings::WindowPlacement& p = *layout.placement;
        const QRect rect(p.left, p.top, p.right - p.left, p.bottom - p.top);
        const std::optional<QRect> fitted =
            rect.width() > 0 && rect.height() > 0 ? fittedOnScreens(rect) : std::nullopt;
        if (fitted) {
            setGeometry(*fitted);
            if (p.showState == settings::WindowPlacement::kShowMaximized) {
                setWindowState(Qt::WindowMaximized);
            }
            return;
        }
    }
    // Nothing usable stored: a 590 x 400 window in the middle of the screen.
    resize(settings::kDefaultWindowWidth, settings::kDefaultWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.left() + (desk.width() - settings::kDefaultWindowWidth) / 2,
             desk.top() + (desk.height() - settings::kDefaultWindowHeight) / 2);
    }
}

void MainWindow::applyPaneSizes(const settings::PaneSizes& sizes) {
    m_requestedPanes = sizes;
    m_outer->setSizes({sizes.treeWidth, sizes.itemWidth});
    m_inner->setSizes({sizes.itemHeight, sizes.detailHeight});
}

settings::MainLayout MainWindow::currentLayout() const {
    settings::MainLayout layout;
    const auto paneRect = [this](const QWidget* pane) {
        const QRect r(pane->mapTo(this, QPoint(0, 0)), pane->size());
        return settings::PaneRect{r.top(), r.bottom() + 1, r.left(), r.right() + 1};
    };
    layout.treePane = paneRect(m_treePane);
    layout.detailPane = paneRect(m_detailPane);
    settings::WindowPlacement placement;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.right() + 1;
    placement.bottom = normal.bottom() + 1;
    placement.showState = isMaximized()   ? settings::WindowPlacement::kShowMaximized
                          : isMinimized() ? settings::WindowPlacement::kShowMinimized
                                          : settings::WindowPlacement::kShowNormal;
    layout.placement = placement;
    return layout;
}

std::vector<settings::ToolbarButton> MainWindow::currentButtons() const {
    std::vector<settings::ToolbarButton> buttons;
    for (const ToolbarEntry& e : m_toolbar->entries()) {
        settings::ToolbarButton b;
        if (!e) {
            b.style = settings::ToolbarButton::kSeparatorStyle;
        } else {
            const ToolbarButtonInfo* info = findToolbarButton(*e);
            b.image = info->image;
            b.command = int(*e);
            b.state = 4;  // enabled
            b.textIndex = int(info - toolbarButtonTable().data());
        }
        buttons.push_back(b);
    }
    return buttons;
}

}  // namespace lh::gui
