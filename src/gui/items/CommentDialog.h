#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "commands/CategoryCommands.h"

class QPlainTextEdit;

namespace lh::gui {

// The "Comment" dialog: an item's comment alone. OK is up to the accept handler, which keeps the
// dialog open by answering KeepOpen.
class CommentDialog : public QDialog {
    Q_OBJECT

public:
    using AcceptHandler = std::function<commands::DialogOutcome(CommentDialog&)>;

    CommentDialog(const std::string& comment, QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    std::string comment() const;
    void focusComment();

public slots:
    void accept() override;

private:
    AcceptHandler m_acceptHandler;
    QPlainTextEdit* m_commentEdit = nullptr;
};

}  // namespace lh::gui
