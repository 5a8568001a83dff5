#include "app/ToolbarSections.h"

#include "app/IniFile.h"

#include <limits>

namespace {

void readNumber(const TIniFile& file, const std::string& section, std::string_view key,
                int& target) {
    if (const std::optional<std::string> text = file.value(section, key)) {
        const std::optional<int64_t> number = parseIniInteger(*text);
        if (number && *number >= std::numeric_limits<int>::min() &&
            *number <= std::numeric_limits<int>::max()) {
            target = static_cast<int>(*number);
        }
    }
}

void readText(const TIniFile& file, const std::string& section, std::string_view key,
              std::string& target) {
    if (const std::optional<std::string> text = file.value(section, key)) {
        target = trimBlanks(*text);
    }
}

} // namespace

std::vector<TToolbarSection> readToolbarSections(const TIniFile& file) {
    std::vector<TToolbarSection> sections;
    for (const std::string& name : file.sectionNames()) {
        if (name.size() <= ToolbarSectionPrefix.size() ||
            !startsWithIgnoringCase(name, ToolbarSectionPrefix)) {
            continue;
        }
        TToolbarSection section;
        section.Name = name.substr(ToolbarSectionPrefix.size());
        // A repeated section: the file's first one is the one read.
        bool seen = false;
        for (const TToolbarSection& earlier : sections) {
            seen = seen || equalsIgnoringCase(earlier.Name, section.Name);
        }
        section.Rev = 0;
        readNumber(file, name, "Rev", section.Rev);
        if (seen || (section.Rev != ToolbarSectionRev && section.Rev != OldToolbarSectionRev)) {
            continue;
        }
        int visible = 1;
        readNumber(file, name, "Visible", visible);
        section.Visible = visible != 0;
        readText(file, name, "DockedTo", section.DockedTo);
        readText(file, name, "LastDock", section.LastDock);
        readNumber(file, name, "DockRow", section.DockRow);
        readNumber(file, name, "DockPos", section.DockPos);
        readNumber(file, name, "FloatLeft", section.FloatLeft);
        readNumber(file, name, "FloatTop", section.FloatTop);
        readNumber(file, name, "FloatRightX", section.FloatRightX);
        sections.push_back(section);
    }
    return sections;
}

void writeToolbarSections(TIniFile& file, const std::vector<TToolbarSection>& sections) {
    for (const TToolbarSection& section : sections) {
        const std::string name = std::string(ToolbarSectionPrefix) + section.Name;
        file.eraseSection(name);
        file.setValue(name, "Rev", std::to_string(ToolbarSectionRev));
        file.setValue(name, "Visible", section.Visible ? "1" : "0");
        file.setValue(name, "DockedTo", section.DockedTo);
        file.setValue(name, "LastDock", section.LastDock);
        file.setValue(name, "DockRow", std::to_string(section.DockRow));
        file.setValue(name, "DockPos", std::to_string(section.DockPos));
        file.setValue(name, "FloatLeft", std::to_string(section.FloatLeft));
        file.setValue(name, "FloatTop", std::to_string(section.FloatTop));
        file.setValue(name, "FloatRightX", std::to_string(section.FloatRightX));
    }
}
