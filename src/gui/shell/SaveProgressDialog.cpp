#include "gui/shell/SaveProgressDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressDialog>

#include <algorithm>

#include "gui/uikit/OffThreadStep.h"

namespace lh::gui {

namespace {

constexpr int kSteps = 1000;

// Stays until the save ends: Escape, the close box and a reject() from outside would otherwise
// hand the window back to the user half way through.
class SavingDialog final : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;

    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

SaveProgressDialog::SaveProgressDialog(QWidget* window, std::size_t shownAbove)
    : m_window(window), m_shownAbove(shownAbove) {}

SaveProgressDialog::~SaveProgressDialog() = default;

void SaveProgressDialog::saveBegun(std::size_t records) {
    m_saving = true;
    m_total = records;
    if (records <= m_shownAbove) {
        return;  // over before anybody would notice
    }
    m_dialog = std::make_unique<SavingDialog>(QStringLiteral("Saving the database..."), QString(),
                                              0, kSteps, m_window);
    m_dialog->setObjectName(QStringLiteral("saveProgressDialog"));
    m_dialog->setWindowTitle(QStringLiteral("Linkhaven"));
    m_dialog->setCancelButton(nullptr);  // a save is not stopped half way
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    m_dialog->show();
    QApplication::processEvents();
}

void SaveProgressDialog::saveProgressed(std::size_t written) {
    if (m_dialog == nullptr) {
        return;
    }
    m_dialog->setValue(static_cast<int>(std::min(written, m_total) * kSteps / m_total));
    QApplication::processEvents();
}

void SaveProgressDialog::finishSave(const std::function<void()>& step) {
    if (m_dialog == nullptr) {
        step();
    } else {
        runOffThread(step);
    }
}

void SaveProgressDialog::saveEnded() {
    m_dialog.reset();
    m_saving = false;
}

}  // namespace lh::gui
