// Helpers shared by the song file tests: a temporary folder used as the
// program folder, a small drumset written there, an editor on it, hits built
// field by field, and golden-file comparison.
#pragma once

#include "app/Sluzby.h"
#include "drumset/Drumset.h"
#include "drumset/DrumsetFile.h"
#include "editor/SongEditor.h"
#include "songfile/SongFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>

static constexpr const char* SongGoldenFolder = TAVORINE_TEST_DATA "/songfile";
// Stands for the drumset path in golden files, which differs per machine.
static constexpr const char* DrumsetPlaceholder = "<drumset>";

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Lines joined with CR LF, each line ended.
inline std::string crlf(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

// Rows of the kit, by track index:
//   0 "Kick":     0 "Kick soft" (not for heavy hits), 1 "Kick hard" (heavy only)
//   1 "Snare":    0 "Snare hard" (panning 33, fades 50/200), 1 "Snare rim" (panning -100)
//   2 "Toms;Low": 0 "Floor;Tom" (heavy and light only)
// and a group "Hidden" whose only sample is invisible, so it has no row.
class SongFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tavorine-songfile-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_folder = pattern;
        overrideProgramFolder(m_folder);
        std::filesystem::create_directory(file("Drumsets"));
        kitPath = file("Drumsets/kit.dum");
        writeKit(kitPath);
        editor.SetDrumsetFile(kitPath);
        editor.setRandomSource([](int32_t) { return 0; });
    }
    void TearDown() override {
        overrideProgramFolder("");
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string file(const std::string& name) const { return m_folder + "/" + name; }

    static void writeKit(const std::string& path) {
        TDrumset kit;
        kit.NewDrumset();
        auto sample = [&](TDrumsetItem& group, const char* caption) -> TDrumsetItem& {
            TDrumsetItem& s = kit.AddSample("/nowhere/" + std::string(caption) + ".wav", &group);
            s.Caption = caption;
            return s;
        };
        TDrumsetItem& kick = kit.AddGroup();
        kick.Caption = "Kick";
        sample(kick, "Kick soft").HeavyHit = false;
        TDrumsetItem& hard = sample(kick, "Kick hard");
        hard.LightHit = hard.MediumHit = false;
        TDrumsetItem& snare = kit.AddGroup();
        snare.Caption = "Snare";
        TDrumsetItem& snareHard = sample(snare, "Snare hard");
        snareHard.Panning = 33;
        snareHard.FadeTillTime = 50;
        snareHard.FadeOutTime = 200;
        sample(snare, "Snare rim").Panning = -100;
        TDrumsetItem& toms = kit.AddGroup();
        toms.Caption = "Toms;Low";
        sample(toms, "Floor;Tom").MediumHit = false;
        TDrumsetItem& hidden = kit.AddGroup();
        hidden.Caption = "Hidden";
        sample(hidden, "Ghost").Visible = false;
        kit.Renumber();
        WriteDrumset(kit, path);
    }

    // A hit on a sample row with the row's defaults, as a click would make
    // it; tweak changes fields before it is added.
    TDRHit* addHit(int32_t bar, int32_t tick, int32_t group, int32_t sample,
                   const std::function<void(TDRHit&)>& tweak = {}) {
        const TDRPlSample& row = *editor.Plocha.Tracks[group]->Samples[sample];
        auto hit = std::make_unique<TDRHit>();
        hit->StartBar = bar;
        hit->StartTick = tick;
        hit->Group = group;
        hit->Sample = sample;
        hit->LengthMs = row.Length;
        hit->Volume = 100;
        hit->Panning = row.SampleData->Panning;
        hit->FadeTill = row.SampleData->FadeTillTime;
        hit->FadeOut = row.SampleData->FadeOutTime;
        hit->HitTypeMask = htMaskHeavy;
        if (tweak)
            tweak(*hit);
        return editor.Song.AddHit(std::move(hit));
    }

    // The saved text with the drumset path replaced by the placeholder.
    std::string saved(bool selectedOnly = false) {
        SaveSong(editor, file("out.drm"), selectedOnly);
        return replaceAll(readBytes(file("out.drm")), editor.DrumsetFile(), DrumsetPlaceholder);
    }

    // A golden song file with the placeholder turned into this kit's path.
    std::string golden(const std::string& name) const {
        return replaceAll(readBytes(std::string(SongGoldenFolder) + "/" + name), DrumsetPlaceholder,
                          kitPath);
    }

    // Compares with a golden file; TAVORINE_GOLDEN=1 rewrites it instead.
    void expectGolden(const std::string& name, const std::string& text) {
        const std::string path = std::string(SongGoldenFolder) + "/" + name;
        if (std::getenv("TAVORINE_GOLDEN") != nullptr)
            writeBytes(path, text);
        EXPECT_EQ(text, readBytes(path)) << name;
    }

    // Writes text to a file and loads it.
    void load(const std::string& text, bool keepDrumset = false, int32_t bar = 0, int32_t tick = 0,
              bool merge = false, bool keepFile = false, TMapperDialog* mapper = nullptr) {
        writeBytes(file("in.drm"), text);
        LoadSong(editor, file("in.drm"), keepDrumset, bar, tick, merge, keepFile, mapper);
    }

    // The message of the error a call throws, empty when it succeeds.
    static std::string errorOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }

    // "bar:tick g/s" of every hit in song order, e.g. "4:100 1/0".
    std::string places() {
        std::string text;
        for (int32_t b = 0; b <= editor.Song.LastBar; ++b)
            for (const auto& hit : editor.Song.Bar(b).StartingHits)
                text += (text.empty() ? "" : " ") + std::to_string(hit->StartBar) + ":" +
                        std::to_string(hit->StartTick) + " " + std::to_string(hit->Group) + "/" +
                        std::to_string(hit->Sample);
        return text;
    }

    std::vector<TDRHit*> hits() {
        std::vector<TDRHit*> list;
        for (int32_t b = 0; b <= editor.Song.LastBar; ++b)
            for (const auto& hit : editor.Song.Bar(b).StartingHits)
                list.push_back(hit.get());
        return list;
    }

    TSongEditor editor;
    std::string kitPath;

private:
    std::string m_folder;
};
