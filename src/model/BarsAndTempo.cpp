// The bar array and tempo map: converting places to times and back, re-timing
// bars after a tempo change, growing the song on demand.
#include "model/SongModel.h"

#include <algorithm>
#include <limits>

namespace {

// Duration of `ticks` ticks at `tempo`, truncated as one segment.
int64_t segmentMs(int64_t ticks, int32_t tempo) {
    return ticks * 240 / tempo;
}

int32_t clampMs(int64_t ms) {
    return static_cast<int32_t>(std::clamp<int64_t>(ms, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

void TDRComp::appendBars(int32_t count) {
    InsertBars(LastBar + 1, count, false);
}

void TDRComp::growTo(int32_t lastBar) {
    if (lastBar > LastBar)
        appendBars(lastBar - LastBar);
}

int32_t TDRComp::PositionToMs(int32_t bar, int32_t tick) {
    if (bar > LastBar)
        growTo(bar + 10);
    const TDRBar& b = *Bars[static_cast<size_t>(bar)];
    int64_t t = b.StartMs;
    int32_t tempo = b.StartTempo->Tempo;
    int32_t prev = 0;
    for (const auto& c : b.TempoChanges) {
        if (c->Tick > tick)
            break;
        t += segmentMs(c->Tick - prev, tempo);
        prev = c->Tick;
        tempo = c->Tempo;
    }
    return clampMs(t + segmentMs(tick - prev, tempo));
}

TDRPosition TDRComp::MsToPosition(int32_t ms, int32_t fromBar) {
    // Bar start times never decrease, so the first bar starting after `ms`
    // can be found by bisection instead of a scan.
    while (Bars[static_cast<size_t>(LastBar)]->StartMs <= ms)
        appendBars(10);
    auto first = Bars.begin() + std::max(fromBar, 0);
    auto after = std::upper_bound(first, Bars.begin() + LastBar + 1, ms,
                                  [](int32_t v, const auto& bar) { return v < bar->StartMs; });
    int32_t barIndex = std::max(static_cast<int32_t>(after - Bars.begin()) - 1, 0);

    const TDRBar& b = *Bars[static_cast<size_t>(barIndex)];
    int32_t tempo = b.StartTempo->Tempo;
    int64_t e = b.StartMs;
    int32_t p = 0;
    for (const auto& c : b.TempoChanges) {
        if (c->TimeMs >= ms)
            break;
        tempo = c->Tempo;
        e = c->TimeMs;
        p = c->Tick;
    }
    return {barIndex, static_cast<int32_t>(p + (ms - e) * tempo / 240)};
}

void TDRComp::RecomputeBarTimes(int32_t fromBar) {
    if (fromBar > LastBar || fromBar < 0)
        return;
    TDRTempo* cur = Bars[static_cast<size_t>(fromBar)]->StartTempo;
    int64_t t = Bars[static_cast<size_t>(fromBar)]->StartMs;
    int32_t tempo = cur->Tempo;
    for (int32_t i = fromBar; i <= LastBar; ++i) {
        TDRBar& b = *Bars[static_cast<size_t>(i)];
        b.StartTempo = cur;
        b.StartMs = clampMs(t);
        int64_t sum = 0;
        int32_t prev = 0;
        for (const auto& c : b.TempoChanges) {
            sum += segmentMs(c->Tick - prev, tempo);
            c->TimeMs = clampMs(t + sum);
            tempo = c->Tempo;
            prev = c->Tick;
            cur = c.get();
        }
        sum += segmentMs(TicksPerBar - prev, tempo);
        t += sum;
    }
}

TDRTempo* TDRComp::TempoAt(int32_t bar, int32_t tick) const {
    if (bar > LastBar)
        return Bars[static_cast<size_t>(LastBar)]->StartTempo;
    const TDRBar& b = *Bars[static_cast<size_t>(std::max(bar, 0))];
    TDRTempo* result = b.StartTempo;
    for (const auto& c : b.TempoChanges) {
        if (c->Tick >= tick)
            break;
        result = c.get();
    }
    return result;
}

TDRTempo* TDRComp::AddTempo(std::unique_ptr<TDRTempo> tempo, bool retime) {
    TDRTempo* t = tempo.get();
    if (t->Bar > LastBar)
        growTo(t->Bar + 10);
    auto& changes = Bars[static_cast<size_t>(t->Bar)]->TempoChanges;
    auto pos = std::upper_bound(changes.begin(), changes.end(), t->Tick,
                                [](int32_t tick, const auto& c) { return tick < c->Tick; });
    changes.insert(pos, std::move(tempo));
    if (retime) {
        RecomputeBarTimes(t->Bar);
        RefreshHitsFrom(t->Bar);
    }
    return t;
}

std::unique_ptr<TDRTempo> TDRComp::RemoveTempo(TDRTempo* tempo, bool retime) {
    if (tempo == nullptr || tempo->Bar > LastBar || tempo->Bar < 0)
        return nullptr;
    auto& changes = Bars[static_cast<size_t>(tempo->Bar)]->TempoChanges;
    auto it = std::find_if(changes.begin(), changes.end(),
                           [tempo](const auto& c) { return c.get() == tempo; });
    if (it == changes.end())
        return nullptr;
    std::unique_ptr<TDRTempo> owned = std::move(*it);
    changes.erase(it);
    if (retime) {
        RecomputeBarTimes(tempo->Bar);
        RefreshHitsFrom(tempo->Bar);
    }
    return owned;
}
