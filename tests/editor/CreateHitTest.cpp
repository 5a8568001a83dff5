// TSongEditor::CreateHit: a new hit's defaults from its row and sample, the
// group row's choice by hit type and priority, and the random fallback.
#include "EditorTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

const std::string RowsFixture = std::string(EditorFixtureFolder) + "/rows.dum";

// Answers from a script and records the ranges it was asked for.
struct ScriptedRandom {
    std::vector<int32_t> answers;
    std::vector<int32_t> asked;
    size_t next = 0;
};

class CreateHitTest : public ::testing::Test {
protected:
    CreateHitTest() {
        const std::map<std::string, int32_t> lengths{
            {"Closed", 250}, {"Open", 1800}, {"Center", 400}};
        editor.setSampleLengthFunction(
            [lengths](TDrumsetItem& sample) { return lengths.at(sample.Caption); });
        editor.SetDrumsetFile(RowsFixture);
    }

    void script(std::vector<int32_t> answers) {
        random = std::make_shared<ScriptedRandom>();
        random->answers = std::move(answers);
        editor.setRandomSource([r = random](int32_t n) {
            r->asked.push_back(n);
            return r->next < r->answers.size() ? r->answers[r->next++] : 0;
        });
    }

    TDrumsetItem& sampleOf(int32_t group, int32_t sample) {
        return *editor.Plocha.Tracks[static_cast<size_t>(group)]
                    ->Samples[static_cast<size_t>(sample)]
                    ->SampleData;
    }

    TSongEditor editor;
    std::shared_ptr<ScriptedRandom> random;
};

TEST_F(CreateHitTest, DefaultsFromTheSampleRow) {
    std::unique_ptr<TDRHit> open = editor.CreateHit(4, 120, 1, 0);
    ASSERT_TRUE(open);
    EXPECT_FALSE(open->GroupHit);
    EXPECT_EQ(open->StartBar, 4);
    EXPECT_EQ(open->StartTick, 120);
    EXPECT_EQ(open->Group, 0);
    EXPECT_EQ(open->Sample, 1);
    EXPECT_EQ(open->LengthMs, 1800);
    EXPECT_EQ(open->FixedLength, -1);
    EXPECT_FALSE(open->Selected);
    EXPECT_EQ(open->Volume, 100);
    EXPECT_EQ(open->Panning, 30);
    EXPECT_EQ(open->FadeTill, 100);
    EXPECT_EQ(open->FadeOut, 100);
    EXPECT_EQ(open->HitTypeMask, htMaskHeavy);
    EXPECT_EQ(open->Cutter, nullptr);
    EXPECT_TRUE(open->CutHits.empty());

    std::unique_ptr<TDRHit> closed = editor.CreateHit(0, 0, 0, 0);
    EXPECT_EQ(closed->LengthMs, 250);
    EXPECT_EQ(closed->Panning, -40);
    EXPECT_EQ(closed->FadeTill, 50);
    EXPECT_EQ(closed->FadeOut, 20);

    std::unique_ptr<TDRHit> center = editor.CreateHit(1, 999, 0, 1);
    EXPECT_EQ(center->Group, 1);
    EXPECT_EQ(center->Sample, 0);
    EXPECT_EQ(center->LengthMs, 400);
    EXPECT_EQ(center->Panning, 5);
}

TEST_F(CreateHitTest, VolumeIsCappedAt100) {
    struct Case {
        int32_t hitVolume;
        int32_t volume;
    };
    for (const Case& c :
         {Case{150, 100}, Case{101, 100}, Case{100, 100}, Case{40, 40}, Case{0, 0}}) {
        SCOPED_TRACE(c.hitVolume);
        sampleOf(0, 1).HitVolume = c.hitVolume;
        EXPECT_EQ(editor.CreateHit(0, 0, 1, 0)->Volume, c.volume);
    }
}

TEST_F(CreateHitTest, HitTypeMaskFromTheHitType) {
    struct Case {
        THitType type;
        int32_t mask;
    };
    for (const Case& c : {Case{THitType::htHeavy, 1}, Case{THitType::htMedium, 2},
                          Case{THitType::htLight, 4}, Case{THitType::htAny, 0}}) {
        editor.SetHitType(c.type);
        EXPECT_EQ(editor.CreateHit(0, 0, 0, 1)->HitTypeMask, c.mask);
        EXPECT_EQ(editor.CreateHit(0, 0, -1, 1)->HitTypeMask, c.mask);
    }
}

TEST_F(CreateHitTest, GroupRowChoosesByHitType) {
    // Heavy: only "Closed" is eligible; light: only "Open".
    for (int i = 0; i < 20; ++i) {
        std::unique_ptr<TDRHit> hit = editor.CreateHit(2, 0, -1, 0);
        ASSERT_TRUE(hit);
        EXPECT_TRUE(hit->GroupHit);
        EXPECT_EQ(hit->Sample, 0);
        EXPECT_EQ(hit->LengthMs, 250);
        EXPECT_EQ(hit->Panning, -40);
    }
    editor.SetHitType(THitType::htLight);
    for (int i = 0; i < 20; ++i) {
        std::unique_ptr<TDRHit> hit = editor.CreateHit(2, 0, -1, 0);
        EXPECT_EQ(hit->Sample, 1);
        EXPECT_EQ(hit->LengthMs, 1800);
        EXPECT_EQ(hit->HitTypeMask, htMaskLight);
    }
}

TEST_F(CreateHitTest, GroupRowPicksByPriorityFromTheEditorsRandomSource) {
    editor.SetHitType(THitType::htAny); // both eligible, priorities 5 and 5
    script({0, 5, 4, 9});
    std::vector<int32_t> samples;
    for (int i = 0; i < 4; ++i) {
        samples.push_back(editor.CreateHit(0, 0, -1, 0)->Sample);
    }
    EXPECT_EQ(samples, (std::vector<int32_t>{0, 1, 0, 1}));
    EXPECT_EQ(random->asked, (std::vector<int32_t>{10, 10, 10, 10}));
}

TEST_F(CreateHitTest, NoPickGivesARandomRow) {
    sampleOf(0, 0).Priority = 0;
    sampleOf(0, 1).Priority = 0;
    editor.SetHitType(THitType::htAny); // sums brought up to date: 0
    ASSERT_EQ(editor.Plocha.Tracks[0]->GroupData->PrioritySum, 0);
    script({1, 0, 1});
    std::vector<int32_t> samples;
    for (int i = 0; i < 3; ++i) {
        std::unique_ptr<TDRHit> hit = editor.CreateHit(0, 0, -1, 0);
        EXPECT_TRUE(hit->GroupHit);
        samples.push_back(hit->Sample);
    }
    EXPECT_EQ(samples, (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(random->asked, (std::vector<int32_t>{2, 2, 2}));
    EXPECT_EQ(editor.CreateHit(0, 0, -1, 0)->LengthMs, 250); // script ran out: 0
}

TEST_F(CreateHitTest, SeededSourcesRepeat) {
    editor.SetHitType(THitType::htAny);
    auto run = [this] {
        editor.setRandomSource(seededRandomSource(42));
        std::vector<int32_t> samples;
        for (int i = 0; i < 50; ++i) {
            samples.push_back(editor.CreateHit(0, 0, -1, 0)->Sample);
        }
        return samples;
    };
    const std::vector<int32_t> first = run();
    EXPECT_EQ(run(), first);
    EXPECT_NE(std::count(first.begin(), first.end(), 0), 0);
    EXPECT_NE(std::count(first.begin(), first.end(), 1), 0);
}

TEST_F(CreateHitTest, NoHitWithoutASampleRow) {
    editor.Plocha.AddTrack(2, 0, nullptr, nullptr, "Bare");
    EXPECT_EQ(editor.CreateHit(0, 0, -1, 2), nullptr);
    EXPECT_EQ(editor.CreateHit(0, 0, 0, 2), nullptr);
    // Rows that do not exist.
    EXPECT_EQ(editor.CreateHit(0, 0, -1, 3), nullptr);
    EXPECT_EQ(editor.CreateHit(0, 0, -1, -1), nullptr);
    EXPECT_EQ(editor.CreateHit(0, 0, 2, 0), nullptr);
    EXPECT_EQ(editor.CreateHit(0, 0, -2, 0), nullptr);
}

TEST_F(CreateHitTest, NewHitsCutEachOtherThroughTheMap) {
    // 120 bpm: a bar is 2000 ms. "Closed" silences "Open".
    TDRHit* open = editor.Song.AddHit(editor.CreateHit(0, 0, 1, 0));
    TDRHit* closed = editor.Song.AddHit(editor.CreateHit(0, 500, 0, 0));
    EXPECT_EQ(open->Cutter, closed);
    EXPECT_EQ(open->StopMs, 1000);
    EXPECT_EQ(closed->StopMs, 1250);
    // The snare silences the whole hi-hat group.
    TDRHit* snare = editor.Song.AddHit(editor.CreateHit(0, 550, 0, 1));
    EXPECT_EQ(closed->Cutter, snare);
    EXPECT_EQ(closed->StopMs, 1100);
}

} // namespace
