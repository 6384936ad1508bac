#include "gui/shell/DialogFileChooser.h"

#include <QDir>
#include <QFileDialog>

namespace lh::gui {

namespace {

QString toQt(const std::string& s) {
    return QString::fromStdString(s);
}

std::optional<std::string> chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(path).toStdString();
}

QString startPath(const commands::FileChooser::Request& r) {
    if (r.folder.empty()) {
        return toQt(r.proposedName);
    }
    return r.proposedName.empty() ? toQt(r.folder)
                                  : QDir(toQt(r.folder)).filePath(toQt(r.proposedName));
}

}  // namespace

std::optional<std::string> DialogFileChooser::chooseFileToOpen(const Request& r) {
    return chosen(
        QFileDialog::getOpenFileName(m_parent, toQt(r.title), startPath(r), toQt(r.filter)));
}

std::vector<std::string> DialogFileChooser::chooseFilesToOpen(const Request& r) {
    std::vector<std::string> paths;
    const QStringList chosenPaths =
        QFileDialog::getOpenFileNames(m_parent, toQt(r.title), startPath(r), toQt(r.filter));
    for (const QString& path : chosenPaths) {
        paths.push_back(QDir::toNativeSeparators(path).toStdString());
    }
    return paths;
}

std::optional<std::string> DialogFileChooser::chooseFileToSave(const Request& r) {
    return chosen(
        QFileDialog::getSaveFileName(m_parent, toQt(r.title), startPath(r), toQt(r.filter)));
}

std::optional<std::string> DialogFileChooser::chooseFolder(const Request& r) {
    return chosen(QFileDialog::getExistingDirectory(m_parent, toQt(r.title), toQt(r.folder)));
}

}  // namespace lh::gui
