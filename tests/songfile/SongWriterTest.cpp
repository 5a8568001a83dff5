// SaveSong: the bytes of whole-song and selection files, the Used marks,
// Modified, and a failed save leaving the old file alone.
#include "SongFileTestSupport.h"
#include "songfile/ReplacingFile.h"

TEST_F(SongFileTest, NewSongWritesOnlyTheFixedSections) {
    expectGolden("new_song.drm", saved());
    EXPECT_EQ(saved(),
              crlf({"[Tavorine v1.00]", "[Drumset]", "<drumset>", "[Tempo]", "0;0;120", "[Hits]"}));
}

TEST_F(SongFileTest, DefaultHitOnASampleRow) {
    // Snare hard's own panning and fades count as defaults.
    addHit(2, 250, 1, 0);
    const std::string text = saved();
    EXPECT_NE(text.find("\r\n[Hits]\r\n2;250;1;0;D;D;D;D;D;1;0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n[Group]\r\n1;Snare\r\n0;100;66;Snare hard\r\n[Tempo]"),
              std::string::npos)
        << text;
}

TEST_F(SongFileTest, HitFieldsOtherThanDefaults) {
    // On Kick soft: panning 0, fades 100 and 100.
    struct Case {
        const char* what;
        std::function<void(TDRHit&)> tweak;
        const char* line;
    };
    const Case cases[] = {
        {"volume", [](TDRHit& h) { h.Volume = 80; }, "0;0;0;0;80;D;D;D;D;1;0"},
        {"panning left", [](TDRHit& h) { h.Panning = -100; }, "0;0;0;0;D;0;D;D;D;1;0"},
        {"panning 33", [](TDRHit& h) { h.Panning = 33; }, "0;0;0;0;D;66;D;D;D;1;0"},
        {"panning -33 truncated", [](TDRHit& h) { h.Panning = -33; }, "0;0;0;0;D;33;D;D;D;1;0"},
        {"panning right", [](TDRHit& h) { h.Panning = 100; }, "0;0;0;0;D;100;D;D;D;1;0"},
        {"fades", [](TDRHit& h) { h.FadeTill = 0, h.FadeOut = 50; }, "0;0;0;0;D;D;0;50;D;1;0"},
        {"fixed length", [](TDRHit& h) { h.FixedLength = 250; }, "0;0;0;0;D;D;D;D;250;1;0"},
        {"fixed length 0", [](TDRHit& h) { h.FixedLength = 0; }, "0;0;0;0;D;D;D;D;D;1;0"},
        {"light group hit", [](TDRHit& h) { h.HitTypeMask = 4, h.GroupHit = true; },
         "0;0;0;0;D;D;D;D;D;4;1"},
        {"any mask", [](TDRHit& h) { h.HitTypeMask = 0; }, "0;0;0;0;D;D;D;D;D;0;0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor.Song.ClearSong();
        addHit(0, 0, 0, 0, c.tweak);
        const std::string text = saved();
        EXPECT_NE(text.find("[Hits]\r\n" + std::string(c.line) + "\r\n"), std::string::npos)
            << text;
    }
}

TEST_F(SongFileTest, WholeSongGolden) {
    editor.Song.InitialTempo->Tempo = 96;
    auto tempo = [&](int32_t bar, int32_t tick, int32_t t) {
        auto change = std::make_unique<TDRTempo>();
        change->Bar = bar, change->Tick = tick, change->Tempo = t;
        editor.Song.AddTempo(std::move(change), true);
    };
    tempo(4, 0, 90);
    tempo(2, 500, 140);
    tempo(2, 250, 130);
    addHit(0, 0, 0, 1);
    addHit(0, 0, 2, 0, [](TDRHit& h) { h.GroupHit = true; });
    addHit(0, 500, 0, 1, [](TDRHit& h) { h.Volume = 70, h.HitTypeMask = htMaskLight; });
    addHit(1, 250, 1, 0, [](TDRHit& h) { h.Panning = -33; });
    addHit(3, 999, 1, 0, [](TDRHit& h) { h.FixedLength = 120, h.FadeOut = 0; });
    // Kick soft is used by no hit, so its row is not written.
    addHit(5, 125, 1, 1, [](TDRHit& h) { h.HitTypeMask = htMaskMedium; });
    expectGolden("song.drm", saved());
    EXPECT_FALSE(editor.Modified);
}

TEST_F(SongFileTest, SelectionIsWrittenFromItsFirstBar) {
    addHit(3, 0, 0, 0);
    TDRHit* a = addHit(7, 400, 1, 0);
    TDRHit* b = addHit(7, 100, 2, 0);
    TDRHit* c = addHit(9, 0, 1, 1);
    for (TDRHit* h : {a, b, c})
        editor.SelectHit(h);
    auto change = std::make_unique<TDRTempo>();
    change->Bar = 8, change->Tick = 0, change->Tempo = 150;
    editor.Song.AddTempo(std::move(change), true);
    editor.Modified = true;

    expectGolden("selection.drm", saved(true));
    EXPECT_TRUE(editor.Modified);

    // Only the rows the selection uses are marked.
    const auto& tracks = editor.Plocha.Tracks;
    EXPECT_FALSE(tracks[0]->GroupData->Used);
    EXPECT_FALSE(tracks[0]->Samples[0]->SampleData->Used);
    EXPECT_TRUE(tracks[1]->GroupData->Used);
    EXPECT_TRUE(tracks[1]->Samples[1]->SampleData->Used);
    EXPECT_TRUE(tracks[2]->Samples[0]->SampleData->Used);
}

TEST_F(SongFileTest, LinesLongerThanTheBufferAreWrittenWhole) {
    const std::string name(SongBufferCapacity + 1000, 'k');
    editor.Plocha.Tracks[0]->Name = name;
    addHit(0, 0, 0, 0);
    EXPECT_EQ(saved(), crlf({"[Tavorine v1.00]", "[Drumset]", "<drumset>", "[Group]",
                             ("0;" + name).c_str(), "0;100;50;Kick soft", "[Tempo]", "0;0;120",
                             "[Hits]", "0;0;0;0;D;D;D;D;D;1;0"}));
}

class FailedSaveTest : public SongFileTest {
protected:
    void SetUp() override {
        SongFileTest::SetUp();
        addHit(0, 0, 0, 0);
        SaveSong(editor, target(), false);
        before = readBytes(target());
        addHit(1, 0, 0, 1);
        editor.Modified = true;
    }
    std::string target() const { return file("song.drm"); }
    void expectOldFileKept(const std::string& message) {
        EXPECT_EQ(readBytes(target()), before);
        EXPECT_TRUE(editor.Modified);
        EXPECT_FALSE(message.empty());
    }
    std::string before;
};

TEST_F(FailedSaveTest, UncreatableFileKeepsTheOldOne) {
    // Something in the way of the temporary file.
    std::filesystem::create_directory(TReplacingFile::temporaryPath(target()));
    const std::string message = errorOf([&] { SaveSong(editor, target(), false); });
    EXPECT_EQ(message.rfind("Cannot create file \"" + target() + "\".", 0), 0u) << message;
    expectOldFileKept(message);
}

TEST_F(FailedSaveTest, FailureWhileWritingKeepsTheOldOne) {
    // A hit off the rows cannot be named in the file.
    addHit(2, 0, 0, 0, [](TDRHit& h) { h.Sample = 5; });
    expectOldFileKept(errorOf([&] { SaveSong(editor, target(), false); }));
    EXPECT_FALSE(std::filesystem::exists(TReplacingFile::temporaryPath(target())));
}

TEST_F(FailedSaveTest, SuccessReplacesTheFileAndLeavesNoTemporary) {
    SaveSong(editor, target(), false);
    EXPECT_NE(readBytes(target()), before);
    EXPECT_NE(readBytes(target()).find("1;0;0;1;D;D;D;D;D;1;0\r\n"), std::string::npos);
    EXPECT_FALSE(editor.Modified);
    EXPECT_FALSE(std::filesystem::exists(TReplacingFile::temporaryPath(target())));
}
