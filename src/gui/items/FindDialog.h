#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "items/Finder.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace lh::gui {

// The Find dialog: a search text with the history in its drop-down list (shown alphabetically),
// and the fields to search of the type the stored Find settings open it with. The type buttons
// exist but are hidden: the type comes from the settings. OK hands the dialog to the accept
// handler and closes.
class FindDialog : public QDialog {
    Q_OBJECT

public:
    using AcceptHandler = std::function<void(const FindDialog&)>;

    // `findTypeBits`: the stored Find settings word; `history`: the stored texts, oldest first.
    FindDialog(std::uint16_t findTypeBits, const std::vector<std::string>& history,
               QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }

    std::string text() const;
    items::FindType type() const;
    // The checked field boxes (kFindTitle, kFindAddress, kFindComment).
    unsigned fields() const;
    // True when the drop-down list holds `text`, ignoring case.
    bool historyHolds(const std::string& text) const;

public slots:
    void accept() override;

private:
    // Labels and shows the field boxes for `type` and checks those its settings bits hold.
    void showFieldsOf(items::FindType type);

    std::uint16_t m_findTypeBits;
    AcceptHandler m_acceptHandler;
    QComboBox* m_textCombo = nullptr;
    std::array<QRadioButton*, 3> m_typeButtons{};
    std::array<QCheckBox*, 3> m_fieldBoxes{};
};

}  // namespace lh::gui
