// TSongEditor: loading a drumset file and building the rows, the sample
// lengths and the song's cut-off map from it.
#include "EditorTestSupport.h"
#include "app/Sluzby.h"

#include <chrono>
#include <gtest/gtest.h>
#include <map>

namespace {

const std::string RowsFixture = std::string(EditorFixtureFolder) + "/rows.dum";

class RowsTest : public ::testing::Test {
protected:
    RowsTest() { editor.setHost(&host); }

    // A copy of the fixture in the temporary folder, to touch and break.
    std::string fixtureCopy(const std::string& name = "rows.dum") {
        const std::string file = folder.file(name);
        std::filesystem::copy_file(RowsFixture, file,
                                   std::filesystem::copy_options::overwrite_existing);
        return file;
    }

    void addHitAt(int32_t bar, int32_t tick) {
        editor.Song.NewAction();
        editor.Modified = true;
        editor.Song.AddHit(editor.CreateHit(bar, tick, 0, 0));
    }

    int hitCount() {
        int n = 0;
        for (int32_t b = 0; b <= editor.Song.LastBar; ++b) {
            n += static_cast<int>(editor.Song.Bar(b).StartingHits.size());
        }
        return n;
    }

    TempFolder folder;
    TSongEditor editor;
    RecordingHost host;
};

TEST_F(RowsTest, TracksForGroupsWithVisibleSamplesOnly) {
    editor.SetDrumsetFile(RowsFixture);
    EXPECT_EQ(editor.DrumsetFile(), RowsFixture);
    // Unsorted never shows (its sample is visible); "Hidden" has only an
    // invisible sample, "Empty" none; "Snare" shows though the group itself
    // is not Visible, with its visible sample only.
    EXPECT_EQ(describeRows(editor.Plocha), "Hi-hats[Closed,Open] Snare[Center]");

    const auto& groups = editor.Drumset.groups();
    ASSERT_EQ(groups.size(), 5u);
    const TDRPlTrack& hats = *editor.Plocha.Tracks[0];
    const TDRPlTrack& snare = *editor.Plocha.Tracks[1];
    EXPECT_EQ(hats.GroupIndex, 0);
    EXPECT_EQ(snare.GroupIndex, 1);
    EXPECT_EQ(hats.GroupData, groups[1].get());
    EXPECT_EQ(hats.GroupNode, groups[1].get());
    EXPECT_EQ(snare.GroupData, groups[4].get());
    EXPECT_EQ(hats.Color, 255u);
    EXPECT_EQ(snare.Color, 65280u);
    EXPECT_EQ(hats.Top, 0);
    EXPECT_EQ(hats.Bottom, 20);
    EXPECT_EQ(snare.Top, 20);
    EXPECT_EQ(snare.Bottom, 40);
    for (const auto& track : editor.Plocha.Tracks) {
        EXPECT_TRUE(track->Collapsed);
        EXPECT_FALSE(track->Muted);
        EXPECT_FALSE(track->VolumeMode);
        EXPECT_FALSE(track->PanningMode);
        EXPECT_EQ(track->Height, StandardRowHeight);
    }

    ASSERT_EQ(hats.Samples.size(), 2u);
    EXPECT_EQ(hats.Samples[0]->SampleIndex, 0);
    EXPECT_EQ(hats.Samples[1]->SampleIndex, 1);
    EXPECT_EQ(hats.Samples[0]->SampleData, groups[1]->samples()[0].get());
    EXPECT_EQ(hats.Samples[0]->Color, 16711680u);
    EXPECT_EQ(hats.Samples[1]->Color, 65535u);
    ASSERT_EQ(snare.Samples.size(), 1u);
    EXPECT_EQ(snare.Samples[0]->SampleIndex, 0);
    EXPECT_EQ(snare.Samples[0]->SampleData, groups[4]->samples()[1].get());
    // No audio engine: every sample plays 1000 ms.
    EXPECT_EQ(hats.Samples[0]->Length, 1000);
    EXPECT_EQ(snare.Samples[0]->Length, 1000);

    EXPECT_EQ(editor.Plocha.Dirty, dfAll);
    ASSERT_FALSE(host.Invalidations.empty());
    EXPECT_EQ(host.Invalidations.back(), dfAll);
}

TEST_F(RowsTest, HitVolumeAndPanningOfShownSamples) {
    editor.SetDrumsetFile(RowsFixture);
    const auto& groups = editor.Drumset.groups();
    struct Case {
        const TDrumsetItem* sample;
        int32_t panning;
    };
    for (const Case& c :
         {Case{groups[1]->samples()[0].get(), -40}, Case{groups[1]->samples()[1].get(), 30},
          Case{groups[4]->samples()[1].get(), 5}}) {
        SCOPED_TRACE(c.sample->Caption);
        EXPECT_EQ(c.sample->HitVolume, 100);
        EXPECT_EQ(c.sample->HitPanning, c.panning);
        EXPECT_EQ(c.sample->Panning, c.panning);
    }
}

TEST_F(RowsTest, PrioritySumsFollowTheHitType) {
    editor.SetDrumsetFile(RowsFixture);
    TDrumsetItem& hats = *editor.Drumset.groups()[1];
    EXPECT_EQ(hats.PrioritySum, 5); // heavy: "Open" is not a heavy hit

    editor.SetHitType(THitType::htLight); // "Closed" is not a light hit
    EXPECT_EQ(editor.HitType(), THitType::htLight);
    EXPECT_EQ(hats.PrioritySum, 5);
    editor.SetHitType(THitType::htAny);
    EXPECT_EQ(hats.PrioritySum, 10);

    // Loading runs the sums with the hit type in force, not the reader's htAny.
    editor.SetHitType(THitType::htHeavy);
    editor.SetDrumsetFile(fixtureCopy());
    EXPECT_EQ(editor.Drumset.groups()[1]->PrioritySum, 5);
}

TEST_F(RowsTest, CutOffMapFollowsTheRows) {
    editor.SetDrumsetFile(RowsFixture);
    const auto& map = editor.Song.CutOffMap;
    const auto& groups = editor.Drumset.groups();
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(map[0].Group, groups[1].get());
    ASSERT_EQ(map[0].Samples.size(), 2u);
    EXPECT_EQ(map[0].Samples[0].Sample, groups[1]->samples()[0].get());
    EXPECT_EQ(map[0].Samples[0].CutOff,
              (std::vector<const TDrumsetItem*>{groups[1]->samples()[1].get()}));
    EXPECT_TRUE(map[0].Samples[1].CutOff.empty());
    ASSERT_EQ(map[1].Samples.size(), 1u);
    EXPECT_EQ(map[1].Samples[0].CutOff, (std::vector<const TDrumsetItem*>{groups[1].get()}));

    EXPECT_TRUE(editor.Song.CutsOff(0, 0, 0, 1));  // closed silences open
    EXPECT_FALSE(editor.Song.CutsOff(0, 1, 0, 0)); // not the other way
    EXPECT_TRUE(editor.Song.CutsOff(1, 0, 0, 0));  // the snare silences the group
    EXPECT_TRUE(editor.Song.CutsOff(1, 0, 0, 1));
}

TEST_F(RowsTest, LoadingClearsTheSong) {
    const std::string first = writeSimpleDrumset(folder, "first.dum", {{"Kick", 1}});
    editor.SetDrumsetFile(first);
    addHitAt(3, 100);
    editor.SelectHit(editor.Song.Bar(3).StartingHits[0].get());
    editor.Song.InsertBars(30, 5, false);
    editor.GoToBar(20);
    editor.Plocha.ExpandTrack(0);
    editor.SetBarWidth(200);
    editor.SetBarDivisionNumber(4);

    editor.SetDrumsetFile(RowsFixture);
    EXPECT_FALSE(editor.Modified);
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_EQ(hitCount(), 0);
    EXPECT_EQ(editor.Song.LastBar, 10);
    EXPECT_TRUE(editor.Song.UndoList.empty());
    EXPECT_EQ(editor.HorzPosition(), 0);
    EXPECT_EQ(editor.FirstBar(), 0);
    EXPECT_TRUE(editor.Plocha.Tracks[0]->Collapsed);
    // The view settings survive a drumset load.
    EXPECT_EQ(editor.Plocha.BarWidth, 200);
    EXPECT_EQ(editor.Plocha.BarDivisionNumber, 4);
}

TEST_F(RowsTest, SameFileUnchangedLoadsNothing) {
    const std::string file = fixtureCopy();
    editor.SetDrumsetFile(file);
    addHitAt(2, 0);
    const TDRPlTrack* track = editor.Plocha.Tracks[0].get();
    const size_t invalidations = host.Invalidations.size();

    editor.SetDrumsetFile(file);
    EXPECT_EQ(hitCount(), 1);
    EXPECT_TRUE(editor.Modified);
    EXPECT_EQ(editor.Plocha.Tracks[0].get(), track);
    EXPECT_EQ(host.Invalidations.size(), invalidations);

    // A newer modification time reloads the same name.
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                               std::chrono::seconds(5));
    editor.SetDrumsetFile(file);
    EXPECT_EQ(hitCount(), 0);
    EXPECT_FALSE(editor.Modified);
    EXPECT_EQ(describeRows(editor.Plocha), "Hi-hats[Closed,Open] Snare[Center]");

    // Another name with the same time reloads as well.
    addHitAt(1, 0);
    const std::string other = fixtureCopy("other.dum");
    std::filesystem::last_write_time(other, std::filesystem::last_write_time(file));
    editor.SetDrumsetFile(other);
    EXPECT_EQ(hitCount(), 0);
    EXPECT_EQ(editor.DrumsetFile(), other);
}

TEST_F(RowsTest, MissingFileIsRefusedAndChangesNothing) {
    editor.SetDrumsetFile(RowsFixture);
    addHitAt(2, 0);
    const std::string missing = folder.file("none.dum");
    try {
        editor.SetDrumsetFile(missing);
        FAIL() << "no error";
    } catch (const DrumsetError& e) {
        EXPECT_EQ(std::string(e.what()), "File \"" + missing + "\" does not exist.");
    }
    EXPECT_EQ(editor.DrumsetFile(), RowsFixture);
    EXPECT_EQ(describeRows(editor.Plocha), "Hi-hats[Closed,Open] Snare[Center]");
    EXPECT_EQ(hitCount(), 1);
    EXPECT_TRUE(editor.Modified);
    EXPECT_EQ(editor.Song.CutOffMap.size(), 2u);
}

TEST_F(RowsTest, UnreadableFileLeavesNoRowsAndIsReadAgainNextTime) {
    editor.SetDrumsetFile(RowsFixture);
    addHitAt(2, 0);
    const std::string broken = folder.file("broken.dum");
    WriteStringToFile(broken, "<Drumset Version=\"3.0\" Extra=\"1\"></Drumset>");
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        EXPECT_THROW(editor.SetDrumsetFile(broken), DrumsetError);
        EXPECT_TRUE(editor.Plocha.Tracks.empty());
        EXPECT_TRUE(editor.Song.CutOffMap.empty());
        EXPECT_EQ(hitCount(), 0);
        EXPECT_FALSE(editor.Modified);
    }
    // Mended, the same file loads.
    std::filesystem::copy_file(RowsFixture, broken,
                               std::filesystem::copy_options::overwrite_existing);
    editor.SetDrumsetFile(broken);
    EXPECT_EQ(describeRows(editor.Plocha), "Hi-hats[Closed,Open] Snare[Center]");
}

TEST_F(RowsTest, SampleLengthsComeFromTheLengthFunction) {
    const std::map<std::string, int32_t> lengths{{"Closed", 250}, {"Open", 1800}, {"Center", -5}};
    std::vector<std::string> asked;
    editor.setSampleLengthFunction([&](TDrumsetItem& sample) {
        asked.push_back(sample.Caption);
        // The hit defaults are set before the sample is measured.
        EXPECT_EQ(sample.HitPanning, sample.Panning);
        return lengths.at(sample.Caption);
    });
    editor.SetDrumsetFile(RowsFixture);
    EXPECT_EQ(asked, (std::vector<std::string>{"Closed", "Open", "Center"}));
    EXPECT_EQ(editor.Plocha.Tracks[0]->Samples[0]->Length, 250);
    EXPECT_EQ(editor.Plocha.Tracks[0]->Samples[1]->Length, 1800);
    EXPECT_EQ(editor.Plocha.Tracks[1]->Samples[0]->Length, 0); // never negative
}

TEST_F(RowsTest, FailingSampleLengthEndsTheBuild) {
    size_t invalidationsAtFailure = 0;
    editor.setSampleLengthFunction([&](TDrumsetItem& sample) -> int32_t {
        if (sample.Caption == "Open") {
            invalidationsAtFailure = host.Invalidations.size();
            throw std::runtime_error("Cannot open open.wav");
        }
        return 300;
    });
    try {
        editor.SetDrumsetFile(RowsFixture);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open open.wav");
    }
    // The failing sample gets its row with the fallback length; the rest of
    // the drumset gets none, and the build asks for no repaint.
    EXPECT_EQ(describeRows(editor.Plocha), "Hi-hats[Closed,Open]");
    EXPECT_EQ(editor.Plocha.Tracks[0]->Samples[0]->Length, 300);
    EXPECT_EQ(editor.Plocha.Tracks[0]->Samples[1]->Length, 1000);
    EXPECT_EQ(host.Invalidations.size(), invalidationsAtFailure);
    EXPECT_EQ(editor.Drumset.groups()[4]->samples()[1]->HitPanning, 0); // Center never reached
    // The cut-off map matches the rows that exist.
    ASSERT_EQ(editor.Song.CutOffMap.size(), 1u);
    EXPECT_EQ(editor.Song.CutOffMap[0].Samples.size(), 2u);
    EXPECT_TRUE(editor.Song.CutsOff(0, 0, 0, 1));
}

TEST_F(RowsTest, GeneratedDrumset) {
    const std::string file =
        writeSimpleDrumset(folder, "gen.dum", {{"Kick", 1}, {"None", 0}, {"Toms", 3}});
    editor.SetDrumsetFile(file);
    EXPECT_EQ(describeRows(editor.Plocha), "Kick[Kick1] Toms[Toms1,Toms2,Toms3]");
    EXPECT_EQ(editor.Plocha.Tracks[1]->GroupIndex, 1);
    EXPECT_EQ(editor.Plocha.Tracks[1]->Samples[2]->SampleIndex, 2);
}

} // namespace
