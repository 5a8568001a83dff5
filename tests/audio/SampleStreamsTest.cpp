// A sample's streams: opening and closing them, the failure messages, the
// file facts the editors show, and previews with live changes.
#include "SampleFixtures.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using namespace audiotest;

namespace {

constexpr std::size_t Latency = audio::Mixer::ScheduleLatencyFrames;

std::size_t frameAt(double ms) {
    return static_cast<std::size_t>(MixerRig::frameAt(ms)) + Latency;
}

// --- Failures ------------------------------------------------------------------

struct FailureCase {
    const char* name;
    // Runs the failing operation on a sample whose file is missing (when
    // missing) or holds no sound.
    std::function<void(EngineRig&, TDrumsetItem&)> operation;
    bool missingFile;
    std::string message; // {path} stands for the sample's path
};

class SampleFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SampleFailures, RaiseTheUsersMessage) {
    const FailureCase& c = GetParam();
    EngineRig rig;
    const auto path = rig.files.file(c.missingFile ? "missing.wav" : "text.wav");
    if (!c.missingFile)
        std::ofstream(path) << "not a sound file at all, only some text";
    auto item = sampleItem(path);
    std::string expected = c.message;
    if (const auto at = expected.find("{path}"); at != std::string::npos)
        expected.replace(at, 6, path.string());
    try {
        c.operation(rig, *item);
        FAIL() << "no failure";
    } catch (const audio::SampleError& e) {
        EXPECT_EQ(std::string(e.what()), expected);
    }
}

using Op = std::function<void(EngineRig&, TDrumsetItem&)>;
const Op Open = [](EngineRig& r, TDrumsetItem& i) {
    r.engine.OpenSampleStream(i, audio::TempoMode::Playable, true);
};
const Op Initialize = [](EngineRig& r, TDrumsetItem& i) { r.engine.InitializeSample(i, 0); };
const Op Preview = [](EngineRig& r, TDrumsetItem& i) { r.engine.PreviewSample(i); };
const Op Length = [](EngineRig&, TDrumsetItem& i) { audio::SampleLengthMs(i); };

INSTANTIATE_TEST_SUITE_P(
    Messages, SampleFailures,
    ::testing::Values(
        FailureCase{"OpenMissing", Open, true, "File \"{path}\" does not exist."},
        FailureCase{"InitializeMissing", Initialize, true, "File \"{path}\" does not exist."},
        FailureCase{"PreviewMissing", Preview, true, "File \"{path}\" does not exist."},
        FailureCase{"LengthMissing", Length, true, "File \"{path}\" does not exist."},
        FailureCase{"OpenNoSound", Open, false, "Failed to load sample.\r\n(Error code: 6)"},
        FailureCase{"InitializeNoSound", Initialize, false,
                    "Failed to load sample.\r\n(Error code: 6)"},
        FailureCase{"LengthNoSound", Length, false, "Failed to load sample.\r\n(Error code: 6)"},
        FailureCase{"ChannelsNotLoaded",
                    [](EngineRig&, TDrumsetItem& i) { audio::SampleChannels(i); }, true,
                    "Sample not loaded."},
        FailureCase{"RateNotLoaded", [](EngineRig&, TDrumsetItem& i) { audio::SampleRate(i); },
                    true, "Sample not loaded."},
        FailureCase{"VoicesWithoutImage",
                    [](EngineRig& r, TDrumsetItem& i) { r.engine.CreateVoices(i, 5); }, true,
                    "Failed to load sample.\r\n(Error code: 8)"},
        FailureCase{"StartWithoutVoices",
                    [](EngineRig& r, TDrumsetItem& i) { r.engine.StartVoice(i, 100, 0); }, true,
                    "Failed to play sample.\r\n(Error code: 18)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SampleFailuresWithoutOutput, PlayingFails) {
    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.2, 44100));
    rig.engine.InitializeSample(*item, 0);
    rig.engine.CreateVoices(*item, 5);
    rig.mixer.output().stop();
    const std::string message = "Failed to play sample.\r\n(Error code: 1)";
    try {
        rig.engine.StartVoice(*item, 100, 0);
        FAIL() << "a voice started without output";
    } catch (const audio::SampleError& e) {
        EXPECT_EQ(e.what(), message);
        EXPECT_EQ(e.code(), audio::ErrorCode::NotRunning);
    }
    try {
        rig.engine.PreviewSample(*item);
        FAIL() << "a preview started without output";
    } catch (const audio::SampleError& e) {
        EXPECT_EQ(e.what(), message);
    }
}

// --- Opening and closing -------------------------------------------------------------

struct OpenCase {
    audio::TempoMode mode;
    bool gain;
};

class OpenStreamModes : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenStreamModes, BuildsTheAskedStreamsAndReleasesEarlierOnes) {
    const OpenCase& c = GetParam();
    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.2, 44100));
    rig.engine.OpenSampleStream(*item, audio::TempoMode::Playable, true);
    const std::weak_ptr<audio::DecodeStream> earlier = stateOf(*item).DecodeStream;

    rig.engine.OpenSampleStream(*item, c.mode, c.gain);
    const audio::SampleSoundState& state = stateOf(*item);
    EXPECT_TRUE(earlier.expired());
    ASSERT_NE(state.DecodeStream, nullptr);
    EXPECT_EQ(state.DecodeStream->hasGain(), c.gain);
    EXPECT_EQ(state.renderTempoStream() != nullptr, c.mode == audio::TempoMode::DecodeOnly);
    EXPECT_EQ(state.previewTempoStream() != nullptr, c.mode == audio::TempoMode::Playable);
}

INSTANTIATE_TEST_SUITE_P(Modes, OpenStreamModes,
                         ::testing::Values(OpenCase{audio::TempoMode::None, false},
                                           OpenCase{audio::TempoMode::None, true},
                                           OpenCase{audio::TempoMode::DecodeOnly, true},
                                           OpenCase{audio::TempoMode::Playable, true},
                                           OpenCase{audio::TempoMode::Playable, false}));

TEST(OpenStream, ShowsTheBusyCursorWhileOpening) {
    MixerRig mixer;
    std::vector<bool> shown;
    audio::SampleEngine engine(mixer.output(), [&](bool busy) { shown.push_back(busy); });
    SampleFiles files;
    auto item = files.item(sine(440, 0.1, 44100));
    engine.OpenSampleStream(*item, audio::TempoMode::None, true);
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));

    const auto text = files.file("text.wav");
    std::ofstream(text) << "no sound";
    auto broken = sampleItem(text);
    EXPECT_THROW(engine.OpenSampleStream(*broken, audio::TempoMode::None, true),
                 audio::SampleError);
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false}));
}

TEST(CloseSampleStream, ReleasesBothStreamsAndTheEffectsAndStopsThePreview) {
    EngineRig rig;
    auto item = rig.files.item(sine(440, 2.0, 44100));
    item->ReverbActive = item->EQActive = true;
    rig.engine.PreviewSample(*item);
    audio::SampleSoundState& state = stateOf(*item);
    const std::weak_ptr<audio::DecodeStream> decode = state.DecodeStream;
    for (double t = 0; t <= 200; t += 50) {
        state.previewTempoStream()->prefill();
        rig.mixer.at(t);
    }
    audio::CloseSampleStream(*item);
    EXPECT_TRUE(decode.expired());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(state.TempoStream));
    EXPECT_FALSE(state.ReverbEffect);
    for (const auto& band : state.EQBandEffects)
        EXPECT_FALSE(band);
    rig.mixer.at(500);
    const std::vector<float> x = rig.mixer.captured().channel(0);
    EXPECT_GT(rms(x, frameAt(100), frameAt(180)), 0.1);
    EXPECT_LT(peak(x, frameAt(260)), 1e-6);
}

// --- File facts ------------------------------------------------------------------------

struct LengthCase {
    int rate;
    int channels;
    int format;
    std::size_t frames;
    int32_t ms;
};

class SampleLengthRounding : public ::testing::TestWithParam<LengthCase> {};

TEST_P(SampleLengthRounding, RoundsToTheNearestMillisecondHalvesToEven) {
    const LengthCase& c = GetParam();
    SampleFiles files;
    Sound s{c.rate, c.channels, std::vector<float>(c.frames * c.channels, 0.1f)};
    auto item = files.item(s, c.format);
    // No audio output exists here: measuring needs none.
    EXPECT_EQ(audio::SampleLengthMs(*item), c.ms);
    EXPECT_EQ(audio::findSoundState(*item), nullptr); // the stream it opened is gone
}

INSTANTIATE_TEST_SUITE_P(Lengths, SampleLengthRounding,
                         ::testing::Values(LengthCase{8192, 1, Pcm16, 512, 62},     // 62.5
                                           LengthCase{8192, 2, Pcm16, 1536, 188},   // 187.5
                                           LengthCase{8192, 1, PcmU8, 2560, 312},   // 312.5
                                           LengthCase{44100, 2, Pcm16, 11025, 250}, // exact
                                           LengthCase{44100, 1, Pcm16, 11047, 250}, // 250.49
                                           LengthCase{44100, 1, Pcm16, 11048, 251}, // 250.52
                                           LengthCase{22050, 1, PcmU8, 1, 0}));

TEST(SampleLength, AGroupIsZeroAndAnOpenStreamStaysOpen) {
    TDrumsetItem group;
    group.IsGroup = true;
    EXPECT_EQ(audio::SampleLengthMs(group), 0);

    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.5, 48000, 2));
    rig.engine.OpenSampleStream(*item, audio::TempoMode::Playable, true);
    EXPECT_EQ(audio::SampleLengthMs(*item), 500);
    EXPECT_NE(stateOf(*item).DecodeStream, nullptr);
    EXPECT_NE(stateOf(*item).previewTempoStream(), nullptr);
    EXPECT_EQ(audio::SampleChannels(*item), 2);
}

TEST(SampleLength, TheEditorsFunctionThrowsTheUsersMessage) {
    SampleFiles files;
    const auto length = audio::sampleLengthFunction();
    auto item = files.item(sine(440, 0.25, 44100));
    EXPECT_EQ(length(*item), 250);
    auto missing = sampleItem(files.file("gone.wav"));
    try {
        length(*missing);
        FAIL() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "File \"" + files.file("gone.wav").string() + "\" does not exist.");
    }
}

struct FactsCase {
    int rate;
    int channels;
    int format;
};

class ChannelsAndRate : public ::testing::TestWithParam<FactsCase> {};

TEST_P(ChannelsAndRate, AreThoseOfTheOpenStream) {
    const FactsCase& c = GetParam();
    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.1, c.rate, c.channels), c.format);
    rig.engine.OpenSampleStream(*item, audio::TempoMode::Playable, true);
    EXPECT_EQ(audio::SampleChannels(*item), c.channels);
    EXPECT_EQ(audio::SampleRate(*item), c.rate);
}

INSTANTIATE_TEST_SUITE_P(Files, ChannelsAndRate,
                         ::testing::Values(FactsCase{22050, 1, Pcm16}, FactsCase{48000, 2, Pcm16},
                                           FactsCase{11025, 1, PcmU8}));

// --- Previews --------------------------------------------------------------------------

class PreviewSample : public ::testing::Test {
protected:
    // Mixes in steps, letting the feeder fill the ring before each.
    void run(TDrumsetItem& item, double fromMs, double toMs) {
        for (double t = fromMs; t <= toMs; t += 50.0) {
            if (audio::PreviewStream* preview = stateOf(item).previewTempoStream())
                preview->prefill();
            m_rig.mixer.at(t);
        }
    }

    EngineRig m_rig;
};

TEST_F(PreviewSample, VolumePanningPitchAndEffectChangesAreHeardWhileItPlays) {
    auto item = m_rig.files.item(sine(440, 2.5, 44100));
    item->Panning = -100;
    m_rig.engine.PreviewSample(*item);
    run(*item, 0, 500);

    audio::SampleSoundState& state = stateOf(*item);
    item->Volume = 50;
    audio::SetVolumeGain(*state.DecodeStream, item->Volume);
    item->Panning = 100;
    state.previewTempoStream()->setLevels({100, item->Panning});
    item->Pitch = 12;
    audio::SetPitch(state.TempoStream, item->Pitch);
    run(*item, 550, 1300);
    item->EQActive = true;
    TEQBands cut = flatEQBands();
    for (TEQBand& band : cut)
        band.fGain = -15.0f;
    item->EQBands = cut;
    audio::ApplyEffects(*item);
    run(*item, 1350, 2200);

    const Sound mix = m_rig.mixer.captured();
    const std::vector<float> left = mix.channel(0);
    const std::vector<float> right = mix.channel(1);
    EXPECT_NEAR(zeroCrossingFrequency(left, 44100, frameAt(100), frameAt(450)), 440.0, 9.0);
    EXPECT_LT(rms(right, frameAt(100), frameAt(450)), 1e-4);
    EXPECT_NEAR(zeroCrossingFrequency(right, 44100, frameAt(800), frameAt(1250)), 880.0, 18.0);
    EXPECT_LT(rms(left, frameAt(800), frameAt(1250)), 1e-4);
    const double before = rms(left, frameAt(100), frameAt(450));
    const double halved = rms(right, frameAt(800), frameAt(1250));
    EXPECT_NEAR(toDb(halved / before), -6.0, 1.0);
    EXPECT_LT(toDb(rms(right, frameAt(1700), frameAt(2100)) / halved), -10.0);
}

TEST_F(PreviewSample, PlaysFromTheStartEachTime) {
    auto item = m_rig.files.item(silenceThenNoise(0.1, 0.2, 44100));
    m_rig.engine.PreviewSample(*item);
    run(*item, 0, 150);
    m_rig.engine.PreviewSample(*item); // while it plays
    run(*item, 200, 600);
    m_rig.engine.PreviewSample(*item); // after it ended
    run(*item, 650, 1100);
    const std::vector<float> x = m_rig.mixer.captured().channel(0);
    // Each play sounds its burst 0.1 s after it started (at 0, 150, 600 ms).
    for (double start : {0.0, 150.0, 600.0}) {
        const std::size_t onset = firstAbove(x, 0.05, frameAt(start + 10));
        EXPECT_NEAR(static_cast<double>(onset), static_cast<double>(frameAt(start + 100)), 441)
            << "play at " << start << " ms";
    }
}

} // namespace
