#include <QApplication>

#include "gui/shell/MainWindow.h"
#include "gui/shell/MessageBoxPrompter.h"
#include "store/Database.h"
#include "store/ObserverList.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationVersion(QStringLiteral(LINKHAVEN_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);  // hidden to the tray is still running

    lh::store::Database db;
    lh::store::ObserverList observers;
    db.setObserver(&observers);
    lh::gui::MessageBoxPrompter prompter;
    lh::gui::DialogFileChooser files;
    lh::gui::MainWindow window({db, observers, prompter, files});
    prompter.setParent(&window);
    files.setParent(&window);
    QObject::connect(&window, &lh::gui::MainWindow::closing, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    db.createDefault();
    window.show();
    return app.exec();
}
