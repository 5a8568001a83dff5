// Drumset samples turned into sound: rendering a sample once (volume gain,
// effects in priority order, pitch, optional rate conversion) into an
// in-memory WAVE image, a small pool of voices over that image, previews with
// live changes for the drumset editor, and the file facts the editors show.
//
// Operations that need the program's audio output are members of
// SampleEngine; the others are free functions. All raise SampleError, whose
// what() is the message for the user.
//
// Threads: InitializeSample, the stream operations and PreviewSample run on
// the user interface thread. CreateVoices, StartVoice, FadeOutVoice,
// StopAllSound and isSampleInitialized may also run on the playback thread,
// also for the same sample at the same time (see VoicePool).
#pragma once

#include "audio/AudioOutput.h"
#include "audio/SampleErrors.h"
#include "audio/SampleSoundState.h"
#include "drumset/DrumsetItem.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace audio {

class SampleEngine {
public:
    // Shows (true) and restores (false) the busy mouse cursor around opening
    // a sample file; empty: no cursor.
    using BusyCursor = std::function<void(bool busy)>;

    explicit SampleEngine(AudioOutput& output, BusyCursor busyCursor = {});

    AudioOutput& output() { return m_output; }

    // Opens DecodeStream over the sample's file (closing streams it held),
    // with the volume gain stage when withGain, and a tempo stream over it
    // unless mode is None.
    void OpenSampleStream(TDrumsetItem& sample, TempoMode mode, bool withGain);
    // Renders the sample into its Image; targetRate 0 keeps the file's rate
    // and resolution, another rate (or an 8-bit file) gives 16-bit data at
    // that rate. The voices of an earlier image are freed; without an image
    // afterwards when it fails. No running output device is needed.
    void InitializeSample(TDrumsetItem& sample, int32_t targetRate);
    // Adds voices over the Image until the pool holds count.
    void CreateVoices(TDrumsetItem& sample, int32_t count);
    // Starts a voice of the pool at volume 0..100 and panning -100..100,
    // stamped at (default: now), and returns it.
    VoiceHandle StartVoice(TDrumsetItem& sample, int32_t volume, int32_t panning,
                           std::optional<ClockTime> at = std::nullopt);
    // Every voice, preview and fade ends at once; the output runs on.
    void StopAllSound();
    // Plays the sample from its start through its playable tempo stream with
    // the item's current volume, effects, pitch and panning; the streams stay
    // open for live changes and later previews.
    void PreviewSample(TDrumsetItem& sample);

private:
    AudioOutput& m_output;
    BusyCursor m_busyCursor;
};

// Releases the sample's streams and effect handles (stops a preview).
void CloseSampleStream(TDrumsetItem& sample);
// Gain factor volume / 100 on the stream: 100 is unity, 400 fourfold.
void SetVolumeGain(DecodeStream& stream, int32_t volume);
// Pitch in semitones on a tempo stream; tempo and rate stay.
void SetPitch(TempoStreamSlot& tempoStream, int32_t semitones);
// Rebuilds the effects on DecodeStream from the item's flags, priorities
// and records (nothing without DecodeStream).
void ApplyEffects(TDrumsetItem& sample);
// Slides the voice to silence over the time, then stops it; panning stays.
void FadeOutVoice(const VoiceHandle& voice, std::chrono::milliseconds duration,
                  std::optional<ClockTime> at = std::nullopt);
// Stops and releases the sample's voices.
void FreeVoices(TDrumsetItem& sample);

// The sample's playing length, rounded to the nearest ms (halves to even);
// 0 for a group. A stream it opens for this is closed again; an open one
// stays. Needs no output device.
int32_t SampleLengthMs(TDrumsetItem& sample);
// Of the open DecodeStream; "Sample not loaded." without one.
int32_t SampleChannels(TDrumsetItem& sample);
int32_t SampleRate(TDrumsetItem& sample);

// SampleLengthMs for the song editor and the command line, which plug it in
// with TSongEditor::setSampleLengthFunction.
std::function<int32_t(TDrumsetItem&)> sampleLengthFunction();

// The sample has its rendered Image.
bool isSampleInitialized(const TDrumsetItem& sample);

// The sample's file opened for decoding, without gain, effects or tempo
// stream. Throws SampleError.
std::shared_ptr<DecodeStream> openSampleFile(const TDrumsetItem& sample);

} // namespace audio
