// Records of the song model: places, tempo changes, hits, bars, the cut-off
// map and journal entries.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// Defined by the drumset model; the song only compares references to it.
class TDrumsetItem;

struct TDRPosition {
    int32_t Bar = 0;
    int32_t Tick = 0;

    friend bool operator==(const TDRPosition&, const TDRPosition&) = default;
};

// a - b with one borrow; a negative bar means a lies before b.
TDRPosition SubtractPositions(TDRPosition a, TDRPosition b);
// a + b with one carry.
TDRPosition AddPositions(TDRPosition a, TDRPosition b);

static constexpr int32_t TicksPerBar = 1000;

// Hit type mask stored with each hit.
static constexpr int32_t htMaskAny = 0;
static constexpr int32_t htMaskHeavy = 1;
static constexpr int32_t htMaskMedium = 2;
static constexpr int32_t htMaskLight = 4;

enum class THitType { htHeavy, htMedium, htLight, htAny };

struct TDRTempo {
    int32_t Tempo = 120;
    int32_t Bar = 0;
    int32_t Tick = 0;
    int32_t TimeMs = 0;
    int32_t LabelWidth = 0; // painting cache; 0 = not measured
    int32_t LabelX = 0;     // painting cache
    bool Highlighted = false;
};

struct TDRHit {
    int32_t StartMs = 0;
    int32_t StopMs = 0;
    int32_t LengthMs = 0;
    bool GroupHit = false;
    int32_t StartBar = 0;
    int32_t EndBar = 0;
    int32_t StartTick = 0;
    int32_t EndTick = 0;
    int32_t CutBar = 0;
    int32_t CutTick = 0;
    int32_t Group = 0;
    int32_t Sample = 0;
    int32_t FixedLength = -1;
    TDRHit* Cutter = nullptr;
    std::vector<TDRHit*> CutHits; // empty = no list
    int32_t Volume = 100;
    int32_t Panning = 0;
    int32_t FadeTill = 0;
    int32_t FadeOut = 0;
    bool Selected = false;
    int32_t HitTypeMask = htMaskAny;

    // Set while the hit stands in the song's bar lists; guards against
    // deleting a hit twice.
    bool InSong = false;

    TDRPosition Start() const { return {StartBar, StartTick}; }
    TDRPosition End() const { return {EndBar, EndTick}; }
};

struct TDRBar {
    TDRTempo* StartTempo = nullptr;
    int32_t StartMs = 0;
    std::vector<std::unique_ptr<TDRTempo>> TempoChanges; // ascending by Tick
    std::vector<std::unique_ptr<TDRHit>> StartingHits;   // ascending by StartTick; owning
    std::vector<TDRHit*> EndingHits;                     // ascending by EndTick
};

struct TDRCutOffSample {
    const TDrumsetItem* Sample = nullptr;
    std::vector<const TDrumsetItem*> CutOff; // groups and samples this one silences
};

struct TDRKomGroup {
    const TDrumsetItem* Group = nullptr;
    std::vector<TDRCutOffSample> Samples;
};

enum TDRJournalKind : int32_t {
    jkHitAdded = 0,
    jkHitDeleted = 1,
    jkBarsInserted = 2,
    jkBarsDeleted = 3,
};

struct TDRJournalEntry {
    int32_t Kind = jkHitAdded;
    int32_t ActionId = 0;
    int32_t Bar = 0;
    int32_t Count = 0;
    TDRHit* Hit = nullptr;
    // Set while the entry owns Hit: a deleted hit in the undo journal, an
    // undone addition in the redo journal.
    std::unique_ptr<TDRHit> Owned;
};

// One corner of a rubber-band selection: a place and a row.
struct TDRGridPoint {
    int32_t Bar = 0;
    int32_t Tick = 0;
    int32_t Group = 0;
    int32_t Sample = 0;
};
