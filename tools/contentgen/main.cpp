// contentgen: writes the bundled default drumset and demo song into a staged
// program folder, with the program's own drumset and song writers.
//   contentgen PROGRAM_FOLDER
#include "app/Sluzby.h"
#include "drumset/Drumset.h"
#include "drumset/DrumsetFile.h"
#include "editor/SongEditor.h"
#include "songfile/SongFile.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <string>

namespace {

// 0x00BBGGRR
constexpr int32_t rgb(int r, int g, int b) {
    return (b << 16) | (g << 8) | r;
}

struct SampleSpec {
    const char* caption;
    const char* file;
    int32_t color;
    bool heavy, medium, light;
    const char* midi;    // percussion name, "" for none
    const char* altMidi; // percussion name, "" for none
    const char* shortcut;
    int32_t priority = 5;
};

struct GroupSpec {
    const char* caption;
    int32_t color;
    const char* shortcut;
    std::vector<SampleSpec> samples;
};

std::vector<GroupSpec> kit() {
    const bool T = true, F = false;
    return {
        {"Bass drum",
         rgb(170, 40, 40),
         "B",
         {{"Kick heavy", "kick-heavy", rgb(200, 50, 50), T, F, F, "Bass Drum 1",
           "Acoustic Bass Drum", ""},
          {"Kick medium", "kick-medium", rgb(215, 95, 95), F, T, F, "", "", ""},
          {"Kick light", "kick-light", rgb(230, 145, 145), F, F, T, "", "", ""}}},
        {"Snare",
         rgb(220, 130, 30),
         "N",
         {{"Snare heavy", "snare-heavy", rgb(235, 140, 35), T, F, F, "Acoustic Snare",
           "Electric Snare", ""},
          {"Snare medium", "snare-medium", rgb(240, 170, 90), F, T, F, "", "", ""},
          {"Snare light", "snare-light", rgb(245, 200, 145), F, F, T, "", "", ""}}},
        {"Hi-hat",
         rgb(200, 180, 30),
         "J",
         {{"Closed heavy", "hihat-closed-heavy", rgb(210, 190, 40), T, F, F, "Closed Hi-Hat", "",
           ""},
          {"Closed medium", "hihat-closed-medium", rgb(225, 210, 100), F, T, F, "", "", ""},
          {"Closed light", "hihat-closed-light", rgb(235, 225, 160), F, F, T, "", "", ""},
          {"Pedal", "hihat-pedal", rgb(160, 150, 60), F, F, F, "Pedal Hi-Hat", "", "H"},
          {"Open", "hihat-open", rgb(250, 230, 60), F, F, F, "Open Hi-Hat", "", "K"}}},
        {"Toms",
         rgb(40, 150, 70),
         "",
         {{"High tom", "tom-high", rgb(70, 190, 100), T, T, T, "High Tom", "Hi Mid Tom", "U"},
          {"Mid tom", "tom-mid", rgb(50, 165, 85), T, T, T, "Low Mid Tom", "Low Tom", "I"},
          {"Floor tom", "tom-floor", rgb(30, 130, 60), T, T, T, "Low Floor Tom", "High Floor Tom",
           "O"}}},
        {"Cymbals",
         rgb(50, 100, 200),
         "",
         {{"Crash", "crash", rgb(70, 130, 230), T, T, T, "Crash Cymbal 1", "Crash Cymbal 2", "C"},
          {"Ride", "ride", rgb(90, 150, 210), F, F, F, "Ride Cymbal 1", "Ride Cymbal 2", "R"},
          {"Ride bell", "ride-bell", rgb(130, 180, 240), F, F, F, "Ride Bell", "", "E"}}},
        {"Percussion",
         rgb(140, 60, 170),
         "",
         {{"Side stick", "sidestick", rgb(160, 90, 190), T, T, T, "Side Stick", "", "V"},
          {"Hand clap", "handclap", rgb(185, 125, 210), T, T, T, "Hand Clap", "", "X"}}},
    };
}

void writeDefaultDrumset(const std::string& programFolder, const std::string& fileName) {
    const std::string samples = joinPath(joinPath(programFolder, "Samples"), "Tavorine");
    TDrumset drumset;
    drumset.clear();
    TDrumsetItem& unsorted = drumset.appendGroupItem();
    unsorted.IsUnsorted = true;
    unsorted.Caption = "Unsorted";
    std::map<std::string, TDrumsetItem*> byFile;
    for (const GroupSpec& g : kit()) {
        TDrumsetItem& group = drumset.appendGroupItem();
        group.Caption = g.caption;
        group.Visible = true;
        group.Color = g.color;
        group.Shortcut = g.shortcut;
        for (const SampleSpec& s : g.samples) {
            TDrumsetItem& sample = drumset.appendSampleItem(group);
            sample.Caption = s.caption;
            sample.DirectoryName = samples;
            sample.FileName = std::string(s.file) + ".wav";
            sample.Visible = true;
            sample.Color = s.color;
            sample.HeavyHit = s.heavy;
            sample.MediumHit = s.medium;
            sample.LightHit = s.light;
            sample.MidiInstrument = s.midi;
            sample.AltMidiInstrument = s.altMidi;
            sample.Shortcut = s.shortcut;
            sample.Priority = s.priority;
            sample.updateMidiNumbers();
            byFile[s.file] = &sample;
        }
    }
    // The closed and pedal hi-hats silence the open one.
    const TDrumsetItem* open = byFile.at("hihat-open");
    for (const char* closer :
         {"hihat-closed-heavy", "hihat-closed-medium", "hihat-closed-light", "hihat-pedal"})
        byFile.at(closer)->CutOff = {open};
    drumset.Renumber();
    WriteDrumset(drumset, fileName);
}

// Rows of the default kit, by track.
enum Track { BassDrum, Snare, HiHat, Toms, Cymbals, Percussion };
enum HiHatRow { ClosedHeavy, ClosedMedium, ClosedLight, Pedal, Open };

void hit(TSongEditor& e, int bar, int tick, int track, int sample, int volume = 100) {
    auto h = e.CreateHit(bar, tick, sample, track);
    h->Volume = volume;
    if (sample < 0)
        h->GroupHit = true;
    e.Song.AddHit(std::move(h));
}

void groove(TSongEditor& e, int bar, bool openAtEnd) {
    hit(e, bar, 0, BassDrum, 0);
    hit(e, bar, 375, BassDrum, 1, 85);
    hit(e, bar, 500, BassDrum, 0);
    hit(e, bar, 250, Snare, 0);
    hit(e, bar, 750, Snare, 0);
    for (int eighth = 0; eighth < 8; ++eighth) {
        const int tick = eighth * 125;
        if (openAtEnd && eighth == 7)
            hit(e, bar, tick, HiHat, Open, 90);
        else
            hit(e, bar, tick, HiHat, eighth % 2 == 0 ? ClosedHeavy : ClosedLight);
    }
}

void fill(TSongEditor& e, int bar) {
    hit(e, bar, 0, BassDrum, 0);
    hit(e, bar, 0, HiHat, ClosedHeavy);
    hit(e, bar, 250, Snare, 0);
    const int toms[] = {0, 0, 1, 1, 2, 2, 2, 2};
    for (int k = 0; k < 8; ++k)
        hit(e, bar, 500 + k * 62, Toms, toms[k], 100 - 5 * (k % 2));
}

void writeDemoSong(const std::string& drumsetFile, const std::string& fileName) {
    TSongEditor editor;
    editor.SetDrumsetFile(drumsetFile);
    editor.Song.InitialTempo->Tempo = 96;
    for (int bar = 0; bar < 7; ++bar)
        groove(editor, bar, bar % 4 == 3);
    fill(editor, 7);
    // A lift for the second half.
    auto change = std::make_unique<TDRTempo>();
    change->Tempo = 104;
    change->Bar = 8;
    editor.Song.AddTempo(std::move(change), false);
    hit(editor, 8, 0, Cymbals, 0);
    for (int bar = 8; bar < 11; ++bar) {
        groove(editor, bar, false);
        for (int beat = 0; beat < 4; ++beat)
            hit(editor, bar, beat * 250, Cymbals, 1, beat == 0 ? 100 : 75);
    }
    fill(editor, 11);
    hit(editor, 12, 0, BassDrum, 0);
    hit(editor, 12, 0, Cymbals, 0);
    editor.Song.RecomputeBarTimes(0);
    editor.Song.RefreshHitsFrom(0);
    SaveSong(editor, fileName, false);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: contentgen PROGRAM_FOLDER\n";
        return 2;
    }
    const std::string program = std::filesystem::absolute(argv[1]).lexically_normal().string();
    try {
        overrideProgramFolder(program);
        std::filesystem::create_directories(joinPath(program, "Drumsets"));
        std::filesystem::create_directories(joinPath(program, "Save"));
        const std::string drumset = joinPath(joinPath(program, "Drumsets"), "default.dum");
        writeDefaultDrumset(program, drumset);
        writeDemoSong(drumset, joinPath(joinPath(program, "Save"), "_demo.drm"));
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
