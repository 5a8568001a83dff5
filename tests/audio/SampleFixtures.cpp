#include "SampleFixtures.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace audiotest {

std::unique_ptr<TDrumsetItem> sampleItem(const std::filesystem::path& file) {
    auto item = std::make_unique<TDrumsetItem>();
    item->Caption = file.stem().string();
    item->DirectoryName = file.parent_path().string();
    item->FileName = file.filename().string();
    return item;
}

std::filesystem::path SampleFiles::write(const Sound& sound, int format) {
    const auto path = m_dir.file("sample" + std::to_string(m_count++) + ".wav");
    writeSound(path, format, sound);
    return path;
}

audio::SampleSoundState& stateOf(TDrumsetItem& item) {
    audio::SampleSoundState* state = audio::findSoundState(item);
    if (state == nullptr)
        throw std::logic_error("the engine made no state for the item");
    return *state;
}

ImageData imageOf(TDrumsetItem& item) {
    ImageData d;
    d.image = stateOf(item).Image();
    if (!d.image)
        throw std::logic_error("the item has no image");
    d.pcm = audio::parseWaveImage(*d.image);
    return d;
}

std::vector<int> ImageData::values(int c) const {
    std::vector<int> out(frames());
    const auto channels = static_cast<std::size_t>(pcm.channels);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t at = i * channels + static_cast<std::size_t>(c);
        if (pcm.bitsPerSample == 8) {
            out[i] = (std::to_integer<int>(pcm.data[at]) - 128) * 256;
        } else {
            const auto raw =
                static_cast<std::uint16_t>(std::to_integer<unsigned>(pcm.data[2 * at]) |
                                           (std::to_integer<unsigned>(pcm.data[2 * at + 1]) << 8));
            out[i] = static_cast<std::int16_t>(raw);
        }
    }
    return out;
}

std::vector<float> ImageData::channel(int c) const {
    const std::vector<int> v = values(c);
    std::vector<float> out(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        out[i] = static_cast<float>(v[i]) / 32768.0f;
    return out;
}

std::vector<int> fileValues(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot read " + path.string());
    std::vector<short> raw(static_cast<std::size_t>(info.frames * info.channels));
    sf_read_short(file, raw.data(), static_cast<sf_count_t>(raw.size()));
    sf_close(file);
    return std::vector<int>(raw.begin(), raw.end());
}

} // namespace audiotest
