#include "gui/reminders/SoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace lh::gui {

EffectSoundPlayer::EffectSoundPlayer() = default;

EffectSoundPlayer::~EffectSoundPlayer() = default;

void EffectSoundPlayer::loop(const std::string& file) {
    play(file, QSoundEffect::Infinite);
}

void EffectSoundPlayer::playOnce(const std::string& file) {
    play(file, 1);
}

void EffectSoundPlayer::play(const std::string& file, int loops) {
    stop();
    const QString path = QString::fromStdString(file);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() == 0) {
        return;  // nothing to hear
    }
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
    }
    // A file the effect cannot decode ends in its Error status: silence, as intended.
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->setLoopCount(loops);
    m_effect->play();
}

void EffectSoundPlayer::stop() {
    if (m_effect) {
        m_effect->stop();
    }
}

}  // namespace lh::gui
