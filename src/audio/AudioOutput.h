// The audio layer's entry point: the one mixer (44100 Hz stereo) on the
// chosen output device, the feeder thread for previews, and libresample.
//
// Devices are numbered from 1: the system's default output, every other
// PortAudio output device, and last always "Silent output" (device 1 when
// there is no sound card). Stopping the device and starting another keeps
// every stream valid; only sound in flight ends.
#pragma once

#include "audio/Clock.h"
#include "audio/Mixer.h"
#include "audio/ResampleLibrary.h"
#include "audio/SilentOutput.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace audio {

class OutputDevice;
class PortAudioLibrary;
class StreamFeeder;

class AudioOutput {
public:
    static constexpr std::string_view SilentDeviceDescription = "Silent output";
    // The delay from a command's stamp to its sound (see Mixer).
    static constexpr ClockTime Latency = Mixer::ScheduleLatency;

    struct Options {
        std::shared_ptr<Clock> clock; // empty: the system clock
        SilentOutput::Pacing silentPacing = SilentOutput::Pacing::RealTime;
        std::size_t silentBlockFrames = 256;
        std::string resampleLibrary = ResampleLibrary::DefaultName;
        Mixer::Config mixer;
        bool useSoundCards = true; // false lists only the silent output
    };

    AudioOutput() : AudioOutput(Options{}) {}
    explicit AudioOutput(Options options);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Checks that the libraries the layer runs on are present and recent
    // enough; throws AudioError(LayerUnavailable) otherwise.
    static void verifyLayer();

    // Descriptions of devices 1, 2, ...; the last is the silent output.
    std::vector<std::string> outputDeviceNames();
    // Throws AudioError(AlreadyRunning, NoSuchDevice or DeviceFailed).
    void start(int deviceNumber);
    void stop();
    bool isRunning() const;
    // The running device's number, 0 when stopped.
    int deviceNumber() const;
    // The running silent output, or null.
    SilentOutput* silentOutput();

    // Stops the output and starts it again: every voice, preview and fade
    // ends at once, the output runs on.
    void stopAllSound();

    const Clock& clock() const { return *m_clock; }
    std::shared_ptr<Clock> sharedClock() const { return m_clock; }
    ClockTime now() const { return m_clock->now(); }

    // Rate conversion through libresample, loaded when this object was made.
    bool canConvertRates() const { return m_resample != nullptr; }
    // Why libresample is not available (empty when it is).
    const std::string& rateConversionProblem() const { return m_resampleProblem; }
    // Throws AudioError(ResamplerMissing) with a message saying why.
    RateConverter openRateConverter(bool highQuality, double minFactor, double maxFactor) const;

    std::shared_ptr<Mixer> mixer() const { return m_mixer; }
    std::shared_ptr<StreamFeeder> feeder() const { return m_feeder; }

private:
    struct Choice {
        std::string description;
        int portAudioIndex; // -1 for the silent output
    };
    std::vector<Choice> choices();

    Options m_options;
    std::shared_ptr<Clock> m_clock;
    std::shared_ptr<Mixer> m_mixer;
    std::shared_ptr<StreamFeeder> m_feeder;
    std::shared_ptr<const ResampleLibrary> m_resample;
    std::string m_resampleProblem;

    mutable std::mutex m_mutex; // guards the device
    std::shared_ptr<PortAudioLibrary> m_portAudio;
    bool m_portAudioTried = false;
    std::unique_ptr<OutputDevice> m_device;
    SilentOutput* m_silent = nullptr;
    int m_deviceNumber = 0;
};

} // namespace audio
