// libresample, loaded at run time: the program starts without it, and only
// rendering at another rate needs it. The five entry points are looked up
// once when the library is loaded; it is unloaded when the last holder lets
// go of it.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace audio {

class ResampleLibrary {
public:
    static constexpr const char* DefaultName = "libresample.so.1";

    // Null when the library or one of its entry points is missing; whyNot
    // then says what failed.
    static std::shared_ptr<const ResampleLibrary> load(const std::string& name,
                                                       std::string& whyNot);
    ~ResampleLibrary();
    ResampleLibrary(const ResampleLibrary&) = delete;
    ResampleLibrary& operator=(const ResampleLibrary&) = delete;

    using OpenFn = void* (*)(int highQuality, double minFactor, double maxFactor);
    using DupFn = void* (*)(const void* handle);
    using FilterWidthFn = int (*)(const void* handle);
    using ProcessFn = int (*)(void* handle, double factor, float* in, int inLength, int last,
                              int* inUsed, float* out, int outLength);
    using CloseFn = void (*)(void* handle);

    OpenFn open = nullptr;
    DupFn dup = nullptr;
    FilterWidthFn filterWidth = nullptr;
    ProcessFn process = nullptr;
    CloseFn close = nullptr;

private:
    explicit ResampleLibrary(void* handle) : m_handle(handle) {}
    void* m_handle;
};

// One channel's rate converter (one libresample handle).
class RateConverter {
public:
    // Throws AudioError(ResamplerFailed) when libresample refuses.
    RateConverter(std::shared_ptr<const ResampleLibrary> library, bool highQuality,
                  double minFactor, double maxFactor);
    ~RateConverter();
    RateConverter(RateConverter&& other) noexcept;
    RateConverter& operator=(RateConverter&&) = delete;
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // A converter with the same settings and the same inner state.
    RateConverter duplicate() const;
    // Input frames the filter looks at on either side.
    int filterWidth() const;

    struct Result {
        std::size_t consumed = 0;
        std::size_t produced = 0;
    };
    // Converts by factor (output rate / input rate). Takes all of input
    // unless output fills up first. last: no input follows, so the filter's
    // tail is flushed as well (as far as output has room).
    Result process(double factor, std::span<const float> input, bool last, std::span<float> output);

private:
    RateConverter(std::shared_ptr<const ResampleLibrary> library, void* handle)
        : m_library(std::move(library)), m_handle(handle) {}

    std::shared_ptr<const ResampleLibrary> m_library;
    void* m_handle;
};

} // namespace audio
