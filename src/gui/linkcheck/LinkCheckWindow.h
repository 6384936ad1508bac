#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

#include "store/Kinds.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace lh::gui {

class LinkCheckSession;

// The results of a link check, beside the main window (modeless): the progress bar with its
// line, the rows (sortable, filtered by verdict) and the actions on the selected rows. Closing
// it or Cancel stops the run at once. The widgets only read what is chosen and ask the session.
class LinkCheckWindow : public QWidget {
    Q_OBJECT

public:
    // Asks where the rows go (the window opens the chooser; tests answer at once).
    using MoveChooser = std::function<void(const std::vector<store::ItemId>& ids)>;

    // `session` must outlive the window.
    LinkCheckWindow(LinkCheckSession& session, QWidget* parent = nullptr);

    void setMoveChooser(MoveChooser chooser) { m_chooseMove = std::move(chooser); }
    // Shows that a proxy stands between the checker and the links.
    void setProxyNote(bool proxySet);
    // Shows the rows of one verdict ("ok", "moved", "dead", "error", "skipped"), or all ("").
    void setVerdictFilter(const QString& verdict);
    // The selected rows' items, top row first as shown.
    std::vector<store::ItemId> selectedItems() const;
    // Re-reads the session's progress (also once a second while a run goes).
    void refreshProgress();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setupUi();
    void connectSignals();
    void updateButtons();
    QPushButton* addButton(const char* text, const char* name);

    LinkCheckSession& m_session;
    MoveChooser m_chooseMove;
    QSortFilterProxyModel* m_proxy = nullptr;
    QTableView* m_table = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_progressLabel = nullptr;
    QLabel* m_proxyLabel = nullptr;
    QComboBox* m_filterCombo = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_moveButton = nullptr;
    QPushButton* m_recycleButton = nullptr;
    QPushButton* m_newAddressButton = nullptr;
    QPushButton* m_recheckButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QTimer m_ticker;
};

}  // namespace lh::gui
