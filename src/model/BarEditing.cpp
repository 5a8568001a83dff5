// Structural edits: inserting and deleting bars with their content, and
// shifting hit starts proportionally in time.
#include "model/SongModel.h"

#include <algorithm>
#include <set>

void TDRComp::InsertBars(int32_t at, int32_t count, bool journal) {
    if (count < 0 || at < 0)
        return;
    const bool wasSuspended = JournalSuspended;
    if (journal)
        NewAction();

    if (at > LastBar) {
        count += at - LastBar - 1;
        at = LastBar + 1;
        Bars.reserve(Bars.size() + static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i)
            Bars.push_back(std::make_unique<TDRBar>());
        if (journal) {
            NewAction();
            appendBarEntry(jkBarsInserted, at, count);
        }
        LastBar += count;
        RecomputeBarTimes(at - 1);
        return;
    }

    SuspendJournal();
    const int32_t startMs = Bar(at).StartMs;
    TDRTempo* startTempo = Bar(at).StartTempo;

    // Hits that start before the insertion point but end after it are taken
    // out and re-added, so that their ends fall into the new bars.
    std::vector<TDRHit*> spanning;
    for (int32_t i = at; i <= LastBar; ++i)
        for (TDRHit* h : Bar(i).EndingHits)
            if (h->StartBar < at)
                spanning.push_back(h);
    std::vector<std::unique_ptr<TDRHit>> spanningOwned;
    spanningOwned.reserve(spanning.size());
    for (TDRHit* h : spanning)
        spanningOwned.push_back(DeleteHit(h));

    std::vector<std::unique_ptr<TDRBar>> fresh;
    fresh.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        fresh.push_back(std::make_unique<TDRBar>());
    Bars.insert(Bars.begin() + at, std::make_move_iterator(fresh.begin()),
                std::make_move_iterator(fresh.end()));
    for (int32_t i = at + count; i <= LastBar + count; ++i) {
        TDRBar& b = Bar(i);
        for (auto& c : b.TempoChanges)
            c->Bar += count;
        for (auto& h : b.StartingHits) {
            h->StartBar += count;
            h->EndBar += count;
            h->CutBar += count;
        }
    }
    Bar(at).StartMs = startMs;
    Bar(at).StartTempo = startTempo;
    LastBar += count;

    RecomputeBarTimes(at);
    RefreshHitsFrom(at);
    for (auto& h : spanningOwned)
        AddHit(std::move(h));

    if (journal) {
        NewAction();
        appendBarEntry(jkBarsInserted, at, count);
    }
    JournalSuspended = wasSuspended;
}

void TDRComp::DeleteBars(int32_t at, int32_t count, bool journal) {
    if (at < 0 || at > LastBar || count < 1)
        return;
    const bool reachesEnd = int64_t{at} + count > int64_t{LastBar} + 1;
    if (int64_t{at} + count - 1 > LastBar)
        count = LastBar - at + 1;
    int32_t keepTo = std::max(at - 1, 0);

    const bool wasSuspended = JournalSuspended;
    if (journal) {
        NewAction();
        ResumeJournal();
    } else {
        SuspendJournal();
    }

    // Removed tempo changes stay alive until the bars are re-timed: later bars
    // still refer to them as their start tempo until then.
    std::vector<std::unique_ptr<TDRTempo>> removedTempos;
    for (int32_t i = at; i <= at + count - 1; ++i) {
        while (!Bar(i).StartingHits.empty()) {
            std::unique_ptr<TDRHit> owned = DeleteHit(Bar(i).StartingHits.back().get());
            if (owned)
                m_detached.push_back(std::move(owned));
        }
        while (!Bar(i).TempoChanges.empty())
            removedTempos.push_back(RemoveTempo(Bar(i).TempoChanges.back().get(), false));
    }
    SuspendJournal();

    if (reachesEnd) {
        RecomputeBarTimes(at);
        RefreshHitsFrom(at);
        for (int32_t i = at; i <= at + count - 1; ++i)
            if (!Bar(i).EndingHits.empty())
                keepTo = i;
        const int32_t removedAt = keepTo + 1;
        const int32_t removedCount = LastBar - keepTo;
        Bars.erase(Bars.begin() + keepTo + 1, Bars.end());
        LastBar = keepTo;
        if (journal)
            appendBarEntry(jkBarsDeleted, removedAt, removedCount);
    } else {
        std::vector<std::unique_ptr<TDRHit>> moved;
        std::vector<std::unique_ptr<TDRTempo>> movedTempos;
        for (int32_t i = at + count; i <= LastBar; ++i) {
            while (!Bar(i).StartingHits.empty())
                moved.push_back(DeleteHit(Bar(i).StartingHits.back().get()));
            while (!Bar(i).TempoChanges.empty())
                movedTempos.push_back(RemoveTempo(Bar(i).TempoChanges.back().get(), false));
        }
        for (auto& c : movedTempos) {
            c->Bar -= count;
            AddTempo(std::move(c), false);
        }
        RecomputeBarTimes(at);
        RefreshHitsFrom(at);
        int32_t last = LastBar - count;
        for (int32_t i = last + 1; i <= LastBar; ++i)
            if (!Bar(i).EndingHits.empty())
                last = i;
        Bars.erase(Bars.begin() + last + 1, Bars.end());
        LastBar = last;
        for (auto& h : moved) {
            h->StartBar -= count;
            AddHit(std::move(h));
        }
        if (journal)
            appendBarEntry(jkBarsDeleted, at, count);
    }
    JournalSuspended = wasSuspended;
}

void TDRComp::StiahniHits(int32_t startBar, int32_t endBar, int32_t ticks) {
    if (startBar < 0 || startBar >= endBar || endBar > LastBar)
        return;
    const int64_t base = Bar(startBar).StartMs;
    const int64_t span = int64_t{Bar(endBar).StartMs} - base;
    if (span <= 0)
        return;

    std::set<int32_t> touched;
    auto shiftBar = [&](int32_t i) {
        auto& starting = Bar(i).StartingHits;
        for (size_t k = 0; k < starting.size();) {
            TDRHit* h = starting[k].get();
            const int64_t shift = (int64_t{h->StartMs} - base) * ticks / span;
            int64_t pos = int64_t{h->StartBar} * TicksPerBar + h->StartTick - shift;
            // A hit pulled before the song's start stays at its start.
            pos = std::max<int64_t>(pos, 0);
            const auto newBar = static_cast<int32_t>(pos / TicksPerBar);
            h->StartTick = static_cast<int32_t>(pos % TicksPerBar);
            touched.insert(newBar);
            if (newBar == i) {
                h->StartBar = newBar;
                ++k;
                continue;
            }
            growTo(newBar);
            std::unique_ptr<TDRHit> owned = std::move(starting[k]);
            starting.erase(starting.begin() + static_cast<std::ptrdiff_t>(k));
            h->StartBar = newBar;
            auto& target = Bar(newBar).StartingHits;
            if (newBar > i)
                target.insert(target.begin(), std::move(owned));
            else
                target.push_back(std::move(owned));
        }
    };
    if (ticks > 0) {
        for (int32_t i = startBar; i <= endBar; ++i)
            shiftBar(i);
    } else {
        for (int32_t i = endBar; i >= startBar; --i)
            shiftBar(i);
    }
    // A large shift can reverse the order of hits within a bar.
    for (int32_t b : touched) {
        auto& starting = Bar(b).StartingHits;
        std::stable_sort(starting.begin(), starting.end(), [](const auto& a, const auto& b2) {
            return a->StartTick < b2->StartTick;
        });
    }
    RefreshHitsFrom(startBar);
}
