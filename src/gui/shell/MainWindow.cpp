#include "gui/shell/MainWindow.h"

#include <QLabel>
#include <QStatusBar>

#include "store/Database.h"

namespace lh::gui {

MainWindow::MainWindow(store::Database& db, QWidget* parent) : QMainWindow(parent), m_db(db) {
    setupUi();
}

void MainWindow::setupUi() {
    setObjectName("mainWindow");
    setWindowTitle(QStringLiteral("Linkhaven"));
    resize(590, 400);
    statusBar()->showMessage(tr("Ready"));
}

}  // namespace lh::gui
