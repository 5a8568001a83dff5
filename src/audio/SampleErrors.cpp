#include "audio/SampleErrors.h"

namespace audio {

std::string fileMissingMessage(std::string_view path) {
    const std::size_t at = FileMissingMessage.find("%s");
    std::string text(FileMissingMessage.substr(0, at));
    text += path;
    text += FileMissingMessage.substr(at + 2);
    return text;
}

SampleError::SampleError(std::string_view userMessage)
    : std::runtime_error(std::string(userMessage)), m_code(ErrorCode::None) {}

SampleError::SampleError(std::string_view actionMessage, ErrorCode code)
    : std::runtime_error(withErrorCode(actionMessage, code)), m_code(code) {}

} // namespace audio
