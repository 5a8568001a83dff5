// SaveSong: the song text in section order, written through the buffer into
// a file that replaces the old one only when complete.
#include "drumset/DrumsetItem.h"
#include "editor/SongEditor.h"
#include "songfile/FileStreamBuffer.h"
#include "songfile/ReplacingFile.h"
#include "songfile/SongFile.h"

#include <string>
#include <vector>

namespace {

// Which rows the written hits use; the items' Used flags follow it.
struct TUsedRows {
    std::vector<bool> Groups;
    std::vector<std::vector<bool>> Samples;
};

class TSongWriter {
public:
    TSongWriter(TSongEditor& editor, TFileStreamBuffer& out, bool selectedOnly)
        : m_editor(editor), m_out(out), m_selectedOnly(selectedOnly) {}

    void write() {
        line(SongHeaderLine);
        markUsedRows();
        line(DrumsetSectionLine);
        line(m_editor.DrumsetFile());
        writeGroups();
        writeTempo();
        writeHits();
    }

private:
    bool written(const TDRHit& hit) const { return !m_selectedOnly || hit.Selected; }

    template <typename F>
    void forEachWrittenHit(F f) const {
        TDRComp& song = m_editor.Song;
        for (int32_t b = 0; b <= song.LastBar; ++b)
            for (const auto& hit : song.Bar(b).StartingHits)
                if (written(*hit))
                    f(*hit);
    }

    // The row a hit stands on; a hit off the rows would be written under a
    // name the file does not hold, so the save refuses it.
    const TDRPlSample& rowOf(const TDRHit& hit) const {
        const auto& tracks = m_editor.Plocha.Tracks;
        if (hit.Group >= 0 && static_cast<size_t>(hit.Group) < tracks.size()) {
            const auto& samples = tracks[static_cast<size_t>(hit.Group)]->Samples;
            if (hit.Sample >= 0 && static_cast<size_t>(hit.Sample) < samples.size())
                return *samples[static_cast<size_t>(hit.Sample)];
        }
        throw TSongFileError("A hit at bar " + std::to_string(hit.StartBar) + " tick " +
                             std::to_string(hit.StartTick) +
                             " lies on no row of the drumset; the song was not saved.");
    }

    void markUsedRows() {
        const auto& tracks = m_editor.Plocha.Tracks;
        m_used.Groups.assign(tracks.size(), false);
        m_used.Samples.clear();
        for (const auto& track : tracks) {
            m_used.Samples.emplace_back(track->Samples.size(), false);
            if (track->GroupData != nullptr)
                track->GroupData->Used = false;
            for (const auto& row : track->Samples)
                if (row->SampleData != nullptr)
                    row->SampleData->Used = false;
        }
        forEachWrittenHit([&](const TDRHit& hit) {
            const TDRPlSample& row = rowOf(hit);
            const auto g = static_cast<size_t>(hit.Group);
            m_used.Groups[g] = true;
            m_used.Samples[g][static_cast<size_t>(hit.Sample)] = true;
            if (TDrumsetItem* group = tracks[g]->GroupData)
                group->Used = true;
            if (row.SampleData != nullptr)
                row.SampleData->Used = true;
        });
    }

    void writeGroups() {
        const auto& tracks = m_editor.Plocha.Tracks;
        for (size_t g = 0; g < tracks.size(); ++g) {
            const TDRPlTrack& track = *tracks[g];
            if (track.Samples.empty() || !m_used.Groups[g])
                continue;
            line(GroupSectionLine);
            line(std::to_string(g) + ";" + track.Name);
            for (size_t s = 0; s < track.Samples.size(); ++s) {
                if (!m_used.Samples[g][s])
                    continue;
                const TDRPlSample& row = *track.Samples[s];
                const int32_t volume = row.SampleData ? row.SampleData->HitVolume : 100;
                const int32_t panning = row.SampleData ? row.SampleData->HitPanning : 0;
                line(std::to_string(s) + ";" + std::to_string(volume) + ";" +
                     std::to_string(panningToPercent(panning)) + ";" + row.Name);
            }
        }
    }

    void writeTempo() {
        TDRComp& song = m_editor.Song;
        line(TempoSectionLine);
        line(tempoText(0, 0, song.InitialTempo->Tempo));
        for (int32_t b = 0; b <= song.LastBar; ++b)
            for (const auto& change : song.Bar(b).TempoChanges)
                line(tempoText(change->Bar, change->Tick, change->Tempo));
    }

    static std::string tempoText(int32_t bar, int32_t tick, int32_t tempo) {
        return std::to_string(bar) + ";" + std::to_string(tick) + ";" + std::to_string(tempo);
    }

    void writeHits() {
        line(HitsSectionLine);
        bool first = true;
        int32_t barOffset = 0;
        forEachWrittenHit([&](const TDRHit& hit) {
            if (first && m_selectedOnly)
                barOffset = hit.StartBar;
            first = false;
            line(hitText(hit, barOffset));
        });
    }

    std::string hitText(const TDRHit& hit, int32_t barOffset) const {
        const TDrumsetItem* sample = rowOf(hit).SampleData;
        auto number = [](int32_t v) { return std::to_string(v); };
        auto orDefault = [&](bool isDefault, int32_t v) {
            return isDefault ? std::string(DefaultField) : number(v);
        };
        std::string text;
        text += number(hit.StartBar - barOffset) + ';';
        text += number(hit.StartTick) + ';';
        text += number(hit.Group) + ';';
        text += number(hit.Sample) + ';';
        text += orDefault(hit.Volume == 100, hit.Volume) + ';';
        text += orDefault(sample && hit.Panning == sample->Panning, panningToPercent(hit.Panning)) +
                ';';
        text += orDefault(sample && hit.FadeTill == sample->FadeTillTime, hit.FadeTill) + ';';
        text += orDefault(sample && hit.FadeOut == sample->FadeOutTime, hit.FadeOut) + ';';
        text += orDefault(hit.FixedLength <= 0, hit.FixedLength) + ';';
        text += number(hit.HitTypeMask) + ';';
        text += hit.GroupHit ? "1" : "0";
        return text;
    }

    void line(std::string_view text) {
        m_out.append(text);
        m_out.append(SongLineEnd);
    }

    TSongEditor& m_editor;
    TFileStreamBuffer& m_out;
    bool m_selectedOnly;
    TUsedRows m_used;
};

} // namespace

void SaveSong(TSongEditor& editor, const std::string& fileName, bool selectedOnly) {
    TReplacingFile file(fileName);
    TFileStreamBuffer buffer(SongBufferCapacity, file.stream());
    buffer.reset();
    TSongWriter(editor, buffer, selectedOnly).write();
    buffer.flush();
    file.commit();
    if (!selectedOnly)
        editor.Modified = false;
}
