#pragma once

#include <memory>
#include <string>

class QSoundEffect;

namespace lh::gui {

// Plays one sound file at a time, looping until stopped. A file that is missing, empty or cannot
// be decoded plays as silence: an alarm never waits on a message about its sound.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Stops what plays and loops `file` (UTF-8 path; empty: silence).
    virtual void loop(const std::string& file) = 0;
    virtual void stop() = 0;
};

// The player the program uses: Qt Multimedia's sound effect, made only when a file is there to
// play, so that a program whose alarms stay silent never opens the audio device.
class EffectSoundPlayer final : public SoundPlayer {
public:
    EffectSoundPlayer();
    ~EffectSoundPlayer() override;
    void loop(const std::string& file) override;
    void stop() override;
    // Stops what plays and plays `file` once (the Remind dialog's "Play").
    void playOnce(const std::string& file);

private:
    void play(const std::string& file, int loops);

    std::unique_ptr<QSoundEffect> m_effect;
};

}  // namespace lh::gui
