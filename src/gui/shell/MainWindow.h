#pragma once

#include <QMainWindow>

namespace lh::store {
class Database;
}

namespace lh::gui {

// The program's main window. It shows the open database; the panes come with later work.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(store::Database& db, QWidget* parent = nullptr);

private:
    void setupUi();

    store::Database& m_db;
};

}  // namespace lh::gui
