// TSongEditor: the selection, the song, bar and tempo commands, Stiahni hits,
// and Undo and Redo.
#include "EditorTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string RowsFixture = std::string(EditorFixtureFolder) + "/rows.dum";

// At the song's initial 120 bpm a bar lasts 2000 ms.
class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() {
        editor.SetDrumsetFile(RowsFixture);
        editor.setHost(&host);
    }

    // A user action placing one hit, as the grid's mouse editing does.
    TDRHit* place(int32_t bar, int32_t tick, int32_t sample = 0, int32_t group = 1) {
        editor.Song.NewAction();
        editor.Modified = true;
        TDRHit* hit = editor.Song.AddHit(editor.CreateHit(bar, tick, sample, group));
        editor.ClearSelection();
        return hit;
    }

    TDRTempo* addTempo(int32_t bar, int32_t tick, int32_t tempo) {
        auto change = std::make_unique<TDRTempo>();
        change->Bar = bar;
        change->Tick = tick;
        change->Tempo = tempo;
        return editor.Song.AddTempo(std::move(change), true);
    }

    int32_t barMs(int32_t bar) { return editor.Song.Bar(bar).StartMs; }

    std::vector<TDRHit*> allHits() {
        std::vector<TDRHit*> hits;
        for (int32_t b = 0; b <= editor.Song.LastBar; ++b) {
            for (const auto& h : editor.Song.Bar(b).StartingHits) {
                hits.push_back(h.get());
            }
        }
        return hits;
    }

    TSongEditor editor;
    RecordingHost host;
};

// --- Selection -----------------------------------------------------------------------

TEST_F(CommandsTest, SelectAndDeselect) {
    TDRHit* a = place(1, 0);
    TDRHit* b = place(2, 0);
    editor.SelectHit(a);
    editor.SelectHit(b);
    editor.SelectHit(a); // once only
    EXPECT_EQ(editor.Selection, (std::vector<TDRHit*>{a, b}));
    EXPECT_EQ(editor.SelectedCount(), 2);
    EXPECT_TRUE(a->Selected);

    editor.DeselectHit(a);
    EXPECT_FALSE(a->Selected);
    EXPECT_EQ(editor.Selection, (std::vector<TDRHit*>{b}));
    editor.DeselectHit(a); // not selected: nothing
    EXPECT_EQ(editor.SelectedCount(), 1);

    // Flagged by a rubber band but not listed yet: joins the list.
    a->Selected = true;
    editor.SelectHit(a);
    EXPECT_EQ(editor.Selection, (std::vector<TDRHit*>{b, a}));

    editor.ClearSelection();
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_FALSE(a->Selected);
    EXPECT_FALSE(b->Selected);
    EXPECT_TRUE(host.Invalidations.empty()); // the callers repaint
}

// --- Song and bars ---------------------------------------------------------------------

TEST_F(CommandsTest, ClearSongCommand) {
    editor.SelectHit(place(3, 0));
    editor.GoToBar(5);
    editor.ClearSongCommand();
    EXPECT_FALSE(editor.Modified);
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_TRUE(allHits().empty());
    EXPECT_TRUE(editor.Song.UndoList.empty());
    EXPECT_EQ(editor.HorzPosition(), 0);
    EXPECT_EQ(host.Invalidations.back(), dfAll);
    // The cut-off map survives.
    EXPECT_EQ(editor.Song.CutOffMap.size(), 2u);
}

TEST_F(CommandsTest, InsertBarsCommandMovesLaterHits) {
    TDRHit* hit = place(5, 100);
    editor.SelectHit(hit);
    editor.Modified = false;
    editor.InsertBarsCommand(3, 2);
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_FALSE(hit->Selected);
    EXPECT_EQ(hit->StartBar, 7);
    EXPECT_EQ(hit->StartTick, 100);
    EXPECT_EQ(editor.Song.LastBar, 12);
    EXPECT_TRUE(editor.Modified);
    EXPECT_NE(host.allFlags() & dfHits, 0u);

    editor.UndoCommand();
    EXPECT_EQ(hit->StartBar, 5);
    EXPECT_EQ(editor.Song.LastBar, 10);
}

TEST_F(CommandsTest, DeleteBarsCommandLeavesNoDeletedHitSelected) {
    TDRHit* gone = place(3, 200);
    TDRHit* kept = place(5, 0);
    editor.SelectHit(gone);
    editor.SelectHit(kept);
    editor.DeleteBarsCommand(3, 1);
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_FALSE(gone->Selected); // owned by the undo journal now
    EXPECT_FALSE(kept->Selected);
    EXPECT_EQ(allHits(), (std::vector<TDRHit*>{kept}));
    EXPECT_EQ(kept->StartBar, 4);

    editor.UndoCommand();
    EXPECT_EQ(allHits().size(), 2u);
    EXPECT_EQ(gone->StartBar, 3);
    EXPECT_FALSE(gone->Selected);
    editor.RedoCommand();
    EXPECT_EQ(allHits(), (std::vector<TDRHit*>{kept}));
}

TEST_F(CommandsTest, DeleteBarsCommandOutsideTheSongDoesNothing) {
    place(3, 0);
    editor.DeleteBarsCommand(-1, 1);
    editor.DeleteBarsCommand(11, 1);
    EXPECT_EQ(editor.Song.LastBar, 10);
    EXPECT_EQ(allHits().size(), 1u);
}

TEST_F(CommandsTest, ShorterSongPullsTheScrollPositionBack) {
    editor.GoToBar(10);
    ASSERT_EQ(editor.HorzPosition(), 80);
    editor.DeleteBarsCommand(5, 20);
    EXPECT_EQ(editor.Song.LastBar, 4);
    EXPECT_EQ(editor.HorzPosition(), 32);
    EXPECT_EQ(editor.FirstBar(), 4);

    editor.InsertBarsCommand(5, 6);
    editor.GoToBar(10);
    editor.UndoCommand(); // the insertion goes again
    EXPECT_EQ(editor.HorzPosition(), 32);
}

// --- Tempo -------------------------------------------------------------------------------

TEST_F(CommandsTest, InsertTempoAtConfirmed) {
    TDRHit* hit = place(6, 0);
    EXPECT_EQ(hit->StartMs, 12000);
    host.Answer = {true, 4, 100, 60};
    bool proposalShown = false;
    host.OnDialog = [&] {
        const auto& changes = editor.Song.Bar(3).TempoChanges;
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_TRUE(changes[0]->Highlighted);
        EXPECT_EQ(changes[0]->Tempo, 120);
        EXPECT_NE(host.allFlags() & dfRuler, 0u); // the ruler shows the proposal
        proposalShown = true;
    };
    editor.InsertTempoAt(3, 250);
    EXPECT_TRUE(proposalShown);
    ASSERT_EQ(host.Shown.size(), 1u);
    EXPECT_EQ(host.Shown[0].Bar, 3);
    EXPECT_EQ(host.Shown[0].Tick, 250);
    EXPECT_EQ(host.Shown[0].Tempo, 120);

    EXPECT_TRUE(editor.Song.Bar(3).TempoChanges.empty());
    const auto& changes = editor.Song.Bar(4).TempoChanges;
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0]->Tick, 100);
    EXPECT_EQ(changes[0]->Tempo, 60);
    EXPECT_FALSE(changes[0]->Highlighted);
    // 100 ticks at 120 bpm, then 900 at 60.
    EXPECT_EQ(barMs(5), 8000 + 200 + 3600);
    EXPECT_EQ(hit->StartMs, 11800 + 4000);
    EXPECT_EQ(host.Invalidations.back(), dfHits | dfRuler);
}

TEST_F(CommandsTest, InsertTempoAtCancelled) {
    host.Answer.Ok = false;
    editor.InsertTempoAt(3, 250);
    EXPECT_EQ(host.Shown.size(), 1u);
    for (int32_t b = 0; b <= editor.Song.LastBar; ++b) {
        EXPECT_TRUE(editor.Song.Bar(b).TempoChanges.empty());
    }
    EXPECT_EQ(barMs(5), 10000);
}

TEST_F(CommandsTest, InsertTempoProposesTheTempoInForce) {
    addTempo(1, 0, 90);
    editor.SetHorzPosition(13); // first bar shown: 1
    editor.InsertTempoCommand();
    ASSERT_EQ(host.Shown.size(), 1u);
    EXPECT_EQ(host.Shown[0].Bar, 2);
    EXPECT_EQ(host.Shown[0].Tick, 0);
    EXPECT_EQ(host.Shown[0].Tempo, 90);
}

TEST_F(CommandsTest, DialogValuesAreHeldToTheDialogsRanges) {
    host.Answer = {true, 2, 5000, 0};
    editor.InsertTempoAt(2, 0);
    const auto& changes = editor.Song.Bar(2).TempoChanges;
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0]->Tick, 999);
    EXPECT_EQ(changes[0]->Tempo, 1);
}

TEST_F(CommandsTest, EditInitialTempoIgnoresBarAndTick) {
    TDRHit* hit = place(2, 0);
    TDRTempo* initial = editor.Song.InitialTempo.get();
    initial->LabelWidth = 33;
    host.Answer = {true, 5, 300, 60};
    host.OnDialog = [&] { EXPECT_TRUE(initial->Highlighted); };
    editor.EditTempoCommand(initial);
    EXPECT_EQ(host.Shown[0].Bar, 0);
    EXPECT_EQ(host.Shown[0].Tempo, 120);
    EXPECT_EQ(initial->Tempo, 60);
    EXPECT_EQ(initial->Bar, 0);
    EXPECT_EQ(initial->Tick, 0);
    EXPECT_EQ(initial->LabelWidth, 0);
    EXPECT_FALSE(initial->Highlighted);
    EXPECT_TRUE(editor.Song.Bar(5).TempoChanges.empty());
    EXPECT_EQ(barMs(1), 4000);
    EXPECT_EQ(hit->StartMs, 8000);
}

TEST_F(CommandsTest, EditTempoMovesAndRetimesFromTheLowerBar) {
    TDRTempo* change = addTempo(5, 0, 60);
    TDRHit* hit = place(7, 0);
    EXPECT_EQ(hit->StartMs, 10000 + 8000);
    change->LabelWidth = 20;
    host.Answer = {true, 8, 0, 60};
    editor.EditTempoCommand(change);
    EXPECT_TRUE(editor.Song.Bar(5).TempoChanges.empty());
    ASSERT_EQ(editor.Song.Bar(8).TempoChanges.size(), 1u);
    EXPECT_EQ(editor.Song.Bar(8).TempoChanges[0].get(), change);
    EXPECT_EQ(change->LabelWidth, 0);
    EXPECT_FALSE(change->Highlighted);
    EXPECT_EQ(barMs(6), 12000);
    EXPECT_EQ(barMs(9), 16000 + 4000);
    EXPECT_EQ(hit->StartMs, 14000);
    EXPECT_EQ(editor.Song.Bar(9).StartTempo, change);
    EXPECT_EQ(editor.Song.Bar(6).StartTempo, editor.Song.InitialTempo.get());

    // Back down again, and a new tempo.
    host.Answer = {true, 2, 500, 240};
    editor.EditTempoCommand(change);
    EXPECT_EQ(editor.Song.Bar(2).TempoChanges.size(), 1u);
    EXPECT_EQ(barMs(3), 4000 + 1000 + 500);
    EXPECT_EQ(editor.Song.Bar(9).StartTempo, change);
}

TEST_F(CommandsTest, EditTempoCancelledChangesNothing) {
    TDRTempo* change = addTempo(5, 0, 60);
    host.Answer.Ok = false;
    editor.EditTempoCommand(change);
    EXPECT_EQ(editor.Song.Bar(5).TempoChanges.size(), 1u);
    EXPECT_EQ(change->Tempo, 60);
    EXPECT_FALSE(change->Highlighted);
    EXPECT_EQ(host.Invalidations.back(), dfHits | dfRuler);
}

TEST_F(CommandsTest, MoveTempoRetimesFromTheLowerBar) {
    TDRTempo* change = addTempo(8, 0, 60);
    TDRHit* hit = place(5, 0);
    EXPECT_EQ(hit->StartMs, 10000);

    editor.MoveTempo(change, 3, 0); // earlier: bars 3.. run at 60
    EXPECT_TRUE(editor.Song.Bar(8).TempoChanges.empty());
    ASSERT_EQ(editor.Song.Bar(3).TempoChanges.size(), 1u);
    EXPECT_EQ(change->Bar, 3);
    EXPECT_EQ(barMs(4), 10000);
    EXPECT_EQ(hit->StartMs, 6000 + 2 * 4000);
    EXPECT_EQ(host.Invalidations.back(), dfHits | dfRuler);

    editor.MoveTempo(change, 8, 0); // later: bars 3..7 back to 120
    EXPECT_EQ(hit->StartMs, 10000);
    EXPECT_EQ(barMs(9), 16000 + 4000);

    const size_t invalidations = host.Invalidations.size();
    editor.MoveTempo(change, 8, 0); // same place: nothing
    EXPECT_EQ(host.Invalidations.size(), invalidations);

    TDRTempo* initial = editor.Song.InitialTempo.get();
    editor.MoveTempo(initial, 2, 0);
    EXPECT_EQ(initial->Bar, 0);
    EXPECT_TRUE(editor.Song.Bar(2).TempoChanges.empty());
}

TEST_F(CommandsTest, DeleteTempoCommand) {
    TDRTempo* change = addTempo(2, 0, 60);
    TDRHit* hit = place(4, 0);
    EXPECT_EQ(hit->StartMs, 4000 + 8000);

    editor.DeleteTempoCommand(editor.Song.InitialTempo.get()); // nothing
    ASSERT_TRUE(editor.Song.InitialTempo);
    EXPECT_EQ(editor.Song.InitialTempo->Tempo, 120);
    EXPECT_EQ(barMs(1), 2000);

    editor.DeleteTempoCommand(change);
    EXPECT_TRUE(editor.Song.Bar(2).TempoChanges.empty());
    EXPECT_EQ(hit->StartMs, 8000);
    EXPECT_EQ(editor.Song.Bar(5).StartTempo, editor.Song.InitialTempo.get());
}

// Every edit that changes what is saved marks the song modified, so closing
// asks to save; none of them opens an undo action.
TEST_F(CommandsTest, TempoBarAndStiahniEditsMarkTheSongModified) {
    const struct {
        const char* name;
        std::function<void(TDRTempo*)> edit;
    } cases[] = {
        {"edit tempo", [&](TDRTempo* c) { editor.EditTempoCommand(c); }},
        {"edit initial tempo",
         [&](TDRTempo*) { editor.EditTempoCommand(editor.Song.InitialTempo.get()); }},
        {"move tempo", [&](TDRTempo* c) { editor.MoveTempo(c, 4, 0); }},
        {"insert tempo", [&](TDRTempo*) { editor.InsertTempoAt(6, 0); }},
        {"delete tempo", [&](TDRTempo* c) { editor.DeleteTempoCommand(c); }},
        {"delete bars", [&](TDRTempo*) { editor.DeleteBarsCommand(7, 1); }},
        {"stiahni hits", [&](TDRTempo*) { editor.StiahniHitsCommand(0, 4, 100); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TDRTempo* change = addTempo(2, 0, 60);
        editor.Modified = false;
        const size_t entries = editor.Song.UndoList.size();
        host.Answer = {true, 3, 0, 100};
        c.edit(change);
        EXPECT_TRUE(editor.Modified);
        if (std::string(c.name).find("tempo") != std::string::npos) {
            EXPECT_EQ(editor.Song.UndoList.size(), entries);
        }
        if (std::string(c.name) != "delete tempo") {
            editor.DeleteTempoCommand(change);
        }
    }
}

TEST_F(CommandsTest, CancelledOrEmptyTempoEditsLeaveTheSongUnmodified) {
    TDRTempo* change = addTempo(2, 0, 60);
    editor.Modified = false;
    host.Answer = {false, 3, 0, 100};
    editor.EditTempoCommand(change);
    editor.InsertTempoAt(6, 0);
    editor.MoveTempo(change, 2, 0); // where it is
    editor.DeleteTempoCommand(editor.Song.InitialTempo.get());
    EXPECT_FALSE(editor.Modified);
}

// --- Stiahni hits, Undo and Redo ---------------------------------------------------------

TEST_F(CommandsTest, StiahniHitsCommand) {
    TDRHit* a = place(2, 0);
    TDRHit* b = place(4, 0);
    editor.StiahniHitsCommand(0, 4, 100);
    EXPECT_EQ(a->Start(), (TDRPosition{1, 950}));
    EXPECT_EQ(b->Start(), (TDRPosition{3, 900}));
    EXPECT_EQ(host.Invalidations.back(), dfHits);
}

TEST_F(CommandsTest, UndoAndRedoCommands) {
    TDRHit* first = place(1, 0);
    TDRHit* second = place(2, 0);
    editor.SelectHit(first);
    editor.UndoCommand();
    EXPECT_TRUE(editor.Selection.empty());
    EXPECT_FALSE(first->Selected);
    EXPECT_EQ(allHits(), (std::vector<TDRHit*>{first}));
    EXPECT_TRUE(editor.Modified); // neither command touches it

    editor.RedoCommand();
    EXPECT_EQ(allHits(), (std::vector<TDRHit*>{first, second}));
    EXPECT_FALSE(editor.Song.JournalSuspended);

    editor.UndoCommand();
    place(3, 0); // a new action: Redo has nothing left
    editor.RedoCommand();
    EXPECT_EQ(allHits().size(), 2u);

    TSongEditor fresh;
    fresh.UndoCommand(); // empty journals
    fresh.RedoCommand();
    EXPECT_FALSE(fresh.Song.JournalSuspended);
}

} // namespace
