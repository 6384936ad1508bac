#include "gui/shell/MessageBoxPrompter.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace lh::gui {

namespace {

QMessageBox::Icon iconFor(commands::Prompter::Icon icon) {
    switch (icon) {
        case commands::Prompter::Icon::Information:
            return QMessageBox::Information;
        case commands::Prompter::Icon::Question:
            return QMessageBox::Question;
        case commands::Prompter::Icon::Warning:
            return QMessageBox::Warning;
        case commands::Prompter::Icon::Stop:
            return QMessageBox::Critical;
        case commands::Prompter::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(commands::Prompter::Buttons buttons) {
    switch (buttons) {
        case commands::Prompter::Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case commands::Prompter::Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case commands::Prompter::Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case commands::Prompter::Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

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

commands::Prompter::Answer MessageBoxPrompter::ask(const Message& message) {
    QMessageBox box(iconFor(message.icon), toQt(message.caption), toQt(message.text),
                    buttonsFor(message.buttons), m_parent);
    box.setObjectName("messageBox");
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Ok:
            return Answer::Ok;
        default:
            // Closed without a choice: Cancel, or No where there is no Cancel.
            return message.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<std::string> DialogFileChooser::chooseFileToOpen(const Request& r) {
    return chosen(
        QFileDialog::getOpenFileName(m_parent, toQt(r.title), startPath(r), toQt(r.filter)));
}

std::optional<std::string> DialogFileChooser::chooseFileToSave(const Request& r) {
    return chosen(
        QFileDialog::getSaveFileName(m_parent, toQt(r.title), startPath(r), toQt(r.filter)));
}

std::optional<std::string> DialogFileChooser::chooseFolder(const Request& r) {
    return chosen(QFileDialog::getExistingDirectory(m_parent, toQt(r.title), toQt(r.folder)));
}

}  // namespace lh::gui
