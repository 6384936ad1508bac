#pragma once

#include <QElapsedTimer>
#include <QPointer>

#include <cstddef>
#include <memory>

#include "store/SaveProgress.h"

class QProgressDialog;
class QWidget;

namespace lh::gui {

// Keeps the windows painting while a big database is saved: a save of more than `shownAbove`
// records shows an application-modal progress dialog without Cancel and lets the event loop run
// between pieces of the save. Nothing can edit the database meanwhile (the dialog is modal; the
// window's timers wait while isSaving()); only the flush of the written file to disk runs on
// another thread.
class SaveProgressDialog final : public store::SaveProgress {
public:
    static constexpr std::size_t kShownAbove = 100'000;

    // `window` (may be null) is the dialog's parent.
    explicit SaveProgressDialog(QWidget* window, std::size_t shownAbove = kShownAbove);
    ~SaveProgressDialog() override;

    // True from the start of a save to its end.
    bool isSaving() const { return m_saving; }
    // The dialog while it shows, or null.
    QProgressDialog* dialog() const { return m_dialog.get(); }

    void saveBegun(std::size_t records) override;
    void saveProgressed(std::size_t written) override;
    // A big save flushes its file on another thread while the windows paint.
    void finishSave(const std::function<void()>& step) override;
    void saveEnded() override;

private:
    QPointer<QWidget> m_window;
    std::size_t m_shownAbove;
    std::size_t m_total = 0;
    bool m_saving = false;
    std::unique_ptr<QProgressDialog> m_dialog;
};

}  // namespace lh::gui
