// Building and reshaping a drumset: the default drumset, adding groups and
// samples, deleting, moving and renumbering.
#include "DrumsetTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct LiveCounter : TDrumsetItemAttachment {
    explicit LiveCounter(int& alive) : m_alive(alive) { ++m_alive; }
    ~LiveCounter() override { --m_alive; }
    int& m_alive;
};

std::vector<std::string> groupCaptions(const TDrumset& drumset) {
    std::vector<std::string> captions;
    for (const auto& group : drumset.groups()) {
        captions.push_back(group->Caption);
    }
    return captions;
}

// Unsorted[u1] Kick[k1,k2,k3] Snare[s1], built without touching the disk.
class ShapedDrumset : public ::testing::Test {
public: // the move table names the items by member pointer
    void SetUp() override {
        drumset.NewDrumset();
        unsorted = drumset.unsortedGroup();
        kick = &addNamedGroup(drumset, "Kick");
        snare = &addNamedGroup(drumset, "Snare");
        u1 = &drumset.AddSample("/nowhere/u1.wav", nullptr);
        k1 = &drumset.AddSample("/nowhere/k1.wav", kick);
        k2 = &drumset.AddSample("/nowhere/k2.wav", kick);
        k3 = &drumset.AddSample("/nowhere/k3.wav", kick);
        s1 = &drumset.AddSample("/nowhere/s1.wav", snare);
        ASSERT_EQ(describe(drumset), "Unsorted[U1] Kick[K1,K2,K3] Snare[S1]");
    }

    TempFolder m_empty;
    ProgramFolderScope m_program{m_empty.path()};
    TDrumset drumset;
    TDrumsetItem* unsorted = nullptr;
    TDrumsetItem* kick = nullptr;
    TDrumsetItem* snare = nullptr;
    TDrumsetItem* u1 = nullptr;
    TDrumsetItem* k1 = nullptr;
    TDrumsetItem* k2 = nullptr;
    TDrumsetItem* k3 = nullptr;
    TDrumsetItem* s1 = nullptr;
};

} // namespace

TEST(NewDrumset, AddsOneGroupPerNonBlankLineOfTheFixtureDefinstr) {
    ProgramFolderScope program(FixtureProgramFolder);
    TDrumset drumset;
    drumset.AddGroup(); // replaced by NewDrumset
    drumset.NewDrumset();

    EXPECT_EQ(groupCaptions(drumset),
              (std::vector<std::string>{"Unsorted", "Kick", "  Snare ", "Hi-hat"}));
    const TDrumsetItem& unsorted = *drumset.groups()[0];
    EXPECT_TRUE(unsorted.IsUnsorted && unsorted.IsGroup);
    EXPECT_FALSE(unsorted.Visible);
    EXPECT_EQ(unsorted.Icon, IconUnsortedGroup);
    for (size_t i = 1; i < drumset.groups().size(); ++i) {
        const TDrumsetItem& group = *drumset.groups()[i];
        EXPECT_TRUE(group.IsGroup && group.Visible && !group.IsUnsorted) << group.Caption;
        EXPECT_EQ(group.Icon, IconGroup);
        EXPECT_EQ(group.Priority, 5);
        EXPECT_EQ(group.Color, 0x8000);
    }
}

TEST(NewDrumset, SplitsDefinstrOnEveryLineEnd) {
    struct Case {
        const char* content;
        std::vector<std::string> groups;
    };
    const Case cases[] = {
        {"A\nB\rC", {"Unsorted", "A", "B", "C"}},
        {"A\r\n\r\n\r\nB\r\n", {"Unsorted", "A", "B"}},
        {"no line end", {"Unsorted", "no line end"}},
        {"", {"Unsorted"}},
    };
    for (const Case& c : cases) {
        TempFolder program;
        std::filesystem::create_directory(program.path() + "/Drumsets");
        WriteStringToFile(program.path() + "/Drumsets/definstr.txt", c.content);
        ProgramFolderScope scope(program.path());
        TDrumset drumset;
        drumset.NewDrumset();
        EXPECT_EQ(groupCaptions(drumset), c.groups) << c.content;
    }
}

TEST(NewDrumset, WithoutDefinstrHoldsOnlyTheUnsortedGroup) {
    TempFolder program;
    ProgramFolderScope scope(program.path());
    TDrumset drumset;
    drumset.NewDrumset();
    EXPECT_EQ(describe(drumset), "Unsorted[]");
}

TEST_F(ShapedDrumset, AddSampleLandsInTheTargetsGroupOrInUnsorted) {
    EXPECT_EQ(drumset.AddSample("/x/a.wav", snare).group(), snare);
    EXPECT_EQ(drumset.AddSample("/x/b.wav", k2).group(), kick);
    EXPECT_EQ(drumset.AddSample("/x/c.wav", nullptr).group(), unsorted);
    EXPECT_EQ(describe(drumset), "Unsorted[U1,C] Kick[K1,K2,K3,B] Snare[S1,A]");
}

TEST(AddSample, SplitsThePathAndMakesTheCaption) {
    struct Case {
        const char* fileName;
        const char* directory;
        const char* file;
        const char* caption;
    };
    const Case cases[] = {
        {"/data/snare_01.wav", "/data", "snare_01.wav", "Snare_01"},
        {"/data/kick", "/data", "kick", "Kick"},
        {"C:\\Drums\\hat.open.WAV", "C:\\Drums", "hat.open.WAV", "Hat.open"},
        {"/data/mixed\\Tom.wav", "/data/mixed", "Tom.wav", "Tom"},
        {"rim.wav", "", "rim.wav", "Rim"},
        {"/data/.wav", "/data", ".wav", ""},
    };
    TempFolder program;
    ProgramFolderScope scope(program.path());
    TDrumset drumset;
    drumset.NewDrumset();
    for (const Case& c : cases) {
        const TDrumsetItem& sample = drumset.AddSample(c.fileName, nullptr);
        EXPECT_EQ(sample.DirectoryName, c.directory) << c.fileName;
        EXPECT_EQ(sample.FileName, c.file) << c.fileName;
        EXPECT_EQ(sample.Caption, c.caption) << c.fileName;
        EXPECT_FALSE(sample.IsGroup);
        EXPECT_TRUE(sample.Visible);
        EXPECT_EQ(sample.Icon, IconSampleMissing) << "nothing exists in an empty program folder";
    }
}

TEST_F(ShapedDrumset, AddSampleInheritsTheGroupTemplateExceptPitchGeneralMidiAndShortcut) {
    snare->Priority = 7;
    snare->Color = 0xFF;
    snare->Volume = 250;
    snare->Panning = -40;
    snare->Pitch = 3;
    snare->FadeTillTime = 20;
    snare->FadeOutTime = 900;
    snare->LightHit = false;
    snare->MidiInstrument = "Acoustic Snare";
    snare->AltMidiInstrument = "Electric Snare";
    snare->GeneralMidiInstrument = "01 - Acoustic Grand Piano";
    snare->GeneralMidiNote = "C4";
    snare->Shortcut = "Ctrl+S";
    snare->GargleActive = true;
    snare->GargleParams = TGargleParams{120, GargleSquareWave};
    snare->EQActive = true;
    snare->EQBands = flatEQBands();
    (*snare->EQBands)[2].fGain = -4.5f;
    snare->DistortionPriority = 4;
    snare->ReverbPriority = 0;
    snare->CutOff = {kick, k1};

    const TDrumsetItem& sample = drumset.AddSample("/x/rim.wav", snare);

    EXPECT_EQ(sample.Priority, 7);
    EXPECT_EQ(sample.Color, 0xFF);
    EXPECT_EQ(sample.Volume, 250);
    EXPECT_EQ(sample.Panning, -40);
    EXPECT_EQ(sample.FadeTillTime, 20);
    EXPECT_EQ(sample.FadeOutTime, 900);
    EXPECT_FALSE(sample.LightHit);
    EXPECT_TRUE(sample.MediumHit && sample.HeavyHit);
    EXPECT_EQ(sample.MidiInstrument, "Acoustic Snare");
    EXPECT_EQ(sample.AltMidiInstrument, "Electric Snare");
    EXPECT_EQ(sample.MidiNote, 38);
    EXPECT_EQ(sample.AltMidiNote, 40);
    EXPECT_TRUE(sample.GargleActive && sample.EQActive && !sample.ReverbActive);
    EXPECT_EQ(sample.GargleParams, snare->GargleParams);
    EXPECT_EQ(sample.EQBands, snare->EQBands);
    EXPECT_FALSE(sample.ReverbParams.has_value());
    EXPECT_EQ(sample.DistortionPriority, 4);
    EXPECT_EQ(sample.ReverbPriority, 0);
    EXPECT_EQ(sample.CutOff, snare->CutOff);

    EXPECT_EQ(sample.Pitch, 0);
    EXPECT_EQ(sample.GeneralMidiInstrument, "");
    EXPECT_EQ(sample.GeneralMidiNote, "");
    EXPECT_EQ(sample.GeneralMidiProgram, -1);
    EXPECT_EQ(sample.Shortcut, "");

    EXPECT_EQ(snare->PrioritySum, 5 + 7) << "sums refreshed for the group (htAny)";
}

TEST(AddSample, OnADrumsetWithoutGroupsRecreatesTheUnsortedGroupFirst) {
    TempFolder program;
    ProgramFolderScope scope(program.path());
    TDrumset viaSample;
    viaSample.AddSample("/x/kick.wav", nullptr);
    EXPECT_EQ(describe(viaSample), "Unsorted[Kick]");
    EXPECT_TRUE(viaSample.groups()[0]->IsUnsorted);

    TDrumset viaGroup;
    viaGroup.AddGroup();
    EXPECT_EQ(describe(viaGroup), "Unsorted[] New sample group[]");
}

TEST_F(ShapedDrumset, DeleteItemsKeepsTheUnsortedGroupAndTakesGroupsWithTheirSamples) {
    int alive = 0;
    k1->SoundState = std::make_unique<LiveCounter>(alive);
    k2->ShortcutAction = std::make_unique<LiveCounter>(alive);
    s1->SoundState = std::make_unique<LiveCounter>(alive);
    TDrumset other;
    TDrumsetItem& stranger = other.AddGroup();
    TDrumsetItem& strangerSample = other.AddSample("/x/other.wav", &stranger);

    drumset.DeleteItems({unsorted, kick, k1, k1, &stranger, &strangerSample, nullptr});

    EXPECT_EQ(describe(drumset), "Unsorted[U1] Snare[S1]");
    EXPECT_EQ(describe(other), "Unsorted[] New sample group[Other]");
    EXPECT_FALSE(drumset.MoveItem(*s1, strangerSample, TMovePlace::mpBefore));
    EXPECT_FALSE(drumset.MoveItem(*s1, stranger, TMovePlace::mpInto));
    EXPECT_TRUE(kick->isDeleted() && k1->isDeleted() && k3->isDeleted());
    EXPECT_FALSE(unsorted->isDeleted() || s1->isDeleted());
    EXPECT_EQ(alive, 1) << "sound and shortcut state go with the deletion";

    drumset.DeleteItems({s1, u1});
    EXPECT_EQ(describe(drumset), "Unsorted[] Snare[]");
    EXPECT_EQ(alive, 0);
}

TEST_F(ShapedDrumset, MoveItemFollowsTheShapeRules) {
    struct Case {
        const char* name;
        TDrumsetItem* ShapedDrumset::*item;
        TDrumsetItem* ShapedDrumset::*target;
        TMovePlace place;
        bool moved;
        const char* shape;
    };
    using S = ShapedDrumset;
    const Case cases[] = {
        {"sample up in its group", &S::k3, &S::k1, TMovePlace::mpBefore, true,
         "Unsorted[U1] Kick[K3,K1,K2] Snare[S1]"},
        {"sample down in its group", &S::k1, &S::k3, TMovePlace::mpAfter, true,
         "Unsorted[U1] Kick[K2,K3,K1] Snare[S1]"},
        {"sample beside a sample of another group", &S::k2, &S::s1, TMovePlace::mpBefore, true,
         "Unsorted[U1] Kick[K1,K3] Snare[K2,S1]"},
        {"unsorted sample into a group", &S::u1, &S::snare, TMovePlace::mpInto, true,
         "Unsorted[] Kick[K1,K2,K3] Snare[S1,U1]"},
        {"sample into the unsorted group", &S::s1, &S::unsorted, TMovePlace::mpInto, true,
         "Unsorted[U1,S1] Kick[K1,K2,K3] Snare[]"},
        {"group before a group", &S::snare, &S::kick, TMovePlace::mpBefore, true,
         "Unsorted[U1] Snare[S1] Kick[K1,K2,K3]"},
        {"group right after unsorted", &S::snare, &S::unsorted, TMovePlace::mpAfter, true,
         "Unsorted[U1] Snare[S1] Kick[K1,K2,K3]"},
        {"group before unsorted", &S::snare, &S::unsorted, TMovePlace::mpBefore, false, ""},
        {"unsorted moved", &S::unsorted, &S::snare, TMovePlace::mpAfter, false, ""},
        {"group into a group", &S::snare, &S::kick, TMovePlace::mpInto, false, ""},
        {"group beside a sample", &S::snare, &S::k1, TMovePlace::mpAfter, false, ""},
        {"sample beside a group", &S::k1, &S::snare, TMovePlace::mpAfter, false, ""},
        {"sample into a sample", &S::k1, &S::k2, TMovePlace::mpInto, false, ""},
        {"sample into its own group", &S::k1, &S::kick, TMovePlace::mpInto, false, ""},
        {"item beside itself", &S::k2, &S::k2, TMovePlace::mpBefore, false, ""},
    };
    const std::string original = describe(drumset);
    for (const Case& c : cases) {
        SetUp();
        const bool moved = drumset.MoveItem(*(this->*c.item), *(this->*c.target), c.place);
        EXPECT_EQ(moved, c.moved) << c.name;
        EXPECT_EQ(describe(drumset), c.moved ? std::string(c.shape) : original) << c.name;
        for (const auto& group : drumset.groups()) {
            for (const auto& sample : group->samples()) {
                EXPECT_EQ(sample->group(), group.get()) << c.name << ": " << sample->Caption;
            }
        }
    }
}

TEST_F(ShapedDrumset, RenumberNumbersInPreOrderAndDropsReferencesToDeletedItems) {
    s1->CutOff = {k1, kick, k3, u1};
    u1->CutOff = {k3};
    kick->CutOff = {s1};
    drumset.MoveItem(*k1, *snare, TMovePlace::mpInto); // k1 survives in Snare
    drumset.DeleteItems({kick, u1});

    EXPECT_EQ(s1->CutOff.size(), 4u) << "references stay until the next save";

    drumset.Renumber();

    EXPECT_EQ(describe(drumset), "Unsorted[] Snare[S1,K1]");
    std::vector<int32_t> indices;
    for (const TDrumsetItem* item : drumset.allItems()) {
        indices.push_back(item->AbsoluteIndex);
    }
    EXPECT_EQ(indices, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(s1->CutOff, (std::vector<const TDrumsetItem*>{k1}));

    // The record of deleted items is forgotten: a second save keeps k1.
    drumset.Renumber();
    EXPECT_EQ(s1->CutOff, (std::vector<const TDrumsetItem*>{k1}));
}
