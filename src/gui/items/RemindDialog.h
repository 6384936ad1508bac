#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <string>

#include "commands/ParentChooser.h"
#include "commands/RemindEditor.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace lh::gui {

class CategoryComboBox;
class RateGroup;
class StepLineEdit;

// The "Remind Dialog": title; the "Remind Type" group with date, hour, minute, the type buttons
// and the weekday boxes; category, rate, memo, sound file with ".." and "Play", create time; a
// small button switching between the full and a compact layout; "Save as default", OK, Cancel.
// What OK, "Save as default", ".." and "Play" do is up to their handlers; OK keeps the dialog
// open when its handler answers KeepOpen.
class RemindDialog : public QDialog {
    Q_OBJECT

public:
    using AcceptHandler = std::function<commands::DialogOutcome(RemindDialog&)>;
    using Handler = std::function<void(RemindDialog&)>;

    static constexpr int kDayCount = 7;

    RemindDialog(const commands::ParentChoice& categories, QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    void setSaveDefaultHandler(Handler handler) { m_saveDefault = std::move(handler); }
    void setBrowseHandler(Handler handler) { m_browse = std::move(handler); }
    void setPlayHandler(Handler handler) { m_play = std::move(handler); }

    // Shows `values` (all but the category, which the list opened on); the picture shows
    // `pictureRate`, the rate button of `values.rate` is checked.
    void setValues(const commands::RemindValues& values, int pictureRate);
    commands::RemindValues values() const;
    void setSound(const std::string& path);
    void setCreateTime(const QString& text);
    void setCategoryLocked(bool locked);
    // The rate the picture shows (what "Save as default" keeps).
    int pictureRate() const;
    void focusInput(commands::RemindInput input);
    bool isCompact() const { return m_compact; }

public slots:
    void accept() override;

private:
    QGroupBox* makeTypeGroup();
    QLayout* makeSoundRow();
    QLayout* makeButtonRow();
    // Checks the button of `type` (none: no button) and enables the controls it uses.
    void checkType(std::optional<commands::RemindType> type);
    std::optional<commands::RemindType> checkedType() const;
    // Enables the picker or the weekday boxes and sets the date format for the checked type.
    void applyType();
    // Shows month and day in `year`; a yearly reminder shows them in a leap year so that 02-29
    // can be picked in any year.
    void showDate(int year, int month, int day);
    void toggleCompact();

    AcceptHandler m_acceptHandler;
    Handler m_saveDefault;
    Handler m_browse;
    Handler m_play;
    QLineEdit* m_titleEdit = nullptr;
    QGroupBox* m_typeGroup = nullptr;
    QDateEdit* m_dateEdit = nullptr;
    StepLineEdit* m_hour = nullptr;
    StepLineEdit* m_minute = nullptr;
    QButtonGroup* m_typeButtons = nullptr;
    QRadioButton* m_once = nullptr;
    QRadioButton* m_yearly = nullptr;
    QRadioButton* m_customDays = nullptr;
    std::array<QCheckBox*, kDayCount> m_days{};
    CategoryComboBox* m_categoryCombo = nullptr;
    RateGroup* m_rateGroup = nullptr;
    QPlainTextEdit* m_memoEdit = nullptr;
    QLineEdit* m_soundEdit = nullptr;
    QLabel* m_createTime = nullptr;
    QToolButton* m_compactButton = nullptr;
    bool m_compact = false;
    // The year a one-time reminder would take: the picker's while it shows one.
    int m_year = 2000;
};

}  // namespace lh::gui
