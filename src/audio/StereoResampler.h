// Streaming rate conversion of stereo frames by 4-point Hermite
// interpolation, for previews whose source is not at the mix rate. (Sample
// rendering uses libresample instead; previews need no more than this.)
#pragma once

#include <cstddef>
#include <vector>

namespace audio {

class StereoResampler {
public:
    // step: input frames per output frame (source rate / mix rate).
    explicit StereoResampler(double step = 1.0) : m_step(step) { reset(); }

    void reset();
    // Appends the output for the given input frames to out.
    void push(const float* stereo, std::size_t frames, std::vector<float>& out);
    // Appends the tail that the last input frames still owe.
    void flush(std::vector<float>& out);

private:
    void produce(std::vector<float>& out);

    double m_step;
    double m_position = 0.0;     // relative to m_buffer frame 1
    std::vector<float> m_buffer; // frame 0 is the one before the position
};

} // namespace audio
