#include "audio/AudioOutput.h"

#include "audio/AudioErrors.h"
#include "audio/PortAudioOutput.h"
#include "audio/StreamFeeder.h"

#include <cstring>
#include <sndfile.h>

namespace audio {

AudioOutput::AudioOutput(Options options)
    : m_options(std::move(options)), m_clock(m_options.clock ? m_options.clock : systemClock()),
      m_mixer(std::make_shared<Mixer>(m_clock, m_options.mixer)),
      m_feeder(std::make_shared<StreamFeeder>()) {
    m_resample = ResampleLibrary::load(m_options.resampleLibrary, m_resampleProblem);
}

AudioOutput::~AudioOutput() {
    stop();
}

void AudioOutput::verifyLayer() {
    if (PortAudioLibrary::version() < 1900)
        throw AudioError(ErrorCode::LayerUnavailable, "PortAudio V19 or later is needed");
    const char* sndfile = sf_version_string();
    if (sndfile == nullptr || std::strncmp(sndfile, "libsndfile-1.", 13) != 0)
        throw AudioError(ErrorCode::LayerUnavailable, "libsndfile 1.x is needed");
}

std::vector<AudioOutput::Choice> AudioOutput::choices() {
    std::vector<Choice> list;
    if (m_options.useSoundCards && !m_portAudioTried) {
        m_portAudioTried = true;
        m_portAudio = PortAudioLibrary::open();
    }
    if (m_portAudio)
        for (const auto& device : m_portAudio->outputDevices())
            list.push_back(Choice{device.isDefault ? "Default output (" + device.description + ")"
                                                   : device.description,
                                  device.index});
    list.push_back(Choice{std::string(SilentDeviceDescription), -1});
    return list;
}

std::vector<std::string> AudioOutput::outputDeviceNames() {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> names;
    for (auto& choice : choices())
        names.push_back(std::move(choice.description));
    return names;
}

void AudioOutput::start(int deviceNumber) {
    std::lock_guard lock(m_mutex);
    if (m_device)
        throw AudioError(ErrorCode::AlreadyRunning, "An output device is already running");
    const std::vector<Choice> list = choices();
    if (deviceNumber < 1 || deviceNumber > static_cast<int>(list.size()))
        throw AudioError(ErrorCode::NoSuchDevice,
                         "No output device " + std::to_string(deviceNumber));
    const Choice& choice = list[static_cast<std::size_t>(deviceNumber - 1)];
    std::unique_ptr<OutputDevice> device;
    SilentOutput* silent = nullptr;
    if (choice.portAudioIndex < 0) {
        auto output = std::make_unique<SilentOutput>(m_mixer, m_clock, m_options.silentPacing,
                                                     m_options.silentBlockFrames);
        silent = output.get();
        device = std::move(output);
    } else {
        device =
            std::make_unique<PortAudioOutput>(m_portAudio, choice.portAudioIndex, m_mixer, m_clock);
    }
    device->start();
    m_device = std::move(device);
    m_silent = silent;
    m_deviceNumber = deviceNumber;
}

void AudioOutput::stop() {
    std::lock_guard lock(m_mutex);
    if (!m_device)
        return;
    m_device->stop();
    m_device.reset();
    m_silent = nullptr;
    m_deviceNumber = 0;
}

bool AudioOutput::isRunning() const {
    std::lock_guard lock(m_mutex);
    return m_device != nullptr;
}

int AudioOutput::deviceNumber() const {
    std::lock_guard lock(m_mutex);
    return m_deviceNumber;
}

SilentOutput* AudioOutput::silentOutput() {
    std::lock_guard lock(m_mutex);
    return m_silent;
}

void AudioOutput::stopAllSound() {
    m_mixer->stopEverything();
}

RateConverter AudioOutput::openRateConverter(bool highQuality, double minFactor,
                                             double maxFactor) const {
    if (!m_resample)
        throw AudioError(ErrorCode::ResamplerMissing,
                         "Rendering at another rate needs libresample (" +
                             m_options.resampleLibrary +
                             "), which could not be loaded: " + m_resampleProblem);
    return RateConverter(m_resample, highQuality, minFactor, maxFactor);
}

} // namespace audio
