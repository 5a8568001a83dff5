// LoadSong merging a file's hits into the song, as paste and pattern
// insertion do: offsets, selection, the ignored tempo map, the file's
// deletion, Modified and the undo action the hits join.
#include "SongFileTestSupport.h"

namespace {

std::string clip(const std::string& hitLines) {
    return "[Tavorine v1.00]\r\n[Group]\r\n0;Kick\r\n0;100;50;Kick soft\r\n"
           "[Tempo]\r\n0;0;60\r\n1;0;300\r\n[Hits]\r\n" +
           hitLines;
}

} // namespace

TEST_F(SongFileTest, MergeOffsetsCarryTicksIntoBars) {
    struct Case {
        const char* line;
        int32_t bar, tick;
        const char* place;
    };
    const Case cases[] = {
        {"0;300;0;0;D;D;D;D;D;1;0", 3, 800, "4:100 0/0"},
        {"0;500;0;0;D;D;D;D;D;1;0", 0, 600, "1:100 0/0"},
        {"2;999;0;0;D;D;D;D;D;1;0", 0, 1, "3:0 0/0"},
        {"1;0;0;0;D;D;D;D;D;1;0", 5, 0, "6:0 0/0"},
        {"0;0;0;0;D;D;D;D;D;1;0", 0, 2500, "2:500 0/0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        editor.ClearSongCommand();
        load(clip(std::string(c.line) + "\r\n"), true, c.bar, c.tick, true, false);
        EXPECT_EQ(places(), c.place);
    }
}

TEST_F(SongFileTest, MergedHitsComeInSelectedAndTheFileGoes) {
    TDRHit* old = addHit(0, 0, 1, 0);
    editor.SelectHit(old);
    load(clip("0;0;0;0;D;D;D;D;D;1;0\r\n1;10;0;0;D;D;D;D;D;1;0\r\n"), true, 2, 0, true, false);

    EXPECT_EQ(places(), "0:0 1/0 2:0 0/0 3:10 0/0");
    EXPECT_FALSE(old->Selected);
    const std::vector<TDRHit*> list = hits();
    EXPECT_EQ(editor.Selection, (std::vector<TDRHit*>{list[1], list[2]}));
    EXPECT_TRUE(list[1]->Selected && list[2]->Selected);
    EXPECT_TRUE(editor.Modified);
    // The file's tempo map is ignored.
    EXPECT_EQ(editor.Song.InitialTempo->Tempo, 120);
    EXPECT_TRUE(editor.Song.Bar(1).TempoChanges.empty());
    EXPECT_FALSE(std::filesystem::exists(file("in.drm")));
    // The hits are timed from the song's tempo: 2000 ms a bar at 120.
    EXPECT_EQ(list[2]->StartMs, 3 * 2000 + 10 * 2);
}

TEST_F(SongFileTest, MergedFileIsKeptOnlyWhenAsked) {
    load(clip("0;0;0;0;D;D;D;D;D;1;0\r\n"), true, 0, 0, true, true);
    EXPECT_TRUE(std::filesystem::exists(file("in.drm")));
    // Deleted also when reading fails.
    EXPECT_EQ(errorOf([&] { load(clip("0;0\r\n"), true, 0, 0, true, false); }),
              "Invalid file format.");
    EXPECT_FALSE(std::filesystem::exists(file("in.drm")));
    EXPECT_EQ(places(), "0:0 0/0");
}

TEST_F(SongFileTest, MergeJoinsTheMostRecentAction) {
    editor.Song.NewAction();
    addHit(0, 0, 1, 0);
    load(clip("0;0;0;0;D;D;D;D;D;1;0\r\n"), true, 4, 0, true, false);
    const int32_t after = editor.Song.ActionId;
    editor.UndoCommand();
    EXPECT_EQ(places(), "");
    editor.RedoCommand();
    EXPECT_EQ(places(), "0:0 1/0 4:0 0/0");
    // A new action was opened after the merge, so an edit does not join it.
    EXPECT_EQ(after, 2);
}

TEST_F(SongFileTest, PasteWithInsertedBarsIsOneUndoStep) {
    addHit(4, 0, 1, 0);
    editor.Song.NewAction();
    const int32_t bars = editor.Song.BarCount();
    editor.InsertBarsCommand(4, 2);
    load(clip("0;0;0;0;D;D;D;D;D;1;0\r\n"), true, 4, 0, true, false);
    EXPECT_EQ(places(), "4:0 0/0 6:0 1/0");
    editor.UndoCommand();
    EXPECT_EQ(places(), "4:0 1/0");
    EXPECT_EQ(editor.Song.BarCount(), bars);
}

TEST_F(SongFileTest, CopiedSelectionPastesAtItsPlace) {
    addHit(5, 500, 0, 0);
    TDRHit* a = addHit(5, 700, 1, 1, [](TDRHit& h) { h.Volume = 60; });
    TDRHit* b = addHit(6, 100, 2, 0);
    editor.SelectHit(a);
    editor.SelectHit(b);
    SaveSong(editor, file("clip.drm"), true);
    LoadSong(editor, file("clip.drm"), true, 10, 0, true, false);
    EXPECT_EQ(places(), "5:500 0/0 5:700 1/1 6:100 2/0 10:700 1/1 11:100 2/0");
    EXPECT_EQ(editor.Selection.size(), 2u);
    EXPECT_EQ(editor.Selection[0]->Volume, 60);
    EXPECT_FALSE(a->Selected);
}
