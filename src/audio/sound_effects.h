// The seven sound effects, each read once from its file in 音楽/ and kept
// in memory; playing one rewinds it and starts it once.
#pragma once

namespace varnholt {

enum class SoundEffect {
    Sword,
    Enemy,
    Boss,
    Magic,
    LevelUp,
    Character,
    Earthquake,
};
constexpr int soundEffectCount = 7;

// The name of an effect as the code spells it ("Sword", "LevelUp" …).
const char* soundEffectName(int index);
// The file of an effect, relative to the data folder.
const char* soundEffectFile(int index);

// Called at the end of every loadAllBitmaps. Answers 1 when the sound
// device is ready, whether or not every file loaded; 0 without one.
int initSound();
// Called by initSound for each effect. Answers 1 when the effect was read
// and handed to the device.
int loadWave(const char* path, int index);
// Called by the game steps that make a sound. Silent when the effect was
// not loaded.
void playSound(SoundEffect effect);

}  // namespace varnholt
