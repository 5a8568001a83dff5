// What the main window's commands on selected hits say when nothing is
// selected.
#pragma once

// The error box text of the commands that work on selected hits.
static constexpr const char* NoHitsSelectedMessage =
    "This function operates on selected hits, but no hits were selected.\n\r"
    "(Press Ctrl+A to select all hits.)";
