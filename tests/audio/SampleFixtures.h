// Test helpers for the sample engine: drumset items over synthesized sound
// files, an engine on the hand-clocked silent output, and reading rendered
// images back.
#pragma once

#include "MixerRig.h"
#include "SignalTools.h"
#include "audio/SampleVoices.h"
#include "drumset/DrumsetItem.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <sndfile.h>
#include <vector>

namespace audiotest {

static constexpr int Pcm16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
static constexpr int PcmU8 = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;

// A sample item for the file, with folder and name set as the drumset does.
std::unique_ptr<TDrumsetItem> sampleItem(const std::filesystem::path& file);

// Sound files written into a temporary folder, and items over them.
class SampleFiles {
public:
    std::filesystem::path write(const Sound& sound, int format = Pcm16);
    std::unique_ptr<TDrumsetItem> item(const Sound& sound, int format = Pcm16) {
        return sampleItem(write(sound, format));
    }
    std::filesystem::path file(const std::string& name) const { return m_dir.file(name); }

private:
    TempDir m_dir;
    int m_count = 0;
};

// The engine on a mixer rig (silent output, manual clock, captured mix).
struct EngineRig {
    MixerRig mixer;
    audio::SampleEngine engine{mixer.output()};
    SampleFiles files;
};

// The item's state; fails the test when the engine made none.
audio::SampleSoundState& stateOf(TDrumsetItem& item);

// A rendered image and a view of its samples (the view points into it).
struct ImageData {
    audio::SharedWaveImage image;
    audio::PcmView pcm;

    std::size_t frames() const { return static_cast<std::size_t>(pcm.frames); }
    // One channel at full scale -1..1 (8-bit: (v - 128) / 128).
    std::vector<float> channel(int c) const;
    // Signed 16-bit sample values of one channel (8-bit: (v - 128) x 256).
    std::vector<int> values(int c) const;
};
ImageData imageOf(TDrumsetItem& item);

// The file's samples as signed 16-bit values, interleaved, exactly as stored
// (8-bit files: (v - 128) x 256).
std::vector<int> fileValues(const std::filesystem::path& path);

} // namespace audiotest
