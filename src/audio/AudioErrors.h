// The audio layer's numeric error codes, the exception that carries them and
// the user-facing message texts built from them.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace audio {

// Numbers are stable: they reach the user inside "(Error code: N)".
enum class ErrorCode : int {
    None = 0,
    NotRunning = 1,        // no output device is running
    AlreadyRunning = 2,    // start while an output device runs
    NoSuchDevice = 3,      // device number outside 1..count
    DeviceFailed = 4,      // the device would not open or start
    FileOpenFailed = 5,    // the decoder could not open the file
    UnsupportedFormat = 6, // the file opened but cannot be delivered
    DecodeFailed = 7,      // the decoder failed while reading
    BadWaveImage = 8,      // an in-memory WAVE image is malformed
    NoFreeChannel = 9,     // every mixer channel is in use
    CommandQueueFull = 10, // the mixer is not taking commands
    UnknownEffect = 11,    // no such effect on the stream
    EffectMismatch = 12,   // parameters of another kind of effect
    PitchFailed = 13,      // the pitch shifter failed
    ResamplerMissing = 14, // libresample could not be loaded
    ResamplerFailed = 15,  // libresample refused or failed
    CaptureFailed = 16,    // the silent output could not write its file
    LayerUnavailable = 17, // a library of the layer is missing or too old
    InvalidArgument = 18,  // a value outside what the call accepts
    WrongDevice = 19,      // the call needs the silent output
};

constexpr int codeNumber(ErrorCode code) {
    return static_cast<int>(code);
}

// Start-up messages shown by the application.
static constexpr std::string_view LayerNotLoadedMessage = "Audio library was not loaded!";
static constexpr std::string_view InitFailedMessage = "Error initializing audio.";

// Line break between a message and its error code (carriage return, line feed).
static constexpr std::string_view MessageLineBreak = "\r\n";

// message + line break + "(Error code: N)".
std::string withErrorCode(std::string_view message, ErrorCode code);

// A failure of the audio layer. what() is a technical detail for logs and
// tests; userMessage() builds the text the application shows.
class AudioError : public std::runtime_error {
public:
    AudioError(ErrorCode code, const std::string& detail);

    ErrorCode code() const { return m_code; }
    // The action's message followed by this failure's error code.
    std::string userMessage(std::string_view actionMessage) const {
        return withErrorCode(actionMessage, m_code);
    }

private:
    ErrorCode m_code;
};

} // namespace audio
