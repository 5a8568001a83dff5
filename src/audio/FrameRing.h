// A bounded single-producer, single-consumer ring of stereo float frames:
// the feeder thread writes, the audio thread reads, neither ever waits.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstring>
#include <vector>

namespace audio {

class FrameRing {
public:
    explicit FrameRing(std::size_t capacityFrames) : m_buffer(2 * (capacityFrames + 1)) {}

    std::size_t capacity() const { return m_buffer.size() / 2 - 1; }
    std::size_t readable() const {
        const std::size_t w = m_write.load(std::memory_order_acquire);
        const std::size_t r = m_read.load(std::memory_order_acquire);
        return w >= r ? w - r : frames() - r + w;
    }
    std::size_t writable() const { return capacity() - readable(); }

    // Producer side. Returns the frames taken.
    std::size_t write(const float* stereo, std::size_t count) {
        const std::size_t w = m_write.load(std::memory_order_relaxed);
        const std::size_t r = m_read.load(std::memory_order_acquire);
        const std::size_t free = capacity() - (w >= r ? w - r : frames() - r + w);
        const std::size_t n = count < free ? count : free;
        copyIn(w, stereo, n);
        m_write.store((w + n) % frames(), std::memory_order_release);
        return n;
    }

    // Consumer side. Returns the frames delivered.
    std::size_t read(float* stereo, std::size_t count) {
        const std::size_t r = m_read.load(std::memory_order_relaxed);
        const std::size_t w = m_write.load(std::memory_order_acquire);
        const std::size_t available = w >= r ? w - r : frames() - r + w;
        const std::size_t n = count < available ? count : available;
        copyOut(r, stereo, n);
        m_read.store((r + n) % frames(), std::memory_order_release);
        return n;
    }

private:
    std::size_t frames() const { return m_buffer.size() / 2; }
    void copyIn(std::size_t at, const float* src, std::size_t n) {
        const std::size_t first = n < frames() - at ? n : frames() - at;
        std::memcpy(m_buffer.data() + 2 * at, src, 2 * first * sizeof(float));
        std::memcpy(m_buffer.data(), src + 2 * first, 2 * (n - first) * sizeof(float));
    }
    void copyOut(std::size_t at, float* dst, std::size_t n) const {
        const std::size_t first = n < frames() - at ? n : frames() - at;
        std::memcpy(dst, m_buffer.data() + 2 * at, 2 * first * sizeof(float));
        std::memcpy(dst + 2 * first, m_buffer.data(), 2 * (n - first) * sizeof(float));
    }

    std::vector<float> m_buffer;
    std::atomic<std::size_t> m_write{0};
    std::atomic<std::size_t> m_read{0};
};

} // namespace audio
