// LoadSong replacing the song: line rules and their messages, the drumset
// and tempo sections, where hits land and with which values, the state after
// a failure, undo, and a saved song read back and saved again byte for byte.
#include "SongFileTestSupport.h"

namespace {

const std::string kHeader = "[Tavorine v1.00]\r\n";

// A file with the kit's own names, so nothing needs mapping.
std::string songWith(const std::string& hitLines, const std::string& tempoLines = "0;0;120\r\n") {
    return kHeader + "[Group]\r\n1;Snare\r\n0;90;66;Snare hard\r\n1;100;50;Snare rim\r\n" +
           "[Tempo]\r\n" + tempoLines + "[Hits]\r\n" + hitLines;
}

} // namespace

TEST_F(SongFileTest, HeaderMustComeFirst) {
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {"[Tavorine v1.00] \r\n[Tempo]\r\n0;0;120\r\n", true},
        {"\r\n   \r\n\t[Tavorine v1.00]\r\n", true},
        {"[Tavorine v1.00]\nstray;data\n[Tempo]\n0;0;120\n", true}, // before any section
        {"[Drumset]\r\n[Tavorine v1.00]\r\n", false},
        {"[tavorine v1.00]\r\n", false},
        {"x\r\n[Tavorine v1.00]\r\n", false},
        {"", false}, // no header at all
        {"\r\n\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(errorOf([&] { load(c.text, true); }), c.accepted ? "" : "Invalid file format.");
    }
}

TEST_F(SongFileTest, MalformedLinesAreRefused) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::string invalid = "Invalid file format.";
    const Case cases[] = {
        {kHeader + "[Group]\r\n3\r\n", invalid},
        {kHeader + "[Group]\r\n3;Snare\r\n0;100;50\r\n", invalid},
        {kHeader + "[Tempo]\r\n0;0\r\n", invalid},
        {kHeader + "[Tempo]\r\n0;0;120;\r\n", invalid},
        {kHeader + "[Tempo]\r\n0;0;0\r\n", invalid},
        {kHeader + "[Tempo]\r\n0;0;120\r\n1;0;-5\r\n", invalid},
        {kHeader + "[Tempo]\r\n0;0;120\r\n-1;0;100\r\n", invalid},
        {kHeader + "[Tempo]\r\n0;0;120\r\n1;1000;100\r\n", invalid},
        {kHeader + "[Tempo]\r\n0;0;120\r\n2000000;0;100\r\n", invalid},
        {songWith("0;0;1;0;D;D;D;D;D;1\r\n"), invalid},
        {songWith("-1;0;1;0;D;D;D;D;D;1;0\r\n"), invalid},
        {songWith("0;-1;1;0;D;D;D;D;D;1;0\r\n"), invalid},
        {songWith("2000000;0;1;0;D;D;D;D;D;1;0\r\n"), invalid},
        {songWith("x;0;1;0;D;D;D;D;D;1;0\r\n"), "'x' is not a valid integer value"},
        {songWith("D;0;1;0;D;D;D;D;D;1;0\r\n"), "'D' is not a valid integer value"},
        {songWith("0;0;1;0; 5;D;D;D;D;1;0\r\n"), "' 5' is not a valid integer value"},
        {songWith("0;0;1;0;+-5;D;D;D;D;1;0\r\n"), "'+-5' is not a valid integer value"},
        {songWith("0;0;1;0;d;D;D;D;D;1;0\r\n"), "'d' is not a valid integer value"},
        {songWith("0;0;1;0;D;D;D;D;D;1;yes\r\n"), "'yes' is not a valid integer value"},
        {songWith("0;0;1;0;D;D;D;D;D;1;0\r\n99999999999;0;1;0;D;D;D;D;D;1;0\r\n"),
         "'99999999999' is not a valid integer value"},
        {kHeader + "[Group]\r\n;Snare\r\n", "'' is not a valid integer value"},
        {kHeader + "[Tempo]\r\n0;0;fast\r\n", "'fast' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(errorOf([&] { load(c.text, true); }), c.message);
    }
}

TEST_F(SongFileTest, UnusualButValidLinesAreAccepted) {
    // A trailing ";" and extra hit fields, an empty sample name, a "+" sign.
    load(kHeader + "[Group]\r\n1;Snare\r\n0;+100;50;\r\n1;100;0;Snare rim\r\n" +
             "[Hits]\r\n0;0;1;1;+80;D;D;D;D;1;0;extra;\r\n",
         true);
    ASSERT_EQ(hits().size(), 1u);
    EXPECT_EQ(hits()[0]->Volume, 80);
}

TEST_F(SongFileTest, MissingSongFileChangesNothing) {
    addHit(0, 0, 0, 0);
    editor.Modified = true;
    const std::string name = file("absent.drm");
    EXPECT_EQ(errorOf([&] { LoadSong(editor, name, false, 0, 0, false, false); }),
              "File \"" + name + "\" does not exist.");
    EXPECT_EQ(places(), "0:0 0/0");
    EXPECT_TRUE(editor.Modified);
}

TEST_F(SongFileTest, FailedLoadLeavesAnEmptyConsistentSong) {
    addHit(0, 0, 0, 0);
    editor.Modified = true;
    const std::string text =
        songWith("1;0;1;0;D;D;D;D;D;1;0\r\nbad line\r\n", "0;0;100\r\n1;0;200\r\n");
    EXPECT_EQ(errorOf([&] { load(text); }), "Invalid file format.");
    EXPECT_EQ(places(), "");
    EXPECT_FALSE(editor.Modified);
    // The tempo read before the error stays, and the bars are timed by it:
    // bar 0 at 100 bpm lasts 2400 ms, bar 1 at 200 bpm 1200 ms.
    EXPECT_EQ(editor.Song.InitialTempo->Tempo, 100);
    EXPECT_EQ(editor.Song.Bar(1).StartMs, 2400);
    EXPECT_EQ(editor.Song.Bar(2).StartMs, 3600);
}

TEST_F(SongFileTest, DrumsetSectionLoadsTheNamedDrumset) {
    writeKit(file("other.dum"));
    writeKit(file("Drumsets/moved.dum"));
    struct Case {
        std::string lines;
        bool keepDrumset;
        std::string drumset; // expected DrumsetFile, or the expected error
        bool fails;
    };
    const Case cases[] = {
        {file("other.dum"), false, file("other.dum"), false},
        {"C:\\Music\\Drumsets\\moved.dum", false, file("Drumsets/moved.dum"), false},
        {"/elsewhere/moved.dum", false, file("Drumsets/moved.dum"), false},
        {"C:\\Music\\none.dum", false, "File \"" + file("Drumsets/none.dum") + "\" does not exist.",
         true},
        // Only the first line counts.
        {file("other.dum") + "\r\n/elsewhere/none.dum", false, file("other.dum"), false},
        {"/elsewhere/none.dum", true, kitPath, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        editor.SetDrumsetFile(kitPath);
        const std::string error =
            errorOf([&] { load(kHeader + "[Drumset]\r\n" + c.lines + "\r\n", c.keepDrumset); });
        if (c.fails) {
            EXPECT_EQ(error, c.drumset);
        } else {
            EXPECT_EQ(error, "");
            EXPECT_EQ(editor.DrumsetFile(), c.drumset);
        }
    }
}

TEST_F(SongFileTest, TempoSectionSetsTheTempoMap) {
    load(kHeader + "[Tempo]\r\n9;9;100\r\n3;500;150\r\n1;0;90\r\n[Hits]\r\n[Tempo]\r\n0;0;60\r\n");
    // A new tempo section starts with the initial tempo again.
    EXPECT_EQ(editor.Song.InitialTempo->Tempo, 60);
    ASSERT_EQ(editor.Song.Bar(1).TempoChanges.size(), 1u);
    EXPECT_EQ(editor.Song.Bar(1).TempoChanges[0]->Tempo, 90);
    ASSERT_EQ(editor.Song.Bar(3).TempoChanges.size(), 1u);
    EXPECT_EQ(editor.Song.Bar(3).TempoChanges[0]->Tick, 500);
    EXPECT_EQ(editor.Song.Bar(3).TempoChanges[0]->Tempo, 150);
    EXPECT_EQ(editor.Song.Bar(1).StartMs, 4000);        // 240000 / 60
    EXPECT_EQ(editor.Song.Bar(2).StartMs, 4000 + 2666); // 240000 / 90, truncated
}

TEST_F(SongFileTest, HitFieldsReadBack) {
    load(songWith("2;250;1;0;D;D;D;D;D;1;0\r\n"
                  "3;0;1;1;70;66;0;5;120;4;1\r\n"
                  "4;0;1;1;D;D;D;D;-7;0;0\r\n"));
    const std::vector<TDRHit*> list = hits();
    ASSERT_EQ(list.size(), 3u);
    const TDRHit& d = *list[0];
    EXPECT_EQ(places(), "2:250 1/0 3:0 1/1 4:0 1/1");
    EXPECT_EQ(d.Volume, 90);  // the sample line's volume
    EXPECT_EQ(d.Panning, 33); // the sample's own setting, not 66 * 2 - 100
    EXPECT_EQ(d.FadeTill, 50);
    EXPECT_EQ(d.FadeOut, 200);
    EXPECT_EQ(d.FixedLength, -1);
    EXPECT_EQ(d.LengthMs, 1000);
    EXPECT_EQ(d.HitTypeMask, 1);
    EXPECT_FALSE(d.GroupHit);
    EXPECT_FALSE(d.Selected);

    const TDRHit& e = *list[1];
    EXPECT_EQ(e.Volume, 70);
    EXPECT_EQ(e.Panning, 32); // written 66 for 33, read back 32
    EXPECT_EQ(e.FadeTill, 0);
    EXPECT_EQ(e.FadeOut, 5);
    EXPECT_EQ(e.FixedLength, 120);
    EXPECT_EQ(e.HitTypeMask, 4);
    EXPECT_TRUE(e.GroupHit);

    // Snare rim's sample line says centre, its own setting is left: the file wins.
    EXPECT_EQ(list[2]->Panning, 0);
    EXPECT_EQ(list[2]->FixedLength, -1); // a negative length reads as none
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_FALSE(editor.Modified);
}

TEST_F(SongFileTest, SavedSongReadsBackAndSavesTheSameBytes) {
    for (const char* name : {"song.drm", "new_song.drm"}) {
        SCOPED_TRACE(name);
        writeBytes(file("golden.drm"), golden(name));
        editor.Modified = true;
        LoadSong(editor, file("golden.drm"), false, 0, 0, false, false);
        EXPECT_FALSE(editor.Modified);
        EXPECT_EQ(saved(), readBytes(std::string(SongGoldenFolder) + "/" + name));
    }
}

TEST_F(SongFileTest, GroupNameWithSemicolonSurvives) {
    addHit(1, 10, 2, 0);
    SaveSong(editor, file("toms.drm"), false);
    editor.ClearSongCommand();
    LoadSong(editor, file("toms.drm"), true, 0, 0, false, false);
    EXPECT_EQ(places(), "1:10 2/0");
}

TEST_F(SongFileTest, NamesDecideWhereHitsLand) {
    // File indices differ from the kit's rows; Cymbals is not in the kit.
    const std::string text =
        kHeader + "[Group]\r\n7;Kick\r\n4;100;50;Kick hard\r\n9;100;50;Old kick\r\n"
                  "[Group]\r\n5;Toms;Low\r\n2;100;50;Floor;Tom\r\n"
                  "[Group]\r\n8;Cymbals\r\n0;100;50;Ride\r\n"
                  "[Group]\r\n3;Snare\r\n"
                  "[Hits]\r\n"
                  "0;0;7;4;D;D;D;D;D;4;0\r\n"  // mapped sample: its row, whatever the type
                  "1;0;7;9;D;D;D;D;D;1;0\r\n"  // unknown sample, heavy: Kick hard
                  "2;0;7;9;D;D;D;D;D;4;0\r\n"  // unknown sample, light: Kick soft
                  "3;0;7;6;D;D;D;D;D;0;0\r\n"  // no sample record, any type: as heavy
                  "4;0;5;2;D;D;D;D;D;1;0\r\n"  // Floor;Tom by its name
                  "5;0;8;0;D;D;D;D;D;1;0\r\n"  // unmapped group: dropped
                  "6;0;3;0;D;D;D;D;D;1;0\r\n"  // group without samples: dropped
                  "7;0;1;0;D;D;D;D;D;1;0\r\n"; // no group record: dropped
    load(text, true);
    EXPECT_EQ(places(), "0:0 0/1 1:0 0/1 2:0 0/0 3:0 0/1 4:0 2/0");
}

TEST_F(SongFileTest, SampleWithoutEligibleRowGetsSomeRowOfItsGroup) {
    // Floor;Tom takes no medium hits, so the pick finds nothing.
    load(kHeader + "[Group]\r\n2;Toms;Low\r\n0;100;50;Gone\r\n[Hits]\r\n0;0;2;0;D;D;D;D;D;2;0\r\n",
         true);
    EXPECT_EQ(places(), "0:0 2/0");
}

TEST_F(SongFileTest, MapperLinksPlaceHitsOfUnknownGroups) {
    class LinkToKick : public TMapperDialog {
    public:
        void showModal(TDrumsetMapper& m) override {
            ++shown;
            TMapNode* percussion = m.songTree()[0].get();
            TMapNode* kick = m.currentTree()[0].get();
            m.setSongSelection({percussion});
            m.setSongFocus(percussion);
            m.setCurrentFocus(kick);
            m.setCurrentSelection(kick);
            m.LinkButtonClick();
            if (accept)
                m.OkButtonClick();
        }
        bool accept = true;
        int shown = 0;
    };
    const std::string text = kHeader + "[Group]\r\n0;Percussion\r\n0;100;50;Shaker\r\n" +
                             "[Hits]\r\n0;0;0;0;D;D;D;D;D;1;0\r\n1;0;0;0;D;D;D;D;D;4;0\r\n";
    LinkToKick dialog;
    load(text, true, 0, 0, false, false, &dialog);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(places(), "0:0 0/1 1:0 0/0"); // by hit type: heavy, light

    dialog.accept = false;
    load(text, true, 0, 0, false, false, &dialog);
    EXPECT_EQ(places(), "");
}

TEST_F(SongFileTest, ReplacingLoadIsOneUndoStep) {
    addHit(0, 0, 0, 0);
    SaveSong(editor, file("a.drm"), false);
    addHit(5, 0, 0, 0);
    SaveSong(editor, file("b.drm"), false);
    LoadSong(editor, file("b.drm"), false, 0, 0, false, false);
    EXPECT_EQ(editor.Song.ActionId, 0);
    editor.UndoCommand();
    EXPECT_EQ(places(), "");
    editor.RedoCommand();
    EXPECT_EQ(places(), "0:0 0/0 5:0 0/0");

    // Kept after reading: the next edit starts a new action.
    LoadSong(editor, file("a.drm"), false, 0, 0, false, true);
    EXPECT_EQ(editor.Song.ActionId, 1);
    EXPECT_EQ(places(), "0:0 0/0");
    EXPECT_TRUE(std::filesystem::exists(file("a.drm")));
}
