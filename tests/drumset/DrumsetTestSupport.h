// Helpers shared by the drumset tests: a temporary folder, a program folder
// pointed at a fixture, and a compact text form of a drumset's shape.
#pragma once

#include "../support/TempFolder.h"
#include "app/Sluzby.h"
#include "drumset/Drumset.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

static constexpr const char* FixtureProgramFolder = TAVORINE_TEST_DATA "/drumset/program";

// Points GetProgramFolder at a folder for the lifetime of the object.
class ProgramFolderScope {
public:
    explicit ProgramFolderScope(const std::string& folder) { overrideProgramFolder(folder); }
    ~ProgramFolderScope() { overrideProgramFolder(""); }
    ProgramFolderScope(const ProgramFolderScope&) = delete;
    ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;
};

// "Unsorted[] Kick[a,b] Snare[c]": groups and their samples by caption.
inline std::string describe(const TDrumset& drumset) {
    std::string text;
    for (const auto& group : drumset.groups()) {
        if (!text.empty()) {
            text += ' ';
        }
        text += group->Caption + '[';
        for (size_t i = 0; i < group->samples().size(); ++i) {
            text += (i > 0 ? "," : "") + group->samples()[i]->Caption;
        }
        text += ']';
    }
    return text;
}

// A group with the given caption added through AddGroup.
inline TDrumsetItem& addNamedGroup(TDrumset& drumset, const std::string& caption) {
    TDrumsetItem& group = drumset.AddGroup();
    group.Caption = caption;
    return group;
}
