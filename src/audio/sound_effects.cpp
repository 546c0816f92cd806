#include "audio/sound_effects.h"

#include <string>
#include <vector>

#include "audio/wav_reader.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace varnholt {

namespace {

struct EffectFile {
    const char* name;
    const char* file;
};

const EffectFile effects[soundEffectCount] = {
    {"Sword", "音楽/剣.wav"},
    {"Enemy", "音楽/敵.wav"},
    {"Boss", "音楽/ボス.wav"},
    {"Magic", "音楽/魔法.wav"},
    {"LevelUp", "音楽/レベルアップ.wav"},
    {"Character", "音楽/キャラ.wav"},
    {"Earthquake", "音楽/地震.wav"},
};

constexpr size_t largestEffectFile = 16u << 20;

}  // namespace

const char* soundEffectName(int index) {
    return index >= 0 && index < soundEffectCount ? effects[index].name : "?";
}

const char* soundEffectFile(int index) {
    return index >= 0 && index < soundEffectCount ? effects[index].file : "";
}

int initSound() {
    if (!platform().openSoundDevice()) return 0;
    for (int i = 0; i < soundEffectCount; ++i) loadWave(dataPath(effects[i].file).c_str(), i);
    return 1;
}

int loadWave(const char* path, int index) {
    std::vector<uint8_t> bytes;
    WaveSound sound;
    const FileRead read = readFile(path, bytes, largestEffectFile);
    if (read != FileRead::Read || !decodeWave(bytes.data(), bytes.size(), sound)) {
        // The effect stays silent without a word to the player; the
        // terminal hears which file and where.
        reportDataFile(path, read != FileRead::Read ? fileReadProblem(read) : "not a PCM WAV file");
        return 0;
    }
    return platform().loadEffect(index, sound.format, std::move(sound.samples)) ? 1 : 0;
}

void playSound(SoundEffect effect) { platform().playEffect(static_cast<int>(effect)); }

}  // namespace varnholt
