// info and resave: a song loaded through the same editor logic and song file
// code as the application, without a window and without the mapping dialog
// (names that do not match are mapped by name only).
#include "audio/SampleVoices.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "editor/SongEditor.h"
#include "songfile/SongFile.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>

namespace {

void requireFile(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec))
        throw std::runtime_error("File \"" + fileName + "\" does not exist.");
}

void writeSong(JsonWriter& j, const TSongEditor& editor) {
    const TDRComp& song = editor.Song;
    j.beginObject();
    j.key("lastBar").value(song.LastBar);
    j.key("initialTempo").value(song.InitialTempo->Tempo);
    j.key("tempoChanges").beginArray();
    for (int32_t b = 0; b <= song.LastBar; ++b)
        for (const auto& c : song.Bar(b).TempoChanges)
            j.beginObject()
                .key("bar")
                .value(c->Bar)
                .key("tick")
                .value(c->Tick)
                .key("tempo")
                .value(c->Tempo)
                .key("timeMs")
                .value(c->TimeMs)
                .endObject();
    j.endArray();
    j.key("barStartMs").beginArray();
    for (int32_t b = 0; b <= song.LastBar; ++b)
        j.value(song.Bar(b).StartMs);
    j.endArray();
    j.key("maxSpan").value(song.MaxSpan);

    j.key("groups").beginArray();
    for (const auto& track : editor.Plocha.Tracks) {
        j.beginObject().key("name").value(track->Name).key("samples").beginArray();
        for (const auto& row : track->Samples)
            j.beginObject()
                .key("name")
                .value(row->Name)
                .key("lengthMs")
                .value(row->Length)
                .endObject();
        j.endArray().endObject();
    }
    j.endArray();

    std::map<const TDRHit*, int64_t> index;
    for (int32_t b = 0; b <= song.LastBar; ++b)
        for (const auto& h : song.Bar(b).StartingHits)
            index.emplace(h.get(), static_cast<int64_t>(index.size()));
    j.key("hits").beginArray();
    for (int32_t b = 0; b <= song.LastBar; ++b) {
        for (const auto& hp : song.Bar(b).StartingHits) {
            const TDRHit& h = *hp;
            const auto cutter = h.Cutter ? index.at(h.Cutter) : int64_t{-1};
            j.beginObject();
            j.key("startBar").value(h.StartBar).key("startTick").value(h.StartTick);
            j.key("endBar").value(h.EndBar).key("endTick").value(h.EndTick);
            j.key("cutBar").value(h.CutBar).key("cutTick").value(h.CutTick);
            j.key("startMs").value(h.StartMs).key("stopMs").value(h.StopMs);
            j.key("lengthMs").value(h.LengthMs);
            j.key("group").value(h.Group).key("sample").value(h.Sample);
            j.key("volume").value(h.Volume).key("panning").value(h.Panning);
            j.key("fadeTill").value(h.FadeTill).key("fadeOut").value(h.FadeOut);
            j.key("fixedLength").value(h.FixedLength);
            j.key("hitTypeMask").value(h.HitTypeMask);
            j.key("groupHit").value(h.GroupHit);
            j.key("cutter").value(cutter);
            j.endObject();
        }
    }
    j.endArray();
    j.endObject();
}

// Loads like the application's Open, or with a given drumset like "Open with
// current drumset".
void loadSong(TSongEditor& editor, const std::string& songFile, const std::string& drumsetFile) {
    requireFile(songFile);
    editor.setSampleLengthFunction(audio::sampleLengthFunction());
    if (!drumsetFile.empty()) {
        editor.SetDrumsetFile(drumsetFile);
        LoadSong(editor, songFile, true, 0, 0, false, false, nullptr);
    } else {
        LoadSong(editor, songFile, false, 0, 0, false, false, nullptr);
    }
}

} // namespace

int infoCommand(const TArguments& args) {
    std::string songFile;
    std::string drumsetFile;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--drumset" && i + 1 < args.size())
            drumsetFile = args[++i];
        else if (songFile.empty() && args[i].rfind("--", 0) != 0)
            songFile = args[i];
        else
            throw UsageError{"info SONG.drm [--drumset FILE.dum]"};
    }
    if (songFile.empty())
        throw UsageError{"info SONG.drm [--drumset FILE.dum]"};
    TSongEditor editor;
    loadSong(editor, songFile, drumsetFile);
    JsonWriter j;
    writeSong(j, editor);
    std::cout << j.text() << '\n';
    return ExitOk;
}

int resaveCommand(const TArguments& args) {
    if (args.size() != 2)
        throw UsageError{"resave IN.drm OUT.drm"};
    TSongEditor editor;
    loadSong(editor, args[0], {});
    SaveSong(editor, args[1], false);
    return ExitOk;
}
