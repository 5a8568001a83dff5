#include "audio/PortAudioOutput.h"

#include "audio/AudioErrors.h"
#include "audio/AudioFormat.h"
#include "audio/Mixer.h"

#include <algorithm>
#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <portaudio.h>

namespace audio {

namespace {

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
void quietJack(const char*) {}

void silenceSoundSystems() {
    snd_lib_error_set_handler(quietAlsa);
    jack_set_error_function(quietJack);
    jack_set_info_function(quietJack);
}

std::string describe(PaDeviceIndex index) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    const PaHostApiInfo* host = info ? Pa_GetHostApiInfo(info->hostApi) : nullptr;
    std::string text = host && host->name ? host->name : "Unknown";
    text += ": ";
    text += info && info->name ? info->name : "Unknown device";
    return text;
}

int paCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
               PaStreamCallbackFlags, void* user) {
    return static_cast<PortAudioOutput*>(user)->callback(static_cast<float*>(output), frames);
}

[[noreturn]] void fail(const std::string& what, PaError error) {
    throw AudioError(ErrorCode::DeviceFailed, what + ": " + Pa_GetErrorText(error));
}

} // namespace

std::shared_ptr<PortAudioLibrary> PortAudioLibrary::open() {
    silenceSoundSystems();
    if (Pa_Initialize() != paNoError)
        return nullptr;
    return std::shared_ptr<PortAudioLibrary>(new PortAudioLibrary());
}

PortAudioLibrary::~PortAudioLibrary() {
    Pa_Terminate();
}

int PortAudioLibrary::version() {
    return Pa_GetVersion();
}

std::vector<PortAudioLibrary::Device> PortAudioLibrary::outputDevices() const {
    std::vector<Device> devices;
    const PaDeviceIndex defaultIndex = Pa_GetDefaultOutputDevice();
    if (defaultIndex != paNoDevice)
        devices.push_back(Device{defaultIndex, describe(defaultIndex), true});
    const PaDeviceIndex count = Pa_GetDeviceCount();
    for (PaDeviceIndex i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (i != defaultIndex && info != nullptr && info->maxOutputChannels > 0)
            devices.push_back(Device{i, describe(i), false});
    }
    return devices;
}

PortAudioOutput::PortAudioOutput(std::shared_ptr<PortAudioLibrary> library, int deviceIndex,
                                 std::shared_ptr<Mixer> mixer, std::shared_ptr<const Clock> clock)
    : m_library(std::move(library)), m_deviceIndex(deviceIndex), m_mixer(std::move(mixer)),
      m_clock(std::move(clock)) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(deviceIndex);
    if (info == nullptr || info->maxOutputChannels < 1)
        throw AudioError(ErrorCode::NoSuchDevice,
                         "No PortAudio output device " + std::to_string(deviceIndex));
    m_channels = std::min(info->maxOutputChannels, 2);
    if (m_channels == 1)
        m_mono.resize(2 * 4096);

    PaStreamParameters parameters{};
    parameters.device = deviceIndex;
    parameters.channelCount = m_channels;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = info->defaultLowOutputLatency;
    PaStream* stream = nullptr;
    const PaError error = Pa_OpenStream(&stream, nullptr, &parameters, MixRate, BufferFrames,
                                        paNoFlag, paCallback, this);
    if (error != paNoError)
        fail("Cannot open \"" + describe(deviceIndex) + "\"", error);
    m_stream = stream;
}

PortAudioOutput::~PortAudioOutput() {
    stop();
    Pa_CloseStream(static_cast<PaStream*>(m_stream));
}

void PortAudioOutput::start() {
    if (m_started)
        return;
    m_mixer->beginRendering();
    const PaError error = Pa_StartStream(static_cast<PaStream*>(m_stream));
    if (error != paNoError) {
        m_mixer->endRendering();
        fail("Cannot start \"" + describe(m_deviceIndex) + "\"", error);
    }
    m_started = true;
}

void PortAudioOutput::stop() {
    if (!m_started)
        return;
    Pa_StopStream(static_cast<PaStream*>(m_stream));
    m_mixer->endRendering();
    m_started = false;
}

int PortAudioOutput::callback(float* out, unsigned long frames) {
    const ClockTime now = m_clock->now();
    if (m_channels == 2) {
        m_mixer->render(out, frames, now);
        return paContinue;
    }
    // One channel: mix in stereo pieces and fold them down.
    const std::size_t piece = m_mono.size() / 2;
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t n = std::min<std::size_t>(piece, frames - done);
        const ClockTime at = now + ClockTime{static_cast<std::int64_t>(done) * 1'000'000 / MixRate};
        m_mixer->render(m_mono.data(), n, at);
        for (std::size_t i = 0; i < n; ++i)
            out[done + i] = 0.5f * (m_mono[2 * i] + m_mono[2 * i + 1]);
        done += n;
    }
    return paContinue;
}

} // namespace audio
