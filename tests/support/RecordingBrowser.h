#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "gui/shell/BrowserLauncher.h"

namespace lh::test {

// Makes `browser` record the address of each page it opens instead of starting a program (its
// browser command must be set: the address is the command's last argument).
inline void recordOpenedPages(gui::BrowserLauncher& browser, std::vector<std::string>& opened) {
    browser.setStarter([&opened](const QString&, const QStringList& arguments) {
        opened.push_back(arguments.last().toStdString());
        return true;
    });
}

}  // namespace lh::test
