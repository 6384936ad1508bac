#pragma once

#include <QTimer>

#include "gui/update/MoreInfoDialog.h"

namespace lh::update {
struct CheckAnswer;
}

namespace lh::gui {

// "Check Newest Version": says that the check runs, then its answer. Without an answer after
// kAnswerWaitTicks seconds it points to the home page instead; an answer that comes later still
// replaces that text. It never waits for the check itself.
class UpdateCheckDialog : public MoreInfoDialog {
    Q_OBJECT

public:
    explicit UpdateCheckDialog(QWidget* parent = nullptr);

    // Shows the answer for a check's result code.
    void showResult(int result);
    // One tick of the dialog's one-second timer (tests call it directly).
    void tick();

private:
    void showAnswer(const update::CheckAnswer& answer);

    QTimer m_timer;
    int m_ticks = 0;
    bool m_answered = false;
};

}  // namespace lh::gui
