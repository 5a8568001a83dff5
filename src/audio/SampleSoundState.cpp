#include "audio/SampleSoundState.h"

#include <mutex>
#include <stdexcept>

namespace audio {

namespace {

// Guards every item's SoundState slot while it is read or filled: the
// playback thread looks a state up while the user interface thread may be
// making one. Held only for the pointer access, never by the audio callback.
std::mutex& slotMutex() {
    static std::mutex mutex;
    return mutex;
}

SampleSoundState* asSoundState(TDrumsetItemAttachment* attachment) {
    if (attachment == nullptr)
        return nullptr;
    auto* state = dynamic_cast<SampleSoundState*>(attachment);
    if (state == nullptr)
        throw std::logic_error("The item's sound slot holds another kind of state");
    return state;
}

} // namespace

SampleSoundState::~SampleSoundState() {
    // The voices first, then the streams: a preview stops with its stream.
    m_pool.setImage(nullptr);
    TempoStream = std::monostate{};
    DecodeStream.reset();
}

PitchStream* SampleSoundState::renderTempoStream() const {
    const auto* p = std::get_if<std::unique_ptr<PitchStream>>(&TempoStream);
    return p ? p->get() : nullptr;
}

PreviewStream* SampleSoundState::previewTempoStream() const {
    const auto* p = std::get_if<std::unique_ptr<PreviewStream>>(&TempoStream);
    return p ? p->get() : nullptr;
}

SampleSoundState* findSoundState(const TDrumsetItem& item) {
    std::lock_guard lock(slotMutex());
    return asSoundState(item.SoundState.get());
}

SampleSoundState& soundStateFor(TDrumsetItem& item) {
    std::lock_guard lock(slotMutex());
    if (!item.SoundState)
        item.SoundState = std::make_unique<SampleSoundState>();
    return *asSoundState(item.SoundState.get());
}

} // namespace audio
