// An output the mixer renders to: a sound card through PortAudio, or the
// silent output.
#pragma once

namespace audio {

class OutputDevice {
public:
    virtual ~OutputDevice() = default;
    // Throws AudioError(DeviceFailed).
    virtual void start() = 0;
    // Returns once the device will not call the mixer again.
    virtual void stop() = 0;
};

} // namespace audio
