// The five effects, measured on synthesized signals: equaliser band gains,
// compressor levels, gargle rates, reverb decay times, distortion character.
#include "SignalTools.h"
#include "audio/AudioErrors.h"
#include "audio/fx/Effect.h"
#include "audio/fx/EffectChain.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace audiotest;
using namespace audio::fx;

namespace {

Sound processed(EffectKind kind, const EffectParameters& parameters, Sound sound) {
    auto effect = makeEffect(kind, sound.rate, sound.channels);
    effect->setParameters(parameters);
    effect->process(sound.samples.data(), sound.frames());
    return sound;
}

// --- equaliser band ---

struct EqCase {
    double centre;
    int rate;
    double gainDb;
};

class EqBandGain : public ::testing::TestWithParam<EqCase> {};

TEST_P(EqBandGain, ChangesItsCentreAndSparesTwoOctavesAway) {
    const EqCase& c = GetParam();
    const EqBandParameters band{static_cast<float>(c.centre), 12.0f, static_cast<float>(c.gainDb)};
    const auto measureDb = [&](double hz) {
        const Sound out = processed(EffectKind::EqBand, band, sine(hz, 0.5, c.rate));
        return toDb(toneAmplitude(out.samples, c.rate, hz, c.rate / 5) / 0.5);
    };
    EXPECT_NEAR(measureDb(c.centre), c.gainDb, 1.0);
    EXPECT_NEAR(measureDb(c.centre / 4), 0.0, 1.0);
    EXPECT_NEAR(measureDb(c.centre * 4), 0.0, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Bands, EqBandGain,
                         ::testing::Values(EqCase{200, 44100, 15}, EqCase{800, 44100, 15},
                                           EqCase{1600, 48000, 15}, EqCase{800, 22050, -15},
                                           EqCase{3200, 44100, -15}));

TEST(EqBand, ABandPastNyquistLeavesTheSignalAlone) {
    const Sound in = sine(5000, 0.2, 22050);
    const Sound out = processed(EffectKind::EqBand, EqBandParameters{12800, 12, 15}, in);
    EXPECT_EQ(out.samples, in.samples);
}

// --- compressor ---

struct CompressorCase {
    float thresholdDb;
    float ratio;
    double inputDb;
    float gainDb;
    double expectedDb;
};

class CompressorLevel : public ::testing::TestWithParam<CompressorCase> {};

TEST_P(CompressorLevel, BringsALoudSineDownByTheRatio) {
    const CompressorCase& c = GetParam();
    CompressorParameters p;
    p.thresholdDb = c.thresholdDb;
    p.ratio = c.ratio;
    p.gainDb = c.gainDb;
    p.attackMs = 1.0f;
    p.releaseMs = 200.0f;
    const int rate = 44100;
    const Sound out = processed(EffectKind::Compressor, p,
                                sine(1000, 0.6, rate, 2, std::pow(10.0, c.inputDb / 20.0)));
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_NEAR(toDb(peak(out.channel(ch), rate / 3)), c.expectedDb, 2.0) << "channel " << ch;
}

INSTANTIATE_TEST_SUITE_P(Settings, CompressorLevel,
                         ::testing::Values(CompressorCase{-20, 4, -6, 0, -16.5},
                                           CompressorCase{-30, 10, 0, 0, -27.0},
                                           CompressorCase{-10, 2, -4, 0, -7.0},
                                           CompressorCase{-20, 4, -6, 6, -10.5},
                                           CompressorCase{-10, 4, -20, 0, -20.0}));

TEST(Compressor, PredelayDelaysTheAudioButNotTheDetector) {
    const int rate = 44100;
    CompressorParameters p;
    p.predelayMs = 4.0f;
    p.thresholdDb = -60.0f;
    p.ratio = 1.0f; // no compression: only the delay shows
    Sound click = constant(0.0, 0.05, rate);
    click.samples[100] = 0.5f;
    const Sound out = processed(EffectKind::Compressor, p, click);
    EXPECT_EQ(firstAbove(out.samples, 0.25), 100u + 176u); // 4 ms at 44100 Hz
}

// --- gargle ---

struct GargleCase {
    std::uint32_t rateHz;
    GargleWave wave;
};

class GargleRate : public ::testing::TestWithParam<GargleCase> {};

TEST_P(GargleRate, ModulatesAtItsRateBetweenSilenceAndFullLevel) {
    const GargleCase& c = GetParam();
    const int rate = 44100;
    const Sound out = processed(EffectKind::Gargle, GargleParameters{c.rateHz, c.wave},
                                constant(0.5, 1.0, rate, 2));
    for (int ch = 0; ch < 2; ++ch) {
        const std::vector<float> x = out.channel(ch);
        int falls = 0;
        for (std::size_t i = 1; i < x.size(); ++i)
            if (x[i - 1] >= 0.25f && x[i] < 0.25f)
                ++falls;
        EXPECT_NEAR(falls, static_cast<int>(c.rateHz), 1) << "channel " << ch;
        EXPECT_NEAR(peak(x), 0.5, 0.01);
        EXPECT_NEAR(*std::min_element(x.begin(), x.end()), 0.0, 0.01);
        // Both unipolar waves average half of full level.
        double sum = 0.0;
        for (float v : x)
            sum += v;
        EXPECT_NEAR(sum / static_cast<double>(x.size()), 0.25, 0.005);
    }
    EXPECT_NEAR(out.samples[0], 0.5, 1e-6); // starts at full level: the attack is kept
}

INSTANTIATE_TEST_SUITE_P(Rates, GargleRate,
                         ::testing::Values(GargleCase{20, GargleWave::Triangle},
                                           GargleCase{500, GargleWave::Triangle},
                                           GargleCase{100, GargleWave::Square},
                                           GargleCase{1000, GargleWave::Square}));

// --- reverb ---

// T60 from the Schroeder energy decay curve, extrapolated from -5 to -35 dB.
double decayTimeMs(const std::vector<float>& h, int rate) {
    std::vector<double> edc(h.size() + 1, 0.0);
    for (std::size_t i = h.size(); i-- > 0;)
        edc[i] = edc[i + 1] + static_cast<double>(h[i]) * h[i];
    const auto timeAt = [&](double db) {
        for (std::size_t i = 0; i < h.size(); ++i)
            if (10.0 * std::log10(edc[i] / edc[0]) <= db)
                return static_cast<double>(i);
        return static_cast<double>(h.size());
    };
    return (timeAt(-35.0) - timeAt(-5.0)) * 2.0 * 1000.0 / rate;
}

class ReverbTime : public ::testing::TestWithParam<float> {};

TEST_P(ReverbTime, TailDecaysBySixtyDecibelsInTheReverbTime) {
    const float timeMs = GetParam();
    const int rate = 44100;
    Sound impulse = constant(0.0, timeMs / 1000.0 * 1.5 + 0.3, rate, 2);
    impulse.samples[0] = impulse.samples[1] = 1.0f;
    ReverbParameters p;
    p.reverbTimeMs = timeMs;
    p.highFreqRtRatio = 0.999f;
    Sound out = processed(EffectKind::Reverb, p, impulse);
    out.samples[0] = out.samples[1] = 0.0f; // keep the tail only
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_NEAR(decayTimeMs(out.channel(ch), rate), timeMs, 0.3 * timeMs) << "channel " << ch;
}

INSTANTIATE_TEST_SUITE_P(Times, ReverbTime, ::testing::Values(300.0f, 1000.0f, 2500.0f));

TEST(Reverb, HighFrequencyRatioShortensTheTrebleTail) {
    const int rate = 44100;
    const auto trebleOverLow = [&](float ratio) {
        Sound impulse = constant(0.0, 1.0, rate);
        impulse.samples[0] = 1.0f;
        ReverbParameters p;
        p.reverbTimeMs = 1500.0f;
        p.highFreqRtRatio = ratio;
        const Sound out = processed(EffectKind::Reverb, p, impulse);
        const std::size_t from = rate / 2, to = rate;
        return toneAmplitude(out.samples, rate, 8000, from, to) /
               toneAmplitude(out.samples, rate, 300, from, to);
    };
    EXPECT_LT(toDb(trebleOverLow(0.1f)), toDb(trebleOverLow(0.999f)) - 20.0);
}

TEST(Reverb, MixAndInputGainScaleWetAndDry) {
    const int rate = 44100;
    Sound impulse = constant(0.0, 0.5, rate);
    impulse.samples[0] = 1.0f;
    ReverbParameters loud, quiet;
    quiet.reverbMixDb = -20.0f;
    const Sound a = processed(EffectKind::Reverb, loud, impulse);
    const Sound b = processed(EffectKind::Reverb, quiet, impulse);
    EXPECT_FLOAT_EQ(a.samples[0], 1.0f); // dry at 0 dB input gain
    EXPECT_NEAR(toDb(rms(b.samples, 1) / rms(a.samples, 1)), -20.0, 0.1);
    ReverbParameters attenuated;
    attenuated.inGainDb = -6.0f;
    const Sound c = processed(EffectKind::Reverb, attenuated, impulse);
    EXPECT_NEAR(toDb(c.samples[0]), -6.0, 0.01);
}

// --- distortion ---

double thirdHarmonicDb(float edge) {
    const int rate = 44100;
    DistortionParameters p;
    p.edgePercent = edge;
    p.postEqCenterHz = 2000;
    p.postEqBandwidthHz = 8000;
    p.preLowpassCutoffHz = 8000;
    const Sound out = processed(EffectKind::Distortion, p, sine(500, 0.3, rate, 1, 0.5));
    return toDb(toneAmplitude(out.samples, rate, 1500, rate / 10) /
                toneAmplitude(out.samples, rate, 500, rate / 10));
}

TEST(Distortion, MoreEdgeMeansMoreHarmonics) {
    const double gentle = thirdHarmonicDb(0);
    const double hard = thirdHarmonicDb(100);
    EXPECT_LT(gentle, -25.0);
    EXPECT_GT(hard, -12.0);
}

TEST(Distortion, GainAndPreLowpassShapeTheOutput) {
    const int rate = 44100;
    DistortionParameters open;
    open.edgePercent = 0;
    open.preLowpassCutoffHz = 8000;
    DistortionParameters closed = open;
    closed.preLowpassCutoffHz = 500;
    const Sound in = sine(4000, 0.3, rate, 1, 0.3);
    const double openDb = toDb(rms(processed(EffectKind::Distortion, open, in).samples, rate / 10));
    const double closedDb =
        toDb(rms(processed(EffectKind::Distortion, closed, in).samples, rate / 10));
    EXPECT_LT(closedDb, openDb - 20.0);
    DistortionParameters quieter = open;
    quieter.gainDb = -20;
    const double quietDb =
        toDb(rms(processed(EffectKind::Distortion, quieter, in).samples, rate / 10));
    EXPECT_NEAR(quietDb, openDb - 20.0, 0.01);
}

TEST(EffectChain, EffectsInOneSlotRunInTheOrderTheyWereAdded) {
    const Sound input = sine(300, 0.1, 44100, 1, 0.9);
    const GargleParameters gargle{50, GargleWave::Square};
    DistortionParameters distortion;
    distortion.edgePercent = 80;
    const auto byHand = [&](bool gargleFirst) {
        auto g = makeEffect(EffectKind::Gargle, 44100, 1);
        auto d = makeEffect(EffectKind::Distortion, 44100, 1);
        g->setParameters(gargle);
        d->setParameters(distortion);
        std::vector<float> x = input.samples;
        (gargleFirst ? g : d)->process(x.data(), x.size());
        (gargleFirst ? d : g)->process(x.data(), x.size());
        return x;
    };
    for (bool gargleFirst : {true, false}) {
        EffectChain chain(44100, 1);
        const auto reverb = chain.add(EffectKind::Reverb, 3); // a later slot, added first
        chain.setParameters(reverb, ReverbParameters{0, -96, 1, 0.5f});
        const auto first = chain.add(gargleFirst ? EffectKind::Gargle : EffectKind::Distortion, 2);
        const auto second = chain.add(gargleFirst ? EffectKind::Distortion : EffectKind::Gargle, 2);
        chain.setParameters(gargleFirst ? first : second, gargle);
        chain.setParameters(gargleFirst ? second : first, distortion);
        std::vector<float> x = input.samples;
        chain.process(x.data(), x.size());
        const std::vector<float> expected = byHand(gargleFirst);
        for (std::size_t i = 0; i < x.size(); ++i)
            ASSERT_NEAR(x[i], expected[i], 1e-4) << "gargle first " << gargleFirst << ", " << i;
    }
}

TEST(Effects, RefuseTheRecordOfAnotherKind) {
    for (EffectKind kind : {EffectKind::Compressor, EffectKind::Distortion, EffectKind::Gargle,
                            EffectKind::EqBand, EffectKind::Reverb}) {
        auto effect = makeEffect(kind, 44100, 2);
        EXPECT_EQ(effect->kind(), kind);
        EXPECT_NO_THROW(effect->setParameters(defaultParameters(kind)));
        const EffectParameters other = kind == EffectKind::Reverb
                                           ? EffectParameters{GargleParameters{}}
                                           : EffectParameters{ReverbParameters{}};
        try {
            effect->setParameters(other);
            ADD_FAILURE() << "took another kind's record";
        } catch (const audio::AudioError& e) {
            EXPECT_EQ(e.code(), audio::ErrorCode::EffectMismatch);
        }
    }
}

} // namespace
