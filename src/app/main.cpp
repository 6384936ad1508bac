#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "gui/shell/Application.h"
#include "store/LaunchArguments.h"
#include "update/ProductInfo.h"

int main(int argc, char* argv[]) {
    // --help and --version answer before Qt starts: no window, no display needed.
    const lh::store::LaunchRequest request =
        lh::store::readLaunchArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (request.kind != lh::store::LaunchRequest::Kind::Run) {
        const std::string text = request.kind == lh::store::LaunchRequest::Kind::Help
                                     ? lh::store::launchHelpText()
                                     : lh::store::launchVersionText(lh::update::kVersionText);
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    std::fputs(lh::store::ignoredArgumentsLine(request.ignored).c_str(), stderr);

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationName(QStringLiteral("Linkhaven"));
    QApplication::setApplicationVersion(QString::fromUtf8(lh::update::kVersionText));
    // Lets Wayland desktops match the windows to linkhaven.desktop (its icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("linkhaven"));
    QApplication::setQuitOnLastWindowClosed(false);  // hidden to the tray is still running

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    lh::gui::Application linkhaven(arguments);
    if (!linkhaven.start()) {
        return 0;
    }
    return app.exec();
}
