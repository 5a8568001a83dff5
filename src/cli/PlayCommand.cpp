// play: a song played through the application's scheduler and sample voices
// in real time; on the "Silent output" device what the mixer produced can be
// captured to a WAV file, so that timing can be measured from outside.
#include "audio/AudioOutput.h"
#include "audio/Playback.h"
#include "audio/SampleVoices.h"
#include "audio/SilentOutput.h"
#include "cli/Commands.h"
#include "editor/SongEditor.h"
#include "songfile/SongFile.h"

#include <atomic>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <stdexcept>

namespace {

static constexpr const char* PlayUsage =
    "play SONG.drm [--start B] [--end B] [--loop N] [--device N] [--capture OUT.wav]";

struct PlayOptions {
    std::string songFile;
    int32_t startBar = 0;
    int32_t endBar = -1;
    int32_t passes = 1;
    int deviceNumber = 0; // 0: the first device, or the silent output for a capture
    std::string captureFile;
};

int32_t number(const TArguments& args, size_t& i) {
    if (i + 1 >= args.size())
        throw UsageError{PlayUsage};
    try {
        return static_cast<int32_t>(std::stol(args[++i]));
    } catch (const std::exception&) {
        throw UsageError{PlayUsage};
    }
}

PlayOptions parse(const TArguments& args) {
    PlayOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--start")
            o.startBar = number(args, i);
        else if (args[i] == "--end")
            o.endBar = number(args, i);
        else if (args[i] == "--loop")
            o.passes = number(args, i);
        else if (args[i] == "--device")
            o.deviceNumber = number(args, i);
        else if (args[i] == "--capture" && i + 1 < args.size())
            o.captureFile = args[++i];
        else if (o.songFile.empty() && args[i].rfind("--", 0) != 0)
            o.songFile = args[i];
        else
            throw UsageError{PlayUsage};
    }
    if (o.songFile.empty() || o.passes < 1 || o.startBar < 0)
        throw UsageError{PlayUsage};
    return o;
}

// Prints errors and ends the loop after the asked number of passes.
class CliHost final : public audio::PlaybackHost {
public:
    CliHost(audio::Playback*& playback, int32_t passes) : m_playback(playback), m_passes(passes) {}
    void startPlayCursor() override {
        if (++m_passesStarted >= m_passes && m_playback)
            m_playback->Loop = false;
    }
    void showError(const std::string& message) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::cerr << message << '\n';
        failed = true;
    }
    std::atomic<bool> failed{false};

private:
    audio::Playback*& m_playback;
    int32_t m_passes;
    std::atomic<int32_t> m_passesStarted{0};
    std::mutex m_mutex;
};

} // namespace

int playCommand(const TArguments& args) {
    const PlayOptions o = parse(args);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(o.songFile, ec))
        throw std::runtime_error("File \"" + o.songFile + "\" does not exist.");

    TSongEditor editor;
    editor.setSampleLengthFunction(audio::sampleLengthFunction());
    LoadSong(editor, o.songFile, false, 0, 0, false, false, nullptr);

    audio::AudioOutput::Options outputOptions;
    outputOptions.clock = audio::systemClock();
    audio::AudioOutput output(outputOptions);
    const int silentNumber = static_cast<int>(output.outputDeviceNames().size());
    int device = o.deviceNumber;
    if (device == 0)
        device = o.captureFile.empty() ? 1 : silentNumber;
    output.start(device);
    if (!o.captureFile.empty()) {
        if (!output.silentOutput())
            throw std::runtime_error("--capture needs the \"Silent output\" device (" +
                                     std::to_string(silentNumber) + ").");
        output.silentOutput()->startCapture(o.captureFile);
    }

    audio::SampleEngine engine(output);
    audio::SampleEnginePlayback voices(engine);
    audio::Playback* playbackRef = nullptr;
    CliHost host(playbackRef, o.passes);
    int result = ExitOk;
    {
        audio::Playback playback(editor, voices,
                                 std::make_shared<audio::OutputPlaybackClock>(outputOptions.clock),
                                 &host);
        playbackRef = &playback;
        if (!playback.HasHitsFrom(o.startBar)) {
            std::cerr << audio::Playback::NoHitsMessage << '\n';
            result = ExitError;
        } else {
            // Rendered before the run, as "Initialize all samples" does.
            playback.InitializeAllSamples();
            playback.StartBar = o.startBar;
            playback.EndBar = o.endBar;
            playback.Loop = o.passes > 1;
            playback.Play();
            playback.WaitForRunEnd();
            if (host.failed)
                result = ExitError;
        }
        playbackRef = nullptr;
    }
    if (output.silentOutput())
        output.silentOutput()->stopCapture();
    output.stop();
    return result;
}
