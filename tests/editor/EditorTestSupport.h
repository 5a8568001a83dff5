// Helpers shared by the editor tests: a temporary folder, a host that records
// what the editor asks of the window and answers the tempo dialog, and an
// editor with rows built by hand.
#pragma once

#include "../support/TempFolder.h"
#include "drumset/DrumsetFile.h"
#include "editor/SongEditor.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

static constexpr const char* EditorFixtureFolder = TAVORINE_TEST_DATA "/editor";

struct TTempoAnswer {
    bool Ok = false;
    int32_t Bar = 0;
    int32_t Tick = 0;
    int32_t Tempo = 0;
};

// Records the editor's calls; the tempo dialog confirms or cancels as told,
// and remembers what it was shown.
class RecordingHost : public TEditorHost {
public:
    void viewInvalidated(uint32_t flags) override { Invalidations.push_back(flags); }
    void scrollChanged() override { ++ScrollChanges; }
    bool runTempoDialog(int32_t& bar, int32_t& tick, int32_t& tempo) override {
        Shown.push_back({true, bar, tick, tempo});
        if (OnDialog) {
            OnDialog();
        }
        if (!Answer.Ok) {
            return false;
        }
        bar = Answer.Bar;
        tick = Answer.Tick;
        tempo = Answer.Tempo;
        return true;
    }

    uint32_t allFlags() const {
        uint32_t all = 0;
        for (uint32_t f : Invalidations) {
            all |= f;
        }
        return all;
    }

    std::vector<uint32_t> Invalidations;
    int ScrollChanges = 0;
    TTempoAnswer Answer;
    std::vector<TTempoAnswer> Shown;
    // Runs while the dialog is open, to look at the proposed state.
    std::function<void()> OnDialog;
};

// A group item with samples, owned by a drumset, for rows made by hand.
inline TDrumsetItem& addGroup(TDrumset& drumset, const std::string& caption) {
    TDrumsetItem& group = drumset.appendGroupItem();
    group.Caption = caption;
    group.Visible = true;
    return group;
}

inline TDrumsetItem& addSample(TDrumset& drumset, TDrumsetItem& group, const std::string& caption) {
    TDrumsetItem& sample = drumset.appendSampleItem(group);
    sample.Caption = caption;
    sample.Visible = true;
    return sample;
}

// Writes a drumset of Unsorted plus the given groups, each with `samples`
// visible samples named <group>1, <group>2, ... Returns the file name.
inline std::string writeSimpleDrumset(const TempFolder& folder, const std::string& name,
                                      const std::vector<std::pair<std::string, int>>& groups) {
    TDrumset drumset;
    drumset.clear();
    TDrumsetItem& unsorted = drumset.appendGroupItem();
    unsorted.IsUnsorted = true;
    unsorted.Caption = "Unsorted";
    for (const auto& [caption, samples] : groups) {
        TDrumsetItem& group = addGroup(drumset, caption);
        for (int i = 1; i <= samples; ++i) {
            TDrumsetItem& sample = addSample(drumset, group, caption + std::to_string(i));
            sample.FileName = caption + std::to_string(i) + ".wav";
            sample.DirectoryName = folder.path();
        }
    }
    drumset.Renumber();
    const std::string file = folder.file(name);
    WriteDrumset(drumset, file);
    return file;
}

// Row captions by track: "Hi-hats[Closed,Open] Snare[Center]".
inline std::string describeRows(const TPlocha& plocha) {
    std::string text;
    for (const auto& track : plocha.Tracks) {
        if (!text.empty()) {
            text += ' ';
        }
        text += track->Name + '[';
        for (size_t i = 0; i < track->Samples.size(); ++i) {
            text += (i > 0 ? "," : "") + track->Samples[i]->Name;
        }
        text += ']';
    }
    return text;
}
