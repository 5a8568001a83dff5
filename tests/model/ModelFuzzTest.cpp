// Random edits, undos and redos, checking the model's invariants after each
// step; under the sanitizers this also checks that no hit leaks or is freed
// twice.
#include "ModelFixture.h"

#include <algorithm>
#include <random>

namespace {

class Fuzzer {
public:
    explicit Fuzzer(unsigned seed) : m_rng(seed) {}

    int pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }

    TDRHit* randomHit(TDRComp& song) {
        std::vector<TDRHit*> all;
        for (const auto& b : song.Bars)
            for (const auto& h : b->StartingHits)
                all.push_back(h.get());
        return all.empty() ? nullptr : all[static_cast<size_t>(pick(static_cast<int>(all.size())))];
    }

    std::unique_ptr<TDRHit> randomNewHit(TDRComp& song) {
        const int group = pick(3);
        const int samples[] = {3, 1, 2};
        const int lengths[] = {0, 5, 50, 300, 1000, 2500, 6000};
        // Hits crowd a few bars so that they cut each other often.
        return makeHit(group, pick(samples[group]), pick(std::min(song.LastBar + 3, 12)),
                       pick(1000), lengths[pick(7)], pick(4) == 0 ? pick(1500) : -1);
    }

    void step(TDRComp& song) {
        switch (pick(14)) {
        case 12:
        case 13:
        case 0:
        case 1:
        case 2:
            song.NewAction();
            song.AddHit(randomNewHit(song));
            break;
        case 3:
            if (TDRHit* h = randomHit(song)) {
                song.NewAction();
                song.DeleteHit(h);
            }
            break;
        case 4:
            if (TDRHit* h = randomHit(song)) {
                song.NewAction();
                auto moved = std::make_unique<TDRHit>(*h);
                moved->Cutter = nullptr;
                moved->CutHits.clear();
                moved->StartBar = pick(std::min(song.LastBar + 1, 12));
                song.DeleteHit(h);
                song.AddHit(std::move(moved));
            }
            break;
        case 5:
            if (TDRHit* h = randomHit(song)) {
                const bool was = song.JournalSuspended;
                song.SuspendJournal();
                auto owned = song.DeleteHit(h);
                owned->FixedLength = pick(2) ? -1 : pick(800);
                owned->StartTick = pick(1000);
                song.AddHit(std::move(owned));
                song.JournalSuspended = was;
            }
            break;
        case 6: {
            const int tempos[] = {30, 60, 97, 120, 180, 400};
            if (pick(3) == 0 && !song.Bar(pick(song.LastBar + 1)).TempoChanges.empty()) {
                for (int i = 0; i <= song.LastBar; ++i)
                    if (!song.Bar(i).TempoChanges.empty()) {
                        song.RemoveTempo(song.Bar(i).TempoChanges.front().get(), true);
                        break;
                    }
            } else {
                song.AddTempo(makeTempo(tempos[pick(6)], pick(song.LastBar + 1), pick(1000)), true);
            }
            break;
        }
        case 7:
            song.InsertBars(pick(song.LastBar + 3), pick(4), true);
            break;
        case 8:
            song.DeleteBars(pick(song.LastBar + 1), 1 + pick(4), true);
            break;
        case 9:
            song.Undo();
            break;
        case 10:
            song.Redo();
            break;
        case 11:
            if (song.LastBar > 1) {
                const int start = pick(song.LastBar);
                song.StiahniHits(start, start + 1 + pick(song.LastBar - start), pick(401) - 200);
            }
            break;
        }
    }

private:
    std::mt19937 m_rng;
};

} // namespace

TEST(ModelFuzz, RandomEditsKeepTheInvariants) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        TDRComp song;
        buildCutOffMap(song);
        setCutOff(song, 0, 0, {groupItem(0)});
        setCutOff(song, 0, 2, {sampleItem(0, 1)});
        setCutOff(song, 2, 0, {sampleItem(2, 1), sampleItem(2, 0)});
        Fuzzer fuzz(seed);
        for (int i = 0; i < 400; ++i) {
            fuzz.step(song);
            ASSERT_FALSE(song.JournalSuspended);
            ASSERT_NO_FATAL_FAILURE(expectInvariants(song)) << "step " << i;
            if (HasFailure())
                return;
        }
        while (!song.UndoList.empty())
            song.Undo();
        expectInvariants(song);
        while (!song.RedoList.empty())
            song.Redo();
        expectInvariants(song);
        song.ClearSong();
        expectInvariants(song);
    }
}
