// The tool bar sections of "options.ini": one section "Toolbars" + the tool
// bar's name per tool bar of the main window, holding where it sits. These
// are plain records; ToolbarPlacement.h maps them to and from the QToolBars
// of a QMainWindow.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

class TIniFile;

static constexpr std::string_view ToolbarSectionPrefix = "Toolbars";
// The DockedTo value of a floating tool bar.
static constexpr std::string_view FloatingDockName = "+";
// The format revision written; sections of other revisions than these two
// are ignored on reading.
static constexpr int ToolbarSectionRev = 3;
static constexpr int OldToolbarSectionRev = 2;

// The main window's tool bars, by object name.
static constexpr std::array<std::string_view, 6> MainWindowToolbarNames = {
    "NavigationToolbar", "ZoomToolbar", "HitTypeToolbar",
    "PlayToolbar",       "ModeToolbar", "Toolbar971",
};

struct TToolbarSection {
    std::string Name; // the tool bar's name; the section is "Toolbars" + Name
    int Rev = ToolbarSectionRev;
    bool Visible = true;
    // The dock holding the tool bar, FloatingDockName when it floats, or
    // empty when its place is fixed (reading then leaves it where it is).
    std::string DockedTo;
    std::string LastDock; // the dock it last sat in, or empty
    int DockRow = 0;      // row within the dock, from 0 (nearest the window's edge)
    int DockPos = 0;      // position within the row, pixels
    int FloatLeft = 0;    // screen position when floating
    int FloatTop = 0;
    int FloatRightX = 0; // the floating width

    friend bool operator==(const TToolbarSection&, const TToolbarSection&) = default;
};

// Every section whose name is "Toolbars" followed by a name, in file order,
// except those whose Rev is not 2 or 3. A missing or unreadable number keeps
// the record's default; Visible is any integer other than 0.
std::vector<TToolbarSection> readToolbarSections(const TIniFile& file);

// Replaces the section of each record with the keys Rev (always 3), Visible
// (1 or 0), DockedTo, LastDock, DockRow, DockPos, FloatLeft, FloatTop and
// FloatRightX, in that order. Sections of other tool bars are kept.
void writeToolbarSections(TIniFile& file, const std::vector<TToolbarSection>& sections);
