// TDrumsetItem: one group or sample of a drumset, with its identity, sound
// settings, MIDI assignment, effects, cut-off list and the run-time state
// other layers attach to it.
#pragma once

#include "drumset/Effects.h"
#include "model/SongTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TDrumset;

// Values of TDrumsetItem::Icon.
static constexpr int32_t IconSampleFound = 0;
static constexpr int32_t IconUnsortedGroup = 1;
static constexpr int32_t IconGroup = 2;
static constexpr int32_t IconSampleMissing = 3;

// Run-time object another layer hangs on an item: the audio engine's streams,
// effect handles, rendered image and voices, or the editor's shortcut action.
// The item owns it, so it is released with the item.
class TDrumsetItemAttachment {
public:
    virtual ~TDrumsetItemAttachment() = default;
};

class TDrumsetItem {
public:
    TDrumsetItem() = default;
    TDrumsetItem(const TDrumsetItem&) = delete;
    TDrumsetItem& operator=(const TDrumsetItem&) = delete;

    // --- Identity and structure -------------------------------------------
    int32_t AbsoluteIndex = 0;
    bool IsUnsorted = false;
    bool IsGroup = false;
    bool Visible = false;
    std::string Caption;
    std::string DirectoryName; // absolute, no trailing separator; empty for groups
    std::string FileName;      // without folder; empty for groups
    int32_t Icon = IconSampleFound;

    // --- Sound settings ---------------------------------------------------
    int32_t Volume = 100;       // percent
    int32_t Panning = 0;        // -100 left .. 100 right
    int32_t Pitch = 0;          // semitones
    int32_t FadeTillTime = 100; // ms
    int32_t FadeOutTime = 100;  // ms
    bool LightHit = true;
    bool MediumHit = true;
    bool HeavyHit = true;
    int32_t Priority = 5;
    int32_t Color = 0x8000; // 0x00BBGGRR
    std::string Shortcut;

    // --- MIDI assignment: names from the General MIDI tables, empty = none --
    std::string MidiInstrument;
    std::string AltMidiInstrument;
    std::string GeneralMidiInstrument;
    std::string AltGeneralMidiInstrument;
    std::string GeneralMidiNote;
    // Derived from the names by updateMidiNumbers; -1 = not assigned.
    int32_t MidiNote = -1;
    int32_t AltMidiNote = -1;
    int32_t GeneralMidiProgram = -1;
    int32_t AltGeneralMidiProgram = -1;
    int32_t GeneralMidiNoteIndex = -1;

    // --- Effects ------------------------------------------------------------
    bool ReverbActive = false;
    bool DistortionActive = false;
    bool GargleActive = false;
    bool CompressorActive = false;
    bool EQActive = false;
    // Positions in the effect chain, 0..4, each used once.
    int32_t ReverbPriority = 4;
    int32_t DistortionPriority = 0;
    int32_t GarglePriority = 1;
    int32_t CompressorPriority = 2;
    int32_t EQPriority = 3;
    // Kept when the effect is switched off.
    std::optional<TReverbParams> ReverbParams;
    std::optional<TDistortionParams> DistortionParams;
    std::optional<TGargleParams> GargleParams;
    std::optional<TCompressorParams> CompressorParams;
    std::optional<TEQBands> EQBands;

    // --- Cut-off list: groups and samples this item silences; empty = none --
    std::vector<const TDrumsetItem*> CutOff;

    // --- Run-time fields, not stored in the drumset file --------------------
    int32_t PrioritySum = 0; // groups: see TDrumset::UpdatePrioritySums
    int32_t HitVolume = 100; // percent, for new hits of the song
    int32_t HitPanning = 0;  // -100..100, for new hits of the song
    bool Used = false;       // marked by the song writer
    std::unique_ptr<TDrumsetItemAttachment> ShortcutAction;
    // Streams, effect handles, Image, ImageSize and Voices of the audio
    // engine; created lazily there and released with the item.
    std::unique_ptr<TDrumsetItemAttachment> SoundState;

    // Recomputes the derived MIDI numbers from the MIDI names.
    void updateMidiNumbers();

    // The sample may be picked for a hit of this type on its group's row.
    bool isEligible(THitType hitType) const;

    // The group holding a sample; none for groups.
    TDrumsetItem* group() const { return m_group; }
    // A group's samples in order; empty for samples.
    const std::vector<std::unique_ptr<TDrumsetItem>>& samples() const { return m_samples; }
    // Deleted from its drumset and waiting for TDrumset::Renumber.
    bool isDeleted() const { return m_deleted; }

private:
    friend class TDrumset;

    TDrumsetItem* m_group = nullptr;
    std::vector<std::unique_ptr<TDrumsetItem>> m_samples;
    bool m_deleted = false;
};
