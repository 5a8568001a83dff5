// TPlocha: the song editor's layout - the rows (one track per drumset group
// with its visible samples), bar geometry, vertical scroll and redraw flags.
// The off-screen bitmaps it is painted from live in the widget's painter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TDrumsetItem;
class TDRComp;

// Redraw flags of TPlocha::Dirty.
static constexpr uint32_t dfBackground = 1; // stripes, row lines, bar and division lines
static constexpr uint32_t dfHits = 2;       // tempo lines and hits over the background
static constexpr uint32_t dfRuler = 4;      // ruler and time strip
static constexpr uint32_t dfPanel = 8;      // row panel
static constexpr uint32_t dfAll = 15;

// Heights of the grid's fixed bands, pixels.
static constexpr int32_t RulerHeight = 30;
static constexpr int32_t TimeStripHeight = 12;
static constexpr int32_t StandardRowHeight = 20;
static constexpr int32_t KnobRowHeight = 50;

struct TDRPlSample {
    std::string Name;
    int32_t SampleIndex = 0;
    int32_t Length = 0; // ms
    int32_t Top = 0;
    int32_t Bottom = 0;
    TDrumsetItem* SampleData = nullptr;
    uint32_t Color = 0; // 0x00BBGGRR
};

struct TDRPlTrack {
    std::string Name;
    int32_t Height = StandardRowHeight;
    int32_t Top = 0;
    int32_t Bottom = 0;
    uint32_t Color = 0; // 0x00BBGGRR
    int32_t GroupIndex = 0;
    std::vector<std::unique_ptr<TDRPlSample>> Samples;
    bool Collapsed = true;
    bool Muted = false;
    bool VolumeMode = false;
    bool PanningMode = false;
    TDrumsetItem* GroupNode = nullptr;
    TDrumsetItem* GroupData = nullptr;
};

// A (group, sample) row address; -1 = none (sample -1: the group row).
struct TRowAddress {
    int32_t Group = -1;
    int32_t Sample = -1;

    friend bool operator==(const TRowAddress&, const TRowAddress&) = default;
};

// A volume or panning knob drawn in a row, for hit-testing.
struct TKnob {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Group = 0;
    int32_t Sample = 0;
    void* Hit = nullptr; // the TDRHit it edits
    int32_t Top = 0;     // the knob's row, rows-bitmap y
    int32_t Bottom = 0;
};

enum class TTrackMode { tmStandard, tmVolume, tmPanning };

class TPlocha {
public:
    TPlocha();

    void Relayout(int32_t panelWidth, int32_t gridWidth, int32_t gridHeight);
    void SetBarWidth(int32_t w);
    void SetDivision(int32_t n);

    TDRPlTrack& AddTrack(int32_t groupIndex, uint32_t color, TDrumsetItem* groupData,
                         TDrumsetItem* groupNode, const std::string& name);
    TDRPlSample& AddSampleRow(int32_t sampleIndex, uint32_t color, TDrumsetItem* sampleData,
                              const std::string& name, int32_t length);
    void ClearTracks();
    void CollapseTrack(int32_t i);
    void ExpandTrack(int32_t i);
    // Lays track i out again by its own Collapsed flag, cascading down.
    void LayoutTrack(int32_t i);
    void SetTrackMode(int32_t i, TTrackMode mode);

    TRowAddress RowAt(int32_t rowY) const;
    int32_t TickToPixels(int32_t tick) const;
    int32_t PixelsToTick(int32_t pixels) const;
    int32_t SnapTick(int32_t tick) const;
    // Height of all rows: the last track's Bottom, 0 without tracks.
    int32_t RowsHeight() const;

    int32_t BarWidth = 120;
    int32_t BarDivisionNumber = 8;
    int32_t DivisionPixels = 15;
    int32_t BarPixels = 120;
    int32_t PanelWidth = 110;
    int32_t GridWidth = 0;
    int32_t GridHeight = 0;
    int32_t PaintWidth = 0;
    int32_t VisibleBars = 0;
    int32_t FirstBar = 0;
    int32_t TopOffset = 0;
    uint32_t Dirty = dfAll;
    std::vector<std::unique_ptr<TDRPlTrack>> Tracks;
    std::vector<int32_t> TempoMarkX;
    std::vector<TKnob> Knobs;
    TDRComp* Song = nullptr;
};
