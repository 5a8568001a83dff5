// Voices of one sample started from two threads at once (the user interface
// and the playback thread) while a third mixes: the pool keeps exactly its
// voices, and ThreadSanitizer builds check the locking.
#include "SampleFixtures.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace audiotest;

namespace {

TEST(VoiceConcurrency, TwoThreadsStartVoicesOfOneSample) {
    EngineRig rig;
    auto item = rig.files.item(constant(0.01, 0.05, 44100));
    rig.engine.InitializeSample(*item, 0);

    std::atomic<bool> starting{true};
    std::atomic<bool> go{false};
    std::atomic<int> failures{0};
    auto hits = [&](int fadeEvery) {
        while (!go.load()) // both begin together
            std::this_thread::yield();
        try {
            rig.engine.CreateVoices(*item, 5);
            for (int i = 0; i < 400; ++i) {
                if (!audio::isSampleInitialized(*item))
                    ++failures;
                const audio::VoiceHandle voice = rig.engine.StartVoice(*item, 100, 0);
                if (voice.expired())
                    ++failures;
                if (i % fadeEvery == 0)
                    audio::FadeOutVoice(voice, std::chrono::milliseconds(5));
            }
        } catch (const std::exception&) {
            ++failures;
        }
    };
    // The mixing side: time moves on and blocks are mixed, so voices end.
    std::thread mixing([&] {
        double ms = 0;
        while (starting.load()) {
            ms += 2;
            rig.mixer.at(ms);
            std::this_thread::yield();
        }
    });
    std::thread ui(hits, 7);
    std::thread playback(hits, 3);
    go = true;
    ui.join();
    playback.join();
    starting = false;
    mixing.join();

    EXPECT_EQ(failures.load(), 0);
    std::vector<std::shared_ptr<audio::Voice>> voices = stateOf(*item).Voices();
    ASSERT_EQ(voices.size(), 5u);
    std::sort(voices.begin(), voices.end());
    EXPECT_EQ(std::adjacent_find(voices.begin(), voices.end()), voices.end());
}

} // namespace
