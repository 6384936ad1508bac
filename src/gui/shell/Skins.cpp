#include "gui/shell/Skins.h"

#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "gui/uikit/MenuText.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/ShippedFiles.h"
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
    const QStringList places = shippedFilePlaces(QStringLiteral("skin"), programFolder, dataFolder);
    for (const QString& place : places) {
        if (QFileInfo(place).isDir()) {
            return place;
        }
    }
    return places.front();
}

Skins::Skins(settings::AppSettings& settings, const QString& folder, QObject* parent)
    : QObject(parent), m_settings(settings), m_folder(folder) {
    std::vector<settings::SkinFolderEntry> entries;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        entries.push_back({info.fileName().toStdString(), info.isFile()});
    }
    for (const settings::SkinFile& file : settings::skinFiles(entries)) {
        m_names.push_back(file.name);
        m_files.push_back(QDir(folder).absoluteFilePath(toQString(file.fileName)));
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
