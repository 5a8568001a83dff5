#include "audio/AudioErrors.h"

namespace audio {

std::string withErrorCode(std::string_view message, ErrorCode code) {
    std::string text(message);
    text += MessageLineBreak;
    text += "(Error code: ";
    text += std::to_string(codeNumber(code));
    text += ")";
    return text;
}

AudioError::AudioError(ErrorCode code, const std::string& detail)
    : std::runtime_error(detail), m_code(code) {}

} // namespace audio
