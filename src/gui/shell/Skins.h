#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "settings/SkinLook.h"

class QActionGroup;
class QMenu;

namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

// The skins of the "skin" folder and the look chosen among them ("None" or a skin), kept in
// the settings as `skin` (its number) and `SkinName`.
class Skins : public QObject {
    Q_OBJECT

public:
    // Lists the skins of `folder` (nothing when it is missing).
    Skins(settings::AppSettings& settings, const QString& folder, QObject* parent = nullptr);

    const std::vector<std::string>& names() const { return m_names; }
    const settings::SkinLook& look() const { return m_look; }
    // 0 = "None".
    std::size_t chosen() const { return m_chosen; }

    // The "SKin" menu: "None", then each skin, the chosen one checked.
    QMenu* makeMenu(QWidget* parent);
    // Chooses skin `index` (0 or one beyond the list: "None") and tells lookChanged.
    void choose(std::size_t index);
    // Chooses what the settings name (at start).
    void chooseStored();

signals:
    void lookChanged();

private:
    settings::AppSettings& m_settings;
    QString m_folder;
    std::vector<std::string> m_names;
    QStringList m_files;  // the skins' files, as m_names
    std::size_t m_chosen = 0;
    settings::SkinLook m_look;
    QActionGroup* m_actions = nullptr;
};

// The skin folder: "skin" beside the program when it is there, else the installed one (the
// one beside the program when neither is).
QString skinFolder(const QString& programFolder, const QString& dataFolder);

}  // namespace lh::gui
