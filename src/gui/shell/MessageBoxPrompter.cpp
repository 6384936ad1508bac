#include "gui/shell/MessageBoxPrompter.h"

#include <QMessageBox>

#include "gui/uikit/QtText.h"

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

}  // namespace

commands::Prompter::Answer MessageBoxPrompter::ask(const Message& message) {
    QMessageBox box(iconFor(message.icon), toQString(message.caption), toQString(message.text),
                    buttonsFor(message.buttons), m_parent);
    box.setObjectName("messageBox");
    if (!message.detail.empty()) {
        box.setInformativeText(toQString(message.detail));
    }
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

}  // namespace lh::gui
