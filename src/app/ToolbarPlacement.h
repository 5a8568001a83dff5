// Maps the tool bar records of "options.ini" (ToolbarSections.h) to and from
// the QToolBars of a QMainWindow: which tool bar area ("dock") each sits in,
// its row there and its order within the row, whether it is shown, and where
// a floating one floats. The tool bars are the window's direct QToolBar
// children, known by object name (compared without regard to letter case).
#pragma once

#include "app/ToolbarSections.h"

#include <Qt>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

class QMainWindow;

// The dock names written for QMainWindow's four tool bar areas; the top area
// is the main window's one dock.
static constexpr std::string_view TopDockName = "MainDock";
static constexpr std::string_view BottomDockName = "BottomDock";
static constexpr std::string_view LeftDockName = "LeftDock";
static constexpr std::string_view RightDockName = "RightDock";

std::string_view dockName(Qt::ToolBarArea area);
std::optional<Qt::ToolBarArea> dockArea(std::string_view name);

// One record per named tool bar of the window, in creation order. Rows count
// from the window's edge; DockPos is the pixel offset along the row from the
// start of the area. A tool bar the user cannot move has an empty DockedTo. A
// floating one is "+", remembers its area as LastDock with a row after that
// area's rows, and its frame position and width. The layout is brought up to
// date first; hidden tool bars are shown for that moment, with their signals
// blocked, so that their slots are exact.
std::vector<TToolbarSection> captureToolbarSections(QMainWindow& window);

// Places the window's tool bars as the records say: each named tool bar with
// a record takes its Visible; a DockedTo naming one of the window's docks (one
// the tool bar allows) moves it there, ordered by DockRow and then DockPos
// among the other tool bars of that area, one row per distinct DockRow. An
// empty or unknown DockedTo leaves it where it is. Qt offers no way to float
// a tool bar from code, so "+" docks it in LastDock instead (rows and order
// as above), or leaves it where it is when LastDock names no dock.
void applyToolbarSections(QMainWindow& window, const std::vector<TToolbarSection>& sections);
