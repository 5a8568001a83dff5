#include "audio/StereoResampler.h"

#include <cmath>

namespace audio {

void StereoResampler::reset() {
    m_position = 0.0;
    m_buffer.assign(2, 0.0f);
}

void StereoResampler::push(const float* stereo, std::size_t frames, std::vector<float>& out) {
    if (m_step == 1.0) {
        out.insert(out.end(), stereo, stereo + 2 * frames);
        return;
    }
    m_buffer.insert(m_buffer.end(), stereo, stereo + 2 * frames);
    produce(out);
}

void StereoResampler::flush(std::vector<float>& out) {
    if (m_step == 1.0)
        return;
    m_buffer.insert(m_buffer.end(), 4, 0.0f);
    produce(out);
    reset();
}

void StereoResampler::produce(std::vector<float>& out) {
    const std::size_t frames = m_buffer.size() / 2;
    for (;;) {
        const auto i = static_cast<std::size_t>(m_position);
        if (i + 3 >= frames)
            break;
        const float t = static_cast<float>(m_position - static_cast<double>(i));
        for (std::size_t c = 0; c < 2; ++c) {
            const float y0 = m_buffer[2 * i + c], y1 = m_buffer[2 * (i + 1) + c];
            const float y2 = m_buffer[2 * (i + 2) + c], y3 = m_buffer[2 * (i + 3) + c];
            const float c1 = 0.5f * (y2 - y0);
            const float c2 = y0 - 2.5f * y1 + 2.0f * y2 - 0.5f * y3;
            const float c3 = 0.5f * (y3 - y0) + 1.5f * (y1 - y2);
            out.push_back(((c3 * t + c2) * t + c1) * t + y1);
        }
        m_position += m_step;
    }
    const auto drop = static_cast<std::size_t>(m_position);
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(2 * drop));
    m_position -= static_cast<double>(drop);
}

} // namespace audio
