// Priority sums and the weighted pick of a group's sample for a hit type.
#include "DrumsetTestSupport.h"

#include <gtest/gtest.h>
#include <map>

namespace {

struct SampleSpec {
    const char* caption;
    int32_t priority;
    bool light, medium, heavy, visible;
};

class PickSample : public ::testing::Test {
protected:
    TDrumsetItem& makeGroup(std::initializer_list<SampleSpec> specs) {
        TDrumsetItem& group = drumset.AddGroup();
        for (const SampleSpec& spec : specs) {
            TDrumsetItem& sample = drumset.AddSample(std::string("/none/") + spec.caption, &group);
            sample.Caption = spec.caption;
            sample.Priority = spec.priority;
            sample.LightHit = spec.light;
            sample.MediumHit = spec.medium;
            sample.HeavyHit = spec.heavy;
            sample.Visible = spec.visible;
        }
        return group;
    }

    // Picks once for every value the random source can give, counting the
    // results by caption ("-" for none).
    std::map<std::string, int> pickForEveryDraw(const TDrumsetItem& group, THitType hitType) {
        int32_t draw = 0;
        drumset.setRandomSource([&](int32_t n) {
            EXPECT_EQ(n, group.PrioritySum);
            return draw;
        });
        std::map<std::string, int> counts;
        for (draw = 0; draw < group.PrioritySum; ++draw) {
            const TDrumsetItem* picked = drumset.PickSample(group, hitType);
            if (picked != nullptr) {
                EXPECT_EQ(picked->group(), &group);
            }
            counts[picked != nullptr ? picked->Caption : "-"] += 1;
        }
        return counts;
    }

    TempFolder m_program;
    ProgramFolderScope m_scope{m_program.path()};
    TDrumset drumset;
};

} // namespace

TEST_F(PickSample, PriorityTenIsPickedTwiceAsOftenAsPriorityFive) {
    TDrumsetItem& group =
        makeGroup({{"five", 5, true, true, true, true}, {"ten", 10, true, true, true, true}});
    drumset.UpdatePrioritySums(THitType::htAny);
    ASSERT_EQ(group.PrioritySum, 15);

    EXPECT_EQ(pickForEveryDraw(group, THitType::htAny),
              (std::map<std::string, int>{{"five", 5}, {"ten", 10}}));

    drumset.setRandomSource(seededRandomSource(20240611));
    static constexpr int Picks = 30000;
    int tens = 0;
    for (int i = 0; i < Picks; ++i) {
        const TDrumsetItem* picked = drumset.PickSample(group, THitType::htAny);
        ASSERT_NE(picked, nullptr);
        tens += picked->Caption == "ten" ? 1 : 0;
    }
    // Two thirds, within about seven standard deviations.
    EXPECT_NEAR(static_cast<double>(tens) / Picks, 2.0 / 3.0, 0.02);
}

TEST_F(PickSample, OnlyVisibleSamplesEnabledForTheHitTypeCountAndArePicked) {
    TDrumsetItem& group = makeGroup({
        {"light", 3, true, false, false, true},
        {"heavymedium", 4, false, true, true, true},
        {"hidden", 6, true, true, true, false},
        {"zero", 0, true, true, true, true},
        {"negative", -5, true, true, true, true},
        {"all", 2, true, true, true, true},
    });
    struct Case {
        THitType hitType;
        int32_t sum;
        std::map<std::string, int> picks;
    };
    const Case cases[] = {
        {THitType::htHeavy, 6, {{"heavymedium", 4}, {"all", 2}}},
        {THitType::htMedium, 6, {{"heavymedium", 4}, {"all", 2}}},
        {THitType::htLight, 5, {{"light", 3}, {"all", 2}}},
        {THitType::htAny, 9, {{"light", 3}, {"heavymedium", 4}, {"all", 2}}},
    };
    for (const Case& c : cases) {
        drumset.UpdatePrioritySums(c.hitType);
        EXPECT_EQ(group.PrioritySum, c.sum) << static_cast<int>(c.hitType);
        EXPECT_EQ(pickForEveryDraw(group, c.hitType), c.picks) << static_cast<int>(c.hitType);
    }
}

TEST_F(PickSample, GivesNoneWithoutWeightOrForASample) {
    TDrumsetItem& silent =
        makeGroup({{"a", 0, true, true, true, true}, {"b", 0, true, true, true, true}});
    TDrumsetItem& empty = makeGroup({});
    drumset.UpdatePrioritySums(THitType::htAny);
    EXPECT_EQ(silent.PrioritySum, 0);
    drumset.setRandomSource(seededRandomSource(7));
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(drumset.PickSample(silent, THitType::htAny), nullptr);
        EXPECT_EQ(drumset.PickSample(empty, THitType::htAny), nullptr);
    }

    TDrumsetItem& group = makeGroup({{"a", 5, true, true, true, true}});
    drumset.UpdatePrioritySums(group, THitType::htAny);
    TDrumsetItem& sample = *group.samples()[0];
    sample.PrioritySum = 5; // a sample is never a pick target, whatever it holds
    EXPECT_EQ(drumset.PickSample(sample, THitType::htAny), nullptr);
}

TEST_F(PickSample, RunsOutWhenTheSumsWereMadeForAnotherHitType) {
    TDrumsetItem& group =
        makeGroup({{"light", 5, true, false, false, true}, {"heavy", 5, false, false, true, true}});
    drumset.UpdatePrioritySums(THitType::htAny);
    EXPECT_EQ(pickForEveryDraw(group, THitType::htHeavy),
              (std::map<std::string, int>{{"heavy", 5}, {"-", 5}}));
}
