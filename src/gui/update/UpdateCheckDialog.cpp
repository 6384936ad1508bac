#include "gui/update/UpdateCheckDialog.h"

#include "gui/uikit/QtText.h"
#include "update/CheckAnswer.h"

namespace lh::gui {

UpdateCheckDialog::UpdateCheckDialog(QWidget* parent)
    : MoreInfoDialog(QStringLiteral("Check Newest Version"), QStringLiteral("Close"), parent) {
    setObjectName(QStringLiteral("updateCheckDialog"));
    setMoreInfoShown(false);
    setText(QString::fromUtf8(update::kCheckingText));
    connect(&m_timer, &QTimer::timeout, this, &UpdateCheckDialog::tick);
    connect(this, &QDialog::finished, &m_timer, &QTimer::stop);
    m_timer.start(1000);
}

void UpdateCheckDialog::showResult(int result) {
    m_answered = true;
    showAnswer(update::answerFor(result));
}

void UpdateCheckDialog::tick() {
    // One count per tick: the give-up text comes on the last one, never on the first.
    if (m_ticks >= update::kAnswerWaitTicks || ++m_ticks < update::kAnswerWaitTicks) {
        return;
    }
    m_timer.stop();
    if (!m_answered) {
        showAnswer(update::noAnswerInTime());
    }
}

void UpdateCheckDialog::showAnswer(const update::CheckAnswer& answer) {
    setText(toQString(answer.text));
    if (answer.offersMoreInfo) {
        setMoreInfoShown(true);  // once offered, it stays
    }
}

}  // namespace lh::gui
