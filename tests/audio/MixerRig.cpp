#include "MixerRig.h"

namespace audiotest {

audio::AudioOutput::Options MixerRig::options(std::shared_ptr<audio::ManualClock> clock,
                                              std::size_t blockFrames,
                                              audio::Mixer::Config config) {
    audio::AudioOutput::Options o;
    o.clock = std::move(clock);
    o.silentPacing = audio::SilentOutput::Pacing::Manual;
    o.silentBlockFrames = blockFrames;
    o.useSoundCards = false;
    o.mixer = config;
    return o;
}

MixerRig::MixerRig(std::size_t blockFrames, audio::Mixer::Config config)
    : m_output(options(m_clock, blockFrames, config)), m_start(m_clock->now()) {
    m_output.start(1);
    m_output.silentOutput()->startCapture(m_dir.file("mix.wav"));
}

void MixerRig::at(double ms) {
    m_clock->set(time(ms));
    m_output.silentOutput()->pump();
}

Sound MixerRig::captured() {
    m_output.silentOutput()->stopCapture();
    return readSound(m_dir.file("mix.wav"));
}

std::vector<std::size_t> onsets(const std::vector<float>& x, double threshold) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (std::fabs(x[i]) > threshold && (i == 0 || std::fabs(x[i - 1]) <= threshold))
            found.push_back(i);
    return found;
}

} // namespace audiotest
