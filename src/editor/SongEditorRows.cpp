// TSongEditor: loading the editor's drumset and building the grid rows and
// the song's cut-off map from it.
#include "drumset/DrumsetFile.h"
#include "editor/SongEditor.h"

#include <algorithm>

namespace {

// Used when a sample's length cannot be measured, and without an audio engine.
constexpr int32_t FallbackSampleLengthMs = 1000;

} // namespace

void TSongEditor::SetDrumsetFile(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) {
        throw DrumsetError("File \"" + fileName + "\" does not exist.");
    }
    const std::filesystem::file_time_type time = std::filesystem::last_write_time(fileName);
    if (fileName == m_drumsetFile && time == m_drumsetTime) {
        return;
    }
    // A running playback must be stopped before this: the lock keeps its
    // reads whole but cannot keep the replaced items alive.
    TSongEditLock lock(*this);
    m_drumsetFile = fileName;
    m_drumsetTime = time;

    try {
        ReadDrumset(Drumset, fileName);
    } catch (...) {
        // The rows and the cut-off map point at the items the failed read
        // freed; drop them with the song whose hits name those rows, and
        // forget the time so that the next attempt reads the file again.
        m_drumsetTime = {};
        Plocha.ClearTracks();
        Song.ClearCutOffMap();
        ClearSongCommand();
        throw;
    }
    Drumset.UpdatePrioritySums(m_hitType);
    // Tracks go before the song is cleared so that the repaint it asks for
    // never sees rows of the drumset that was just replaced.
    Plocha.ClearTracks();
    ClearSongCommand();
    buildRows();
}

void TSongEditor::buildRows() {
    Plocha.ClearTracks();
    for (const auto& group : Drumset.groups()) {
        if (group->IsUnsorted || group->samples().empty()) {
            continue;
        }
        TDRPlTrack* track = nullptr;
        for (const auto& sample : group->samples()) {
            if (!sample->Visible) {
                continue;
            }
            if (track == nullptr) {
                track = &Plocha.AddTrack(static_cast<int32_t>(Plocha.Tracks.size()),
                                         static_cast<uint32_t>(group->Color), group.get(),
                                         group.get(), group->Caption);
            }

            sample->HitVolume = 100;
            sample->HitPanning = sample->Panning;
            const auto addRow = [&](int32_t length) {
                Plocha.AddSampleRow(static_cast<int32_t>(track->Samples.size()),
                                    static_cast<uint32_t>(sample->Color), sample.get(),
                                    sample->Caption, std::max(length, 0));
            };
            int32_t length = FallbackSampleLengthMs;
            try {
                if (m_sampleLength) {
                    length = m_sampleLength(*sample);
                }
            } catch (...) {
                // The failing sample still gets its row; the rest of the
                // drumset gets none. The map follows the rows that exist.
                addRow(FallbackSampleLengthMs);
                buildCutOffMap();
                m_host->rowsBuilt();
                throw;
            }
            addRow(length);
        }
    }
    buildCutOffMap();
    m_host->rowsBuilt();
    InvalidateView(dfAll);
}

void TSongEditor::buildCutOffMap() {
    Song.ClearCutOffMap();
    Song.CutOffMap.resize(Plocha.Tracks.size());
    for (size_t i = 0; i < Plocha.Tracks.size(); ++i) {
        const TDRPlTrack& track = *Plocha.Tracks[i];
        TDRKomGroup& group = Song.CutOffMap[i];
        group.Group = track.GroupData;
        group.Samples.resize(track.Samples.size());
        for (size_t j = 0; j < track.Samples.size(); ++j) {
            const TDrumsetItem* data = track.Samples[j]->SampleData;
            group.Samples[j].Sample = data;
            if (data != nullptr) {
                group.Samples[j].CutOff = data->CutOff;
            }
        }
    }
}
