// Output devices: numbering, the silent output at the end of the list,
// starting, restarting on another device, and the layer's check.
#include "MixerRig.h"
#include "audio/AudioErrors.h"

#include <gtest/gtest.h>

using namespace audiotest;

namespace {

TEST(Devices, TheSilentOutputIsAlwaysLast) {
    audio::AudioOutput output; // with sound cards, if the machine has any
    const std::vector<std::string> names = output.outputDeviceNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "Silent output");
    if (names.size() > 1) {
        EXPECT_EQ(names.front().rfind("Default output (", 0), 0u) << names.front();
    }
    output.start(static_cast<int>(names.size()));
    EXPECT_NE(output.silentOutput(), nullptr);
    EXPECT_EQ(output.deviceNumber(), static_cast<int>(names.size()));
}

TEST(Devices, WithoutSoundCardsTheSilentOutputIsDeviceOne) {
    audio::AudioOutput::Options options;
    options.useSoundCards = false;
    audio::AudioOutput output(options);
    EXPECT_EQ(output.outputDeviceNames(), std::vector<std::string>{"Silent output"});
    output.start(1);
    EXPECT_TRUE(output.isRunning());
}

TEST(Devices, BadNumbersAndDoubleStartsFailWithCodes) {
    audio::AudioOutput::Options options;
    options.useSoundCards = false;
    audio::AudioOutput output(options);
    for (int bad : {0, -1, 2}) {
        try {
            output.start(bad);
            ADD_FAILURE() << "started device " << bad;
        } catch (const audio::AudioError& e) {
            EXPECT_EQ(e.code(), audio::ErrorCode::NoSuchDevice);
            EXPECT_EQ(e.userMessage(audio::InitFailedMessage),
                      "Error initializing audio.\r\n(Error code: 3)");
        }
    }
    output.start(1);
    try {
        output.start(1);
        ADD_FAILURE() << "started twice";
    } catch (const audio::AudioError& e) {
        EXPECT_EQ(e.code(), audio::ErrorCode::AlreadyRunning);
    }
}

TEST(Devices, StreamsSurviveARestartOfTheOutput) {
    MixerRig rig;
    auto v = rig.voice(constant(0.5, 0.5, 44100));
    v->play();
    rig.at(50);
    rig.output().stop();
    EXPECT_FALSE(v->isPlaying());
    EXPECT_FALSE(rig.output().isRunning());
    rig.output().start(1);
    v->play();
    EXPECT_TRUE(v->isPlaying());
}

TEST(Devices, TheLayerIsAvailable) {
    EXPECT_NO_THROW(audio::AudioOutput::verifyLayer());
    EXPECT_EQ(audio::LayerNotLoadedMessage, "Audio library was not loaded!");
}

} // namespace
