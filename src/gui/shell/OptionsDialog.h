#pragma once

#include <QDialog>

#include "commands/OptionsForm.h"

class QCheckBox;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace lh::commands {
class FileChooser;
class Prompter;
}  // namespace lh::commands

namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

class ColourButton;

// Tools > "Options...": the pages "General", "Graph" and "Other" over the settings in memory.
// A page applies its values when it is left (another page chosen, or OK on it); a General page
// with a bad autosave interval refuses to be left. The Reset buttons and the Other page's entries
// apply at once. Cancel takes back nothing that was applied.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(settings::AppSettings& settings, commands::Prompter& prompter,
                  commands::FileChooser& files, QWidget* parent = nullptr);

    enum Page { General, Graph, Other };
    QTabWidget* pages() const { return m_pages; }

public slots:
    void accept() override;

signals:
    // The detail pane's colours changed (a Reset, or the Graph page left).
    void detailColoursChanged();

private:
    QWidget* makeGeneralPage();
    QWidget* makeGraphPage();
    QWidget* makeOtherPage();
    void pageChosen(int index);
    // Applies the page shown; false (after saying why) when it must stay.
    bool leavePage(int page);
    void chooseBrowser();
    void showGraph(const commands::GraphPage& page);
    void clickOther(QTreeWidgetItem* entry);
    void showOtherMarks();

    settings::AppSettings& m_settings;
    commands::Prompter& m_prompter;
    commands::FileChooser& m_files;
    QTabWidget* m_pages = nullptr;
    int m_shownPage = General;
    // General.
    QCheckBox* m_startMinimized = nullptr;
    QCheckBox* m_fileMustExist = nullptr;
    QCheckBox* m_dailyBackup = nullptr;
    QCheckBox* m_sizeInBytes = nullptr;
    QCheckBox* m_autoSave = nullptr;
    QLineEdit* m_minutes = nullptr;
    QLineEdit* m_browser = nullptr;
    // Graph.
    ColourButton* m_oddLine = nullptr;
    ColourButton* m_evenLine = nullptr;
    ColourButton* m_background = nullptr;
    ColourButton* m_hourHand = nullptr;
    ColourButton* m_minuteHand = nullptr;
    ColourButton* m_secondHand = nullptr;
    QCheckBox* m_transparent = nullptr;
    // Other.
    QTreeWidget* m_otherTree = nullptr;
};

}  // namespace lh::gui
