// The hit store: placing hits in time, the bar lists that hold them, cut-off
// links between hits, and the searches the editor uses.
#include "model/SongModel.h"

#include <algorithm>
#include <unordered_set>

namespace {

template <typename List, typename Key>
void insertSorted(List& list, typename List::value_type&& item, Key key) {
    const int32_t k = key(*item);
    auto pos = std::upper_bound(list.begin(), list.end(), k,
                                [&](int32_t v, const auto& x) { return v < key(*x); });
    list.insert(pos, std::move(item));
}

int32_t startTickOf(const TDRHit& h) {
    return h.StartTick;
}
int32_t endTickOf(const TDRHit& h) {
    return h.EndTick;
}

void eraseOne(std::vector<TDRHit*>& list, const TDRHit* h) {
    auto it = std::find(list.begin(), list.end(), h);
    if (it != list.end())
        list.erase(it);
}

bool lexLessEq(int32_t a1, int32_t a2, int32_t b1, int32_t b2) {
    return a1 < b1 || (a1 == b1 && a2 <= b2);
}

} // namespace

void TDRComp::PlaceHit(TDRHit& h) {
    h.StartMs = PositionToMs(h.StartBar, h.StartTick);
    h.StopMs = h.StartMs + h.LengthMs;
    TDRPosition end = MsToPosition(h.StopMs, h.StartBar);
    h.EndBar = end.Bar;
    h.EndTick = end.Tick;
    MaxSpan = std::max(MaxSpan, h.EndBar - h.StartBar);
}

void TDRComp::insertEnding(TDRBar& bar, TDRHit* h) {
    TDRHit* item = h;
    insertSorted(bar.EndingHits, std::move(item), endTickOf);
}

TDRHit* TDRComp::AddHit(std::unique_ptr<TDRHit> owned) {
    TDRHit* h = owned.get();
    if (h == nullptr)
        return nullptr;
    if (h->StartBar > LastBar)
        growTo(h->StartBar + 10);
    PlaceHit(*h);

    insertSorted(Bar(h->StartBar).StartingHits, std::move(owned), startTickOf);
    insertEnding(Bar(h->EndBar), h);
    h->InSong = true;

    h->Cutter = nullptr;
    h->CutHits.clear();
    findCutVictims(h);
    if (h->FixedLength > -1)
        applyFixedLength(h);
    else
        findCutter(h);

    if (!JournalSuspended)
        journalHit(jkHitAdded, h, nullptr);
    return h;
}

std::unique_ptr<TDRHit> TDRComp::detachHit(TDRHit* h) {
    auto& starting = Bar(h->StartBar).StartingHits;
    auto it =
        std::find_if(starting.begin(), starting.end(), [h](const auto& x) { return x.get() == h; });
    std::unique_ptr<TDRHit> owned = std::move(*it);
    starting.erase(it);
    eraseOne(Bar(h->EndBar).EndingHits, h);
    h->InSong = false;
    return owned;
}

std::unique_ptr<TDRHit> TDRComp::DeleteHit(TDRHit* h) {
    if (h == nullptr || !h->InSong)
        return nullptr;
    std::unique_ptr<TDRHit> owned = detachHit(h);
    if (h->Cutter != nullptr)
        unlinkCut(h);
    while (!h->CutHits.empty()) {
        TDRHit* v = h->CutHits.front();
        unlinkCut(v);
        findCutter(v);
    }
    if (JournalSuspended)
        return owned;
    journalHit(jkHitDeleted, h, std::move(owned));
    return nullptr;
}

void TDRComp::linkCut(TDRHit* c, TDRHit* v) {
    v->Cutter = c;
    v->CutBar = c->StartBar;
    v->CutTick = c->StartTick;
    c->CutHits.push_back(v);
    v->StopMs = PositionToMs(c->StartBar, c->StartTick);
}

void TDRComp::unlinkCut(TDRHit* v) {
    if (v->Cutter != nullptr)
        eraseOne(v->Cutter->CutHits, v);
    v->Cutter = nullptr;
    v->StopMs = v->StartMs + v->LengthMs;
}

bool TDRComp::CutsOff(int32_t cg, int32_t cs, int32_t vg, int32_t vs) const {
    auto rowOk = [this](int32_t g, int32_t s) {
        return g >= 0 && g < static_cast<int32_t>(CutOffMap.size()) && s >= 0 &&
               s < static_cast<int32_t>(CutOffMap[static_cast<size_t>(g)].Samples.size());
    };
    if (!rowOk(cg, cs) || !rowOk(vg, vs))
        return false;
    const auto& cutOff = CutOffMap[static_cast<size_t>(cg)].Samples[static_cast<size_t>(cs)].CutOff;
    if (cutOff.empty())
        return false;
    const TDRKomGroup& victim = CutOffMap[static_cast<size_t>(vg)];
    const TDrumsetItem* victimSample = victim.Samples[static_cast<size_t>(vs)].Sample;
    return std::any_of(cutOff.begin(), cutOff.end(), [&](const TDrumsetItem* ref) {
        return ref == victim.Group || ref == victimSample;
    });
}

void TDRComp::ClearCutOffMap() {
    CutOffMap.clear();
}

TDRHit* TDRComp::nextCutCandidate(int32_t bar, int32_t ms, size_t& index,
                                  int32_t& barCursor) const {
    if (barCursor < 0)
        barCursor = std::max(bar - MaxSpan, 0);
    for (int32_t b = barCursor; b <= bar && b <= LastBar; ++b) {
        const auto& starting = Bar(b).StartingHits;
        for (; index < starting.size(); ++index) {
            TDRHit* x = starting[index].get();
            if (x->StartMs + 10 > ms)
                return nullptr;
            if (x->StartMs + x->LengthMs >= ms - 10) {
                ++index;
                barCursor = b;
                return x;
            }
        }
        index = 0;
    }
    barCursor = bar + 1;
    return nullptr;
}

void TDRComp::findCutVictims(TDRHit* h) {
    const int32_t a = h->StartMs;
    size_t index = 0;
    int32_t barCursor = -1;
    while (TDRHit* x = nextCutCandidate(h->StartBar, a, index, barCursor)) {
        if (x->FixedLength == -1 && a < x->StopMs &&
            CutsOff(h->Group, h->Sample, x->Group, x->Sample)) {
            if (x->Cutter != nullptr)
                unlinkCut(x);
            linkCut(h, x);
        }
    }
}

void TDRComp::findCutter(TDRHit* v) {
    // Walks the later hits in start order with local indices, leaving the
    // public bar cursor to its callers.
    const auto& own = Bar(v->StartBar).StartingHits;
    auto it = std::find_if(own.begin(), own.end(), [v](const auto& x) { return x.get() == v; });
    size_t index = it == own.end() ? 0 : static_cast<size_t>(it - own.begin()) + 1;
    for (int32_t b = v->StartBar; b <= v->EndBar && b <= LastBar; ++b, index = 0) {
        const auto& starting = Bar(b).StartingHits;
        for (; index < starting.size(); ++index) {
            TDRHit* p = starting[index].get();
            if (p->StartMs < v->StartMs + 10)
                continue;
            if (p->StartMs + 10 > v->StopMs)
                return;
            if (CutsOff(p->Group, p->Sample, v->Group, v->Sample)) {
                if (v->Cutter != nullptr)
                    unlinkCut(v);
                linkCut(p, v);
                return;
            }
        }
    }
}

void TDRComp::applyFixedLength(TDRHit* h) {
    const int32_t s = h->StartMs + h->FixedLength;
    if (s >= h->StartMs + h->LengthMs) {
        h->FixedLength = -1;
        findCutter(h);
        return;
    }
    if (h->Cutter != nullptr)
        unlinkCut(h);
    TDRPosition cut = MsToPosition(s, h->StartBar);
    h->CutBar = cut.Bar;
    h->CutTick = cut.Tick;
    h->StopMs = s;
}

void TDRComp::RefreshHitsFrom(int32_t fromBar) {
    fromBar = std::max(fromBar, 0);
    for (int32_t i = LastBar; i >= fromBar; --i) {
        auto& ending = Bar(i).EndingHits;
        // Hits moved to a lower bar are appended behind the walk and visited
        // again when that bar's turn comes; hits moved up leave the list.
        for (size_t k = ending.size(); k-- > 0;) {
            TDRHit* h = ending[k];
            const TDRPosition old = h->End();
            PlaceHit(*h);
            if (h->Cutter != nullptr) {
                TDRPosition d = SubtractPositions(h->End(), {h->CutBar, h->CutTick});
                unlinkCut(h);
                if (d.Bar >= 0)
                    RelinkList.push_back(h);
            } else {
                TDRPosition d = SubtractPositions(old, h->End());
                if (d.Bar < 0 || h->FixedLength >= 0)
                    RelinkList.push_back(h);
            }
            if (h->EndBar != i) {
                ending.erase(ending.begin() + static_cast<std::ptrdiff_t>(k));
                auto& target = Bar(h->EndBar).EndingHits;
                if (h->EndBar > i)
                    target.insert(target.begin(), h);
                else
                    target.push_back(h);
            }
        }
    }
    for (int32_t i = LastBar; i >= fromBar; --i) {
        auto& ending = Bar(i).EndingHits;
        std::stable_sort(ending.begin(), ending.end(),
                         [](const TDRHit* a, const TDRHit* b) { return a->EndTick < b->EndTick; });
    }
    for (TDRHit* h : RelinkList) {
        if (h->FixedLength >= 0)
            applyFixedLength(h);
        else
            findCutter(h);
    }
    RelinkList.clear();
}

TDRHit* TDRComp::FindHitAt(int32_t group, int32_t sample, int32_t bar, int32_t tick) const {
    for (int32_t b = bar; b >= bar - MaxSpan; --b) {
        if (b > LastBar || b < 0)
            return nullptr;
        const auto& starting = Bar(b).StartingHits;
        for (auto it = starting.rbegin(); it != starting.rend(); ++it) {
            const TDRHit* h = it->get();
            if (h->Group != group || (sample != -1 && h->Sample != sample))
                continue;
            if (b == bar && h->StartTick > tick)
                continue;
            if (bar < h->EndBar || (bar == h->EndBar && tick < h->EndTick))
                return const_cast<TDRHit*>(h);
        }
    }
    return nullptr;
}

bool TDRComp::SelectHitsInRange(std::vector<TDRHit*>& list, const TDRGridPoint& low,
                                const TDRGridPoint& high, int32_t fromBar, int32_t toBar) {
    std::unordered_set<const TDRHit*> inList(list.begin(), list.end());
    std::unordered_set<const TDRHit*> removed;
    bool changed = false;
    for (int32_t b = std::max(fromBar, 0); b <= toBar && b <= LastBar; ++b) {
        const auto& starting = Bar(b).StartingHits;
        for (auto it = starting.rbegin(); it != starting.rend(); ++it) {
            TDRHit* h = it->get();
            const bool listed = inList.count(h) != 0;
            if (h->Selected && !listed)
                continue;
            const bool inside = lexLessEq(low.Group, low.Sample, h->Group, h->Sample) &&
                                lexLessEq(h->Group, h->Sample, high.Group, high.Sample) &&
                                lexLessEq(low.Bar, low.Tick, h->StartBar, h->StartTick) &&
                                lexLessEq(h->StartBar, h->StartTick, high.Bar, high.Tick);
            if (inside && !h->Selected) {
                h->Selected = true;
                list.push_back(h);
                inList.insert(h);
                removed.erase(h);
                changed = true;
            } else if (!inside && h->Selected) {
                h->Selected = false;
                inList.erase(h);
                removed.insert(h);
                changed = true;
            }
        }
    }
    if (!removed.empty())
        std::erase_if(list, [&](const TDRHit* h) { return removed.count(h) != 0; });
    return changed;
}

TDRHit* TDRComp::FirstHitInBar(int32_t bar) {
    CursorBar = bar;
    if (bar < 0 || bar > LastBar)
        return nullptr;
    CursorIndex = 0;
    const auto& starting = Bar(bar).StartingHits;
    return starting.empty() ? nullptr : starting.front().get();
}

TDRHit* TDRComp::NextHitInBar() {
    if (CursorBar < 0 || CursorBar > LastBar)
        return nullptr;
    const auto& starting = Bar(CursorBar).StartingHits;
    if (starting.empty())
        return nullptr;
    CursorIndex += 1;
    if (CursorIndex >= static_cast<int32_t>(starting.size()))
        return nullptr;
    return starting[static_cast<size_t>(CursorIndex)].get();
}
