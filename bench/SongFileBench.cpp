// Saving and loading a song of 160,000 hits (10,000 bars of 16 hits on a
// 20-row drumset).
#include "drumset/Drumset.h"
#include "drumset/DrumsetFile.h"
#include "editor/SongEditor.h"
#include "songfile/SongFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <stdlib.h>
#include <string>

namespace {

struct Fixture {
    Fixture() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tavorine-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        drumsetFile = folder + "/kit.dum";
        songFile = folder + "/big.drm";

        TDrumset kit;
        kit.clear();
        TDrumsetItem& unsorted = kit.appendGroupItem();
        unsorted.IsUnsorted = true;
        for (int g = 0; g < 4; ++g) {
            TDrumsetItem& group = kit.appendGroupItem();
            group.Caption = "Group " + std::to_string(g);
            for (int s = 0; s < 5; ++s) {
                TDrumsetItem& sample = kit.appendSampleItem(group);
                sample.Caption = "Sample " + std::to_string(g) + "." + std::to_string(s);
                sample.Visible = true;
                sample.FileName = "missing.wav";
            }
        }
        kit.Renumber();
        WriteDrumset(kit, drumsetFile);

        TSongEditor editor;
        editor.SetDrumsetFile(drumsetFile);
        for (int bar = 0; bar < 10000; ++bar) {
            for (int k = 0; k < 16; ++k) {
                auto hit = editor.CreateHit(bar, k * 62, k % 5, k % 4);
                if (k % 3 == 0)
                    hit->Volume = 70;
                editor.Song.AddHit(std::move(hit));
            }
        }
        SaveSong(editor, songFile, false);
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::string folder, drumsetFile, songFile;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_LoadSong(benchmark::State& state) {
    Fixture& f = fixture();
    TSongEditor editor;
    for (auto _ : state)
        LoadSong(editor, f.songFile, false, 0, 0, false, false);
    state.counters["hits"] = 160000;
}
BENCHMARK(BM_LoadSong)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveSong(benchmark::State& state) {
    Fixture& f = fixture();
    TSongEditor editor;
    LoadSong(editor, f.songFile, false, 0, 0, false, false);
    const std::string out = f.folder + "/out.drm";
    for (auto _ : state)
        SaveSong(editor, out, false);
}
BENCHMARK(BM_SaveSong)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
