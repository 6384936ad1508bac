#include "gui/shell/BrowserLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "browse/BrowserCommand.h"
#include "browse/DefaultBrowser.h"
#include "commands/Prompter.h"

namespace lh::gui {

BrowserLauncher::BrowserLauncher(commands::Prompter& prompter,
                                 std::function<std::string()> browserCommand)
    : m_prompter(prompter), m_browserCommand(std::move(browserCommand)) {
    m_start = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

void BrowserLauncher::openUrl(const std::string& address) {
    const std::string command = m_browserCommand ? m_browserCommand() : std::string();
    browse::LaunchPlan plan;
    if (!command.empty()) {
        plan = browse::planOpenUrlWithCommand(address, command);
    } else if (auto browser = browse::findDefaultBrowser()) {
        plan = browse::planOpenUrl(address, *browser);
    } else {
        // No browser program at all: let the desktop open web addresses, and only those.
        const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
        const bool web = url.isValid() && (url.scheme() == "http" || url.scheme() == "https");
        if (!web || !QDesktopServices::openUrl(url)) {
            m_prompter.tell("No web browser was found to open the address.",
                            commands::Prompter::Icon::Warning);
        }
        return;
    }
    if (!plan.ok()) {
        m_prompter.tell(plan.error, commands::Prompter::Icon::Warning);
        return;
    }
    QStringList arguments;
    for (const std::string& a : plan.arguments) {
        arguments << QString::fromStdString(a);
    }
    if (!m_start(QString::fromStdString(plan.program), arguments)) {
        m_prompter.tell("The browser \"" + plan.program + "\" could not be started.",
                        commands::Prompter::Icon::Warning);
    }
}

}  // namespace lh::gui
