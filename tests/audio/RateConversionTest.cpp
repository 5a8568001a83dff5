// Rate conversion through libresample, loaded at run time, and the layer
// without it.
#include "MixerRig.h"
#include "audio/AudioErrors.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace audiotest;

namespace {

audio::AudioOutput::Options quiet() {
    audio::AudioOutput::Options o;
    o.useSoundCards = false;
    o.silentPacing = audio::SilentOutput::Pacing::Manual;
    return o;
}

// Feeds the converter in blocks, the last one flagged, as rendering does.
std::vector<float> convert(audio::RateConverter& converter, double factor,
                           const std::vector<float>& input) {
    std::vector<float> output(static_cast<std::size_t>(input.size() * factor) + 1000);
    std::size_t produced = 0;
    const std::size_t block = 1000;
    for (std::size_t at = 0; at < input.size(); at += block) {
        const std::size_t n = std::min(block, input.size() - at);
        const auto r =
            converter.process(factor, std::span(input).subspan(at, n), at + n == input.size(),
                              std::span(output).subspan(produced));
        EXPECT_EQ(r.consumed, n);
        produced += r.produced;
    }
    output.resize(produced);
    return output;
}

struct ConversionCase {
    int from;
    int to;
};

class RateConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(RateConversion, ScalesTheLengthAndKeepsTheFrequency) {
    const ConversionCase& c = GetParam();
    audio::AudioOutput output(quiet());
    ASSERT_TRUE(output.canConvertRates()) << output.rateConversionProblem();
    const double factor = static_cast<double>(c.to) / c.from;
    auto converter = output.openRateConverter(true, factor, factor);
    const int width = converter.filterWidth();
    EXPECT_GT(width, 0);

    const std::vector<float> input = sine(1000, 0.5, c.from, 1, 0.5).samples;
    const std::vector<float> out = convert(converter, factor, input);
    EXPECT_NEAR(static_cast<double>(out.size()), input.size() * factor, width * factor + 2);
    const std::size_t edge = static_cast<std::size_t>(c.to / 20);
    EXPECT_NEAR(zeroCrossingFrequency(out, c.to, edge, out.size() - edge), 1000.0, 1.0);
    EXPECT_NEAR(toDb(rms(out, edge, out.size() - edge)), toDb(0.5 / std::sqrt(2.0)), 0.2);
}

INSTANTIATE_TEST_SUITE_P(Rates, RateConversion,
                         ::testing::Values(ConversionCase{22050, 44100},
                                           ConversionCase{48000, 44100},
                                           ConversionCase{44100, 22050}));

TEST(RateConversion, ADuplicateCarriesOnFromTheSameState) {
    audio::AudioOutput output(quiet());
    ASSERT_TRUE(output.canConvertRates());
    auto original = output.openRateConverter(true, 2.0, 2.0);
    const std::vector<float> input = sine(700, 0.2, 22050).samples;
    const std::size_t half = input.size() / 2;
    std::vector<float> sink(input.size() * 2 + 1000);
    original.process(2.0, std::span(input).first(half), false, sink);
    auto copy = original.duplicate();
    std::vector<float> a(input.size() * 2), b(input.size() * 2);
    const auto ra = original.process(2.0, std::span(input).subspan(half), true, a);
    const auto rb = copy.process(2.0, std::span(input).subspan(half), true, b);
    ASSERT_EQ(ra.produced, rb.produced);
    EXPECT_EQ(a, b);
}

TEST(RateConversion, TheLayerStartsWithoutLibresample) {
    audio::AudioOutput::Options options = quiet();
    options.resampleLibrary = "libresample-not-here.so.9";
    audio::AudioOutput output(options);
    EXPECT_FALSE(output.canConvertRates());
    EXPECT_FALSE(output.rateConversionProblem().empty());
    try {
        output.openRateConverter(true, 2.0, 2.0);
        FAIL() << "converted without libresample";
    } catch (const audio::AudioError& e) {
        EXPECT_EQ(e.code(), audio::ErrorCode::ResamplerMissing);
        EXPECT_NE(std::string(e.what()).find("libresample"), std::string::npos);
        EXPECT_EQ(e.userMessage("Failed to load sample."),
                  "Failed to load sample.\r\n(Error code: 14)");
    }
    // Everything else works.
    output.start(1);
    audio::Voice voice(output, makeImage(click()));
    EXPECT_NO_THROW(voice.play());
}

} // namespace
