// LoadSong: clears or prepares the song, reads the file, maps its names onto
// the loaded drumset and adds the hits where the mapping puts them.
#include "app/Sluzby.h"
#include "drumset/Drumset.h"
#include "editor/SongEditor.h"
#include "songfile/SongFile.h"
#include "songfile/SongFileParser.h"

#include <filesystem>
#include <random>

namespace {

bool fileExists(const std::string& fileName) {
    std::error_code ec;
    return std::filesystem::exists(fileName, ec) && !std::filesystem::is_directory(fileName, ec);
}

// The file's drumset, or the file of that name in the program's Drumsets
// folder when the named one is missing (songs made on another machine).
std::string findSongDrumset(const std::string& named) {
    if (fileExists(named))
        return named;
    const std::string fallback =
        joinPath(joinPath(GetProgramFolder(), "Drumsets"), extractFileName(named));
    if (!fileExists(fallback))
        throw TSongFileError(missingFileMessage(fallback));
    return fallback;
}

// Applies the file's song-wide lines to the editor as they are read.
class TEditorSink : public TSongFileSink {
public:
    explicit TEditorSink(TSongEditor& editor) : m_editor(editor) {}
    void drumsetLine(const std::string& name) override {
        m_editor.SetDrumsetFile(findSongDrumset(name));
    }
    void initialTempo(int32_t tempo) override { m_editor.Song.InitialTempo->Tempo = tempo; }
    void tempoChange(int32_t bar, int32_t tick, int32_t tempo) override {
        auto change = std::make_unique<TDRTempo>();
        change->Bar = bar;
        change->Tick = tick;
        change->Tempo = tempo;
        m_editor.Song.AddTempo(std::move(change), false);
    }

private:
    TSongEditor& m_editor;
};

// Deletes a merged file when reading ends, however it ends.
class TFileRemover {
public:
    explicit TFileRemover(std::string fileName) : m_fileName(std::move(fileName)) {}
    ~TFileRemover() {
        if (m_fileName.empty())
            return;
        std::error_code ignored;
        std::filesystem::remove(m_fileName, ignored);
    }
    TFileRemover(const TFileRemover&) = delete;
    TFileRemover& operator=(const TFileRemover&) = delete;

private:
    std::string m_fileName;
};

std::vector<TMappingRow> mappingRows(const TSongEditor& editor) {
    std::vector<TMappingRow> rows;
    for (const auto& track : editor.Plocha.Tracks) {
        TMappingRow& row = rows.emplace_back();
        row.Name = track->Name;
        for (const auto& sample : track->Samples)
            row.Samples.push_back(sample->Name);
    }
    return rows;
}

THitType hitTypeOfMask(int32_t mask) {
    switch (mask) {
    case htMaskMedium:
        return THitType::htMedium;
    case htMaskLight:
        return THitType::htLight;
    default:
        return THitType::htHeavy;
    }
}

int32_t randomIndex(int32_t n) {
    static TRandomSource source = seededRandomSource(std::random_device{}());
    return source(n);
}

// The sample row of the target group for a hit whose sample is not mapped:
// the one PickSample chooses by the hit's type, else any at random.
int32_t pickRow(TSongEditor& editor, const TDRPlTrack& track, int32_t mask) {
    const TDrumsetItem* picked = nullptr;
    if (track.GroupData != nullptr)
        picked = editor.Drumset.PickSample(*track.GroupData, hitTypeOfMask(mask));
    for (size_t i = 0; i < track.Samples.size(); ++i)
        if (picked != nullptr && track.Samples[i]->SampleData == picked)
            return static_cast<int32_t>(i);
    return randomIndex(static_cast<int32_t>(track.Samples.size()));
}

// Puts a collected hit on the row its records map it to; false when it has
// nowhere to go.
bool placeHit(TSongEditor& editor, const TLoadGroupList& groups, TDRHit& hit) {
    const auto g = groups.find(hit.Group);
    if (g == groups.end() || g->second.Samples.empty())
        return false;
    const auto found = g->second.Samples.find(hit.Sample);
    const TLoadSampleInfo* s = found == g->second.Samples.end() ? nullptr : &found->second;

    const auto& tracks = editor.Plocha.Tracks;
    auto validGroup = [&](int32_t group) {
        return group >= 0 && static_cast<size_t>(group) < tracks.size() &&
               !tracks[static_cast<size_t>(group)]->Samples.empty();
    };
    int32_t group = -1;
    int32_t sample = -1;
    if (s != nullptr && s->MappedSample != -1) {
        group = s->MappedGroup;
        sample = s->MappedSample;
        if (!validGroup(group) || sample < 0 ||
            static_cast<size_t>(sample) >= tracks[static_cast<size_t>(group)]->Samples.size())
            return false;
    } else {
        group = s != nullptr && s->MappedGroup != -1 ? s->MappedGroup : g->second.MappedGroup;
        if (!validGroup(group))
            return false;
        sample = pickRow(editor, *tracks[static_cast<size_t>(group)], hit.HitTypeMask);
    }
    const TDRPlTrack& track = *tracks[static_cast<size_t>(group)];
    const TDRPlSample& row = *track.Samples[static_cast<size_t>(sample)];
    const TDrumsetItem* target = row.SampleData;

    hit.Group = group;
    hit.Sample = sample;
    if (hit.Volume == -1)
        hit.Volume = s != nullptr ? s->Volume : (target ? target->Volume : 100);
    if (hit.Panning == -1) {
        // The file keeps panning in percent; when its value is the target's
        // own setting at that precision, the default is the exact setting,
        // so an odd panning survives a save and load.
        const bool sameSetting =
            target != nullptr &&
            (s == nullptr || panningToPercent(target->Panning) == panningToPercent(s->Panning));
        hit.Panning = sameSetting ? target->Panning : (s != nullptr ? s->Panning : 0);
    }
    if (hit.FadeTill == -1)
        hit.FadeTill = target ? target->FadeTillTime : 0;
    if (hit.FadeOut == -1)
        hit.FadeOut = target ? target->FadeOutTime : 0;
    hit.LengthMs = row.Length;
    return true;
}

void retime(TSongEditor& editor) {
    editor.Song.RecomputeBarTimes(0);
    editor.Song.RefreshHitsFrom(0);
}

} // namespace

void LoadSong(TSongEditor& editor, const std::string& fileName, bool keepDrumset, int32_t barOffset,
              int32_t tickOffset, bool merge, bool keepFile, TMapperDialog* mapper) {
    if (!fileExists(fileName))
        throw TSongFileError(missingFileMessage(fileName));
    if (merge)
        editor.ClearSelection();
    else
        editor.ClearSongCommand();

    TEditorSink sink(editor);
    TSongFileParser parser({keepDrumset, barOffset, tickOffset, merge}, sink);
    try {
        TFileRemover remover(merge && !keepFile ? fileName : std::string());
        parser.parse(ReadFileToString(fileName));
    } catch (...) {
        // Tempo lines read before the error stay; the bar times must follow
        // them, or the next hit placed would be timed from stale bars.
        if (!merge)
            retime(editor);
        editor.InvalidateView(dfAll);
        throw;
    }

    ResolveNames(parser.Groups, mappingRows(editor), mapper);
    for (auto& hit : parser.Hits) {
        if (!placeHit(editor, parser.Groups, *hit))
            continue;
        TDRHit* added = editor.Song.AddHit(std::move(hit));
        if (merge)
            editor.Selection.push_back(added);
    }
    retime(editor);
    editor.InvalidateView(dfAll);
    editor.Modified = merge;
    if (merge || keepFile)
        editor.Song.NewAction();
    if (!merge)
        editor.GoToBar(0);
}
