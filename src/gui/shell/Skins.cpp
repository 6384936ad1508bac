#include "gui/shell/Skins.h"

#include <algorithm>

#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "gui/uikit/MenuText.h"
#include "gui/uikit/QtText.h"
#include "settings/AppSettings.h"

namespace lh::gui {

namespace {

// A skin file is small; anything larger is not read.
constexpr qint64 kMaxSkinFileBytes = 64 * 1024;

std::string readSkinFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return {};  // a missing skin gives the defaults
    }
    return file.read(kMaxSkinFileBytes).toStdString();
}

}  // namespace

QString skinFolder(const QString& programFolder, const QString& dataFolder) {
    const QString beside = QDir(programFolder).filePath(QStringLiteral("skin"));
    if (QFileInfo(beside).isDir() || dataFolder.isEmpty()) {
        return beside;
    }
    return QDir(dataFolder).filePath(QStringLiteral("skin"));
}

Skins::Skins(settings::AppSettings& settings, const QString& folder, QObject* parent)
    : QObject(parent), m_settings(settings), m_folder(folder) {
    std::vector<settings::SkinFolderEntry> entries;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        entries.push_back({info.fileName().toStdString(), info.isFile()});
    }
    m_names = settings::skinNames(entries);
    // The files keep their own spelling of ".ini" (".INI" is a skin too).
    for (const std::string& name : m_names) {
        const auto file = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
            return e.name.size() == name.size() + 4 && e.name.compare(0, name.size(), name) == 0 &&
                   e.name[name.size()] == '.';
        });
        m_files.push_back(QDir(folder).absoluteFilePath(toQString(file->name)));
    }
    m_look = settings::noneLook(settings);
}

QMenu* Skins::makeMenu(QWidget* parent) {
    auto* menu = new QMenu(tr("SKin"), parent);
    m_actions = new QActionGroup(menu);
    for (std::size_t i = 0; i <= m_names.size(); ++i) {
        QAction* action =
            menu->addAction(i == 0 ? tr("None") : menuEntryText(toQString(m_names[i - 1])));
        action->setCheckable(true);
        action->setChecked(i == m_chosen);
        action->setData(static_cast<qulonglong>(i));
        m_actions->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { choose(i); });
    }
    return menu;
}

void Skins::choose(std::size_t index) {
    if (index == 0 || index > m_names.size()) {
        m_chosen = 0;
        m_look = settings::noneLook(m_settings);
        m_settings.SkinName.clear();
    } else {
        m_chosen = index;
        const QString folder = QDir(m_folder).absolutePath() + '/';
        m_look = settings::readSkinLook(readSkinFile(m_files[index - 1]), folder.toStdString());
        m_settings.SkinName = m_names[index - 1];
    }
    m_settings.skin = static_cast<std::uint16_t>(m_chosen);
    if (m_actions != nullptr) {
        m_actions->actions().at(static_cast<int>(m_chosen))->setChecked(true);
    }
    emit lookChanged();
}

void Skins::chooseStored() {
    choose(settings::chooseSkin(m_settings.skin, m_settings.SkinName, m_names));
}

}  // namespace lh::gui
