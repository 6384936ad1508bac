#pragma once

#include <QStringList>

#include <functional>
#include <string>

namespace lh::commands {
class Prompter;
}

namespace lh::gui {

// Opens web addresses: in the browser command the user set ("Defbrowser"), else in the
// desktop's default web browser. The program is started directly with the address as its last
// argument, never through a shell. A refused address or command is explained to the user.
class BrowserLauncher {
public:
    // Starts `program` with `arguments`, detached; false when it could not be started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    // `browserCommand` gives the current "Defbrowser" setting (empty: the desktop's browser).
    BrowserLauncher(commands::Prompter& prompter, std::function<std::string()> browserCommand);

    void openUrl(const std::string& address);
    // Replaces how processes are started (tests record instead).
    void setStarter(Starter starter) { m_start = std::move(starter); }

private:
    commands::Prompter& m_prompter;
    std::function<std::string()> m_browserCommand;
    Starter m_start;
};

}  // namespace lh::gui
