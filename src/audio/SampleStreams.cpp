// The streams of a sample: opening and closing them, gain, pitch and
// effects on them, previews, and the facts of the file.
#include "audio/EffectMapping.h"
#include "audio/SampleVoices.h"
#include "drumset/Drumset.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace audio {

namespace {

// Shows the busy cursor for its lifetime, also when opening fails.
class BusyScope {
public:
    explicit BusyScope(const SampleEngine::BusyCursor& cursor) : m_cursor(cursor) {
        if (m_cursor)
            m_cursor(true);
    }
    ~BusyScope() {
        if (m_cursor)
            m_cursor(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    const SampleEngine::BusyCursor& m_cursor;
};

void releaseEffects(SampleSoundState& state) {
    auto remove = [&](fx::EffectId& id) {
        if (id && state.DecodeStream)
            state.DecodeStream->removeEffect(id);
        id = fx::EffectId{};
    };
    remove(state.ReverbEffect);
    remove(state.DistortionEffect);
    remove(state.GargleEffect);
    remove(state.CompressorEffect);
    for (fx::EffectId& band : state.EQBandEffects)
        remove(band);
}

fx::EffectId addEffect(DecodeStream& stream, int slot, const fx::EffectParameters& parameters) {
    const fx::EffectId id = stream.addEffect(fx::kindOf(parameters), slot);
    if (!id)
        throw SampleError(EffectFailedMessage, ErrorCode::UnknownEffect);
    stream.configureEffect(id, parameters);
    return id;
}

std::unique_ptr<PreviewStream> makePreview(AudioOutput& output,
                                           const std::shared_ptr<DecodeStream>& decode) {
    try {
        return std::make_unique<PreviewStream>(output, decode);
    } catch (const AudioError& e) {
        throw SampleError(LoadFailedMessage, e);
    }
}

} // namespace

std::shared_ptr<DecodeStream> openSampleFile(const TDrumsetItem& sample) {
    const std::string path = TDrumset::SampleFilePath(sample);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw SampleError(fileMissingMessage(path));
    try {
        return DecodeStream::openFile(path);
    } catch (const AudioError& e) {
        throw SampleError(LoadFailedMessage, e);
    }
}

void SampleEngine::OpenSampleStream(TDrumsetItem& sample, TempoMode mode, bool withGain) {
    SampleSoundState& state = soundStateFor(sample);
    // Streams held from before would otherwise be left behind, unreleased.
    CloseSampleStream(sample);
    BusyScope busy(m_busyCursor);
    std::shared_ptr<DecodeStream> decode = openSampleFile(sample);
    if (withGain)
        decode->setGain(1.0);
    TempoStreamSlot tempo;
    // The tempo stream does not depend on the gain stage: a preview needs it
    // whichever way its stream was opened.
    if (mode == TempoMode::DecodeOnly)
        tempo = std::make_unique<PitchStream>(decode);
    else if (mode == TempoMode::Playable)
        tempo = makePreview(m_output, decode);
    state.DecodeStream = std::move(decode);
    state.TempoStream = std::move(tempo);
}

void CloseSampleStream(TDrumsetItem& sample) {
    SampleSoundState* state = findSoundState(sample);
    if (state == nullptr)
        return;
    if (PreviewStream* preview = state->previewTempoStream(); preview && preview->isPlaying())
        preview->stop();
    // The tempo stream reads from the decoding stream, so both go.
    state->TempoStream = std::monostate{};
    if (state->DecodeStream) {
        releaseEffects(*state);
        state->DecodeStream->removeGain();
        state->DecodeStream.reset();
    }
}

void SetVolumeGain(DecodeStream& stream, int32_t volume) {
    stream.setGain(static_cast<double>(volume) / 100.0);
}

void SetPitch(TempoStreamSlot& tempoStream, int32_t semitones) {
    if (auto* render = std::get_if<std::unique_ptr<PitchStream>>(&tempoStream))
        (*render)->setPitch(semitones);
    else if (auto* preview = std::get_if<std::unique_ptr<PreviewStream>>(&tempoStream))
        (*preview)->setPitch(semitones);
}

void ApplyEffects(TDrumsetItem& sample) {
    SampleSoundState* state = findSoundState(sample);
    if (state == nullptr || !state->DecodeStream)
        return;
    releaseEffects(*state);
    DecodeStream& stream = *state->DecodeStream;
    try {
        // Within a slot in this order, so effects sharing a priority are all
        // added, in a fixed order.
        for (int slot = 0; slot <= 4; ++slot) {
            if (sample.DistortionActive && sample.DistortionPriority == slot)
                state->DistortionEffect = addEffect(stream, slot, distortionParametersOf(sample));
            if (sample.GargleActive && sample.GarglePriority == slot)
                state->GargleEffect = addEffect(stream, slot, gargleParametersOf(sample));
            if (sample.CompressorActive && sample.CompressorPriority == slot)
                state->CompressorEffect = addEffect(stream, slot, compressorParametersOf(sample));
            if (sample.ReverbActive && sample.ReverbPriority == slot)
                state->ReverbEffect = addEffect(stream, slot, reverbParametersOf(sample));
            if (sample.EQActive && sample.EQPriority == slot) {
                const auto bands = eqBandParametersOf(sample);
                for (std::size_t b = 0; b < EQBandCount; ++b)
                    state->EQBandEffects[b] = addEffect(stream, slot, bands[b]);
            }
        }
    } catch (const AudioError& e) {
        throw SampleError(EffectFailedMessage, e);
    }
}

void SampleEngine::PreviewSample(TDrumsetItem& sample) {
    SampleSoundState& state = soundStateFor(sample);
    if (!state.DecodeStream)
        OpenSampleStream(sample, TempoMode::Playable, true);
    else if (state.previewTempoStream() == nullptr)
        state.TempoStream = makePreview(m_output, state.DecodeStream);
    SetVolumeGain(*state.DecodeStream, sample.Volume);
    ApplyEffects(sample);
    SetPitch(state.TempoStream, sample.Pitch);
    PreviewStream& preview = *state.previewTempoStream();
    try {
        preview.setLevels({100, sample.Panning});
        preview.play(true); // from the file's start
    } catch (const AudioError& e) {
        throw SampleError(PlayFailedMessage, e);
    }
}

int32_t SampleLengthMs(TDrumsetItem& sample) {
    if (sample.IsGroup)
        return 0;
    const SampleSoundState* state = findSoundState(sample);
    // A stream the editor holds open stays open: its preview and the other
    // file facts still need it.
    std::shared_ptr<DecodeStream> stream =
        state && state->DecodeStream ? state->DecodeStream : openSampleFile(sample);
    const double ms = stream->secondsOf(stream->lengthBytes()) * 1000.0;
    return static_cast<int32_t>(std::nearbyint(ms)); // the default mode: halves to even
}

int32_t SampleChannels(TDrumsetItem& sample) {
    const SampleSoundState* state = findSoundState(sample);
    if (state == nullptr || !state->DecodeStream)
        throw SampleError(NotLoadedMessage);
    return state->DecodeStream->format().channels;
}

int32_t SampleRate(TDrumsetItem& sample) {
    const SampleSoundState* state = findSoundState(sample);
    if (state == nullptr || !state->DecodeStream)
        throw SampleError(NotLoadedMessage);
    return state->DecodeStream->format().rate;
}

std::function<int32_t(TDrumsetItem&)> sampleLengthFunction() {
    return [](TDrumsetItem& sample) { return SampleLengthMs(sample); };
}

} // namespace audio
