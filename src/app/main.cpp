#include <QApplication>

#include "gui/shell/Application.h"
#include "update/ProductInfo.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationVersion(QString::fromUtf8(lh::update::kVersionText));
    QApplication::setQuitOnLastWindowClosed(false);  // hidden to the tray is still running

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    lh::gui::Application linkhaven(arguments);
    if (!linkhaven.start()) {
        return 0;
    }
    return app.exec();
}
