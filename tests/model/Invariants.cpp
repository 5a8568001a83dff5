#include "ModelFixture.h"

#include <algorithm>
#include <set>

// MsToPosition's bar scan as written, without growing the song: a time
// inside the last bar converts as it would after growth, since growth does
// not re-time existing bars.
TDRPosition linearMsToPosition(const TDRComp& song, int32_t ms, int32_t fromBar) {
    int32_t b = fromBar;
    while (b <= song.LastBar && song.Bar(b).StartMs <= ms)
        ++b;
    const TDRBar& bar = song.Bar(b - 1);
    int32_t tempo = bar.StartTempo->Tempo;
    int64_t e = bar.StartMs;
    int32_t p = 0;
    for (const auto& c : bar.TempoChanges) {
        if (c->TimeMs >= ms)
            break;
        tempo = c->Tempo;
        e = c->TimeMs;
        p = c->Tick;
    }
    return {b - 1, static_cast<int32_t>(p + (ms - e) * tempo / 240)};
}

void expectInvariants(TDRComp& song) {
    ASSERT_EQ(song.Bars.size(), static_cast<size_t>(song.LastBar + 1));
    ASSERT_GE(song.LastBar, 0);
    EXPECT_EQ(song.Bars[0]->StartTempo, song.InitialTempo.get());
    EXPECT_EQ(song.Bars[0]->StartMs, 0);

    std::set<const TDRHit*> inSong;
    for (int i = 0; i <= song.LastBar; ++i) {
        const TDRBar& b = song.Bar(i);
        EXPECT_TRUE(std::is_sorted(b.TempoChanges.begin(), b.TempoChanges.end(),
                                   [](const auto& x, const auto& y) { return x->Tick < y->Tick; }));
        for (const auto& c : b.TempoChanges)
            EXPECT_EQ(c->Bar, i);
        EXPECT_TRUE(std::is_sorted(
            b.StartingHits.begin(), b.StartingHits.end(),
            [](const auto& x, const auto& y) { return x->StartTick < y->StartTick; }))
            << "bar " << i;
        EXPECT_TRUE(
            std::is_sorted(b.EndingHits.begin(), b.EndingHits.end(),
                           [](const auto* x, const auto* y) { return x->EndTick < y->EndTick; }))
            << "bar " << i;
        for (const auto& h : b.StartingHits) {
            EXPECT_EQ(h->StartBar, i);
            EXPECT_TRUE(h->InSong);
            EXPECT_TRUE(inSong.insert(h.get()).second) << "hit owned twice";
        }
        if (i < song.LastBar) {
            // The next bar starts where this one ends, by the separately
            // truncated segments.
            int64_t t = b.StartMs;
            int tempo = b.StartTempo->Tempo;
            int prev = 0;
            const TDRTempo* last = b.StartTempo;
            for (const auto& c : b.TempoChanges) {
                t += int64_t{c->Tick - prev} * 240 / tempo;
                EXPECT_EQ(c->TimeMs, t);
                prev = c->Tick;
                tempo = c->Tempo;
                last = c.get();
            }
            t += int64_t{1000 - prev} * 240 / tempo;
            EXPECT_EQ(song.Bar(i + 1).StartMs, t) << "bar " << i + 1;
            EXPECT_EQ(song.Bar(i + 1).StartTempo, last) << "bar " << i + 1;
        }
    }

    size_t ending = 0;
    for (int i = 0; i <= song.LastBar; ++i) {
        for (const TDRHit* h : song.Bar(i).EndingHits) {
            ++ending;
            EXPECT_EQ(h->EndBar, i);
            EXPECT_EQ(inSong.count(h), 1u) << "ending list holds a hit not in the song";
        }
    }
    EXPECT_EQ(ending, inSong.size());

    for (const TDRHit* h : inSong) {
        EXPECT_EQ(h->StartMs, song.PositionToMs(h->StartBar, h->StartTick));
        TDRPosition end = linearMsToPosition(song, h->StartMs + h->LengthMs, h->StartBar);
        EXPECT_EQ(h->End(), end);
        EXPECT_LT(h->EndTick, 1000);
        EXPECT_LE(h->EndBar - h->StartBar, song.MaxSpan);
        for (const TDRHit* v : h->CutHits)
            EXPECT_EQ(v->Cutter, h);
        if (h->Cutter != nullptr) {
            EXPECT_EQ(h->FixedLength, -1);
            EXPECT_EQ(inSong.count(h->Cutter), 1u);
            EXPECT_EQ(h->StopMs, h->Cutter->StartMs);
            EXPECT_EQ(TDRPosition(h->CutBar, h->CutTick), h->Cutter->Start());
            EXPECT_EQ(std::count(h->Cutter->CutHits.begin(), h->Cutter->CutHits.end(), h), 1);
        } else if (h->FixedLength >= 0) {
            EXPECT_LT(h->FixedLength, h->LengthMs);
            EXPECT_EQ(h->StopMs, h->StartMs + h->FixedLength);
            EXPECT_EQ(TDRPosition(h->CutBar, h->CutTick),
                      linearMsToPosition(song, h->StopMs, h->StartBar));
        } else {
            EXPECT_EQ(h->StopMs, h->StartMs + h->LengthMs);
        }
    }
}
