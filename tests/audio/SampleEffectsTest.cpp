// The item's effects on its decoding stream: the drumset's records mapped to
// the effects, their order by priority (and within a priority), and the
// rendered result against the same chain built by hand.
#include "SampleFixtures.h"
#include "audio/EffectMapping.h"
#include "audio/fx/EffectChain.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace audiotest;

namespace {

enum Fx { Distortion, Gargle, Compressor, Reverb, Equaliser };

struct Priorities {
    const char* name;
    int of[5]; // by Fx
    int volume;
};

void setEffects(TDrumsetItem& item, const Priorities& p) {
    item.Volume = p.volume;
    item.DistortionActive = item.GargleActive = item.CompressorActive = item.ReverbActive =
        item.EQActive = true;
    item.DistortionPriority = p.of[Distortion];
    item.GarglePriority = p.of[Gargle];
    item.CompressorPriority = p.of[Compressor];
    item.ReverbPriority = p.of[Reverb];
    item.EQPriority = p.of[Equaliser];
    item.DistortionParams = TDistortionParams{-6.0f, 30.0f, 2000.0f, 2000.0f, 6000.0f};
    item.GargleParams = TGargleParams{20, GargleSquareWave};
    item.CompressorParams = TCompressorParams{3.0f, 5.0f, 100.0f, -20.0f, 4.0f, 1.0f};
    item.ReverbParams = TReverbParams{-3.0f, -6.0f, 500.0f, 0.5f};
    TEQBands bands = flatEQBands();
    for (std::size_t b = 0; b < EQBandCount; ++b)
        bands[b].fGain = b % 2 == 0 ? 6.0f : -6.0f;
    item.EQBands = bands;
}

// The same effects written out by hand, added in priority order and, within
// a priority, distortion, gargle, compressor, reverb, equaliser.
void addReference(audio::fx::EffectChain& chain, const Priorities& p) {
    namespace fx = audio::fx;
    std::vector<Fx> order = {Distortion, Gargle, Compressor, Reverb, Equaliser};
    std::stable_sort(order.begin(), order.end(), [&](Fx a, Fx b) { return p.of[a] < p.of[b]; });
    for (Fx e : order) {
        const int slot = p.of[e];
        switch (e) {
        case Distortion:
            chain.setParameters(chain.add(fx::EffectKind::Distortion, slot),
                                fx::DistortionParameters{-6.0f, 30.0f, 2000.0f, 2000.0f, 6000.0f});
            break;
        case Gargle:
            chain.setParameters(chain.add(fx::EffectKind::Gargle, slot),
                                fx::GargleParameters{20, fx::GargleWave::Square});
            break;
        case Compressor:
            chain.setParameters(chain.add(fx::EffectKind::Compressor, slot),
                                fx::CompressorParameters{3.0f, 5.0f, 100.0f, -20.0f, 4.0f, 1.0f});
            break;
        case Reverb:
            chain.setParameters(chain.add(fx::EffectKind::Reverb, slot),
                                fx::ReverbParameters{-3.0f, -6.0f, 500.0f, 0.5f});
            break;
        case Equaliser:
            for (std::size_t b = 0; b < EQBandCount; ++b)
                chain.setParameters(
                    chain.add(fx::EffectKind::EqBand, slot),
                    fx::EqBandParameters{EQBandCenters[b], 12.0f, b % 2 == 0 ? 6.0f : -6.0f});
            break;
        }
    }
}

class EffectOrder : public ::testing::TestWithParam<Priorities> {};

TEST_P(EffectOrder, RendersAsTheChainBuiltByHand) {
    const Priorities& p = GetParam();
    EngineRig rig;
    Sound source = sine(440, 0.3, 44100, 1, 0.4);
    const Sound noise = silenceThenNoise(0.0, 0.3, 44100, 1, 0.1);
    for (std::size_t i = 0; i < source.samples.size(); ++i)
        source.samples[i] += noise.samples[i];
    const auto path = rig.files.write(source);
    auto item = sampleItem(path);
    setEffects(*item, p);
    rig.engine.InitializeSample(*item, 0);

    // The rendering reads in blocks of 4096 samples; the reference does too.
    std::vector<float> x = readSound(path).samples;
    for (float& v : x)
        v *= static_cast<float>(p.volume) / 100.0f;
    audio::fx::EffectChain chain(44100, 1);
    addReference(chain, p);
    for (std::size_t at = 0; at < x.size(); at += 4096)
        chain.process(x.data() + at, std::min<std::size_t>(4096, x.size() - at));

    const std::vector<int> v = imageOf(*item).values(0);
    ASSERT_EQ(v.size(), x.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        ASSERT_NEAR(v[i], audio::sampleToS16(x[i]), 1) << "frame " << i;
}

INSTANTIATE_TEST_SUITE_P(Priorities, EffectOrder,
                         ::testing::Values(Priorities{"Defaults", {0, 1, 2, 4, 3}, 100},
                                           Priorities{"AllTheSame", {2, 2, 2, 2, 2}, 100},
                                           Priorities{"Reversed", {4, 3, 2, 1, 0}, 100},
                                           Priorities{"PairsAndGain", {1, 0, 1, 0, 3}, 150}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyEffects, EffectsSharingAPriorityAreAllAddedInTheFixedOrder) {
    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.1, 44100));
    setEffects(*item, Priorities{"", {3, 3, 3, 3, 3}, 100});
    rig.engine.OpenSampleStream(*item, audio::TempoMode::None, true);
    audio::ApplyEffects(*item);

    const audio::SampleSoundState& state = stateOf(*item);
    EXPECT_EQ(state.DecodeStream->effectCount(), 12u);
    std::vector<std::uint32_t> ids = {state.DistortionEffect.value, state.GargleEffect.value,
                                      state.CompressorEffect.value, state.ReverbEffect.value};
    for (const auto& band : state.EQBandEffects)
        ids.push_back(band.value);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()); // all distinct
    EXPECT_NE(ids.front(), 0u);
}

TEST(ApplyEffects, RebuildsTheChainFromTheItem) {
    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.1, 44100));
    setEffects(*item, Priorities{"", {0, 1, 2, 4, 3}, 100});
    rig.engine.OpenSampleStream(*item, audio::TempoMode::None, true);
    audio::ApplyEffects(*item);
    audio::ApplyEffects(*item); // again: nothing doubles
    audio::SampleSoundState& state = stateOf(*item);
    EXPECT_EQ(state.DecodeStream->effectCount(), 12u);

    item->EQActive = false;
    item->GargleActive = false;
    item->ReverbPriority = 7; // outside the chain's slots: not added
    audio::ApplyEffects(*item);
    EXPECT_EQ(state.DecodeStream->effectCount(), 2u);
    EXPECT_FALSE(state.GargleEffect);
    EXPECT_FALSE(state.ReverbEffect);
    for (const auto& band : state.EQBandEffects)
        EXPECT_FALSE(band);
    EXPECT_TRUE(state.DistortionEffect);
    EXPECT_TRUE(state.CompressorEffect);
}

TEST(ApplyEffects, WithoutAStreamDoesNothing) {
    EngineRig rig;
    auto item = rig.files.item(sine(440, 0.1, 44100));
    setEffects(*item, Priorities{"", {0, 1, 2, 4, 3}, 100});
    EXPECT_NO_THROW(audio::ApplyEffects(*item));
    EXPECT_EQ(audio::findSoundState(*item), nullptr);
}

TEST(EffectMapping, AnActiveEffectWithoutARecordUsesTheStartingValues) {
    TDrumsetItem item;
    const auto reverb = audio::reverbParametersOf(item);
    EXPECT_EQ(reverb.reverbTimeMs, 1000.0f);
    EXPECT_EQ(reverb.highFreqRtRatio, 0.001f);
    const auto bands = audio::eqBandParametersOf(item);
    for (std::size_t b = 0; b < EQBandCount; ++b) {
        EXPECT_EQ(bands[b].centerHz, EQBandCenters[b]);
        EXPECT_EQ(bands[b].gainDb, 0.0f);
    }
    EXPECT_EQ(audio::gargleParameters(TGargleParams{5, 7}).waveShape,
              audio::fx::GargleWave::Triangle);
}

} // namespace
