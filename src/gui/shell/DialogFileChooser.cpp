#include "gui/shell/DialogFileChooser.h"

#include <QDir>
#include <QFileDialog>

#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

std::optional<std::string> chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(path).toStdString();
}

QString startPath(const commands::FileChooser::Request& r) {
    if (r.folder.empty()) {
        return toQString(r.proposedName);
    }
    return r.proposedName.empty() ? toQString(r.folder)
                                  : QDir(toQString(r.folder)).filePath(toQString(r.proposedName));
}

}  // namespace

std::optional<std::string> DialogFileChooser::chooseFileToOpen(const Request& r) {
    return chosen(QFileDialog::getOpenFileName(m_parent, toQString(r.title), startPath(r),
                                               toQString(r.filter)));
}

std::vector<std::string> DialogFileChooser::chooseFilesToOpen(const Request& r) {
    std::vector<std::string> paths;
    const QStringList chosenPaths = QFileDialog::getOpenFileNames(
        m_parent, toQString(r.title), startPath(r), toQString(r.filter));
    for (const QString& path : chosenPaths) {
        paths.push_back(QDir::toNativeSeparators(path).toStdString());
    }
    return paths;
}

std::optional<std::string> DialogFileChooser::chooseFileToSave(const Request& r) {
    return chosen(QFileDialog::getSaveFileName(m_parent, toQString(r.title), startPath(r),
                                               toQString(r.filter)));
}

std::optional<std::string> DialogFileChooser::chooseFolder(const Request& r) {
    return chosen(
        QFileDialog::getExistingDirectory(m_parent, toQString(r.title), toQString(r.folder)));
}

}  // namespace lh::gui
