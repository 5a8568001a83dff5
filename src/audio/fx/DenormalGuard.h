// Flushes denormal floats to zero while in scope: decaying filter and reverb
// tails otherwise slow to a crawl once they reach the denormal range.
#pragma once

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace audio::fx {

class DenormalGuard {
public:
#if defined(__SSE__) || defined(__x86_64__)
    DenormalGuard() : m_saved(_mm_getcsr()) {
        _mm_setcsr(m_saved | FlushBits);
    }
    ~DenormalGuard() {
        _mm_setcsr(m_saved);
    }

private:
    static constexpr unsigned FlushBits = 0x8040; // flush-to-zero | denormals-are-zero
    unsigned m_saved;
#else
    DenormalGuard() = default;
#endif
public:
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;
};

} // namespace audio::fx
