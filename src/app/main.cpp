#include <QApplication>

#include "gui/shell/MainWindow.h"
#include "store/Database.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationVersion(QStringLiteral(LINKHAVEN_VERSION));

    lh::store::Database db;
    lh::gui::MainWindow window(db);
    window.show();
    return app.exec();
}
