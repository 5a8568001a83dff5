// Sound cards through PortAudio: the library's lifetime, the list of output
// devices, and an output that renders the mixer in PortAudio's callback.
#pragma once

#include "audio/Clock.h"
#include "audio/OutputDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace audio {

class Mixer;

// PortAudio, initialised while an instance lives. ALSA's and JACK's
// messages on stderr (printed when there is no device or no JACK server)
// are silenced through their error-handler hooks before initialising.
class PortAudioLibrary {
public:
    // Null when PortAudio cannot be initialised (no sound system at all).
    static std::shared_ptr<PortAudioLibrary> open();
    ~PortAudioLibrary();
    PortAudioLibrary(const PortAudioLibrary&) = delete;
    PortAudioLibrary& operator=(const PortAudioLibrary&) = delete;

    struct Device {
        int index;               // PortAudio's device index
        std::string description; // "<host API>: <name>"
        bool isDefault;
    };
    // The default output first, then every other device with outputs.
    std::vector<Device> outputDevices() const;

    // PortAudio's version number, e.g. 1900 for V19.
    static int version();

private:
    PortAudioLibrary() = default;
};

class PortAudioOutput final : public OutputDevice {
public:
    // Frames per callback asked of PortAudio (5.8 ms).
    static constexpr unsigned long BufferFrames = 256;

    PortAudioOutput(std::shared_ptr<PortAudioLibrary> library, int deviceIndex,
                    std::shared_ptr<Mixer> mixer, std::shared_ptr<const Clock> clock);
    ~PortAudioOutput() override;

    void start() override;
    void stop() override;

    // PortAudio's callback, on its audio thread.
    int callback(float* out, unsigned long frames);

private:
    std::shared_ptr<PortAudioLibrary> m_library;
    int m_deviceIndex;
    int m_channels = 2;
    std::shared_ptr<Mixer> m_mixer;
    std::shared_ptr<const Clock> m_clock;
    std::vector<float> m_mono; // stereo scratch for a one-channel device
    void* m_stream = nullptr;
    bool m_started = false;
};

} // namespace audio
