// The messages the sample operations raise and the exception that carries
// them. what() is the text the user sees: the action's message, and for
// failures of the audio layer a line break and "(Error code: N)".
#pragma once

#include "audio/AudioErrors.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace audio {

static constexpr std::string_view FileMissingMessage = "File \"%s\" does not exist.";
static constexpr std::string_view LoadFailedMessage = "Failed to load sample.";
static constexpr std::string_view PlayFailedMessage = "Failed to play sample.";
static constexpr std::string_view EffectFailedMessage = "Failed to initialize effect.";
static constexpr std::string_view NotLoadedMessage = "Sample not loaded.";

// FileMissingMessage with the path in place of %s.
std::string fileMissingMessage(std::string_view path);

class SampleError : public std::runtime_error {
public:
    // A message that carries no error code.
    explicit SampleError(std::string_view userMessage);
    // The action's message followed by the code of the layer's failure.
    SampleError(std::string_view actionMessage, ErrorCode code);
    SampleError(std::string_view actionMessage, const AudioError& cause)
        : SampleError(actionMessage, cause.code()) {}

    // None for messages without a code.
    ErrorCode code() const { return m_code; }

private:
    ErrorCode m_code;
};

} // namespace audio
