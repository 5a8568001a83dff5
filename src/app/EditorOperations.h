// Selection, deletion and mute operations of the song editor that the main
// window's commands need before the editor's mouse editing brings its own:
// selecting every hit, deleting the selected hits or their duplicates, and
// unmuting every group. They change the song only through the model's
// operations, each deletion as one undo step.
#pragma once

#include <cstdint>

class TDrumsUI;

// The error box text of the commands that work on selected hits.
static constexpr const char* NoHitsSelectedMessage =
    "This function operates on selected hits, but no hits were selected.\n\r"
    "(Press Ctrl+A to select all hits.)";

void SelectAllHits(TDrumsUI& drumsUI);
// One undo step; sets Modified. Nothing happens without a selection.
void DeleteSelectedHits(TDrumsUI& drumsUI);
// Deletes every selected hit that repeats an earlier selected one in bar,
// tick, group and sample (the first of each run stays), as one undo step;
// returns how many went.
int32_t DeleteDuplicateHits(TDrumsUI& drumsUI);
void MuteOffAllGroups(TDrumsUI& drumsUI);
