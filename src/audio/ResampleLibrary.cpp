#include "audio/ResampleLibrary.h"

#include "audio/AudioErrors.h"

#include <algorithm>
#include <climits>
#include <dlfcn.h>
#include <utility>

namespace audio {

namespace {

template <class Fn>
bool lookUp(void* handle, const char* name, Fn& fn, std::string& whyNot) {
    fn = reinterpret_cast<Fn>(dlsym(handle, name));
    if (fn == nullptr)
        whyNot = std::string("libresample has no ") + name;
    return fn != nullptr;
}

} // namespace

std::shared_ptr<const ResampleLibrary> ResampleLibrary::load(const std::string& name,
                                                             std::string& whyNot) {
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = dlerror();
        whyNot = "Cannot load " + name + ": " + (error ? error : "unknown error");
        return nullptr;
    }
    std::shared_ptr<ResampleLibrary> library(new ResampleLibrary(handle));
    if (!lookUp(handle, "resample_open", library->open, whyNot) ||
        !lookUp(handle, "resample_dup", library->dup, whyNot) ||
        !lookUp(handle, "resample_get_filter_width", library->filterWidth, whyNot) ||
        !lookUp(handle, "resample_process", library->process, whyNot) ||
        !lookUp(handle, "resample_close", library->close, whyNot))
        return nullptr;
    whyNot.clear();
    return library;
}

ResampleLibrary::~ResampleLibrary() {
    dlclose(m_handle);
}

RateConverter::RateConverter(std::shared_ptr<const ResampleLibrary> library, bool highQuality,
                             double minFactor, double maxFactor)
    : m_library(std::move(library)), m_handle(nullptr) {
    if (!m_library)
        throw AudioError(ErrorCode::ResamplerMissing, "libresample is not loaded");
    m_handle = m_library->open(highQuality ? 1 : 0, minFactor, maxFactor);
    if (m_handle == nullptr)
        throw AudioError(ErrorCode::ResamplerFailed, "libresample refused the factors");
}

RateConverter::~RateConverter() {
    if (m_handle != nullptr)
        m_library->close(m_handle);
}

RateConverter::RateConverter(RateConverter&& other) noexcept
    : m_library(std::move(other.m_library)), m_handle(std::exchange(other.m_handle, nullptr)) {}

RateConverter RateConverter::duplicate() const {
    void* copy = m_library->dup(m_handle);
    if (copy == nullptr)
        throw AudioError(ErrorCode::ResamplerFailed, "libresample could not copy a converter");
    return RateConverter(m_library, copy);
}

int RateConverter::filterWidth() const {
    return m_library->filterWidth(m_handle);
}

RateConverter::Result RateConverter::process(double factor, std::span<const float> input, bool last,
                                             std::span<float> output) {
    Result result;
    // libresample takes what it can each call; repeat until the input is used
    // up and, for the last block, until the tail stops coming.
    for (;;) {
        const std::size_t inLeft = input.size() - result.consumed;
        const std::size_t outLeft = output.size() - result.produced;
        if (outLeft == 0)
            break;
        int used = 0;
        // The library does not write to its input.
        float* in = const_cast<float*>(input.data()) + result.consumed;
        const int n = m_library->process(m_handle, factor, in,
                                         static_cast<int>(std::min<std::size_t>(inLeft, INT_MAX)),
                                         last ? 1 : 0, &used, output.data() + result.produced,
                                         static_cast<int>(std::min<std::size_t>(outLeft, INT_MAX)));
        if (n < 0)
            throw AudioError(ErrorCode::ResamplerFailed, "libresample failed");
        result.consumed += static_cast<std::size_t>(used);
        result.produced += static_cast<std::size_t>(n);
        if (n == 0 && used == 0)
            break;
    }
    return result;
}

} // namespace audio
